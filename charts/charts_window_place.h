#pragma once
// Where the charts window opens. The first time, beside the main window when the screen has
// room for it there, and otherwise over the record list: either way it hides neither the
// live reading nor the buttons. After that, where the user last left it, kept in the
// settings store with its size.

#include <optional>

#include "base/settings_store.h"
#include "charts/canvas.h"
#include "charts/charts_window_size.h"

namespace mensora {

// How far a window's frame reaches beyond its client area on each side.
struct FrameMargins {
    int left;
    int top;
    int right;
    int bottom;
};

// What the first placing looks at, in screen pixels.
struct ChartsScreen {
    Rect workArea;       // the screen without its task bar
    Rect mainWindow;     // the main window, frame included
    Rect recordList;     // the record list within it
    FrameMargins frame;  // the charts window's frame
};

// The client area of a charts window that wants `wanted` and opens for the first time in
// this run of the program: where it was `kept` if its caption bar is then on the work area,
// otherwise placed anew:
//  - beside the main window, on the side with more room, if that side takes the window at
//    its least size (narrower than wanted when there is less room than that);
//  - otherwise over the record list, its right edge on the list's, reaching left over the
//    screen beside the main window; smaller than wanted where the screen ends.
// Never smaller than kChartsLeastSize, and on the work area as far as it is big enough.
Rect chartsWindowPlace(const ChartsScreen& screen, WindowSize wanted, std::optional<Point> kept);

// The client area's top left corner the window was last left at, if one is kept.
std::optional<Point> loadChartsWindowPlace(SettingsStore& settings);
void storeChartsWindowPlace(SettingsStore& settings, Point place);

}  // namespace mensora
