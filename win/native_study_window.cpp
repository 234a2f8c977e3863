#include "win/native_study_window.h"

#include <cstdint>
#include <vector>

#include "base/control_ids.h"
#include "base/wide_text.h"
#include "charts/chart_texts.h"
#include "charts/study_chart.h"
#include "dialog/study_form.h"
#include "dialog/study_texts.h"
#include "files/save_file_types.h"
#include "measure/gauge_study_texts.h"
#include "win/chart_bitmap.h"
#include "win/dialog_owner.h"
#include "win/gdi_canvas.h"
#include "win/png_picture.h"
#include "win/screen_dpi.h"
#include "win/standard_boxes.h"
#include "win/template_writer.h"
#include "win/window_text.h"

namespace mensora {
namespace {

// The one study window that may be open, for the message filter.
HWND openStudyWindow = nullptr;

std::vector<std::uint16_t> studyTemplate(Language language) {
    using namespace study_form;
    namespace st = study_texts;
    TemplateWriter out;
    out.head(0, DS_3DLOOK | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, kWidthUnits,
             kHeightUnits, pick(gauge_study_texts::kWindowTitle, language));
    const auto label = [&](const DialogRect& rect, int id, const char* text) {
        out.item(rect, id, kStaticClass, SS_LEFT | SS_NOPREFIX, 0, text);
    };
    const auto field = [&](const DialogRect& rect, int id) {
        out.item(rect, id, kEditClass, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, "");
    };
    const auto button = [&](const DialogRect& rect, int id, const Bilingual& text, DWORD kind) {
        out.item(rect, id, kButtonClass, WS_TABSTOP | kind, 0, pick(text, language));
    };
    label(kReferenceLabel, kNoId, pick(st::kReference, language));
    field(kReferenceField, kStudyReferenceField);
    label(kToleranceLabel, kNoId, pick(st::kTolerance, language));
    field(kToleranceField, kStudyToleranceField);
    label(kCountLabel, kNoId, pick(st::kCount, language));
    field(kCountField, kStudyCountField);
    button(kStartButton, kStudyStartButton, st::kStart, BS_DEFPUSHBUTTON);
    label(kGaugeLabel, kStudyGaugeLabel, "");
    out.item(kProgressLabel, kStudyProgressLabel, kStaticClass, SS_RIGHT | SS_NOPREFIX, 0, "");
    out.item(kChart, kStudyChart, kStaticClass, SS_OWNERDRAW, 0, "");
    label(kResultLabel, kStudyResultLabel, "");
    button(kUndoButton, kStudyUndoButton, st::kUndo, BS_PUSHBUTTON);
    button(kCancelButton, kStudyCancelButton, st::kCancel, BS_PUSHBUTTON);
    button(kSavePictureButton, kStudySavePictureButton, st::kSavePicture, BS_PUSHBUTTON);
    button(kSaveWorkbookButton, kStudySaveWorkbookButton, st::kSaveWorkbook, BS_PUSHBUTTON);
    button(kCloseButton, kStudyCloseButton, st::kClose, BS_PUSHBUTTON);
    return out.take();
}

void setText(HWND window, int id, const std::string& text) {
    SetDlgItemTextW(window, id, wide(text).c_str());
}

}  // namespace

NativeStudyWindow::~NativeStudyWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
}

void NativeStudyWindow::open(HWND owner, Language language) {
    if (window_ != nullptr) {
        ShowWindow(window_, SW_RESTORE);
        SetForegroundWindow(window_);
        return;
    }
    language_ = language;
    const std::vector<std::uint16_t> layout = studyTemplate(language);
    CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                               reinterpret_cast<LPCDLGTEMPLATEW>(layout.data()), owner,
                               &NativeStudyWindow::dialogProc, reinterpret_cast<LPARAM>(this));
    if (window_ != nullptr) ShowWindow(window_, SW_SHOW);
}

INT_PTR CALLBACK NativeStudyWindow::dialogProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
    auto* self = dialogOwner<NativeStudyWindow>(window, message, lParam);
    if (message == WM_INITDIALOG) self->window_ = window;
    return self != nullptr ? self->handle(message, wParam, lParam) : FALSE;
}

