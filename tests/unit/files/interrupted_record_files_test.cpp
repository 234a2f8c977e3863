// A program killed while it writes a record file, at every step of the write and at random
// moments: the target is the previous complete file or absent, never empty or shorter, and
// what the killed program left half-made is gone after the next write in that folder.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "base/timers.h"
#include "files/native_file_system.h"
#include "files/record_file_format.h"
#include "files/record_files.h"
#include "measure/record_store.h"
#include "tests/support/fake_window.h"
#include "tests/support/virtual_clock.h"
#include "tests/unit/files/child_process.h"
#include "tests/unit/files/real_folder.h"
#include "tests/unit/files/sample_records.h"

namespace mensora {
namespace {

// Records numbered from 1 as a bench makes them, so that any count of them has one known file.
void addNumberedRecords(RecordStore& store, std::uint32_t count) {
    for (std::uint32_t n = store.count() + 1; count > 0; ++n, --count) {
        char seq[8];
        std::snprintf(seq, sizeof seq, "%06u", n % 1000000);
        test::addRecord(store, seq, "12.345  ", "  10.345", test::kGbkOk, "2026-12-07; 09:00:00");
    }
}

std::string fileOfNumberedRecords(std::uint32_t count) {
    RecordStore store;
    addNumberedRecords(store, count);
    std::string bytes = test::kChineseHeaderBytes;
    for (std::uint32_t i = 0; i < count; ++i) {
        for (const std::string_view field :
             {store.seqField(i), store.valueField(i), store.errorField(i), store.resultField(i),
              store.timeField(i)}) {
            bytes += field;
            bytes += '\t';
        }
        bytes += '\n';
    }
    return bytes;
}

// Names in the folder that are neither of the given files: what a killed writer left.
std::string leftovers(const std::string& folder, std::initializer_list<std::string> files) {
    std::string left;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (std::find(files.begin(), files.end(), name) == files.end()) left += name + ";";
    }
    return left;
}

// One export through the real file system, as the Save button makes it.
struct Exporter {
    explicit Exporter(NativeFileSystem::StepWatch watch = {}) : native(std::move(watch)) {}
    bool exportTo(const std::string& path) {
        window.savePathAnswer = path;
        window.messages.clear();
        files.exportRecords();
        return window.messageTexts() == std::vector<std::string>{"数据导到表格成功!"};
    }

