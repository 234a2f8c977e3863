// A sampling period of 0 typed into the open parameters panel and started with Auto must not
// fire continuously: every timer ticks at most once per 10 ms.

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

}  // namespace
}  // namespace mensora
