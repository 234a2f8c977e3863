// Recording one reading: the record's bytes, the verdict, the statistics and the capacity.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

#include "base/control_ids.h"
#include "base/texts.h"
#include "tests/support/dialog_rig.h"

namespace mensora {
namespace {

using Rig = test::DialogRig<>;

const char* const kGbkOk = "\xBA\xCF\xB8\xF1";
const char* const kGbkNg = "\xB3\xAC\xB2\xEE";

// The store holds one record: 12.345 mm judged with the first-run settings.
void expectOneRecordOf12345(const Rig& rig) {
    ASSERT_EQ(rig.store.count(), 1u);
    EXPECT_EQ(rig.store.seqField(0), "000001");
    EXPECT_EQ(rig.store.valueField(0), "12.345  ");
    EXPECT_EQ(rig.store.errorField(0), "  10.345");
    EXPECT_EQ(rig.store.resultField(0), kGbkNg);
}

// The road of one reading with the first-run settings: 12.345 mm is over 2 + 3.
TEST(Recording, TurnsTheCurrentReadingIntoFixedWidthFieldsAndOneListRow) {
    Rig rig;
    rig.setReading(12.345f, "12.345", 3);
    rig.click(ManualButton);

    expectOneRecordOf12345(rig);
    EXPECT_EQ(rig.store.timeField(0), "2026-12-07; 09:00:00");
    const Rig::Row row = rig.listRow(0);
    EXPECT_EQ(row.value, "12.345");
    EXPECT_EQ(row.verdict, "超差");
    EXPECT_EQ(rig.window.appendedRows, 1);
    EXPECT_EQ(rig.window.scrolls, 1);
    EXPECT_TRUE(rig.state.recordsDirty);
    EXPECT_EQ(rig.state.unsavedRecords, 1u);
    EXPECT_EQ(rig.state.statistics.live.overUpperCount, 1u);
}

// The list shows the live text, the record its 8-byte copy: a nine-character reading loses
// its last character only in the record.
TEST(Recording, ListShowsTheLiveTextWhileTheRecordKeepsEightBytes) {
    Rig rig;
    rig.setReading(-1234.567f, "-1234.567", 3);
    rig.click(ManualButton);
    EXPECT_EQ(rig.store.valueField(0), "-1234.56");
    EXPECT_EQ(rig.listRow(0).value, "-1234.567");
    EXPECT_EQ(rig.store.errorField(0), "-1236.56");
}

// A value exactly on a limit is not good; the upper test comes first. A warning zone in
// force (80 % of each tolerance) marks OK readings near a limit and changes neither the
// verdict nor a byte of the record.
TEST(Recording, JudgesAgainstLimitsSummedInDoubleWithTheUpperTestFirst) {
    struct Case {
        const char* why;
        float nominal, upper, lower, value;
        Verdict verdict;
        bool warns;
    };
    const float justBelow2_5 = std::nextafter(2.5f, 0.0f);
    const float justAbove1_5 = std::nextafter(1.5f, 2.0f);
    // What a first start loads from the default thousandths.
    const Parameters firstRun = Rig().state.parameters;
    const float n = firstRun.nominal, u = firstRun.upperTolerance, l = firstRun.lowerTolerance;
    const Case cases[] = {
        {"on the upper limit", 2.0f, 0.5f, -0.5f, 2.5f, Verdict::OverUpper, false},
        {"on the lower limit", 2.0f, 0.5f, -0.5f, 1.5f, Verdict::UnderLower, false},
        {"just inside the upper limit", 2.0f, 0.5f, -0.5f, justBelow2_5, Verdict::Ok, true},
        {"just inside the lower limit", 2.0f, 0.5f, -0.5f, justAbove1_5, Verdict::Ok, true},
        {"on the upper edge of the zone", 2.0f, 0.5f, -0.5f, 2.4f, Verdict::Ok, true},
        {"inside the zone's edges", 2.0f, 0.5f, -0.5f, 2.39f, Verdict::Ok, false},
        {"on the nominal size", 2.0f, 0.5f, -0.5f, 2.0f, Verdict::Ok, false},
        {"far below", 2.0f, 0.5f, -0.5f, -7.0f, Verdict::UnderLower, false},
        {"equal tolerances, on the limit", 2.0f, 0.5f, 0.5f, 2.5f, Verdict::OverUpper, false},
        {"equal tolerances, below the limit", 2.0f, 0.5f, 0.5f, 2.4f, Verdict::UnderLower, false},
        {"crossed tolerances, between", 2.0f, -0.5f, 0.5f, 2.0f, Verdict::OverUpper, false},
        // 3000 thousandths load as 3.0000002384: 5.0 lies inside the loaded upper limit
        {"first-run settings, 5.0", n, u, l, 5.0f, Verdict::Ok, true},
        {"first-run settings, just above 5", n, u, l, std::nextafter(5.0f, 6.0f),
         Verdict::OverUpper, false},
        {"first-run settings, 3.0", n, u, l, 3.0f, Verdict::UnderLower, false},
    };
    Rig plain;
    Rig rig({}, test::kRigCapacity, {.storedTexts = {{"Control/Warning", "80"}}});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        rig.setJudging(c.nominal, c.upper, c.lower);
        plain.setJudging(c.nominal, c.upper, c.lower);
        const StatisticsFigures before = rig.state.statistics.live;
        rig.record(c.value);
        plain.record(c.value);
        const StatisticsFigures& after = rig.state.statistics.live;
        const Verdict verdict = after.okCount > before.okCount ? Verdict::Ok
                                : after.overUpperCount > before.overUpperCount
                                    ? Verdict::OverUpper
                                    : Verdict::UnderLower;
        EXPECT_EQ(verdict, c.verdict);
        const std::uint32_t last = rig.store.count() - 1;
        EXPECT_EQ(rig.store.resultField(last), c.verdict == Verdict::Ok ? kGbkOk : kGbkNg);
        EXPECT_EQ(rig.listTexts.warned(last), c.warns);
        EXPECT_FALSE(plain.listTexts.warned(last));
    }
    // The same records with no zone: the same bytes and the same statistics.
    for (std::uint32_t i = 0; i < rig.store.count(); ++i) {
        SCOPED_TRACE(i);
        for (const auto field :
             {&RecordStore::seqField, &RecordStore::valueField, &RecordStore::errorField,
              &RecordStore::resultField, &RecordStore::timeField}) {
            EXPECT_EQ((rig.store.*field)(i), (plain.store.*field)(i));
        }
    }
    const StatisticsFigures& zoned = rig.state.statistics.shown;
    const StatisticsFigures& unzoned = plain.state.statistics.shown;
    EXPECT_EQ(
        std::tuple(zoned.count, zoned.okCount, zoned.overUpperCount, zoned.underLowerCount,
                   zoned.average, zoned.maximum, zoned.minimum),
        std::tuple(unzoned.count, unzoned.okCount, unzoned.overUpperCount, unzoned.underLowerCount,
                   unzoned.average, unzoned.maximum, unzoned.minimum));
}

TEST(Recording, VerdictTextsFollowTheLanguageAtTheMomentOfRecording) {
    Rig rig;
    rig.state.storedLanguage = 2;
    rig.record(3.5f);  // Ok with nominal 2, limits 3 and 5
    rig.record(9.0f);  // NG
    rig.state.storedLanguage = 1;
    rig.record(3.5f);
    EXPECT_EQ(rig.store.resultField(0), " OK ");
    EXPECT_EQ(rig.store.resultField(1), " NG ");
    EXPECT_EQ(rig.store.resultField(2), kGbkOk);
    EXPECT_EQ(rig.listRow(0).verdict, "OK");
    EXPECT_EQ(rig.listRow(1).verdict, "NG");
    EXPECT_EQ(rig.listRow(2).verdict, "合格");
}

TEST(Recording, DeviationIsFormedInDoubleAndRoundedWithTheReadingsPlaces) {
    struct Case {
        float value;
        const char* text;
        std::uint8_t places;
        const char* error;
    };
    const Case cases[] = {
        {1.9996f, "1.9996", 3, "  -0.000"},  // 0.0004 below nominal keeps its sign
        {2.012f, "2.012", 3, "   0.012"},   {2.01234f, "2.01234", 5, " 0.01234"},
        {12.5f, "12.5", 1, "    10.5"},  // a gauge with one decimal
        {7.0f, "7", 0, "       5"},      // and with none
    };
    Rig rig;
    for (std::uint32_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].text);
        rig.record(cases[i].value, cases[i].text, cases[i].places);
        EXPECT_EQ(rig.store.errorField(i), cases[i].error);
    }
}

