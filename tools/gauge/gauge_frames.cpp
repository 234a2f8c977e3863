#include "tools/gauge/gauge_frames.h"

#include <algorithm>
#include <cmath>

namespace mensora::gauge {
namespace {

constexpr std::uint8_t kCarriageReturn = 0x0D;
constexpr std::uint8_t kBcdStart = 0xAA;
constexpr std::uint8_t kBcdFiveDecimals = 0x01;
constexpr std::uint8_t kBcdNegative = 0x02;
constexpr std::uint8_t kBcdDataKey = 0x04;

// The reading in units of the last digit, as many digits as the frame has at most.
std::int64_t lastDigitCount(double reading, int decimals, int digits) {
    const double limit = std::pow(10.0, digits) - 1.0;
    const double scaled = std::round(reading * std::pow(10.0, decimals));
    return static_cast<std::int64_t>(std::clamp(scaled, -limit, limit));
}

// The decimal digits of a non-negative count, most significant first, zero-filled to width.
std::vector<std::uint8_t> digitsOf(std::int64_t count, int width) {
    std::vector<std::uint8_t> digits(static_cast<std::size_t>(width), 0);
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        *it = static_cast<std::uint8_t>(count % 10);
        count /= 10;
    }
    return digits;
}

// Sign, eight characters (seven digits and the point), carriage return; "S" and a carriage
// return behind it when the data key was pressed.
std::vector<std::uint8_t> asciiFrame(double reading, int decimals, bool dataKey) {
    constexpr int kDigits = 7;
    const std::int64_t count = lastDigitCount(reading, decimals, kDigits);
    std::vector<std::uint8_t> frame;
    frame.reserve(longestFrame(Protocol::Ascii));
    frame.push_back(count < 0 ? '-' : '+');
    const std::vector<std::uint8_t> digits = digitsOf(count < 0 ? -count : count, kDigits);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i == digits.size() - static_cast<std::size_t>(decimals)) frame.push_back('.');
        frame.push_back(static_cast<std::uint8_t>('0' + digits[i]));
    }
    frame.push_back(kCarriageReturn);
    if (dataKey) {
        frame.push_back('S');
        frame.push_back(kCarriageReturn);
    }
    return frame;
}

// 0xAA, then the six digits d5..d0 two to a byte from the least significant pair (d1d0,
// d3d2, d5d4), then the flags: layout, sign and data key.
std::vector<std::uint8_t> bcdFrame(double reading, int decimals, bool dataKey) {
    constexpr int kDigits = 6;
    const std::int64_t count = lastDigitCount(reading, decimals, kDigits);
    const std::vector<std::uint8_t> d = digitsOf(count < 0 ? -count : count, kDigits);
    std::uint8_t flags = 0;
    if (decimals == 5) flags |= kBcdFiveDecimals;
    if (count < 0) flags |= kBcdNegative;
    if (dataKey) flags |= kBcdDataKey;
    return {kBcdStart, static_cast<std::uint8_t>(d[4] << 4 | d[5]),
            static_cast<std::uint8_t>(d[2] << 4 | d[3]),
            static_cast<std::uint8_t>(d[0] << 4 | d[1]), flags};
}

}  // namespace

bool isValidFormat(const FrameFormat& format) {
    if (format.protocol == Protocol::Ascii) return format.decimals == 3 || format.decimals == 5;
    return format.decimals == 4 || format.decimals == 5;
}

std::size_t longestFrame(Protocol protocol) { return protocol == Protocol::Ascii ? 12 : 5; }

std::vector<std::uint8_t> encodeFrame(const FrameFormat& format, double reading, bool dataKey) {
    return format.protocol == Protocol::Ascii ? asciiFrame(reading, format.decimals, dataKey)
                                              : bcdFrame(reading, format.decimals, dataKey);
}

std::vector<std::uint8_t> lineNoise(std::size_t count, std::mt19937& random) {
    constexpr int kDigits = 10;              // "0" to "9"
    constexpr int kHighBytes = 0xAA - 0x80;  // 0x80 to 0xA9
    std::uniform_int_distribution<int> pick(0, kDigits + kHighBytes - 1);
    std::vector<std::uint8_t> noise(count);
    for (std::uint8_t& byte : noise) {
        const int n = pick(random);
        byte = static_cast<std::uint8_t>(n < kDigits ? '0' + n : 0x80 + (n - kDigits));
    }
    return noise;
}

}  // namespace mensora::gauge
