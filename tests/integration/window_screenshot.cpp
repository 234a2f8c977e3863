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

#include <QApplication>

#include "base/control_ids.h"
#include "tests/support/dialog_rig.h"
#include "ui/main_window.h"

namespace mensora::test {
namespace {

using WindowRig = DialogRig<MainWindow>;

// Three records, one of each verdict, and the live values a running bench shows.
void showBenchValues(WindowRig& rig) {
    MainWindow& window = rig.window;
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
    // Judged, without showing it, so that the three records get one verdict each.
    rig.setJudging(2.0f, 6.0f, -1.0f);
    rig.clock.setLocalStart({2026, 12, 7, 9, 15, 2});
    rig.record(12.345f, "12.345");
    rig.clock.advance(7000);
    rig.record(7.05f, "7.05");
    rig.clock.advance(12000);
    rig.record(0.95f, "0.95");
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
    WindowRig rig({{"Language", language}});
    showBenchValues(rig);
    rig.window.show();
    QApplication::processEvents();

    QTemporaryDir fallback;
    const QString path = QDir(pictureFolder(fallback))
                             .filePath(language == kStoredEnglish ? "window_english.png"
                                                                  : "window_chinese.png");
    ASSERT_TRUE(rig.window.grab().save(path)) << path.toStdString();
    const QImage saved(path);
    EXPECT_EQ(saved.size(), rig.window.size());
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, WindowScreenshot, ::testing::Values(kStoredChinese, kStoredEnglish));

}  // namespace
}  // namespace mensora::test
