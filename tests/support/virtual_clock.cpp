#include "tests/support/virtual_clock.h"

#include <limits>

namespace mensora::test {
namespace {

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian).
std::int64_t daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = static_cast<int>(y - era * 400);
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(std::int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = static_cast<int>(z - era * 146097);
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp + (mp < 10 ? 3 : -9);
    y = static_cast<int>(yoe + era * 400) + (m <= 2);
}

}  // namespace

LocalDateTime VirtualClock::localNow() {
    const std::int64_t startSeconds = daysFromCivil(start_.year, start_.month, start_.day) * 86400 +
                                      start_.hour * 3600 + start_.minute * 60 + start_.second;
    const std::int64_t seconds = startSeconds + static_cast<std::int64_t>(nowMs_ / 1000);
    LocalDateTime now;
    civilFromDays(seconds / 86400, now.year, now.month, now.day);
    const std::int64_t inDay = seconds % 86400;
    now.hour = static_cast<int>(inDay / 3600);
    now.minute = static_cast<int>(inDay / 60 % 60);
    now.second = static_cast<int>(inDay % 60);
    return now;
}

void VirtualClock::advance(std::uint64_t ms) {
    const std::uint64_t target = nowMs_ + ms;
    for (;;) {
        int nextId = 0;
        std::uint64_t nextDue = std::numeric_limits<std::uint64_t>::max();
        for (const auto& [id, timer] : timers_) {
            if (timer.dueMs < nextDue) {
                nextDue = timer.dueMs;
                nextId = id;
            }
        }
        if (nextId == 0 || nextDue > target) break;
        // A tick that came due during a pause fires late, as on the real thread.
        if (nowMs_ < nextDue) nowMs_ = nextDue;
        Armed& timer = timers_.at(nextId);
        // A period of 0 would never let time move on; the dialog's floor prevents it, and
        // this keeps a test that bypasses the floor from hanging.
        timer.dueMs = nowMs_ + (timer.periodMs == 0 ? 1 : timer.periodMs);
        if (onTick_) onTick_(nextId);
    }
    if (nowMs_ < target) nowMs_ = target;  // a pause inside a tick has already moved time on
}

}  // namespace mensora::test
