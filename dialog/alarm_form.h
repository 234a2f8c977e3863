#pragma once
// Where things stand in the window that acknowledges an alarm, in dialog units, for both
// windows: the rule that fired on top, a cause and a note under it, OK and Cancel below. And
// the band under the main window that holds the alarm line and its button while an alarm
// stands.

#include "base/control_table.h"

namespace mensora::alarm_form {

inline constexpr int kWidthUnits = 300;
inline constexpr int kHeightUnits = 92;
inline constexpr int kLabelWidth = 40;
inline constexpr int kFieldLeft = 7 + kLabelWidth + 4;
inline constexpr int kButtonTop = kHeightUnits - 7 - 14;
inline constexpr DialogRect kAlarm{7, 7, kWidthUnits - 14, 20};
inline constexpr DialogRect kCauseLabel{7, 33, kLabelWidth, 9};
// A drop-down's rectangle includes its list, as Windows sizes it.
inline constexpr DialogRect kCause{kFieldLeft, 31, kWidthUnits - 7 - kFieldLeft, 90};
inline constexpr DialogRect kNoteLabel{7, 51, kLabelWidth, 9};
inline constexpr DialogRect kNote{kFieldLeft, 49, kWidthUnits - 7 - kFieldLeft, 12};
inline constexpr DialogRect kOk{kWidthUnits - 7 - 50 - 6 - 50, kButtonTop, 50, 14};
inline constexpr DialogRect kCancel{kWidthUnits - 7 - 50, kButtonTop, 50, 14};

// The band under the main window's template, above the plan's: the line, and the button at
// its right.
inline constexpr int kBandUnits = 16;
inline constexpr int kButtonWidth = 64;
inline constexpr DialogRect kLine{7, 2, kDialogWidthUnits - 14 - kButtonWidth - 6, 12};
inline constexpr DialogRect kButton{kDialogWidthUnits - 7 - kButtonWidth, 1, kButtonWidth, 14};

}  // namespace mensora::alarm_form
