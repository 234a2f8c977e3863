// Record files on the real file system: the exact bytes on disk, and every failure a bench
// PC meets (a folder without write permission, a missing folder, a full disk, a file another
// program holds) with the previous file left exactly as it was.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/control_ids.h"
#include "base/timer_ids.h"
#include "base/timers.h"
#include "files/native_file_system.h"
#include "files/record_file_paths.h"
#include "files/record_files.h"
#include "measure/record_store.h"
#include "tests/support/fake_window.h"
#include "tests/support/virtual_clock.h"
#include "tests/unit/files/child_process.h"
#include "tests/unit/files/real_folder.h"
#include "tests/unit/files/sample_records.h"

namespace mensora {
namespace {

namespace fs = std::filesystem;

using test::listing;
using test::readFile;
using test::RelocatedExecutable;
using test::writeFile;

// Another program that keeps a file open and locked until it is let go.
class FileHolder {
public:
    explicit FileHolder(const std::string& path) {
        int ready[2];
        if (::pipe(ready) != 0 || ::pipe(release_) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            // Only the test's end may keep the release pipe open, or the holder never hears
            // it close.
            ::close(release_[1]);
            ::close(ready[0]);
            const int fd = ::open(path.c_str(), O_RDWR);
            const char state = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? 'L' : 'X';
            [[maybe_unused]] const ssize_t told = ::write(ready[1], &state, 1);
            char end;
            [[maybe_unused]] const ssize_t released = ::read(release_[0], &end, 1);
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release_[0]);
        locked_ = ::read(ready[0], &state_, 1) == 1 && state_ == 'L';
        ::close(ready[0]);
    }
    ~FileHolder() {
        ::close(release_[1]);
        if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
    }
    bool locked() const { return locked_; }

private:
    int release_[2] = {-1, -1};
    pid_t pid_ = -1;
    char state_ = 0;
    bool locked_ = false;
};

// Whether another process could take the lock on path right now.
std::string lockStateSeenByAnotherProcess(const std::string& path) {
    return test::runInChild([&] {
        const int fd = ::open(path.c_str(), O_RDONLY);
        if (fd < 0) return std::string("absent");
        return std::string(::flock(fd, LOCK_EX | LOCK_NB) == 0 ? "free" : "locked");
    });
}

class NativeRecordFilesTest : public ::testing::Test {
protected:
    std::string at(const std::string& name) const { return folder + "/" + name; }
    std::string makeFolder(const std::string& name, mode_t mode) const {
        const std::string made = at(name);
        ::mkdir(made.c_str(), 0755);
        ::chmod(made.c_str(), mode);
        return made;
    }

    // Exports through the real file system; the messages shown, one per line.
    std::string exportTo(const std::string& path) {
        window.savePathAnswer = path;
        window.messages.clear();
        files.exportRecords();
        std::string shown;
        for (const auto& message : window.messages) shown += message.text + "\n";
        return shown;
    }

