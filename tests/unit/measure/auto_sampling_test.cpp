// Automatic recording, Clear and the alert sound, in virtual time.
#include <gtest/gtest.h>

#include "base/control_ids.h"
#include "base/texts.h"
#include "tests/support/dialog_rig.h"

namespace mensora {
namespace {

using Rig = test::DialogRig<>;

TEST(AutoSampling, AutoButtonStartsAndStopsWithTheCaptionsOfTheLanguage) {
    struct Case {
        std::int32_t language;
        const char* running;
        const char* stopped;
    };
    const Case cases[] = {
        {1, "停止采集", "自动采集"},
        {2, "Stop", "Auto Start"},
        {5, "停止采集", "自动采集"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        Rig rig;
        rig.state.storedLanguage = c.language;
        rig.click(AutoButton);
        EXPECT_TRUE(rig.state.autoSampling);
        EXPECT_TRUE(rig.clock.isArmed(AutoSampleTimer));
        EXPECT_EQ(rig.window.text(AutoButton), c.running);
        rig.click(AutoButton);
        EXPECT_FALSE(rig.state.autoSampling);
        EXPECT_FALSE(rig.clock.isArmed(AutoSampleTimer));
        EXPECT_EQ(rig.window.text(AutoButton), c.stopped);
    }
}

// The first record comes one period after the click, none at the click itself.
TEST(AutoSampling, RecordsOncePerPeriodStartingOnePeriodAfterTheClick) {
    Rig rig;
    rig.click(AutoButton);
    EXPECT_EQ(rig.clock.periodOf(AutoSampleTimer), 200u);
    rig.clock.advance(199);
    EXPECT_EQ(rig.store.count(), 0u);
    rig.clock.advance(1);
    EXPECT_EQ(rig.store.count(), 1u);
    rig.clock.advance(1000);
    EXPECT_EQ(rig.store.count(), 6u);
}

// The period field is read as typed, even below the floor the parameters panel applies, and
// the fields are pushed back afterwards.
TEST(AutoSampling, TakesThePeriodAsTypedIntoItsField) {
    Rig rig;
    rig.window.setText(SampleIntervalField, " 20 ");
    rig.click(AutoButton);
    EXPECT_EQ(rig.state.parameters.sampleIntervalMs, 20u);
    EXPECT_EQ(rig.clock.periodOf(AutoSampleTimer), 20u);
    EXPECT_EQ(rig.window.text(SampleIntervalField), "20");
}

// A field that does not read back shows its message; automatic recording starts all the
// same, with the period that was held before.
TEST(AutoSampling, StartsEvenWhenAnotherFieldDoesNotReadBack) {
    Rig rig;
    rig.window.setText(NominalField, "abc");
    rig.window.setText(SampleIntervalField, "20");
    rig.click(AutoButton);
    ASSERT_EQ(rig.window.messages.size(), 1u);
    EXPECT_EQ(rig.window.messages[0].text, texts::kNotANumber);
    EXPECT_TRUE(rig.state.autoSampling);
    EXPECT_EQ(rig.clock.periodOf(AutoSampleTimer), 200u);
}

TEST(ClearRecords, EmptiesListStoreAndStatisticsButKeepsTheDirtyMark) {
    Rig rig;
    for (const float value : {1.0f, 4.0f, 9.0f}) rig.record(value);
    rig.click(ClearButton);

    EXPECT_EQ(rig.window.listClears, 1);
    EXPECT_EQ(rig.store.count(), 0u);
    EXPECT_TRUE(rig.state.recordsDirty);
    EXPECT_EQ(rig.state.unsavedRecords, 0u);
    const Statistics& s = rig.state.statistics;
    EXPECT_EQ(s.sum, 0.0);
    EXPECT_EQ(s.live.okCount + s.live.overUpperCount + s.live.underLowerCount, 0u);
    rig.push();
    for (const int field : {AverageField, MaximumField, MinimumField, CountField, OkCountField,
                            OverUpperField, UnderLowerField}) {
        SCOPED_TRACE(field);
        EXPECT_EQ(rig.window.text(field), "0");
    }

    rig.record(4.0f);
    EXPECT_EQ(rig.store.seqField(0), "000001");
    EXPECT_EQ(rig.state.unsavedRecords, 1u);
}

// Clear while recording automatically leaves it running, with its state consistent: the
// next click on Auto stops it.
TEST(ClearRecords, DuringAutomaticRecordingRecordingGoesOnAndTheNextClickStopsIt) {
    Rig rig;
    rig.click(AutoButton);
    rig.clock.advance(600);
    ASSERT_EQ(rig.store.count(), 3u);
    rig.click(ClearButton);

    EXPECT_TRUE(rig.state.autoSampling);
    EXPECT_TRUE(rig.clock.isArmed(AutoSampleTimer));
    EXPECT_EQ(rig.window.text(AutoButton), "停止采集");
    rig.clock.advance(200);
    ASSERT_EQ(rig.store.count(), 1u);
    EXPECT_EQ(rig.store.seqField(0), "000001");

    rig.click(AutoButton);
    EXPECT_FALSE(rig.clock.isArmed(AutoSampleTimer));
    rig.clock.advance(1000);
    EXPECT_EQ(rig.store.count(), 1u);
}

// Every record restarts the sound and its 200 ms; it falls silent 200 ms after the last.
TEST(AlertSound, RestartsWithEachRecordAndStops200MsAfterTheLast) {
    Rig rig;
    rig.state.parameters.beepEnabled = RecordSound::On;
    rig.state.parameters.sampleIntervalMs = 100;
    rig.window.setText(SampleIntervalField, "100");
    rig.click(AutoButton);
    rig.clock.advance(1000);
    EXPECT_EQ(rig.store.count(), 10u);
    EXPECT_EQ(rig.sound.starts, 10);
    EXPECT_EQ(rig.sound.stops, 0);
    EXPECT_TRUE(rig.sound.playing);

    rig.click(AutoButton);  // the last record was at 1000 ms
    rig.clock.advance(199);
    EXPECT_TRUE(rig.sound.playing);
    rig.clock.advance(1);
    EXPECT_FALSE(rig.sound.playing);
    EXPECT_EQ(rig.sound.stops, 1);
    EXPECT_FALSE(rig.clock.isArmed(BeepStopTimer));
}

TEST(AlertSound, StaysSilentWhenTheSoundIsSwitchedOff) {
    struct Case {
        RecordSound beepEnabled;
        int starts;
    };
    const Case cases[] = {
        {RecordSound::Off, 0}, {RecordSound::On, 1}, {RecordSound::NoneSelected, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.beepEnabled));
        Rig rig;
        rig.state.parameters.beepEnabled = c.beepEnabled;
        rig.record(4.0f);
        EXPECT_EQ(rig.sound.starts, c.starts);
        EXPECT_EQ(rig.clock.isArmed(BeepStopTimer), c.starts > 0);
    }
}

}  // namespace
}  // namespace mensora
