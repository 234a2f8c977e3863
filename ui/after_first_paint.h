#pragma once
// Work that the window need not wait for: it runs once the window has been painted for the
// first time, just after that paint, so that the user sees the window as early as possible.

#include <QObject>
#include <QWidget>
#include <functional>

namespace mensora {

// Runs `action` once, after the first paint of `window`. Nothing runs if `owner` is destroyed
// first; a window that is never painted never runs it.
void afterFirstPaint(QWidget& window, QObject& owner, std::function<void()> action);

}  // namespace mensora
