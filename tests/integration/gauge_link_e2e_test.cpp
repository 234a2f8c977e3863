// The whole road from a gauge to the window: the real window offscreen with its real timers,
// serial port and settings, and the virtual gauge on a pseudo-terminal that the user has mapped
// to a port name. Nothing here is faked.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/control_ids.h"
#include "base/number_text.h"
#include "base/texts.h"
#include "charts/chart_texts.h"
#include "charts/figure_text.h"
#include "dialog/alarm_texts.h"
#include "dialog/plan_texts.h"
#include "tests/support/sample_study.h"
#include "tests/integration/e2e_support.h"
#include "tests/integration/file_name_typing.h"
#include "tests/integration/next_modal.h"
#include "ui/mensora_program.h"
#include "tools/tour/run_events_until.h"

namespace mensora {
namespace {

using namespace std::chrono_literals;

// Long enough for a discovery (1.5 s at 9600, then 0.36 s at 4800) on a busy machine.
constexpr std::chrono::milliseconds kPatience = 10s;

// Lets the window's timers and the gauge run until done says so; false when patience ran out.
bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds patience = kPatience) {
    return runEventsUntil(done, patience);
}

// The program as the application puts it together, on the test's QApplication.
struct Program {
    MensoraProgram program;
    MainWindow& window = program.window();

    Program() { window.show(); }

    const AcquisitionState& state() const { return program.dialog().state(); }
    std::string text(int id) const { return window.text(id); }
    bool enabled(int id) const { return window.control(id)->isEnabled(); }
    void click(int id) { qobject_cast<QAbstractButton*>(window.control(id))->click(); }
    // The rows on screen once the records that came within the frame are shown.
    int listRows() const {
        window.showFrameNow();
        return qobject_cast<QTableView*>(window.control(RecordList))->model()->rowCount();
    }
    const char* caption(const Bilingual& text) const { return pick(text, state().language()); }
};

using test::applicationName;
using test::MessageBoxWatch;
using test::NextModal;
using test::VirtualGauge;

// A bench as the worked discovery describes it: the gauge was last seen on COM7, which is gone;
// COM1 and COM2 lead nowhere; the packed-decimal gauge (4800 baud) now sits on COM3.
TEST(GaugeLink, ConnectFindsTheGaugeOnAMappedPortAndItsReadingsKeyAndZeroReachTheWindow) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    // The settings file is the test's own, never the user's (read at the first QSettings).
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());

    VirtualGauge gauge(
        {"--quiet", "--protocol", "bcd", "--value", "12.345", "--wander", "0", "--rate", "8"});
    ASSERT_TRUE(gauge.device().startsWith("/dev/")) << gauge.device().toStdString();
    {
        QSettings bench(QSettings::NativeFormat, QSettings::UserScope, "Mensora",
                        applicationName());
        bench.setValue("Settings/ComID", 7);
        bench.setValue("Settings/Baudrate", 9600);
        for (const char* absent : {"COM1", "COM2", "COM7"}) {
            bench.setValue(QString("Ports/") + absent, home.filePath(QString("no-") + absent));
        }
        bench.setValue("Ports/COM3", gauge.device());
        bench.sync();
        ASSERT_TRUE(bench.fileName().startsWith(home.path())) << bench.fileName().toStdString();
    }

    MessageBoxWatch boxes;
    Program program;
    ASSERT_FALSE(program.enabled(ZeroButton));

    // Connect: COM7 fails, COM1 and COM2 fail, COM3 at 9600 hears only noise, COM3 at 4800
    // hears the gauge.
    program.click(ConnectButton);
    ASSERT_TRUE(runUntil([&] { return program.state().linkConnected; })) << "no link";
    EXPECT_EQ(program.state().portIndex, 3u);
    EXPECT_EQ(program.state().protocolKind, ProtocolKind::Bcd);
    EXPECT_EQ(program.text(ConnectButton), program.caption(texts::kDisconnectBcdCaption));
    EXPECT_TRUE(program.enabled(ZeroButton));
    EXPECT_TRUE(program.enabled(ManualButton));
    EXPECT_EQ(program.program.settings().get("ComID", 0), 3);
    EXPECT_EQ(program.program.settings().get("Baudrate", 0), 4800);

    // AA 50 34 12 00: the live field shows the reading with the blanks of the packed layout.
    EXPECT_TRUE(runUntil([&] { return program.text(LiveValue) == " 12.345 "; }))
        << program.text(LiveValue);
    EXPECT_EQ(program.text(StatusField), "AA");

    // The gauge's data key records the reading. A read that brings two frames decodes only the
    // first, so a key frame that arrives second is lost as it is with a real gauge: press
    // again then, as the user would.
    for (int press = 0; press < 3 && program.program.store().count() == 0; ++press) {
        gauge.pressDataKey();
        runUntil([&] { return program.program.store().count() != 0; }, 1500ms);
    }
    ASSERT_EQ(program.program.store().count(), 1u);
    EXPECT_EQ(program.program.store().valueField(0), " 12.345 ");
    EXPECT_EQ(program.listRows(), 1);

    // Zero: the command goes to the gauge, whose readings start from 0.
    program.click(ZeroButton);
    EXPECT_TRUE(runUntil([&] { return program.text(LiveValue) == " 0.000 "; }))
        << program.text(LiveValue);

    // Disconnect closes the port and leaves the records.
    program.click(ConnectButton);
    EXPECT_FALSE(program.state().linkConnected);
    EXPECT_FALSE(program.state().portOpen);
    EXPECT_EQ(program.text(ConnectButton), program.caption(texts::kConnectCaption));
    EXPECT_EQ(program.text(LiveValue), " ");
    EXPECT_FALSE(program.enabled(ZeroButton));
    EXPECT_EQ(program.listRows(), 1);

    // The next Connect finds the gauge at once on the port and rate it remembered.
    program.click(ConnectButton);
    ASSERT_TRUE(runUntil([&] { return program.state().linkConnected; })) << "no link";
    EXPECT_EQ(program.state().portIndex, 3u);
    EXPECT_EQ(program.state().scanPhase, ScanPhase::RememberedPortTried)
        << "the remembered port was not the one linked";
    EXPECT_TRUE(runUntil([&] { return program.text(LiveValue) == " 0.000 "; }));
    program.click(ConnectButton);

    EXPECT_EQ(boxes.shown(), std::vector<std::string>{});
    EXPECT_EQ(gauge.stop(), 0);
}

}  // namespace
}  // namespace mensora

