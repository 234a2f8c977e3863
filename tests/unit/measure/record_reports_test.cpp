// Recording tells its observer of every record and every Clear: the quality charts are kept
// from these reports alone and would otherwise drift from the record list.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "base/control_ids.h"
#include "measure/record_observer.h"
#include "tests/support/dialog_rig.h"

namespace mensora::test {
namespace {

struct ReportLog : RecordObserver {
    void recorded(float value, std::uint8_t places) override {
        records.emplace_back(value, places);
    }
    void cleared() override { ++clears; }
    std::vector<std::pair<float, std::uint8_t>> records;
    int clears = 0;
};

TEST(RecordReports, EachRecordIsReportedWithItsJudgedValueAndPlacesAndEachClearOnce) {
    DialogRig<> rig;
    ReportLog log;
    rig.dialog.reportRecordsTo(&log);
    rig.record(2.5f, "2.500", 3);
    rig.record(-0.01234f, "-0.01234", 5);
    rig.click(ClearButton);
    rig.record(7.0f, "7.000", 3);

    const std::vector<std::pair<float, std::uint8_t>> expected{
        {2.5f, 3}, {-0.01234f, 5}, {7.0f, 3}};
    EXPECT_EQ(log.records, expected);
    EXPECT_EQ(log.clears, 1);
}

TEST(RecordReports, ARecordingRefusedByAFullStoreIsNotReported) {
    DialogRig<> rig({}, 3);
    ReportLog log;
    rig.setReading(1.0f, "1.000", 3);
    while (!rig.store.full()) rig.click(ManualButton);
    rig.dialog.reportRecordsTo(&log);
    rig.click(ManualButton);
    EXPECT_TRUE(log.records.empty());
}

}  // namespace
}  // namespace mensora::test
