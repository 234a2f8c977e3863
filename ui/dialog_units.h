#pragma once
// The dialog's units measured on the Qt font the window uses: the letters' advance as the
// face designs it, and the cell from the face's own tables, so that the units do not move
// with the font engine's hinting or the screen's scale. The rule itself is the core's.

#include <QFont>
#include <QRect>
#include <optional>

#include "base/dialog_units.h"
#include "base/font_cell.h"

namespace mensora {

// The face's proportions as its font file gives them; nothing for a face without tables.
std::optional<FaceProportions> faceProportions(const QFont& font);

// The cell height of the font at its pixel size: from the face's tables, or from Qt's
// metrics for a face that has none.
int fontCellHeight(const QFont& font);

DialogBaseUnits dialogBaseUnits(const QFont& font);

QRect toPixels(const DialogRect& rect, DialogBaseUnits units);

}  // namespace mensora
