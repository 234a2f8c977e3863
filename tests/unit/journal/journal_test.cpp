// The journal through the dialog, as a bench uses it: records taken, saved, cleared; the
// program cut off or closed; the next start offering back what was lost, once.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/control_ids.h"
#include "tests/unit/journal/journal_bench.h"
#include "tests/support/journal_query.h"

namespace mensora {
namespace {

using test::FakeFileSystem;
using test::JournalBench;
using test::JournalFolder;
using test::queryJournal;

constexpr std::int32_t kChinese = 1;
constexpr std::int32_t kEnglish = 2;

std::vector<std::string> rowTexts(const JournalBench& bench) {
    std::vector<std::string> texts;
    for (const auto& r : bench.rows()) {
        texts.push_back(r.seq + "|" + r.value + "|" + r.error + "|" + r.verdict + "|" + r.time);
    }
    return texts;
}

// With the default judging values (limits 3 and 5): under, ok, over, ok, ok.
void takeFiveSavingTwo(JournalBench& bench) {
    bench.record(1.0f, "1.000");
    bench.record(4.0f, "4.000");
    bench.rig().window.savePathAnswer = "/home/bench/MensoraRecord.xls";
    bench.click(SaveButton);
    bench.record(6.0f, "6.000");
    bench.record(4.25f, "4.250");
    bench.record(3.5f, "3.500");
}

// What an inspector cannot measure again must come back exactly: the same rows, the same
// statistics, and the records no file holds still counted as unsaved.
TEST(Journal, RecordsACutOffRunLeftUnsavedAreOfferedInTheWindowsLanguageAndComeBackAsTheyWere) {
    const struct {
        std::int32_t language;
        const char* question;
    } cases[] = {
        {kChinese, "上次运行有 3 条记录未保存 (09:00:03 至 09:00:05)。是否恢复？"},
        {kEnglish,
         "3 records from the last run were not saved (09:00:03 to 09:00:05). Restore them?"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        const JournalFolder folder;
        FakeFileSystem pc;
        std::vector<std::string> shown;
        Statistics statistics;
        {
            JournalBench first(pc, folder.path(), {{"Language", c.language}});
            takeFiveSavingTwo(first);
            shown = rowTexts(first);
            statistics = first.rig().state.statistics;
        }
        JournalBench second(pc, folder.path(), {{"Language", c.language}}, true);
        EXPECT_EQ(second.rig().window.questions, std::vector<std::string>{c.question});
        EXPECT_EQ(rowTexts(second), shown);
        const Statistics& back = second.rig().state.statistics;
        EXPECT_EQ(back.sum, statistics.sum);
        EXPECT_EQ(back.live.maximum, statistics.live.maximum);
        EXPECT_EQ(back.live.minimum, statistics.live.minimum);
        EXPECT_EQ(back.live.average, statistics.live.average);
        EXPECT_EQ(back.live.okCount, 3u);
        EXPECT_EQ(back.live.overUpperCount, 1u);
        EXPECT_EQ(back.live.underLowerCount, 1u);
        EXPECT_EQ(back.shown.count, 5u);
        EXPECT_EQ(second.rig().state.unsavedRecords, 3u);
        EXPECT_TRUE(second.rig().window.messages.empty());
    }
}

// Records put back are in the journal already: a second cut-off offers them again with the
// ones taken since, each once, and the list's numbers go on.
TEST(Journal, AListPutBackGoesOnAndIsOfferedWholeAfterTheNextCutOff) {
    const JournalFolder folder;
    FakeFileSystem pc;
    {
        JournalBench first(pc, folder.path());
        takeFiveSavingTwo(first);
    }
    std::vector<std::string> shown;
    {
        JournalBench second(pc, folder.path(), {}, true);
        second.record(5.0f, "5.000");
        shown = rowTexts(second);
    }
    JournalBench third(pc, folder.path(), {{"Language", kEnglish}}, true);
    ASSERT_EQ(third.rig().window.questions.size(), 1u);
    EXPECT_EQ(third.rig().window.questions[0].substr(0, 35), "4 records from the last run were no");
    EXPECT_EQ(rowTexts(third), shown);
    EXPECT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown.back().substr(0, 6), "000006");
}

// No keeps the records in the journal and closes the matter: the next start asks nothing,
// even when the run that said No was cut off too.
TEST(Journal, NoLeavesTheRecordsInTheJournalAndIsNotAskedAgain) {
    const JournalFolder folder;
    FakeFileSystem pc;
    {
        JournalBench first(pc, folder.path());
        takeFiveSavingTwo(first);
    }
    {
        JournalBench second(pc, folder.path(), {}, false);
        EXPECT_EQ(second.rig().window.questions.size(), 1u);
        EXPECT_EQ(second.rig().store.count(), 0u);
    }
    JournalBench third(pc, folder.path(), {}, true);
    EXPECT_TRUE(third.rig().window.questions.empty());
    EXPECT_EQ(third.rig().store.count(), 0u);
    EXPECT_EQ(queryJournal(folder.path() + "journal.db", "SELECT count(*) FROM journal_record"),
              std::vector<std::string>{"5"});
}

// Only a run that did not end normally and left records no file or Clear covered asks.
TEST(Journal, NothingIsAskedAfterANormalCloseOrWhenEveryRecordWasSavedOrCleared) {
    const struct {
        const char* ending;
        void (*run)(JournalBench&);
    } endings[] = {
        {"closed normally with records unsaved",
         [](JournalBench& b) {
             b.record(1.0f, "1.000");
             b.close();
         }},
        {"cut off after every record was saved",
         [](JournalBench& b) {
             takeFiveSavingTwo(b);
             b.click(SaveButton);
         }},
        {"cut off after an autosave",
         [](JournalBench& b) {
             takeFiveSavingTwo(b);
             b.rig().window.setChecked(AutosaveCheck, true);
             b.click(AutosaveCheck);
             b.rig().clock.advance(60000);
             b.work.runAll();
         }},
        {"cut off after Clear",
         [](JournalBench& b) {
             takeFiveSavingTwo(b);
             b.click(ClearButton);
         }},
        {"cut off with nothing recorded", [](JournalBench&) {}},
    };
    for (const auto& e : endings) {
        SCOPED_TRACE(e.ending);
        const JournalFolder folder;
        FakeFileSystem pc;
        {
            JournalBench first(pc, folder.path());
            e.run(first);
        }
        JournalBench next(pc, folder.path(), {}, true);
        EXPECT_TRUE(next.rig().window.questions.empty());
        EXPECT_EQ(next.rig().store.count(), 0u);
    }
}

// Two windows on one bench PC: each keeps its own journal for its whole life, and each
// window started again finds its own records.
TEST(Journal, TwoWindowsKeepJournalsOfTheirOwn) {
    const JournalFolder folder;
    FakeFileSystem pc;
    std::vector<std::string> firstShown;
    std::vector<std::string> secondShown;
    {
        JournalBench first(pc, folder.path());
        JournalBench second(pc, folder.path());
        first.record(1.0f, "1.000");
        second.record(4.0f, "4.000");
        second.record(4.5f, "4.500");
        first.record(6.0f, "6.000");
        firstShown = rowTexts(first);
        secondShown = rowTexts(second);
    }
    JournalBench first(pc, folder.path(), {}, true);
    JournalBench second(pc, folder.path(), {}, true);
    EXPECT_EQ(rowTexts(first), firstShown);
    EXPECT_EQ(rowTexts(second), secondShown);
    EXPECT_EQ(queryJournal(folder.path() + "journal-2.db", "SELECT count(*) FROM journal_record"),
              std::vector<std::string>{"2"});
}

// The plant's sender reads the file itself: the names, columns and codes it reads by.
TEST(Journal, AnotherProgramReadsEveryRecordThroughTheJournalsView) {
    const JournalFolder folder;
    FakeFileSystem pc;
    JournalBench bench(pc, folder.path());
    bench.rig().state.parameters.unitIndex = 2;  // °
    bench.record(1.0f, "1.000");
    bench.rig().traces.setInForce({"P-7", "bore", "L1", "Li", "G2"});
    bench.record(6.5f, "6.500");
    const std::string path = folder.path() + "journal.db";
    EXPECT_EQ(queryJournal(path, "SELECT * FROM journal_record"),
              (std::vector<std::string>{
                  "1|1|1.000|1.0|-1.0|2|2026-12-07 09:00:01|2.0|3.00000023841858|1.0|°||||||NULL",
                  "2|2|6.500|6.5|4.5|1|2026-12-07 09:00:02|2.0|3.00000023841858|1.0|°|P-7|bore|L1|"
                  "Li|G2|NULL"}));
    const auto run = queryJournal(path, "SELECT run_id FROM journal_run");
    ASSERT_EQ(run.size(), 1u);
    EXPECT_EQ(run[0].size(), 32u);
    EXPECT_EQ(run[0].find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_EQ(queryJournal(path, "SELECT up_to FROM plant_sent"), std::vector<std::string>{"NULL"});
}

// At start, rows go that are older than JournalDays days, that a record file holds, and that
// the plant holds when there is a plant. Nothing else: no record is dropped unsaved.
TEST(Journal, AStartDropsOnlyOldRowsThatAFileAndThePlantHold) {
    const struct {
        std::int32_t days;
        const char* plantUpTo;
        std::vector<std::string> kept;
    } cases[] = {
        {30, "NULL", {"3", "4", "5"}},
        {30, "1", {"2", "3", "4", "5"}},
        {0, "NULL", {"1", "2", "3", "4", "5"}},
        {45, "NULL", {"1", "2", "3", "4", "5"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.days);
        const JournalFolder folder;
        FakeFileSystem pc;
        const std::string path = folder.path() + "journal.db";
        {
            JournalBench first(pc, folder.path());
            takeFiveSavingTwo(first);
            first.close();
        }
        queryJournal(path, std::string("UPDATE plant_sent SET up_to = ") + c.plantUpTo);
        JournalBench later(pc, folder.path(), {{"JournalDays", c.days}}, false,
                           {2027, 1, 7, 9, 0, 0});
        EXPECT_EQ(queryJournal(path, "SELECT seq FROM journal_record"), c.kept);
    }
}

// What a journal of layout 1 holds: no plan, no walk, the view without the part's serial.
std::vector<std::string> layout1(std::vector<std::string> mark) {
    std::vector<std::string> statements = {
        "DROP VIEW journal_record",
        "ALTER TABLE journal_entry DROP COLUMN plan_id",
        "ALTER TABLE journal_entry DROP COLUMN plan_part",
        "ALTER TABLE journal_entry DROP COLUMN plan_characteristic",
        "ALTER TABLE journal_entry DROP COLUMN part_serial",
        "DROP TABLE journal_plan",
        "DROP TABLE journal_walk",
        "CREATE VIEW journal_record AS SELECT e.seq AS seq, e.number AS number"
        " FROM journal_entry e",
    };
    statements.insert(statements.end(), mark.begin(), mark.end());
    return statements;
}

// The file is marked as a Mensora journal of one layout. A journal from before the mark or of
// layout 1 still gives back what it holds, and is marked and stepped up; a file another program
// or a newer Mensora marked is neither written nor read, and the user is told why.
TEST(Journal, AnOlderJournalRestoresAndAnotherProgramsFileIsLeftAlone) {
    const struct {
        std::vector<std::string> mark;
        std::vector<std::string> told;
        std::vector<std::string> rowsAfter;
    } cases[] = {
        {layout1({"PRAGMA application_id = 0", "PRAGMA user_version = 0"}),
         {},
         {"1", "2", "3", "4", "5", "6", "7"}},
        {layout1({"PRAGMA user_version = 1"}), {}, {"1", "2", "3", "4", "5", "6", "7"}},
        {{"PRAGMA application_id = 4660"},
         {"The record journal was written by another program or a newer Mensora, and is left as "
          "it is: {journal} (application_id 4660)\nRecording goes on, but records not yet saved "
          "cannot be restored after a crash or a power cut. Save them soon."},
         {"1", "2", "3", "4", "5"}},
        {{"PRAGMA user_version = 3"},
         {"The record journal was written by another program or a newer Mensora, and is left as "
          "it is: {journal} (user_version 3)\nRecording goes on, but records not yet saved "
          "cannot be restored after a crash or a power cut. Save them soon."},
         {"1", "2", "3", "4", "5"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mark.back());
        const JournalFolder folder;
        FakeFileSystem pc;
        const std::string path = folder.path() + "journal.db";
        {
            JournalBench first(pc, folder.path(), {{"Language", kEnglish}});
            takeFiveSavingTwo(first);
        }
        for (const std::string& sql : c.mark) {
            ASSERT_EQ(queryJournal(path, sql), std::vector<std::string>{}) << sql;
        }
        JournalBench second(pc, folder.path(), {{"Language", kEnglish}}, true);
        second.record(7.0f, "7.000");
        second.record(8.0f, "8.000");
        std::vector<std::string> told;
        for (std::string text : c.told)
            told.push_back(text.replace(text.find("{journal}"), 9, path));
        EXPECT_EQ(second.rig().window.messageTexts(), told);
        EXPECT_EQ(queryJournal(path, "SELECT number FROM journal_record"), c.rowsAfter);
        if (c.told.empty()) {
            EXPECT_EQ(second.rig().store.count(), 7u);  // five put back, two taken
            EXPECT_EQ(queryJournal(path, "PRAGMA application_id"),
                      std::vector<std::string>{std::to_string(0x4D4E534A)});
            EXPECT_EQ(queryJournal(path, "PRAGMA user_version"), std::vector<std::string>{"2"});
            EXPECT_EQ(queryJournal(path, "SELECT part_serial FROM journal_record WHERE seq = 7"),
                      std::vector<std::string>{"NULL"});
        }
    }
}

}  // namespace
}  // namespace mensora
