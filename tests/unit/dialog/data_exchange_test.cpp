// The fields of the main window and the state behind them: what a push shows, what a pull
// takes back, and where a pull stops when the operator has typed something that is not a
// number.

#include "dialog/data_exchange.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "base/control_ids.h"
#include "base/number_text.h"
#include "base/texts.h"
#include "tests/support/fake_window.h"

namespace mensora {
namespace {

// One bound row: its field and the state it is bound to, read as text for comparison.
struct BoundRow {
    int field;
    std::function<std::string(const AcquisitionState&)> value;
};

// Every row of the exchange, in its order.
const std::vector<BoundRow> kRows = {
    {StatusField, [](const AcquisitionState& s) { return s.statusLabel; }},
    {LiveValue, [](const AcquisitionState& s) { return s.reading.valueText; }},
    {AverageField,
     [](const AcquisitionState& s) { return formatFloat(s.statistics.shown.average); }},
    {MaximumField,
     [](const AcquisitionState& s) { return formatFloat(s.statistics.shown.maximum); }},
    {MinimumField,
     [](const AcquisitionState& s) { return formatFloat(s.statistics.shown.minimum); }},
    {CountField,
     [](const AcquisitionState& s) { return formatUnsigned(s.statistics.shown.count); }},
    {OkCountField,
     [](const AcquisitionState& s) { return formatUnsigned(s.statistics.shown.okCount); }},
    {OverUpperField,
     [](const AcquisitionState& s) { return formatUnsigned(s.statistics.shown.overUpperCount); }},
    {UnderLowerField,
     [](const AcquisitionState& s) { return formatUnsigned(s.statistics.shown.underLowerCount); }},
    {NominalField,
     [](const AcquisitionState& s) { return formatFloat(s.parameters.shownNominal); }},
    {UpperToleranceField,
     [](const AcquisitionState& s) { return formatFloat(s.parameters.shownUpperTolerance); }},
    {LowerToleranceField,
     [](const AcquisitionState& s) { return formatFloat(s.parameters.shownLowerTolerance); }},
    {SampleIntervalField,
     [](const AcquisitionState& s) { return formatUnsigned(s.parameters.sampleIntervalMs); }},
    {UnitLabel, [](const AcquisitionState& s) { return s.reading.unitText; }},
    {BadFrameField, [](const AcquisitionState& s) { return formatUnsigned(s.counters.shownBad); }},
    {SilentPollField,
     [](const AcquisitionState& s) { return formatUnsigned(s.counters.shownSilent); }},
    {GoodFrameField, [](const AcquisitionState& s) { return formatSigned(s.counters.shownGood); }},
};

// A state in which every bound value differs from a fresh state's and from every other.
AcquisitionState benchState() {
    AcquisitionState s;
    s.statusLabel = "ASC";
    s.reading.valueText = "-12.345";
    s.reading.unitText = "in";
    s.statistics.shown.average = 6.78167f;
    s.statistics.shown.maximum = 12.345f;
    s.statistics.shown.minimum = 0.95f;
    s.statistics.shown.count = 31;
    s.statistics.shown.okCount = 17;
    s.statistics.shown.overUpperCount = 9;
    s.statistics.shown.underLowerCount = 5;
    s.parameters.shownNominal = 2.5f;
    s.parameters.shownUpperTolerance = 0.02f;
    s.parameters.shownLowerTolerance = -0.015f;
    s.parameters.sampleIntervalMs = 4294967295u;
    s.counters.shownBad = 3;
    s.counters.shownSilent = 44;
    s.counters.shownGood = -7;
    return s;
}

TEST(DataExchange, PushThenPullGivesBackEveryBoundValue) {
    test::FakeWindow window;
    AcquisitionState shown = benchState();
    DataExchange(shown, window).push();

    AcquisitionState read;
    ASSERT_TRUE(DataExchange(read, window).pull());

    for (const BoundRow& row : kRows) {
        EXPECT_EQ(row.value(read), row.value(shown)) << "field " << row.field;
    }
    EXPECT_TRUE(window.messages.empty());
}

TEST(DataExchange, PushShowsNumbersAsTheFieldsShowThem) {
    // Six significant digits for floats, plain decimal for counts: what the operator reads.
    test::FakeWindow window;
    AcquisitionState s = benchState();
    s.statistics.shown.average = 2.0f / 3.0f;
    s.statistics.shown.minimum = 999999.0f;
    DataExchange(s, window).push();
    EXPECT_EQ(window.text(AverageField), "0.666667");
    EXPECT_EQ(window.text(MinimumField), "999999");
    EXPECT_EQ(window.text(UpperToleranceField), "0.02");
    EXPECT_EQ(window.text(SampleIntervalField), "4294967295");
    EXPECT_EQ(window.text(GoodFrameField), "-7");
}

struct RefusedEntry {
    int field;
    const char* typed;
    const char* message;
};

// One entry per kind of field: a float, an unsigned and the signed one.
const RefusedEntry kRefused[] = {
    {AverageField, "abc", texts::kNotANumber},
    {NominalField, "2.5mm", texts::kNotANumber},
    {LowerToleranceField, "", texts::kNotANumber},
    {CountField, "-5", texts::kNotUnsigned},
    {SampleIntervalField, "abc", texts::kNotUnsigned},
    {SampleIntervalField, "1.5", texts::kNotUnsigned},
    {BadFrameField, "4294967296", texts::kNotUnsigned},
    {GoodFrameField, "1.5", texts::kNotSigned},
};

TEST(DataExchange, AFieldThatDoesNotParseStopsThePullThereWithItsMessageAndFocus) {
    for (const RefusedEntry& entry : kRefused) {
        SCOPED_TRACE(std::string("field ") + std::to_string(entry.field) + " typed \"" +
                     entry.typed + "\"");
        test::FakeWindow window;
        AcquisitionState typed = benchState();
        DataExchange(typed, window).push();
        window.setText(entry.field, entry.typed);

        AcquisitionState before;  // what the state held before the pull
        AcquisitionState read = before;
        EXPECT_FALSE(DataExchange(read, window).pull());

        ASSERT_EQ(window.messageTexts(), std::vector<std::string>{entry.message});
        EXPECT_EQ(window.messages[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(window.focused, entry.field);
        bool reached = false;
        for (const BoundRow& row : kRows) {
            if (row.field == entry.field) reached = true;
            // Rows before the refused one are taken over; it and the rows after keep theirs.
            const std::string expected = reached ? row.value(before) : row.value(typed);
            EXPECT_EQ(row.value(read), expected) << "field " << row.field;
        }
    }
}

TEST(DataExchange, BlanksAndTabsAroundANumberAreAccepted) {
    test::FakeWindow window;
    AcquisitionState s = benchState();
    DataExchange(s, window).push();
    window.setText(NominalField, "  2.5\t");
    window.setText(SampleIntervalField, "\t150 ");
    window.setText(GoodFrameField, " -3 ");

    AcquisitionState read;
    ASSERT_TRUE(DataExchange(read, window).pull());
    EXPECT_EQ(read.parameters.shownNominal, 2.5f);
    EXPECT_EQ(read.parameters.sampleIntervalMs, 150u);
    EXPECT_EQ(read.counters.shownGood, -3);
}

TEST(DataExchange, APullTakesTheShownCopiesAndLeavesTheJudgingValues) {
    // Only confirming the parameters panel may change what records are judged against.
    test::FakeWindow window;
    AcquisitionState s = benchState();
    DataExchange(s, window).push();
    AcquisitionState read;
    read.parameters.nominal = 2.0f;
    read.parameters.upperTolerance = 3.0f;
    read.parameters.lowerTolerance = 1.0f;
    ASSERT_TRUE(DataExchange(read, window).pull());
    EXPECT_EQ(read.parameters.shownNominal, 2.5f);
    EXPECT_EQ(read.parameters.nominal, 2.0f);
    EXPECT_EQ(read.parameters.upperTolerance, 3.0f);
    EXPECT_EQ(read.parameters.lowerTolerance, 1.0f);
}

}  // namespace
}  // namespace mensora
