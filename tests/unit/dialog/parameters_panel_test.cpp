// The parameters panel on a bench: what the button does to the window, what it adopts for
// judging and what it leaves in the settings store, with timers under virtual time.

#include "dialog/parameters_panel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/control_ids.h"
#include "base/number_text.h"
#include "base/timer_ids.h"
#include "base/timers.h"
#include "dialog/data_exchange.h"
#include "measure/record_list_texts.h"
#include "measure/record_store.h"
#include "measure/recorder.h"
#include "protocol/poll_cycle.h"
#include "tests/support/fake_serial.h"
#include "tests/support/fake_settings.h"
#include "tests/support/fake_sound.h"
#include "tests/support/fake_window.h"
#include "tests/support/virtual_clock.h"

namespace mensora {
namespace {

using Puts = std::vector<std::pair<std::string, std::int32_t>>;

constexpr int kSixControls[] = {NominalField,        UpperToleranceField, LowerToleranceField,
                                SampleIntervalField, SoundList,           UnitList};

const char* const kSoundItems[] = {"无", "有"};
const char* const kUnitItems[] = {"mm", "inch", "°  ", "  "};

// Remembers the order in which controls were switched, which FakeWindow's map cannot.
class OrderedWindow : public test::FakeWindow {
public:
    void enable(int id, bool on) override {
        enableCalls.emplace_back(id, on);
        FakeWindow::enable(id, on);
    }
    std::vector<std::pair<int, bool>> enableCalls;
};

// Records are kept in one store for the whole run: it reserves its full capacity, which is
// too much to allocate again for every case.
RecordStore& sharedStore() {
    static RecordStore store;
    return store;
}
RecordListTexts& sharedListTexts() {
    static RecordListTexts texts;
    return texts;
}

// One main window with its panel, recorder and fakes, fresh for every case.
struct Bench {
    Bench() {
        sharedStore().empty();
        clock.setTickHandler([this](int id) {
            if (id == AutoSampleTimer) recorder.recordMeasurement();
            if (id == BeepStopTimer) recorder.stopAlertSound();
        });
    }

    // What the window's initialisation leaves behind: judging values and shown copies from
    // the stored thousandths, the period as stored, both lists selected, everything pushed.
    void startWindow(std::int32_t language = kStoredChinese) {
        state.storedLanguage = language;
        Parameters& p = state.parameters;
        p.nominal = p.shownNominal = static_cast<float>(settings.get("m_Text9", 2000)) * 0.001f;
        p.upperTolerance = p.shownUpperTolerance =
            static_cast<float>(settings.get("m_Text10", 3000)) * 0.001f;
        p.lowerTolerance = p.shownLowerTolerance =
            static_cast<float>(settings.get("m_Text11", 1000)) * 0.001f;
        p.sampleIntervalMs = static_cast<std::uint32_t>(settings.get("m_Text12", 200));
        p.beepEnabled = static_cast<std::uint8_t>(settings.get("COMBO1", 0));
        p.unitIndex = static_cast<std::uint8_t>(settings.get("COMBO2", 0));
        window.setListItems(SoundList, kSoundItems, 2);
        window.setListItems(UnitList, kUnitItems, 4);
        window.selectListItem(SoundList, p.beepEnabled);
        window.selectListItem(UnitList, p.unitIndex);
        for (const int id : kSixControls) window.enable(id, false);
        window.setText(ParametersButton, language == kStoredEnglish ? "Parameters" : "参数设置");
        window.setText(AutoButton, language == kStoredEnglish ? "Auto Start" : "自动采集");
        state.reading.valueText = "12.345";
        state.reading.value = 12.345f;
        exchange.push();
        settings.puts.clear();
        window.enableCalls.clear();
    }

    void click() { panel.onParametersButton(); }
    void type(int id, const std::string& text) { window.setText(id, text); }

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

    AcquisitionState state;
    OrderedWindow window;
    test::FakeSettings settings;
    test::FakeSound sound;
    test::VirtualClock clock;
    Timers timers{clock};
    DataExchange exchange{state, window};
    Recorder recorder{state,  sharedStore(), sharedListTexts(), window, timers,
                      exchange, sound,       clock};
    ParametersPanel panel{state, window, exchange, timers, settings, sound, recorder};
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
        Bench b;
        b.startWindow(lang.language);
        // Left over from someone typing into locked fields: opening shows the shown copies.
        b.type(NominalField, "junk");
        b.type(SampleIntervalField, "junk");

        b.click();

        EXPECT_TRUE(b.state.paramEditMode);
        EXPECT_EQ(b.window.text(ParametersButton), lang.confirmCaption);
        const std::vector<std::pair<int, bool>> opened = {
            {1011, true}, {1012, true}, {1013, true}, {1015, true},
            {1006, true}, {1014, true}, {1001, false}};
        EXPECT_EQ(b.window.enableCalls, opened);
        EXPECT_EQ(b.window.text(NominalField), "2");
        EXPECT_EQ(b.window.text(SampleIntervalField), "200");
        b.window.enableCalls.clear();

        b.click();

