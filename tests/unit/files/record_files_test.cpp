// The Save button, the autosave switch and the autosave tick under virtual time, with the
// files in memory: what lands where, when, and what the user is told when it cannot.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/control_ids.h"
#include "base/timer_ids.h"
#include "base/timers.h"
#include "dialog/data_exchange.h"
#include "files/record_file_paths.h"
#include "files/record_files.h"
#include "link/fixed_port_names.h"
#include "measure/record_store.h"
#include "protocol/gauge_link.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_serial.h"
#include "tests/support/fake_settings.h"
#include "tests/support/fake_sound.h"
#include "tests/support/fake_window.h"
#include "tests/support/virtual_clock.h"
#include "tests/unit/files/sample_records.h"

namespace mensora {
namespace {

constexpr const char* kExportPath = "/home/bench/records/MensoraRecord.xls";
constexpr const char* kTodaysAutosave = "/opt/mensora/bin/bak20261207.xls";

class RecordFilesTest : public ::testing::Test {
protected:
    RecordFilesTest() {
        clock.setTickHandler([this](int id) {
            if (id == AutosaveTimer) files.autosaveTick();
            if (id == LinkWatchdogTimer) ++watchdogExpiries;
        });
    }

    // A record as the recorder makes it: stored, marked for the autosave, counted as unsaved.
    void record() {
        test::addRecord(store, "000001", "1.000   ", "   0.000", test::kGbkOk,
                        "2026-12-07; 09:00:00");
        state.recordsDirty = true;
        ++state.unsavedRecords;
    }
    void checkAutosave(bool on) {
        window.setChecked(AutosaveCheck, on);
        files.onAutosaveSwitch();
    }
    void connectGauge() {
        state.linkConnected = true;
        link.restartWatchdog();
    }

