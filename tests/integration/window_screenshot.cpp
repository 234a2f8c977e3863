// Pictures of the main window in both languages with a bench's worth of values, for a
// reviewer to hold against the control table. scripts/screenshot names the folder through
// MENSORA_SCREENSHOT_DIR; without it the pictures go to a temporary folder, and either way
// the test fails unless both were written whole. On a real X display with a window manager
// (scripts/screenshot runs one on a private display of a bench screen's size) the picture is
// the whole screen, and the whole window, frame and caption bar included, must lie on it
// above a task bar.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>

#include "base/control_ids.h"
#include "dialog/trace_panel.h"
#include "tests/integration/window_rig.h"
#include "ui/trace_window.h"
#include "tools/tour/run_events_until.h"

namespace mensora::test {
namespace {


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

// The height of the task bar a bench PC's desktop keeps at the bottom of the screen; like the
// window, it grows with the screen's scale, so in Qt's pixels it is the same at every scale.
constexpr int kTaskBarHeight = 40;

bool onRealDisplay() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

// The Part and lot window as OK left it, open over the main window: a picture of its client
// area, taken while it waits for the user.
void savePartAndLotPicture(MainWindow& window, TracePanel& panel, Language language,
                           const QString& path) {
    TraceWindow trace(panel, language, &window);
    bool saved = false;
    QTimer::singleShot(300, &trace, [&] {
        saved = trace.grab().save(path);
        trace.reject();
    });
    trace.ask();
    EXPECT_TRUE(saved) << path.toStdString();
    EXPECT_EQ(QImage(path).size(), trace.size() * trace.devicePixelRatio());
}

class WindowScreenshot : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(WindowScreenshot, TheWindowWithBenchValuesIsSavedAsAPicture) {
    const std::int32_t language = GetParam();
    WindowRig rig({{"Language", language}});
    showBenchValues(rig);
    MainWindow& window = rig.window;
    RecordTraces traces(1);
    TracePanel panel(traces, rig.settings);
    ASSERT_FALSE(panel.confirm({"A-100", "外径 Ø12", "L42", "王工", "G-7"}, languageOf(language)));
    window.showTraceLine(traceLine(traces.inForce(), languageOf(language)));
    window.move(0, 0);
    showAndSettle(window);

    QTemporaryDir fallback;
    const QString suffix = language == kStoredEnglish ? "english" : "chinese";
    savePartAndLotPicture(window, panel, languageOf(language),
                          QDir(pictureFolder(fallback)).filePath("trace_" + suffix + ".png"));
    const QString path = QDir(pictureFolder(fallback)).filePath("window_" + suffix + ".png");
    if (!onRealDisplay()) {
        ASSERT_TRUE(window.grab().save(path)) << path.toStdString();
        EXPECT_EQ(QImage(path).size(), window.size());
        return;
    }
    // The window manager puts its frame around the window a moment after it is shown.
    using namespace std::chrono_literals;
    ASSERT_TRUE(runEventsUntil([&] { return window.frameGeometry() != window.geometry(); }, 3s))
        << "no window manager framed the window";
    runEventsUntil([] { return false; }, 300ms);  // the frame drawn, the fields painted
    QScreen* screen = window.screen();
    const QRect desk = screen->geometry();
    const QRect whole = window.frameGeometry();
    EXPECT_TRUE(desk.adjusted(0, 0, 0, -kTaskBarHeight).contains(whole))
        << "window " << whole.width() << "x" << whole.height() << " on a screen of "
        << desk.width() << "x" << desk.height();
    std::cout << "window " << (language == kStoredEnglish ? "english" : "chinese") << ": client "
              << window.width() << "x" << window.height() << ", with frame " << whole.width()
              << "x" << whole.height() << " at scale " << screen->devicePixelRatio() << '\n';
    const QPixmap picture = screen->grabWindow(0);
    ASSERT_TRUE(picture.save(path)) << path.toStdString();
    EXPECT_EQ(QImage(path).size(), picture.size());
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, WindowScreenshot, ::testing::Values(kStoredChinese, kStoredEnglish));

}  // namespace
}  // namespace mensora::test
