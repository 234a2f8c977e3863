#pragma once
#include <cstdint>

#include "base/timer_service.h"

namespace mensora {

// No timer ticks faster than this. A period of 0 (a sampling period typed as 0 and started
// with Auto) would otherwise fire continuously, flood the list and fill the store in seconds.
inline constexpr std::uint32_t kShortestTimerPeriodMs = 10;
// No timer waits longer than this: window timers count in signed 32-bit milliseconds (about
// 24.8 days). A longer period, such as a stored sampling period of -100 read back as
// 4294967196, would otherwise reach the platform as a negative number and never tick.
inline constexpr std::uint32_t kLongestTimerPeriodMs = 0x7FFFFFFF;

// The period a timer really runs at: the requested one, held within what a timer can do.
constexpr std::uint32_t heldTimerPeriod(std::uint32_t requestedMs) {
    if (requestedMs < kShortestTimerPeriodMs) return kShortestTimerPeriodMs;
    if (requestedMs > kLongestTimerPeriodMs) return kLongestTimerPeriodMs;
    return requestedMs;
}

// The main window's timers as every part arms and kills them, each period held between the
// shortest and the longest a timer can run.
class Timers {
public:
    explicit Timers(TimerService& service) : service_(service) {}
    void arm(int id, std::uint32_t periodMs) { service_.arm(id, heldTimerPeriod(periodMs)); }
    void kill(int id) { service_.kill(id); }

private:
    TimerService& service_;
};

}  // namespace mensora
