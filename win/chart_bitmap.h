#pragma once
// A chart of the core drawn into a bitmap, for a window to copy to the screen in one piece (so
// a redraw never flickers) or to save as a picture. Charts are laid out in pixels at 96 dots
// per inch and drawn magnified to the screen's scale, so that text, strokes and the spaces
// between them all grow alike and stay sharp.

#include <windows.h>

#include <functional>

#include "charts/canvas.h"

namespace mensora {

// The dialog's own typeface at its size at the scale `dpi`, so that the charts read like the
// main window.
HFONT createChartsFont(int dpi);

using ChartDrawing = std::function<void(Canvas& canvas, const Rect& area)>;

// `draw` into a bitmap compatible with `dc`, `size` pixels big, in `font` made for 96 dots per
// inch, magnified to the scale `dpi`; the caller deletes it.
HBITMAP drawnChart(HDC dc, HFONT font, SIZE size, int dpi, const ChartDrawing& draw);

// The bitmap drawn by `draw` copied to `dc` at `place`.
void paintChart(HDC dc, HFONT font, const RECT& place, int dpi, const ChartDrawing& draw);

}  // namespace mensora
