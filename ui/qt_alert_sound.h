#pragma once
#include <QObject>
#include <QWidget>
#include <memory>

#include "base/alert_sound.h"

class QSoundEffect;

namespace mensora {

// The alert beep, the wave embedded in the program, on the machine's default audio output.
// Every start plays it again from its beginning, looping until stopped. A machine without
// an audio output (a server, a test run) plays nothing and says nothing.
//
// The audio system is started and the wave loaded once `window` has first been painted, so
// that the window does not wait for them, and long before a user can ask for a beep; a beep
// asked for earlier loads them on the spot.
class QtAlertSound : public QObject, public AlertSound {
public:
    explicit QtAlertSound(QWidget& window);
    ~QtAlertSound() override;
    void playLooped() override;
    void stop() override;

private:
    bool readyToPlay();

    std::unique_ptr<QSoundEffect> effect_;  // made with the first readyToPlay()
};

}  // namespace mensora
