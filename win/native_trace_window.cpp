#include "win/native_trace_window.h"

#include <cstdint>
#include <vector>

#include "base/control_ids.h"
#include "base/control_table.h"
#include "base/wide_text.h"
#include "dialog/trace_form.h"
#include "measure/trace_texts.h"
#include "win/dialog_owner.h"
#include "win/standard_boxes.h"
#include "win/template_writer.h"

namespace mensora {
namespace {

// The window as the form places it, in the dialog font, with its texts in `language`.
std::vector<std::uint16_t> traceTemplate(Language language) {
    TemplateWriter out;
    out.head(0, DS_MODALFRAME | DS_3DLOOK | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
             kTraceFormWidthUnits, kTraceFormHeightUnits,
             pick(trace_texts::kWindowTitle, language));
    for (std::size_t i = 0; i < kTraceFieldCount; ++i) {
        out.item(traceLabelRect(i), kNoId, kStaticClass, SS_LEFT | SS_NOPREFIX, 0,
                 pick(kTraceFields[i].label, language));
        out.item(traceFieldRect(i), kTraceFirstField + static_cast<int>(i), kEditClass,
                 WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE, "");
    }
    out.item(kTraceOkRect, IDOK, kButtonClass, WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
             pick(trace_texts::kOk, language));
    out.item(kTraceCancelRect, IDCANCEL, kButtonClass, WS_TABSTOP | BS_PUSHBUTTON, 0,
             pick(trace_texts::kCancel, language));
    return out.take();
}

std::string fieldText(HWND window, std::size_t field) {
    const HWND edit = GetDlgItem(window, kTraceFirstField + static_cast<int>(field));
    const int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int read = GetWindowTextW(edit, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(read > 0 ? read : 0));
    return utf8(text);
}

void focusField(HWND window, std::size_t field) {
    const HWND edit = GetDlgItem(window, kTraceFirstField + static_cast<int>(field));
    SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    SendMessageW(edit, EM_SETSEL, 0, -1);
}

}  // namespace

bool NativeTraceWindow::ask(HWND owner, Language language) {
    language_ = language;
    const std::vector<std::uint16_t> layout = traceTemplate(language);
    return DialogBoxIndirectParamW(
               GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(layout.data()), owner,
               &NativeTraceWindow::dialogProc, reinterpret_cast<LPARAM>(this)) == IDOK;
}

INT_PTR CALLBACK NativeTraceWindow::dialogProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    auto* self = dialogOwner<NativeTraceWindow>(window, message, lParam);
    if (message == WM_INITDIALOG) {
        self->opened(window);
        return FALSE;  // the focus is set
    }
    if (self == nullptr || message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
    // Escape arrives as Cancel, Enter as OK.
    if (LOWORD(wParam) == IDOK) {
        self->confirm(window);
        return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(window, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

void NativeTraceWindow::opened(HWND window) {
    const TraceTexts shown = panel_.shown();
    for (std::size_t i = 0; i < kTraceFieldCount; ++i) {
        SetDlgItemTextW(window, kTraceFirstField + static_cast<int>(i), wide(shown[i]).c_str());
    }
    focusField(window, 0);
}

void NativeTraceWindow::confirm(HWND window) {
    TraceTexts typed;
    for (std::size_t i = 0; i < kTraceFieldCount; ++i) typed[i] = fieldText(window, i);
    const std::optional<TracePanel::Refusal> refusal = panel_.confirm(typed, language_);
    if (!refusal) {
        EndDialog(window, IDOK);
        return;
    }
    showMessageBox(window, refusal->message, MessageIcon::Exclamation);
    focusField(window, refusal->field);
}

}  // namespace mensora
