#include "win/lines_below.h"

#include "base/control_ids.h"
#include "base/wide_text.h"
#include "dialog/lines_below.h"
#include "dialog/trace_form.h"

namespace mensora {
namespace {

// The line of values in force as the form places it, at the dialog's scale: its left edge and
// width serve both lines.
RECT traceLinePlace(HWND dialog) {
    RECT place{kTraceLineRect.x, kTraceLineRect.y, kTraceLineRect.width, kTraceLineRect.height};
    MapDialogRect(dialog, &place);
    return place;
}

// The band of the line of values in force, at the dialog's scale.
int traceBandOf(HWND dialog) {
    RECT band{0, 0, 0, kTraceLineUnits};
    MapDialogRect(dialog, &band);
    return band.bottom;
}

HWND makeLine(HWND dialog, int id, const std::wstring& text, DWORD style) {
    const HWND line = CreateWindowExW(
        0, L"STATIC", text.c_str(), WS_CHILD | SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS | style, 0, 0,
        0, 0, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
        nullptr);
    SendMessageW(line, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    return line;
}

}  // namespace

void LinesBelow::create(HWND dialog) {
    dialog_ = dialog;
    trace_ = makeLine(dialog, kTraceLine, traceText_, WS_VISIBLE | SS_CENTERIMAGE);
    plant_ = makeLine(dialog, kPlantLine, plantText_, 0);
    traceBand_ = traceBandOf(dialog);
}

void LinesBelow::showTrace(const std::string& text) {
    traceText_ = wide(text);
    if (trace_ != nullptr) SetWindowTextW(trace_, traceText_.c_str());
}

int LinesBelow::showPlant(const std::string& text) {
    plantText_ = wide(text);
    if (plant_ == nullptr) return 0;
    SetWindowTextW(plant_, plantText_.c_str());
    return fitPlant();
}

int LinesBelow::fitPlant() {
    if (plant_ == nullptr) return 0;
    int textHeight = 0;
    if (!plantText_.empty()) {
        const HDC dc = GetDC(plant_);
        const HGDIOBJ former =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(plant_, WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, former);
        ReleaseDC(plant_, dc);
        textHeight = metrics.tmHeight;
    }
    const int band = lines_below::plantBandOf(textHeight, !plantText_.empty());
    ShowWindow(plant_, plantText_.empty() ? SW_HIDE : SW_SHOWNA);
    const int grown = band - plantBand_;
    plantBand_ = band;
    return grown;
}

void LinesBelow::place(int clientHeight) {
    if (dialog_ == nullptr) return;
    const RECT line = traceLinePlace(dialog_);
    const lines_below::Tops tops = lines_below::topsIn(clientHeight, 0, traceBand_, plantBand_);
    SetWindowPos(trace_, nullptr, line.left, tops.trace, line.right, line.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(plant_, nullptr, line.left, tops.plant, line.right, plantBand_,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void LinesBelow::rescale() {
    const WPARAM font = static_cast<WPARAM>(SendMessageW(dialog_, WM_GETFONT, 0, 0));
    for (const HWND line : {trace_, plant_}) SendMessageW(line, WM_SETFONT, font, TRUE);
    traceBand_ = traceBandOf(dialog_);
    fitPlant();
}

}  // namespace mensora
