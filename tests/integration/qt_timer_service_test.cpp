// The Qt timer service keeps the window timers' rules on real time: a timer goes on ticking
// while its own handler has a message box open, and a killed timer delivers no tick.

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <gtest/gtest.h>

#include <vector>

#include "ui/qt_timer_service.h"

namespace mensora {
namespace {

// Runs the event loop for ms milliseconds, as a modal box would.
void runNestedLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST(QtTimerService, ATimerKeepsTickingWhileItsOwnHandlerRunsANestedLoop) {
    int ticks = 0;
    int deepest = 0;
    int depth = 0;
    QtTimerService timers([&](int) {
        ++ticks;
        ++depth;
        deepest = std::max(deepest, depth);
        if (ticks == 1) runNestedLoop(300);  // the first tick opens a "box"
        --depth;
    });
    timers.arm(1, 20);
    runNestedLoop(400);
    timers.kill(1);
    // Inside the 300 ms box the 20 ms timer came again, re-entering its handler.
    EXPECT_EQ(deepest, 2);
    EXPECT_GE(ticks, 4);
}

TEST(QtTimerService, ATickWaitingForAKilledOrRearmedTimerNeverArrives) {
    // Killed as a disconnect kills the poll; re-armed as a good frame re-arms the watchdog.
    for (const bool rearm : {false, true}) {
        SCOPED_TRACE(rearm ? "re-armed" : "killed");
        std::vector<int> ticks;
        QtTimerService* service = nullptr;
        QtTimerService timers([&](int id) {
            ticks.push_back(id);
            // The first handler to run deals with the other timer's waiting tick.
            service->kill(5);
            if (rearm) {
                service->arm(4, 100000);
            } else {
                service->kill(4);
            }
        });
        service = &timers;
        timers.arm(5, 20);
        timers.arm(4, 20);
        // Hold the thread until both are due, so that both ticks wait in the queue together.
        QElapsedTimer busy;
        busy.start();
        while (busy.elapsed() < 60) {
        }
        runNestedLoop(100);
        EXPECT_EQ(ticks.size(), 1u);
    }
}

// What the program does first when it ends: after killAll nothing ticks, neither the timers
// still armed nor the ticks already waiting in the queue.
TEST(QtTimerService, AfterKillAllNoTimerTicksAndNoWaitingTickArrives) {
    std::vector<int> ticks;
    QtTimerService* service = nullptr;
    QtTimerService timers([&](int id) {
        ticks.push_back(id);
        service->killAll();  // the first tick to run ends it all
    });
    service = &timers;
    for (const int id : {1, 3, 4, 6, 7}) timers.arm(id, 20);
    // Hold the thread until all are due, so that their ticks wait in the queue together.
    QElapsedTimer busy;
    busy.start();
    while (busy.elapsed() < 60) {
    }
    runNestedLoop(200);
    EXPECT_EQ(ticks.size(), 1u);
    timers.arm(3, 20);  // a timer armed afterwards ticks again
    runNestedLoop(100);
    EXPECT_EQ(ticks.size(), 2u);
}

}  // namespace
}  // namespace mensora
