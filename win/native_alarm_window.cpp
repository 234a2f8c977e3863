#include "win/native_alarm_window.h"

#include <cstdint>
#include <vector>

#include "base/control_ids.h"
#include "base/wide_text.h"
#include "dialog/alarm_form.h"
#include "dialog/alarm_texts.h"
#include "win/dialog_owner.h"
#include "win/template_writer.h"
#include "win/window_text.h"

namespace mensora {
namespace {

// The window as the form places it, in the dialog font, with its texts in `language`.
std::vector<std::uint16_t> alarmTemplate(Language language) {
    using namespace alarm_form;
    TemplateWriter out;
    out.head(0, DS_MODALFRAME | DS_3DLOOK | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
             kWidthUnits, kHeightUnits, pick(alarm_texts::kWindowTitle, language));
    out.item(kAlarm, kAlarmRuleLabel, kStaticClass, SS_LEFT | SS_NOPREFIX, 0, "");
    out.item(kCauseLabel, kNoId, kStaticClass, SS_LEFT | SS_NOPREFIX, 0,
             pick(alarm_texts::kCause, language));
    out.item(kCause, kAlarmCauseField, kComboBoxClass,
             WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, "");
    out.item(kNoteLabel, kNoId, kStaticClass, SS_LEFT | SS_NOPREFIX, 0,
             pick(alarm_texts::kNote, language));
    out.item(kNote, kAlarmNoteField, kEditClass, WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT,
             WS_EX_CLIENTEDGE, "");
    out.item(kOk, IDOK, kButtonClass, WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
             pick(alarm_texts::kOk, language));
    out.item(kCancel, IDCANCEL, kButtonClass, WS_TABSTOP | BS_PUSHBUTTON, 0,
             pick(alarm_texts::kCancel, language));
    return out.take();
}

std::string itemText(HWND window, int id) {
    std::string text = utf8(windowText(GetDlgItem(window, id)));
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

}  // namespace

void NativeAlarmWindow::ask(HWND owner, Language language) {
    language_ = language;
    const std::vector<std::uint16_t> layout = alarmTemplate(language);
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                            reinterpret_cast<LPCDLGTEMPLATEW>(layout.data()), owner,
                            &NativeAlarmWindow::dialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK NativeAlarmWindow::dialogProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    auto* self = dialogOwner<NativeAlarmWindow>(window, message, lParam);
    if (message == WM_INITDIALOG) {
        self->opened(window);
        return FALSE;  // the focus is set
    }
    if (self == nullptr || message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return FALSE;
    // Escape arrives as Cancel, Enter as OK.
    if (LOWORD(wParam) == IDOK) {
        self->board_.acknowledge(itemText(window, kAlarmCauseField),
                                 itemText(window, kAlarmNoteField));
        EndDialog(window, IDOK);
        return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(window, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

void NativeAlarmWindow::opened(HWND window) {
    SetDlgItemTextW(window, kAlarmRuleLabel, wide(board_.newest(language_)).c_str());
    const HWND cause = GetDlgItem(window, kAlarmCauseField);
    for (const Bilingual& common : alarm_texts::kCommonCauses) {
        SendMessageW(cause, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(wide(pick(common, language_)).c_str()));
    }
    SendMessageW(GetDlgItem(window, kAlarmNoteField), EM_LIMITTEXT, 200, 0);
    SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(cause), TRUE);
}

}  // namespace mensora
