#pragma once
#include <chrono>
#include <functional>

namespace mensora {

// Lets the window's timers and events run until done() holds; false when patience ran out
// first. For the programs that drive the real window from outside: the demo tour and the
// end-to-end tests.
bool runEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds patience);

}  // namespace mensora
