// Record files on the real file system, one suite on both back ends (native_bench.h gives
// the platform): the exact bytes on disk in either language, Chinese names, a file replaced
// whole, a file another program holds, a file dropped half-written, a missing folder and where
// the autosave goes. Then what only one platform has: on Linux permissions, links, a full disk
// and the user's data folder; on Windows a program killed while it writes and two programs
// autosaving into one folder.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "base/timers.h"
#include "files/native_file_system.h"
#include "files/record_file_paths.h"
#include "files/record_files.h"
#include "measure/record_store.h"
#include "tests/support/fake_window.h"
#include "tests/support/virtual_clock.h"
#include "tests/unit/files/native_bench.h"
#include "tests/unit/files/sample_records.h"

#ifdef _WIN32
#include <shlobj.h>
#endif

namespace mensora {
namespace {

namespace fs = std::filesystem;

using test::kSeparator;
using test::listing;
using test::readFile;
using test::RelocatedExecutable;
using test::writeFile;

class NativeRecordFilesTest : public ::testing::Test {
protected:
    std::string at(const std::string& name) const { return folder + kSeparator + name; }
    std::string makeFolder(const std::string& name) const {
        test::makeFolderAt(at(name));
        return at(name);
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

// ---- The exact bytes, under any name ------------------------------------------------------

TEST_F(NativeRecordFilesTest, ExportWritesTheExactBytesInEitherLanguageAndLeavesNothingElse) {
    ASSERT_FALSE(folder.empty());
    const struct {
        const char* name;
        int language;
        void (*records)(RecordStore&);
        std::string message;
        std::string bytes;
    } cases[] = {
        {"Chinese", 1, test::addThreeChineseRecords, "数据导到表格成功!\n",
         test::kChineseHeaderBytes + test::kChineseRecordLines},
        {"English", 2, test::addThreeEnglishRecords, "Data import to table succeeded!\n",
         test::kEnglishHeaderBytes + test::kEnglishRecordLines},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        store.empty();
        c.records(store);
        state.storedLanguage = c.language;
        const std::string target = at(std::string("MensoraRecord-") + c.name + ".xls");
        EXPECT_EQ(exportTo(target), c.message);
        // No carriage return is added to a line and no byte is translated.
        EXPECT_EQ(readFile(target), c.bytes);
    }
    EXPECT_EQ(listing(folder), "MensoraRecord-Chinese.xls;MensoraRecord-English.xls;");
}

TEST_F(NativeRecordFilesTest, AChineseFolderAndFileNameAreWrittenUnderTheirOwnNames) {
    const std::string chinese = makeFolder("测量记录");
    test::addThreeChineseRecords(store);
    const std::string target = chinese + kSeparator + "记录.xls";
    EXPECT_EQ(exportTo(target), "数据导到表格成功!\n");
    EXPECT_EQ(readFile(target), test::kChineseHeaderBytes + test::kChineseRecordLines);
    EXPECT_EQ(listing(chinese), "记录.xls;");
    EXPECT_EQ(listing(folder), "测量记录;");
}

// ---- Replacing a file whole -----------------------------------------------------------------

TEST_F(NativeRecordFilesTest, ExportReplacesALongerPreviousFileWhole) {
    const std::string target = at("MensoraRecord.xls");
    writeFile(target, std::string(5000, 'x'));
    test::addThreeEnglishRecords(store);
    state.storedLanguage = 2;
    EXPECT_EQ(exportTo(target), "Data import to table succeeded!\n");
    EXPECT_EQ(readFile(target), test::kEnglishHeaderBytes + test::kEnglishRecordLines);
    EXPECT_EQ(listing(folder), "MensoraRecord.xls;");
}

TEST_F(NativeRecordFilesTest, WhileTheNewFileIsWrittenTheTargetIsHeldAndStillHoldsThePrevious) {
    const std::string target = at("bak20261207.xls");
    writeFile(target, "previous");
    {
        RecordFileOpening opening = native.createRecordFile(target);
        ASSERT_NE(opening.file, nullptr);
        ASSERT_EQ(opening.file->write("new content", 11), std::nullopt);
        EXPECT_EQ(test::openSeenByOthers(target), "held");
        if (test::kOthersReadAHeldFile) {
            EXPECT_EQ(readFile(target), "previous");
        }
        ASSERT_EQ(opening.file->commit(), std::nullopt);
    }
    EXPECT_EQ(test::openSeenByOthers(target), "free");
    EXPECT_EQ(readFile(target), "new content");
    EXPECT_EQ(listing(folder), "bak20261207.xls;");
}

TEST_F(NativeRecordFilesTest, AFileDroppedBeforeItIsCompleteLeavesThePreviousOrNothing) {
    const std::string previous = at("previous.xls");
    writeFile(previous, "previous");
    for (const std::string& target : {previous, at("new.xls")}) {
        SCOPED_TRACE(target);
        RecordFileOpening opening = native.createRecordFile(target);
        ASSERT_NE(opening.file, nullptr);
        ASSERT_EQ(opening.file->write("half", 4), std::nullopt);
    }
    EXPECT_EQ(readFile(previous), "previous");
    EXPECT_EQ(listing(folder), "previous.xls;");
}

// ---- Failures -------------------------------------------------------------------------------

TEST_F(NativeRecordFilesTest, AFileAnotherProgramHoldsIsASharingViolationAndStaysIntact) {
    const std::string target = at("bak20261207.xls");
    writeFile(target, "held by a spreadsheet");
    test::addThreeChineseRecords(store);
    {
        const test::OtherProgramHolding spreadsheet(target);
        ASSERT_TRUE(spreadsheet.holding());
        EXPECT_EQ(exportTo(target), "在存取 " + target + " 时发生共享违例。\n");
        if (test::kOthersReadAHeldFile) {
            EXPECT_EQ(readFile(target), "held by a spreadsheet");
        }
        EXPECT_EQ(listing(folder), "bak20261207.xls;");
    }
    EXPECT_EQ(readFile(target), "held by a spreadsheet");
    // Once the other program lets go, the same file can be written.
    EXPECT_EQ(exportTo(target), "数据导到表格成功!\n");
    EXPECT_EQ(readFile(target), test::kChineseHeaderBytes + test::kChineseRecordLines);
}

TEST_F(NativeRecordFilesTest, AMissingFolderIsReportedAsAnInvalidPath) {
    const std::string target = at("no-such-folder") + kSeparator + "MensoraRecord.xls";
    EXPECT_EQ(exportTo(target), target + " 中包含无效的路径。\n");
    EXPECT_EQ(listing(folder), "");
}

// ---- Where the autosave goes ------------------------------------------------------------

TEST_F(NativeRecordFilesTest, AWritableExecutableFolderGetsTheAutosaveUnderAnyName) {
    for (const char* name : {"app", "量具程序"}) {
        SCOPED_TRACE(name);
        const std::string app = makeFolder(name);
        RelocatedExecutable relocated(app + kSeparator + "mensora.exe");
        RecordFiles autosaving(state, store, window, timers, clock, relocated);
        state.recordsDirty = true;
        autosaving.autosaveTick();
        EXPECT_EQ(readFile(app + kSeparator + "bak20261207.xls"), test::kChineseHeaderBytes);
        EXPECT_TRUE(window.messages.empty());
    }
}

TEST_F(NativeRecordFilesTest, TheExecutableFolderIsWhereThisProgramLies) {
    const std::string executable = native.executablePath();
    const std::string folderOfExecutable = executableDirectory(executable);
    ASSERT_FALSE(folderOfExecutable.empty());
    EXPECT_EQ(folderOfExecutable.back(), kSeparator);
    EXPECT_EQ(executable, folderOfExecutable + test::kThisProgram);
    EXPECT_TRUE(fs::is_regular_file(test::pathOf(executable)));
}

TEST_F(NativeRecordFilesTest, MayCreateFilesInAWritableFolderOnly) {
    const std::string writable = makeFolder("writable");
    EXPECT_TRUE(native.mayCreateFilesIn(writable));
    EXPECT_TRUE(native.mayCreateFilesIn(writable + kSeparator));
    EXPECT_FALSE(native.mayCreateFilesIn(at("missing")));
    EXPECT_EQ(listing(writable), "");
}

#ifndef _WIN32
// ---- Linux: permissions, links, a full disk, the user's data folder -------------------------

TEST_F(NativeRecordFilesTest, ExportKeepsThePreviousFilesPermissions) {
    const std::string target = at("MensoraRecord.xls");
    writeFile(target, "previous", 0640);
    EXPECT_EQ(exportTo(target), "数据导到表格成功!\n");
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
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
    const std::string locked = makeFolder("locked");
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

TEST_F(NativeRecordFilesTest, AFullDiskIsReportedAndThePreviousFileStaysWithoutLeftovers) {
    // 2000 records are 104,028 bytes: they cannot fit on a 64 KiB file system.
    for (int n = 0; n < 2000; ++n) {
        test::addRecord(store, "000001", "1.000   ", "   0.000", " OK ", "2026-12-07; 10:00:00");
    }
    const std::string small = makeFolder("small");
    ::chmod(small.c_str(), 0777);
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

TEST_F(NativeRecordFilesTest, AReadOnlyExecutableFolderSendsTheAutosaveToTheUsersDataFolder) {
    // As an unprivileged user, since root may create files in a read-only folder.
    const std::string app = makeFolder("app");
    const std::string dataHome = makeFolder("data");
    ::chmod(app.c_str(), 0555);
    ::chmod(dataHome.c_str(), 0777);
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
    const std::string readOnly = makeFolder("read-only");
    ::chmod(readOnly.c_str(), 0555);
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
    const std::string home = makeFolder("home");
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

TEST_F(NativeRecordFilesTest, SystemErrorsMapToTheCausesTheUserIsTold) {
    const struct {
        int error;
        FileFailure cause;
    } cases[] = {
        {ENOENT, FileFailure::InvalidPath},
        {ENOTDIR, FileFailure::InvalidPath},
        {ENAMETOOLONG, FileFailure::InvalidPath},
        {EMFILE, FileFailure::TooManyOpenFiles},
        {ENFILE, FileFailure::TooManyOpenFiles},
        {EACCES, FileFailure::AccessDenied},
        {EPERM, FileFailure::AccessDenied},
        {EROFS, FileFailure::AccessDenied},
        {EISDIR, FileFailure::AccessDenied},
        {EBADF, FileFailure::InvalidHandle},
        {EIO, FileFailure::HardwareIo},
        {EWOULDBLOCK, FileFailure::SharingViolation},
        {ETXTBSY, FileFailure::SharingViolation},
        {ENOLCK, FileFailure::LockViolation},
        {EDEADLK, FileFailure::LockViolation},
        {ENOSPC, FileFailure::DiskFull},
        {EDQUOT, FileFailure::DiskFull},
        {EFBIG, FileFailure::DiskFull},
        {ESPIPE, FileFailure::SeekFault},
        {EINVAL, FileFailure::Unknown},
        {0, FileFailure::Unknown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.error);
        EXPECT_EQ(failureFromSystemError(c.error), c.cause);
    }
}

#else
// ---- Windows: a program killed while it writes, the user's AppData, two programs --------------

std::string applicationDataFolder() {
    wchar_t buffer[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer))) {
        return {};
    }
    return test::utf8Of(fs::path(buffer));
}

TEST_F(NativeRecordFilesTest, AProgramKilledWhileWritingLeavesThePreviousFileAndItsLeftoverGoes) {
    const std::string target = at("bak20261207.xls");
    writeFile(target, "previous autosave");
    test::addThreeChineseRecords(store);
    test::HelperProgram writer(L"record_writer.exe", {"half", target});
    ASSERT_TRUE(writer.ready);
    // While it runs, what it writes is its own: another write in the folder leaves it alone.
    EXPECT_EQ(exportTo(at("other.xls")), "数据导到表格成功!\n");
    const std::string whileWriting = listing(folder);
    EXPECT_EQ(whileWriting.substr(0, whileWriting.find("~mensora")), "bak20261207.xls;other.xls;");
    EXPECT_NE(whileWriting.find(".tmp;"), std::string::npos) << whileWriting;

    writer.kill();
    EXPECT_EQ(readFile(target), "previous autosave");
    // The next write in the folder takes away what the killed program left half-made.
    EXPECT_EQ(exportTo(target), "数据导到表格成功!\n");
    EXPECT_EQ(readFile(target), test::kChineseHeaderBytes + test::kChineseRecordLines);
    EXPECT_EQ(listing(folder), "bak20261207.xls;other.xls;");
}

TEST_F(NativeRecordFilesTest, AnAutosaveWhoseProgramFolderIsGoneGoesToTheUsersAppData) {
    const std::string appData = applicationDataFolder();
    ASSERT_FALSE(appData.empty());
    const std::string userCopy = appData + "\\Mensora\\bak20261207.xls";
    std::error_code error;
    fs::remove(test::pathOf(userCopy), error);
    test::addThreeChineseRecords(store);
    test::RelocatedExecutable relocated(at("removed\\mensora.exe"));
    RecordFiles autosaving(state, store, window, timers, clock, relocated);
    state.recordsDirty = true;
    autosaving.autosaveTick();
    EXPECT_TRUE(window.messages.empty());
    EXPECT_EQ(readFile(userCopy), test::kChineseHeaderBytes + test::kChineseRecordLines);
    fs::remove(test::pathOf(userCopy), error);
    EXPECT_EQ(listing(folder), "");
}

TEST_F(NativeRecordFilesTest, ARunningProgramKeepsItsAutosaveNameUntilItIsKilled) {
    const std::string app = makeFolder("app");
    const std::string executable = app + "\\mensora.exe";
    // A header of 28 bytes and 52 bytes a record.
    const auto fileSize = [](std::size_t records) { return 28u + 52u * records; };
    // Autosaves `records` records as a program of its own lying in app.
    const auto autosave = [&](std::size_t records) {
        test::RelocatedExecutable relocated(executable);
        RecordStore own;
        for (std::size_t n = 0; n < records; ++n) {
            test::addRecord(own, "000001", "1.000   ", "   0.000", " OK ", "2026-12-07; 10:00:00");
        }
        RecordFiles program(state, own, window, timers, clock, relocated);
        window.messages.clear();
        state.recordsDirty = true;
        program.autosaveTick();
        EXPECT_TRUE(window.messages.empty());
    };

    test::HelperProgram other(L"record_writer.exe", {"autosave", app});
    ASSERT_TRUE(other.ready);  // it holds the day's name, with five records
    autosave(3);
    EXPECT_EQ(readFile(app + "\\bak20261207.xls").size(), fileSize(5));
    EXPECT_EQ(readFile(app + "\\bak20261207-2.xls").size(), fileSize(3));

    other.kill();
    autosave(1);
    EXPECT_EQ(readFile(app + "\\bak20261207.xls").size(), fileSize(1));
}

#endif

}  // namespace
}  // namespace mensora
