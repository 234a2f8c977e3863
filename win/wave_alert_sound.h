#pragma once
// The alert wave linked into the executable, played by the system's sound player.

#include "base/alert_sound.h"

namespace mensora {

class WaveAlertSound final : public AlertSound {
public:
    void playLooped() override;
    void stop() override;
};

}  // namespace mensora
