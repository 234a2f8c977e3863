// Sampling periods a timer cannot run at: a period of 0 typed into the open parameters panel
// must not fire continuously (every timer ticks at most once per 10 ms), and a stored period
// beyond what a timer can wait must still start Auto instead of reaching the platform as a
// negative number.

#include <gtest/gtest.h>

#include <memory>

#include "base/control_ids.h"
#include "base/timer_ids.h"
#include "tests/support/dialog_rig.h"

namespace mensora {
namespace {

TEST(ShortestPeriod, AutoWithAZeroPeriodTypedInTheOpenPanelRecordsEveryTenMilliseconds) {
    auto h = std::make_unique<test::DialogRig<>>();
    h->dialog.onCommand(ParametersButton);  // open: the period field is editable
    h->window.setText(SampleIntervalField, "0");
    h->dialog.onCommand(AutoButton);  // takes the period as typed, below the 100 ms floor
    ASSERT_EQ(h->dialog.state().parameters.sampleIntervalMs, 0u);
    EXPECT_EQ(h->clock.periodOf(AutoSampleTimer), 10u);

    h->clock.advance(100);
    EXPECT_EQ(h->store.count(), 10u);
}

// "m_Text12" = -100 is read as 4294967196 ms. Auto must run (at the longest period a timer
// can wait), and Stop must stop it.
TEST(ShortestPeriod, AStoredNegativePeriodStartsAutoAtTheLongestPeriodATimerCanWait) {
    auto h = std::make_unique<test::DialogRig<>>(test::StoredSettings{{"m_Text12", -100}});
    h->dialog.onCommand(AutoButton);
    ASSERT_EQ(h->dialog.state().parameters.sampleIntervalMs, 4294967196u);
    EXPECT_TRUE(h->dialog.state().autoSampling);
    ASSERT_TRUE(h->clock.isArmed(AutoSampleTimer));
    EXPECT_EQ(h->clock.periodOf(AutoSampleTimer), 0x7FFFFFFFu);

    h->clock.advance(0x7FFFFFFFu);
    EXPECT_EQ(h->store.count(), 1u);
    h->dialog.onCommand(AutoButton);
    EXPECT_FALSE(h->clock.isArmed(AutoSampleTimer));
}

}  // namespace
}  // namespace mensora