namespace mensora {
namespace {

// The bench as the tests in both languages find it: the interface language, the gauge mapped
// to COM1 at 9600 baud, and the further `settings` of [Settings]. The settings file is the one
// QSettings settled on at its first use in this process: the test's own, never the user's.
QSettings::Status setUpBench(std::int32_t language, const QString& gauge,
                             const std::vector<std::pair<const char*, int>>& settings = {}) {
    QSettings bench(QSettings::NativeFormat, QSettings::UserScope, "Mensora", applicationName());
    bench.setValue("Settings/Language", language);
    bench.setValue("Settings/ComID", 1);
    bench.setValue("Settings/Baudrate", 9600);
    for (const auto& [key, value] : settings) bench.setValue(QString("Settings/") + key, value);
    bench.setValue("Ports/COM1", gauge);
    bench.sync();
    return bench.status();
}

// The quality charts follow the records however they are made, Manual, the gauge's data key
// or Auto, in the interface language the user chose, and forget them with Clear.
class ChartsFollowTheRecords : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(ChartsFollowTheRecords, ManualDataKeyAndAutoRecordsShowInTheChartsWindow) {
    const Language language = languageOf(GetParam());
    VirtualGauge gauge({"--quiet", "--protocol", "ascii", "--value", "12.345", "--wander", "0.015",
                        "--seed", "3", "--rate", "10"});
    ASSERT_TRUE(gauge.device().startsWith("/dev/")) << gauge.device().toStdString();
    ASSERT_EQ(setUpBench(GetParam(), gauge.device(),
                         {{"m_Text9", 12345},   // nominal 12.345
                          {"m_Text10", 20},     // +0.020
                          {"m_Text11", -20},    // -0.020
                          {"m_Text12", 200}}),  // Auto every 200 ms
              QSettings::NoError);

