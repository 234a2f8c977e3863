// Pictures of the quality charts window in both languages with a batch of readings, for a
// reviewer to look at. scripts/screenshot names the folder through MENSORA_SCREENSHOT_DIR;
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
#include <cstdlib>

#include "charts/chart_data.h"
#include "tools/tour/run_events_until.h"
#include "tests/integration/window_rig.h"
#include "tests/support/sample_readings.h"
#include "ui/charts_window.h"

namespace mensora::test {
namespace {

constexpr std::int32_t kChinese = kStoredChinese;
constexpr std::int32_t kEnglish = kStoredEnglish;
constexpr int kBatch = 250;

QString pictureFolder(QTemporaryDir& fallback) {
    const char* named = std::getenv("MENSORA_SCREENSHOT_DIR");
    if (named != nullptr && *named != '\0') {
        QDir().mkpath(QString::fromLocal8Bit(named));
        return QString::fromLocal8Bit(named);
    }
    return fallback.path();
}

class ChartsScreenshot : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(ChartsScreenshot, TheChartsOfABatchAreSavedAsAPicture) {
    const std::int32_t language = GetParam();
    // The charts window opens from the main window, centred on the screen as a window
    // manager puts it, and places itself beside it or over its record list.
    WindowRig rig({{"Language", language}});
    rig.setJudging(12.345f, 0.02f, -0.02f);
    MainWindow& main = rig.window;
    main.move(main.screen()->availableGeometry().center() - main.rect().center());
    showAndSettle(main);
    ChartData data;
    SampleReadings readings;
    for (int i = 0; i < kBatch; ++i) data.recorded(readings.next(), 3);

    ChartsWindow window(data, rig.state, rig.settings, &main);
    window.open();
    QApplication::processEvents();

    QTemporaryDir fallback;
    const QDir folder(pictureFolder(fallback));
    const QString suffix = language == kEnglish ? "english" : "chinese";
    const QString windowPath = folder.filePath("charts_" + suffix + ".png");
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        // On a display with a window manager: the window with the frame it puts around it.
        using namespace std::chrono_literals;
        ASSERT_TRUE(runEventsUntil([&] { return window.frameGeometry() != window.geometry(); }, 3s))
            << "no window manager framed the window";
        runEventsUntil([] { return false; }, 300ms);
        const QRect whole = window.frameGeometry();
        const QPixmap shot =
            window.screen()->grabWindow(0, whole.x(), whole.y(), whole.width(), whole.height());
        ASSERT_TRUE(shot.save(windowPath)) << windowPath.toStdString();
    } else {
        ASSERT_TRUE(window.grab().save(windowPath)) << windowPath.toStdString();
        EXPECT_EQ(QImage(windowPath).size(), window.size());
    }
    const QString picturePath = folder.filePath("charts_picture_" + suffix + ".png");
    ASSERT_TRUE(window.picture().save(picturePath)) << picturePath.toStdString();
    EXPECT_FALSE(QImage(picturePath).isNull());
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ChartsScreenshot, ::testing::Values(kChinese, kEnglish));

}  // namespace
}  // namespace mensora::test
