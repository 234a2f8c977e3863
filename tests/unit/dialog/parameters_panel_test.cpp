// The parameters panel, driven through the dialog: what the button does to the window, what
// it adopts for judging and what it leaves in the settings store, with timers under virtual
// time.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/control_ids.h"
#include "base/number_text.h"
#include "base/timer_ids.h"
#include "tests/support/dialog_rig.h"

namespace mensora {
namespace {

using Puts = std::vector<std::pair<std::string, std::int32_t>>;

constexpr int kSixControls[] = {NominalField,        UpperToleranceField, LowerToleranceField,
                                SampleIntervalField, SoundList,           UnitList};

// The window after a start from the stored settings, with a reading of 12.345 on the screen.
struct PanelRig : test::DialogRig<> {
    explicit PanelRig(std::int32_t language = kStoredChinese, test::StoredSettings stored = {})
        : DialogRig(withLanguage(std::move(stored), language)) {
        state.reading.valueText = "12.345";
        state.reading.value = 12.345f;
        window.setText(LiveValue, state.reading.valueText);
        window.enableCalls.clear();
    }
    static test::StoredSettings withLanguage(test::StoredSettings stored, std::int32_t language) {
        stored["Language"] = language;
        return stored;
    }

    using DialogRig::click;
    void click() { click(ParametersButton); }

    std::vector<float> judgingValues() const {
        const Parameters& p = state.parameters;
        return {p.nominal, p.upperTolerance, p.lowerTolerance};
    }

