// A workbook saved from the real program: records made by the virtual gauge's data key under a
// part and lot put in force through the Part and lot window, the lot changed between them, Save
// with the workbook's type showing and a bare name, the workbook written by the program's own
// work queue while its window goes on, and the file read back by an independent reader.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>

#include "base/control_ids.h"
#include "base/texts.h"
#include "files/save_file_types.h"
#include "tests/integration/file_name_typing.h"
#include "tests/integration/e2e_support.h"
#include "tools/tour/run_events_until.h"
#include "ui/mensora_program.h"

namespace mensora {
namespace {

using namespace std::chrono_literals;

// What the independent reader sees: the records sheet's rows, the type of the first record's
// value cell and of its time cell, and each record's part and lot.
QString readBack(const QString& path, const char* sheet) {
    QProcess reader;
    reader.start(
        "/usr/bin/python3",
        {"-c",
         "import openpyxl, sys\n"
         "rows = "
         "list(openpyxl.load_workbook(sys.argv[1])[sys.argv[2]].iter_rows(values_only=True))\n"
         "print(len(rows) - 1, type(rows[1][1]).__name__, type(rows[1][4]).__name__,\n"
         "      *(f'{row[5]}/{row[7]}' for row in rows[1:]))",
         path, QString::fromUtf8(sheet)});
    reader.waitForFinished(60000);
    return QString::fromUtf8(reader.readAllStandardOutput()).trimmed() +
           QString::fromUtf8(reader.readAllStandardError());
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
    {
        QSettings bench(QSettings::NativeFormat, QSettings::UserScope, "Mensora",
                        test::applicationName());
        bench.setValue("Settings/Language", GetParam());
        bench.setValue("Settings/ComID", 3);
        bench.setValue("Settings/Baudrate", 9600);
        bench.setValue("Ports/COM3", gauge.device());
        bench.sync();
    }
    test::MessageBoxWatch boxes;
    MensoraProgram program;
    program.window().show();
    const auto click = [&program](int id) {
        qobject_cast<QAbstractButton*>(program.window().control(id))->click();
    };
    click(ConnectButton);
    ASSERT_TRUE(runEventsUntil([&] { return program.dialog().state().linkConnected != 0; }, 10s));
    const auto recordUpTo = [&](std::uint32_t records) {
        gauge.pressUntil([&] { return program.store().count(); }, records);
        ASSERT_EQ(program.store().count(), records);
    };
    putInForce(program, "A-100", "L1");
    recordUpTo(1);
    putInForce(program, "A-100", "L2");
    recordUpTo(3);

    // The workbook's type chosen and a name typed without an extension.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        answer.stop();
        const QString workbook = QString::fromUtf8(pick(kWorkbookFilter, language));
        dialog->selectNameFilter(workbook);
        emit dialog->filterSelected(workbook);
        test::typeFileName(*dialog, folder.filePath("shift1"));
        QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
    });
    answer.start(10);
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
