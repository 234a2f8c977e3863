// Part, characteristic, lot, operator and gauge on every record: what OK puts in force, how
// records are stamped as they are taken, what Clear leaves, and what a restart finds.
#include <gtest/gtest.h>

#include <string>

#include "base/control_ids.h"
#include "dialog/trace_panel.h"
#include "measure/record_traces.h"
#include "tests/support/dialog_rig.h"

namespace mensora {
namespace {

using Rig = test::DialogRig<>;

struct Bench {
    // The values a record carries, by its index in the store.
    const TraceValues& carried(std::uint32_t record) const {
        combinations = traces.combinations();
        return combinations.at(traces.indexOf(record));
    }
    Rig rig;
    RecordTraces& traces = rig.traces;
    TracePanel& panel = rig.station.tracePanel();
    mutable std::vector<TraceValues> combinations;
};

// An audit must find, for every result, the lot it belongs to: a lot changed between the
// third and the fourth record splits the records exactly there.
TEST(PartAndLot, RecordsCarryTheValuesInForceWhenTheyWereTaken) {
    Bench bench;
    ASSERT_FALSE(bench.panel.confirm({"A-100", "Ø12", "L41", "Wang", "G7"}, Language::Chinese));
    for (int i = 0; i < 3; ++i) bench.rig.record(1.0f);
    ASSERT_FALSE(bench.panel.confirm({"A-100", "Ø12", "L42", "Wang", "G7"}, Language::Chinese));
    for (int i = 0; i < 2; ++i) bench.rig.record(1.0f);

    ASSERT_EQ(bench.rig.store.count(), 5u);
    for (std::uint32_t i = 0; i < 5; ++i) {
        EXPECT_EQ(bench.carried(i).lot, i < 3 ? "L41" : "L42") << "record " << i + 1;
        EXPECT_EQ(bench.carried(i).gaugeId, "G7");
    }
    EXPECT_EQ(bench.combinations.size(), 3u) << "the empty combination and the two lots";
}

// Clear starts a new batch of records, not a new job: what the operator set stays in force.
TEST(PartAndLot, ClearEmptiesTheRecordsButKeepsTheValuesInForce) {
    Bench bench;
    ASSERT_FALSE(bench.panel.confirm({"A-100", "", "L41", "", ""}, Language::English));
    bench.rig.record(1.0f);
    ASSERT_FALSE(bench.panel.confirm({"A-100", "", "L42", "", ""}, Language::English));
    bench.rig.click(ClearButton);

    EXPECT_EQ(bench.traces.inForce().lot, "L42");
    EXPECT_EQ(bench.traces.combinations().size(), 2u) << "L41 went with its record";
    bench.rig.record(1.0f);
    EXPECT_EQ(bench.carried(0).lot, "L42");
}

// The bench is set up once a shift: the next start finds the values OK remembered.
TEST(PartAndLot, OkIsRememberedAcrossARestartInItsOwnSection) {
    test::FakeSettings settings;
    {
        RecordTraces traces(10);
        TracePanel panel(traces, settings);
        ASSERT_FALSE(panel.confirm({" 零件-7 ", "外径", "B2026", "李", "Q-01"}, Language::Chinese));
    }
    EXPECT_EQ(settings.texts.at("Trace/Part"), "零件-7");
    EXPECT_TRUE(settings.puts.empty()) << "no key of [Settings] was written";

    RecordTraces traces(10);
    TracePanel panel(traces, settings);
    panel.restore();
    EXPECT_EQ(traces.inForce(), (TraceValues{"零件-7", "外径", "B2026", "李", "Q-01"}));
    EXPECT_EQ(panel.shown()[0], "零件-7");
}

// A refused field changes nothing, neither the values in force nor what is remembered, and
// says which field is wrong.
TEST(PartAndLot, ARefusedFieldChangesNothingAndIsNamed) {
    Bench bench;
    ASSERT_FALSE(bench.panel.confirm({"A-100", "", "L41", "", ""}, Language::English));
    const auto refusal = bench.panel.confirm({"A-200", "", "L\t42", "", ""}, Language::English);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->field, 2u);
    EXPECT_EQ(refusal->message,
              "Lot must not contain a tab, a line break or another control character.");
    EXPECT_EQ(bench.traces.inForce().part, "A-100");
    EXPECT_EQ(bench.rig.settings.texts.at("Trace/Part"), "A-100");
}

// The combinations are capped; values tried and replaced before any record was taken take
// no room, and at the cap only new values are refused, with a message.
TEST(PartAndLot, CombinationsNoRecordCarriesTakeNoRoomAndTheCapRefusesOnlyNewValues) {
    RecordTraces traces(RecordTraces::kCombinationCapacity + 1);
    const auto lot = [](std::size_t n) { return TraceValues{"", "", std::to_string(n), "", ""}; };
    for (int tried = 0; tried < 10; ++tried) traces.setInForce(lot(999999 - tried));
    EXPECT_EQ(traces.combinations().size(), 2u);

    for (std::uint32_t i = 0; i + 1 < RecordTraces::kCombinationCapacity; ++i) {
        traces.setInForce(lot(i));
        traces.stamp(i);
    }
    ASSERT_EQ(traces.combinations().size(), RecordTraces::kCombinationCapacity);
    EXPECT_FALSE(traces.takes(lot(5000)));
    traces.setInForce(lot(5000));
    EXPECT_EQ(traces.inForce(), lot(RecordTraces::kCombinationCapacity - 2));
    EXPECT_TRUE(traces.takes(lot(7)));
    traces.setInForce(lot(7));
    const std::uint32_t next = RecordTraces::kCombinationCapacity - 1;
    traces.stamp(next);
    EXPECT_EQ(traces.indexOf(next), 8u) << "lot 7, taken again";
    EXPECT_EQ(traces.indexOf(3), 4u);
}

}  // namespace
}  // namespace mensora
