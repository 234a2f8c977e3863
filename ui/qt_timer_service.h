#pragma once
#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

#include "app/timer_service.h"

namespace mensora {

// The window's timers by id: one QTimer per id on the user-interface thread. QTimer::start on
// a running timer restarts it with the new interval, which is exactly the re-arm rule.
class QtTimerService : public TimerService {
public:
    using TickHandler = std::function<void(int)>;
    explicit QtTimerService(TickHandler onTick) : onTick_(std::move(onTick)) {}

    void arm(int id, std::uint32_t periodMs) override;
    void kill(int id) override;

private:
    TickHandler onTick_;
    std::map<int, std::unique_ptr<QTimer>> timers_;
};

}  // namespace mensora
