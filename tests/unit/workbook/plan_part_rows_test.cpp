// The parts sheet's rows and the figures by characteristic, read back from the plan stamps of
// records taken as a bench takes them: a part's verdict follows the latest record of each
// characteristic, a part left incomplete is NG, and only the part still being measured when
// the save starts has no verdict yet.

#include "workbook/plan_part_rows.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/workbook/sample_run.h"

namespace mensora {
namespace {

using Latest = std::vector<std::optional<std::uint32_t>>;

struct ExpectedPart {
    std::size_t plan;  // its index among the plans put in force
    std::uint32_t part;
    std::uint32_t firstRecord;
    Latest latest;
    std::optional<bool> ok;
};

// A plan of two characteristics named after `part`.
InspectionPlan twoCharacteristics(const char* part) {
    InspectionPlan plan = test::samplePlan();
    plan.part = part;
    plan.characteristics.pop_back();
    return plan;
}

// Steps at the bench: r a record, p back one characteristic, n skip one, x a record with no
// plan, A / B put plan A / B in force (a new walk from its first characteristic).
struct Bench {
    AcquisitionState state;
    RecordStore store{64};
    ChartData chartData;
    PlanStamps stamps{64};
    std::optional<PlanWalk> walk;

    explicit Bench(const std::string& steps) {
        // The sample run's records 0, 3, 10 and 13 are NG.
        test::fillSampleRun(64, Language::English, state, store, chartData);
        std::uint32_t record = 0;
        for (const char step : steps) {
            switch (step) {
                case 'A': walk.emplace(twoCharacteristics("A")); break;
                case 'B': walk.emplace(twoCharacteristics("B")); break;
                case 'p': walk->previous(); break;
                case 'n': walk->next(); break;
                case 'x': stamps.stamp(record++, nullptr); break;
                default:
                    stamps.stamp(record++, &*walk);
                    walk->recorded(Verdict::Ok);  // the sheet reads the records' own verdicts
            }
        }
    }
    WorkbookPlanParts planParts() const {
        return {&stamps, stamps.parts(), walk && walk->partStarted()};
    }
};

TEST(PlanPartRows, FollowTheLatestRecordOfEachCharacteristic) {
    const struct {
        const char* name;
        std::string steps;
        std::uint32_t count;  // the records the save holds
        std::vector<ExpectedPart> parts;
    } cases[] = {
        {"two complete parts, the second NG",
         "Arrrr",
         4,
         {{0, 1, 0, {0, 1}, false}, {0, 2, 2, {2, 3}, false}}},
        {"NG measured again to OK",
         "xArrrprr",
         6,
         {{0, 1, 1, {1, 2}, true}, {0, 2, 3, {4, 5}, true}}},
        {"a skipped characteristic leaves the part NG",
         "xArnrr",
         4,
         {{0, 1, 1, {1, std::nullopt}, false}, {0, 2, 2, {2, 3}, false}}},
        {"a part left for another plan is NG and each plan keeps its parts",
         "xArBrr",
         4,
         {{0, 1, 1, {1, std::nullopt}, false}, {1, 2, 2, {2, 3}, false}}},
        {"the part under way has no verdict yet",
         "xArrr",
         4,
         {{0, 1, 1, {1, 2}, true}, {0, 2, 3, {3, std::nullopt}, std::nullopt}}},
        {"records after the save's count are not read",
         "xArrrr",
         4,
         {{0, 1, 1, {1, 2}, true}, {0, 2, 3, {3, std::nullopt}, false}}},
        {"no record with a plan", "xx", 2, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Bench bench(c.steps);
        const WorkbookPlanParts planParts = bench.planParts();
        std::vector<ExpectedPart> got;
        EXPECT_TRUE(forEachPart(bench.store, c.count, planParts, [&](const PartRow& row) {
            got.push_back({planParts.parts.parts[row.part - 1].plan, row.part, row.firstRecord,
                           row.latest, row.ok});
            return true;
        }));
        ASSERT_EQ(got.size(), c.parts.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(got[i].plan, c.parts[i].plan);
            EXPECT_EQ(got[i].part, c.parts[i].part);
            EXPECT_EQ(got[i].firstRecord, c.parts[i].firstRecord);
            EXPECT_EQ(got[i].latest, c.parts[i].latest);
            EXPECT_EQ(got[i].ok, c.parts[i].ok);
        }
    }
}

TEST(PlanPartRows, FiguresCountEveryRecordOfTheirCharacteristic) {
    // Plan A's first characteristic: records 1 and 2 (measured again); its second: 3. Plan
    // B's first: record 4. Record 0 had no plan.
    const Bench bench("xArprrBr");
    const auto capabilities =
        characteristicCapabilities(bench.chartData.values().values().first(5), bench.planParts());
    ASSERT_EQ(capabilities.size(), 2u);
    const auto reading = [](std::uint32_t i) {
        return static_cast<float>(12.0 + test::sampleThousandths(i) / 1000.0);
    };
    EXPECT_EQ(capabilities[0][0].count(), 2u);
    EXPECT_NEAR(*capabilities[0][0].mean(), (reading(1) + reading(2)) / 2.0, 1e-6);
    EXPECT_EQ(capabilities[0][1].count(), 1u);
    EXPECT_EQ(capabilities[1][0].count(), 1u);
    EXPECT_EQ(capabilities[1][1].count(), 0u);
}

}  // namespace
}  // namespace mensora
