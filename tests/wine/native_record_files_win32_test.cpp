// Record files on the Windows file system: the same bytes as on Linux, a file another program
// holds, replacing a file whole, a program killed while it writes, Chinese folder names, where
// the autosave goes and two programs autosaving into one folder.

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/timers.h"
#include "files/native_file_system.h"
#include "files/record_file_paths.h"
#include "files/record_files.h"
#include "measure/record_store.h"
#include "tests/support/fake_window.h"
#include "tests/support/virtual_clock.h"
#include "tests/unit/files/sample_records.h"
#include "tests/wine/helper_program.h"
#include "tests/wine/relocated_executable.h"
#include "base/wide_text.h"

namespace mensora {
namespace {

namespace fs = std::filesystem;

fs::path pathOf(const std::string& utf8) { return fs::path(wide(utf8)); }

std::string utf8Of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string readFile(const std::string& path) {
    std::ifstream in(pathOf(path), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void writeFile(const std::string& path, const std::string& content) {
    std::ofstream(pathOf(path), std::ios::binary) << content;
}

// Names in a folder, sorted; temporaries left behind would show up here.
std::string listing(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(pathOf(folder), error)) {
        names.push_back(utf8Of(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const auto& name : names) joined += name + ";";
    return joined;
}

// How an open by anyone else fares right now: "opens", "sharing violation" or "error N".
std::string openSeenByOthers(const std::string& path) {
    const HANDLE handle = CreateFileW(wide(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return "opens";
    }
    const DWORD error = GetLastError();
    return error == ERROR_SHARING_VIOLATION ? "sharing violation"
                                            : "error " + std::to_string(error);
}

std::string applicationDataFolder() {
    wchar_t buffer[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, buffer))) {
        return {};
    }
    return utf8Of(fs::path(buffer));
}

class NativeRecordFilesWin32Test : public ::testing::Test {
protected:
    NativeRecordFilesWin32Test() {
        folder = utf8Of(fs::temp_directory_path() /
                        ("mensora-files-" + std::to_string(GetCurrentProcessId())));
        fs::create_directories(pathOf(folder));
    }
    ~NativeRecordFilesWin32Test() override {
        std::error_code error;
        fs::remove_all(pathOf(folder), error);
    }

    std::string at(const std::string& name) const { return folder + "\\" + name; }
    std::string makeFolder(const std::string& name) const {
        fs::create_directories(pathOf(at(name)));
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

    std::string folder;
    test::VirtualClock clock;
    Timers timers{clock};
    test::FakeWindow window;
    NativeFileSystem native;
    AcquisitionState state;
    RecordStore store;
    RecordFiles files{state, store, window, timers, clock, native};
};

// ---- The same bytes as on Linux -----------------------------------------------------------

TEST_F(NativeRecordFilesWin32Test, ExportWritesTheSameBytesAsOnLinuxInEitherLanguage) {
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

TEST_F(NativeRecordFilesWin32Test, AChineseFolderAndFileNameAreWrittenUnderTheirOwnNames) {
    const std::string chinese = makeFolder("测量记录");
    test::addThreeChineseRecords(store);
    const std::string target = chinese + "\\记录.xls";
    EXPECT_EQ(exportTo(target), "数据导到表格成功!\n");
    EXPECT_EQ(readFile(target), test::kChineseHeaderBytes + test::kChineseRecordLines);
    EXPECT_EQ(listing(chinese), "记录.xls;");
    EXPECT_EQ(listing(folder), "测量记录;");
}

// ---- Replacing a file whole -----------------------------------------------------------------

TEST_F(NativeRecordFilesWin32Test, ExportReplacesALongerPreviousFileWhole) {
    const std::string target = at("MensoraRecord.xls");
    writeFile(target, std::string(5000, 'x'));
    test::addThreeEnglishRecords(store);
    state.storedLanguage = 2;
    EXPECT_EQ(exportTo(target), "Data import to table succeeded!\n");
    EXPECT_EQ(readFile(target), test::kEnglishHeaderBytes + test::kEnglishRecordLines);
    EXPECT_EQ(listing(folder), "MensoraRecord.xls;");
}

TEST_F(NativeRecordFilesWin32Test, WhileTheNewFileIsWrittenNoOneElseOpensTheTargetAndItKeepsThePrevious) {
    const std::string target = at("bak20261207.xls");
    writeFile(target, "previous");
    {
        RecordFileOpening opening = native.createRecordFile(target);
        ASSERT_NE(opening.file, nullptr);
        ASSERT_EQ(opening.file->write("new content", 11), std::nullopt);
        EXPECT_EQ(openSeenByOthers(target), "sharing violation");
        ASSERT_EQ(opening.file->commit(), std::nullopt);
    }
    EXPECT_EQ(openSeenByOthers(target), "opens");
    EXPECT_EQ(readFile(target), "new content");
    EXPECT_EQ(listing(folder), "bak20261207.xls;");
}

TEST_F(NativeRecordFilesWin32Test, AFileDroppedBeforeItIsCompleteLeavesThePreviousOrNothing) {
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

TEST_F(NativeRecordFilesWin32Test, AFileAnotherProgramHoldsIsASharingViolationAndStaysIntact) {
    const std::string target = at("bak20261207.xls");
    writeFile(target, "held by a spreadsheet");
    test::addThreeChineseRecords(store);
    {
        const test::HelperProgram spreadsheet(L"hold_open.exe", {target});
        ASSERT_TRUE(spreadsheet.ready);
        EXPECT_EQ(exportTo(target), "在存取 " + target + " 时发生共享违例。\n");
        EXPECT_EQ(listing(folder), "bak20261207.xls;");
    }
    EXPECT_EQ(readFile(target), "held by a spreadsheet");
    // Once the other program lets go, the same file can be written.
    EXPECT_EQ(exportTo(target), "数据导到表格成功!\n");
    EXPECT_EQ(readFile(target), test::kChineseHeaderBytes + test::kChineseRecordLines);
}

TEST_F(NativeRecordFilesWin32Test, AProgramKilledWhileWritingLeavesThePreviousFileAndItsLeftoverGoes) {
    const std::string target = at("bak20261207.xls");
    writeFile(target, "previous autosave");
    test::addThreeChineseRecords(store);
    test::HelperProgram writer(L"record_writer.exe", {"half", target});
    ASSERT_TRUE(writer.ready);
    // While it runs, what it writes is its own: another write in the folder leaves it alone.
    EXPECT_EQ(exportTo(at("other.xls")), "数据导到表格成功!\n");
    const std::string whileWriting = listing(folder);
    EXPECT_EQ(whileWriting.substr(0, whileWriting.find("~mensora")),
              "bak20261207.xls;other.xls;");
    EXPECT_NE(whileWriting.find(".tmp;"), std::string::npos) << whileWriting;

    writer.kill();
    EXPECT_EQ(readFile(target), "previous autosave");
    // The next write in the folder takes away what the killed program left half-made.
    EXPECT_EQ(exportTo(target), "数据导到表格成功!\n");
    EXPECT_EQ(readFile(target), test::kChineseHeaderBytes + test::kChineseRecordLines);
    EXPECT_EQ(listing(folder), "bak20261207.xls;other.xls;");
}

TEST_F(NativeRecordFilesWin32Test, AMissingFolderIsReportedAsAnInvalidPath) {
    const std::string target = at("no-such-folder\\MensoraRecord.xls");
    EXPECT_EQ(exportTo(target), target + " 中包含无效的路径。\n");
    EXPECT_EQ(listing(folder), "");
}

// ---- Where the autosave goes --------------------------------------------------------------

TEST_F(NativeRecordFilesWin32Test, AutosaveGoesBesideTheProgramWhenItMayElseToTheUsersAppData) {
    const std::string appData = applicationDataFolder();
    ASSERT_FALSE(appData.empty());
    const std::string userCopy = appData + "\\Mensora\\bak20261207.xls";
    const struct {
        const char* name;
        std::string executable;
        std::string expected;  // where the autosave lands
    } cases[] = {
        {"a writable folder", makeFolder("app") + "\\mensora.exe", at("app\\bak20261207.xls")},
        {"a Chinese folder", makeFolder("量具程序") + "\\mensora.exe",
         at("量具程序\\bak20261207.xls")},
        {"a folder that is gone", at("removed\\mensora.exe"), userCopy},
    };
    test::addThreeChineseRecords(store);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::error_code error;
        fs::remove(pathOf(userCopy), error);
        test::RelocatedExecutable relocated(c.executable);
        RecordFiles autosaving(state, store, window, timers, clock, relocated);
        window.messages.clear();
        state.recordsDirty = true;
        autosaving.autosaveTick();
        EXPECT_TRUE(window.messages.empty());
        EXPECT_EQ(readFile(c.expected), test::kChineseHeaderBytes + test::kChineseRecordLines);
    }
    std::error_code error;
    fs::remove(pathOf(userCopy), error);
    EXPECT_EQ(listing(folder), "app;量具程序;");
}

TEST_F(NativeRecordFilesWin32Test, ARunningProgramKeepsItsAutosaveNameUntilItIsKilled) {
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

TEST_F(NativeRecordFilesWin32Test, TheExecutableFolderIsWhereThisProgramLies) {
    const std::string executable = native.executablePath();
    const std::string folderOfExecutable = executableDirectory(executable);
    ASSERT_FALSE(folderOfExecutable.empty());
    EXPECT_EQ(folderOfExecutable.back(), '\\');
    EXPECT_EQ(executable, folderOfExecutable + "win32_record_files.exe");
    EXPECT_TRUE(fs::is_regular_file(pathOf(executable)));
    EXPECT_TRUE(native.mayCreateFilesIn(folder));
    EXPECT_TRUE(native.mayCreateFilesIn(folder + "\\"));
    EXPECT_FALSE(native.mayCreateFilesIn(at("missing")));
    EXPECT_EQ(listing(folder), "");
}

}  // namespace
}  // namespace mensora
