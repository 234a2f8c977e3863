#pragma once
// What the picture-taking tests share: the folder the pictures go to, and a window cut from
// the screen together with the frame a window manager put around it.

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>

#include <chrono>
#include <cstdlib>
#include <optional>

#include "tools/tour/run_events_until.h"

namespace mensora::test {

// MENSORA_SCREENSHOT_DIR, as scripts/screenshot names it; otherwise `fallback`.
inline QString pictureFolder(QTemporaryDir& fallback) {
    const char* named = std::getenv("MENSORA_SCREENSHOT_DIR");
    if (named != nullptr && *named != '\0') {
        QDir().mkpath(QString::fromLocal8Bit(named));
        return QString::fromLocal8Bit(named);
    }
    return fallback.path();
}

// A real X display, where a window manager frames the windows (scripts/screenshot runs one).
inline bool onRealDisplay() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

// Whether the window manager has put its frame around the shown `window`, which it does a
// moment after the showing.
inline bool framed(const QWidget& window) {
    using namespace std::chrono_literals;
    return runEventsUntil([&] { return window.frameGeometry() != window.geometry(); }, 3s);
}

// The shown `window` with its frame, once it has one; empty when none came.
inline std::optional<QPixmap> framedPicture(const QWidget& window) {
    using namespace std::chrono_literals;
    if (!framed(window)) return std::nullopt;
    runEventsUntil([] { return false; }, 300ms);  // the frame drawn, the contents painted
    const QRect whole = window.frameGeometry();
    return window.screen()->grabWindow(0, whole.x(), whole.y(), whole.width(), whole.height());
}

}  // namespace mensora::test