    MessageBoxWatch boxes;
    Program program;
    QAction* action = program.window.findChild<QAction*>("action-charts");
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text().toStdString(), pick(chart_texts::kWindowTitle, language));
    EXPECT_EQ(action->shortcut(), QKeySequence(Qt::Key_F3));
    // The list and the statistics tell where the charts are, with no button more.
    for (const int id : {RecordList, StatisticsGroup}) {
        const std::string tip = program.window.control(id)->toolTip().toStdString();
        EXPECT_NE(tip.find(std::string(pick(chart_texts::kWindowTitle, language)) + " (F3)"),
                  std::string::npos)
            << id << ": " << tip;
    }

    // F3 opens the charts beside the main window, empty.
    QApplication::setActiveWindow(&program.window);
    QTest::keyClick(&program.window, Qt::Key_F3);
    auto* charts = program.window.findChild<QWidget*>("charts");
    ASSERT_NE(charts, nullptr) << "F3 opened no charts window";
    EXPECT_TRUE(charts->isVisible());
    EXPECT_FALSE(charts->isModal());
    EXPECT_EQ(charts->windowTitle().toStdString(), pick(chart_texts::kWindowTitle, language));
    EXPECT_EQ(charts->findChild<QPushButton*>("charts-save")->text().toStdString(),
              pick(chart_texts::kSavePicture, language));
    auto figure = [&](const char* name) {
        const auto* label = charts->findChild<QLabel*>(name);
        return label == nullptr ? std::string("(no label)") : label->text().toStdString();
    };
    EXPECT_EQ(figure("charts-n"), "0");
    EXPECT_EQ(figure("charts-mean"), "—");

    program.click(ConnectButton);
    ASSERT_TRUE(runUntil([&] { return program.state().linkConnected; })) << "no link";
    const RecordStore& store = program.program.store();
    auto shows = [&](std::uint32_t records) {
        return runUntil([&] { return figure("charts-n") == std::to_string(records); }, 2s);
    };

    // Manual.
    program.click(ManualButton);
    ASSERT_EQ(store.count(), 1u);
    EXPECT_TRUE(shows(1)) << figure("charts-n");

    // The gauge's data key (pressed again if a key frame came second in a read, as with a
    // real gauge).
    for (int press = 0; press < 3 && store.count() == 1; ++press) {
        gauge.pressDataKey();
        runUntil([&] { return store.count() != 1; }, 1500ms);
    }
    ASSERT_EQ(store.count(), 2u);
    EXPECT_TRUE(shows(2)) << figure("charts-n");

    // Auto, until a few more records are in.
    program.click(AutoButton);
    ASSERT_TRUE(runUntil([&] { return store.count() >= 8; }));
    program.click(AutoButton);
    const std::uint32_t made = store.count();
    EXPECT_TRUE(shows(made)) << figure("charts-n");

