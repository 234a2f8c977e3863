#include "ui/qt_alert_sound.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QString>
#include <utility>

// The wave lives in the resources of the UI library; a static library's resources must be
// registered by name, outside any namespace.
static void registerAlertWave() { Q_INIT_RESOURCE(mensora); }

namespace mensora {
namespace {

using MakeAlertSound = AlertSound* (*)();

std::unique_ptr<AlertSound> loadBackEnd(const QStringList& folders) {
    for (const QString& folder : folders) {
        QLibrary module(folder + QStringLiteral("/" MENSORA_SOUND_MODULE));
        const auto make = reinterpret_cast<MakeAlertSound>(module.resolve("mensoraMakeAlertSound"));
        if (make != nullptr) return std::unique_ptr<AlertSound>(make());
    }
    return nullptr;
}

}  // namespace

QStringList alertSoundModuleFolders() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {programFolder, programFolder + QStringLiteral("/" MENSORA_SOUND_MODULE_DIR)};
}

QtAlertSound::QtAlertSound(QStringList moduleFolders) : moduleFolders_(std::move(moduleFolders)) {
    registerAlertWave();
}

QtAlertSound::~QtAlertSound() = default;

void QtAlertSound::playLooped() {
    if (!loadTried_) {
        loadTried_ = true;
        backEnd_ = loadBackEnd(moduleFolders_);
    }
    if (backEnd_) backEnd_->playLooped();
}

void QtAlertSound::stop() {
    if (backEnd_) backEnd_->stop();
}

}  // namespace mensora
