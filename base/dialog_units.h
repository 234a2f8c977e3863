#pragma once
// Dialog units to pixels, as the platform lays out a dialog template: a horizontal unit is a
// quarter of the dialog font's average character width, a vertical unit an eighth of its
// cell height. The layout therefore keeps its proportions to the text whatever face the
// machine offers for the dialog font, and the window comes out as large as on the bench PCs
// (518 × 346 units with 宋体 at 10 points: 7 × 14 pixels a unit pair, about 906 × 605).

#include "base/control_table.h"

namespace mensora {

struct DialogBaseUnits {
    int x;  // average width of the letters A-Z and a-z, in whole pixels
    int y;  // cell height of the dialog font (ascent and descent), in pixels
};

// The units of the dialog font on the bench PCs at 100 %: sizes the window gives in pixels
// (the record list's columns) are in these, and grow as the units grow.
inline constexpr DialogBaseUnits kBenchBaseUnits{7, 14};

struct PixelRect {
    int x;
    int y;
    int width;
    int height;
};

struct PixelSize {
    int width;
    int height;
};

// The letters whose average width is the horizontal unit, in this order.
inline constexpr const char* kAverageWidthLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
inline constexpr int kAverageWidthLetterCount = 52;

// From the advance of all the letters above together (in pixels, fractions allowed) and the
// font's cell height. The average is rounded to the nearest pixel, halves up.
DialogBaseUnits dialogBaseUnits(double lettersAdvance, int cellHeight);

// Each coordinate and extent is converted on its own and rounded to the nearest pixel.
PixelRect toPixelRect(const DialogRect& rect, DialogBaseUnits units);

// The smallest client area that keeps the whole window, frame and caption bar included, at
// the minimum tracking size: the frame's own width and height come off it.
PixelSize minimumClientSize(PixelSize frame);

}  // namespace mensora
