// Both windows show the records once a frame from what waits here: a frame is asked for once,
// whatever comes after the first change, and shows the last word on each statistic.

#include "base/pending_frame.h"

#include <gtest/gtest.h>

#include "base/control_ids.h"

namespace mensora {
namespace {

TEST(PendingFrame, OnlyTheFirstChangeOfAFrameAsksForIt) {
    PendingFrame pending;
    EXPECT_TRUE(pending.rowsAdded());
    EXPECT_FALSE(pending.scrollToEnd());
    EXPECT_FALSE(pending.setText(CountField, "1"));
    EXPECT_FALSE(pending.rowsAdded());
    pending.take();
    EXPECT_TRUE(pending.setText(CountField, "2")) << "a taken frame leaves nothing waiting";
}

TEST(PendingFrame, AFrameShowsTheRowsTheScrollAndTheLastTextOfEachStatistic) {
    PendingFrame pending;
    pending.setText(CountField, "999");
    pending.rowsAdded();
    pending.setText(CountField, "1000");
    pending.setText(AverageField, "2.5");
    EXPECT_EQ(*pending.text(CountField), "1000") << "the window reads what it will show";
    EXPECT_EQ(pending.text(MaximumField), nullptr);

    const PendingFrame::Changes frame = pending.take();
    EXPECT_TRUE(frame.rowsAdded);
    EXPECT_FALSE(frame.scrollToEnd);
    const std::map<int, std::string> texts{{AverageField, "2.5"}, {CountField, "1000"}};
    EXPECT_EQ(frame.texts, texts);
    EXPECT_EQ(pending.text(CountField), nullptr);
}

// The live reading, the counters, the captions and the parameters go to the screen at once.
TEST(PendingFrame, OnlyTheStatisticsFieldsWaitForTheFrame) {
    for (const int id : {AverageField, MaximumField, MinimumField, CountField, OkCountField,
                         OverUpperField, UnderLowerField}) {
        EXPECT_TRUE(PendingFrame::waitsForFrame(id)) << id;
    }
    for (const int id : {LiveValue, StatusField, GoodFrameField, AutoButton, NominalField,
                         SampleIntervalField, UnitLabel}) {
        EXPECT_FALSE(PendingFrame::waitsForFrame(id)) << id;
    }
}

}  // namespace
}  // namespace mensora
