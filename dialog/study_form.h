#pragma once
// Where things stand in the Gauge study window, in dialog units, for both windows: the study's
// setup and Start on the first row, the gauge and how far the readings have got under it, the
// run chart of the readings, the result, and the buttons along the bottom.

#include "base/control_table.h"

namespace mensora::study_form {

inline constexpr int kWidthUnits = 360;
inline constexpr int kHeightUnits = 262;
inline constexpr int kButtonTop = kHeightUnits - 7 - 14;

inline constexpr DialogRect kReferenceLabel{7, 9, 52, 9};
inline constexpr DialogRect kReferenceField{61, 7, 48, 12};
inline constexpr DialogRect kToleranceLabel{115, 9, 48, 9};
inline constexpr DialogRect kToleranceField{165, 7, 44, 12};
inline constexpr DialogRect kCountLabel{215, 9, 40, 9};
inline constexpr DialogRect kCountField{257, 7, 26, 12};
inline constexpr DialogRect kStartButton{kWidthUnits - 7 - 50, 6, 50, 14};
inline constexpr DialogRect kGaugeLabel{7, 26, 170, 9};
inline constexpr DialogRect kProgressLabel{183, 26, kWidthUnits - 7 - 183, 9};
inline constexpr DialogRect kChart{7, 39, kWidthUnits - 14, 170};
inline constexpr DialogRect kResultLabel{7, 213, kWidthUnits - 14, kButtonTop - 4 - 213};
inline constexpr DialogRect kUndoButton{7, kButtonTop, 66, 14};
inline constexpr DialogRect kCancelButton{79, kButtonTop, 56, 14};
inline constexpr DialogRect kSavePictureButton{141, kButtonTop, 62, 14};
inline constexpr DialogRect kSaveWorkbookButton{209, kButtonTop, 70, 14};
inline constexpr DialogRect kCloseButton{kWidthUnits - 7 - 50, kButtonTop, 50, 14};

}  // namespace mensora::study_form
