#pragma once
// Where things stand in the Part and lot window, in dialog units, for both windows: a label
// and a one-line field for each value, OK and Cancel below them. And the line under the main
// window's own layout that shows the values in force.

#include <cstddef>

#include "base/control_table.h"
#include "measure/trace_fields.h"

namespace mensora {

inline constexpr int kTraceFormWidthUnits = 282;
inline constexpr int kTraceFormHeightUnits = 126;

namespace trace_form {
inline constexpr int kMargin = 7;
inline constexpr int kRowStep = 18;
inline constexpr int kLabelWidth = 62;
inline constexpr int kFieldLeft = kMargin + kLabelWidth + 4;
inline constexpr int kButtonWidth = 50;
inline constexpr int kButtonHeight = 14;
inline constexpr int kButtonTop = kMargin + static_cast<int>(kTraceFieldCount) * kRowStep + 5;
}  // namespace trace_form

inline constexpr DialogRect traceLabelRect(std::size_t field) {
    using namespace trace_form;
    return {kMargin, kMargin + 2 + static_cast<int>(field) * kRowStep, kLabelWidth, 9};
}

inline constexpr DialogRect traceFieldRect(std::size_t field) {
    using namespace trace_form;
    return {kFieldLeft, kMargin + static_cast<int>(field) * kRowStep,
            kTraceFormWidthUnits - kMargin - kFieldLeft, 12};
}

inline constexpr DialogRect kTraceOkRect{
    kTraceFormWidthUnits - trace_form::kMargin - 2 * trace_form::kButtonWidth - 6,
    trace_form::kButtonTop, trace_form::kButtonWidth, trace_form::kButtonHeight};
inline constexpr DialogRect kTraceCancelRect{
    kTraceFormWidthUnits - trace_form::kMargin - trace_form::kButtonWidth, trace_form::kButtonTop,
    trace_form::kButtonWidth, trace_form::kButtonHeight};

// The main window grows by this much below its template for the line of values in force; the
// template's controls keep their places and the record area stretches as before.
inline constexpr int kTraceLineUnits = 12;
inline constexpr DialogRect kTraceLineRect{7, kDialogHeightUnits, kDialogWidthUnits - 14, 10};

}  // namespace mensora
