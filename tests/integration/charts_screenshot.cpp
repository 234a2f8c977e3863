// Pictures of the quality charts window in both languages with a batch of readings, for a
// reviewer to look at. scripts/screenshot names the folder through MENSORA_SCREENSHOT_DIR;
// without it the pictures go to a temporary folder, and either way the test fails unless
// both were written whole.

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

#include "charts/chart_data.h"
#include "tests/support/fake_settings.h"
#include "tests/support/sample_readings.h"
#include "ui/charts_window.h"
#include "ui/window_fonts.h"

namespace mensora::test {
namespace {

constexpr std::int32_t kChinese = 1;
constexpr std::int32_t kEnglish = 2;
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
    AcquisitionState state;
    state.storedLanguage = language;
    state.parameters.nominal = 12.345f;
    state.parameters.upperTolerance = 0.02f;
    state.parameters.lowerTolerance = -0.02f;
    FakeSettings settings;
    ChartData data;
    SampleReadings readings;
    for (int i = 0; i < kBatch; ++i) data.recorded(readings.next(), 3);

    RecordTraces traces(1);
    traces.setInForce({"A-100", "Ø12", "L42", "Wang", "G7"});
    ChartsWindow window(data, state, traces, settings, nullptr);
    // In the program the window takes the main window's dialog font, as its child.
    window.setFont(dialogFont(window.logicalDpiY()));
    window.open();
    QApplication::processEvents();

    QTemporaryDir fallback;
    const QDir folder(pictureFolder(fallback));
    const QString suffix = language == kEnglish ? "english" : "chinese";
    const QString windowPath = folder.filePath("charts_" + suffix + ".png");
    ASSERT_TRUE(window.grab().save(windowPath)) << windowPath.toStdString();
    EXPECT_EQ(QImage(windowPath).size(), window.size());
    const QString picturePath = folder.filePath("charts_picture_" + suffix + ".png");
    ASSERT_TRUE(window.picture().save(picturePath)) << picturePath.toStdString();
    EXPECT_FALSE(QImage(picturePath).isNull());
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ChartsScreenshot, ::testing::Values(kChinese, kEnglish));

}  // namespace
}  // namespace mensora::test