    test::VirtualClock clock;
    Timers timers{clock};
    test::FakeWindow window;
    test::FakeFileSystem fileSystem;
    AcquisitionState state;
    RecordStore store;
    // The real link's watchdog, told of the files' long waits as the dialog tells it.
    DataExchange exchange{state, window};
    test::FakeSerial serial;
    FixedPortNames portNames;
    test::FakeSettings settings;
    test::FakeSound sound;
    GaugeLink link{{state, window, timers, exchange},
                   serial,
                   portNames,
                   settings,
                   sound,
                   LinkEvents{[] {}, [](ProtocolKind) {}, [] {}}};
    RecordFiles files{
        state,
        store,
        window,
        timers,
        clock,
        fileSystem,
        RecordFileEvents{[this] { link.pauseWatchdog(); }, [this] { link.resumeWatchdog(); }}};
    int watchdogExpiries = 0;
};

// ---- Export -----------------------------------------------------------------------------

TEST_F(RecordFilesTest, ExportOffersTheRecordFileNameAndWritesEveryRecordToTheChosenPath) {
    test::addThreeChineseRecords(store);
    window.savePathAnswer = kExportPath;
    files.exportRecords();

    ASSERT_EQ(window.saveDialogs.size(), 1u);
    EXPECT_EQ(window.saveDialogs[0].offeredName, "MensoraRecord.xls");
    EXPECT_EQ(window.saveDialogs[0].fileTypes,
              (std::vector<std::string>{"Worksheet Files (*.xls)", "Excel 工作簿 (*.xlsx)"}));
    EXPECT_EQ(fileSystem.files.at(kExportPath),
              test::kChineseHeaderBytes + test::kChineseRecordLines);
    EXPECT_EQ(store.count(), 3u);
}

TEST_F(RecordFilesTest, ExportReportsSuccessInTheInterfaceLanguage) {
    const struct {
        std::int32_t language;
        const char* message;
    } cases[] = {{1, "数据导到表格成功!"}, {2, "Data import to table succeeded!"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        window.messages.clear();
        state.storedLanguage = c.language;
        window.savePathAnswer = kExportPath;
        files.exportRecords();
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(window.messages[0].text, c.message);
        EXPECT_EQ(window.messages[0].icon, MessageIcon::Exclamation);
    }
}

TEST_F(RecordFilesTest, ExportWithNoRecordsWritesTheHeaderAloneAndStillReportsSuccess) {
    state.storedLanguage = 2;
    window.savePathAnswer = kExportPath;
    files.exportRecords();
    EXPECT_EQ(fileSystem.files.at(kExportPath), test::kEnglishHeaderBytes);
    EXPECT_EQ(window.messageTexts(), std::vector<std::string>{"Data import to table succeeded!"});
}

TEST_F(RecordFilesTest, ExportOntoAnExistingFileReplacesItsContentInsteadOfAppending) {
    fileSystem.files[kExportPath] = "an older, longer export that must not survive in part\n";
    test::addThreeEnglishRecords(store);
    state.storedLanguage = 2;
    window.savePathAnswer = kExportPath;
    files.exportRecords();
    EXPECT_EQ(fileSystem.files.at(kExportPath),
              test::kEnglishHeaderBytes + test::kEnglishRecordLines);
}

TEST_F(RecordFilesTest, CancellingTheSaveDialogTouchesNothingAndLeavesTheWatchdogKilled) {
    // The dialog stopped the watchdog; if the gauge then stays silent, no "disconnected" box
    // may pop up over the bench.
    connectGauge();
    record();
    window.savePathAnswer = std::nullopt;
    files.exportRecords();
    clock.advance(20000);

    EXPECT_TRUE(fileSystem.createdPaths.empty());
    EXPECT_TRUE(window.messages.empty());
    EXPECT_FALSE(clock.isArmed(LinkWatchdogTimer));
    EXPECT_EQ(watchdogExpiries, 0);
    EXPECT_EQ(state.unsavedRecords, 1u);
}

TEST_F(RecordFilesTest, ExportKillsTheWatchdogAndNothingRearmsIt) {
    connectGauge();
    window.savePathAnswer = kExportPath;
    files.exportRecords();
    EXPECT_FALSE(clock.isArmed(LinkWatchdogTimer));
    EXPECT_EQ(clock.killLog(), std::vector<int>{LinkWatchdogTimer});
}

TEST_F(RecordFilesTest, ASuccessfulExportLeavesNoUnsavedRecordsButCountsOnesMadeDuringTheMessage) {
    record();
    record();
    window.savePathAnswer = kExportPath;
    // Automatic recording goes on while the success box is open.
    window.onMessage = [this] { record(); };
    files.exportRecords();
    EXPECT_EQ(state.unsavedRecords, 1u);
}

TEST_F(RecordFilesTest, ExportLeavesTheAutosaveFlagAlone) {
    record();
    window.savePathAnswer = kExportPath;
    files.exportRecords();
    EXPECT_TRUE(state.recordsDirty);
}

// ---- Failures ---------------------------------------------------------------------------

TEST_F(RecordFilesTest, EachCauseOfAFailedCreateIsReportedWithItsTextAndTheStopIcon) {
    const struct {
        FileFailure cause;
        const char* message;
    } cases[] = {
        {FileFailure::Unknown,
         "在对 /home/bench/records/MensoraRecord.xls 进行访问时发生了一个不明错误。"},
        {FileFailure::NotFound, "没有找到 /home/bench/records/MensoraRecord.xls。"},
        {FileFailure::InvalidPath, "/home/bench/records/MensoraRecord.xls 中包含无效的路径。"},
        {FileFailure::TooManyOpenFiles,
         "无法打开 /home/bench/records/MensoraRecord.xls 因为太多文件已被打开。"},
        {FileFailure::AccessDenied, "对 /home/bench/records/MensoraRecord.xls 的存取被拒绝。"},
        {FileFailure::InvalidHandle,
         "一个无效的文件柄与 /home/bench/records/MensoraRecord.xls 相关联。"},
        {FileFailure::DirectoryFull,
         "该目录已满，无法创建 /home/bench/records/MensoraRecord.xls。"},
        {FileFailure::HardwareIo,
         "在存取 /home/bench/records/MensoraRecord.xls 时一个硬件输入/输出错误被报告。"},
        {FileFailure::SharingViolation,
         "在存取 /home/bench/records/MensoraRecord.xls 时发生共享违例。"},
        {FileFailure::LockViolation, "在存取 /home/bench/records/MensoraRecord.xls 时发生锁违例。"},
        {FileFailure::DiskFull, "在存取 /home/bench/records/MensoraRecord.xls 时磁盘已满。"},
        {FileFailure::SeekFault, "对 /home/bench/records/MensoraRecord.xls 进行查找失败。"},
    };
    state.storedLanguage = 2;  // the causes are told in Chinese whatever the interface language
    window.savePathAnswer = kExportPath;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        window.messages.clear();
        fileSystem.failCreate = c.cause;
        files.exportRecords();
        ASSERT_EQ(window.messages.size(), 1u);  // and no success message after it
        EXPECT_EQ(window.messages[0].text, c.message);
        EXPECT_EQ(window.messages[0].icon, MessageIcon::Stop);
    }
}

TEST_F(RecordFilesTest, AFailedWriteNamesTheFileAndAFailedCloseNamesNone) {
    const struct {
        const char* stage;
        std::optional<test::FakeFileSystem::WriteFailure> failWrite;
        std::optional<RecordFileFailure> failCommit;
        const char* message;
    } cases[] = {
        {"write", test::FakeFileSystem::WriteFailure{40, FileFailure::DiskFull}, std::nullopt,
         "在存取 /home/bench/records/MensoraRecord.xls 时磁盘已满。"},
        // A full disk often shows only when the data is made durable, before the closing.
        {"flush", std::nullopt, RecordFileFailure{FileFailure::DiskFull, false},
         "在存取 /home/bench/records/MensoraRecord.xls 时磁盘已满。"},
        {"close", std::nullopt, RecordFileFailure{FileFailure::HardwareIo, true},
         "在存取 一未命名文件 时一个硬件输入/输出错误被报告。"},
    };
    test::addThreeChineseRecords(store);
    window.savePathAnswer = kExportPath;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stage);
        window.messages.clear();
        fileSystem.failWrite = c.failWrite;
        fileSystem.failCommit = c.failCommit;
        files.exportRecords();
        ASSERT_EQ(window.messages.size(), 1u);
        EXPECT_EQ(window.messages[0].text, c.message);
        EXPECT_EQ(window.messages[0].icon, MessageIcon::Stop);
    }
}