// The main window runs its own modal loop, which hands the keys of a modeless window to it as
// plain messages; the loop offers each message to this filter first.
LRESULT CALLBACK NativeStudyWindow::dialogKeys(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code >= 0 && openStudyWindow != nullptr && IsChild(openStudyWindow, message->hwnd) &&
        IsDialogMessageW(openStudyWindow, message)) {
        return TRUE;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

INT_PTR NativeStudyWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            drawingFont_ = createChartsFont(96);
            const StudyFields fields = panel_.fields();
            setText(window_, kStudyReferenceField, fields.reference);
            setText(window_, kStudyToleranceField, fields.tolerance);
            setText(window_, kStudyCountField, fields.count);
            setText(window_, kStudyGaugeLabel,
                    pick(study_texts::kGauge, language_) + panel_.gaugeId());
            openStudyWindow = window_;
            keys_ = SetWindowsHookExW(WH_MSGFILTER, &NativeStudyWindow::dialogKeys, nullptr,
                                      GetCurrentThreadId());
            panel_.attach(this, language_);
            studyChanged();
            return TRUE;
        }
        case WM_DRAWITEM:
            if (wParam != kStudyChart) return FALSE;
            drawChart(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_CLOSE: DestroyWindow(window_); return TRUE;
        case WM_DESTROY:
            if (keys_ != nullptr) UnhookWindowsHookEx(keys_);
            keys_ = nullptr;
            openStudyWindow = nullptr;
            window_ = nullptr;
            panel_.attach(nullptr, language_);
            DeleteObject(drawingFont_);
            drawingFont_ = nullptr;
            return TRUE;
        case WM_COMMAND: break;
        default: return FALSE;
    }
    if (HIWORD(wParam) != BN_CLICKED) return FALSE;
    switch (LOWORD(wParam)) {
        case kStudyStartButton:
        case IDOK: start(); return TRUE;
        case kStudyUndoButton: panel_.undoLast(); return TRUE;
        case kStudyCancelButton: panel_.cancel(); return TRUE;
        case kStudySavePictureButton: savePicture(); return TRUE;
        case kStudySaveWorkbookButton: saveWorkbook(); return TRUE;
        case kStudyCloseButton:
        case IDCANCEL:  // Escape
            DestroyWindow(window_);
            return TRUE;
        default: return FALSE;
    }
}

std::string NativeStudyWindow::fieldText(int id) const {
    return utf8(windowText(GetDlgItem(window_, id)));
}

void NativeStudyWindow::start() {
    if (!panel_.taking()) {
        panel_.start({fieldText(kStudyReferenceField), fieldText(kStudyToleranceField),
                      fieldText(kStudyCountField)});
    }
}

void NativeStudyWindow::studyChanged() {
    if (window_ == nullptr) return;
    const bool taking = panel_.taking();
    for (const int id : {kStudyReferenceField, kStudyToleranceField, kStudyCountField}) {
        SendDlgItemMessageW(window_, id, EM_SETREADONLY, taking ? TRUE : FALSE, 0);
    }
    const auto enable = [&](int id, bool on) { EnableWindow(GetDlgItem(window_, id), on); };
    enable(kStudyStartButton, !taking);
    enable(kStudyUndoButton, panel_.canUndo());
    enable(kStudyCancelButton, taking);
    enable(kStudySavePictureButton, panel_.finished());
    enable(kStudySaveWorkbookButton, panel_.finished());
    setText(window_, kStudyProgressLabel, panel_.progress());
    setText(window_, kStudyResultLabel, panel_.result());
    InvalidateRect(GetDlgItem(window_, kStudyChart), nullptr, FALSE);
}

void NativeStudyWindow::tell(const std::string& text) {
    showMessageBox(window_, text, MessageIcon::Exclamation);
}

void NativeStudyWindow::drawChart(const DRAWITEMSTRUCT& item) {
    paintChart(
        item.hDC, drawingFont_, item.rcItem, dpiOf(window_),
        [this](Canvas& canvas, const Rect& area) { drawStudyChart(canvas, area, panel_.chart()); });
}

// The picture is the figures' heading over the chart as the window shows it.
void NativeStudyWindow::savePicture() {
    const std::optional<SaveChoice> choice = askSavePath(
        window_, study_texts::kPictureName, {pick(chart_texts::kPictureFilter, language_)});
    if (!choice) return;
    const int dpi = dpiOf(window_);
    RECT chart{};
    GetClientRect(GetDlgItem(window_, kStudyChart), &chart);
    const HDC screen = GetDC(window_);
    int heading = 0;
    {
        const HDC probe = CreateCompatibleDC(screen);
        const HGDIOBJ former = SelectObject(probe, drawingFont_);
        {
            GdiCanvas canvas(probe);
            heading = MulDiv(studyPictureHeadingHeight(canvas), dpi, 96);
        }
        SelectObject(probe, former);
        DeleteDC(probe);
    }
    const HBITMAP picture =
        drawnChart(screen, drawingFont_, {chart.right, chart.bottom + heading}, dpi,
                   [this](Canvas& canvas, const Rect& area) {
                       drawStudyPicture(canvas, area, panel_.chart(), panel_.heading());
                   });
    ReleaseDC(window_, screen);
    const bool saved = savePngPicture(picture, wide(choice->path));
    DeleteObject(picture);
    if (!saved) {
        showMessageBox(window_, pick(chart_texts::kPictureNotSaved, language_) + choice->path,
                       MessageIcon::Stop);
    }
}

void NativeStudyWindow::saveWorkbook() {
    const std::optional<SaveChoice> choice =
        askSavePath(window_, study_texts::kWorkbookName, {pick(kWorkbookFilter, language_)});
    if (choice) panel_.saveWorkbook(choice->path);
}

}  // namespace mensora
