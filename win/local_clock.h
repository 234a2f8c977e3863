#pragma once
// The system's local time and a plain pause of the user-interface thread.

#include "base/clock.h"

namespace mensora {

class LocalClock final : public Clock {
public:
    LocalDateTime localNow() override;
    void pause(std::uint32_t ms) override;
};

}  // namespace mensora
