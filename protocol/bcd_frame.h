#pragma once
// The gauge's packed-decimal frame: 0xAA, then six decimal digits d5..d0 one per nibble
// (byte 1: d1 d0, byte 2: d3 d2, byte 3: d5 d4) and a flags byte. Pure functions over bytes
// that start with the frame.

#include <cstdint>

#include "protocol/frame_reading.h"

namespace mensora {

inline constexpr std::uint8_t kBcdFrameStart = 0xAA;
inline constexpr std::uint32_t kBcdFrameLength = 5;

// Flags byte
inline constexpr std::uint8_t kBcdFiveDecimals = 0x01;
inline constexpr std::uint8_t kBcdNegative = 0x02;
inline constexpr std::uint8_t kBcdDataKey = 0x04;

inline bool isBcdFrameStart(std::uint8_t byte) { return byte == kBcdFrameStart; }

// Always the five bytes, whatever follows the frame start.
std::uint32_t bcdFrameLength(FrameBytes fromFrameStart);

// Both nibbles of bytes 1 to 4 are 0 to 9 and the flags byte is below 8.
bool bcdFrameValid(FrameBytes frame);

// The reading of a valid frame: d5d4.d3d2d1d0 (three decimal places, the fourth shown only
// when not zero, a zero tens digit dropped) or, with flag bit 0, d5.d4d3d2d1d0. A positive
// reading starts with a blank where a negative one has its "-".
FrameReading parseBcdFrame(FrameBytes frame);

// Flag bit 2: the user pressed the gauge's data key.
bool bcdFrameHasDataKey(FrameBytes frame);

}  // namespace mensora
