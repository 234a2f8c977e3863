#pragma once
#include <QSoundEffect>

#include "base/alert_sound.h"

namespace mensora {

// The alert beep, the wave embedded in the program, on the machine's default audio output.
// Every start plays it again from its beginning, looping until stopped. A machine without
// an audio output (a server, a test run) plays nothing and says nothing.
class QtAlertSound : public AlertSound {
public:
    QtAlertSound();
    void playLooped() override;
    void stop() override;

private:
    bool readyToPlay();

    QSoundEffect effect_;
};

}  // namespace mensora
