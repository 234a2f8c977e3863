#include "ui/system_clock.h"

#include <QDateTime>
#include <QThread>

namespace mensora {

LocalDateTime SystemClock::localNow() {
    // Read once, in whole seconds, so that date and time belong to the same moment.
    const QDateTime now = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch());
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

void SystemClock::pause(std::uint32_t ms) { QThread::msleep(ms); }

}  // namespace mensora
