#pragma once
// The gauge's ASCII frame: a sign, eight characters of the reading (digits and a point,
// right-aligned, "0"-filled), a carriage return, and in the 12-byte form the data-key trailer
// "S" + CR. Pure functions over the receive buffer with the frame at its start.

#include <cstdint>

#include "protocol/frame_reading.h"

namespace mensora {

inline constexpr std::uint32_t kAsciiFrameLength = 10;
inline constexpr std::uint32_t kAsciiFrameWithKeyLength = 12;

inline bool isAsciiFrameStart(std::uint8_t byte) { return byte == '+' || byte == '-'; }

// 12 when byte 10 is "S", otherwise 10. Byte 10 may lie behind what was read: whatever the
// buffer holds there decides, as it always has.
std::uint32_t asciiFrameLength(const ReceiveBuffer& buffer);

// Every byte from 1 to length − 1 is a digit, a point, a carriage return or "S".
bool asciiFrameValid(const ReceiveBuffer& buffer, std::uint32_t length);

// The reading of a valid frame (see ascii_frame.cpp for the frames a gauge should not send).
FrameReading parseAsciiFrame(const ReceiveBuffer& buffer);

// The 12-byte frame ends in "S" + CR: the user pressed the gauge's data key.
bool asciiFrameHasDataKey(const ReceiveBuffer& buffer, std::uint32_t length);

}  // namespace mensora
