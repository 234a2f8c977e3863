// The per-user settings store on QSettings, against a real file in a private folder.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include "base/settings_keys.h"
#include "ui/qt_settings_store.h"

namespace mensora {
namespace {

QSettings rawSettings() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Mensora",
                     QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
}

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The test runs with a private XDG_CONFIG_HOME; start every case from an empty file.
        ASSERT_TRUE(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"));
        QSettings raw = rawSettings();
        raw.clear();
        raw.sync();
    }
};

TEST_F(SettingsStoreTest, FirstRunGivesEveryKeyItsDefault) {
    QtSettingsStore store;
    const std::pair<const char*, std::int32_t> expected[] = {
        {"Language", 1},    {"m_Text9", 2000}, {"m_Text10", 3000},
        {"m_Text11", 1000}, {"m_Text12", 200}, {"COMBO1", 0},
        {"COMBO2", 0},      {"ComID", 1},      {"Baudrate", 9600}};
    ASSERT_EQ(std::size(settings::kAll), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_STREQ(settings::kAll[i].name, expected[i].first);
        EXPECT_EQ(getSetting(store, settings::kAll[i]), expected[i].second) << expected[i].first;
    }
}

TEST_F(SettingsStoreTest, APutSurvivesANewStoreOnTheSameFileAndLandsInTheSettingsGroup) {
    {
        QtSettingsStore store;
        putSetting(store, settings::kPortIndex, 7);
        putSetting(store, settings::kNominal, -2147483647 - 1);
    }
    QtSettingsStore reopened;
    EXPECT_EQ(getSetting(reopened, settings::kPortIndex), 7);
    EXPECT_EQ(getSetting(reopened, settings::kNominal), INT32_MIN);

    const QString file = rawSettings().fileName();
    EXPECT_TRUE(file.endsWith(
        "Mensora/" + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() +
        ".conf"))
        << file.toStdString();
    EXPECT_EQ(rawSettings().value("Settings/ComID").toInt(), 7);
}

TEST_F(SettingsStoreTest, AValueThatIsNotA32BitIntegerReadsAsTheDefault) {
    const std::pair<const char*, QVariant> garbage[] = {{"m_Text9", "abc"},
                                                        {"m_Text10", "2.5"},
                                                        {"m_Text11", "4294967296"},
                                                        {"m_Text12", ""},
                                                        {"COMBO1", "1x"}};
    {
        QSettings raw = rawSettings();
        for (const auto& [key, value] : garbage) raw.setValue(QString("Settings/") + key, value);
        raw.setValue("Settings/COMBO2", " 3 ");
    }
    QtSettingsStore store;
    for (const auto& [key, value] : garbage) EXPECT_EQ(store.get(key, -77), -77) << key;
    EXPECT_EQ(store.get("COMBO2", -77), 3);
}

// The part and lot are texts of any script, kept in their own group, never among the nine
// integer keys of [Settings].
TEST_F(SettingsStoreTest, ATextSurvivesANewStoreInItsOwnGroup) {
    {
        QtSettingsStore store;
        store.putText("Trace", "Part", "零件-7 A");
    }
    QtSettingsStore reopened;
    EXPECT_EQ(reopened.getText("Trace", "Part"), std::optional<std::string>("零件-7 A"));
    EXPECT_EQ(reopened.getText("Trace", "Lot"), std::nullopt);
    EXPECT_EQ(rawSettings().value("Trace/Part").toString(), QString::fromUtf8("零件-7 A"));
    EXPECT_FALSE(rawSettings().contains("Settings/Part"));
}

TEST_F(SettingsStoreTest, APortMappingIsReadFromThePortsGroup) {
    {
        QSettings raw = rawSettings();
        raw.setValue("Ports/COM3", "/dev/serial/by-id/usb-gauge");
    }
    QtSettingsStore store;
    EXPECT_EQ(store.portOverride("COM3"),
              std::optional<std::string>("/dev/serial/by-id/usb-gauge"));
    EXPECT_EQ(store.portOverride("COM4"), std::nullopt);
}

}  // namespace
}  // namespace mensora
