#pragma once
// Records going out (a workbook, the journal, the plant database) are written away from the
// window's thread, which never waits for a disk or a network. What that work has to tell the
// window (progress, done, a failure) comes back through this port: the front end runs each
// call on the window's thread, in the order posted (Qt: a queued call; Win32: a posted
// message). The tests' own version runs the calls when the test lets it, so they stay exact.

#include <functional>

namespace mensora {

class WindowThread {
public:
    virtual ~WindowThread() = default;
    // Safe from any thread. `call` runs later on the window's thread, never inside post();
    // calls still waiting when the window goes are dropped.
    virtual void post(std::function<void()> call) = 0;
};

}  // namespace mensora
