#pragma once
#include <cstdint>

namespace mensora {

// Window timers by id. A timer is periodic until killed; arming an armed id replaces its
// period and restarts its countdown; killing an unarmed id is harmless. Ticks arrive on the
// user-interface thread through MainDialog::onTimer.
class TimerService {
public:
    virtual ~TimerService() = default;
    virtual void arm(int id, std::uint32_t periodMs) = 0;
    virtual void kill(int id) = 0;
};

}  // namespace mensora
