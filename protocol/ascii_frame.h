#pragma once
// The gauge's ASCII frame: a sign, eight characters of the reading (digits and a point,
// right-aligned, "0"-filled), a carriage return, and in the 12-byte form the data-key trailer
// "S" + CR. Pure functions over bytes that start with the frame.

#include <cstdint>

#include "protocol/frame_reading.h"

namespace mensora {

inline constexpr std::uint32_t kAsciiFrameLength = 10;
inline constexpr std::uint32_t kAsciiFrameWithKeyLength = 12;

inline bool isAsciiFrameStart(std::uint8_t byte) { return byte == '+' || byte == '-'; }

// 12 when byte 10 is "S", otherwise 10. Byte 10 may lie behind what was read: whatever the
// buffer holds there decides, as it always has.
std::uint32_t asciiFrameLength(FrameBytes fromFrameStart);

// Every byte of the frame after its sign is a digit, a point, a carriage return or "S".
bool asciiFrameValid(FrameBytes frame);

// The reading of a valid frame (see ascii_frame.cpp for the frames a gauge should not send).
FrameReading parseAsciiFrame(FrameBytes frame);

// The 12-byte frame ends in "S" + CR: the user pressed the gauge's data key.
bool asciiFrameHasDataKey(FrameBytes frame);

// "S" + CR on their own: the data key of the frame before.
bool isAsciiSeparateDataKey(FrameBytes bytes);

}  // namespace mensora
