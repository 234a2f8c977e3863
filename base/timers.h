#pragma once
#include <cstdint>

#include "base/timer_service.h"

namespace mensora {

// No timer ticks faster than this. A period of 0 (a sampling period typed as 0 and started
// with Auto) would otherwise fire continuously, flood the list and fill the store in seconds.
inline constexpr std::uint32_t kShortestTimerPeriodMs = 10;

// The main window's timers as every part arms and kills them, with the shortest period applied.
class Timers {
public:
    explicit Timers(TimerService& service) : service_(service) {}
    void arm(int id, std::uint32_t periodMs) {
        service_.arm(id, periodMs < kShortestTimerPeriodMs ? kShortestTimerPeriodMs : periodMs);
    }
    void kill(int id) { service_.kill(id); }

private:
    TimerService& service_;
};

}  // namespace mensora
