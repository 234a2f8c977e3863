#include "win/save_progress_box.h"

#include <commctrl.h>

#include <cstdint>
#include <vector>

#include "base/wide_text.h"
#include "dialog/save_progress_form.h"
#include "win/dialog_owner.h"
#include "win/executable_name.h"
#include "win/template_writer.h"

namespace mensora {
namespace {

// Ids apart from IDOK and IDCANCEL, which the dialog manager gives Enter and Escape.
enum : int { kTextId = 100, kBarId = 101 };

std::vector<std::uint16_t> progressTemplate() {
    using namespace save_progress_form;
    TemplateWriter out;
    out.head(WS_EX_DLGMODALFRAME, DS_MODALFRAME | DS_3DLOOK | WS_POPUP | WS_CAPTION | WS_SYSMENU,
             kWidthUnits, kHeightUnits, utf8(executableBaseName()));
    out.item(kText, kTextId, kStaticClass, SS_LEFT | SS_NOPREFIX, 0, "");
    out.itemPlace(0, 0, kBar, kBarId);
    out.text(PROGRESS_CLASSW);
    out.itemCaption("");
    out.item(kCancel, IDCANCEL, kButtonClass, WS_TABSTOP | BS_DEFPUSHBUTTON, 0, "");
    return out.take();
}

}  // namespace

SaveProgressBox::~SaveProgressBox() {
    if (window_ != nullptr) DestroyWindow(window_);
}

void SaveProgressBox::create(HWND owner) {
    const std::vector<std::uint16_t> layout = progressTemplate();
    window_ = CreateDialogIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(layout.data()), owner,
        &SaveProgressBox::dialogProc, reinterpret_cast<LPARAM>(this));
    if (window_ == nullptr) return;
    SendDlgItemMessageW(window_, kBarId, PBM_SETRANGE32, 0, 100);
    // Over the middle of the main window.
    RECT ownerPlace{};
    GetWindowRect(owner, &ownerPlace);
    RECT place{};
    GetWindowRect(window_, &place);
    const int width = place.right - place.left;
    const int height = place.bottom - place.top;
    SetWindowPos(window_, nullptr,
                 ownerPlace.left + (ownerPlace.right - ownerPlace.left - width) / 2,
                 ownerPlace.top + (ownerPlace.bottom - ownerPlace.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SaveProgressBox::start(HWND owner, const std::string& text, const std::string& cancelText) {
    if (window_ == nullptr) create(owner);
    if (window_ == nullptr) return;
    SetDlgItemTextW(window_, kTextId, wide(text).c_str());
    SetDlgItemTextW(window_, IDCANCEL, wide(cancelText).c_str());
    EnableWindow(GetDlgItem(window_, IDCANCEL), TRUE);
    SendDlgItemMessageW(window_, kBarId, PBM_SETPOS, 0, 0);
    ShowWindow(window_, SW_SHOWNORMAL);
}

void SaveProgressBox::setPercent(int percent) {
    if (window_ != nullptr)
        SendDlgItemMessageW(window_, kBarId, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

void SaveProgressBox::hide() {
    if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
}

bool SaveProgressBox::takesDialogMessage(MSG& message) {
    return window_ != nullptr && IsWindowVisible(window_) && IsDialogMessageW(window_, &message);
}

void SaveProgressBox::cancelled() {
    EnableWindow(GetDlgItem(window_, IDCANCEL), FALSE);
    cancel_();
}

INT_PTR CALLBACK SaveProgressBox::dialogProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* box = dialogOwner<SaveProgressBox>(window, message, lParam);
    if (message == WM_INITDIALOG) return TRUE;
    // Cancel, Escape and the close box all come as Cancel.
    if (box != nullptr && message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        box->cancelled();
        return TRUE;
    }
    return FALSE;
}

}  // namespace mensora
