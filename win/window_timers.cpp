#include "win/window_timers.h"

namespace mensora {

void WindowTimers::arm(int id, std::uint32_t periodMs) {
    if (window_ != nullptr) SetTimer(window_, static_cast<UINT_PTR>(id), periodMs, nullptr);
}

void WindowTimers::kill(int id) {
    if (window_ != nullptr) KillTimer(window_, static_cast<UINT_PTR>(id));
}

}  // namespace mensora
