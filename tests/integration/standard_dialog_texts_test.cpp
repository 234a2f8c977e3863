// Qt's own texts on standard buttons and the save dialog follow the interface language.

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <gtest/gtest.h>

#include "ui/mensora_program.h"

namespace mensora {
namespace {

void storeLanguage(int language) {
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Mensora",
              QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName())
        .setValue("Settings/Language", language);
}

QString yesButtonText() { return QCoreApplication::translate("QPlatformTheme", "&Yes"); }

TEST(StandardDialogTexts, AChineseInterfaceAsksWithChineseStandardButtons) {
    storeLanguage(1);
    {
        MensoraProgram program;
        EXPECT_EQ(yesButtonText(), QString::fromUtf8("是(&Y)"));
    }
    // Gone with the program that installed them.
    EXPECT_EQ(yesButtonText(), "&Yes");
}

TEST(StandardDialogTexts, AnEnglishInterfaceKeepsQtsEnglishTexts) {
    storeLanguage(2);
    MensoraProgram program;
    EXPECT_EQ(yesButtonText(), "&Yes");
}

}  // namespace
}  // namespace mensora