TEST(Recording, StatisticsShowTheAverageMaximumAndMinimumAtTheNextPush) {
    Rig rig;
    for (const float value : {1.0f, 2.0f, 4.0f}) rig.record(value);
    EXPECT_EQ(rig.window.text(AverageField), "0");  // not pushed yet
    rig.push();
    EXPECT_EQ(rig.window.text(AverageField), "2.33333");
    EXPECT_EQ(rig.window.text(MaximumField), "4");
    EXPECT_EQ(rig.window.text(MinimumField), "1");
    EXPECT_EQ(rig.window.text(CountField), "3");
    EXPECT_EQ(rig.window.text(OkCountField), "1");
    EXPECT_EQ(rig.window.text(OverUpperField), "0");
    EXPECT_EQ(rig.window.text(UnderLowerField), "2");
}

// Maximum and minimum are those of the readings recorded since the last reset, whatever
// their sign.
TEST(Recording, MaximumAndMinimumAreThoseOfTheRecordedReadings) {
    struct Case {
        const char* why;
        std::vector<float> values;
        float maximum, minimum;
    };
    const Case cases[] = {
        {"all negative", {-3.0f, -1.0f, -2.0f}, -1.0f, -3.0f},
        {"all positive", {5.0f, 7.0f, 6.0f}, 7.0f, 5.0f},
        {"both signs", {-1.0f, 2.0f}, 2.0f, -1.0f},
        {"a single reading", {12.5f}, 12.5f, 12.5f},
        {"zero first", {0.0f, 3.0f}, 3.0f, 0.0f},
        {"above the reset's 999999", {1e6f, 2e6f}, 2e6f, 1e6f},
    };
    Rig rig;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        rig.click(ClearButton);  // the previous case's extremes must not leak in
        for (const float value : c.values) rig.record(value);
        EXPECT_EQ(rig.state.statistics.live.maximum, c.maximum);
        EXPECT_EQ(rig.state.statistics.live.minimum, c.minimum);
        EXPECT_EQ(rig.state.statistics.shown.maximum, c.maximum);
        EXPECT_EQ(rig.state.statistics.shown.minimum, c.minimum);
    }
}

