#pragma once
// Test helpers: a receive buffer that starts with given bytes, and a float's bit pattern.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "protocol/frame_reading.h"

namespace mensora::test {

inline ReceiveBuffer bufferStartingWith(const std::vector<std::uint8_t>& bytes) {
    ReceiveBuffer buffer{};
    std::copy(bytes.begin(), bytes.end(), buffer.begin());
    return buffer;
}

inline ReceiveBuffer bufferStartingWith(const std::string& bytes) {
    return bufferStartingWith(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

// The first `length` bytes of a buffer: a frame as the poll hands it to a decoder.
inline FrameBytes frameOf(const ReceiveBuffer& buffer, std::uint32_t length) {
    return FrameBytes(buffer).first(length);
}

inline std::uint32_t bitsOf(float value) { return std::bit_cast<std::uint32_t>(value); }

inline std::string charsOf(const std::array<char, 9>& chars) {
    return std::string(chars.begin(), chars.end());
}

}  // namespace mensora::test
