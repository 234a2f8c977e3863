// An earlier run saved as a workbook from the real program: records taken by the virtual
// gauge's data key and the program ended with them unsaved; at the next start the run chosen
// in the Earlier runs window opened from its menu item and saved as a workbook through Save as,
// written away from the window while it goes on, and read back by an independent reader.

#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "base/control_ids.h"
#include "base/texts.h"
#include "dialog/runs_texts.h"
#include "tests/integration/e2e_support.h"
#include "tests/integration/file_name_typing.h"
#include "tests/integration/next_modal.h"
#include "tests/integration/workbook_reader.h"
#include "tools/tour/run_events_until.h"
#include "ui/mensora_program.h"

namespace mensora {
namespace {

using namespace std::chrono_literals;

// The readings the gauge sends for the three records, as the window shows them.
const std::vector<std::string> kReadings{"12.345", "12.351", "12.338"};

struct Bench {
    const char* name;
    std::int32_t storedLanguage;
    const char* countLabel;  // the summary's label of the records' count
    // What the reader prints: the sheets, the records sheet's rows below its heading, the
    // summary's count, then each record's value cell as its type and number.
    const char* readBack;
};

// The summary's count is found by its label, argv[2].
const char* const kReadBack =
    "import openpyxl, sys\n"
    "book = openpyxl.load_workbook(sys.argv[1])\n"
    "rows = list(book.worksheets[0].iter_rows(min_row=2, values_only=True))\n"
    "summary = {row[0]: row[1] for row in book.worksheets[-1].iter_rows(values_only=True)}\n"
    "print(*book.sheetnames, len(rows), summary[sys.argv[2]],\n"
    "      *(f'{type(row[1]).__name__}:{row[1]}' for row in rows))";

class EarlierRunWorkbook : public ::testing::TestWithParam<Bench> {};

TEST_P(EarlierRunWorkbook,
       ARunEndedUnsavedIsSavedFromEarlierRunsAsAWorkbookThatAnIndependentReaderOpens) {
    const Language language = languageOf(GetParam().storedLanguage);
    QTemporaryDir folder;
    test::freshDataFolder();
    test::VirtualGauge gauge(
        {"--quiet", "--protocol", "ascii", "--value", "12.345", "--wander", "0", "--rate", "8"});
    test::storeBench(gauge, GetParam().storedLanguage);

    // The first run: three readings recorded, none saved, and the program ended.
    {
        test::MessageBoxWatch boxes;
        MensoraProgram program;
        program.window().show();
        ASSERT_TRUE(test::connectGauge(program));
        for (std::uint32_t taken = 0; taken < kReadings.size(); ++taken) {
            gauge.type("v " + kReadings[taken]);
            ASSERT_TRUE(runEventsUntil(
                [&] {
                    return QString::fromStdString(program.window().text(LiveValue)).trimmed() ==
                           QString::fromStdString(kReadings[taken]);
                },
                10s));
            gauge.pressUntil([&] { return program.store().count(); }, taken + 1);
            ASSERT_EQ(program.store().count(), taken + 1);
        }
        EXPECT_EQ(boxes.shown(), std::vector<std::string>{});
    }

    // The next run starts on an empty list: those records are an earlier run.
    MensoraProgram program;
    program.window().show();
    EXPECT_EQ(program.store().count(), 0u);

    // Earlier runs from its menu item: the run chosen and saved as a workbook while the window
    // waits for nothing.
    test::MessageBoxWatch boxes;
    const std::string done = pick(texts::kExportSucceeded, language);
    std::vector<std::string> lines;
    bool progressShownAfter = true;
    const test::NextModal runs([&](QWidget* window) {
        auto* list = window->findChild<QListWidget*>(controlName(kRunsList));
        ASSERT_NE(list, nullptr);
        ASSERT_TRUE(runEventsUntil([&] { return list->isEnabled(); }, 10s));
        for (int row = 0; row < list->count(); ++row) {
            lines.push_back(list->item(row)->text().toStdString());
        }
        list->setCurrentRow(0);  // the one run the journal holds
        const test::WorkbookSaveAnswer answer(language, folder.filePath("earlier.xlsx"));
        QMetaObject::invokeMethod(window->findChild<QPushButton*>(controlName(kRunsSaveButton)),
                                  "click", Qt::QueuedConnection);
        runEventsUntil([&] { return !boxes.shown().empty() && boxes.shown().back() == done; }, 60s);
        progressShownAfter = program.window().findChild<QWidget*>("save-progress")->isVisible();
        window->findChild<QPushButton*>(controlName(kRunsCloseButton))->click();
    });
    program.window().findChild<QAction*>("action-runs")->trigger();
    ASSERT_EQ(runs.seen(), 1);
    ASSERT_EQ(lines.size(), 1u);
    const std::string counted =
        std::to_string(kReadings.size()) + pick(runs_texts::kRecords, language);
    EXPECT_NE(lines[0].find(counted), std::string::npos) << lines[0];
    EXPECT_EQ(lines[0].find(pick(runs_texts::kInList, language)), std::string::npos) << lines[0];
    EXPECT_EQ(boxes.shown(), std::vector<std::string>{done});
    EXPECT_FALSE(progressShownAfter);

    EXPECT_EQ(test::readWorkbook(folder.filePath("earlier.xlsx"), kReadBack,
                                 {QString::fromUtf8(GetParam().countLabel)})
                  .toStdString(),
              GetParam().readBack);
}

INSTANTIATE_TEST_SUITE_P(
    BothLanguages, EarlierRunWorkbook,
    ::testing::Values(Bench{"Chinese", kStoredChinese, "记录数 n",
                            "测量记录 汇总 3 3 float:12.345 float:12.351 float:12.338"},
                      Bench{"English", kStoredEnglish, "Records n",
                            "Records Summary 3 3 float:12.345 float:12.351 float:12.338"}),
    [](const ::testing::TestParamInfo<Bench>& bench) { return bench.param.name; });

}  // namespace
}  // namespace mensora