TEST(Recording, WithoutRecordsTheMinimumFieldShowsZeroWhile999999IsHeld) {
    Rig rig;
    EXPECT_EQ(rig.window.text(MinimumField), "0");
    EXPECT_EQ(rig.state.statistics.live.minimum, 999999.0f);

    rig.record(3.0f);
    rig.click(ClearButton);
    rig.push();
    EXPECT_EQ(rig.window.text(MinimumField), "0");
    EXPECT_EQ(rig.window.text(MaximumField), "0");
    EXPECT_EQ(rig.state.statistics.live.minimum, 999999.0f);

    rig.record(12.5f);
    rig.push();
    EXPECT_EQ(rig.window.text(MinimumField), "12.5");
    EXPECT_EQ(rig.window.text(MaximumField), "12.5");
}

// A float sum would drift far from 12.345 long before a million records.
TEST(Recording, AMillionEqualReadingsAverageToThatReading) {
    Rig rig({}, kRecordCapacity);
    rig.setReading(12.345f, "12.345", 3);
    for (std::uint32_t i = 0; i < kRecordCapacity; ++i) rig.click(ManualButton);
    rig.push();
    EXPECT_EQ(rig.window.text(AverageField), "12.345");
    EXPECT_EQ(rig.state.statistics.live.average, 12.345f);
}

