#pragma once
// What the virtual gauge puts on the wire: its reading as an ASCII or a packed-decimal frame,
// and the noise a receiver set to the wrong line rate sees instead.

#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

namespace mensora::gauge {

enum class Protocol { Ascii, Bcd };

// How a gauge writes its reading. ASCII gauges show 3 or 5 decimals (eight characters with the
// point: 0012.345 or 01.23455); packed-decimal gauges carry six digits in the four-decimal
// layout (12.3456) or the five-decimal layout (1.23456).
struct FrameFormat {
    Protocol protocol = Protocol::Ascii;
    int decimals = 3;
};

bool isValidFormat(const FrameFormat& format);

// The longest frame the format produces (the ASCII frame with the data-key trailer is 12 bytes).
std::size_t longestFrame(Protocol protocol);

// The frame for a reading, rounded to the format's last digit. A reading beyond what the frame
// can hold is sent as the largest reading it can hold, as a gauge shows its overrange value.
// A reading that rounds to zero is sent as positive. dataKey marks the frame as the one sent
// when the gauge's data key is pressed.
std::vector<std::uint8_t> encodeFrame(const FrameFormat& format, double reading, bool dataKey);

// Bytes of a frame that reached a receiver at the wrong line rate: digits and high bytes only,
// never a frame start ("+", "-", 0xAA) nor the "S" of a data key, so that no receiver can take
// them for a frame.
std::vector<std::uint8_t> lineNoise(std::size_t count, std::mt19937& random);

}  // namespace mensora::gauge
