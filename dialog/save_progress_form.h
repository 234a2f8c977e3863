#pragma once
// Where things stand in the box over the main window while a workbook is written, in dialog
// units, for both windows: the text, the progress bar under it, Cancel at the bottom right.
// Cancel, Escape and the close box all cancel; the button is then disabled, and the box stays
// until the save has really stopped, when the core hides it.

#include "base/control_table.h"

namespace mensora::save_progress_form {

inline constexpr int kWidthUnits = 206;
inline constexpr int kHeightUnits = 64;
inline constexpr DialogRect kText{7, 7, kWidthUnits - 14, 10};
inline constexpr DialogRect kBar{7, 21, kWidthUnits - 14, 11};
inline constexpr DialogRect kCancel{kWidthUnits - 7 - 50, 43, 50, 14};

}  // namespace mensora::save_progress_form
