#pragma once
// Where things stand in the Plan window, in dialog units, for both windows: the plan to choose
// with Import and Export beside it, the part's number and name, the table of characteristics
// with its row buttons on the right, Save and Delete under it on the left, OK and Cancel on the
// right. And the band under the main window's template that shows the walk while a plan is in
// force, with the field for the serial of the part about to start.

#include "base/control_table.h"

namespace mensora {

namespace plan_form {
inline constexpr int kWidthUnits = 440;
inline constexpr int kHeightUnits = 250;
inline constexpr int kMargin = 7;
inline constexpr int kButtonWidth = 50;
inline constexpr int kButtonHeight = 14;
inline constexpr int kRowButtonLeft = kWidthUnits - kMargin - kButtonWidth;
inline constexpr int kBottomTop = kHeightUnits - kMargin - kButtonHeight;

inline constexpr DialogRect kChoiceLabel{kMargin, 9, 50, 9};
inline constexpr DialogRect kChoice{60, 7, 200, 120};  // the height of its open list
inline constexpr DialogRect kImportButton{272, 6, kButtonWidth + 5, kButtonHeight};
inline constexpr DialogRect kExportButton{333, 6, kButtonWidth + 5, kButtonHeight};
inline constexpr DialogRect kPartLabel{kMargin, 28, 50, 9};
inline constexpr DialogRect kPartField{60, 26, 110, 12};
inline constexpr DialogRect kPartNameLabel{180, 28, 56, 9};
inline constexpr DialogRect kPartNameField{238, 26, kRowButtonLeft - 6 - 238, 12};
inline constexpr DialogRect kTable{kMargin, 45, kRowButtonLeft - 6 - kMargin, kBottomTop - 6 - 45};
inline constexpr DialogRect kAddButton{kRowButtonLeft, 45, kButtonWidth, kButtonHeight};
inline constexpr DialogRect kRemoveButton{kRowButtonLeft, 63, kButtonWidth, kButtonHeight};
inline constexpr DialogRect kUpButton{kRowButtonLeft, 87, kButtonWidth, kButtonHeight};
inline constexpr DialogRect kDownButton{kRowButtonLeft, 105, kButtonWidth, kButtonHeight};
inline constexpr DialogRect kSaveButton{kMargin, kBottomTop, kButtonWidth, kButtonHeight};
inline constexpr DialogRect kDeleteButton{kMargin + kButtonWidth + 6, kBottomTop, kButtonWidth,
                                          kButtonHeight};
inline constexpr DialogRect kOkButton{kRowButtonLeft - 6 - kButtonWidth, kBottomTop, kButtonWidth,
                                      kButtonHeight};
inline constexpr DialogRect kCancelButton{kRowButtonLeft, kBottomTop, kButtonWidth, kButtonHeight};
}  // namespace plan_form

// The plan's band under the main window's template, above the line of the part and lot in
// force: it takes room only while a plan is in force, so the window without a plan is as it
// always was.
inline constexpr int kPlanBandUnits = 15;
inline constexpr int kPlanSerialWidthUnits = 80;
inline constexpr DialogRect kPlanSerialFieldRect{kDialogWidthUnits - 7 - kPlanSerialWidthUnits, 1,
                                                 kPlanSerialWidthUnits, 12};
inline constexpr DialogRect kPlanSerialLabelRect{kPlanSerialFieldRect.x - 4 - 36, 3, 36, 9};
inline constexpr DialogRect kPlanLineRect{7, 2, kPlanSerialLabelRect.x - 6 - 7, 10};

}  // namespace mensora
