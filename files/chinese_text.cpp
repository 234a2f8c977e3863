#include "files/chinese_text.h"

namespace mensora {

bool isUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80                          ? 1
                                   : (lead >> 5) == 0x6 && lead >= 0xC2 ? 2
                                   : (lead >> 4) == 0xE                 ? 3
                                   : lead >= 0xF0 && lead <= 0xF4       ? 4
                                                                        : 0;
        if (length == 0 || i + length > bytes.size()) return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

}  // namespace mensora
