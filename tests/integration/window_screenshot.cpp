// Pictures of the main window in both languages with a bench's worth of values, for a
// reviewer to hold against the control table. scripts/screenshot names the folder through
// MENSORA_SCREENSHOT_DIR; without it the pictures go to a temporary folder, and either way
// the test fails unless both were written whole.

#include <QDir>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/integration/window_bench.h"

namespace mensora::test {
namespace {

void showBenchValues(WindowBench& bench, std::int32_t language) {
    MainWindow& window = bench.window;
    window.setText(StatusField, "ASC");
    window.setText(LiveValue, "12.345");
    window.setText(AverageField, "6.78167");
    window.setText(MaximumField, "12.345");
    window.setText(MinimumField, "0.95");
    window.setText(CountField, "3");
    window.setText(OkCountField, "1");
    window.setText(OverUpperField, "1");
    window.setText(UnderLowerField, "1");
    window.setText(BadFrameField, "0");
    window.setText(SilentPollField, "2");
    window.setText(GoodFrameField, "1523");
    bench.addRecord("12.345", 10.345f, Verdict::OverUpper, {2026, 12, 7, 9, 15, 2}, language);
    bench.addRecord("7.05", 5.05f, Verdict::Ok, {2026, 12, 7, 9, 15, 9}, language);
    bench.addRecord("0.95", -1.05f, Verdict::UnderLower, {2026, 12, 7, 9, 15, 21}, language);
}

QString pictureFolder(QTemporaryDir& fallback) {
    const char* named = std::getenv("MENSORA_SCREENSHOT_DIR");
    if (named != nullptr && *named != '\0') {
        QDir().mkpath(QString::fromLocal8Bit(named));
        return QString::fromLocal8Bit(named);
    }
    return fallback.path();
}

class WindowScreenshot : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(WindowScreenshot, TheWindowWithBenchValuesIsSavedAsAPicture) {
    const std::int32_t language = GetParam();
    WindowBench bench(language);
    showBenchValues(bench, language);
    bench.showAndSettle();

    QTemporaryDir fallback;
    const QString path = QDir(pictureFolder(fallback))
                             .filePath(language == kStoredEnglish ? "window_english.png"
                                                            : "window_chinese.png");
    ASSERT_TRUE(bench.window.grab().save(path)) << path.toStdString();
    const QImage saved(path);
    EXPECT_EQ(saved.size(), bench.window.size());
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, WindowScreenshot, ::testing::Values(kStoredChinese, kStoredEnglish));

}  // namespace
}  // namespace mensora::test