TEST_F(RecordFilesTest, AFailedExportKeepsThePreviousFileTheRecordsAndTheUnsavedCount) {
    const std::string previous = "000001\tprevious good export\t\n";
    fileSystem.files[kExportPath] = previous;
    record();
    record();
    fileSystem.failWrite = test::FakeFileSystem::WriteFailure{30, FileFailure::DiskFull};
    window.savePathAnswer = kExportPath;
    files.exportRecords();

    EXPECT_EQ(fileSystem.files.at(kExportPath), previous);
    EXPECT_EQ(store.count(), 2u);
    EXPECT_EQ(state.unsavedRecords, 2u);
    EXPECT_TRUE(state.recordsDirty);
}

TEST_F(RecordFilesTest, TheFileIsClosedBeforeAnyMessageBoxOpens) {
    // Timers tick inside the box; an autosave there must find the file free.
    std::vector<int> openWhileShown;
    window.onMessage = [&] { openWhileShown.push_back(fileSystem.openFiles); };
    window.savePathAnswer = kExportPath;
    files.exportRecords();  // success box
    fileSystem.failWrite = test::FakeFileSystem::WriteFailure{10, FileFailure::DiskFull};
    files.exportRecords();  // failure box
    EXPECT_EQ(openWhileShown, (std::vector<int>{0, 0}));
}

// ---- Autosave switch --------------------------------------------------------------------

TEST_F(RecordFilesTest, CheckingTheBoxArmsAMinuteAndUncheckingStopsTheAutosave) {
    checkAutosave(true);
    ASSERT_TRUE(clock.isArmed(AutosaveTimer));
    EXPECT_EQ(clock.periodOf(AutosaveTimer), 60000u);
    checkAutosave(false);
    EXPECT_FALSE(clock.isArmed(AutosaveTimer));
    record();
    clock.advance(180000);
    EXPECT_TRUE(fileSystem.createdPaths.empty());
}

