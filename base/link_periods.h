#pragma once
#include <cstdint>

namespace mensora {

// A linked gauge that sends no good frame for this long is reported as disconnected.
inline constexpr std::uint32_t kLinkWatchdogMs = 5000;
// The poll period once a poll has read data.
inline constexpr std::uint32_t kConnectedPollMs = 88;

}  // namespace mensora
