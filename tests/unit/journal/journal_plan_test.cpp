// A plan in force when the program is cut off: the records put back come with their parts and
// characteristics, and the part under way goes on where it stood.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/sample_plan.h"
#include "tests/unit/journal/journal_bench.h"

namespace mensora {
namespace {

using test::FakeFileSystem;
using test::JournalBench;
using test::JournalFolder;
using test::shaft;

void take(JournalBench& bench, const std::vector<float>& values) {
    for (const float value : values) bench.record(value, std::to_string(value));
}

std::vector<std::string> shownRows(const JournalBench& bench) {
    std::vector<std::string> texts;
    for (const auto& r : bench.rows()) texts.push_back(r.value + "|" + r.error + "|" + r.verdict);
    return texts;
}

std::vector<std::string> stampsOf(const JournalBench& bench) {
    const PlanStamps& stamps = bench.rig().records.planStamps;
    std::vector<std::string> texts;
    for (std::uint32_t i = 0; i < bench.rig().store.count(); ++i) {
        const PlanStamp stamp = stamps.of(i);
        std::string text = std::to_string(stamp.part) + "." + std::to_string(stamp.characteristic);
        if (stamp.part != 0) {
            const PlanPart& part = stamps.part(stamp.part);
            text += " " + part.serial + (*stamps.planOf(part) == shaft() ? " A-7" : " other plan");
        }
        texts.push_back(text);
    }
    return texts;
}

// Part 1 measured whole and two characteristics of part 2, then the program dies. The part's
// verdict must count the records taken before the cut: a part whose earlier characteristics
// were forgotten would be judged by its last one alone, or always NG.
TEST(JournalPlan, ACutOffPartGoesOnWithItsCharacteristicDueSerialAndVerdictsSoFar) {
    const struct {
        const char* what;
        std::vector<float> part2;
        void (*then)(PlanSteering&);  // what the operator did after them, no record
        std::size_t due;
        std::uint32_t dueRecords;  // the statistics group's count: put back for the due one
        std::vector<float> finish;
        const char* line;  // once the part is finished
        const char* nextSerial;
    } cases[] = {
        {"two OK",
         {12.01f, 40.05f},
         [](PlanSteering&) {},
         2,
         1,
         {30.1f},
         "零件 A-7，序号 2 完成：合格",
         "3"},
        {"an NG bore",
         {12.5f, 40.0f},
         [](PlanSteering&) {},
         2,
         1,
         {30.1f},
         "零件 A-7，序号 2 完成：超差",
         "3"},
        {"stepped back to the length",
         {12.01f, 39.5f},
         [](PlanSteering& p) { p.previous(); },
         1,
         2,
         {40.0f, 30.1f},
         "零件 A-7，序号 2 完成：合格",
         "3"},
        {"the next part's serial typed",
         {12.01f, 40.05f},
         [](PlanSteering& p) { p.setSerial("SN-9"); },
         2,
         1,
         {30.1f},
         "零件 A-7，序号 2 完成：合格",
         "SN-9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const JournalFolder folder;
        FakeFileSystem pc;
        std::vector<std::string> shown;
        {
            JournalBench first(pc, folder.path());
            first.rig().dialog.plan().putInForce(shaft());
            take(first, {12.0f, 40.0f, 30.2f});
            take(first, c.part2);
            c.then(first.rig().dialog.plan());
            first.work.runAll();
            shown = shownRows(first);
            first.cutOff();
        }
        JournalBench second(pc, folder.path(), {}, true);
        EXPECT_EQ(shownRows(second), shown);
        EXPECT_EQ(stampsOf(second), (std::vector<std::string>{"1.0 1 A-7", "1.1 1 A-7", "1.2 1 A-7",
                                                              "2.0 2 A-7", "2.1 2 A-7"}));
        const PlanWalk* walk = second.rig().dialog.plan().walk();
        ASSERT_NE(walk, nullptr);
        EXPECT_EQ(walk->plan(), shaft());
        EXPECT_EQ(walk->due(), c.due);
        EXPECT_EQ(walk->serial(), "2");
        EXPECT_EQ(second.rig().state.parameters.nominal, shaft().characteristics[c.due].nominal);
        EXPECT_FALSE(second.rig().window.isEnabled(ParametersButton));
        EXPECT_EQ(second.rig().state.statistics.shown.count, c.dueRecords);

        take(second, c.finish);
        EXPECT_EQ(second.rig().dialog.plan().line(), c.line);
        EXPECT_EQ(stampsOf(second).back(), "2.2 2 A-7");
        EXPECT_EQ(walk->serial(), c.nextSerial);
    }
}

// A plan put out before the cut, or records not put back: no walk resumes, and the records that
// come back keep the parts they were taken for.
TEST(JournalPlan, NoPlanInForceAtTheCutOrNoRecordsPutBackResumesNothing) {
    const struct {
        const char* what;
        bool putBack;
        std::vector<std::string> stamps;
    } cases[] = {
        {"put back", true, {"1.0 1 A-7", "1.1 1 A-7", "0.0"}},
        {"not put back", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const JournalFolder folder;
        FakeFileSystem pc;
        {
            JournalBench first(pc, folder.path());
            first.rig().dialog.plan().putInForce(shaft());
            take(first, {12.0f, 40.0f});
            first.rig().dialog.plan().putInForce(std::nullopt);
            take(first, {4.0f});
        }
        JournalBench second(pc, folder.path(), {}, c.putBack);
        EXPECT_EQ(second.rig().dialog.plan().walk(), nullptr);
        EXPECT_EQ(stampsOf(second), c.stamps);
        EXPECT_TRUE(second.rig().window.isEnabled(ParametersButton));
    }
}

}  // namespace
}  // namespace mensora