TEST_F(RecordFilesTest, CheckUncheckCheckStartsTheFullMinuteFromTheLastCheck) {
    record();
    checkAutosave(true);
    clock.advance(20000);
    checkAutosave(false);
    clock.advance(10000);
    checkAutosave(true);  // at 30 s
    clock.advance(59999);
    EXPECT_TRUE(fileSystem.createdPaths.empty());
    clock.advance(1);
    EXPECT_EQ(fileSystem.createdPaths, std::vector<std::string>{kTodaysAutosave});
}

// ---- Autosave tick ----------------------------------------------------------------------

TEST_F(RecordFilesTest, ATickWithNewRecordsWritesTheDaysFileBesideTheExecutableQuietly) {
    test::addThreeChineseRecords(store);
    state.recordsDirty = true;
    state.unsavedRecords = 3;
    checkAutosave(true);
    clock.advance(60000);

    EXPECT_EQ(fileSystem.files.at(kTodaysAutosave),
              test::kChineseHeaderBytes + test::kChineseRecordLines);
    EXPECT_FALSE(state.recordsDirty);
    EXPECT_EQ(state.unsavedRecords, 0u);
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(RecordFilesTest, ATickWithoutNewRecordsWritesNothing) {
    test::addThreeChineseRecords(store);
    checkAutosave(true);
    clock.advance(180000);
    EXPECT_TRUE(fileSystem.createdPaths.empty());
}

TEST_F(RecordFilesTest, TwoAutosavesOnOneDayReplaceTheSameFile) {
    checkAutosave(true);
    record();
    clock.advance(60000);
    record();
    record();
    clock.advance(60000);

    EXPECT_EQ(fileSystem.createdPaths,
              (std::vector<std::string>{kTodaysAutosave, kTodaysAutosave}));
    ASSERT_EQ(fileSystem.files.size(), 1u);
    EXPECT_EQ(fileSystem.files.at(kTodaysAutosave).size(), 28u + 3u * 52u);
}

TEST_F(RecordFilesTest, RecordsAddedThenClearedBeforeTheTickLeaveTheHeaderAlone) {
    checkAutosave(true);
    record();
    clock.advance(60000);
    record();
    store.empty();  // Clear keeps the flag: the day's file must not keep the cleared records
    clock.advance(60000);
    EXPECT_EQ(fileSystem.files.at(kTodaysAutosave), test::kChineseHeaderBytes);
}

TEST_F(RecordFilesTest, TheFirstTickAfterMidnightStartsTheNewDaysFileWithEveryRecord) {
    clock.setLocalStart({2026, 12, 31, 23, 59, 30});
    checkAutosave(true);
    record();
    clock.advance(20000);
    record();              // 23:59:50
    clock.advance(40000);  // tick at 00:00:30 on New Year's Day

    EXPECT_EQ(fileSystem.createdPaths,
              std::vector<std::string>{"/opt/mensora/bin/bak20270101.xls"});
    EXPECT_EQ(fileSystem.files.at("/opt/mensora/bin/bak20270101.xls").size(), 28u + 2u * 52u);
}

TEST_F(RecordFilesTest, TheAutosaveNameCarriesTheLocalDateZeroFilled) {
    const struct {
        LocalDateTime date;
        const char* name;
    } cases[] = {
        {{2026, 12, 7, 9, 0, 0}, "bak20261207.xls"},
        {{2024, 2, 29, 23, 59, 59}, "bak20240229.xls"},
        {{2031, 1, 5, 0, 0, 0}, "bak20310105.xls"},
        {{2099, 10, 31, 12, 0, 0}, "bak20991031.xls"},
    };
    for (const auto& c : cases) EXPECT_EQ(autosaveFileName(c.date), c.name);
}

TEST_F(RecordFilesTest, TheAutosaveGivesTheWatchdogAFullPeriodAfterTheWrite) {
    // Writing a large store takes a while; a gauge that kept sending meanwhile must not be
    // reported lost just because the write ate into its watchdog period.
    checkAutosave(true);
    record();
    clock.advance(58000);
    connectGauge();       // the watchdog would expire at 63 s
    clock.advance(2000);  // the autosave at 60 s
    ASSERT_TRUE(clock.isArmed(LinkWatchdogTimer));
    EXPECT_EQ(clock.periodOf(LinkWatchdogTimer), 5000u);
    EXPECT_EQ(clock.dueIn(LinkWatchdogTimer), 5000u);
    EXPECT_EQ(watchdogExpiries, 0);
}

TEST_F(RecordFilesTest, WithoutAGaugeTheAutosaveLeavesTheWatchdogAlone) {
    checkAutosave(true);
    record();
    clock.clearLogs();
    clock.advance(60000);
    EXPECT_TRUE(clock.killLog().empty());
    EXPECT_TRUE(clock.armLog().empty());
    EXPECT_EQ(fileSystem.files.count(kTodaysAutosave), 1u);
}

TEST_F(RecordFilesTest, AFailedAutosaveIsReportedOnceAndNeitherRetriesNorRearmsTheWatchdog) {
    connectGauge();
    checkAutosave(true);
    record();
    fileSystem.failCreate = FileFailure::SharingViolation;
    clock.advance(60000);

    EXPECT_EQ(window.messageTexts(),
              std::vector<std::string>{"在存取 /opt/mensora/bin/bak20261207.xls 时发生共享违例。"});
    EXPECT_EQ(window.messages[0].icon, MessageIcon::Stop);
    EXPECT_FALSE(clock.isArmed(LinkWatchdogTimer));
    EXPECT_FALSE(state.recordsDirty);
    EXPECT_EQ(state.unsavedRecords, 1u);
    EXPECT_EQ(store.count(), 1u);

    clock.advance(120000);  // no new record: no second attempt, no second box
    EXPECT_EQ(fileSystem.createdPaths.size(), 1u);
    EXPECT_EQ(window.messages.size(), 1u);
}

// ---- Where the autosave goes ------------------------------------------------------------

TEST_F(RecordFilesTest, AnExecutableFolderTheProgramMayNotWriteSendsTheAutosaveToTheUsersFolder) {
    fileSystem.readOnlyFolders.insert("/opt/mensora/bin/");
    checkAutosave(true);
    record();
    clock.advance(60000);
    EXPECT_EQ(fileSystem.createdPaths,
              std::vector<std::string>{"/home/bench/.local/share/Mensora/bak20261207.xls"});
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(RecordFilesTest, AWritableExecutableFolderGetsTheAutosaveAndNoUserFolderIsMade) {
    checkAutosave(true);
    record();
    clock.advance(60000);
    EXPECT_EQ(fileSystem.createdPaths, std::vector<std::string>{kTodaysAutosave});
    EXPECT_EQ(fileSystem.userDataRequests, 0);
}

TEST_F(RecordFilesTest, WithoutAUserFolderTheAttemptBesideTheExecutableTellsWhyItFailed) {
    fileSystem.readOnlyFolders.insert("/opt/mensora/bin/");
    fileSystem.userData = std::nullopt;
    fileSystem.failCreate = FileFailure::AccessDenied;
    checkAutosave(true);
    record();
    clock.advance(60000);
    EXPECT_EQ(window.messageTexts(),
              std::vector<std::string>{"对 /opt/mensora/bin/bak20261207.xls 的存取被拒绝。"});
}

TEST_F(RecordFilesTest, TheExecutableFolderIsItsPathWithoutTheFileName) {
    const struct {
        const char* executable;
        const char* folder;
    } cases[] = {
        {"/opt/mensora/bin/mensora", "/opt/mensora/bin/"},
        {"/mensora", "/"},
        {"/opt/odd\\name/mensora", "/opt/odd\\name/"},  // a backslash is a name character here
        {"mensora", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(executableDirectory(c.executable), c.folder);
}

}  // namespace
}  // namespace mensora
