// The control charts wired into the station: records taken at the bench become X̄-R or I-MR
// points with the limits a quality engineer works out by hand, a run rule that fires is told
// once with the records it covers and the characteristic they were taken for, and limits fixed
// from the window are kept where the next start reads them: in the settings without a plan,
// in the plan's own file with one.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/number_text.h"
#include "charts/control_headings.h"
#include "files/plan_store.h"
#include "tests/support/dialog_rig.h"
#include "tests/support/temporary_folder.h"

namespace mensora {
namespace {

using Rig = test::DialogRig<>;

// Figures as a person writes them down, to four places.
std::string shown(double value) { return fixedText(value, 4); }

struct Expected {
    // The value chart's centre, lower and upper limits and the range chart's upper one, of
    // the characteristic at `pinned` (none: the records without a plan).
    std::optional<std::size_t> pinned;
    std::array<std::string, 4> limits;
    std::vector<RuleEvent> events;
    // Fixed then: the centre and σ within kept, the subgroup size and the records counted.
    std::array<std::string, 2> fixed;
    int fixedSize;
    std::uint32_t fixedRecords;
};

struct Case {
    const char* name;
    int subgroupSetting;  // the charts window's choice, read by a plan's absence alone
    RuleSet rules;
    std::optional<InspectionPlan> plan;
    std::vector<float> readings;  // in the order taken, for the characteristic due
    Expected expected;
};

Characteristic sized(const char* number, const char* name, float nominal, int subgroup) {
    Characteristic c;
    c.number = number;
    c.name = name;
    c.nominal = nominal;
    c.upperTolerance = 5.0f;
    c.lowerTolerance = -5.0f;
    c.subgroupSize = subgroup;
    return c;
}

const Case kCases[] = {
    {"four steady subgroups of five, then one far above: rule 1 on the means chart",
     5,
     RuleSet(),
     std::nullopt,
     {10.0f, 10.1f, 10.2f, 9.9f,  9.8f, 10.1f, 10.2f, 10.3f, 10.0f, 9.9f,  9.9f,  10.0f, 10.1f,
      9.8f,  9.7f,  10.0f, 10.2f, 9.8f, 10.1f, 9.9f,  10.6f, 10.6f, 10.6f, 10.6f, 10.6f},
     // X̿ 10.12, R̄ 0.32: X̿ ± 0.577 R̄, 2.114 R̄; σ within R̄ / 2.326.
     {std::nullopt,
      {"10.1200", "9.9354", "10.3046", "0.6765"},
      {{1, false, std::nullopt, "", 21, 25}},
      {"10.1200", "0.1376"},
      5,
      25}},
    {"individuals: a jump fires rule 1 on the run chart and on the moving ranges",
     1,
     RuleSet(),
     std::nullopt,
     {10.0f, 10.0f, 10.0f, 10.0f, 12.0f},
     // x̄ 10.4, MR̄ 0.5: x̄ ± 3 MR̄ / 1.128, 3.267 MR̄.
     {std::nullopt,
      {"10.4000", "9.0702", "11.7298", "1.6335"},
      {{1, false, std::nullopt, "", 5, 5}, {1, true, std::nullopt, "", 4, 5}},
      {"10.4000", "0.4433"},
      1,
      5}},
    {"a plan's subgroups of two for the bore, taken between the lengths",
     5,
     RuleSet(),
     InspectionPlan{"P-9", "Pin", {sized("1", "Bore", 1.0f, 2), sized("2", "Length", 5.0f, 1)}},
     {1.0f, 5.0f, 1.2f, 5.0f, 1.0f, 5.0f, 1.2f, 5.0f, 1.0f, 5.0f, 1.2f, 5.0f, 2.0f, 5.0f, 2.0f,
      5.0f},
     // The bore's X̿ 1.325, R̄ 0.15: X̿ ± 1.880 R̄, 3.267 R̄; its last subgroup is records 13
     // and 15 of the list, the lengths between them.
     {0,
      {"1.3250", "1.0430", "1.6070", "0.4901"},
      {{1, false, 0, "1 Bore", 13, 15}},
      {"1.3250", "0.1330"},
      2,
      8}},
    {"rule 2 alone: nine in a row above the centre name the records of all nine",
     1,
     *RuleSet::fromText("2"),
     std::nullopt,
     {10.0f, 10.0f, 10.0f, 10.0f, 10.0f, 10.0f, 10.0f, 10.0f, 10.0f, 10.0f, 11.0f, 11.0f, 11.0f,
      11.0f, 11.0f, 11.0f, 11.0f, 11.0f, 11.0f},
     // x̄ 199 / 19, MR̄ 1 / 18.
     {std::nullopt,
      {"10.4737", "10.3259", "10.6214", "0.1815"},
      {{2, false, std::nullopt, "", 11, 19}},
      {"10.4737", "0.0493"},
      1,
      19}},
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class ControlChartsWiring : public ::testing::TestWithParam<Case> {};

TEST_P(ControlChartsWiring, RecordsBecomeLimitsEventsAndKeptLimits) {
    const Case& c = GetParam();
    Rig rig({{"Language", kStoredEnglish}, {"ChartsSubgroup", c.subgroupSetting}});
    test::TemporaryFolder data;
    rig.fileSystem.userData = data.path();
    std::vector<RuleEvent> events;
    rig.dialog.onRuleFired([&](const RuleEvent& event) { events.push_back(event); });
    ChartSource& source = rig.dialog.chartSource();
    source.setRules(c.rules);
    EXPECT_EQ(rig.settings.texts["Control/Rules"], c.rules.text());
    if (c.plan) rig.dialog.plan().putInForce(*c.plan);
    for (const float reading : c.readings) rig.record(reading, formatFloat(reading), 1);

    EXPECT_EQ(events, c.expected.events);
    source.pin(c.expected.pinned);
    const std::optional<ControlLimits> limits = source.shown().data.control().limits();
    ASSERT_TRUE(limits);
    EXPECT_EQ((std::array{shown(limits->centre), shown(limits->lower), shown(limits->upper),
                          shown(limits->rangeUpper)}),
              c.expected.limits);

    source.fixLimits();
    std::optional<FixedLimits> kept;
    if (c.plan) {
        rig.work.runAll();
        // The plan's file as the shelf wrote it, read as the next start reads it.
        const std::string path = PlanStore(rig.fileSystem, data.path()).pathOf(c.plan->part);
        ASSERT_EQ(rig.fileSystem.files.count(path), 1u) << path;
        const std::optional<InspectionPlan> saved = planFromJson(rig.fileSystem.files.at(path));
        ASSERT_TRUE(saved);
        kept = saved->characteristics[*c.expected.pinned].fixedLimits;
        EXPECT_EQ(rig.dialog.plan().walk()->plan().characteristics[*c.expected.pinned].fixedLimits,
                  kept);
    } else {
        // What the next start reads from the settings.
        kept = ControlChoice(rig.settings, rig.clock).settings().limits.fixed;
    }
    ASSERT_TRUE(kept);
    EXPECT_EQ((std::array{shown(kept->centre), shown(kept->sigma)}), c.expected.fixed);
    EXPECT_EQ(kept->subgroupSize, c.expected.fixedSize);
    EXPECT_EQ(kept->recordCount, c.expected.fixedRecords);
    EXPECT_EQ(kept->fixedAt, rig.clock.localNow());
    EXPECT_EQ(limitsLine(source.shown().data, Language::English),
              "Limits: fixed " + fixedTimeText(kept->fixedAt) + " from " +
                  std::to_string(c.expected.fixedRecords) + " records");

    source.unfixLimits();
    EXPECT_EQ(limitsLine(source.shown().data, Language::English), "Limits: from all records");
}

INSTANTIATE_TEST_SUITE_P(Cases, ControlChartsWiring, ::testing::ValuesIn(kCases));

}  // namespace
}  // namespace mensora
