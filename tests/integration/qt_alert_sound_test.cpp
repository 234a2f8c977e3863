// The alert sound's audio module is loaded at the first beep, from where the program keeps
// it; where it is missing the program goes on without sound. (The machines the tests run
// on may have no audio output: the module then plays nothing.)

#include <QString>
#include <gtest/gtest.h>

#include "ui/qt_alert_sound.h"

namespace mensora {
namespace {

TEST(QtAlertSound, LoadsItsAudioModuleAtTheFirstBeepOnly) {
    QtAlertSound sound(
        {QStringLiteral("/nonexistent"), QStringLiteral(MENSORA_SOUND_MODULE_FOLDER)});
    EXPECT_FALSE(sound.hasBackEnd());
    sound.stop();  // a stop before any beep needs no audio system
    EXPECT_FALSE(sound.hasBackEnd());
    sound.playLooped();
    EXPECT_TRUE(sound.hasBackEnd());
    sound.stop();
}

TEST(QtAlertSound, WithoutItsModuleBeepsAreSilentAndHarmless) {
    QtAlertSound sound({QStringLiteral("/nonexistent")});
    sound.playLooped();
    sound.playLooped();
    sound.stop();
    EXPECT_FALSE(sound.hasBackEnd());
}

TEST(QtAlertSound, TheProgramLooksBesideItselfThenInItsLibraryFolder) {
    const QStringList folders = alertSoundModuleFolders();
    ASSERT_EQ(folders.size(), 2);
    EXPECT_TRUE(folders[1].startsWith(folders[0] + u'/'));
    EXPECT_TRUE(folders[1].endsWith(QStringLiteral("/mensora")));
}

}  // namespace
}  // namespace mensora
