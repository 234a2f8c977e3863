#include "win/native_runs_window.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/control_ids.h"
#include "base/wide_text.h"
#include "dialog/runs_form.h"
#include "dialog/runs_texts.h"
#include "win/dialog_owner.h"
#include "win/template_writer.h"

namespace mensora {

namespace {

std::vector<std::uint16_t> runsTemplate(Language language) {
    using namespace runs_form;
    TemplateWriter out;
    out.head(0, DS_MODALFRAME | DS_3DLOOK | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
             kWidthUnits, kHeightUnits, pick(runs_texts::kWindowTitle, language));
    out.item(kHeading, kNoId, kStaticClass, SS_LEFT | SS_NOPREFIX, 0,
             pick(runs_texts::kHeading, language));
    out.item(kList, kRunsList, kListBoxClass,
             WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
             WS_EX_CLIENTEDGE, "");
    out.item(kSaveButton, kRunsSaveButton, kButtonClass, WS_TABSTOP | BS_DEFPUSHBUTTON, 0,
             pick(runs_texts::kSaveAs, language));
    out.item(kRestoreButton, kRunsRestoreButton, kButtonClass, WS_TABSTOP | BS_PUSHBUTTON, 0,
             pick(runs_texts::kRestore, language));
    out.item(kCloseButton, kRunsCloseButton, kButtonClass, WS_TABSTOP | BS_PUSHBUTTON, 0,
             pick(runs_texts::kClose, language));
    return out.take();
}

}  // namespace

void NativeRunsWindow::run(HWND owner, Language language) {
    language_ = language;
    const std::vector<std::uint16_t> layout = runsTemplate(language);
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                            reinterpret_cast<LPCDLGTEMPLATEW>(layout.data()), owner,
                            &NativeRunsWindow::dialogProc, reinterpret_cast<LPARAM>(this));
    window_ = nullptr;
    runs_.attach(nullptr, language);
}

INT_PTR CALLBACK NativeRunsWindow::dialogProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* self = dialogOwner<NativeRunsWindow>(window, message, lParam);
    if (message == WM_INITDIALOG) {
        self->window_ = window;
        self->runs_.attach(self, self->language_);
        self->runsRead();
        return TRUE;
    }
    if (self == nullptr || message != WM_COMMAND) return FALSE;
    switch (LOWORD(wParam)) {
        case kRunsSaveButton:
        case IDOK: self->runs_.saveAs(self->chosen()); return TRUE;
        case kRunsRestoreButton: self->runs_.restore(self->chosen()); return TRUE;
        case kRunsCloseButton:
        case IDCANCEL:  // Escape
            EndDialog(window, IDCANCEL);
            return TRUE;
        default: return FALSE;
    }
}

void NativeRunsWindow::runsRead() {
    if (window_ == nullptr) return;
    const HWND list = GetDlgItem(window_, kRunsList);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    LONG_PTR widest = 0;
    const HDC dc = GetDC(list);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
    const HGDIOBJ former = SelectObject(dc, font);
    for (const std::string& line : runs_.lines()) {
        const std::wstring text = wide(line);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max<LONG_PTR>(widest, size.cx);
    }
    SelectObject(dc, former);
    ReleaseDC(list, dc);
    // A line longer than the list scrolls sideways rather than being cut.
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
    EnableWindow(list, runs_.haveRuns() ? TRUE : FALSE);
    if (runs_.haveRuns()) SendMessageW(list, LB_SETCURSEL, 0, 0);
}

std::optional<std::size_t> NativeRunsWindow::chosen() const {
    const LRESULT row = SendMessageW(GetDlgItem(window_, kRunsList), LB_GETCURSEL, 0, 0);
    if (!runs_.haveRuns() || row == LB_ERR) return std::nullopt;
    return static_cast<std::size_t>(row);
}

}  // namespace mensora
