#pragma once
#include "base/clock.h"

namespace mensora {

// The machine's local time and a real blocking pause.
class SystemClock : public Clock {
public:
    LocalDateTime localNow() override;
    void pause(std::uint32_t ms) override;
};

}  // namespace mensora
