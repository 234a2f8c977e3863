// Pictures of the main window in both languages with a bench's worth of values, for a
// reviewer to hold against the control table. scripts/screenshot names the folder through
// MENSORA_SCREENSHOT_DIR; without it the pictures go to a temporary folder, and either way
// the test fails unless both were written whole. On a real X display with a window manager
// (scripts/screenshot runs one on a private display of a bench screen's size) the whole
// window, frame and caption bar included, must lie on the screen above a task bar; the
// picture is the window with its frame, and a second one carries the numbered marks the
// README explains the window by.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <span>

#include "base/control_ids.h"
#include "dialog/plan_panel.h"
#include "dialog/plant_panel.h"
#include "files/native_file_system.h"
#include "dialog/trace_panel.h"
#include "plant/plant_door.h"
#include "tests/integration/screen_pictures.h"
#include "tests/integration/window_rig.h"
#include "tests/support/bench_run.h"
#include "tests/support/sample_study.h"
#include "tests/support/temporary_folder.h"
#include "ui/charts_window.h"
#include "ui/plan_window.h"
#include "ui/plant_window.h"
#include "ui/runs_window.h"
#include "ui/study_window.h"
#include "ui/trace_window.h"
#include "tools/tour/run_events_until.h"
#include "workbook/workbook_texts.h"

