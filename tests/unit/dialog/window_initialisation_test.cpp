// What the main window shows and holds once it has initialised itself from the settings
// store, before the first timer can tick: language, captions, locked controls, parameters.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/control_ids.h"
#include "base/control_table.h"
#include "base/texts.h"
#include "tests/support/dialog_rig.h"

namespace mensora {
namespace {

using Rig = test::DialogRig<>;

TEST(WindowInitialisation, AFirstRunShowsTheDefaultParameters) {
    for (const std::int32_t language : {1, 2}) {
        SCOPED_TRACE(language);
        Rig b({{"Language", language}});
        EXPECT_EQ(b.window.text(NominalField), "2");
        EXPECT_EQ(b.window.text(UpperToleranceField), "3");
        EXPECT_EQ(b.window.text(LowerToleranceField), "1");
        EXPECT_EQ(b.window.text(SampleIntervalField), "200");
        EXPECT_EQ(b.window.selectedItem(SoundList), language == 2 ? "off" : "无");
        EXPECT_EQ(b.window.selectedItem(UnitList), "mm");
        const Parameters& p = b.state.parameters;
        // The stored thousandths times the single-precision 0.001, which is a hair above a
        // thousandth: 3000 of them round to the float just above 3.
        EXPECT_EQ(p.nominal, 2.0f);
        EXPECT_EQ(p.upperTolerance, 3.0000002384185791015625f);
        EXPECT_EQ(p.lowerTolerance, 1.0f);
        EXPECT_EQ(p.beepEnabled, RecordSound::Off);
        EXPECT_EQ(p.unitIndex, 0);
    }
}

TEST(WindowInitialisation, StoredEnglishPutsEveryEnglishCaptionOnAndChecksEnglish) {
    Rig b({{"Language", 2}});
    EXPECT_TRUE(b.window.isChecked(EnglishRadio));
    EXPECT_FALSE(b.window.isChecked(ChineseRadio));
    EXPECT_EQ(b.state.storedLanguage, 2);
    for (const DialogControl& c : controlTable()) {
        if (c.id == 0 || c.chinese == nullptr) continue;
        EXPECT_EQ(b.window.text(c.id), captionFor(c, Language::English)) << c.id;
    }
    EXPECT_EQ(b.window.listItems.at(SoundList), (std::vector<std::string>{"off", "on"}));
    EXPECT_EQ(b.window.listItems.at(UnitList),
              (std::vector<std::string>{"mm", "inch", "°  ", "  "}));
    EXPECT_EQ(b.window.recordListLanguage, Language::English);
}

TEST(WindowInitialisation, AnyOtherStoredLanguageKeepsTheChineseCaptionsAndItsStoredValue) {
    for (const std::int32_t stored : {1, 3, 0, -1}) {
        SCOPED_TRACE(stored);
        Rig b({{"Language", stored}});
        EXPECT_TRUE(b.window.isChecked(ChineseRadio));
        EXPECT_FALSE(b.window.isChecked(EnglishRadio));
        EXPECT_EQ(b.state.storedLanguage, stored);
        EXPECT_EQ(b.window.text(ConnectButton), "打开设备");
        EXPECT_EQ(b.window.text(1044), "采集间隔");
        EXPECT_EQ(b.window.listItems.at(SoundList), (std::vector<std::string>{"无", "有"}));
        EXPECT_EQ(b.window.recordListSetUps, 1);
        EXPECT_EQ(b.window.recordListLanguage, Language::Chinese);
    }
}

TEST(WindowInitialisation, AStoredThreeShowsChineseAndClickingChineseAsksForARestart) {
    Rig b({{"Language", 3}});
    b.dialog.onCommand(ChineseRadio);
    EXPECT_EQ(b.window.messageTexts(), std::vector<std::string>{texts::kLanguageChanged.chinese});
    EXPECT_EQ(b.settings.values.at("Language"), 1);
}

TEST(WindowInitialisation, ButtonsThatNeedAGaugeAndTheParametersStartLocked) {
    Rig b;
    for (const int id : {ZeroButton, AutoButton, ManualButton, NominalField, UpperToleranceField,
                         LowerToleranceField, SampleIntervalField, SoundList, UnitList}) {
        EXPECT_FALSE(b.window.isEnabled(id)) << id;
    }
    for (const int id : {ConnectButton, SaveButton, ClearButton, ParametersButton, LiveValue,
                         ChineseRadio, EnglishRadio, AutosaveCheck}) {
        EXPECT_TRUE(b.window.isEnabled(id)) << id;
    }
}

struct StoredParameters {
    test::StoredSettings stored;
    const char* nominal;
    const char* period;
    const char* sound;  // the selected item in the Chinese interface
    const char* unit;
};

const StoredParameters kStored[] = {
    // 0.02 comes back as stored by the panel; the period is used as stored, even below 100.
    {{{"m_Text9", 20}, {"m_Text12", 50}}, "0.02", "50", "无", "mm"},
    {{{"m_Text9", -1500}, {"m_Text12", 0}, {"COMBO1", 1}, {"COMBO2", 2}}, "-1.5", "0", "有", "°  "},
    {{{"m_Text9", 2300}, {"COMBO2", 3}}, "2.3", "200", "无", "  "},
    // A list stored with no selection shows none; each index is kept in one byte.
    {{{"COMBO1", 255}, {"COMBO2", 255}}, "2", "200", "(none)", "(none)"},
    {{{"COMBO1", 256}, {"COMBO2", 257}}, "2", "200", "无", "inch"},
};

TEST(WindowInitialisation, StoredParametersAreShownAndJudgedAsStored) {
    for (const StoredParameters& c : kStored) {
        SCOPED_TRACE(c.nominal);
        Rig b(c.stored);
        EXPECT_EQ(b.window.text(NominalField), c.nominal);
        EXPECT_EQ(b.window.text(SampleIntervalField), c.period);
        EXPECT_EQ(b.window.selectedItem(SoundList), c.sound);
        EXPECT_EQ(b.window.selectedItem(UnitList), c.unit);
        const Parameters& p = b.state.parameters;
        EXPECT_EQ(p.nominal, p.shownNominal);
        EXPECT_EQ(p.upperTolerance, p.shownUpperTolerance);
        EXPECT_EQ(p.lowerTolerance, p.shownLowerTolerance);
    }
}

TEST(WindowInitialisation, TheLinkStaysIdleAndNoTimerRunsUntilTheOperatorActs) {
    Rig b({{"ComID", 3}, {"Baudrate", 4800}});
    EXPECT_FALSE(b.state.linkConnected);
    EXPECT_FALSE(b.state.portOpen);
    EXPECT_TRUE(b.clock.armLog().empty());
    EXPECT_TRUE(b.serial.opens.empty());
    EXPECT_TRUE(b.window.messages.empty());
    EXPECT_EQ(b.window.text(CountField), "0");
    EXPECT_EQ(b.state.statistics.live.minimum, 999999.0f);
}

}  // namespace
}  // namespace mensora