    // The figures are those of the readings in the record file's value fields. The gauge's
    // decoder may make a reading a float's last bit away from the text's nearest, so the
    // figures are held to their shown places and that much more.
    std::vector<double> readings;
    for (std::uint32_t i = 0; i < made; ++i) readings.push_back(*parseFloat(store.valueField(i)));
    double mean = 0.0;
    for (const double r : readings) mean += r / static_cast<double>(readings.size());
    double squares = 0.0;
    double ranges = 0.0;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        squares += (readings[i] - mean) * (readings[i] - mean);
        if (i > 0) ranges += std::fabs(readings[i] - readings[i - 1]);
    }
    const double n = static_cast<double>(readings.size());
    const double sigma = std::sqrt(squares / (n - 1));
    const double within = ranges / (n - 1) / 1.128;
    const double usl = 12.345 + 0.020;
    const double lsl = 12.345 - 0.020;
    const double nearest = std::min(usl - mean, mean - lsl);
    struct Expected {
        const char* name;
        double value;
        double tolerance;  // half the last shown place, and what a float's last bit moves
    };
    const Expected expected[] = {
        {"charts-mean", mean, 0.5e-4 + 1e-5},
        {"charts-sigma", sigma, 0.5e-4 + 1e-5},
        {"charts-sigma-within", within, 0.5e-4 + 1e-5},
        {"charts-cp", (usl - lsl) / (6 * within), 0.005 + 1e-3 * (usl - lsl) / (6 * within)},
        {"charts-cpk", nearest / (3 * within), 0.005 + 1e-3 * std::fabs(nearest / (3 * within))},
        {"charts-pp", (usl - lsl) / (6 * sigma), 0.005 + 1e-3 * (usl - lsl) / (6 * sigma)},
        {"charts-ppk", nearest / (3 * sigma), 0.005 + 1e-3 * std::fabs(nearest / (3 * sigma))},
    };
    for (const Expected& e : expected) {
        const std::optional<float> shown = parseFloat(figure(e.name));
        ASSERT_TRUE(shown.has_value()) << e.name << " shows " << figure(e.name);
        EXPECT_NEAR(*shown, e.value, e.tolerance) << e.name;
    }

    // Clear empties the charts too.
    program.click(ClearButton);
    EXPECT_TRUE(shows(0)) << figure("charts-n");
    EXPECT_EQ(figure("charts-cpk"), "—");

