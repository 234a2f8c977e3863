#pragma once
// Calls from the writers of the records brought to the window's thread as queued calls.

#include <QObject>

#include "base/window_thread.h"

namespace mensora {

class QtWindowThread : public WindowThread {
public:
    void post(std::function<void()> call) override;

private:
    // Lives on the window's thread; calls still queued when it goes are dropped with it.
    QObject receiver_;
};

}  // namespace mensora
