#pragma once
// Virtual time for the core: window timers by id with the periodic, replace-on-rearm rules,
// fired in time order by advance(), and a local clock that moves with them.

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "base/clock.h"
#include "base/timer_service.h"

namespace mensora::test {

class VirtualClock : public TimerService, public Clock {
public:
    using TickHandler = std::function<void(int)>;

    void setTickHandler(TickHandler handler) { onTick_ = std::move(handler); }

    // TimerService
    void arm(int id, std::uint32_t periodMs) override {
        timers_[id] = Armed{periodMs, nowMs_ + periodMs};
        armLog_.push_back({id, periodMs});
    }
    void kill(int id) override {
        timers_.erase(id);
        killLog_.push_back(id);
    }

    // Clock
    LocalDateTime localNow() override;
    void pause(std::uint32_t ms) override {
        pausedMs_ += ms;
        nowMs_ += ms;
    }

    // Fires every tick due within the next ms, earliest first (lower id first on a tie);
    // a handler may arm or kill timers, which takes effect for the ticks that follow.
    void advance(std::uint64_t ms);

    std::uint64_t nowMs() const { return nowMs_; }
    bool isArmed(int id) const { return timers_.count(id) != 0; }
    std::uint32_t periodOf(int id) const { return timers_.at(id).periodMs; }
    // Milliseconds until the timer's next tick.
    std::uint64_t dueIn(int id) const { return timers_.at(id).dueMs - nowMs_; }

    struct ArmCall {
        int id;
        std::uint32_t periodMs;
    };
    const std::vector<ArmCall>& armLog() const { return armLog_; }
    const std::vector<int>& killLog() const { return killLog_; }
    void clearLogs() {
        armLog_.clear();
        killLog_.clear();
    }
    std::uint64_t pausedMs() const { return pausedMs_; }

    // The local time at virtual 0 ms.
    void setLocalStart(const LocalDateTime& start) { start_ = start; }

private:
    struct Armed {
        std::uint32_t periodMs;
        std::uint64_t dueMs;
    };
    std::map<int, Armed> timers_;
    std::uint64_t nowMs_ = 0;
    std::uint64_t pausedMs_ = 0;
    TickHandler onTick_;
    std::vector<ArmCall> armLog_;
    std::vector<int> killLog_;
    LocalDateTime start_{2026, 12, 7, 9, 0, 0};
};

}  // namespace mensora::test
