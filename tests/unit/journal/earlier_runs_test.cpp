// The Earlier runs window's work as a bench meets it: yesterday's run, declined at start, is
// found again, saved as the file Save gave then, and put back into the list, which goes on as
// that run through the next cut-off.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/control_ids.h"
#include "dialog/earlier_runs.h"
#include "files/record_file_format.h"
#include "tests/unit/journal/journal_bench.h"

namespace mensora {
namespace {

using test::FakeFileSystem;
using test::JournalBench;
using test::JournalFolder;

struct RunsWindow : RunsWindowPort {
    void runsRead() override { lines = runs.lines(); }
    explicit RunsWindow(EarlierRuns& r) : runs(r) {}
    EarlierRuns& runs;
    std::vector<std::string> lines;
};

constexpr std::int32_t kEnglish = 2;
constexpr const char* kSavedThen = "/home/bench/then.xls";
constexpr const char* kSavedNow = "/home/bench/now.xls";

TEST(EarlierRuns, ADeclinedRunIsListedSavedAsItsFileWasAndGoesOnInTheListOnceRestored) {
    const JournalFolder folder;
    FakeFileSystem pc;
    {
        // Five records saved, a sixth not; the run is cut off and the start's offer declined.
        JournalBench first(pc, folder.path(), {{"Language", kEnglish}});
        for (const auto& [value, text] : {std::pair{1.0f, "1.000"},
                                          {4.0f, "4.000"},
                                          {6.0f, "6.000"},
                                          {4.25f, "4.250"},
                                          {3.5f, "3.500"}}) {
            first.record(value, text);
        }
        first.rig().window.savePathAnswer = kSavedThen;
        first.click(SaveButton);
        first.record(4.5f, "4.500");
    }
    { JournalBench declined(pc, folder.path(), {{"Language", kEnglish}}, false); }

    JournalBench bench(pc, folder.path(), {{"Language", kEnglish}});
    bench.record(4.0f, "4.000");
    EarlierRuns& runs = *bench.rig().station.dialog().earlierRuns();
    RunsWindow window(runs);
    runs.attach(&window, Language::English);
    EXPECT_EQ(runs.lines(), std::vector<std::string>{"Reading the journal…"});
    bench.work.runAll();
    EXPECT_EQ(window.lines,
              (std::vector<std::string>{"2026-12-07 09:00:01 – 09:00:01  1 records  unsaved 1"
                                        " (in the list)",
                                        "2026-12-07 09:00:01 – 09:00:06  6 records  unsaved 1"}));

    // Saved as a record file: byte for byte what Save wrote then, with the sixth record after.
    bench.rig().window.savePathAnswer = kSavedNow;
    runs.saveAs(1);
    bench.work.runAll();
    const std::string& then = pc.files.at(kSavedThen);
    const std::string& now = pc.files.at(kSavedNow);
    EXPECT_EQ(now.substr(0, then.size()), then);
    EXPECT_EQ(now.size(), then.size() + kRecordFileLineBytes);
    EXPECT_EQ(bench.rig().state.unsavedRecords, 1u);  // the list's own record is still unsaved

    // Nothing replaces a list that holds unsaved records, nor the list with itself.
    const auto lastMessage = [&] { return bench.rig().window.messageTexts().back(); };
    runs.restore(1);
    bench.work.runAll();
    EXPECT_EQ(lastMessage(), "The list holds unsaved records. Save or clear them before restoring"
                             " an earlier run.");
    bench.rig().window.savePathAnswer = kSavedNow;
    bench.click(SaveButton);
    runs.restore(0);
    EXPECT_EQ(lastMessage(), "These records are the ones in the list now.");
    EXPECT_EQ(bench.rig().store.count(), 1u);

    runs.restore(1);
    bench.work.runAll();
    ASSERT_EQ(bench.rig().store.count(), 6u);
    EXPECT_EQ(bench.rig().state.unsavedRecords, 1u);
    EXPECT_EQ(window.lines.at(1),
              "2026-12-07 09:00:01 – 09:00:06  6 records  unsaved 1 (in the list)");
    bench.record(5.0f, "5.000");
    EXPECT_EQ(bench.rig().listRow(6).seq, "000007");
    bench.cutOff();

    // The list went on as that run: the next start offers its two unsaved records.
    JournalBench after(pc, folder.path(), {{"Language", kEnglish}}, true);
    ASSERT_EQ(after.rig().window.questions.size(), 1u);
    EXPECT_EQ(after.rig().window.questions[0].substr(0, 35), "2 records from the last run were no");
    EXPECT_EQ(after.rig().store.count(), 7u);
}

}  // namespace
}  // namespace mensora
