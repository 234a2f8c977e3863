#include "ui/qt_timer_service.h"

namespace mensora {

void QtTimerService::arm(int id, std::uint32_t periodMs) {
    auto& timer = timers_[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        // Precise timers: the poll and dwell periods are part of how the gauge is found.
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer.get(), &QTimer::timeout, &context_, [this, id] { post(id); });
    }
    timer->start(static_cast<int>(periodMs));
    // The countdown starts again: a tick of the old countdown still waiting must not arrive.
    posted_.erase(id);
}

void QtTimerService::kill(int id) {
    const auto it = timers_.find(id);
    if (it != timers_.end()) it->second->stop();
    // A tick already waiting belongs to the timer that was killed.
    posted_.erase(id);
}

void QtTimerService::killAll() {
    for (auto& [id, timer] : timers_) timer->stop();
    posted_.clear();
}

void QtTimerService::post(int id) {
    if (!posted_.insert(id).second) return;  // one waiting tick per id, as the platform does
    QMetaObject::invokeMethod(
        &context_,
        [this, id] {
            if (posted_.erase(id) == 0) return;  // killed meanwhile
            onTick_(id);
        },
        Qt::QueuedConnection);
}

}  // namespace mensora
