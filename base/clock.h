#pragma once
#include <cstdint>

namespace mensora {

// Local broken-down time in whole seconds.
struct LocalDateTime {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
};

// Time as the program's logic sees it; injected so that every rule can be tested without
// waiting.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime localNow() = 0;
    // A short blocking pause of the user-interface thread (the zero command's 2 ms).
    virtual void pause(std::uint32_t ms) = 0;
};

}  // namespace mensora
