#pragma once
// The main window's dialog template, built in memory from the control table: the dialog
// itself (caption, frame, 518 × 346 dialog units in the dialog font, and below them room for
// the line of the part and lot in force, which the window adds) and every control at its
// rectangle with its id, its window class and styles, and its caption in the given language.
// Windows maps the dialog units to pixels with the dialog font, as it does for a template
// from the resources.

#include <cstdint>
#include <vector>

#include "base/control_table.h"

namespace mensora {

// The bytes of a DLGTEMPLATEEX and its items, 16-bit aligned as the dialog functions need.
std::vector<std::uint16_t> buildDialogTemplate(Language language);

// A label with an id has a caption the program may change: it is drawn by the window, which
// keeps the whole caption as the label's text and draws what fits its box.
inline bool isCaptionedLabel(const DialogControl& control) {
    return control.kind == ControlKind::Label && control.id != 0;
}

}  // namespace mensora
