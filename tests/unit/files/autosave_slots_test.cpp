// Two or more programs on one PC autosaving into the same folder: each writes a day's file of
// its own for its whole life and never replaces another running program's; a program alone
// keeps the plain day's name.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/timers.h"
#include "files/record_file_paths.h"
#include "files/record_files.h"
#include "files/window_slot.h"
#include "measure/record_store.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_window.h"
#include "tests/support/virtual_clock.h"
#include "tests/unit/files/real_folder.h"
#include "tests/unit/files/sample_records.h"

namespace mensora {
namespace {

constexpr const char* kFolder = "/opt/mensora/bin/";

// One running program: its own state, records, window and clock; the PC's files shared.
struct Program {
    explicit Program(FileSystem& files) : recordFiles(state, store, window, timers, clock, files) {}

    // Makes records and lets the autosave write them.
    void autosave(int records = 1) {
        for (int n = 0; n < records; ++n) {
            test::addRecord(store, "000001", "1.000   ", "   0.000", test::kGbkOk,
                            "2026-12-07; 09:00:00");
        }
        state.recordsDirty = true;
        recordFiles.autosaveTick();
    }

    test::VirtualClock clock;
    Timers timers{clock};
    test::FakeWindow window;
    AcquisitionState state;
    RecordStore store;
    RecordFiles recordFiles;
};

std::string sizes(const test::FakeFileSystem& files) {
    std::string text;
    for (const auto& [path, content] : files.files) {
        text += path.substr(path.rfind('/') + 1) + "=" + std::to_string(content.size()) + ";";
    }
    return text;
}

TEST(AutosaveSlots, NamesFollowTheSlotAndTheDate) {
    const struct {
        LocalDateTime date;
        unsigned slot;
        const char* name;
    } cases[] = {
        {{2026, 12, 7, 9, 0, 0}, 1, "bak20261207.xls"},
        {{2026, 12, 7, 9, 0, 0}, 2, "bak20261207-2.xls"},
        {{2027, 1, 1, 0, 0, 0}, 3, "bak20270101-3.xls"},
        {{2026, 12, 7, 9, 0, 0}, 12, "bak20261207-12.xls"},
    };
    for (const auto& c : cases) EXPECT_EQ(autosaveFileName(c.date, c.slot), c.name);
    // What the windows hold in the folder, as every version before held it.
    EXPECT_EQ("bak" + windowSuffix(1), "bak");
    EXPECT_EQ("bak" + windowSuffix(2), "bak-2");
}

TEST(AutosaveSlots, AProgramAloneKeepsThePlainDaysNameAcrossAutosaves) {
    test::FakeFileSystem files;
    Program alone(files);
    alone.autosave();
    alone.autosave();
    EXPECT_EQ(files.createdPaths,
              (std::vector<std::string>{std::string(kFolder) + "bak20261207.xls",
                                        std::string(kFolder) + "bak20261207.xls"}));
    EXPECT_EQ(files.heldNames, (std::set<std::string>{std::string(kFolder) + "|bak"}));
}

TEST(AutosaveSlots, ProgramsStartedMeanwhileTakeTheNextFreeNamesAndNeverReplaceAnothers) {
    test::FakeFileSystem files;
    Program first(files);
    Program second(files);
    Program third(files);
    first.autosave(1);
    second.autosave(2);
    third.autosave(3);
    first.autosave(1);
    EXPECT_EQ(sizes(files), "bak20261207-2.xls=132;bak20261207-3.xls=184;bak20261207.xls=132;");
    EXPECT_TRUE(first.window.messages.empty());
}

TEST(AutosaveSlots, AProgramKeepsItsNameForItsWholeLifeAndAnEndedOnesNameIsFreeAgain) {
    test::FakeFileSystem files;
    auto first = std::make_unique<Program>(files);
    Program second(files);
    first->autosave();
    second.autosave();
    first.reset();  // the first window closes

    second.autosave();  // still its own file, even past midnight
    second.clock.setLocalStart({2026, 12, 8, 9, 0, 0});
    second.autosave();
    Program later(files);  // started after the first ended
    later.autosave();

    EXPECT_EQ(
        files.createdPaths,
        (std::vector<std::string>{
            std::string(kFolder) + "bak20261207.xls", std::string(kFolder) + "bak20261207-2.xls",
            std::string(kFolder) + "bak20261207-2.xls", std::string(kFolder) + "bak20261208-2.xls",
            std::string(kFolder) + "bak20261207.xls"}));
}

TEST(AutosaveSlots, ANameThatCannotBeHeldIsStillWrittenAndHeldLaterWhenItCanBe) {
    test::FakeFileSystem files;
    files.claimsUnavailable = true;
    Program alone(files);
    alone.autosave();
    EXPECT_EQ(files.createdPaths.back(), std::string(kFolder) + "bak20261207.xls");
    files.claimsUnavailable = false;
    alone.autosave();
    EXPECT_EQ(files.createdPaths.back(), std::string(kFolder) + "bak20261207.xls");
    EXPECT_EQ(files.heldNames.size(), 1u);
}

TEST(AutosaveSlots, AProgramWhoseAutosaveMovesFolderHoldsANameInTheNewFolder) {
    test::FakeFileSystem files;
    Program first(files);
    Program second(files);
    first.autosave();
    second.autosave();  // -2 beside the executable
    files.readOnlyFolders.insert(kFolder);
    second.autosave();  // the user's folder, where no one holds the plain name
    EXPECT_EQ(files.createdPaths.back(), "/home/bench/.local/share/Mensora/bak20261207.xls");
    EXPECT_EQ(files.heldNames.count(std::string(kFolder) + "|bak-2"), 0u);
}

// ---- Real programs on the real file system ----------------------------------------------

TEST(AutosaveSlots, ARunningProgramHoldsTheNameUntilItIsKilledAndTheNextOneThenTakesIt) {
    const test::ScratchFolder folder;
    const std::string executable = folder.at("mensora");

    // Another program autosaves once, then keeps running until it is killed.
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t other = ::fork();
    ASSERT_GE(other, 0);
    if (other == 0) {
        ::close(ready[0]);
        test::RelocatedExecutable files(executable);
        Program program(files);
        program.autosave(5);
        [[maybe_unused]] const ssize_t told = ::write(ready[1], "A", 1);
        for (;;) ::pause();
    }
    ::close(ready[1]);
    char saved = 0;
    ASSERT_EQ(::read(ready[0], &saved, 1), 1);
    ::close(ready[0]);

    test::RelocatedExecutable files(executable);
    {
        Program meanwhile(files);
        meanwhile.autosave(2);
        meanwhile.autosave(1);
        EXPECT_TRUE(meanwhile.window.messages.empty());
    }
    EXPECT_EQ(test::readFile(folder.at("bak20261207.xls")).size(), 28u + 5u * 52u);
    EXPECT_EQ(test::readFile(folder.at("bak20261207-2.xls")).size(), 28u + 3u * 52u);

    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
    Program after(files);
    after.autosave(1);
    EXPECT_EQ(test::readFile(folder.at("bak20261207.xls")).size(), 28u + 1u * 52u);
}

}  // namespace
}  // namespace mensora
