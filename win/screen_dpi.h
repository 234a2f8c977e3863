#pragma once
// The scale a window is drawn at. The program is aware of each monitor's scale (its manifest
// says so): Windows draws nothing for it, so every size the program gives in pixels at 96 dots
// per inch (the display font's cell, the list's columns, the minimum tracking size, the charts'
// strokes) is scaled here to the window's dots per inch. Windows 7 and 8 know only the
// system's scale; the per-window calls are looked up, so that the program still starts there.

#include <windows.h>

namespace mensora {

// The dots per inch of the monitor the window is on; the system's where Windows has no
// per-monitor scale, or before the window exists (nullptr).
int dpiOf(HWND window);

// The outer size of a window of this style whose client area has `client`, at `dpi`: the
// frame and caption bar grow with the scale too.
SIZE outerSizeAtDpi(SIZE client, DWORD style, DWORD exStyle, int dpi);

}  // namespace mensora
