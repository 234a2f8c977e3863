// A gauge study as the bench runs it: the readings of the reference part go to the study and
// not to the list, Undo takes one back, the result stands in the window, and the finished
// study is in the journal and in its workbook. Setups the study refuses are told and start
// nothing; a study left by closing its window keeps nothing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/control_ids.h"
#include "base/number_text.h"
#include "dialog/study_panel.h"
#include "tests/support/journal_query.h"
#include "tests/support/sample_study.h"
#include "tests/unit/journal/journal_bench.h"

namespace mensora {
namespace {

using test::FakeFileSystem;
using test::JournalBench;
using test::JournalFolder;

struct StudyWindow : StudyWindowPort {
    void studyChanged() override { ++changes; }
    void tell(const std::string& text) override { told.push_back(text); }
    int changes = 0;
    std::vector<std::string> told;
};

constexpr std::int32_t kEnglish = 2;
constexpr const char* kWorkbook = "/home/bench/study.xlsx";

// The reading on the screen as the gauge sent `text`, taken by the data key's route.
void read(JournalBench& bench, const std::string& text) {
    bench.rig().clock.advance(1000);
    bench.rig().record(*parseFloat(text), text, 3);
    bench.work.runAll();
}

TEST(GaugeStudyWalk, TheWorkedExampleGoesToTheStudyTheJournalAndItsWorkbookNotToTheList) {
    const JournalFolder folder;
    FakeFileSystem pc;
    JournalBench bench(pc, folder.path(), {{"Language", kEnglish}});
    read(bench, "12.345");  // a record of the list before the study
    StudyPanel& study = bench.rig().dialog.study();
    StudyWindow window;
    study.attach(&window, Language::English);
    study.start({"10.000", "0.100", "25"});
    EXPECT_TRUE(window.told.empty());

    read(bench, "10.050");  // a slip of the part, taken back
    EXPECT_EQ(study.bandLine(Language::English),
              "Gauge study running: Reading 1 of 25 – readings do not go to the record list");
    study.undoLast();
    for (const char* reading : test::kStudyReadings) read(bench, reading);

    EXPECT_EQ(bench.rig().store.count(), 1u);
    EXPECT_EQ(bench.rig().state.unsavedRecords, 1u);
    EXPECT_FALSE(study.taking());
    EXPECT_EQ(study.bandLine(Language::English), "");
    EXPECT_EQ(study.progress(), "Reading 25 of 25");
    EXPECT_EQ(study.result(), "x̄ 10.00192  s 0.000954  Bias 0.00192  Cg 3.49  Cgk 2.82  capable");
    read(bench, "12.346");  // the list takes the readings again
    EXPECT_EQ(bench.rig().store.count(), 2u);

    EXPECT_EQ(test::queryJournal(folder.path() + "journal.db",
                                 "SELECT reference, tolerance, substr(readings, 1, 20), places,"
                                 " round(cg, 2), round(cgk, 2), capable FROM journal_gauge_study"),
              std::vector<std::string>{"10.0|0.1|10.002 10.001 10.003|3|3.49|2.82|1"});

    bench.rig().window.savePathAnswer = kWorkbook;
    study.saveWorkbook(kWorkbook);
    bench.work.runAll();
    ASSERT_EQ(pc.files.count(kWorkbook), 1u);
    EXPECT_EQ(pc.files.at(kWorkbook).substr(0, 2), "PK");  // a zip, as every .xlsx
    EXPECT_EQ(bench.rig().state.unsavedRecords, 2u);       // no record counted as saved
}

TEST(GaugeStudyWalk, RefusedSetupsAreToldAndAStudyLeftByItsWindowKeepsNothing) {
    struct Case {
        StudyFields fields;
        const char* told;
    };
    const Case cases[] = {
        {{"ten", "0.1", "25"}, "The reference value must be a number."},
        {{"10", "", "25"}, "The tolerance must be a number."},
        {{"10", "-0.1", "25"}, "The tolerance must be greater than 0."},
        {{"10", "0.1", "9"}, "The number of readings must be 10 to 100."},
        {{"10", "0.1", "101"}, "The number of readings must be 10 to 100."},
        {{"10", "0.1", "99999999999"}, "The number of readings must be 10 to 100."},
    };
    const JournalFolder folder;
    FakeFileSystem pc;
    JournalBench bench(pc, folder.path(), {{"Language", kEnglish}});
    StudyPanel& study = bench.rig().dialog.study();
    StudyWindow window;
    study.attach(&window, Language::English);
    for (const Case& c : cases) {
        study.start(c.fields);
        EXPECT_EQ(window.told.back(), c.told) << c.fields.reference << " " << c.fields.count;
        EXPECT_FALSE(study.taking());
    }

    // The bounds themselves are accepted; a window closed mid-study drops the readings.
    study.start({"10", "0.1", "100"});
    EXPECT_TRUE(study.taking());
    study.cancel();
    study.start({"10", "0.1", "10"});
    read(bench, "10.001");
    study.attach(nullptr, Language::English);
    read(bench, "10.002");
    EXPECT_EQ(bench.rig().store.count(), 1u);  // the list has the reading after the close
    study.attach(&window, Language::English);
    EXPECT_EQ(study.progress(), "Cancelled: no reading kept");
    EXPECT_EQ(test::queryJournal(folder.path() + "journal.db",
                                 "SELECT count(*) FROM journal_gauge_study"),
              std::vector<std::string>{"0"});
}

}  // namespace
}  // namespace mensora