    void expectClosed(const char* caption) const {
        EXPECT_FALSE(state.paramEditMode);
        EXPECT_EQ(window.text(ParametersButton), caption);
        for (const int id : kSixControls) EXPECT_FALSE(window.isEnabled(id)) << id;
        EXPECT_TRUE(window.isEnabled(LiveValue));
    }
    // Open after a refused confirmation: editable, yet the button already reads Parameters.
    void expectOpenAfterRefusal(const char* caption) const {
        EXPECT_TRUE(state.paramEditMode);
        EXPECT_EQ(window.text(ParametersButton), caption);
        for (const int id : kSixControls) EXPECT_TRUE(window.isEnabled(id)) << id;
        EXPECT_TRUE(window.isEnabled(LiveValue));
    }
};

// The judging values a first start gives: the default thousandths times 0.001f, which is not
// exactly 2, 3 and 1.
const std::vector<float> kDefaultJudging = {2000 * 0.001f, 3000 * 0.001f, 1000 * 0.001f};

// ---------------------------------------------------------------- states of the panel

struct LanguageCase {
    std::int32_t language;
    const char* parametersCaption;
    const char* confirmCaption;
    const char* autoStartCaption;
};
const LanguageCase kLanguages[] = {
    {kStoredChinese, "参数设置", "确定", "自动采集"},
    {kStoredEnglish, "Parameters", "OK", "Auto Start"},
};

TEST(ParametersPanel, OpeningUnlocksTheSixFieldsInOrderAndConfirmingLocksThemAgain) {
    for (const auto& lang : kLanguages) {
        SCOPED_TRACE(lang.language);
        PanelRig b(lang.language);
        // Left over from someone typing into locked fields: opening shows the shown copies.
        b.type(NominalField, "junk");
        b.type(SampleIntervalField, "junk");

        b.click();

        EXPECT_TRUE(b.state.paramEditMode);
        EXPECT_EQ(b.window.text(ParametersButton), lang.confirmCaption);
        const std::vector<std::pair<int, bool>> opened = {{1011, true}, {1012, true}, {1013, true},
                                                          {1015, true}, {1006, true}, {1014, true},
                                                          {1001, false}};
        EXPECT_EQ(b.window.enableCalls, opened);
        EXPECT_EQ(b.window.text(NominalField), "2");
        EXPECT_EQ(b.window.text(SampleIntervalField), "200");
        b.window.enableCalls.clear();

        b.click();

        b.expectClosed(lang.parametersCaption);
        const std::vector<std::pair<int, bool>> closed = {
            {1001, true},  {1011, false}, {1012, false}, {1013, false},
            {1015, false}, {1006, false}, {1014, false}};
        EXPECT_EQ(b.window.enableCalls, closed);
        EXPECT_TRUE(b.window.messages.empty());
    }
}

// ---------------------------------------------------------------- automatic recording

TEST(ParametersPanel, OpeningDuringAutomaticRecordingStopsItAndConfirmingDoesNotRestartIt) {
    for (const auto& lang : kLanguages) {
        SCOPED_TRACE(lang.language);
        PanelRig b(lang.language);
        b.click(AutoButton);
        b.clock.advance(450);
        ASSERT_EQ(b.window.appendedRows, 2);

        b.click();

        EXPECT_FALSE(b.state.autoSampling);
        EXPECT_FALSE(b.clock.isArmed(AutoSampleTimer));
        EXPECT_EQ(b.window.text(AutoButton), lang.autoStartCaption);
        b.clock.advance(1000);
        EXPECT_EQ(b.window.appendedRows, 2) << "no recording while the panel is open";

        b.click();

        EXPECT_FALSE(b.state.autoSampling);
        EXPECT_FALSE(b.clock.isArmed(AutoSampleTimer));
        b.clock.advance(1000);
        EXPECT_EQ(b.window.appendedRows, 2) << "confirming must not restart automatic recording";
    }
}

TEST(ParametersPanel, AutoWhileThePanelIsOpenTakesATyped20MsAsTypedAndTheButtonStopsIt) {
    PanelRig b(kStoredEnglish);
    b.click();
    b.type(SampleIntervalField, "20");

    b.click(AutoButton);

    ASSERT_TRUE(b.clock.isArmed(AutoSampleTimer));
    EXPECT_EQ(b.clock.periodOf(AutoSampleTimer), 20u);
    b.clock.advance(100);
    EXPECT_EQ(b.window.appendedRows, 5);

    b.click();

    EXPECT_FALSE(b.state.autoSampling);
    EXPECT_FALSE(b.clock.isArmed(AutoSampleTimer));
    EXPECT_EQ(b.window.text(AutoButton), "Auto Start");
    b.expectClosed("Parameters");
    EXPECT_EQ(b.window.messageTexts(), std::vector<std::string>{"自动采集时间不能低于100毫秒!"});
    EXPECT_EQ(b.settings.values.at("m_Text12"), 100);
    b.clock.advance(1000);
    EXPECT_EQ(b.window.appendedRows, 5);
}

TEST(ParametersPanel, AStoredPeriodBelow100StaysInUseUntilTheNextConfirmation) {
    PanelRig b(kStoredChinese, {{"m_Text12", 50}});
    EXPECT_EQ(b.window.text(SampleIntervalField), "50");

    b.click(AutoButton);
    EXPECT_EQ(b.clock.periodOf(AutoSampleTimer), 50u);
    b.click(AutoButton);

    b.click();  // opening alone does not touch the period
    EXPECT_EQ(b.state.parameters.sampleIntervalMs, 50u);
    EXPECT_EQ(b.window.text(SampleIntervalField), "50");
    b.click();
    EXPECT_EQ(b.state.parameters.sampleIntervalMs, 100u);

    b.click(AutoButton);
    EXPECT_EQ(b.clock.periodOf(AutoSampleTimer), 100u);
}

// ---------------------------------------------------------------- sampling period floor

TEST(ParametersPanel, APeriodBelow100IsRaisedShownReportedInChineseAndStored) {
    struct Case {
        const char* typed;
        std::int32_t language;
        const char* shown;
        std::int32_t stored;
        bool reported;
    };
    const Case cases[] = {
        {"50", kStoredEnglish, "100", 100, true},
        {"50", kStoredChinese, "100", 100, true},
        {"0", kStoredChinese, "100", 100, true},
        {"99", kStoredEnglish, "100", 100, true},
        {"100", kStoredChinese, "100", 100, false},
        {"20000", kStoredEnglish, "20000", 20000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " / " + std::to_string(c.language));
        PanelRig b(c.language);
        b.click();
        b.type(SampleIntervalField, c.typed);
        std::string fieldWhileReported;
        b.window.onMessage = [&] { fieldWhileReported = b.window.text(SampleIntervalField); };

        b.click();
        b.window.onMessage = nullptr;

        EXPECT_EQ(b.window.text(SampleIntervalField), c.shown);
        EXPECT_EQ(b.settings.values.at("m_Text12"), c.stored);
        if (c.reported) {
            EXPECT_EQ(b.window.messageTexts(),
                      std::vector<std::string>{"自动采集时间不能低于100毫秒!"});
            EXPECT_EQ(fieldWhileReported, "100") << "the raised period is on screen first";
        } else {
            EXPECT_TRUE(b.window.messages.empty());
        }
    }
}

// ---------------------------------------------------------------- tolerance check

TEST(ParametersPanel, UpperToleranceBelowLowerIsRefusedAndEqualPasses) {
    struct Case {
        const char* upper;
        const char* lower;
        bool accepted;
    };
    const Case cases[] = {
        {"1", "1", true},      {"0.999", "1", false}, {"1.001", "1", true},
        {"-1", "-0.5", false}, {"0", "-0", true},     {"-0.5", "-0.5", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.upper) + " vs " + c.lower);
        PanelRig b(kStoredEnglish);
        b.click();
        b.type(UpperToleranceField, c.upper);
        b.type(LowerToleranceField, c.lower);

        b.click();

        if (c.accepted) {
            b.expectClosed("Parameters");
            EXPECT_TRUE(b.window.messages.empty());
            EXPECT_EQ(b.state.parameters.upperTolerance, *parseFloat(c.upper));
            EXPECT_EQ(b.state.parameters.lowerTolerance, *parseFloat(c.lower));
        } else {
            b.expectOpenAfterRefusal("Parameters");
            EXPECT_EQ(b.window.messageTexts(), std::vector<std::string>{"上公差不能小于下公差!"});
            EXPECT_TRUE(b.settings.puts.empty());
            EXPECT_EQ(b.judgingValues(), kDefaultJudging);
            // The pull took the typed values into the shown copies; the fields keep them.
            EXPECT_EQ(b.state.parameters.shownUpperTolerance, *parseFloat(c.upper));
            EXPECT_EQ(b.window.text(UpperToleranceField), c.upper);
            EXPECT_EQ(b.window.text(LowerToleranceField), c.lower);
        }
    }
}

TEST(ParametersPanel, AfterTheToleranceMessageCorrectingAndClickingOnceClosesAndStores) {
    // A refusal must not sound the confirmation alert either.
    PanelRig b(kStoredChinese, {{"COMBO1", 1}});
    b.click();
    b.type(UpperToleranceField, "0.5");
    b.type(LowerToleranceField, "0.8");
    b.click();
    b.expectOpenAfterRefusal("参数设置");
    EXPECT_EQ(b.sound.starts, 0);

    b.type(UpperToleranceField, "0.9");
    b.click();

    b.expectClosed("参数设置");
    EXPECT_EQ(b.window.messageTexts(), std::vector<std::string>{"上公差不能小于下公差!"});
    EXPECT_EQ(b.judgingValues(), (std::vector<float>{2.0f, 0.9f, 0.8f}));
    const Puts expected = {{"m_Text9", 2000}, {"m_Text10", 900}, {"m_Text11", 800},
                           {"COMBO1", 1},     {"COMBO2", 0},     {"m_Text12", 200}};
    EXPECT_EQ(b.settings.puts, expected);
    EXPECT_EQ(b.sound.starts, 1);
}

// ---------------------------------------------------------------- stored form

TEST(ParametersPanel, SizesAreStoredAsThousandthsRoundedHalfAwayFromZero) {
    struct Case {
        const char* typed;
        std::int32_t stored;
        const char* shownAtNextStart;  // stored × 0.001f, as the window shows it
    };
    const Case cases[] = {
        {"0.02", 20, "0.02"},
        {"2.3", 2300, "2.3"},
        {"-2.3", -2300, "-2.3"},
        {"0.0005", 1, "0.001"},
        {"-0.0005", -1, "-0.001"},
        {"0.0004", 0, "0"},
        {"12.3456", 12346, "12.346"},
        {"-12.3456", -12346, "-12.346"},
        {"2147483.5", 2147483500, "2.14748e+06"},
        {"-2147483.5", -2147483500, "-2.14748e+06"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        PanelRig b;
        b.click();
        b.type(NominalField, c.typed);

        b.click();

        EXPECT_EQ(b.state.parameters.nominal, *parseFloat(c.typed));
        ASSERT_EQ(b.settings.values.count("m_Text9"), 1u);
        EXPECT_EQ(b.settings.values.at("m_Text9"), c.stored);
        EXPECT_EQ(formatFloat(static_cast<float>(b.settings.values.at("m_Text9")) * 0.001f),
                  c.shownAtNextStart);
    }
}

TEST(ParametersPanel, ConfirmationStoresEveryParameterInItsOrder) {
    PanelRig b;
    b.click();
    b.type(NominalField, " 10.5 ");
    b.type(UpperToleranceField, "0.02");
    b.type(LowerToleranceField, "-0.015");
    b.type(SampleIntervalField, "250");
    b.window.selectListItem(SoundList, 1);
    b.window.selectListItem(UnitList, 2);

    b.click();

    const Puts expected = {{"m_Text9", 10500}, {"m_Text10", 20}, {"m_Text11", -15},
                           {"COMBO1", 1},      {"COMBO2", 2},    {"m_Text12", 250}};
    EXPECT_EQ(b.settings.puts, expected);
    EXPECT_EQ(b.judgingValues(), (std::vector<float>{10.5f, 0.02f, -0.015f}));
    EXPECT_EQ(b.state.parameters.beepEnabled, RecordSound::On);
    EXPECT_EQ(b.state.parameters.unitIndex, 2);
    EXPECT_EQ(b.state.parameters.sampleIntervalMs, 250u);
    EXPECT_EQ(b.window.text(NominalField), "10.5") << "the final push shows what was stored";
}

TEST(ParametersPanel, SizesBeyondTheStoredRangeAreRefusedByNameAndNothingIsStored) {
    struct Case {
        int field;
        const char* typed;
        std::int32_t language;
        const char* message;
    };
    const Case cases[] = {
        {NominalField, "2147483.75", kStoredChinese, "标准尺寸超出范围 (±2,147,483.647)!"},
        {NominalField, "-3e9", kStoredEnglish, "STD is out of range (±2,147,483.647)!"},
        {UpperToleranceField, "1e9", kStoredChinese, "上公差超出范围 (±2,147,483.647)!"},
        {UpperToleranceField, "3e38", kStoredEnglish, "USL is out of range (±2,147,483.647)!"},
        {LowerToleranceField, "-2147483.75", kStoredChinese, "下公差超出范围 (±2,147,483.647)!"},
        {LowerToleranceField, "-1e12", kStoredEnglish, "LSL is out of range (±2,147,483.647)!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        PanelRig b(c.language, {{"COMBO1", 1}});
        b.click();
        b.type(c.field, c.typed);

        b.click();

        b.expectOpenAfterRefusal(c.language == kStoredEnglish ? "Parameters" : "参数设置");
        EXPECT_EQ(b.window.messageTexts(), std::vector<std::string>{c.message});
        EXPECT_TRUE(b.settings.puts.empty());
        EXPECT_EQ(b.judgingValues(), kDefaultJudging);
        EXPECT_EQ(b.window.text(c.field), c.typed);
        EXPECT_EQ(b.sound.starts, 0);

        // Once corrected, the same panel confirms.
        b.type(c.field, "1.5");
        b.click();
        b.expectClosed(c.language == kStoredEnglish ? "Parameters" : "参数设置");
        EXPECT_EQ(b.settings.puts.size(), 6u);
    }
}

// ---------------------------------------------------------------- lists and the alert

TEST(ParametersPanel, EveryConfirmationWithTheSoundOnSoundsTheAlertFor300Ms) {
    struct Case {
        int soundSelection;  // -1: nothing selected
        bool alert;
    };
    const Case cases[] = {{1, true}, {0, false}, {-1, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.soundSelection);
        PanelRig b;
        b.window.selectListItem(SoundList, c.soundSelection);
        for (int confirmation = 1; confirmation <= 2; ++confirmation) {
            SCOPED_TRACE(confirmation);
            b.click();
            b.click();
            if (!c.alert) {
                EXPECT_EQ(b.sound.starts, 0);
                EXPECT_FALSE(b.clock.isArmed(BeepStopTimer));
                continue;
            }
            EXPECT_EQ(b.sound.starts, confirmation);
            EXPECT_TRUE(b.sound.playing);
            ASSERT_TRUE(b.clock.isArmed(BeepStopTimer));
            EXPECT_EQ(b.clock.periodOf(BeepStopTimer), 300u);
            b.clock.advance(299);
            EXPECT_TRUE(b.sound.playing);
            b.clock.advance(1);
            EXPECT_FALSE(b.sound.playing);
        }
    }
}

TEST(ParametersPanel, AListWithNothingSelectedStores255) {
    struct Case {
        int soundSelection;
        int unitSelection;
        std::int32_t combo1;
        std::int32_t combo2;
    };
    const Case cases[] = {{-1, 3, 255, 3}, {0, -1, 0, 255}, {-1, -1, 255, 255}, {1, 1, 1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.soundSelection) + "," + std::to_string(c.unitSelection));
        PanelRig b;
        b.click();
        b.window.selectListItem(SoundList, c.soundSelection);
        b.window.selectListItem(UnitList, c.unitSelection);

        b.click();

        EXPECT_EQ(static_cast<int>(b.state.parameters.beepEnabled), c.combo1);
        EXPECT_EQ(b.state.parameters.unitIndex, c.combo2);
        EXPECT_EQ(b.settings.values.at("COMBO1"), c.combo1);
        EXPECT_EQ(b.settings.values.at("COMBO2"), c.combo2);
    }
}

TEST(ParametersPanel, TheUnitChosenIsShownWithTheNextGoodFrameAndNoSelectionIsBlank) {
    struct Case {
        int unitSelection;
        const char* unitText;
    };
    const Case cases[] = {{-1, "  "}, {3, "  "}, {0, "mm"}, {1, "in"}, {2, "°"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.unitSelection);
        PanelRig b;
        b.click();
        b.window.selectListItem(UnitList, c.unitSelection);
        b.click();

        b.linkWith(test::kAsciiFrame);

        EXPECT_EQ(b.state.reading.unitText, c.unitText);
        EXPECT_EQ(b.window.text(UnitLabel), c.unitText);
    }
}

// ---------------------------------------------------------------- unparsable fields

TEST(ParametersPanel, AnUnparsableFieldIsReportedOnEachPullAndTheStoredValuesComeBack) {
    struct Case {
        int field;
        const char* typed;
        const char* message;
        Puts stored;
    };
    const Case cases[] = {
        // The pull stops at the nominal size: the tolerance typed after it is not taken.
        {NominalField,
         "abc",
         "请键入一个数。",
         {{"m_Text9", 2000},
          {"m_Text10", 3000},
          {"m_Text11", 1000},
          {"COMBO1", 0},
          {"COMBO2", 0},
          {"m_Text12", 200}}},
        // The sizes before it are taken; a minus sign does not parse in the period.
        {SampleIntervalField,
         "-5",
         "“请填入一个正整数。”",
         {{"m_Text9", 2000},
          {"m_Text10", 5000},
          {"m_Text11", 1000},
          {"COMBO1", 0},
          {"COMBO2", 0},
          {"m_Text12", 200}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        PanelRig b(kStoredEnglish);
        b.click();
        b.type(UpperToleranceField, "5");
        b.type(c.field, c.typed);

        b.click();

        b.expectClosed("Parameters");
        EXPECT_EQ(b.window.messageTexts(), (std::vector<std::string>{c.message, c.message}));
        EXPECT_EQ(b.settings.puts, c.stored);
        EXPECT_EQ(b.window.text(c.field), c.field == NominalField ? "2" : "200");
        EXPECT_EQ(b.window.text(UpperToleranceField), c.field == NominalField ? "3" : "5");
    }
}

// ---------------------------------------------------------------- judging values

TEST(ParametersPanel, JudgingValuesChangeOnlyWhenThePanelIsConfirmed) {
    PanelRig b;
    b.click();
    b.type(NominalField, "7");
    b.type(UpperToleranceField, "0.5");
    b.type(LowerToleranceField, "-0.5");

    b.click(AutoButton);  // pulls the shown copies
    b.click(AutoButton);

    EXPECT_EQ(b.state.parameters.shownNominal, 7.0f);
    EXPECT_EQ(b.judgingValues(), kDefaultJudging);
    b.click();
    EXPECT_EQ(b.judgingValues(), (std::vector<float>{7.0f, 0.5f, -0.5f}));
}

// ---------------------------------------------------------------- disconnect

TEST(ParametersPanel, ADisconnectClosesWithoutStoringAndItsPushRestoresFields) {
    struct Case {
        std::int32_t language;
        bool refusedFirst;
        const char* caption;
        const char* upperShownAfter;  // the shown copy as the last pull left it
    };
    const Case cases[] = {
        {kStoredChinese, false, "参数设置", "3"},
        {kStoredEnglish, false, "Parameters", "3"},
        {kStoredChinese, true, "参数设置", "0.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.language) + (c.refusedFirst ? " refused" : ""));
        PanelRig b(c.language);
        b.linkWith(test::kAsciiFrame);
        b.click();
        b.type(UpperToleranceField, "0.5");
        if (c.refusedFirst) b.click();
        b.type(NominalField, "9.9");
        b.type(SampleIntervalField, "40");
        b.settings.puts.clear();

        b.click(ConnectButton);  // the disconnect

        b.expectClosed(c.caption);
        EXPECT_TRUE(b.settings.puts.empty());
        EXPECT_EQ(b.judgingValues(), kDefaultJudging);
        EXPECT_EQ(b.window.text(NominalField), "2");
        EXPECT_EQ(b.window.text(UpperToleranceField), c.upperShownAfter);
        EXPECT_EQ(b.window.text(SampleIntervalField), "200");

        b.click();  // the next click opens again rather than confirming
        EXPECT_TRUE(b.state.paramEditMode);
        EXPECT_TRUE(b.settings.puts.empty());
    }
}

}  // namespace
}  // namespace mensora
