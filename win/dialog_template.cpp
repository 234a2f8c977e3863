#include "win/dialog_template.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "base/texts.h"
#include "dialog/trace_form.h"
#include "win/template_writer.h"

namespace mensora {
namespace {

struct ItemStyle {
    std::uint32_t style;
    std::uint32_t exStyle;
};

std::uint32_t staticAlignment(std::uint8_t style) {
    std::uint32_t bits = SS_LEFT;
    if ((style & AlignRight) != 0) bits = SS_RIGHT;
    if ((style & AlignHCentre) != 0) bits = SS_CENTER;
    if ((style & AlignVCentre) != 0) bits |= SS_CENTERIMAGE;
    return bits;
}

std::uint32_t editAlignment(std::uint8_t style) {
    if ((style & AlignRight) != 0) return ES_RIGHT;
    if ((style & AlignHCentre) != 0) return ES_CENTER;
    return ES_LEFT;
}

ItemStyle styleOf(const DialogControl& control) {
    const std::uint32_t child = WS_CHILD | WS_VISIBLE;
    switch (control.kind) {
        case ControlKind::GroupBox:
            return {child | BS_GROUPBOX | ((control.style & TitleCentred) != 0 ? BS_CENTER : 0u),
                    0};
        case ControlKind::Label:
            if (isCaptionedLabel(control)) return {child | SS_OWNERDRAW, 0};
            return {child | SS_NOPREFIX | staticAlignment(control.style), 0};
        case ControlKind::Edit:
            return {child | WS_TABSTOP | ES_AUTOHSCROLL | editAlignment(control.style),
                    WS_EX_CLIENTEDGE};
        case ControlKind::ReadOnlyDisplay:
            // Nobody types into a display: the program fills it; a thin edge frames it.
            return {child | WS_DISABLED | ES_AUTOHSCROLL | editAlignment(control.style),
                    WS_EX_STATICEDGE};
        case ControlKind::PushButton: return {child | WS_TABSTOP | BS_PUSHBUTTON, WS_EX_CLIENTEDGE};
        case ControlKind::DropDown:
            // The rectangle's height includes the room the list drops into.
            return {child | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL |
                        ((control.style & SortedItems) != 0 ? CBS_SORT : 0u),
                    0};
        case ControlKind::ListView:
            // A virtual list: rows are read from the record store as they are drawn.
            return {child | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS,
                    WS_EX_CLIENTEDGE};
        case ControlKind::RadioButton: return {child | WS_TABSTOP | BS_AUTORADIOBUTTON, 0};
        case ControlKind::CheckBox: return {child | WS_TABSTOP | BS_AUTOCHECKBOX, 0};
    }
    return {child, 0};
}

void writeClass(TemplateWriter& out, ControlKind kind) {
    switch (kind) {
        case ControlKind::GroupBox:
        case ControlKind::PushButton:
        case ControlKind::RadioButton:
        case ControlKind::CheckBox: out.ordinal(kButtonClass); return;
        case ControlKind::Label: out.ordinal(kStaticClass); return;
        case ControlKind::Edit:
        case ControlKind::ReadOnlyDisplay: out.ordinal(kEditClass); return;
        case ControlKind::DropDown: out.ordinal(kComboBoxClass); return;
        case ControlKind::ListView: out.text(WC_LISTVIEWW); return;
    }
}

// The template item id of a control: its id, or the platform's "no id" for the two labels
// that have none.
int templateIdOf(const DialogControl& control) { return control.id != 0 ? control.id : kNoId; }

}  // namespace

std::vector<std::uint16_t> buildDialogTemplate(Language language) {
    const std::span<const DialogControl> controls = controlTable();
    TemplateWriter out;
    // An application window of its own in the task bar, resizable, with minimise and
    // maximise boxes and the system menu. The line of the part and lot in force lies below the
    // template's controls.
    out.head(WS_EX_APPWINDOW,
             DS_3DLOOK | DS_CENTER | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                 WS_THICKFRAME,
             kDialogWidthUnits, kDialogHeightUnits + kTraceLineUnits, texts::kWindowTitle);

    bool afterRadio = false;
    for (const DialogControl& control : controls) {
        ItemStyle item = styleOf(control);
        const bool radio = control.kind == ControlKind::RadioButton;
        // The language buttons form one group: it starts at the first, and the control after
        // the last starts the next.
        if (radio != afterRadio) item.style |= WS_GROUP;
        afterRadio = radio;

        out.itemPlace(item.exStyle, item.style, control.rect, templateIdOf(control));
        writeClass(out, control.kind);
        const char* caption = captionFor(control, language);
        out.itemCaption(caption != nullptr ? caption : "");
    }
    return out.take();
}

}  // namespace mensora
