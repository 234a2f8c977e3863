#pragma once
// Dialog units to pixels, as the platform lays out a dialog template: a horizontal unit is a
// quarter of the dialog font's average character width, a vertical unit an eighth of its
// height. The layout therefore keeps its proportions to the text whatever face the machine
// offers for the dialog font.

#include <QFont>
#include <QRect>

#include "base/control_table.h"

namespace mensora {

struct DialogBaseUnits {
    int x;  // average width of the letters A-Z and a-z, in whole pixels
    int y;  // height of the font, in pixels
};

DialogBaseUnits dialogBaseUnits(const QFont& font);

// Each coordinate and extent is converted on its own and rounded to the nearest pixel.
QRect toPixels(const DialogRect& rect, DialogBaseUnits units);

}  // namespace mensora
