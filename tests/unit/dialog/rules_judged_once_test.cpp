// The run rules are judged once a record for the watch that tells each firing and for the
// charts that ring it, yet each keeps its own way with settings changed in mid-run: the watch
// starts afresh at the next record, a charts window judges every record against the settings
// of the moment. Both are held against control charts fed by hand.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "base/control_ids.h"
#include "tests/support/dialog_rig.h"

namespace mensora {
namespace {

using Rig = test::DialogRig<>;

// Readings of a process that shifts by about two σ every fifteen readings, so that the rules
// keep firing under any subgroup size.
float reading(std::uint32_t i) {
    const float shift = (i / 15) % 2 == 1 ? 0.08f : 0.0f;
    return 10.0f + 0.01f * static_cast<float>((i * 7919u) % 13u) + shift;
}

struct Take {
    std::uint32_t records;
};
struct Rules {
    RuleSet rules;
};
struct Size {
    int subgroup;
};
struct Look {};  // a charts window draws
struct Clear {};
struct Plan {
    bool inForce;
};
using Step = std::variant<Take, Rules, Size, Look, Clear, Plan>;

// A stretch of the readings the watch judged on one chart of its own making.
struct Stream {
    ControlSettings settings;
    std::uint32_t readings;
    std::uint32_t firstRecord;  // as the record list numbers it
    bool ofCharacteristic;      // of the plan's one characteristic
};

struct Case {
    const char* name;
    std::vector<Step> steps;
    std::vector<Stream> watched;  // every reading taken, in order
    ControlSettings drawn;        // the charts' settings at the end
    std::uint32_t drawnRecords;   // the last readings, since the last Clear
};

constexpr ControlSettings kSingles{1, {}, RuleSet()};
constexpr ControlSettings kSinglesAll{1, {}, RuleSet::all()};
constexpr ControlSettings kFives{5, {}, RuleSet()};

Characteristic bore() {
    Characteristic c;
    c.number = "1";
    c.name = "Bore";
    c.nominal = 10.0f;
    c.upperTolerance = 1.0f;
    c.lowerTolerance = -1.0f;
    c.subgroupSize = 2;
    return c;
}

const Case kCases[] = {
    {"rules changed while a window looks: the watch starts afresh, the rings are all again",
     {Take{40}, Rules{RuleSet::all()}, Look{}, Take{40}},
     {{kSingles, 40, 1, false}, {kSinglesAll, 40, 41, false}},
     kSinglesAll,
     80},
    {"changed and changed back after a look: the one stream goes on",
     {Take{40}, Rules{RuleSet::all()}, Look{}, Rules{RuleSet()}, Take{40}},
     {{kSingles, 80, 1, false}},
     kSingles,
     80},
    {"the size changed with no window looking",
     {Take{40}, Size{5}, Take{40}},
     {{kSingles, 40, 1, false}, {kFives, 40, 41, false}},
     kFives,
     80},
    {"a Clear after a change: one stream from its first record",
     {Take{30}, Size{5}, Take{30}, Look{}, Clear{}, Take{40}},
     {{kSingles, 30, 1, false}, {kFives, 30, 31, false}, {kFives, 40, 1, false}},
     kFives,
     40},
    {"a plan in force between: the stream of every record starts afresh after it",
     {Take{30}, Plan{true}, Take{30}, Plan{false}, Take{30}},
     {{kSingles, 30, 1, false}, {{2, {}, RuleSet()}, 30, 31, true}, {kSingles, 30, 61, false}},
     kSingles,
     90},
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class RulesJudgedOnce : public ::testing::TestWithParam<Case> {};

TEST_P(RulesJudgedOnce, TheWatchTellsItsStreamsFiringsAndTheChartsRingTheSettingsOfTheMoment) {
    const Case& c = GetParam();
    Rig rig;
    std::vector<RuleEvent> told;
    rig.dialog.onRuleFired([&](const RuleEvent& event) { told.push_back(event); });
    ChartSource& source = rig.dialog.chartSource();
    const InspectionPlan plan{"P-1", "Pin", {bore()}};
    std::uint32_t taken = 0;
    for (const Step& step : c.steps) {
        if (const auto* take = std::get_if<Take>(&step)) {
            for (std::uint32_t i = 0; i < take->records; ++i) {
                const float value = reading(taken++);
                rig.record(value, std::to_string(value), 3);
            }
        } else if (const auto* rules = std::get_if<Rules>(&step)) {
            source.setRules(rules->rules);
        } else if (const auto* size = std::get_if<Size>(&step)) {
            source.setSubgroupSize(size->subgroup);
        } else if (std::holds_alternative<Look>(step)) {
            source.shown();
        } else if (std::holds_alternative<Clear>(step)) {
            rig.click(ClearButton);
        } else {
            rig.dialog.plan().putInForce(std::get<Plan>(step).inForce ? std::optional(plan)
                                                                      : std::nullopt);
        }
    }

    std::vector<RuleEvent> expected;
    std::uint32_t next = 0;
    for (const Stream& stream : c.watched) {
        ControlChart chart(stream.settings, 0);
        const std::size_t before = expected.size();
        for (std::uint32_t i = 0; i < stream.readings; ++i) {
            const RuleFirings firings = chart.add(reading(next++), stream.firstRecord + i);
            for (std::size_t f = 0; f < firings.count; ++f) {
                const RuleFiring& firing = firings.fired[f];
                expected.push_back(
                    {firing.rule, firing.rangeChart,
                     stream.ofCharacteristic ? std::optional<std::size_t>(0) : std::nullopt,
                     stream.ofCharacteristic ? "1 Bore" : "", firing.firstRecord,
                     firing.lastRecord});
            }
        }
        // Each stream has something to tell, or the case would not tell them apart.
        EXPECT_GT(expected.size(), before) << "stream from record " << stream.firstRecord;
    }
    EXPECT_EQ(taken, next);
    EXPECT_EQ(told, expected);

    ControlChart drawn(c.drawn, kRecordCapacity);
    for (std::uint32_t i = taken - c.drawnRecords; i < taken; ++i) {
        drawn.add(reading(i), i - (taken - c.drawnRecords) + 1);
    }
    const ControlChart& shown = source.shown().data.control();
    EXPECT_EQ(shown.settings(), c.drawn);
    EXPECT_EQ(shown.valueMarks(), drawn.valueMarks());
    EXPECT_EQ(shown.rangeMarks(), drawn.rangeMarks());
    EXPECT_FALSE(drawn.valueMarks().empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, RulesJudgedOnce, ::testing::ValuesIn(kCases));

}  // namespace
}  // namespace mensora
