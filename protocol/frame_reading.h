#pragma once
// What one good frame of either protocol puts into the current reading, and the gauge's
// number arithmetic shared by both decoders.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "base/acquisition_state.h"

namespace mensora {

using ReceiveBuffer = std::array<std::uint8_t, kReceiveBufferSize>;
// What every decoder reads: bytes of the receive buffer from a frame start (or, for a data key
// sent on its own, from where it may stand).
using FrameBytes = std::span<const std::uint8_t>;

inline constexpr std::uint8_t kCarriageReturn = 0x0D;
inline constexpr std::uint8_t kDataKey = 'S';

struct FrameReading {
    std::string valueText;
    std::array<char, 9> valueChars{' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    float value = 0.0f;
    std::uint8_t decimalPlaces = 0;

    // Appends one character to the display text and writes it to the next byte of
    // valueChars. The decoders never produce more than nine characters; the bound keeps a
    // reading from ever reaching past valueChars even so.
    void show(char c);

private:
    std::size_t shown_ = 0;
};

// One more digit place of the reading: accumulator × 10 + digit, rounded to single precision
// after the multiplication and after the addition, as the gauge's numbers have always been
// summed (digit strings of up to 7 digits are exact).
float accumulateDigit(float accumulator, unsigned digit);

// accumulator × 0.1f, count times, with the running product kept in double precision,
// negated if asked and rounded to single precision once at the end.
float scaleByTenths(float accumulator, unsigned count, bool negative);

}  // namespace mensora
