// The run rules raise the alarms an inspector acts on: each must fire on the point that
// completes its pattern, name where the pattern began, and stay silent one point short of it.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "charts/run_rule_texts.h"
#include "charts/run_rules.h"

namespace mensora {
namespace {

// Fixed limits: centre 10.000, σ 0.010, single readings.
const ControlLimits kLimits = limitsFromFixed({10.0, 0.010, 1, {}, 0});

// Readings so many σ from the centre.
std::vector<double> sigmas(std::initializer_list<double> distances) {
    std::vector<double> readings;
    for (const double d : distances) readings.push_back(10.0 + 0.010 * d);
    return readings;
}

std::vector<double> repeated(const std::vector<double>& pattern, std::size_t count) {
    std::vector<double> readings;
    while (readings.size() < count) readings.push_back(pattern[readings.size() % pattern.size()]);
    return readings;
}

struct Hit {
    std::uint32_t point;
    int rule;
    std::uint32_t firstPoint;
    bool operator==(const Hit&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Hit& hit) {
    return out << "rule " << hit.rule << " on " << hit.point << " from " << hit.firstPoint;
}

struct Series {
    const char* name;
    std::vector<double> readings;
    std::vector<Hit> hits;  // over the whole series, in order
    RuleSet watched = RuleSet::all();
};

void PrintTo(const Series& series, std::ostream* out) { *out << series.name; }

class RuleSeries : public ::testing::TestWithParam<Series> {};

TEST_P(RuleSeries, FireWhereTheirPatternIsCompleteAndNowhereElse) {
    RunRules rules(GetParam().watched);
    std::vector<Hit> got;
    for (const double reading : GetParam().readings) {
        const RuleHits hits = rules.add(reading, kLimits);
        for (int rule = 1; rule <= kRuleCount; ++rule) {
            if (hits.fired(rule)) got.push_back({rules.count(), rule, hits.firstPoint(rule)});
        }
    }
    EXPECT_EQ(got, GetParam().hits);
}

const double kOneAbove = kLimits.centre + kLimits.pointSigma();
const double kOneBelow = kLimits.centre - kLimits.pointSigma();
// Within 1 σ, with no run on a side, no trend and no alternation.
const std::vector<double> kCloseToTheCentre = repeated(sigmas({0.5, 0.3, -0.5, -0.3}), 16);

INSTANTIATE_TEST_SUITE_P(
    EachRule, RuleSeries,
    ::testing::Values(
        Series{"R1Above", sigmas({0.5, -0.5, 3.5}), {{3, 1, 3}}},
        Series{"R1Below", sigmas({-3.2}), {{1, 1, 1}}},
        Series{"R1NotShort", sigmas({2.9, -2.9}), {}},
        Series{"R2Worked",
               {10.005, 10.004, 10.006, 10.003, 10.008, 10.002, 10.007, 10.001, 10.004},
               {{9, 2, 1}}},
        Series{"R2Below", sigmas({-.2, -.2, -.2, -.2, -.2, -.2, -.2, -.2, -.2}), {{9, 2, 1}}},
        Series{"R2NotEight", sigmas({.2, .2, .2, .2, .2, .2, .2, .2}), {}},
        Series{"R2CentreEndsTheRun",
               sigmas({.2, .2, .2, .2, .2, .2, .2, .2, 0, .2, .2, .2, .2, .2}),
               {}},
        // One alarm per nine: a shift of eighteen fires on the 9th and the 18th only.
        Series{"R2FiresAgainAfterNineMore",
               repeated(sigmas({.5, .5, 1.5}), 18),
               {{9, 2, 1}, {18, 2, 10}}},
        Series{"R3Worked", {9.991, 9.993, 9.995, 9.998, 10.001, 10.004}, {{6, 3, 1}}},
        Series{"R3Falling", sigmas({.5, .4, .3, .2, .1, -.1}), {{6, 3, 1}}},
        Series{"R3NotFive", sigmas({.1, .2, .3, .4, .5}), {}},
        Series{"R3EqualPairEndsIt", sigmas({.1, .2, .3, .3, .4, .5, .6}), {}},
        // The next trend starts at the point after the one that fired, not on it.
        Series{"R3NextSixAfterIt",
               sigmas({-.6, -.5, -.4, -.3, -.2, -.1, .1, .2, .3, .4, .5, .6}),
               {{6, 3, 1}, {12, 3, 7}}},
        Series{"R4", repeated(sigmas({.1, -.1}), 14), {{14, 4, 1}}},
        Series{"R4NotThirteen", repeated(sigmas({.1, -.1}), 13), {}},
        Series{"R4EqualPairEndsIt",
               sigmas({.1, -.1, .1, -.1, .1, -.1, -.1, .1, -.1, .1, -.1, .1, -.1, .1}),
               {}},
        Series{"R5Worked", {10.021, 10.010, 10.023}, {{3, 5, 1}}},
        Series{"R5Below", sigmas({-2.5, -2.5}), {{2, 5, 1}}},
        Series{"R5NotOppositeSides", sigmas({2.5, -2.5, .5, 2.5}), {}},
        Series{"R5NotTwoOfFour", sigmas({2.5, .5, .5, 2.5}), {}},
        Series{"R5OncePerPair", sigmas({2.5, 2.5, 2.5, 2.5}), {{2, 5, 1}, {4, 5, 3}, {4, 6, 1}}},
        Series{"R6", sigmas({1.5, 1.5, .5, 1.5, 1.5}), {{5, 6, 1}}},
        Series{"R6Below", sigmas({-1.5, -1.5, -1.5, -1.5}), {{4, 6, 1}}},
        Series{"R6NotThreeOfFive", sigmas({1.5, 1.5, .5, .5, 1.5, 1.5}), {}},
        Series{"R7", repeated(kCloseToTheCentre, 15), {{15, 7, 1}}},
        Series{"R7NotFourteen",
               [] {
                   std::vector<double> r = repeated(kCloseToTheCentre, 14);
                   r.push_back(10.015);
                   return r;
               }(),
               {}},
        Series{"R8", repeated(sigmas({1.5, -1.5}), 8), {{8, 8, 1}}},
        Series{"R8NotSeven", sigmas({1.5, -1.5, 1.5, -1.5, 1.5, -1.5, 1.5, .5, -1.5}), {}},
        // Exactly 1 σ out is within it: not rule 8, and the fifteenth such point is rule 7.
        Series{"OneSigmaIsWithin", repeated({kOneAbove, kOneAbove, kOneBelow, kOneBelow}, 15), {{15, 7, 1}}},
        // One point completes two patterns, each named from its own first point.
        Series{"TwoRulesOnOnePoint", sigmas({2.5, 3.5}), {{2, 1, 2}, {2, 5, 1}}},
        // Unwatched rules stay silent: the rising six under the usual rules 1, 2, 5, 6.
        Series{"R3NotWatchedByDefault",
               {9.991, 9.993, 9.995, 9.998, 10.001, 10.004},
               {},
               RuleSet{}}),
    [](const auto& param) { return std::string(param.param.name); });

struct Edge {
    double value;
    bool fires;
};

TEST(RunRules, APointOnALimitIsNotBeyondItAndOneAHairPastIs) {
    constexpr double kUp = std::numeric_limits<double>::infinity();
    const Edge edges[] = {{kLimits.upper, false},
                          {std::nextafter(kLimits.upper, kUp), true},
                          {kLimits.lower, false},
                          {std::nextafter(kLimits.lower, -kUp), true}};
    for (const Edge& edge : edges) {
        RunRules rules(RuleSet::all());
        EXPECT_EQ(rules.add(edge.value, kLimits).fired(1), edge.fires) << edge.value;
    }
}

struct RangeCase {
    int subgroupSize;
    double range;
    bool fires;
    RuleSet watched;
};

// R̄ 0.03: for five readings the limits are 0 and 0.06342, for seven 0.00228 and 0.05772.
TEST(RunRules, TheRangeChartWatchesItsOwnLimitsOnly) {
    const RangeCase cases[] = {
        {5, 0.0634, false, {}}, {5, 0.0635, true, {}},
        {5, 0.0, false, {}},    {7, 0.002, true, {}},
        {7, 0.003, false, {}},  {7, 0.058, true, {}},
        {1, 0.099, true, {}},   {1, 0.099, false, RuleSet::none()},
    };
    for (const RangeCase& c : cases) {
        const ControlLimits limits = limitsFromRecords(10.0, 0.03, c.subgroupSize);
        const RuleHits hits = rangeRuleHits(c.range, 12, limits, c.watched);
        EXPECT_EQ(hits.any(), c.fires) << c.subgroupSize << " " << c.range;
        if (c.fires) {
            EXPECT_EQ(hits.firstPoint(1), 12u);
        }
    }
}

struct StoredRules {
    const char* text;
    std::optional<std::string> kept;  // as written back; empty when refused
};

TEST(RuleSet, IsKeptAsTheTextOfItsNumbers) {
    EXPECT_EQ(RuleSet().text(), "1,2,5,6");
    const StoredRules cases[] = {
        {"1,2,5,6", "1,2,5,6"},
        {"", ""},
        {" 8, 1 ", "1,8"},
        {"3,3", "3"},
        {"0", {}},
        {"9", {}},
        {"1,,2", {}},
        {"1,2,", {}},
        {"x", {}},
        {"1.5", {}},
        {"12", {}},
        {"1,2,3,4,5,6,7,8", "1,2,3,4,5,6,7,8"},
    };
    for (const StoredRules& c : cases) {
        const std::optional<RuleSet> read = RuleSet::fromText(c.text);
        ASSERT_EQ(read.has_value(), c.kept.has_value()) << c.text;
        if (read) {
            EXPECT_EQ(read->text(), *c.kept) << c.text;
        }
    }
}

TEST(RuleSet, EachNameSaysItsOwnNumber) {
    for (int rule = 1; rule <= kRuleCount; ++rule) {
        const Bilingual& name = run_rule_texts::kRuleNames[rule - 1];
        EXPECT_EQ(std::string(name.english).rfind("Rule " + std::to_string(rule) + ":", 0), 0u);
        EXPECT_EQ(std::string(name.chinese).rfind("规则" + std::to_string(rule) + "：", 0), 0u);
    }
}

}  // namespace
}  // namespace mensora
