// The journal shares its file with the plant database's sender, which reads it and writes its
// mark through a connection of its own. Whatever that connection does between commits, the
// window's records keep reaching the disk; a commit that fails is tried again with everything
// that waited, in order, and the user hears of it once each way.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "tests/unit/journal/journal_bench.h"
#include "tests/support/journal_query.h"

namespace mensora {
namespace {

using test::FakeFileSystem;
using test::JournalBench;
using test::JournalFolder;
using test::queryJournal;

// A second connection to the journal, as the sender keeps one, running what it is told.
class OtherConnection {
public:
    explicit OtherConnection(const std::string& path) {
        sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~OtherConnection() { sqlite3_close(db_); }
    OtherConnection(const OtherConnection&) = delete;
    OtherConnection& operator=(const OtherConnection&) = delete;
    bool run(const char* sql) {
        return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    }

private:
    sqlite3* db_ = nullptr;
};

TEST(JournalSharing, RecordsKeepReachingTheDiskWhateverTheSendersConnectionDoesBetweenCommits) {
    const char* const betweenRecords[] = {
        "UPDATE plant_sent SET up_to = 1",      // the sender's mark
        "SELECT count(*) FROM journal_record",  // a read of what waits
        "BEGIN; SELECT * FROM journal_record; COMMIT; UPDATE plant_sent SET up_to = NULL",
    };
    for (const char* sql : betweenRecords) {
        SCOPED_TRACE(sql);
        const JournalFolder folder;
        FakeFileSystem pc;
        JournalBench bench(pc, folder.path());
        OtherConnection sender(folder.path() + "journal.db");
        for (const char* value : {"1.000", "2.000", "3.000"}) {
            bench.record(1.0f, value);
            ASSERT_TRUE(sender.run(sql));
        }
        EXPECT_TRUE(bench.rig().window.messages.empty())
            << bench.rig().window.messages.front().text;
        EXPECT_EQ(
            queryJournal(folder.path() + "journal.db", "SELECT value_text FROM journal_record"),
            (std::vector<std::string>{"1.000", "2.000", "3.000"}));
        const Journal::Progress progress = bench.progress();
        EXPECT_EQ(progress.recordsWaiting, 0u);
        EXPECT_EQ(progress.lastSequence, 3);
        EXPECT_FALSE(progress.failing);
    }
}

// Another program holds the journal's write lock for longer than the writer waits.
TEST(JournalSharing, ACommitThatFailsIsTriedAgainAndWhatWaitedIsWrittenInOrder) {
    const JournalFolder folder;
    FakeFileSystem pc;
    JournalBench bench(pc, folder.path(), {{"Language", 2}});
    const std::string path = folder.path() + "journal.db";
    bench.record(1.0f, "1.000");
    {
        OtherConnection holder(path);
        ASSERT_TRUE(holder.run("BEGIN IMMEDIATE"));
        bench.record(2.0f, "2.000");
        bench.click(ClearButton);
        bench.record(3.0f, "3.000");
        ASSERT_EQ(bench.rig().window.messageTexts().size(), 1u);
        EXPECT_EQ(
            bench.rig().window.messageTexts()[0].rfind("The record journal cannot be written: ", 0),
            0u);
        EXPECT_NE(bench.rig().window.messageTexts()[0].find("(database is locked)"),
                  std::string::npos);
        const Journal::Progress failing = bench.progress();
        EXPECT_TRUE(failing.failing);
        EXPECT_EQ(failing.recordsWaiting, 2u);
        EXPECT_EQ(failing.lastSequence, 1);
        EXPECT_TRUE(bench.rig().clock.isArmed(JournalRetryTimer));
    }
    bench.rig().clock.advance(2000);
    bench.work.runAll();
    EXPECT_EQ(bench.rig().window.messageTexts(),
              (std::vector<std::string>{bench.rig().window.messageTexts()[0],
                                        "The record journal is written again, with every record "
                                        "taken while it could not be."}));
    EXPECT_FALSE(bench.rig().clock.isArmed(JournalRetryTimer));
    // The Clear between them stays between them: the third record starts a list of its own.
    EXPECT_EQ(
        queryJournal(path, "SELECT list_id, number, value_text FROM journal_entry ORDER BY seq"),
        (std::vector<std::string>{"1|1|1.000", "1|2|2.000", "2|1|3.000"}));
    EXPECT_EQ(queryJournal(path, "SELECT list_id, kind FROM journal_mark"),
              std::vector<std::string>{"1|3"});
    const Journal::Progress written = bench.progress();
    EXPECT_FALSE(written.failing);
    EXPECT_EQ(written.recordsWaiting, 0u);
    EXPECT_EQ(written.lastSequence, 3);
}

// A journal of many old saved rows is pruned a slice at a time between the commits: a record
// taken during the start is on disk after one slice, long before the pruning ends.
TEST(JournalSharing, ARecordTakenWhileAnOldJournalIsPrunedIsWrittenAfterOneSlice) {
    const JournalFolder folder;
    FakeFileSystem pc;
    pc.userData = folder.path();
    const std::string path = folder.path() + "journal.db";
    { JournalBench first(pc, folder.path()); }
    queryJournal(path,
                 "INSERT INTO journal_mark (list_id, kind, up_to, at) VALUES (99, 1, 100000, 0)");
    queryJournal(path,
                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10000)"
                 " INSERT INTO journal_entry (list_id, number, value_text, value, error, places,"
                 " verdict, language, taken, parameters_id, trace_id)"
                 " SELECT 99, i, '1.000', 1, 0, 3, 0, 1, 0, 1, 1 FROM n");
    ASSERT_EQ(queryJournal(path, "SELECT count(*) FROM journal_entry"),
              std::vector<std::string>{"10000"});

    test::ManualWork work;
    test::VirtualClock clock;
    Journal journal(pc, work, work, clock);
    journal.open({2026, 12, 8, 9, 0, 0}, 30, {});
    JournalRecord record;
    record.number = 1;
    record.valueText = "7.000";
    record.takenAt = formatTimeStamp({2026, 12, 8, 9, 0, 1});
    journal.add(record);
    // The start, which prunes the first slice, then the commit of the record.
    for (int job = 0; job < 2; ++job) {
        std::function<void()> next = std::move(work.jobs.front());
        work.jobs.pop_front();
        next();
    }
    EXPECT_EQ(queryJournal(path, "SELECT value_text FROM journal_entry WHERE list_id <> 99"),
              std::vector<std::string>{"7.000"});
    const auto left = queryJournal(path, "SELECT count(*) FROM journal_entry WHERE list_id = 99");
    EXPECT_EQ(left, std::vector<std::string>{"8000"});
    work.runAll();
    EXPECT_EQ(queryJournal(path, "SELECT count(*) FROM journal_entry"),
              std::vector<std::string>{"1"});
}

}  // namespace
}  // namespace mensora