TEST(Recording, AverageEqualsARecomputationOverTheRecordedValues) {
    constexpr std::uint32_t n = 20'000;
    Rig rig({}, n);
    std::uint32_t seed = 12345;
    double sum = 0.0;
    for (std::uint32_t i = 0; i < n; ++i) {
        seed = seed * 1664525u + 1013904223u;
        // readings from -500 to +1500 at three places, with a few large ones in between
        float value = static_cast<float>(static_cast<int>(seed % 2'000'000) - 500'000) / 1000.0f;
        if (i % 997 == 0) value *= 1000.0f;
        rig.record(value);
        sum += value;
    }
    EXPECT_EQ(rig.state.statistics.live.average, static_cast<float>(sum / n));
}

// Clear keeps the current reading, so a record made before the next frame agrees with
// itself: the value it shows is the value it is judged and summed by.
TEST(Recording, AfterClearARecordOfTheSameReadingAgreesWithItsOwnText) {
    Rig rig;
    rig.setReading(12.345f, "12.345", 3);
    rig.click(ManualButton);
    rig.click(ClearButton);
    rig.click(ManualButton);

    expectOneRecordOf12345(rig);
    EXPECT_EQ(rig.state.statistics.live.overUpperCount, 1u);
    EXPECT_EQ(rig.state.statistics.sum, static_cast<double>(12.345f));
    EXPECT_EQ(rig.state.statistics.live.maximum, 12.345f);
}

TEST(Recording, ClearZeroesTheErrorAndSilenceCountersButNotTheGoodFrames) {
    Rig rig;
    rig.state.counters.badFrameCount = 4;
    rig.state.counters.silentPollCount = 5;
    rig.state.counters.goodFrameCount = 6;
    rig.click(ClearButton);
    EXPECT_EQ(rig.state.counters.badFrameCount, 0u);
    EXPECT_EQ(rig.state.counters.silentPollCount, 0u);
    EXPECT_EQ(rig.state.counters.goodFrameCount, 6u);
}

// Filling takes a million recordings; the numbers run out at 999999 and the user is told,
// once, that further readings are not kept.
TEST(Recording, AFullStoreRecordsNothingAndSaysSoOncePerFilling) {
    Rig rig({}, kRecordCapacity);
    rig.state.parameters.beepEnabled = RecordSound::On;
    rig.setReading(3.5f, "3.500", 3);
    for (std::uint32_t i = 0; i < kRecordCapacity; ++i) rig.click(ManualButton);
    ASSERT_EQ(rig.store.count(), kRecordCapacity);
    EXPECT_EQ(rig.store.seqField(999'997), "999998");
    EXPECT_EQ(rig.store.seqField(999'998), "999999");
    EXPECT_EQ(rig.store.seqField(999'999), "999999");
    EXPECT_TRUE(rig.window.messages.empty());

    rig.state.recordsDirty = false;
    const Statistics before = rig.state.statistics;
    const int rows = rig.window.appendedRows;
    const int sounds = rig.sound.starts;
    const std::uint32_t unsaved = rig.state.unsavedRecords;
    // A nested recording while the box is open (a timer tick) must not open a second one.
    rig.window.onMessage = [&] { rig.click(ManualButton); };
    for (int attempt = 0; attempt < 3; ++attempt) rig.click(ManualButton);

    EXPECT_EQ(rig.store.count(), kRecordCapacity);
    EXPECT_EQ(rig.window.appendedRows, rows);
    EXPECT_EQ(rig.sound.starts, sounds);
    EXPECT_FALSE(rig.state.recordsDirty);
    EXPECT_EQ(rig.state.unsavedRecords, unsaved);
    EXPECT_EQ(rig.state.statistics.live.okCount, before.live.okCount);
    EXPECT_EQ(rig.state.statistics.sum, before.sum);
    ASSERT_EQ(rig.window.messages.size(), 1u);
    EXPECT_EQ(rig.window.messages[0].text, texts::kRecordStoreFull.chinese);
    EXPECT_EQ(rig.window.messages[0].icon, MessageIcon::Exclamation);

    // After a Clear the store can fill again, and the user is told again.
    rig.window.onMessage = nullptr;
    rig.click(ClearButton);
    rig.state.storedLanguage = 2;
    for (std::uint32_t i = 0; i <= kRecordCapacity; ++i) rig.click(ManualButton);
    ASSERT_EQ(rig.window.messages.size(), 2u);
    EXPECT_EQ(rig.window.messages[1].text, texts::kRecordStoreFull.english);
}

}  // namespace
}  // namespace mensora
