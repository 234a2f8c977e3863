// The alert beep on the platform's audio system. Built as a module of its own and loaded by
// the program only when a beep is first asked for, so that the audio libraries (Qt
// Multimedia and the sound server's client with its codecs) cost a session that never
// beeps neither start-up time nor memory.
#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include "base/alert_sound.h"

namespace mensora {
namespace {

// The wave embedded in the program, on the machine's default audio output. Every start
// plays it again from its beginning, looping until stopped. A machine without an audio
// output (a server, a test run) plays nothing and says nothing.
class SoundEffectAlert final : public AlertSound {
public:
    SoundEffectAlert() { effect_.setLoopCount(QSoundEffect::Infinite); }

    void playLooped() override {
        if (!readyToPlay()) return;
        // A start while it sounds begins the wave again, as every new record does.
        effect_.stop();
        effect_.play();
    }

    void stop() override { effect_.stop(); }

private:
    // Follows the default output, which may appear (a headset plugged in) or change while
    // the program runs. Without one nothing is loaded: loading for no device only yields a
    // warning.
    bool readyToPlay() {
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (output.isNull()) return false;
        if (effect_.audioDevice() != output) effect_.setAudioDevice(output);
        if (effect_.source().isEmpty()) effect_.setSource(QUrl(QStringLiteral("qrc:/alert.wav")));
        return true;
    }

    QSoundEffect effect_;
};

}  // namespace
}  // namespace mensora

// The module's one entry point, found by name; the program owns what it returns.
extern "C" Q_DECL_EXPORT mensora::AlertSound* mensoraMakeAlertSound() {
    return new mensora::SoundEffectAlert();
}
