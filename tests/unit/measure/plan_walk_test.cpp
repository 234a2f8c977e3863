// A plan of three characteristics walked at the bench: what is due after each step, which part
// is being measured, and each part's verdict as its last characteristic is measured.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "measure/plan_walk.h"

namespace mensora {
namespace {

InspectionPlan threeSizes() {
    InspectionPlan plan{"A-7", "Shaft", {}};
    for (const char* name : {"Bore", "Length", "Shoulder"}) {
        plan.characteristics.push_back({"", name, 10.0f, 0.1f, -0.1f, 0, "", 1, {}});
    }
    return plan;
}

enum class Step { Ok, Ng, Previous, Next, Serial, NewLot };

struct Move {
    Step step;
    std::string typed;  // for Serial
    std::size_t due;    // what is due after it
    std::string serial;
    std::optional<bool> partVerdict;  // when the step completed a part
};

TEST(PlanWalk, DueCharacteristicSerialAndPartVerdictFollowEachStep) {
    const Move moves[] = {
        {Step::Ok, "", 1, "1", {}},
        {Step::Ok, "", 2, "1", {}},
        {Step::Ok, "", 0, "2", true},  // every latest record OK
        {Step::Ng, "", 1, "2", {}},
        {Step::Previous, "", 0, "2", {}},  // the bore again: the new record counts
        {Step::Ok, "", 1, "2", {}},
        {Step::Ok, "", 2, "2", {}},
        {Step::Ok, "", 0, "3", true},
        {Step::Serial, "SN-9", 0, "SN-9", {}},  // scanned before the part starts
        {Step::Ok, "", 1, "SN-9", {}},
        {Step::Serial, "SN-10", 1, "SN-9", {}},  // under way: for the next part
        {Step::Next, "", 2, "SN-9", {}},         // the length skipped
        {Step::Ok, "", 0, "SN-10", false},       // a skipped size is not an OK part
        {Step::Ok, "", 1, "SN-10", {}},
        {Step::Ok, "", 2, "SN-10", {}},
        {Step::Ng, "", 0, "5", false},
        {Step::Previous, "", 0, "5", {}},  // nothing before a part's first size
        {Step::NewLot, "", 0, "1", {}},
        {Step::Next, "", 1, "1", {}},
        {Step::Next, "", 2, "1", {}},
        {Step::Next, "", 0, "2", false},  // all skipped
    };
    PlanWalk walk(threeSizes());
    EXPECT_EQ(walk.serial(), "1");
    int n = 0;
    for (const Move& m : moves) {
        SCOPED_TRACE("step " + std::to_string(++n));
        std::optional<bool> verdict;
        switch (m.step) {
            case Step::Ok: verdict = walk.recorded(Verdict::Ok); break;
            case Step::Ng: verdict = walk.recorded(Verdict::OverUpper); break;
            case Step::Previous: walk.previous(); break;
            case Step::Next: verdict = walk.next(); break;
            case Step::Serial: walk.setSerial(m.typed); break;
            case Step::NewLot: walk.lotChanged(); break;
        }
        EXPECT_EQ(walk.due(), m.due);
        EXPECT_EQ(walk.serial(), m.serial);
        EXPECT_EQ(verdict, m.partVerdict);
    }
}

// A program ended mid-part starts again on the same characteristic of the same part, and the
// part's verdict still takes the records from before the end.
TEST(PlanWalk, AWalkResumedMidPartFinishesThatPart) {
    PlanWalk before(threeSizes());
    before.setSerial("SN-1");
    before.recorded(Verdict::UnderLower);
    before.recorded(Verdict::Ok);

    PlanWalk after(threeSizes());
    after.resume(before.position());
    EXPECT_EQ(after.due(), 2u);
    EXPECT_EQ(after.serial(), "SN-1");
    EXPECT_EQ(after.recorded(Verdict::Ok), false);
    EXPECT_EQ(after.serial(), "2");
}

}  // namespace
}  // namespace mensora