namespace mensora::test {
namespace {

// The bench run's part and lot confirmed in the Part and lot window and shown under the window.
void putBenchTraceInForce(WindowRig& rig, Language language) {
    const TraceValues& trace = bench_run::kTrace;
    ASSERT_FALSE(rig.station.tracePanel().confirm(
        {trace.part, trace.characteristic, trace.lot, trace.operatorName, trace.gaugeId},
        language));
    rig.window.showTraceLine(traceLine(trace, language));
}

// The bench run at work: the gauge linked, the part's size confirmed, the part and lot in
// force and shown under the window, every reading recorded about three seconds after the last
// (the NG among them), and Auto started at the bench's period, its first record still to come.
void showBenchValues(WindowRig& rig) {
    // The gauge's ASCII frame of a reading: sign, eight characters, carriage return.
    auto frame = [](const char* reading) { return std::string("+00") + reading + "\r"; };
    const Language language = rig.state.language();
    rig.clock.setLocalStart({2026, 12, 7, 9, 15, 2});
    rig.linkWith(std::vector<std::uint8_t>{'+', '0', '0', '1', '2', '.', '3', '4', '5', '\r'});
    rig.setJudging(bench_run::kNominal, bench_run::kUpperTolerance, bench_run::kLowerTolerance);
    rig.state.parameters.sampleIntervalMs = bench_run::kAutoIntervalMs;
    putBenchTraceInForce(rig, language);
    for (const char* reading : bench_run::kReadings) {
        // About three seconds of a gauge sending, then Manual.
        for (int poll = 0; poll < 34; ++poll) rig.nextPoll(frame(reading));
        rig.click(ManualButton);
    }
    // The poll after the last record puts its statistics on the screen.
    rig.nextPoll(frame(bench_run::kReadings[bench_run::kReadingCount - 1]));
    rig.click(AutoButton);
}

// Numbered marks on the window's picture, one on each part the README explains by its number,
// each where it hides nothing the README speaks of.
enum class Where { TopLeft, Centre, TopRight, LeftOf, RightOf, Above };
struct Mark {
    int id;  // the control the mark stands on
    int number;
    Where where;
};
constexpr Mark kMarks[] = {
    {ClearButton, 1, Where::TopLeft},
    {SaveButton, 2, Where::TopLeft},
    {ManualButton, 3, Where::TopLeft},
    {AutoButton, 4, Where::TopLeft},
    {RecordList, 5, Where::Centre},
    {AutosaveCheck, 6, Where::LeftOf},
    {LiveValue, 7, Where::TopLeft},
    {UnitLabel, 8, Where::TopRight},
    {ConnectButton, 9, Where::TopLeft},
    {StatusField, 10, Where::Above},
    {ZeroButton, 11, Where::TopLeft},
    {StatisticsGroup, 12, Where::TopRight},
    {NominalField, 13, Where::RightOf},
    {UpperToleranceField, 14, Where::RightOf},
    {LowerToleranceField, 15, Where::RightOf},
    {SoundList, 16, Where::RightOf},
    {UnitList, 17, Where::RightOf},
    {SampleIntervalField, 18, Where::Above},
    {ParametersButton, 19, Where::TopLeft},
    {GoodFrameField, 20, Where::Above},
    {ChineseRadio, 21, Where::LeftOf},
};

constexpr int kMarkRadius = 11;

QPoint markCentre(const QRect& control, Where where) {
    constexpr int r = kMarkRadius;
    const int middle = control.center().y();
    switch (where) {
        case Where::TopLeft: return control.topLeft() + QPoint(r - 4, r - 4);
        case Where::Centre: return control.center();
        case Where::TopRight: return {control.right() - r - 4, control.top() + r + 2};
        case Where::LeftOf: return {control.left() - r - 2, middle};
        case Where::RightOf: return {control.right() + r + 3, middle};
        case Where::Above: return {control.center().x(), control.top() - r + 2};
    }
    return control.center();
}

// The marks drawn onto `picture`, whose top left corner is `origin` on the screen.
QImage labelled(const QImage& picture, const MainWindow& window, QPoint origin) {
    QImage out = picture.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font = window.font();
    font.setBold(true);
    font.setPixelSize(13);
    painter.setFont(font);
    for (const Mark& mark : kMarks) {
        const QWidget* control = window.control(mark.id);
        const QRect place(control->mapToGlobal(QPoint(0, 0)) - origin, control->size());
        const QPoint centre = markCentre(place, mark.where);
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(QColor(200, 30, 30));
        painter.drawEllipse(centre, kMarkRadius, kMarkRadius);
        painter.setPen(Qt::white);
        painter.drawText(QRect(centre - QPoint(kMarkRadius, kMarkRadius),
                               QSize(2 * kMarkRadius, 2 * kMarkRadius)),
                         Qt::AlignCenter, QString::number(mark.number));
    }
    return out;
}

// "<stem>_chinese.png" or "<stem>_english.png" in the pictures' folder.
QString picturePath(QTemporaryDir& fallback, const QString& stem, std::int32_t language) {
    return QDir(pictureFolder(fallback))
        .filePath(stem + (language == kStoredEnglish ? "_english.png" : "_chinese.png"));
}

// The window at the screen's corner with a bench's values, shown and painted.
MainWindow& showWithBenchValues(WindowRig& rig) {
    showBenchValues(rig);
    rig.window.move(0, 0);
    showAndSettle(rig.window);
    return rig.window;
}

// The height of the task bar a bench PC's desktop keeps at the bottom of the screen; like the
// window, it grows with the screen's scale, so in Qt's pixels it is the same at every scale.
constexpr int kTaskBarHeight = 40;

// A picture of a modal window's client area, taken while it waits for the user: `open` runs
// its loop, which the picture ends.
void saveModalPicture(QDialog& window, const std::function<void()>& open, const QString& path) {
    bool saved = false;
    QTimer::singleShot(300, &window, [&] {
        saved = window.grab().save(path);
        window.reject();
    });
    open();
    EXPECT_TRUE(saved) << path.toStdString();
    EXPECT_EQ(QImage(path).size(), window.size() * window.devicePixelRatio());
}

// The Part and lot window as OK left it, open over the main window.
void savePartAndLotPicture(MainWindow& window, TracePanel& panel, Language language,
                           const QString& path) {
    TraceWindow trace(panel, language, &window);
    saveModalPicture(
        trace, [&trace] { trace.ask(); }, path);
}

// The Plant database window with a plant's settings, open over the main window.
void savePlantPicture(WindowRig& rig, Language language, const QString& path) {
    rig.settings.putText(plant_settings::kSection, plant_settings::kConnection,
                         bench_run::kPlantConnection);
    PlantDoor door(PlantDoorPorts{rig.settings, rig.clock, rig.work, rig.work},
                   {{}, bench_run::kPlantBench, 1});
    PlantPanel panel(door);
    PlantWindow plant(panel, language, &rig.window);
    saveModalPicture(
        plant, [&plant] { plant.exec(); }, path);
}

class WindowScreenshot : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(WindowScreenshot, TheWindowWithBenchValuesIsSavedAsAPicture) {
    const std::int32_t language = GetParam();
    WindowRig rig({{"Language", language}});
    MainWindow& window = showWithBenchValues(rig);

