#include "tools/tour/run_events_until.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace mensora {

bool runEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds patience) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > patience.count()) return false;
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

}  // namespace mensora
