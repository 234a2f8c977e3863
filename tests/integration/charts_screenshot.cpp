// Pictures of the quality charts window in both languages with the bench run's readings, for
// a reviewer to look at. scripts/screenshot names the folder through MENSORA_SCREENSHOT_DIR;
// without it the pictures go to a temporary folder, and either way the test fails unless
// both were written whole.

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "charts/chart_data.h"
#include "tests/integration/screen_pictures.h"
#include "tests/integration/window_rig.h"
#include "tests/support/bench_run.h"
#include "tests/support/sample_readings.h"
#include "tools/tour/run_events_until.h"
#include "ui/charts_window.h"

namespace mensora::test {
namespace {

constexpr std::int32_t kChinese = kStoredChinese;
constexpr std::int32_t kEnglish = kStoredEnglish;

class ChartsScreenshot : public ::testing::TestWithParam<std::int32_t> {};

// The charts window opens from the main window, centred on the screen as a window manager puts
// it, and places itself beside it or over its record list.
void showMainWindow(WindowRig& rig) {
    rig.setJudging(bench_run::kNominal, bench_run::kUpperTolerance, bench_run::kLowerTolerance);
    MainWindow& main = rig.window;
    main.move(main.screen()->availableGeometry().center() - main.rect().center());
    showAndSettle(main);
    // The main window's frame tells how far the charts window's will reach.
    if (onRealDisplay()) {
        ASSERT_TRUE(framed(main)) << "no window manager framed the main window";
    }
}

// The window as it shows, `<name>_<language>.png`, and the picture it saves,
// `<name>_picture_<language>.png`.
void savePictures(ChartsWindow& window, const QString& name, std::int32_t language) {
    QTemporaryDir fallback;
    const QDir folder(pictureFolder(fallback));
    const QString suffix = language == kEnglish ? "english" : "chinese";
    const QString windowPath = folder.filePath(name + "_" + suffix + ".png");
    if (onRealDisplay()) {
        const std::optional<QPixmap> shot = framedPicture(window);
        ASSERT_TRUE(shot) << "no window manager framed the window";
        ASSERT_TRUE(shot->save(windowPath)) << windowPath.toStdString();
    } else {
        ASSERT_TRUE(window.grab().save(windowPath)) << windowPath.toStdString();
        EXPECT_EQ(QImage(windowPath).size(), window.size());
    }
    const QString picturePath = folder.filePath(name + "_picture_" + suffix + ".png");
    ASSERT_TRUE(window.picture().save(picturePath)) << picturePath.toStdString();
    EXPECT_FALSE(QImage(picturePath).isNull());
}

TEST_P(ChartsScreenshot, TheChartsOfTheBenchRunAreSavedAsAPicture) {
    const std::int32_t language = GetParam();
    WindowRig rig({{"Language", language}});
    showMainWindow(rig);
    ChartData data;
    for (const char* reading : bench_run::kReadings) data.recorded(std::stof(reading), 3);

    RecordTraces traces(1);
    traces.setInForce(bench_run::kTrace);
    ControlChoice control(rig.settings, rig.clock);
    AllRecordsChart source(data, rig.state, traces, control);
    ChartsWindow window(source, rig.state, rig.settings, &rig.window);
    window.open();
    QApplication::processEvents();
    savePictures(window, "charts", language);
}

// The control charts of subgroups of five with limits fixed from a steady first batch, then a
// shift that the run rules ring, and a subgroup being filled.
TEST_P(ChartsScreenshot, TheControlChartsOfSubgroupsWithFixedLimits) {
    const std::int32_t language = GetParam();
    WindowRig rig({{"Language", language}, {"ChartsSubgroup", 5}});
    showMainWindow(rig);
    ChartData data;
    SampleReadings readings;
    RecordTraces traces(1);
    traces.setInForce(bench_run::kTrace);
    ControlChoice control(rig.settings, rig.clock);
    AllRecordsChart source(data, rig.state, traces, control);
    source.shown();
    for (int i = 0; i < 150; ++i) data.recorded(readings.next(), 3);
    source.fixLimits();
    source.shown();
    // The process moves up by a little over one σ of the readings.
    for (int i = 0; i < 103; ++i) data.recorded(readings.next() + 0.007f, 3);
    ChartsWindow window(source, rig.state, rig.settings, &rig.window);
    window.open();
    QApplication::processEvents();
    savePictures(window, "charts_control", language);
    EXPECT_FALSE(data.control().valueMarks().empty()) << "the shift rang no rule";
    EXPECT_EQ(data.control().subgroups().filling(), 3);
}

// The bench run with a warning zone of 60 % (from 12.357 and up to 12.333) and five readings
// more, three of them in the zone: the list with its amber rows, and the charts with their
// amber marks and the warnings counted.
TEST_P(ChartsScreenshot, TheWarningZoneInTheListAndTheCharts) {
    const std::int32_t language = GetParam();
    WindowRig rig({{"Language", language}}, kRigCapacity,
                  {.storedTexts = {{"Control/Warning", "60"}}});
    showMainWindow(rig);
    rig.traces.setInForce(bench_run::kTrace);
    for (const char* reading : bench_run::kReadings) rig.record(std::stof(reading), reading);
    for (const char* reading : {"12.358", "12.331", "12.347", "12.362", "12.344"}) {
        rig.record(std::stof(reading), reading);
    }
    rig.push();
    // The window shows new rows with its next frame.
    runEventsUntil([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_EQ(rig.chartData.warnings().size(), 3u);

    QTemporaryDir fallback;
    const QString suffix = language == kEnglish ? "english" : "chinese";
    const QString listPath =
        QDir(pictureFolder(fallback)).filePath("warning_list_" + suffix + ".png");
    ASSERT_TRUE(rig.window.grab().save(listPath)) << listPath.toStdString();
    ChartsWindow window(rig.dialog.chartSource(), rig.state, rig.settings, &rig.window);
    window.open();
    QApplication::processEvents();
    savePictures(window, "warning_charts", language);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ChartsScreenshot, ::testing::Values(kChinese, kEnglish));

}  // namespace
}  // namespace mensora::test