        b.expectClosed(lang.parametersCaption);
        const std::vector<std::pair<int, bool>> closed = {
            {1001, true}, {1011, false}, {1012, false}, {1013, false},
            {1015, false}, {1006, false}, {1014, false}};
        EXPECT_EQ(b.window.enableCalls, closed);
        EXPECT_TRUE(b.window.messages.empty());
    }
}

// ---------------------------------------------------------------- automatic recording

TEST(ParametersPanel, OpeningDuringAutomaticRecordingStopsItAndConfirmingDoesNotRestartIt) {
    for (const auto& lang : kLanguages) {
        SCOPED_TRACE(lang.language);
        Bench b;
        b.startWindow(lang.language);
        b.recorder.toggleAutoSampling();
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
    Bench b;
    b.startWindow(kStoredEnglish);
    b.click();
    b.type(SampleIntervalField, "20");

    b.recorder.toggleAutoSampling();

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
    Bench b;
    b.settings.values["m_Text12"] = 50;
    b.startWindow();
    EXPECT_EQ(b.window.text(SampleIntervalField), "50");

    b.recorder.toggleAutoSampling();
    EXPECT_EQ(b.clock.periodOf(AutoSampleTimer), 50u);
    b.recorder.toggleAutoSampling();

    b.click();  // opening alone does not touch the period
    EXPECT_EQ(b.state.parameters.sampleIntervalMs, 50u);
    EXPECT_EQ(b.window.text(SampleIntervalField), "50");
    b.click();
    EXPECT_EQ(b.state.parameters.sampleIntervalMs, 100u);

    b.recorder.toggleAutoSampling();
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
        {"50", kStoredEnglish, "100", 100, true},  {"50", kStoredChinese, "100", 100, true},
        {"0", kStoredChinese, "100", 100, true},   {"99", kStoredEnglish, "100", 100, true},
        {"100", kStoredChinese, "100", 100, false}, {"20000", kStoredEnglish, "20000", 20000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " / " + std::to_string(c.language));
        Bench b;
        b.startWindow(c.language);
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
        {"1", "1", true},       {"0.999", "1", false}, {"1.001", "1", true},
        {"-1", "-0.5", false},  {"0", "-0", true},     {"-0.5", "-0.5", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.upper) + " vs " + c.lower);
        Bench b;
        b.startWindow(kStoredEnglish);
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
    Bench b;
    b.settings.values["COMBO1"] = 1;  // a refusal must not sound the confirmation alert either
    b.startWindow();
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
        Bench b;
        b.startWindow();
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
    Bench b;
    b.startWindow();
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
    EXPECT_EQ(b.state.parameters.beepEnabled, 1);
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
        Bench b;
        b.settings.values["COMBO1"] = 1;
        b.startWindow(c.language);
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
        Bench b;
        b.startWindow();
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
        Bench b;
        b.startWindow();
        b.click();
        b.window.selectListItem(SoundList, c.soundSelection);
        b.window.selectListItem(UnitList, c.unitSelection);

        b.click();

        EXPECT_EQ(b.state.parameters.beepEnabled, c.combo1);
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
        Bench b;
        test::FakeSerial gauge;
        gauge.isOpen = true;
        PollCycle poll{b.state, gauge, b.timers, b.window, b.exchange, b.settings, b.sound,
                       [&b] { b.recorder.recordMeasurement(); }};
        b.startWindow();
        b.click();
        b.window.selectListItem(UnitList, c.unitSelection);
        b.click();

        gauge.feed("+0012.345\r");
        poll.pollTick();

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
        {NominalField, "abc", "请键入一个数。",
         {{"m_Text9", 2000}, {"m_Text10", 3000}, {"m_Text11", 1000},
          {"COMBO1", 0}, {"COMBO2", 0}, {"m_Text12", 200}}},
        // The sizes before it are taken; a minus sign does not parse in the period.
        {SampleIntervalField, "-5", "“请填入一个正整数。”",
         {{"m_Text9", 2000}, {"m_Text10", 5000}, {"m_Text11", 1000},
          {"COMBO1", 0}, {"COMBO2", 0}, {"m_Text12", 200}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Bench b;
        b.startWindow(kStoredEnglish);
        b.click();
        b.type(UpperToleranceField, "5");
        b.type(c.field, c.typed);

        b.click();

        b.expectClosed("Parameters");
        EXPECT_EQ(b.window.messageTexts(), (std::vector<std::string>{c.message, c.message}));
        EXPECT_EQ(b.settings.puts, c.stored);
        EXPECT_EQ(b.window.text(c.field), c.field == NominalField ? "2" : "200");
        EXPECT_EQ(b.window.text(UpperToleranceField),
                  c.field == NominalField ? "3" : "5");
    }
}

// ---------------------------------------------------------------- judging values

TEST(ParametersPanel, JudgingValuesChangeOnlyWhenThePanelIsConfirmed) {
    Bench b;
    b.startWindow();
    b.click();
    b.type(NominalField, "7");
    b.type(UpperToleranceField, "0.5");
    b.type(LowerToleranceField, "-0.5");

    b.recorder.toggleAutoSampling();  // pulls the shown copies
    b.recorder.toggleAutoSampling();

    EXPECT_EQ(b.state.parameters.shownNominal, 7.0f);
    EXPECT_EQ(b.judgingValues(), kDefaultJudging);
    b.click();
    EXPECT_EQ(b.judgingValues(), (std::vector<float>{7.0f, 0.5f, -0.5f}));
}

// ---------------------------------------------------------------- disconnect

TEST(ParametersPanel, ClosingWithoutStoringLeavesTheStoreAloneAndThePushRestoresFields) {
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
        Bench b;
        b.startWindow(c.language);
        b.click();
        b.type(UpperToleranceField, "0.5");
        if (c.refusedFirst) b.click();
        b.type(NominalField, "9.9");
        b.type(SampleIntervalField, "40");
        b.settings.puts.clear();

        b.panel.closeWithoutStoring();
        b.exchange.push();  // as the disconnect does right after

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
