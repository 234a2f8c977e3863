// Saving a workbook: the bench goes on while it is written, and how the save ends decides what
// the user hears and what the chosen file holds. The work runs when the test lets it, so the
// records taken "during" the save are exact.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/control_ids.h"
#include "files/save_file_types.h"
#include "tests/support/dialog_rig.h"

namespace mensora {
namespace {

constexpr const char* kPath = "/data/shift1.xlsx";

TEST(WorkbookSave, EndsAsTheSaveGoesAndTheBenchGoesOnMeanwhile) {
    const struct {
        const char* name;
        std::optional<FileFailure> held;  // the chosen file cannot be had
        bool cancel;
        bool written;
        std::optional<std::string> message;
    } cases[] = {
        {"written", std::nullopt, false, true, "数据导到表格成功!"},
        {"cancelled", std::nullopt, true, false, std::nullopt},
        {"held by another program", FileFailure::SharingViolation, false, false,
         "在存取 /data/shift1.xlsx 时发生共享违例。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::DialogRig<> h;
        h.setJudging(2.0f, 0.5f, -0.5f);
        h.record(2.1f, "2.100", 3);
        h.record(2.7f, "2.700", 3);
        h.fileSystem.failCreate = c.held;
        h.window.savePathAnswer = kPath;
        h.window.fileTypeAnswer = static_cast<std::size_t>(SaveFileType::Workbook);
        h.click(SaveButton);
        ASSERT_TRUE(h.window.progressShown);
        EXPECT_EQ(h.window.progressShown->second, "取消");

        // While it is written: a record is taken, and Clear waits with a message.
        h.record(1.9f, "1.900", 3);
        h.click(ClearButton);
        EXPECT_EQ(h.store.count(), 3u);
        EXPECT_EQ(h.window.messageTexts().back(), "正在保存工作簿，请在保存结束后再清除记录。");
        h.window.messages.clear();
        if (c.cancel) h.click(kCancelSaveCommand);
        h.work.runAll();

        EXPECT_FALSE(h.window.progressShown);
        EXPECT_EQ(h.fileSystem.files.count(kPath), c.written ? 1u : 0u);
        if (c.written) {
            EXPECT_EQ(h.fileSystem.files.at(kPath).substr(0, 2), "PK");  // a zip package
            EXPECT_EQ(h.window.progress.back(), 90);
            EXPECT_EQ(h.state.unsavedRecords, 1u);  // the record taken during the save
        } else {
            EXPECT_EQ(h.state.unsavedRecords, 3u);
        }
        EXPECT_EQ(h.window.messages.empty() ? std::nullopt
                                            : std::optional(h.window.messageTexts().front()),
                  c.message);
        // Once it has ended, Clear clears.
        h.click(ClearButton);
        EXPECT_EQ(h.store.count(), 0u);
    }
}

// The parts sheet is the third sheet of the package; a save without a record taken with a plan
// must not gain it, whatever plan is in force by the time of the save.
TEST(WorkbookSave, APartsSheetOnlyWhenARecordOfTheSaveWasTakenWithAPlan) {
    const InspectionPlan shaft{"A-7",
                               "Shaft",
                               {{"1", "Bore", 2.0f, 0.5f, -0.5f, 0, "", 1, {}},
                                {"2", "Length", 2.0f, 0.5f, -0.5f, 0, "", 1, {}}}};
    const struct {
        const char* name;
        bool planWhileRecording;
        bool planAtSave;
        bool partsSheet;
    } cases[] = {
        {"no plan", false, false, false},
        {"records with a plan", true, true, true},
        {"a plan put in force after the records", false, true, false},
        {"the plan taken off before the save", true, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::DialogRig<> h;
        h.setJudging(2.0f, 0.5f, -0.5f);
        if (c.planWhileRecording) h.dialog.plan().putInForce(shaft);
        h.record(2.1f, "2.100", 3);
        h.record(2.7f, "2.700", 3);
        h.record(1.9f, "1.900", 3);
        h.dialog.plan().putInForce(c.planAtSave ? std::optional(shaft) : std::nullopt);
        h.window.savePathAnswer = kPath;
        h.window.fileTypeAnswer = static_cast<std::size_t>(SaveFileType::Workbook);
        h.click(SaveButton);
        h.work.runAll();
        ASSERT_EQ(h.fileSystem.files.count(kPath), 1u);
        // The package names its parts in the clear.
        const std::string& bytes = h.fileSystem.files.at(kPath);
        EXPECT_EQ(bytes.find("xl/worksheets/sheet3.xml") != std::string::npos, c.partsSheet);
    }
}

TEST(WorkbookSave, TheNameDecidesTheTypeAndABareNameTakesTheTypeShowing) {
    const struct {
        const char* path;
        SaveFileType showing;
        SaveFileType written;
    } cases[] = {
        {"a.xlsx", SaveFileType::RecordFile, SaveFileType::Workbook},
        {"a.XLSX", SaveFileType::RecordFile, SaveFileType::Workbook},
        {"a.xls", SaveFileType::Workbook, SaveFileType::RecordFile},
        {"a", SaveFileType::Workbook, SaveFileType::Workbook},
        {"a", SaveFileType::RecordFile, SaveFileType::RecordFile},
        {"a.txt", SaveFileType::Workbook, SaveFileType::Workbook},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(saveFileTypeOf(c.path, static_cast<std::size_t>(c.showing)), c.written) << c.path;
    }
}

}  // namespace
}  // namespace mensora
