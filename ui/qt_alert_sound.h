#pragma once
#include <QStringList>
#include <memory>

#include "base/alert_sound.h"

namespace mensora {

// Where the audio module lies: the program's own folder (the build tree), then the
// program's library folder once installed. Needs the QApplication.
QStringList alertSoundModuleFolders();

// The alert beep: the wave embedded in the program, on the machine's default audio output.
// The audio back end is a module of its own (ui/sound/), loaded at the first beep, so that
// neither start-up nor a session without beeps pays for the audio libraries. Without the
// module or an audio output (a server, a test run) it plays nothing and says nothing.
class QtAlertSound : public AlertSound {
public:
    explicit QtAlertSound(QStringList moduleFolders = alertSoundModuleFolders());
    ~QtAlertSound() override;
    void playLooped() override;
    void stop() override;

    // Whether the first beep found the audio module.
    bool hasBackEnd() const { return backEnd_ != nullptr; }

private:
    QStringList moduleFolders_;
    std::unique_ptr<AlertSound> backEnd_;  // from the module, once loaded
    bool loadTried_ = false;
};

}  // namespace mensora
