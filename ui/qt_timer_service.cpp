#include "ui/qt_timer_service.h"

namespace mensora {

void QtTimerService::arm(int id, std::uint32_t periodMs) {
    auto& timer = timers_[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        // Precise timers: the poll and dwell periods are part of how the gauge is found.
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer.get(), &QTimer::timeout, [this, id] { onTick_(id); });
    }
    timer->start(static_cast<int>(periodMs));
}

void QtTimerService::kill(int id) {
    const auto it = timers_.find(id);
    if (it != timers_.end()) it->second->stop();
}

}  // namespace mensora
