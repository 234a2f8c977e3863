// The alarm log goes to the journal line by line, in its order, beside the records: the plant's
// sender reads each line back as it was kept, a raised alarm without an acknowledgement's
// columns and the other way round. A journal made before alarms were kept gains their table.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "journal/journal.h"
#include "journal/journal_outbox.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/journal_query.h"
#include "tests/support/manual_work.h"
#include "tests/support/sample_alarms.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/virtual_clock.h"

namespace mensora {
namespace {

using test::queryJournal;

// A line as the outbox gives it back, "-" for none.
std::string lineOf(const OutboxAlarm& a) {
    const auto text = [](const auto& value) {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::optional<std::string>>) {
            return value ? *value : std::string("-");
        } else {
            return value ? std::to_string(*value) : std::string("-");
        }
    };
    return std::to_string(a.id) + " #" + std::to_string(a.number) +
           (a.kind == AlarmKind::Raised ? " raised " : " acknowledged ") + a.at + " rule " +
           text(a.rule) + " range " + text(a.rangeChart) + " [" + text(a.characteristic) +
           "] records " + text(a.firstRecord) + "-" + text(a.lastRecord) + " of row " +
           text(a.acknowledges) + " cause [" + text(a.cause) + "] note [" + text(a.note) + "]";
}

// One window's journal on the test's time, kept open while the test hands it entries.
struct OpenJournal {
    explicit OpenJournal(test::FakeFileSystem& pc) : journal(pc, work, work, clock) {
        journal.open({2026, 12, 7, 9, 0, 0}, 0, {});
        work.runAll();
    }
    void record(std::uint32_t number) {
        JournalRecord r;
        r.number = number;
        r.valueText = "12.000";
        r.takenAt = formatTimeStamp({2026, 12, 7, 9, 0, static_cast<int>(number)});
        journal.add(r);
    }

    test::ManualWork work;
    test::VirtualClock clock;
    Journal journal;
};

TEST(JournalAlarm, EachLineOfTheLogIsKeptOnceInItsOrderAndReadBackAsKept) {
    const test::TemporaryFolder folder;
    test::FakeFileSystem pc;
    pc.userData = folder.path();
    const std::string path = folder.path() + "journal.db";
    {
        OpenJournal open(pc);
        for (std::uint32_t number = 1; number <= 20; ++number) open.record(number);
        std::vector<AlarmEntry> log = test::sampleAlarms();
        for (std::size_t line = 0; line < 4; ++line) open.journal.keepAlarm(log[line]);
        // Cleared: an acknowledgement that follows still belongs to the list it was raised on.
        open.journal.mark({JournalMark::Kind::Cleared, 0, {2026, 12, 7, 8, 0, 30}});
        open.journal.keepAlarm(log[4]);
        open.work.runAll();
    }
    EXPECT_EQ(queryJournal(path, "SELECT DISTINCT list_id FROM journal_alarm"),
              (std::vector<std::string>{"1"}));

    JournalOutbox outbox(path);
    std::vector<OutboxAlarm> alarms;
    ASSERT_EQ(outbox.readAlarmsAfter(0, 10, alarms), std::nullopt);
    std::vector<std::string> lines;
    for (const OutboxAlarm& alarm : alarms) lines.push_back(lineOf(alarm));
    const std::vector<std::string> expected = {
        "1 #1 raised 2026-12-07 08:00:09 rule 2 range 0 [Ø 12 ±0.045] records 1-9 of row - cause "
        "[-]"
        " note [-]",
        "2 #2 raised 2026-12-07 08:00:12 rule 1 range 1 [] records 11-12 of row - cause [-] note "
        "[-]",
        "3 #3 acknowledged 2026-12-07 08:01:00 rule - range - [-] records --- of row 1 cause "
        "[刀具磨损] note []",
        "4 #4 raised 2026-12-07 08:00:20 rule 5 range 0 [Ø 12 ±0.045] records 18-20 of row - cause "
        "[-] note [-]",
        "5 #5 acknowledged 2026-12-07 08:01:15 rule - range - [-] records --- of row 4 cause [] "
        "note [换刀后复测]",
    };
    EXPECT_EQ(lines, expected);
    ASSERT_EQ(outbox.readAlarmsAfter(2, 1, alarms), std::nullopt);
    ASSERT_EQ(alarms.size(), 1u);
    EXPECT_EQ(alarms[0].number, 3);

    // The next start of the program numbers its log from 1 again, on a list of its own: its
    // acknowledgement names its own alarm's row, not the first start's.
    {
        OpenJournal open(pc);
        open.record(1);
        for (const std::size_t line : {0, 2}) open.journal.keepAlarm(test::sampleAlarms()[line]);
        open.work.runAll();
    }
    EXPECT_EQ(queryJournal(path, "SELECT id, list_id, number, acknowledges FROM journal_alarm"
                                 " WHERE id > 5"),
              (std::vector<std::string>{"6|2|1|NULL", "7|2|3|6"}));

    // A journal from before alarms were kept: it gains their table when next opened.
    queryJournal(path, "DROP TABLE journal_alarm");
    {
        OpenJournal open(pc);
        open.record(1);
        open.journal.keepAlarm(test::sampleAlarms()[0]);
        open.work.runAll();
    }
    EXPECT_EQ(queryJournal(path, "SELECT list_id, number, rule FROM journal_alarm"),
              (std::vector<std::string>{"3|1|2"}));
}

}  // namespace
}  // namespace mensora