    test::ScratchFolder scratch;
    std::string folder = scratch.path();
    test::VirtualClock clock;
    Timers timers{clock};
    test::FakeWindow window;
    NativeFileSystem native;
    AcquisitionState state;
    RecordStore store;
    RecordFiles files{state, store, window, timers, clock, native};
};

// ---- Success ----------------------------------------------------------------------------

TEST_F(NativeRecordFilesTest, ExportWritesTheExactBytesToDiskAndLeavesNothingElseBehind) {
    ASSERT_FALSE(folder.empty());
    test::addThreeChineseRecords(store);
    const std::string target = at("MensoraRecord.xls");
    EXPECT_EQ(exportTo(target), "数据导到表格成功!\n");
    EXPECT_EQ(readFile(target), test::kChineseHeaderBytes + test::kChineseRecordLines);
    EXPECT_EQ(listing(folder), "MensoraRecord.xls;");
}

TEST_F(NativeRecordFilesTest, ExportReplacesThePreviousFileWholeAndKeepsItsPermissions) {
    const std::string target = at("MensoraRecord.xls");
    writeFile(target, std::string(5000, 'x'), 0640);
    test::addThreeEnglishRecords(store);
    state.storedLanguage = 2;
    EXPECT_EQ(exportTo(target), "Data import to table succeeded!\n");
    EXPECT_EQ(readFile(target), test::kEnglishHeaderBytes + test::kEnglishRecordLines);
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(listing(folder), "MensoraRecord.xls;");
}

TEST_F(NativeRecordFilesTest, WhileTheNewFileIsWrittenTheTargetIsLockedAndStillHoldsThePrevious) {
    const std::string target = at("bak20261207.xls");
    writeFile(target, "previous");
    RecordFileOpening opening = native.createRecordFile(target);
    ASSERT_NE(opening.file, nullptr);
    ASSERT_EQ(opening.file->write("new content", 11), std::nullopt);

    EXPECT_EQ(readFile(target), "previous");
    EXPECT_EQ(lockStateSeenByAnotherProcess(target), "locked");
    ASSERT_EQ(opening.file->commit(), std::nullopt);
    opening.file.reset();
    EXPECT_EQ(readFile(target), "new content");
    EXPECT_EQ(lockStateSeenByAnotherProcess(target), "free");
}

TEST_F(NativeRecordFilesTest, AFileDroppedBeforeItIsCompleteLeavesNoTraceWhereNoneWasBefore) {
    const std::string target = at("MensoraRecord.xls");
    RecordFileOpening opening = native.createRecordFile(target);
    ASSERT_NE(opening.file, nullptr);
    ASSERT_EQ(opening.file->write("half", 4), std::nullopt);
    opening.file.reset();
    EXPECT_EQ(listing(folder), "");
}

TEST_F(NativeRecordFilesTest, ALinkToARecordFileStaysALinkAndTheFileItNamesIsReplaced) {
    const std::string real = at("real.xls");
    const std::string link = at("link.xls");
    writeFile(real, "previous");
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    EXPECT_EQ(exportTo(link), "数据导到表格成功!\n");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readFile(real), test::kChineseHeaderBytes);
}

// ---- Failures ---------------------------------------------------------------------------

TEST_F(NativeRecordFilesTest, AFolderWithoutWritePermissionIsAccessDeniedAndThePreviousFileStays) {
    // Run as an unprivileged user: root would be let in anyway.
    const std::string locked = makeFolder("locked", 0755);
    const std::string previous = locked + "/MensoraRecord.xls";
    writeFile(previous, "previous export", 0666);
    ::chmod(locked.c_str(), 0555);
    test::addThreeChineseRecords(store);

    const std::string shown = test::runInChild([&] {
        const std::string dropped = test::dropPrivileges();
        if (!dropped.empty()) return dropped;
        return exportTo(previous) + exportTo(locked + "/new.xls");
    });
    EXPECT_EQ(shown, "对 " + previous + " 的存取被拒绝。\n" + "对 " + locked +
                         "/new.xls 的存取被拒绝。\n");
    EXPECT_EQ(readFile(previous), "previous export");
    EXPECT_EQ(listing(locked), "MensoraRecord.xls;");
}

TEST_F(NativeRecordFilesTest, AMissingFolderIsReportedAsAnInvalidPath) {
    const std::string target = at("no-such-folder/MensoraRecord.xls");
    EXPECT_EQ(exportTo(target), target + " 中包含无效的路径。\n");
    EXPECT_EQ(listing(folder), "");
}

TEST_F(NativeRecordFilesTest, AFullDiskIsReportedAndThePreviousFileStaysWithoutLeftovers) {
    // 2000 records are 104,028 bytes: they cannot fit on a 64 KiB file system.
    for (int n = 0; n < 2000; ++n) {
        test::addRecord(store, "000001", "1.000   ", "   0.000", " OK ", "2026-12-07; 10:00:00");
    }
    const std::string small = makeFolder("small", 0777);
    const std::string answer = test::runInChild([&] {
        const std::string mounted = test::mountSmallFileSystem(small, "64k");
        if (!mounted.empty()) return mounted;
        const std::string previous = small + "/bak20261207.xls";
        writeFile(previous, "previous autosave");
        const std::string shown = exportTo(previous) + exportTo(small + "/new.xls");
        return shown + "content: " + readFile(previous) + "\nfolder: " + listing(small);
    });
    EXPECT_EQ(answer, "在存取 " + small + "/bak20261207.xls 时磁盘已满。\n" + "在存取 " + small +
                          "/new.xls 时磁盘已满。\n" +
                          "content: previous autosave\nfolder: bak20261207.xls;");
}

TEST_F(NativeRecordFilesTest, AFileAnotherProgramHoldsIsASharingViolationAndStaysIntact) {
    const std::string target = at("bak20261207.xls");
    writeFile(target, "held by a spreadsheet");
    test::addThreeChineseRecords(store);
    {
        const FileHolder spreadsheet(target);
        ASSERT_TRUE(spreadsheet.locked());
        EXPECT_EQ(exportTo(target), "在存取 " + target + " 时发生共享违例。\n");
        EXPECT_EQ(readFile(target), "held by a spreadsheet");
        EXPECT_EQ(listing(folder), "bak20261207.xls;");
    }
    // Once the other program lets go, the same file can be written.
    EXPECT_EQ(exportTo(target), "数据导到表格成功!\n");
    EXPECT_EQ(readFile(target), test::kChineseHeaderBytes + test::kChineseRecordLines);
}

// ---- Where the autosave goes ------------------------------------------------------------

TEST_F(NativeRecordFilesTest, AWritableExecutableFolderGetsTheAutosave) {
    const std::string app = makeFolder("app", 0755);
    RelocatedExecutable relocated(app + "/mensora");
    RecordFiles autosaving(state, store, window, timers, clock, relocated);
    state.recordsDirty = true;
    autosaving.autosaveTick();
    EXPECT_EQ(readFile(app + "/bak20261207.xls"), test::kChineseHeaderBytes);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(NativeRecordFilesTest, AReadOnlyExecutableFolderSendsTheAutosaveToTheUsersDataFolder) {
    // As an unprivileged user, since root may create files in a read-only folder.
    const std::string app = makeFolder("app", 0555);
    const std::string dataHome = makeFolder("data", 0777);
    test::addThreeChineseRecords(store);
    const std::string shown = test::runInChild([&] {
        const std::string dropped = test::dropPrivileges();
        if (!dropped.empty()) return dropped;
        ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
        RelocatedExecutable relocated(app + "/mensora");
        RecordFiles autosaving(state, store, window, timers, clock, relocated);
        state.recordsDirty = true;
        autosaving.autosaveTick();
        std::string told;
        for (const auto& message : window.messages) told += message.text;
        return told;
    });
    EXPECT_EQ(shown, "");
    EXPECT_EQ(listing(app), "");
    EXPECT_EQ(readFile(dataHome + "/Mensora/bak20261207.xls"),
              test::kChineseHeaderBytes + test::kChineseRecordLines);
}

TEST_F(NativeRecordFilesTest, MayCreateFilesInAnswersForTheEffectiveUser) {
    const std::string writable = makeFolder("writable", 0755);
    const std::string readOnly = makeFolder("read-only", 0555);
    EXPECT_TRUE(native.mayCreateFilesIn(writable));
    EXPECT_TRUE(native.mayCreateFilesIn(writable + "/"));
    EXPECT_FALSE(native.mayCreateFilesIn(at("missing")));
    EXPECT_FALSE(native.mayCreateFilesIn(""));
    const std::string answer = test::runInChild([&] {
        const std::string dropped = test::dropPrivileges();
        if (!dropped.empty()) return dropped;
        return std::string(native.mayCreateFilesIn(readOnly) ? "may" : "may not");
    });
    EXPECT_EQ(answer, "may not");
}

TEST_F(NativeRecordFilesTest, TheUsersDataFolderFollowsXdgDataHomeElseHomeAndIsCreated) {
    const struct {
        const char* name;
        std::optional<std::string> dataHome;  // nothing: unset
        std::string expected;
    } cases[] = {
        {"absolute XDG_DATA_HOME", at("xdg/"), folder + "/xdg/Mensora/"},
        {"relative XDG_DATA_HOME is ignored", "relative", folder + "/home/.local/share/Mensora/"},
        {"no XDG_DATA_HOME", std::nullopt, folder + "/home/.local/share/Mensora/"},
    };
    const std::string home = makeFolder("home", 0755);
    const char* oldHome = std::getenv("HOME");
    const char* oldDataHome = std::getenv("XDG_DATA_HOME");
    const std::string savedHome = oldHome != nullptr ? oldHome : "";
    const std::string savedDataHome = oldDataHome != nullptr ? oldDataHome : "";
    ::setenv("HOME", home.c_str(), 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.dataHome) {
            ::setenv("XDG_DATA_HOME", c.dataHome->c_str(), 1);
        } else {
            ::unsetenv("XDG_DATA_HOME");
        }
        EXPECT_EQ(native.userDataDirectory(), c.expected);
        EXPECT_TRUE(fs::is_directory(c.expected));
    }
    if (oldHome != nullptr) ::setenv("HOME", savedHome.c_str(), 1);
    if (oldDataHome != nullptr) {
        ::setenv("XDG_DATA_HOME", savedDataHome.c_str(), 1);
    } else {
        ::unsetenv("XDG_DATA_HOME");
    }
}

TEST_F(NativeRecordFilesTest, TheExecutableFolderIsWhereThisProgramLies) {
    const std::string executable = native.executablePath();
    const std::string folderOfExecutable = executableDirectory(executable);
    ASSERT_FALSE(folderOfExecutable.empty());
    EXPECT_EQ(folderOfExecutable.back(), '/');
    EXPECT_EQ(executable, folderOfExecutable + "unit_files");
    EXPECT_TRUE(fs::is_regular_file(executable));
}

TEST_F(NativeRecordFilesTest, SystemErrorsMapToTheCausesTheUserIsTold) {
    const struct {
        int error;
        FileFailure cause;
    } cases[] = {
        {ENOENT, FileFailure::InvalidPath},     {ENOTDIR, FileFailure::InvalidPath},
        {ENAMETOOLONG, FileFailure::InvalidPath}, {EMFILE, FileFailure::TooManyOpenFiles},
        {ENFILE, FileFailure::TooManyOpenFiles}, {EACCES, FileFailure::AccessDenied},
        {EPERM, FileFailure::AccessDenied},     {EROFS, FileFailure::AccessDenied},
        {EISDIR, FileFailure::AccessDenied},    {EBADF, FileFailure::InvalidHandle},
        {EIO, FileFailure::HardwareIo},         {EWOULDBLOCK, FileFailure::SharingViolation},
        {ETXTBSY, FileFailure::SharingViolation}, {ENOLCK, FileFailure::LockViolation},
        {EDEADLK, FileFailure::LockViolation},  {ENOSPC, FileFailure::DiskFull},
        {EDQUOT, FileFailure::DiskFull},        {EFBIG, FileFailure::DiskFull},
        {ESPIPE, FileFailure::SeekFault},       {EINVAL, FileFailure::Unknown},
        {0, FileFailure::Unknown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        EXPECT_EQ(failureFromSystemError(c.error), c.cause);
    }
}

}  // namespace
}  // namespace mensora
