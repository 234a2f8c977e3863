#pragma once
// The window's two fonts. Each asks for the face the program was designed with and, on a
// machine without it, takes the installed face that comes nearest.

#include <QFont>

namespace mensora {

// The dialog font: 宋体 at 10 points, else the nearest serif CJK face. The size is a whole
// number of pixels at the screen's resolution, so that the text sits on the pixel grid.
QFont dialogFont(int logicalDpi);

// The live reading and its unit: bold 黑体, 70 pixels high, else the nearest CJK face of the
// same kind: sans-serif with half-width Latin letters and digits all of one width.
QFont displayFont();

}  // namespace mensora
