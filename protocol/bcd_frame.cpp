#include "protocol/bcd_frame.h"

#include <array>

namespace mensora {
namespace {

constexpr std::uint32_t kFlagsByte = 4;

char digitCharacter(unsigned nibble) { return static_cast<char>('0' + nibble); }

}  // namespace

std::uint32_t bcdFrameLength(FrameBytes) { return kBcdFrameLength; }

bool bcdFrameValid(FrameBytes frame) {
    for (std::uint32_t i = 1; i < kBcdFrameLength; ++i) {
        if ((frame[i] >> 4) > 9 || (frame[i] & 0x0F) > 9) return false;
    }
    return frame[kFlagsByte] < 8;
}

FrameReading parseBcdFrame(FrameBytes frame) {
    const unsigned d0 = frame[1] & 0x0Fu;
    const unsigned d1 = frame[1] >> 4;
    const unsigned d2 = frame[2] & 0x0Fu;
    const unsigned d3 = frame[2] >> 4;
    const unsigned d4 = frame[3] & 0x0Fu;
    const unsigned d5 = frame[3] >> 4;
    const std::uint8_t flags = frame[kFlagsByte];
    const bool fiveDecimals = (flags & kBcdFiveDecimals) != 0;

    // The eight positions as the gauge lays them out; the display starts at the sign.
    std::array<char, 8> layout{};
    layout[0] = (flags & kBcdNegative) != 0 ? '-' : ' ';
    layout[1] = digitCharacter(d5);
    layout[2] = fiveDecimals ? '.' : digitCharacter(d4);
    layout[3] = fiveDecimals ? digitCharacter(d4) : '.';
    layout[4] = digitCharacter(d3);
    layout[5] = digitCharacter(d2);
    layout[6] = digitCharacter(d1);
    layout[7] = !fiveDecimals && d0 == 0 ? ' ' : digitCharacter(d0);

    FrameReading reading;
    // The four-decimal layout is read with three places and one more tenth for its hidden or
    // shown fourth decimal; the five-decimal layout with five places.
    reading.decimalPlaces = fiveDecimals ? 5 : 3;
    const unsigned scaling = fiveDecimals ? 5u : 4u;

    reading.show(layout[0]);
    const std::size_t firstShown = d5 != 0 || fiveDecimals ? 1 : 2;
    float accumulator = 0.0f;
    for (std::size_t i = firstShown; i < layout.size(); ++i) {
        const char c = layout[i];
        reading.show(c);
        if (c == '.') continue;
        // The hidden fourth decimal is a blank in the text and a zero in the value.
        accumulator = accumulateDigit(accumulator, c == ' ' ? 0u : static_cast<unsigned>(c - '0'));
    }
    reading.value = scaleByTenths(accumulator, scaling, layout[0] == '-');
    return reading;
}

bool bcdFrameHasDataKey(FrameBytes frame) { return (frame[kFlagsByte] & kBcdDataKey) != 0; }

}  // namespace mensora
