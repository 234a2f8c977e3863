// Recording tells the quality charts' data of every record and every Clear: the charts are
// kept from these reports alone and would otherwise drift from the record list.

#include <gtest/gtest.h>

#include <span>
#include <vector>

#include "base/control_ids.h"
#include "tests/support/dialog_rig.h"

namespace mensora::test {
namespace {

std::vector<float> chartValues(const DialogRig<>& rig) {
    const std::span<const float> values = rig.chartData.values().values();
    return {values.begin(), values.end()};
}

TEST(RecordReports, EachRecordReachesTheChartsWithItsJudgedValueAndPlacesAndEachClearEmptiesThem) {
    DialogRig<> rig;
    rig.record(2.5f, "2.500", 3);
    rig.record(-0.01234f, "-0.01234", 5);
    EXPECT_EQ(chartValues(rig), (std::vector<float>{2.5f, -0.01234f}));
    EXPECT_EQ(rig.chartData.decimalPlaces(), 5);

    rig.click(ClearButton);
    rig.record(7.0f, "7.000", 3);
    EXPECT_EQ(chartValues(rig), std::vector<float>{7.0f});
    EXPECT_EQ(rig.chartData.decimalPlaces(), 3);
}

TEST(RecordReports, ARecordingRefusedByAFullStoreIsNotReported) {
    DialogRig<> rig({}, 3);
    rig.setReading(1.0f, "1.000", 3);
    while (!rig.store.full()) rig.click(ManualButton);
    rig.click(ManualButton);
    EXPECT_EQ(rig.chartData.values().size(), 3u);
}

}  // namespace
}  // namespace mensora::test
