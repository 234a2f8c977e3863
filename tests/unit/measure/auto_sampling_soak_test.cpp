// Automatic recording at the shortest period a timer allows, for two hours of virtual time:
// a tick lost, doubled or late, a record out of place or a statistic that drifts would show
// here long before a bench meets it after a day's work.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "base/control_ids.h"
#include "measure/field_format.h"
#include "tests/support/dialog_rig.h"

namespace mensora {
namespace {

using Rig = test::DialogRig<>;

// Readings the gauge sends by turns, against nominal 2, tolerances +3 / +1 (limits 5 and 3),
// each clear of the limits. Multiples of 0.25, so that every sum is exact in binary.
struct Reading {
    float value;
    const char* text;
    Verdict verdict;
};
constexpr Reading kReadings[] = {
    {4.0f, "4.000", Verdict::Ok},          {5.5f, "5.500", Verdict::OverUpper},
    {2.75f, "2.750", Verdict::UnderLower}, {6.25f, "6.250", Verdict::OverUpper},
    {2.5f, "2.500", Verdict::UnderLower},  {4.75f, "4.750", Verdict::Ok},
    {3.25f, "3.250", Verdict::Ok},         {0.0f, "0.000", Verdict::UnderLower},
};
constexpr std::size_t kKinds = std::size(kReadings);

TEST(AutoSamplingSoak, TwoHoursAtTheShortestPeriodKeepEveryRecordInOrderWithExactStatistics) {
    constexpr std::uint64_t kTwoHoursMs = 2ull * 60 * 60 * 1000;
    constexpr std::uint32_t kRecords = kTwoHoursMs / 10;  // 720,000

    Rig rig({}, kRecords);
    std::uint32_t ticks = 0;
    // The reading changes before every tick, as a gauge that sends faster than Auto samples.
    rig.clock.setTickHandler([&](int id) {
        if (id == AutoSampleTimer) {
            const Reading& next = kReadings[ticks++ % kKinds];
            rig.setReading(next.value, next.text, 3);
        }
        rig.dialog.onTimer(id);
    });
    rig.window.setText(SampleIntervalField, "0");  // held at the 10 ms floor
    rig.click(AutoButton);
    ASSERT_EQ(rig.clock.periodOf(AutoSampleTimer), 10u);

    rig.clock.advance(kTwoHoursMs);
    ASSERT_EQ(rig.store.count(), kRecords);

    // Every record in its place: its number, its reading, and the second it was taken (record
    // n comes n × 10 ms after the click at 09:00:00).
    double sum = 0.0;
    for (std::uint32_t i = 0; i < kRecords; ++i) {
        const Reading& expected = kReadings[i % kKinds];
        const std::uint32_t second = (i + 1) / 100;
        char seq[8];
        char time[24];
        std::snprintf(seq, sizeof seq, "%06u", i + 1);
        std::snprintf(time, sizeof time, "2026-12-07; %02u:%02u:%02u", 9 + second / 3600,
                      second / 60 % 60, second % 60);
        const Rig::Row row = rig.listRow(i);
        if (row.seq != seq || row.value != expected.text || row.time != time ||
            row.verdict != verdictListText(expected.verdict, Language::Chinese)) {
            FAIL() << "record " << i + 1 << ": " << row.seq << " " << row.value << " "
                   << row.verdict << " " << row.time << ", expected " << seq << " " << expected.text
                   << " " << verdictListText(expected.verdict, Language::Chinese) << " " << time;
        }
        sum += expected.value;
    }

    const Statistics& stats = rig.state.statistics;
    constexpr std::uint32_t kRounds = kRecords / kKinds;
    EXPECT_EQ(stats.live.okCount, 3 * kRounds);
    EXPECT_EQ(stats.live.overUpperCount, 2 * kRounds);
    EXPECT_EQ(stats.live.underLowerCount, 3 * kRounds);
    EXPECT_EQ(stats.sum, sum);
    EXPECT_EQ(stats.live.average, static_cast<float>(sum / kRecords));
    EXPECT_EQ(stats.live.maximum, 6.25f);
    EXPECT_EQ(stats.live.minimum, 0.0f);
    EXPECT_EQ(stats.shown.count, kRecords);
    EXPECT_TRUE(rig.state.recordsDirty);
    EXPECT_EQ(rig.state.unsavedRecords, kRecords);
    EXPECT_TRUE(rig.window.messages.empty());
}

}  // namespace
}  // namespace mensora
