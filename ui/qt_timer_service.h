#pragma once
#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "base/timer_service.h"

namespace mensora {

// The window's timers by id: one QTimer per id on the user-interface thread. QTimer::start on
// a running timer restarts it with the new interval, which is exactly the re-arm rule.
//
// A tick is not handled inside QTimer's own signal but posted to the event queue, at most one
// per id at a time, as window timer messages are. Qt never re-enters a timer whose handler is
// still running, so a handler that opens a message box would otherwise stop its own timer for
// as long as the box stays open: a poll that shows a box would stop polling and let the
// watchdog report a gauge that is still talking.
class QtTimerService : public TimerService {
public:
    using TickHandler = std::function<void(int)>;
    explicit QtTimerService(TickHandler onTick) : onTick_(std::move(onTick)) {}

    void arm(int id, std::uint32_t periodMs) override;
    void kill(int id) override;
    // Every timer stopped and every waiting tick dropped: nothing ticks any more.
    void killAll();

private:
    void post(int id);

    TickHandler onTick_;
    std::map<int, std::unique_ptr<QTimer>> timers_;
    std::set<int> posted_;  // ids with a tick waiting in the event queue
    QObject context_;       // owns the posted ticks: none runs after the service is gone
};

}  // namespace mensora
