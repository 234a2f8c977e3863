// A plan in force at the bench: each record is judged against the characteristic due and
// stamped with it, an NG part sounds once, and "No plan" puts the stored sizes back untouched.
#include <gtest/gtest.h>

#include <string>

#include "base/control_ids.h"
#include "base/stored_thousandths.h"
#include "tests/support/dialog_rig.h"
#include "tests/support/sample_plan.h"

namespace mensora {
namespace {

using Rig = test::DialogRig<>;

using test::shaft;

TEST(PlanSteering, RecordsAreJudgedAndStampedByTheCharacteristicDueAndPartsByTheirLatest) {
    Rig rig({{"m_Text9", 5000}, {"m_Text10", 10}, {"m_Text11", -10}, {"COMBO2", 0}});
    rig.dialog.plan().putInForce(shaft());
    EXPECT_FALSE(rig.window.isEnabled(ParametersButton));
    EXPECT_EQ(rig.dialog.plan().line(),
              "零件 A-7 (Shaft)，序号 1 · 1/3 Bore：12 mm，界限 11.98 至 12.02");

    const struct {
        float value;
        const char* verdict;    // of the record
        const char* stamped;    // its characteristic
        PlanStamp plan;         // its part and the characteristic's place
        const char* line;       // under the window afterwards
        int sounds;             // alerts so far
        StatisticsFigures due;  // the statistics group's count and average afterwards
    } records[] = {
        {12.01f,
         "合格",
         "1 Bore",
         {1, 0},
         "零件 A-7 (Shaft)，序号 1 · 2/3 Length：40 inch，界限 39.9 至 40.1",
         0,
         {}},
        {40.0f,
         "合格",
         "2 Length",
         {1, 1},
         "零件 A-7 (Shaft)，序号 1 · 3/3 Angle：30 °，界限 30 至 30.5",
         0,
         {}},
        {30.2f,
         "合格",
         "3 Angle",
         {1, 2},
         "零件 A-7，序号 1 完成：合格",
         0,
         {.average = 12.01f, .count = 1}},
        {12.5f,
         "超差",
         "1 Bore",
         {2, 0},
         "零件 A-7 (Shaft)，序号 2 · 2/3 Length：40 inch，界限 39.9 至 40.1",
         0,
         {.average = 40.0f, .count = 1}},
        {40.05f,
         "合格",
         "2 Length",
         {2, 1},
         "零件 A-7 (Shaft)，序号 2 · 3/3 Angle：30 °，界限 30 至 30.5",
         0,
         {.average = 30.2f, .count = 1}},
        {30.0f,
         "超差",
         "3 Angle",
         {2, 2},
         "零件 A-7，序号 2 完成：超差",
         1,  // on the lower limit
         {.average = 12.255f, .count = 2}},
    };
    for (const auto& r : records) {
        SCOPED_TRACE(r.stamped);
        rig.record(r.value, std::to_string(r.value));
        const std::uint32_t last = rig.store.count() - 1;
        EXPECT_EQ(rig.listRow(last).verdict, r.verdict);
        EXPECT_EQ(rig.traces.combinations().at(rig.traces.indexOf(last)).characteristic, r.stamped);
        EXPECT_EQ(rig.traces.combinations().at(rig.traces.indexOf(last)).part, "A-7");
        EXPECT_EQ(rig.records.planStamps.of(last).part, r.plan.part);
        EXPECT_EQ(rig.records.planStamps.of(last).characteristic, r.plan.characteristic);
        EXPECT_EQ(rig.dialog.plan().line(), r.line);
        EXPECT_EQ(rig.sound.starts, r.sounds);
        EXPECT_EQ(rig.state.statistics.shown.count, r.due.count);
        EXPECT_FLOAT_EQ(rig.state.statistics.shown.average, r.due.average);
    }

    // Measured again: the bore of part 3 after a slip, and the part takes the latest.
    rig.record(13.0f);
    rig.dialog.plan().previous();
    rig.record(12.0f);
    rig.record(40.0f);
    rig.record(30.1f);
    EXPECT_EQ(rig.dialog.plan().line(), "零件 A-7，序号 3 完成：合格");
    const PlanParts parts = rig.records.planStamps.parts();
    ASSERT_EQ(parts.parts.size(), 3u);
    EXPECT_EQ(parts.plans.size(), 1u) << "a plan is kept once for all its parts";
    EXPECT_EQ(parts.parts[2].serial, "3");
    EXPECT_EQ(rig.records.planStamps.of(rig.store.count() - 4).part, 3u) << "measured again";

    rig.dialog.plan().putInForce(std::nullopt);
    EXPECT_TRUE(rig.window.isEnabled(ParametersButton));
    EXPECT_EQ(rig.state.parameters.nominal, fromStoredThousandths(5000));
    EXPECT_EQ(rig.state.parameters.upperTolerance, fromStoredThousandths(10));
    EXPECT_EQ(rig.state.parameters.unitIndex, 0);
    EXPECT_EQ(rig.settings.values.at("m_Text9"), 5000) << "a plan never stores its sizes";
    EXPECT_EQ(rig.dialog.plan().line(), "");
    EXPECT_EQ(rig.state.statistics.shown.count, rig.store.count()) << "all records again";
    rig.record(5.005f);
    EXPECT_EQ(rig.records.planStamps.of(rig.store.count() - 1).part, 0u);
    EXPECT_EQ(rig.traces.inForce().characteristic, "");
    EXPECT_EQ(rig.listRow(rig.store.count() - 1).verdict, "合格");
}

// The Part and lot window beside a plan: what was typed for the part, characteristic and gauge
// gives way to the plan, and a new lot numbers its parts from 1 again.
TEST(PlanSteering, APartAndLotConfirmedKeepsThePlansValuesAndANewLotNumbersFromOne) {
    Rig rig;
    rig.dialog.plan().putInForce(shaft());
    rig.record(12.0f);
    ASSERT_FALSE(rig.station.tracePanel().confirm({"X-1", "Typed", "L-2", "Wang", "G-9"},
                                                  Language::English));
    const TraceValues& inForce = rig.traces.inForce();
    EXPECT_EQ(inForce.part, "A-7");
    EXPECT_EQ(inForce.characteristic, "2 Length");
    EXPECT_EQ(inForce.gaugeId, "G-2");
    EXPECT_EQ(inForce.lot, "L-2");
    EXPECT_EQ(inForce.operatorName, "Wang");
    rig.record(40.0f);
    rig.record(30.0f);
    EXPECT_EQ(rig.dialog.plan().walk()->serial(), "2");
    ASSERT_FALSE(rig.station.tracePanel().confirm({"", "", "L-3", "Wang", ""}, Language::English));
    EXPECT_EQ(rig.dialog.plan().walk()->serial(), "1") << "the first part of lot L-3";
    EXPECT_EQ(rig.traces.inForce().characteristic, "1 Bore");
}

// The quality charts beside a plan: the records of one characteristic alone, each against its
// own limits and named in the heading, the one due or the one pinned; brought up to date as
// records come, gathered afresh after a Clear, and every record again with No plan. The
// workbook's figures keep to the characteristic due whatever the charts window pinned.
TEST(PlanSteering, TheChartsShowOneCharacteristicAloneTheOneDueOrThePinnedOne) {
    Rig rig;
    rig.dialog.plan().putInForce(shaft());
    ChartSource& charts = rig.dialog.chartSource();
    EXPECT_EQ(charts.characteristics(),
              (std::vector<std::string>{"1 Bore", "2 Length", "3 Angle"}));
    const auto values = [](const ChartData& data) {
        const auto all = data.values().values();
        return std::vector<float>(all.begin(), all.end());
    };
    constexpr int kDue = -1;
    const struct {
        std::vector<float> recorded;  // before the look; empty: Clear
        int pin;                      // the characteristic pinned, by its place, or kDue
        std::vector<float> shown;
        float nominal;  // of the limits drawn
        const char* heading;
        std::vector<float> due;  // what the workbook's figures take
    } looks[] = {
        {{12.0f}, kDue, {}, 40.0f, "2 Length", {}},  // the length is due, none measured yet
        {{40.0f, 30.0f}, kDue, {12.0f}, 12.0f, "1 Bore", {12.0f}},  // part 1 done: the bore
        {{12.01f}, 2, {30.0f}, 30.0f, "3 Angle", {40.0f}},          // the angle pinned
        {{40.1f}, 2, {30.0f}, 30.0f, "3 Angle", {30.0f}},           // due and pinned: one
        {{30.1f}, 1, {40.0f, 40.1f}, 40.0f, "2 Length", {12.0f, 12.01f}},
        {{}, 1, {}, 40.0f, "2 Length", {}},  // Clear: the pin holds
        {{12.02f, 40.2f}, kDue, {}, 30.0f, "3 Angle", {}},
    };
    for (const auto& look : looks) {
        if (look.recorded.empty()) rig.click(ClearButton);
        for (const float value : look.recorded) rig.record(value);
        charts.pin(look.pin == kDue ? std::nullopt : std::optional<std::size_t>(look.pin));
        const ChartSource::Shown shown = charts.shown();
        EXPECT_EQ(values(shown.data), look.shown) << look.heading;
        EXPECT_EQ(shown.limits.nominal, look.nominal) << look.heading;
        EXPECT_EQ(shown.trace.characteristic, look.heading);
        EXPECT_EQ(values(rig.dialog.workbookChart()), look.due) << look.heading;
    }
    charts.pin(0);
    rig.dialog.plan().putInForce(std::nullopt);
    EXPECT_EQ(values(charts.shown().data), (std::vector<float>{12.02f, 40.2f}));
    EXPECT_TRUE(charts.characteristics().empty());
    EXPECT_EQ(charts.pinned(), std::nullopt);
}

}  // namespace
}  // namespace mensora
