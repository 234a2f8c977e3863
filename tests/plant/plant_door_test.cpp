// The door on the window's thread, on virtual time and the test's own worker, sending to the
// real test server: a tick only hands the round to the worker, the status comes back through
// the window's queue, and the next tick is armed for as long as the round said.

#include <gtest/gtest.h>

#include "base/timer_ids.h"
#include "dialog/plant_panel.h"
#include "plant/plant_door.h"
#include "tests/plant/plant_test_support.h"
#include "tests/support/fake_settings.h"
#include "tests/support/manual_work.h"
#include "tests/support/synthetic_journal.h"
#include "tests/support/virtual_clock.h"

namespace mensora::test {
namespace {

struct DoorRig {
    FakeSettings settings;
    VirtualClock clock;
    ManualWork work;
    SyntheticJournal journal{journalPath("door"), runIdFrom(6)};
    PlantDoor door{PlantDoorPorts{settings, clock, work, work}, {journal.path(), "QC-PC7", 1}};
    int shown = 0;

    DoorRig() {
        clock.setTickHandler([this](int id) {
            if (id == PlantTimer) door.onTimer();
        });
        door.onStatus([this] { ++shown; });
    }
};

TEST(PlantDoor, WithoutAConnectionNothingRuns) {
    DoorRig rig;
    rig.door.start();
    rig.clock.advance(60000);
    EXPECT_FALSE(rig.clock.isArmed(PlantTimer));
    EXPECT_TRUE(rig.work.jobs.empty());
    EXPECT_EQ(rig.door.status(), std::nullopt);
}

TEST(PlantDoor, ATickHandsTheRoundToTheWorkerAndItsStatusComesBack) {
    DoorRig rig;
    std::vector<OutboxRecord> records{sampleRecord(1), sampleRecord(2), sampleRecord(3)};
    rig.journal.append(records);
    rig.door.change(testConnection(), "");
    ASSERT_TRUE(rig.door.status().has_value());
    EXPECT_EQ(rig.door.status()->waiting, std::nullopt);  // connecting
    EXPECT_EQ(rig.door.bench(), "QC-PC7");

    rig.clock.advance(1);
    ASSERT_EQ(rig.work.jobs.size(), 1u);  // the window's thread sent nothing itself
    EXPECT_FALSE(rig.clock.isArmed(PlantTimer));
    rig.clock.advance(10000);
    EXPECT_EQ(rig.work.jobs.size(), 1u);  // no second round while one is on the worker

    rig.work.runAll();
    ASSERT_TRUE(rig.door.status()->upToDate);
    EXPECT_EQ(rig.door.status()->waiting, 0);
    EXPECT_EQ(rig.clock.periodOf(PlantTimer), PlantSender::kIdleDelayMs);
    EXPECT_EQ(rig.shown, 2);  // connecting, then up to date
    expectServerHolds(testConnection(), "QC-PC7", runIdFrom(6), records);
}

// Up to date only when the server holds every record the window took: what the journal still
// holds in memory, what it committed after the round and a journal that fails all wait.
TEST(PlantDoor, UpToDateOnlyWhenTheServerHoldsEveryRecordTheWindowTook) {
    const struct {
        Journal::Progress journal;
        const char* shown;
    } cases[] = {
        {{0, 3, false}, "Plant database: up to date"},
        {{2, 3, false}, "Plant database: 2 records waiting"},
        {{0, 5, false}, "Plant database: 2 records waiting"},
        {{1, 3, true},
         "Plant database: 1 records waiting — the record journal cannot be written, so records "
         "cannot be sent"},
    };
    for (const auto& c : cases) {
        DoorRig rig;
        std::vector<OutboxRecord> records{sampleRecord(1), sampleRecord(2), sampleRecord(3)};
        rig.journal.append(records);
        Journal::Progress progress;
        rig.door.followJournal([&progress] { return progress; });
        rig.door.change(testConnection(), "bench-progress");
        rig.clock.advance(1);
        rig.work.runAll();
        ASSERT_TRUE(rig.door.status()->upToDate);
        progress = c.journal;
        rig.door.journalChanged();
        EXPECT_EQ(plantStatusText(*rig.door.status(), Language::English), c.shown);
    }
    // A journal that could not even be opened shows as soon as a connection is stored.
    FakeSettings settings;
    VirtualClock clock;
    ManualWork work;
    PlantDoor door{PlantDoorPorts{settings, clock, work, work}, {"", "QC-PC7", 1}};
    door.followJournal([] { return Journal::Progress{0, 0, true}; });
    door.change(testConnection(), "");
    ASSERT_TRUE(door.status().has_value());
    EXPECT_EQ(plantStatusText(*door.status(), Language::Chinese),
              "工厂数据库: 正在连接 — 记录日志无法写入，记录暂无法发送");
}

// Once the connection is emptied, the journal no longer keeps records for a plant.
TEST(PlantDoor, AnEmptiedConnectionStopsSendingAndFreesTheJournal) {
    DoorRig rig;
    std::vector<OutboxRecord> records{sampleRecord(1)};
    rig.journal.append(records);
    rig.door.change(testConnection(), "bench-emptied");
    rig.clock.advance(1);
    rig.work.runAll();
    ASSERT_EQ(rig.journal.plantSentUpTo(), records.back().sequence);

    rig.door.change("", "bench-emptied");
    rig.work.runAll();
    EXPECT_EQ(rig.journal.plantSentUpTo(), std::nullopt);
    EXPECT_EQ(rig.door.status(), std::nullopt);
    EXPECT_FALSE(rig.clock.isArmed(PlantTimer));
}

TEST(PlantDoor, TestSaysWhatTheServerAnsweredOnTheWindowsThread) {
    DoorRig rig;
    std::optional<std::pair<bool, std::string>> answer;
    rig.door.test(testConnection(), [&](bool connected, const std::string& said) {
        answer.emplace(connected, said);
    });
    EXPECT_FALSE(answer.has_value());
    rig.work.runAll();
    ASSERT_TRUE(answer.has_value());
    EXPECT_TRUE(answer->first);
    EXPECT_EQ(answer->second.rfind("PostgreSQL 15", 0), 0u) << answer->second;
}

// The window's flow, which both windows only draw: the button while the server is asked, the
// answer, an answer dropped once its window closed, and the fields stored trimmed.
TEST(PlantPanel, TestShowsConnectingThenTheAnswerAndOkStoresTheFieldsTrimmed) {
    DoorRig rig;
    PlantPanel panel(rig.door);
    panel.opened();
    std::vector<std::string> buttons;
    std::vector<PlantPanel::Answer> answers;
    const auto test = [&](Language language) {
        panel.test(
            " \t" + testConnection() + "\r\n", language,
            [&](const PlantPanel::TestButton& b) {
                buttons.push_back((b.enabled ? "on " : "off ") + b.caption);
            },
            [&](const PlantPanel::Answer& a) { answers.push_back(a); });
    };
    test(Language::English);
    EXPECT_EQ(buttons, std::vector<std::string>{"off Connecting…"});
    rig.work.runAll();
    EXPECT_EQ(buttons, (std::vector<std::string>{"off Connecting…", "on Test"}));
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].text.rfind("Connected: PostgreSQL 15", 0), 0u) << answers[0].text;
    EXPECT_EQ(answers[0].icon, MessageIcon::Exclamation);

    test(Language::Chinese);
    panel.closed();  // the window went before the server answered
    rig.work.runAll();
    EXPECT_EQ(answers.size(), 1u);
    EXPECT_EQ(buttons.back(), "off 正在连接…");

    panel.opened();
    panel.confirm({"\t" + testConnection() + "  ", "\n Line 2 / 外径 \t"});
    EXPECT_EQ(rig.door.connection(), testConnection());
    EXPECT_EQ(rig.door.bench(), "Line 2 / 外径");
    EXPECT_EQ(trimmedField(" \t\r\n\v\f"), "");
}

TEST(PlantDoor, TheBenchIsTheComputersNameNumberedByWindowUnlessGiven) {
    EXPECT_EQ(defaultBenchName("QC-PC7", 1), "QC-PC7");
    EXPECT_EQ(defaultBenchName("QC-PC7", 2), "QC-PC7-2");
    EXPECT_EQ(defaultBenchName("QC-PC7", 3), "QC-PC7-3");
    DoorRig rig;
    rig.settings.putText(plant_settings::kSection, plant_settings::kBench, "Line 2 / 外径");
    EXPECT_EQ(rig.door.bench(), "Line 2 / 外径");
}

}  // namespace
}  // namespace mensora::test
