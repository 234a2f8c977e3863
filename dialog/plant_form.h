#pragma once
// Where things stand in the Plant database window, in dialog units, for both windows: a label
// and a field on each of two rows, Test under them on the left, OK and Cancel on the right.

#include "base/control_table.h"

namespace mensora::plant_form {

inline constexpr int kWidthUnits = 376;
inline constexpr int kHeightUnits = 69;
inline constexpr int kFieldLeft = 108;
inline constexpr DialogRect kConnectionLabel{7, 9, 98, 9};
inline constexpr DialogRect kConnectionField{kFieldLeft, 7, kWidthUnits - 7 - kFieldLeft, 12};
inline constexpr DialogRect kBenchLabel{7, 27, 98, 9};
inline constexpr DialogRect kBenchField{kFieldLeft, 25, 126, 12};
inline constexpr DialogRect kTestButton{7, 48, 50, 14};
inline constexpr DialogRect kOkButton{kWidthUnits - 7 - 50 - 6 - 50, 48, 50, 14};
inline constexpr DialogRect kCancelButton{kWidthUnits - 7 - 50, 48, 50, 14};

}  // namespace mensora::plant_form
