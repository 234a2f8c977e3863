#include "charts/charts_window_place.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace mensora {
namespace {

constexpr const char* kLeftKey = "ChartsLeft";
constexpr const char* kTopKey = "ChartsTop";
// No place kept yet: a value no screen has.
constexpr std::int32_t kNoPlace = std::numeric_limits<std::int32_t>::min();

// `length` starting at `from`, moved back to end by `end` but never before `start`.
int within(int from, int length, int start, int end) {
    return std::max(start, std::min(from, end - length));
}

// Enough of a kept window's caption bar on the work area for the user to take hold of it.
bool reachable(Point place, const FrameMargins& frame, const Rect& work) {
    constexpr int kGrip = 100;
    const int top = place.y - frame.top;
    return top >= work.top && top < work.bottom() - frame.top && place.x + kGrip <= work.right() &&
           place.x >= work.left - kGrip;
}

Rect placeAnew(const ChartsScreen& screen, WindowSize wanted) {
    const FrameMargins& frame = screen.frame;
    const int frameWidth = frame.left + frame.right;
    const int frameHeight = frame.top + frame.bottom;
    const int leastWidth = kChartsLeastSize.width + frameWidth;
    const int leastHeight = kChartsLeastSize.height + frameHeight;
    const Rect& work = screen.workArea;
    const Rect& main = screen.mainWindow;

    const int wantedWidth = wanted.width + frameWidth;
    const int height = std::max(leastHeight, std::min(wanted.height + frameHeight, work.height));
    const int rightRoom = work.right() - main.right();
    const int leftRoom = main.left - work.left;
    Rect outer{};
    if (std::max(rightRoom, leftRoom) >= leastWidth) {
        const bool right = rightRoom >= leftRoom;
        const int width = std::min(wantedWidth, right ? rightRoom : leftRoom);
        outer = {right ? main.right() : main.left - width,
                 within(main.top, height, work.top, work.bottom()), width, height};
    } else {
        const Rect& list = screen.recordList;
        const int width = std::max(leastWidth, std::min(wantedWidth, list.right() - work.left));
        const int listHeight = std::max(leastHeight, std::min(height, work.bottom() - list.top));
        outer = {within(list.right() - width, width, work.left, work.right()),
                 within(list.top, listHeight, work.top, work.bottom()), width, listHeight};
    }
    return {outer.left + frame.left, outer.top + frame.top, outer.width - frameWidth,
            outer.height - frameHeight};
}

}  // namespace

Rect chartsWindowPlace(const ChartsScreen& screen, WindowSize wanted, std::optional<Point> kept) {
    if (kept && reachable(*kept, screen.frame, screen.workArea)) {
        return {kept->x, kept->y, wanted.width, wanted.height};
    }
    return placeAnew(screen, wanted);
}

std::optional<Point> loadChartsWindowPlace(SettingsStore& settings) {
    const std::int32_t left = settings.get(kLeftKey, kNoPlace);
    const std::int32_t top = settings.get(kTopKey, kNoPlace);
    if (left == kNoPlace || top == kNoPlace) return std::nullopt;
    return Point{left, top};
}

void storeChartsWindowPlace(SettingsStore& settings, Point place) {
    settings.put(kLeftKey, place.x);
    settings.put(kTopKey, place.y);
}

}  // namespace mensora
