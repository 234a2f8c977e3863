#include "win/local_clock.h"

#include <windows.h>

namespace mensora {

LocalDateTime LocalClock::localNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

void LocalClock::pause(std::uint32_t ms) { Sleep(ms); }

}  // namespace mensora
