#pragma once
// The window timers of Windows, by id, on the main window: WM_TIMER carries the id to the
// dialog's onTimer. Setting an armed id again replaces its period and restarts its
// countdown; killing removes any tick already waiting.

#include <windows.h>

#include "base/timer_service.h"

namespace mensora {

class WindowTimers final : public TimerService {
public:
    // Timers need the window: they are armed only once it exists.
    void attach(HWND window) { window_ = window; }
    void arm(int id, std::uint32_t periodMs) override;
    void kill(int id) override;

private:
    HWND window_ = nullptr;
};

}  // namespace mensora
