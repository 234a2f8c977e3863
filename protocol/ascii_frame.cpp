#include "protocol/ascii_frame.h"

namespace mensora {
namespace {

constexpr std::uint32_t kLastReadingPosition = 8;

bool isDigit(std::uint8_t byte) { return byte >= '0' && byte <= '9'; }

// The characters a frame may carry after its sign.
bool isFrameCharacter(std::uint8_t byte) {
    return isDigit(byte) || byte == '.' || byte == kCarriageReturn || byte == kDataKey;
}

// What ends the filling zeros in front of a reading.
bool isSignificant(std::uint8_t byte) { return byte == '.' || (byte >= '1' && byte <= '9'); }

// A carriage return or "S" among the reading's characters counts as a zero digit.
unsigned digitValue(std::uint8_t byte) { return isDigit(byte) ? byte - '0' : 0u; }

}  // namespace

std::uint32_t asciiFrameLength(FrameBytes fromFrameStart) {
    return fromFrameStart[kAsciiFrameLength] == kDataKey ? kAsciiFrameWithKeyLength
                                                         : kAsciiFrameLength;
}

bool asciiFrameValid(FrameBytes frame) {
    for (std::size_t i = 1; i < frame.size(); ++i) {
        if (!isFrameCharacter(frame[i])) return false;
    }
    return true;
}

// The display drops the filling zeros up to the first significant character and keeps the
// zero in front of the point. Frames that a gauge should not send still get an honest text:
// - a carriage return or "S" before the first significant character is a filling zero, like
//   the "0" it stands for in the value;
// - nothing significant in positions 1 to 8 shows "0" (the sign kept), value 0;
// - a point with no digit in front of it is shown with a "0" in front ("0.1234567"), except
//   in "-.1234567", where the nine characters of the display leave no room for it and the
//   digits matter more;
// - a frame without a point is a whole number: 0 decimal places;
// - with two points the last one decides the decimal places.
FrameReading parseAsciiFrame(FrameBytes frame) {
    const bool negative = frame[0] == '-';
    FrameReading reading;
    if (negative) reading.show('-');

    std::uint32_t first = 1;
    while (first <= kLastReadingPosition && !isSignificant(frame[first])) ++first;
    float accumulator = 0.0f;
    if (first > kLastReadingPosition) {
        reading.show('0');
    } else {
        if (frame[first] == '.' && !(negative && first == 1)) reading.show('0');
        for (std::uint32_t q = first; q <= kLastReadingPosition; ++q) {
            const std::uint8_t byte = frame[q];
            reading.show(static_cast<char>(byte));
            if (byte == '.') {
                reading.decimalPlaces = static_cast<std::uint8_t>(kLastReadingPosition - q);
            } else {
                accumulator = accumulateDigit(accumulator, digitValue(byte));
            }
        }
    }
    reading.value = scaleByTenths(accumulator, reading.decimalPlaces, negative);
    return reading;
}

bool asciiFrameHasDataKey(FrameBytes frame) {
    return frame.size() == kAsciiFrameWithKeyLength && frame[10] == kDataKey &&
           frame[11] == kCarriageReturn;
}

bool isAsciiSeparateDataKey(FrameBytes bytes) {
    return bytes[0] == kDataKey && bytes[1] == kCarriageReturn;
}

}  // namespace mensora
