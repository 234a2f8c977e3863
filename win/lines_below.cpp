#include "win/lines_below.h"

#include "base/control_ids.h"
#include "base/wide_text.h"
#include "dialog/alarm_form.h"
#include "dialog/alarm_texts.h"
#include "dialog/lines_below.h"
#include "dialog/plan_form.h"
#include "dialog/plan_texts.h"
#include "dialog/trace_form.h"
#include "win/template_writer.h"

namespace mensora {
namespace {

// The line of values in force as the form places it, at the dialog's scale: its left edge and
// width serve both lines.
RECT traceLinePlace(HWND dialog) {
    RECT place{kTraceLineRect.x, kTraceLineRect.y, kTraceLineRect.width, kTraceLineRect.height};
    MapDialogRect(dialog, &place);
    return place;
}

// A height in dialog units at the dialog's scale.
int pixelsHigh(HWND dialog, int units) {
    RECT band{0, 0, 0, units};
    MapDialogRect(dialog, &band);
    return band.bottom;
}

// A control of the plan's band where the form places it, in a band whose top is `top`. The
// place and the size are mapped each on its own, as the dialog manager maps a template's.
void placeInBand(HWND dialog, HWND control, const DialogRect& rect, int top) {
    RECT place{rect.x, rect.y, rect.width, rect.height};
    MapDialogRect(dialog, &place);
    SetWindowPos(control, nullptr, place.left, top + place.top, place.right, place.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND makeControl(HWND dialog, const wchar_t* kind, int id, const std::wstring& text, DWORD style,
                 DWORD exStyle = 0) {
    const HWND made = CreateWindowExW(exStyle, kind, text.c_str(), WS_CHILD | style, 0, 0, 0, 0,
                                      dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                      GetModuleHandleW(nullptr), nullptr);
    SendMessageW(made, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    return made;
}

HWND makeLine(HWND dialog, int id, const std::wstring& text, DWORD style) {
    return makeControl(dialog, L"STATIC", id, text, SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS | style);
}

// White on the red of a warning lamp.
constexpr COLORREF kAlarmRed = RGB(0xC0, 0x00, 0x00);
constexpr COLORREF kAlarmText = RGB(0xFF, 0xFF, 0xFF);

}  // namespace

LinesBelow::~LinesBelow() {
    if (alarmBrush_ != nullptr) DeleteObject(alarmBrush_);
}

void LinesBelow::create(HWND dialog, Language language) {
    dialog_ = dialog;
    // The plan's band is hidden until a plan is in force. Its field takes the serial as a
    // scanner types it, ended by Enter.
    plan_ = makeLine(dialog, kPlanLine, L"", SS_CENTERIMAGE);
    serialLabel_ =
        makeLine(dialog, kNoId, wide(pick(plan_texts::kSerialLabel, language)), SS_CENTERIMAGE);
    serialField_ = makeControl(dialog, L"EDIT", kPlanSerialField, L"",
                               WS_TABSTOP | ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE);
    trace_ = makeLine(dialog, kTraceLine, traceText_, WS_VISIBLE | SS_CENTERIMAGE);
    plant_ = makeLine(dialog, kPlantLine, plantText_, 0);
    traceBand_ = pixelsHigh(dialog, kTraceLineUnits);
    // The alarm's band is hidden until an alarm stands.
    alarm_ = makeLine(dialog, kAlarmLine, L"", SS_CENTERIMAGE);
    alarmButton_ = makeControl(dialog, L"BUTTON", kAlarmAckButton,
                               wide(pick(alarm_texts::kAcknowledgeButton, language)),
                               WS_TABSTOP | BS_PUSHBUTTON);
    alarmBrush_ = CreateSolidBrush(kAlarmRed);
}

int LinesBelow::showAlarm(const std::string& text) {
    alarmText_ = wide(text);
    if (alarm_ == nullptr) return 0;
    SetWindowTextW(alarm_, alarmText_.c_str());
    const int shown = alarmText_.empty() ? SW_HIDE : SW_SHOWNA;
    for (const HWND control : {alarm_, alarmButton_}) ShowWindow(control, shown);
    const int band = alarmText_.empty() ? 0 : pixelsHigh(dialog_, alarm_form::kBandUnits);
    const int grown = band - alarmBand_;
    alarmBand_ = band;
    return grown;
}

HBRUSH LinesBelow::colours(HWND control, HDC dc) {
    if (control != alarm_ || alarm_ == nullptr) return nullptr;
    SetTextColor(dc, kAlarmText);
    SetBkColor(dc, kAlarmRed);
    return alarmBrush_;
}

int LinesBelow::planBandOf() const {
    return planText_.empty() ? 0 : pixelsHigh(dialog_, kPlanBandUnits);
}

int LinesBelow::showPlan(const std::string& text) {
    planText_ = wide(text);
    if (plan_ == nullptr) return 0;
    SetWindowTextW(plan_, planText_.c_str());
    const int shown = planText_.empty() ? SW_HIDE : SW_SHOWNA;
    for (const HWND control : {plan_, serialLabel_, serialField_}) ShowWindow(control, shown);
    const int band = planBandOf();
    const int grown = band - planBand_;
    planBand_ = band;
    return grown;
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
    const lines_below::Tops tops =
        lines_below::topsIn(clientHeight, {alarmBand_, planBand_, traceBand_, plantBand_});
    placeInBand(dialog_, alarm_, alarm_form::kLine, tops.alarm);
    placeInBand(dialog_, alarmButton_, alarm_form::kButton, tops.alarm);
    placeInBand(dialog_, plan_, kPlanLineRect, tops.plan);
    placeInBand(dialog_, serialLabel_, kPlanSerialLabelRect, tops.plan);
    placeInBand(dialog_, serialField_, kPlanSerialFieldRect, tops.plan);
    SetWindowPos(trace_, nullptr, line.left, tops.trace, line.right, line.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(plant_, nullptr, line.left, tops.plant, line.right, plantBand_,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void LinesBelow::rescale() {
    const WPARAM font = static_cast<WPARAM>(SendMessageW(dialog_, WM_GETFONT, 0, 0));
    for (const HWND line :
         {plan_, serialLabel_, serialField_, trace_, plant_, alarm_, alarmButton_}) {
        SendMessageW(line, WM_SETFONT, font, TRUE);
    }
    planBand_ = planBandOf();
    alarmBand_ = alarmText_.empty() ? 0 : pixelsHigh(dialog_, alarm_form::kBandUnits);
    traceBand_ = pixelsHigh(dialog_, kTraceLineUnits);
    fitPlant();
}

}  // namespace mensora
