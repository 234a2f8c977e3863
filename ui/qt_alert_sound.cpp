#include "ui/qt_alert_sound.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include "ui/after_first_paint.h"

// The wave lives in the resources of the UI library; a static library's resources must be
// registered by name, outside any namespace.
static void registerAlertWave() { Q_INIT_RESOURCE(mensora); }

namespace mensora {

QtAlertSound::QtAlertSound(QWidget& window) {
    registerAlertWave();
    // Ready before the first beep, yet not in the window's way: opening the audio output
    // starts the platform's sound server connection.
    afterFirstPaint(window, *this, [this] { readyToPlay(); });
}

QtAlertSound::~QtAlertSound() = default;

void QtAlertSound::playLooped() {
    if (!readyToPlay()) return;
    // A start while it sounds begins the wave again, as every new record does.
    effect_->stop();
    effect_->play();
}

void QtAlertSound::stop() {
    if (effect_) effect_->stop();
}

// Follows the default output, which may appear (a headset plugged in) or change while the
// program runs. Without one nothing is loaded: loading for no device only yields a warning.
bool QtAlertSound::readyToPlay() {
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull()) return false;
    if (!effect_) {
        effect_ = std::make_unique<QSoundEffect>(output);
        effect_->setLoopCount(QSoundEffect::Infinite);
    }
    if (effect_->audioDevice() != output) effect_->setAudioDevice(output);
    if (effect_->source().isEmpty()) effect_->setSource(QUrl(QStringLiteral("qrc:/alert.wav")));
    return true;
}

}  // namespace mensora
