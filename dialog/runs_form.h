#pragma once
// Where things stand in the Earlier runs window, in dialog units, for both windows: a heading,
// the list of runs under it, and Save as, Restore into the list and Close below.

#include "base/control_table.h"

namespace mensora::runs_form {

inline constexpr int kWidthUnits = 420;
inline constexpr int kHeightUnits = 170;
inline constexpr int kButtonTop = kHeightUnits - 7 - 14;
inline constexpr DialogRect kHeading{7, 7, kWidthUnits - 14, 9};
inline constexpr DialogRect kList{7, 19, kWidthUnits - 14, kButtonTop - 6 - 19};
inline constexpr DialogRect kSaveButton{7, kButtonTop, 60, 14};
inline constexpr DialogRect kRestoreButton{7 + 60 + 6, kButtonTop, 90, 14};
inline constexpr DialogRect kCloseButton{kWidthUnits - 7 - 50, kButtonTop, 50, 14};

}  // namespace mensora::runs_form
