// Each record takes the warning zone in force when it is taken: a plan's characteristic its
// own (none: no zone, whatever the settings hold), no plan the one the settings hold. The mark
// stays with the record for the list, the charts and the workbook, and goes with Clear; records
// put back from the journal keep theirs where the journal holds their plan.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "base/control_ids.h"
#include "dialog/earlier_runs.h"
#include "tests/support/dialog_rig.h"
#include "tests/support/sample_plan.h"

namespace mensora {
namespace {

using Rig = test::DialogRig<>;

// The shaft with a zone of 50 % on the bore, none on the length and 90 % on the angle.
InspectionPlan zonedShaft() {
    InspectionPlan plan = test::shaft();
    plan.characteristics[0].warningPercent = 50;
    plan.characteristics[2].warningPercent = 90;
    return plan;
}

TEST(WarningMarks, EachRecordTakesTheZoneInForceAndClearEmptiesTheMarks) {
    Rig rig({}, test::kRigCapacity, {.storedTexts = {{"Control/Warning", "80"}}});
    rig.setJudging(2.0f, 0.5f, -0.5f);
    rig.record(2.45f);  // the settings' 80 %: from 2.4
    rig.record(2.3f);
    rig.dialog.plan().putInForce(zonedShaft());
    const float part[] = {
        12.015f,  // bore, 50 %: from 12.01
        40.095f,  // length: no zone though the settings hold one
        30.46f,   // angle, 90 %: from 30.45
        12.005f,  // bore of the second part, inside the zone's edges
    };
    for (const float value : part) rig.record(value);

    const bool expected[] = {true, false, true, false, true, false};
    ASSERT_EQ(rig.store.count(), std::size(expected));
    for (std::uint32_t row = 0; row < rig.store.count(); ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(rig.listTexts.warned(row), expected[row]);
        EXPECT_EQ(rig.chartData.warned(row), expected[row]);
    }
    // The bore's charts: its two records, the first a warning.
    rig.dialog.chartSource().pin(0);
    const ChartData& bore = rig.dialog.chartSource().shown().data;
    EXPECT_EQ(bore.values().size(), 2u);
    EXPECT_EQ(std::vector(bore.warnings().begin(), bore.warnings().end()),
              std::vector<std::uint32_t>{0});

    rig.click(ClearButton);
    EXPECT_TRUE(rig.chartData.warnings().empty());
    rig.dialog.plan().putInForce(std::nullopt);
    rig.setJudging(2.0f, 0.5f, -0.5f);
    rig.record(2.0f);  // the first row again, its mark gone with the record it belonged to
    EXPECT_FALSE(rig.listTexts.warned(0));
    EXPECT_TRUE(rig.chartData.warnings().empty());
}

JournalRecord journalRecord(float value, float nominal, float upper, float lower,
                            std::optional<JournalPlanStamp> planned) {
    JournalRecord r;
    r.number = 1;
    r.valueText = "x";
    r.value = value;
    r.verdict = Verdict::Ok;
    r.nominal = nominal;
    r.upperTolerance = upper;
    r.lowerTolerance = lower;
    r.planned = std::move(planned);
    return r;
}

// The journal keeps the plan a record was taken for, and with it its characteristic's zone;
// it keeps no zone of records taken without a plan, so those come back unmarked.
TEST(WarningMarks, RecordsOfAnEarlierRunComeBackMarkedWhereTheirPlanHoldsTheZone) {
    const auto plan = std::make_shared<const InspectionPlan>(zonedShaft());
    const std::vector<JournalRecord> records{
        journalRecord(12.015f, 12.0f, 0.02f, -0.02f, JournalPlanStamp{plan, 1, 0, "S1"}),
        journalRecord(40.095f, 40.0f, 0.1f, -0.1f, JournalPlanStamp{plan, 1, 1, "S1"}),
        journalRecord(11.985f, 12.0f, 0.02f, -0.02f, JournalPlanStamp{plan, 2, 0, "S2"}),
        journalRecord(2.45f, 2.0f, 0.5f, -0.5f, std::nullopt),
    };
    const std::unique_ptr<StationRecords> run = earlierRunRecords(records);
    const bool expected[] = {true, false, true, false};
    for (std::uint32_t row = 0; row < records.size(); ++row) {
        EXPECT_EQ(run->listTexts.warned(row), expected[row]) << row;
    }
    EXPECT_EQ(run->chartData.warnings().size(), 2u);
}

}  // namespace
}  // namespace mensora