    test::VirtualClock clock;
    Timers timers{clock};
    test::FakeWindow window;
    NativeFileSystem native;
    AcquisitionState state;
    RecordStore store;
    RecordFiles files{state, store, window, timers, clock, native};
};

// 3000 records are 156,028 bytes: three blocks, so a kill can fall between two of them.
constexpr std::uint32_t kRecords = 3000;

TEST(InterruptedRecordFile, AKillAtAnyStepLeavesThePreviousFileOrNoneAndTheNextWriteTidiesUp) {
    struct Step {
        RecordFileStep step;
        int occurrence;  // the how-manieth time the step is reached
        bool inPlace;    // whether the new file has replaced the target by then
    };
    const Step steps[] = {
        {RecordFileStep::TemporaryCreated, 1, false}, {RecordFileStep::Written, 1, false},
        {RecordFileStep::Written, 2, false},          {RecordFileStep::Written, 3, false},
        {RecordFileStep::Synced, 1, false},           {RecordFileStep::Closed, 1, false},
        {RecordFileStep::PutInPlace, 1, true},
    };
    const std::string newFile = fileOfNumberedRecords(kRecords);
    for (const bool hadPrevious : {true, false}) {
        for (const Step& s : steps) {
            SCOPED_TRACE(testing::Message()
                         << "step " << static_cast<int>(s.step) << " #" << s.occurrence
                         << (hadPrevious ? ", replacing" : ", new"));
            const test::ScratchFolder folder;
            const std::string target = folder.at("MensoraRecord.xls");
            const std::string previous = fileOfNumberedRecords(2);
            if (hadPrevious) test::writeFile(target, previous);

            const std::string told = test::runInChild([&] {
                int reached = 0;
                Exporter killed([&](RecordFileStep step) {
                    if (step == s.step && ++reached == s.occurrence) ::_exit(0);  // as a kill
                });
                addNumberedRecords(killed.store, kRecords);
                killed.exportTo(target);
                return std::string("the write was never stopped");
            });
            ASSERT_EQ(told, "");

            if (s.inPlace) {
                EXPECT_EQ(test::readFile(target), newFile);
            } else if (hadPrevious) {
                EXPECT_EQ(test::readFile(target), previous);
            } else {
                EXPECT_FALSE(std::filesystem::exists(target));
            }

            // The next write in that folder, by another program, removes what the killed one
            // left and keeps the target as it is.
            Exporter next;
            ASSERT_TRUE(next.exportTo(folder.at("other.xls")));
            EXPECT_EQ(leftovers(folder.path(), {"MensoraRecord.xls", "other.xls"}), "");
        }
    }
}

TEST(InterruptedRecordFile, ANewFileDoesNotExistUnderItsNameUntilItIsComplete) {
    const test::ScratchFolder folder;
    const std::string target = folder.at("bak20261207.xls");
    NativeFileSystem native;
    RecordFileOpening opening = native.createRecordFile(target);
    ASSERT_NE(opening.file, nullptr);
    ASSERT_EQ(opening.file->write("half", 4), std::nullopt);
    EXPECT_FALSE(std::filesystem::exists(target));
    ASSERT_EQ(opening.file->commit(), std::nullopt);
    EXPECT_EQ(test::readFile(target), "half");
}

TEST(InterruptedRecordFile, TheTemporaryOfAProgramThatStillWritesIsLeftAlone) {
    const test::ScratchFolder folder;
    NativeFileSystem native;
    RecordFileOpening writing = native.createRecordFile(folder.at("bak20261207.xls"));
    ASSERT_NE(writing.file, nullptr);
    const std::string during = test::listing(folder.path());

    // Another program writes in the same folder meanwhile.
    const std::string told = test::runInChild([&] {
        Exporter other;
        return std::string(other.exportTo(folder.at("other.xls")) ? "" : "export failed");
    });
    EXPECT_EQ(told, "");
    EXPECT_EQ(test::listing(folder.path()), during + "other.xls;");
    ASSERT_EQ(writing.file->write("complete", 8), std::nullopt);
    EXPECT_EQ(writing.file->commit(), std::nullopt);
    EXPECT_EQ(test::readFile(folder.at("bak20261207.xls")), "complete");
}

// A program that autosaves over and over, killed at moments nobody chose: in even rounds
// counted from its start (the kill may fall into its very first write), in odd rounds from
// the end of its first autosave (the kill falls into a write that replaces a complete file).
TEST(InterruptedRecordFile, KilledDuringAutosavesTheDaysFileIsAlwaysACompleteOne) {
    const test::ScratchFolder folder;
    const std::string target = folder.at("bak20261207.xls");
    constexpr std::uint32_t kFirstCount = 4000;
    for (int round = 0; round < 20; ++round) {
        SCOPED_TRACE(round);
        const bool afterAFirstFile = round % 2 == 1;
        int firstSaved[2];
        ASSERT_EQ(::pipe(firstSaved), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(firstSaved[0]);
            test::VirtualClock clock;
            Timers timers{clock};
            test::FakeWindow window;
            test::RelocatedExecutable native(folder.at("mensora"));
            AcquisitionState state;
            RecordStore store;
            RecordFiles files{state, store, window, timers, clock, native};
            addNumberedRecords(store, kFirstCount);
            for (bool first = true;; first = false) {
                state.recordsDirty = true;
                files.autosaveTick();
                if (first) ::close(firstSaved[1]);
                addNumberedRecords(store, 1);
            }
        }
        ::close(firstSaved[1]);
        if (afterAFirstFile) {
            char end;
            ASSERT_EQ(::read(firstSaved[0], &end, 1), 0);
        }
        ::close(firstSaved[0]);
        std::this_thread::sleep_for(std::chrono::milliseconds(1 + 3 * round));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        if (afterAFirstFile) {
            ASSERT_TRUE(std::filesystem::exists(target));
        }
        if (std::filesystem::exists(target)) {
            const std::string held = test::readFile(target);
            ASSERT_GE(held.size(), 28u);
            ASSERT_EQ((held.size() - 28) % 52, 0u) << held.size() << " bytes";
            const auto count = static_cast<std::uint32_t>((held.size() - 28) / 52);
            EXPECT_GE(count, kFirstCount);
            EXPECT_EQ(held, fileOfNumberedRecords(count));
        }
        Exporter next;
        ASSERT_TRUE(next.exportTo(folder.at("other.xls")));
        // The owner mark of the killed program's autosave name may stay; it holds nothing.
        EXPECT_EQ(leftovers(folder.path(), {"bak20261207.xls", "other.xls", ".mensora-bak.owner"}),
                  "");
        if (!afterAFirstFile) std::filesystem::remove(target);
    }
}

}  // namespace
}  // namespace mensora
