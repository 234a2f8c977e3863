#pragma once
// The window's two fonts. Each asks for the face the program was designed with and, on a
// machine without it, takes the installed face that comes nearest.

#include <QFont>

namespace mensora {

// The dialog font: 宋体 at 10 points, else the Ming face nearest to it (AR PL UMing, whose
// half-width Latin letters and cell make the same dialog units), else a CJK serif face. The
// size is a whole number of pixels at the screen's resolution, so that the text sits on the
// pixel grid.
QFont dialogFont(int logicalDpi);

// The live reading and its unit: bold 黑体 whose cell (ascent and descent) is 70 pixels at
// 96 dots per inch, in proportion at other resolutions; else the nearest fixed-width sans
// face with half-width digits all of one width, at the size whose cell is that tall.
QFont displayFont(int logicalDpi);

}  // namespace mensora
