// A workbook saved from the real program: records made by the virtual gauge's data key under a
// part and lot put in force through the Part and lot window, the lot changed between them, Save
// with the workbook's type showing and a bare name, the workbook written by the program's own
// work queue while its window goes on, and the file read back by an independent reader.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>

#include "base/control_ids.h"
#include "base/texts.h"
#include "tests/integration/file_name_typing.h"
#include "tests/integration/e2e_support.h"
#include "tests/integration/workbook_reader.h"
#include "tools/tour/run_events_until.h"
#include "ui/mensora_program.h"

namespace mensora {
namespace {

using namespace std::chrono_literals;

// What the independent reader sees: the records sheet's rows, the type of the first record's
// value cell and of its time cell, and each record's part and lot.
QString readBack(const QString& path, const char* sheet) {
    return test::readWorkbook(
        path,
        "import openpyxl, sys\n"
        "rows = "
        "list(openpyxl.load_workbook(sys.argv[1])[sys.argv[2]].iter_rows(values_only=True))\n"
        "print(len(rows) - 1, type(rows[1][1]).__name__, type(rows[1][4]).__name__,\n"
        "      *(f'{row[5]}/{row[7]}' for row in rows[1:]))",
        {QString::fromUtf8(sheet)});
}

// Puts a part and lot in force through the Part and lot window, as an operator does.
void putInForce(MensoraProgram& program, const char* part, const char* lot) {
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* trace = QApplication::activeModalWidget();
        if (trace == nullptr || trace->objectName() != "trace") return;
        answer.stop();
        trace->findChild<QLineEdit*>("trace-part")->setText(QString::fromUtf8(part));
        trace->findChild<QLineEdit*>("trace-lot")->setText(QString::fromUtf8(lot));
        trace->findChild<QPushButton*>("trace-ok")->click();
    });
    answer.start(10);
    program.window().findChild<QAction*>("action-trace")->trigger();
}

class WorkbookSave : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(WorkbookSave, RecordsOfTheDataKeyAreSavedAsAWorkbookThatAnIndependentReaderOpens) {
    const Language language = languageOf(GetParam());
    QTemporaryDir folder;
    test::VirtualGauge gauge(
        {"--quiet", "--protocol", "ascii", "--value", "12.345", "--wander", "0", "--rate", "8"});
    test::storeBench(gauge, GetParam());
    test::MessageBoxWatch boxes;
    MensoraProgram program;
    program.window().show();
    const auto click = [&program](int id) {
        qobject_cast<QAbstractButton*>(program.window().control(id))->click();
    };
    ASSERT_TRUE(test::connectGauge(program));
    const auto recordUpTo = [&](std::uint32_t records) {
        gauge.pressUntil([&] { return program.store().count(); }, records);
        ASSERT_EQ(program.store().count(), records);
    };
    putInForce(program, "A-100", "L1");
    recordUpTo(1);
    putInForce(program, "A-100", "L2");
    recordUpTo(3);

    // The workbook's type chosen and a name typed without an extension.
    const test::WorkbookSaveAnswer answer(language, folder.filePath("shift1"));
    click(SaveButton);
    const std::string done = pick(texts::kExportSucceeded, language);
    ASSERT_TRUE(runEventsUntil(
        [&] { return !boxes.shown().empty() && boxes.shown().back() == done; }, 60s));
    const auto* progress = program.window().findChild<QWidget*>("save-progress");
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(progress->isVisible());

    const char* sheet = language == Language::English ? "Records" : "测量记录";
    EXPECT_EQ(readBack(folder.filePath("shift1.xlsx"), sheet),
              "3 float datetime A-100/L1 A-100/L2 A-100/L2");
    click(ConnectButton);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, WorkbookSave,
                         ::testing::Values(kStoredChinese, kStoredEnglish));

}  // namespace
}  // namespace mensora
