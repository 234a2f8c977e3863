#include "tools/gauge/gauge_commands.h"

namespace mensora::gauge {

bool ZeroCommandListener::hear(const std::uint8_t* bytes, std::size_t count) {
    bool zero = false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t byte = bytes[i];
        const bool packedZero = last_ == 0xAA && byte == 0x00;
        const bool asciiZero = beforeLast_ == 'C' && last_ == 'L' && byte == 'R';
        if (packedZero || asciiZero) {
            zero = true;
            forget();  // a command's bytes never start the next one
            continue;
        }
        beforeLast_ = last_;
        last_ = byte;
    }
    return zero;
}

void ZeroCommandListener::forget() {
    beforeLast_ = 0;
    last_ = 0;
}

}  // namespace mensora::gauge
