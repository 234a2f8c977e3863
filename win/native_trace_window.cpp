#include "win/native_trace_window.h"

#include <cstdint>
#include <vector>

#include "base/control_ids.h"
#include "base/control_table.h"
#include "base/wide_text.h"
#include "dialog/trace_form.h"
#include "measure/trace_texts.h"
#include "win/standard_boxes.h"
#include "win/template_writer.h"

namespace mensora {
namespace {

void writeItem(TemplateWriter& out, const DialogRect& place, int id, std::uint16_t kind,
               std::uint32_t style, std::uint32_t exStyle, const char* caption) {
    out.alignItem();
    out.dword(0);  // help id
    out.dword(exStyle);
    out.dword(WS_CHILD | WS_VISIBLE | style);
    out.word(static_cast<std::uint16_t>(place.x));
    out.word(static_cast<std::uint16_t>(place.y));
    out.word(static_cast<std::uint16_t>(place.width));
    out.word(static_cast<std::uint16_t>(place.height));
    out.dword(static_cast<std::uint32_t>(id));
    out.ordinal(kind);
    out.text(wide(caption));
    out.word(0);  // no creation data
}

// The window as the form places it, in the dialog font, with its texts in `language`.
std::vector<std::uint16_t> traceTemplate(Language language) {
    TemplateWriter out;
    out.word(1);       // template version
    out.word(0xFFFF);  // the extended template
    out.dword(0);      // help id
    out.dword(0);
    out.dword(DS_SETFONT | DS_MODALFRAME | DS_3DLOOK | DS_CENTER | WS_POPUP | WS_CAPTION |
              WS_SYSMENU);
    out.word(static_cast<std::uint16_t>(2 * kTraceFieldCount + 2));
    out.word(0);
    out.word(0);
    out.word(static_cast<std::uint16_t>(kTraceFormWidthUnits));
    out.word(static_cast<std::uint16_t>(kTraceFormHeightUnits));
    out.word(0);  // no menu
    out.word(0);  // the dialog class
    out.text(wide(pick(trace_texts::kWindowTitle, language)));
    out.word(static_cast<std::uint16_t>(kDialogFontPoints));
    out.word(FW_NORMAL);
    out.word(DEFAULT_CHARSET << 8);  // not italic; the character set
    out.text(wide(kDialogFontFace));
    for (std::size_t i = 0; i < kTraceFieldCount; ++i) {
        writeItem(out, traceLabelRect(i), kNoId, kStaticClass, SS_LEFT | SS_NOPREFIX, 0,
                  pick(kTraceFields[i].label, language));
        writeItem(out, traceFieldRect(i), kTraceFirstField + static_cast<int>(i), kEditClass,
                  WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE, "");
    }
    writeItem(out, kTraceOkRect, IDOK, kButtonClass, WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
              pick(trace_texts::kOk, language));
    writeItem(out, kTraceCancelRect, IDCANCEL, kButtonClass, WS_TABSTOP | BS_PUSHBUTTON, 0,
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
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                   reinterpret_cast<LPCDLGTEMPLATEW>(layout.data()), owner,
                                   &NativeTraceWindow::dialogProc,
                                   reinterpret_cast<LPARAM>(this)) == IDOK;
}

INT_PTR CALLBACK NativeTraceWindow::dialogProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        reinterpret_cast<NativeTraceWindow*>(lParam)->opened(window);
        return FALSE;  // the focus is set
    }
    auto* self = reinterpret_cast<NativeTraceWindow*>(GetWindowLongPtrW(window, DWLP_USER));
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