    program.click(ConnectButton);
    EXPECT_EQ(boxes.shown(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ChartsFollowTheRecords, ::testing::Values(1, 2),
                         [](const auto& param) {
                             return std::string(param.param == 2 ? "English" : "Chinese");
                         });

// A plan kept in a spreadsheet, saved as a German Excel saves a CSV (semicolons, decimal
// commas), imported through the Plan window and walked for three parts with the gauge's data
// key: the line under the window names the characteristic due and each part's verdict, and
// Page Down skips a characteristic, which makes its part NG.
class PlanWalkedAtTheBench : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(PlanWalkedAtTheBench, ImportedPlanIsWalkedWithTheDataKey) {
    VirtualGauge gauge({"--quiet", "--protocol", "ascii", "--value", "12.345", "--wander", "0.01",
                        "--seed", "5", "--rate", "10"});
    ASSERT_TRUE(gauge.device().startsWith("/dev/")) << gauge.device().toStdString();
    ASSERT_EQ(setUpBench(GetParam(), gauge.device()), QSettings::NoError);
    QTemporaryDir folder;
    const QString csv = folder.filePath("A-7.csv");
    {
        QFile file(csv);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Characteristic;Part;Nominal;Upper tolerance;Lower tolerance;Unit;Part name\r\n"
                   "Bore;A-7;12,345;0,05;-0,05;mm;Shaft\r\n"
                   "Length;A-7;12,3;0,1;0;mm;Shaft\r\n"
                   "Step;A-7;12,35;0,05;-0,05;mm;Shaft\r\n");
    }

    MessageBoxWatch boxes;
    Program program;
    QApplication::setActiveWindow(&program.window);
    int rowsShown = 0;
    // Import is clicked as the window's own event, so that its file dialog opens in the Plan
    // window's loop and the handlers below see each window in turn.
    NextModal planWindow(std::vector<NextModal::Handler>{
        [&](QWidget* open) {
            ASSERT_EQ(open->objectName(), "plan");
            EXPECT_EQ(open->windowTitle().toStdString(), program.caption(plan_texts::kWindowTitle));
            QMetaObject::invokeMethod(open->findChild<QPushButton*>("plan-import"), "click",
                                      Qt::QueuedConnection);
        },
        [&](QWidget* open) {
            auto* dialog = qobject_cast<QFileDialog*>(open);
            ASSERT_NE(dialog, nullptr);
            test::typeFileName(*dialog, csv);
            QMetaObject::invokeMethod(dialog, "accept");
        },
        [&](QWidget* open) {
            ASSERT_EQ(open->objectName(), "plan");
            // The file is read away from the window's thread: chosen once it has been.
            const auto* choice = open->findChild<QComboBox*>("plan-choice");
            runUntil([&] { return choice->currentText() == "A-7"; });
            EXPECT_EQ(choice->currentText().toStdString(), "A-7");
            rowsShown = open->findChild<QTableWidget*>("plan-table")->rowCount();
            open->findChild<QPushButton*>("plan-ok")->click();
        }});
    QTest::keyClick(&program.window, Qt::Key_F5);
    ASSERT_EQ(planWindow.seen(), 3);
    EXPECT_EQ(rowsShown, 3);
    // The main window is active again once the Plan window has closed, as a window manager
    // makes it; the offscreen screen does not.
    QApplication::setActiveWindow(&program.window);
    auto* line = program.window.findChild<QLabel*>("plan-line");
    ASSERT_NE(line, nullptr);
    ASSERT_TRUE(line->isVisible()) << "no plan in force";
    EXPECT_FALSE(program.enabled(ParametersButton));
    // The charts stay open through the walk.
    QTest::keyClick(&program.window, Qt::Key_F3);
    auto* charts = program.window.findChild<QWidget*>("charts");
    ASSERT_NE(charts, nullptr);

    program.click(ConnectButton);
    ASSERT_TRUE(runUntil([&] { return program.state().linkConnected; })) << "no link";
    const RecordStore& store = program.program.store();
    const std::string ok = program.caption(texts::kVerdictOk);
    const std::string ng = program.caption(texts::kVerdictNg);
    // The line names the characteristic due, or the verdict of the part just completed until
    // the next record.
    const struct {
        const char* due;    // what the line names before the record; empty: the last part's verdict
        bool skip;          // Page Down instead of the data key
        std::string after;  // how the line ends afterwards; empty: not checked
    } steps[] = {
        {"1/3 Bore", false, ""}, {"2/3 Length", false, ""}, {"3/3 Step", false, ok},
        {"", false, ""},         {"2/3 Length", false, ""}, {"3/3 Step", true, ng},
        {"", false, ""},         {"2/3 Length", false, ""}, {"3/3 Step", false, ok},
    };
    std::uint32_t records = 0;
    for (const auto& step : steps) {
        SCOPED_TRACE(step.due);
        const std::string due = *step.due == 0 ? "1/3 Bore" : step.due;
        EXPECT_EQ(line->text().toStdString().find(due) != std::string::npos, *step.due != 0)
            << line->text().toStdString();
        if (step.skip) {
            // Keys go to the window in front, which the charts took when they opened.
            QApplication::setActiveWindow(&program.window);
            QTest::keyClick(&program.window, Qt::Key_PageDown);
        } else {
            gauge.pressUntil([&] { return store.count(); }, ++records);
            ASSERT_EQ(store.count(), records);
        }
        if (!step.after.empty()) {
            const std::string shown = line->text().toStdString();
            EXPECT_EQ(shown.substr(shown.size() - std::min(shown.size(), step.after.size())),
                      step.after)
                << shown;
        }
    }
    EXPECT_EQ(program.program.dialog().plan().walk()->serial(), "4");
    // Each record names its characteristic in the list's column after the others.
    program.window.showFrameNow();
    const QAbstractItemModel* list =
        qobject_cast<QTableView*>(program.window.control(RecordList))->model();
    ASSERT_EQ(list->columnCount(), 6);
    EXPECT_EQ(list->headerData(5, Qt::Horizontal).toString().toStdString(),
              program.caption({"测量特性", "Characteristic"}));
    EXPECT_EQ(list->index(1, 5).data().toString().toStdString(), "Length");
    // The charts show the bore, due again, or the characteristic the user picks.
    auto* choice = charts->findChild<QComboBox*>("charts-characteristic");
    ASSERT_TRUE(choice != nullptr && choice->isVisible());
    ASSERT_EQ(choice->count(), 4);
    const auto* count = charts->findChild<QLabel*>("charts-n");
    const auto* heading = charts->findChild<QLabel*>("charts-trace");
    const struct {
        Qt::Key key;
        int presses;
        const char* characteristic;
        const char* records;
    } picks[] = {{Qt::Key_Down, 0, "Bore", "3"},
                 {Qt::Key_Down, 3, "Step", "2"},  // part 2's was skipped
                 {Qt::Key_Up, 1, "Length", "3"},
                 {Qt::Key_Up, 2, "Bore", "3"}};
    for (const auto& pick : picks) {
        for (int i = 0; i < pick.presses; ++i) QTest::keyClick(choice, pick.key);
        // The window's next look, a tick away when nothing was picked.
        runUntil([&] { return heading->text().contains(QString::fromUtf8(pick.characteristic)); });
        EXPECT_EQ(count->text().toStdString(), pick.records) << pick.characteristic;
        EXPECT_NE(heading->text().toStdString().find(pick.characteristic), std::string::npos)
            << heading->text().toStdString();
    }
    EXPECT_EQ(choice->currentIndex(), 0) << "back on the characteristic due";
    program.click(ConnectButton);
    EXPECT_EQ(boxes.shown(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, PlanWalkedAtTheBench, ::testing::Values(1, 2),
                         [](const auto& param) {
                             return std::string(param.param == 2 ? "English" : "Chinese");
                         });

// The worked example of a gauge study read at the bench: 25 readings of the reference part,
// each sent with the gauge's data key, reach the study window and not the record list; the
// line under the main window says so while they are taken.
class GaugeStudyAtTheBench : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(GaugeStudyAtTheBench, TheWorkedExampleGivesItsCgAndCgkInTheStudyWindow) {
    VirtualGauge gauge(
        {"--quiet", "--protocol", "ascii", "--value", "10.000", "--wander", "0", "--rate", "10"});
    ASSERT_TRUE(gauge.device().startsWith("/dev/")) << gauge.device().toStdString();
    ASSERT_EQ(setUpBench(GetParam(), gauge.device()), QSettings::NoError);
    MessageBoxWatch boxes;
    Program program;
    QApplication::setActiveWindow(&program.window);
    program.click(ConnectButton);
    ASSERT_TRUE(runUntil([&] { return program.state().linkConnected; })) << "no link";

    QTest::keyClick(&program.window, Qt::Key_F6);
    auto* study = program.window.findChild<QWidget*>("gauge-study");
    ASSERT_NE(study, nullptr);
    const auto field = [&](const char* name) { return study->findChild<QLineEdit*>(name); };
    field("study-reference")->setText("10.000");
    field("study-tolerance")->setText("0.100");
    EXPECT_EQ(field("study-count")->text().toStdString(), "25");
    study->findChild<QPushButton*>("study-start")->click();
    auto* trace = program.window.findChild<QLabel*>("trace-line");
    EXPECT_NE(trace->text().toStdString().find(
                  program.caption({"量具能力研究进行中", "Gauge study running"})),
              std::string::npos)
        << trace->text().toStdString();

    const StudyPanel& panel = program.program.dialog().study();
    for (const char* reading : test::kStudyReadings) {
        gauge.type(std::string("v ") + reading);
        ASSERT_TRUE(runUntil([&] {
            return program.state().reading.valueText.find(reading) != std::string::npos;
        })) << reading;
        // A key frame that came second in a read is lost, as with a real gauge: pressed again.
        const int before = panel.taken();
        for (int press = 0; press < 5 && panel.taken() == before; ++press) {
            gauge.type("k");
            runUntil([&] { return panel.taken() != before; }, 1500ms);
        }
        ASSERT_EQ(panel.taken(), before + 1) << reading;
    }
    const std::string result = study->findChild<QLabel*>("study-result")->text().toStdString();
    EXPECT_NE(result.find("Cg 3.49  Cgk 2.82"), std::string::npos) << result;
    EXPECT_NE(result.find(program.caption({"量具能力足够", "capable"})), std::string::npos);
    EXPECT_EQ(program.program.store().count(), 0u);
    EXPECT_EQ(program.listRows(), 0);
    EXPECT_EQ(trace->text().toStdString().find(
                  program.caption({"量具能力研究进行中", "Gauge study running"})),
              std::string::npos);
    EXPECT_EQ(boxes.shown(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, GaugeStudyAtTheBench, ::testing::Values(1, 2),
                         [](const auto& param) {
                             return std::string(param.param == 2 ? "English" : "Chinese");
                         });

// Nine data-key records on one side of a fixed centre raise the alarm line on the ninth and not
// before; recording goes on under it, and the acknowledgement clears it.
class AlarmAtTheBench : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(AlarmAtTheBench, NineRecordsAboveAFixedCentreRaiseTheLineUntilAcknowledged) {
    VirtualGauge gauge(
        {"--quiet", "--protocol", "ascii", "--value", "10.005", "--wander", "0", "--rate", "10"});
    ASSERT_TRUE(gauge.device().startsWith("/dev/")) << gauge.device().toStdString();
    ASSERT_EQ(setUpBench(GetParam(), gauge.device()), QSettings::NoError);
    {
        QSettings bench(QSettings::NativeFormat, QSettings::UserScope, "Mensora",
                        applicationName());
        const std::pair<const char*, const char*> fixed[] = {
            {"Centre", "10"},      {"Sigma", "0.01"},
            {"SubgroupSize", "1"}, {"FixedAt", "2026-12-01 08:00:00"},
            {"Records", "25"},     {"Limits", "fixed"}};
        for (const auto& [key, value] : fixed) bench.setValue(QString("Control/") + key, value);
    }
    MessageBoxWatch boxes;
    Program program;
    QApplication::setActiveWindow(&program.window);
    program.click(ConnectButton);
    ASSERT_TRUE(runUntil([&] { return program.state().linkConnected; })) << "no link";
    ASSERT_TRUE(runUntil(
        [&] { return program.state().reading.valueText.find("10.005") != std::string::npos; }));

    auto* line = program.window.findChild<QLabel*>("alarm-line");
    auto* acknowledge = program.window.findChild<QPushButton*>("alarm-ack");
    ASSERT_NE(line, nullptr);
    ASSERT_NE(acknowledge, nullptr);
    for (std::uint32_t record = 1; record <= 9; ++record) {
        EXPECT_FALSE(line->isVisible()) << "before record " << record;
        // A key frame that came second in a read is lost, as with a real gauge: pressed again.
        for (int press = 0; press < 5 && program.program.store().count() < record; ++press) {
            gauge.type("k");
            runUntil([&] { return program.program.store().count() >= record; }, 1500ms);
        }
        ASSERT_EQ(program.program.store().count(), record);
    }
    ASSERT_TRUE(runUntil([&] { return line->isVisible(); }));
    EXPECT_EQ(line->text().toStdString(),
              program.caption({"报警：规则2：连续9点落在中心线同一侧 – 记录 1–9",
                               "Alarm: Rule 2: nine points in a row on one side of the centre – "
                               "records 1–9"}));
    // The window grew by the band, and gives that room back once the alarm is acknowledged.
    const int heightWithout = program.window.height() - line->parentWidget()->height();

    test::NextModal answer([&](QWidget* window) {
        auto* cause = window->findChild<QComboBox*>("alarm-cause");
        ASSERT_NE(cause, nullptr);
        EXPECT_EQ(cause->count(), static_cast<int>(alarm_texts::kCommonCauses.size()));
        cause->setCurrentIndex(0);
        window->findChild<QLineEdit*>("alarm-note")->setText("insert changed");
        window->findChild<QPushButton*>("alarm-ok")->click();
    });
    acknowledge->click();
    EXPECT_EQ(answer.seen(), 1);
    EXPECT_FALSE(line->isVisible());
    EXPECT_EQ(program.window.height(), heightWithout);
    const std::vector<AlarmEntry> log = program.program.dialog().alarms().ofList();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].kind, AlarmKind::Acknowledged);
    EXPECT_EQ(log[1].cause, pick(alarm_texts::kCommonCauses[0], languageOf(GetParam())));
    EXPECT_EQ(log[1].note, "insert changed");
    EXPECT_EQ(boxes.shown(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, AlarmAtTheBench, ::testing::Values(1, 2),
                         [](const auto& param) {
                             return std::string(param.param == 2 ? "English" : "Chinese");
                         });

}  // namespace
}  // namespace mensora