    QTemporaryDir fallback;
    const QString suffix = language == kStoredEnglish ? "english" : "chinese";
    savePartAndLotPicture(window, rig.station.tracePanel(), languageOf(language),
                          QDir(pictureFolder(fallback)).filePath("trace_" + suffix + ".png"));
    savePlantPicture(rig, languageOf(language),
                     QDir(pictureFolder(fallback)).filePath("plant_" + suffix + ".png"));
    const QString path = QDir(pictureFolder(fallback)).filePath("window_" + suffix + ".png");
    if (!onRealDisplay()) {
        ASSERT_TRUE(window.grab().save(path)) << path.toStdString();
        EXPECT_EQ(QImage(path).size(), window.size());
        return;
    }
    const std::optional<QPixmap> picture = framedPicture(window);
    ASSERT_TRUE(picture) << "no window manager framed the window";
    QScreen* screen = window.screen();
    const QRect desk = screen->geometry();
    const QRect whole = window.frameGeometry();
    EXPECT_TRUE(desk.adjusted(0, 0, 0, -kTaskBarHeight).contains(whole))
        << "window " << whole.width() << "x" << whole.height() << " on a screen of " << desk.width()
        << "x" << desk.height();
    std::cout << "window " << (language == kStoredEnglish ? "english" : "chinese") << ": client "
              << window.width() << "x" << window.height() << ", with frame " << whole.width() << "x"
              << whole.height() << " at scale " << screen->devicePixelRatio() << '\n';
    ASSERT_TRUE(picture->save(path)) << path.toStdString();
    EXPECT_EQ(QImage(path).size(), whole.size() * screen->devicePixelRatio());
    const QString marked = QDir(pictureFolder(fallback))
                               .filePath(language == kStoredEnglish ? "window_parts_english.png"
                                                                    : "window_parts_chinese.png");
    ASSERT_TRUE(labelled(picture->toImage(), window, whole.topLeft()).save(marked))
        << marked.toStdString();
}

// The bench run's shaft by its plan of three characteristics, with the bench run's part and
// lot in force: the second due of part 4, the Plan window showing that plan over the window,
// and the charts of the third characteristic, picked beside it.
TEST_P(WindowScreenshot, ThePlanWindowAndAPartHalfMeasuredAreSavedAsPictures) {
    const std::int32_t language = GetParam();
    const Language shown = languageOf(language);
    WindowRig rig({{"Language", language}});
    rig.clock.setLocalStart({2026, 12, 7, 9, 15, 2});
    putBenchTraceInForce(rig, shown);
    const InspectionPlan plan = bench_run::plan();
    rig.dialog.plan().onChange([&] { rig.window.showPlanLine(rig.dialog.plan().line()); });
    rig.dialog.plan().putInForce(plan);
    for (const char* reading : bench_run::kPlanReadings) {
        rig.clock.advance(14000);  // a size every quarter minute, the part turned between
        rig.record(std::stof(reading), reading);
    }
    // The window's next tick puts the figures of the characteristic due on the screen.
    rig.push();
    rig.window.move(0, 0);
    showAndSettle(rig.window);

    QTemporaryDir fallback;
    QTemporaryDir plans;
    NativeFileSystem files;
    PlanShelf shelf(rig.work, rig.work, [&files, folder = plans.path().toStdString()] {
        return PlanStore(files, folder);
    });
    shelf.save(plan);
    rig.work.runAll();
    PlanPanel panel(shelf, rig.dialog.plan(), rig.state,
                    PlanPanelPorts{rig.work, rig.work, files, rig.window});
    PlanWindow planWindow(panel, shown, &rig.window);
    saveModalPicture(
        planWindow, [&planWindow] { planWindow.exec(); },
        picturePath(fallback, "plan_window", language));
    const QString path = picturePath(fallback, "plan_walk", language);
    const QPixmap picture =
        onRealDisplay() ? framedPicture(rig.window).value_or(QPixmap()) : rig.window.grab();
    ASSERT_TRUE(picture.save(path)) << path.toStdString();

    ChartsWindow charts(rig.dialog.chartSource(), rig.state, rig.settings, &rig.window);
    rig.dialog.chartSource().pin(2);
    charts.open();
    runEventsUntil([&charts] { return charts.isVisible(); }, std::chrono::seconds(3));
    runEventsUntil([] { return false; }, std::chrono::milliseconds(300));
    const QString chartsPath = picturePath(fallback, "plan_charts_window", language);
    const QPixmap chartsPicture =
        onRealDisplay() ? framedPicture(charts).value_or(QPixmap()) : charts.grab();
    ASSERT_TRUE(chartsPicture.save(chartsPath)) << chartsPath.toStdString();
}

// Yesterday's two lots of the bench run's shaft and today's run, as the Earlier runs window
// lists them from the journal.
TEST_P(WindowScreenshot, TheEarlierRunsWindowIsSavedAsAPicture) {
    const std::int32_t language = GetParam();
    const Language shown = languageOf(language);
    const TemporaryFolder folder;
    FakeFileSystem pc;
    pc.userData = folder.path();
    ManualWork work;
    VirtualClock writerClock;
    const auto bench = [&](LocalDateTime start) {
        return std::make_unique<WindowRig>(
            StoredSettings{{"Language", language}}, kRigCapacity,
            RigStart{StationDoors{true, {}}, &work,
                     StationWork{[&work](Door) { return work.lend(); }, writerClock}, &pc, start});
    };
    const TraceValues& trace = bench_run::kTrace;
    const auto run = [&](WindowRig& rig, const char* lot, std::span<const char* const> readings) {
        ASSERT_FALSE(rig.station.tracePanel().confirm(
            {trace.part, trace.characteristic, lot, trace.operatorName, trace.gaugeId}, shown));
        rig.setJudging(bench_run::kNominal, bench_run::kUpperTolerance, bench_run::kLowerTolerance);
        for (const char* reading : readings) {
            rig.clock.advance(41000);
            rig.record(std::stof(reading), reading, 3);
        }
        work.runAll();
    };
    const std::span<const char* const> readings(bench_run::kReadings);
    {
        auto yesterday = bench({2026, 12, 10, 7, 58, 40});
        run(*yesterday, "L2612-05", readings.subspan(4, 6));
        yesterday->click(ClearButton);
        run(*yesterday, "L2612-06", readings.subspan(12, 4));
    }
    work.runAll();
    auto today = bench({2026, 12, 11, 8, 2, 5});
    run(*today, trace.lot.c_str(), readings);
    today->window.move(0, 0);
    showAndSettle(today->window);
    RunsWindow runs(*today->dialog.earlierRuns(), shown, &today->window);
    work.runAll();
    QTemporaryDir fallback;
    saveModalPicture(
        runs, [&runs] { runs.exec(); }, picturePath(fallback, "earlier_runs", language));
}

// The Gauge study window beside the main window after the worked example's 25 readings, and
// the picture its Save picture writes.
TEST_P(WindowScreenshot, AFinishedGaugeStudyIsSavedAsPictures) {
    const std::int32_t language = GetParam();
    const Language shown = languageOf(language);
    WindowRig rig({{"Language", language}});
    // The bench's own gauge, proven on a 10 mm gauge block before the shift.
    const TraceValues& trace = bench_run::kTrace;
    ASSERT_FALSE(rig.station.tracePanel().confirm(
        TraceTexts{trace.part, trace.characteristic, trace.lot, trace.operatorName, trace.gaugeId},
        shown));
    rig.linkWith(std::vector<std::uint8_t>{'+', '0', '0', '1', '0', '.', '0', '0', '2', '\r'});
    rig.setJudging(10.0f, 0.05f, -0.05f);
    rig.window.move(0, 0);
    showAndSettle(rig.window);
    auto* study = new StudyWindow(rig.dialog.study(), shown, &rig.window);
    study->show();
    study->findChild<QPushButton*>("study-start")->click();
    for (const char* reading : kStudyReadings) rig.record(std::stof(reading), reading, 3);
    ASSERT_TRUE(rig.dialog.study().finished());
    QApplication::processEvents();
    QTemporaryDir fallback;
    const QString path = picturePath(fallback, "gauge_study", language);
    EXPECT_TRUE(study->grab().save(path)) << path.toStdString();
    const QString saved = picturePath(fallback, "gauge_study_picture", language);
    EXPECT_TRUE(study->picture().save(saved)) << saved.toStdString();
    study->close();
}

// The bench run, its limits then fixed from its 24 records, and nine readings above their
// centre: the alarm's band stands under the window, with the records the rule covers.
TEST_P(WindowScreenshot, AnAlarmAtTheBenchIsSavedAsAPicture) {
    const std::int32_t language = GetParam();
    WindowRig rig({{"Language", language}, {"ChartsSubgroup", 1}});
    MainWindow& window = showWithBenchValues(rig);
    EXPECT_FALSE(rig.dialog.alarms().standing()) << rig.dialog.alarms().line(Language::English);
    rig.dialog.chartSource().fixLimits();
    // As the program shows it: the band follows the board.
    AlarmBoard& alarms = rig.dialog.alarms();
    alarms.onLineChange([&] { window.showAlarmLine(alarms.line(languageOf(language))); });
    rig.click(AutoButton);  // stopped for the readings taken by hand
    for (int record = 0; record < 9; ++record) {
        for (int poll = 0; poll < 34; ++poll) rig.nextPoll("+0012.349\r");
        rig.click(ManualButton);
    }
    rig.nextPoll("+0012.349\r");  // the poll after the last record shows its statistics
    window.showFrameNow();
    showAndSettle(window);
    EXPECT_EQ(rig.dialog.alarms().line(Language::English),
              "Alarm: Rule 2: nine points in a row on one side of the centre – records 25–33");
    QTemporaryDir fallback;
    const QString path = picturePath(fallback, "alarm", language);
    EXPECT_TRUE(window.grab().save(path)) << path.toStdString();
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, WindowScreenshot,
                         ::testing::Values(kStoredChinese, kStoredEnglish));

// The progress box of a long workbook save, over the window, part way through.
TEST_P(WindowScreenshot, TheProgressOfAWorkbookSaveIsSavedAsAPicture) {
    const std::int32_t language = GetParam();
    WindowRig rig({{"Language", language}});
    MainWindow& window = showWithBenchValues(rig);
    const Language shown = languageOf(language);
    window.showProgress(pick(workbook_texts::kSavingWorkbook, shown),
                        pick(workbook_texts::kCancel, shown));
    window.setProgress(42);
    auto* box = window.findChild<QWidget*>("save-progress");
    ASSERT_NE(box, nullptr);
    using namespace std::chrono_literals;
    runEventsUntil([box] { return box->isVisible(); }, 3s);
    runEventsUntil([] { return false; }, 300ms);

    QTemporaryDir fallback;
    const QString path = picturePath(fallback, "save_progress", language);
    // The window with its frame and the box over it, as the screen shows them.
    const QPixmap picture =
        onRealDisplay() ? framedPicture(window).value_or(QPixmap()) : box->grab();
    ASSERT_TRUE(picture.save(path)) << path.toStdString();
    EXPECT_EQ(QImage(path).size(), picture.size());
}

}  // namespace
}  // namespace mensora::test
