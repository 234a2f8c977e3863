#include "win/window_text.h"
#include "win/native_main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "base/caption_fitting.h"
#include "base/control_ids.h"
#include "base/control_table.h"
#include "base/font_cell.h"
#include "base/texts.h"
#include "base/wide_text.h"
#include "dialog/further_windows.h"
#include "dialog/trace_form.h"
#include "win/dialog_owner.h"
#include "win/dialog_template.h"
#include "win/resource_ids.h"
#include "win/screen_dpi.h"
#include "win/standard_boxes.h"

namespace mensora {
namespace {

// The one main window of the thread, for the key filter, which carries no context of its own.
NativeMainWindow* filtering = nullptr;

// The window's own timer that shows what waits for the frame; the core's timers are 1 to 8.
constexpr UINT_PTR kFrameTimer = 100;

bool isClickable(const DialogControl* row) {
    return row != nullptr &&
           (row->kind == ControlKind::PushButton || row->kind == ControlKind::RadioButton ||
            row->kind == ControlKind::CheckBox);
}

// Asked of the window by itself once Windows has rescaled the dialog for a new monitor.
constexpr UINT kFollowScale = WM_APP + 2;

// The large type of the live reading: a positive height is the character cell's, as given,
// grown with the scale as the dialog font grows.
HFONT createDisplayFont(int dpi) {
    LOGFONTW font{};
    font.lfHeight = pixelsAtResolution(kDisplayFontHeight, dpi);
    font.lfWeight = FW_BOLD;
    font.lfCharSet = ANSI_CHARSET;
    font.lfPitchAndFamily = FF_SWISS;
    const std::wstring face = wide(kDisplayFontFace);
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

HICON loadIcon(int sizeMetric) {
    const int size = GetSystemMetrics(sizeMetric);
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(MENSORA_ICON),
                                         IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace

NativeMainWindow::NativeMainWindow(const RecordStore& store, const RecordListTexts& listTexts,
                                   const RecordTraces& traces, WindowTimers& timers)
    : timers_(timers), list_(store, listTexts, traces) {}

NativeMainWindow::~NativeMainWindow() {
    if (displayFont_ != nullptr) DeleteObject(displayFont_);
}

void NativeMainWindow::run(HINSTANCE instance, Language language) {
    language_ = language;
    const std::vector<std::uint16_t> layout = buildDialogTemplate(language);
    DialogBoxIndirectParamW(instance, reinterpret_cast<LPCDLGTEMPLATEW>(layout.data()), nullptr,
                            &NativeMainWindow::dialogProc, reinterpret_cast<LPARAM>(this));
    if (keyFilter_ != nullptr) UnhookWindowsHookEx(keyFilter_);
    keyFilter_ = nullptr;
    filtering = nullptr;
    window_ = nullptr;
    timers_.attach(nullptr);
}

// A modal dialog's loop hands each message to the thread's message filters before the dialog
// treats it, whichever control has the focus: the one place to see F3 and F4, Page Up and
// Page Down in a dialog box.
// The save's progress box is not modal: its keys come through here too.
LRESULT CALLBACK NativeMainWindow::keyFilter(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && filtering != nullptr &&
        filtering->progress_.takesDialogMessage(*message)) {
        return 1;
    }
    if (code == MSGF_DIALOGBOX && filtering != nullptr && message->message == WM_KEYDOWN &&
        (message->hwnd == filtering->window_ || IsChild(filtering->window_, message->hwnd)) &&
        filtering->takeKey(message->wParam)) {
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Whether the key opened a window beside this one or moved the plan's walk.
bool NativeMainWindow::takeKey(WPARAM key) {
    for (const FurtherWindowEntry& entry : furtherWindows()) {
        if (entry.functionKey != 0 && key == static_cast<WPARAM>(VK_F1 + entry.functionKey - 1)) {
            open(entry.window);
            return true;
        }
    }
    if ((key != VK_PRIOR && key != VK_NEXT) || !lines_.planShown() || controller_ == nullptr) {
        return false;
    }
    controller_->onCommand(key == VK_PRIOR ? kPlanPreviousCommand : kPlanNextCommand);
    showFrameNow();
    return true;
}

// Enter in the serial field: the serial of the part about to start, and the field is ready
// for the next.
void NativeMainWindow::takeSerial() {
    const HWND field = control(kPlanSerialField);
    const std::string serial = utf8(windowText(field));
    SetWindowTextW(field, L"");
    if (controller_ != nullptr) controller_->plan().setSerial(serial);
}

INT_PTR CALLBACK NativeMainWindow::dialogProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* self = dialogOwner<NativeMainWindow>(window, message, lParam);
    if (message == WM_INITDIALOG) {
        self->created(window);
        return TRUE;
    }
    // Messages before WM_INITDIALOG find no window object yet and get the default handling.
    return self != nullptr ? self->handle(message, wParam, lParam) : FALSE;
}

void NativeMainWindow::created(HWND window) {
    window_ = window;
    timers_.attach(window);
    list_.attach(control(RecordList));

    const std::wstring aboutItem = wide(kAboutItemText);
    if (HMENU menu = GetSystemMenu(window, FALSE); menu != nullptr && !aboutItem.empty()) {
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, kAboutCommand, aboutItem.c_str());
        for (const FurtherWindowEntry& entry : furtherWindows()) {
            const std::wstring item = wide(pick(entry.title, language_));
            AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(entry.menuCommand), item.c_str());
        }
    }
    filtering = this;
    keyFilter_ = SetWindowsHookExW(WH_MSGFILTER, &NativeMainWindow::keyFilter, nullptr,
                                   GetCurrentThreadId());
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(loadIcon(SM_CXICON)));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(loadIcon(SM_CXSMICON)));

    useDisplayFont();
    for (const int list : {SoundList, UnitList}) {
        const auto items = templateListItems(list);
        setListItems(list, items.data(), static_cast<int>(items.size()));
    }
    tellCutCaptions();
    const std::wstring further = wide(furtherWindowsTip(language_, MenuPlace::CaptionBar));
    tipOver(control(RecordList), RecordList, further, TipArea::OwnWindow);
    tipOver(control(StatisticsGroup), StatisticsGroup, further, TipArea::PlaceInWindow);

    lines_.create(window, language_);
    // Never smaller than the window may be dragged to, from the start; the controls keep the
    // places the template gave them, as when the platform applies the limits at creation.
    RECT outer{};
    GetWindowRect(window, &outer);
    const SIZE least = minimumTrackingSize();
    const int width = std::max<int>(outer.right - outer.left, least.cx);
    const int height = std::max<int>(outer.bottom - outer.top, least.cy);
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    // The size the controls were laid out for: the first size change, which only records.
    RECT client{};
    GetClientRect(window, &client);
    // Placed here too: a size that did not change sends no WM_SIZE.
    lines_.place(client.bottom);
    resizeRule_.sizeChanged(client.bottom - lines_.height(), false);

    if (controller_ != nullptr) controller_->initialise();
    growBelow(lines_.fitPlant());
}

INT_PTR NativeMainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            // The dialog's own keys: Enter as its default command, Escape as cancel; Enter
            // in the serial field ends the serial.
            if (id == IDOK && GetFocus() == control(kPlanSerialField)) {
                takeSerial();
            } else if (id == IDOK) {
                closeIf(CloseRequest::Enter);
            } else if (id == IDCANCEL) {
                closeIf(CloseRequest::Escape);
            } else if (id == kAlarmAckButton) {
                if (alarmAcknowledge_) alarmAcknowledge_(window_);
            } else {
                command(id, HIWORD(wParam));
            }
            return TRUE;
        }
        case WM_CLOSE: closeIf(CloseRequest::CloseBox); return TRUE;
        case WM_SYSCOMMAND:
            for (const FurtherWindowEntry& entry : furtherWindows()) {
                if ((wParam & 0xFFF0) != static_cast<WPARAM>(entry.menuCommand)) continue;
                open(entry.window);
                return TRUE;
            }
            if ((wParam & 0xFFF0) != kAboutCommand) return FALSE;
            if (controller_ != nullptr) controller_->onSystemCommand(kAboutCommand);
            return TRUE;
        case WM_TIMER:
            if (wParam == kFrameTimer) {
                showFrameNow();
            } else if (controller_ != nullptr) {
                controller_->onTimer(static_cast<int>(wParam));
            }
            return TRUE;
        case WM_SIZE:
            if (!rescaling_) sizeChanged(HIWORD(lParam), wParam == SIZE_MINIMIZED);
            return FALSE;
        case WM_GETMINMAXINFO: {
            const SIZE least = minimumTrackingSize();
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {least.cx, least.cy};
            return TRUE;
        }
        // Moved to a monitor of another scale, or the scale changed: the dialog manager moves
        // the window to the size Windows suggests and lays the controls out again in the
        // dialog font of the new scale; what the program sized itself follows once it has.
        case WM_DPICHANGED:
            rescaling_ = true;
            PostMessageW(window_, kFollowScale, 0, 0);
            return FALSE;
        case kFollowScale: followScale(); return TRUE;
        case WM_CTLCOLORSTATIC: {
            const HBRUSH alarm =
                lines_.colours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
            return alarm == nullptr ? FALSE : reinterpret_cast<INT_PTR>(alarm);
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->CtlType != ODT_STATIC) return FALSE;
            drawLabel(*item);
            return TRUE;
        }
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header->idFrom == RecordList && header->code == LVN_GETDISPINFOW) {
                list_.fillCell(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
                return TRUE;
            }
            if (header->idFrom == RecordList && header->code == NM_CUSTOMDRAW) {
                // A dialog answers a notification through its message result.
                SetWindowLongPtrW(window_, DWLP_MSGRESULT,
                                  list_.shadeRow(*reinterpret_cast<NMLVCUSTOMDRAW*>(lParam)));
                return TRUE;
            }
            return FALSE;
        }
        default: return FALSE;
    }
}

// What a click did is seen at once: the last record when Auto stops, the emptied statistics
// after Clear, the row Manual took.
void NativeMainWindow::command(int id, int notification) {
    if (notification != BN_CLICKED || !isClickable(findControl(id))) return;
    if (controller_ != nullptr) controller_->onCommand(id);
    showFrameNow();
}

void NativeMainWindow::closeIf(CloseRequest how) {
    if (controller_ == nullptr || controller_->onCloseRequested(how)) EndDialog(window_, 0);
}

void NativeMainWindow::showTraceLine(const std::string& text) { lines_.showTrace(text); }

void NativeMainWindow::sizeChanged(int clientHeight, bool minimised) {
    // The lines keep to the bottom; the template's part above them follows its own rule.
    if (!minimised) lines_.place(clientHeight);
    const int aboveLines = clientHeight - lines_.height();
    const std::optional<Stretch> stretch = resizeRule_.sizeChanged(aboveLines, minimised);
    if (!stretch) return;
    for (const int id : kStretchingControls) {
        const HWND stretching = control(id);
        RECT place{};
        GetWindowRect(stretching, &place);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
        SetWindowPos(stretching, nullptr, 0, 0, place.right - place.left,
                     stretch->height(place.top, place.bottom - place.top),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(window_, nullptr, TRUE);
}

// The minimum tracking size at the window's scale, and the line of the part and lot below it.
SIZE NativeMainWindow::minimumTrackingSize() const {
    const int dpi = dpiOf(window_);
    return {pixelsAtResolution(kMinimumWidthPixels, dpi),
            pixelsAtResolution(kMinimumHeightPixels, dpi) + lines_.height()};
}

// The large type at the window's scale, made again when the scale changes.
void NativeMainWindow::useDisplayFont() {
    const HFONT former = displayFont_;
    displayFont_ = createDisplayFont(dpiOf(window_));
    for (const int id : {LiveValue, UnitLabel}) {
        SendMessageW(control(id), WM_SETFONT, reinterpret_cast<WPARAM>(displayFont_), TRUE);
    }
    if (former != nullptr) DeleteObject(former);
}

void NativeMainWindow::followScale() {
    rescaling_ = false;
    useDisplayFont();
    list_.scaleColumns();
    tellCutCaptions();
    lines_.rescale();
    // The controls were laid out afresh for this client height: the stretch starts here.
    resizeRule_ = ResizeRule{};
    RECT client{};
    GetClientRect(window_, &client);
    lines_.place(client.bottom);
    resizeRule_.sizeChanged(client.bottom - lines_.height(), IsIconic(window_) != FALSE);
    InvalidateRect(window_, nullptr, TRUE);
}

void NativeMainWindow::tellCutCaptions() {
    for (const DialogControl& row : controlTable()) {
        if (isCaptionedLabel(row)) tellWholeCaptionIfCut(row.id);
    }
}

// What a label shows of its caption in its font: the caption wrapped at its words when that
// fits the box, else the words that fit on one line.
NativeMainWindow::LabelFit NativeMainWindow::fitLabel(HWND label, HDC dc) const {
    const std::wstring whole = windowText(label);
    const HGDIOBJ former =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    RECT box{};
    GetClientRect(label, &box);
    RECT needed = box;
    DrawTextW(dc, whole.c_str(), static_cast<int>(whole.size()), &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    const bool fits =
        needed.right - needed.left <= box.right && needed.bottom - needed.top <= box.bottom;
    const DialogControl* row = findControl(GetDlgCtrlID(label));
    const bool alignRight = row != nullptr && (row->style & AlignRight) != 0;
    const std::string shown =
        fittingCaption(utf8(whole), fits, alignRight, box.right, [dc](std::string_view line) {
            const std::wstring text = wide(line);
            SIZE size{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            return static_cast<int>(size.cx);
        });
    SelectObject(dc, former);
    return {fits, wide(shown)};
}

// A label keeps its whole caption as its text, for the platform's readers of the screen; it is
// drawn here, cut to what fits its box.
void NativeMainWindow::drawLabel(const DRAWITEMSTRUCT& item) const {
    const LabelFit fit = fitLabel(item.hwndItem, item.hDC);
    const DialogControl* row = findControl(static_cast<int>(item.CtlID));
    const std::uint8_t style = row != nullptr ? row->style : 0;
    UINT format = DT_NOPREFIX;
    if ((style & AlignRight) != 0) format |= DT_RIGHT;
    if ((style & AlignHCentre) != 0) format |= DT_CENTER;
    if ((style & AlignVCentre) != 0) {
        format |= DT_VCENTER | DT_SINGLELINE;
    } else if (fit.fits) {
        format |= DT_WORDBREAK;
    } else {
        format |= DT_SINGLELINE;
    }
    RECT box = item.rcItem;
    FillRect(item.hDC, &box, GetSysColorBrush(COLOR_3DFACE));
    const HGDIOBJ former = SelectObject(
        item.hDC, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor((item.itemState & ODS_DISABLED) != 0 ? COLOR_GRAYTEXT
                                                                            : COLOR_WINDOWTEXT));
    DrawTextW(item.hDC, fit.shown.c_str(), static_cast<int>(fit.shown.size()), &box, format);
    SelectObject(item.hDC, former);
}

void NativeMainWindow::tellWholeCaptionIfCut(int controlId) {
    const HWND label = control(controlId);
    const HDC dc = GetDC(label);
    const LabelFit fit = fitLabel(label, dc);
    ReleaseDC(label, dc);
    tellWholeCaption(label, controlId, fit.fits ? std::wstring() : windowText(label));
}

// A label whose caption does not fit its box (it shows the words that fit, or a single word
// the box cuts short, as a Chinese caption is) tells the whole of it when the pointer rests on
// it. The tip is the window's, over the label's place, since a static text lets the pointer
// through to its window.
void NativeMainWindow::tellWholeCaption(HWND label, int controlId, const std::wstring& whole) {
    if (tips_ == nullptr && whole.empty()) return;
    tipOver(label, controlId, whole, TipArea::PlaceInWindow);
}

// The window's one tip control, made at the first tip, tells `text` while the pointer rests
// on `control` (an empty text takes the tip away). A label or a group box lets the pointer
// through to the window, so their tip is the window's over their place; a list view takes
// the pointer itself, so its tip is its own.
void NativeMainWindow::tipOver(HWND control, int controlId, const std::wstring& text,
                               TipArea area) {
    if (tips_ == nullptr) {
        tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        if (tips_ == nullptr) return;
        // In the dialog's own face, which has every character of either language's captions.
        SendMessageW(tips_, WM_SETFONT, SendMessageW(window_, WM_GETFONT, 0, 0), FALSE);
        // A tip as long as a sentence wraps instead of running across the screen.
        SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_;
    tool.uId = static_cast<UINT_PTR>(controlId);
    if (area == TipArea::OwnWindow) {
        tool.uFlags = TTF_IDISHWND;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
    }
    SendMessageW(tips_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (text.empty()) return;
    tool.uFlags |= TTF_SUBCLASS;
    if (area == TipArea::PlaceInWindow) {
        GetWindowRect(control, &tool.rect);
        MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&tool.rect), 2);
    }
    std::wstring copy = text;
    tool.lpszText = copy.data();  // copied by the tip
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void NativeMainWindow::setText(int controlId, const std::string& text) {
    if (!PendingFrame::waitsForFrame(controlId)) {
        showText(controlId, text);
    } else if (pending_.setText(controlId, text)) {
        requestFrame();
    }
}

void NativeMainWindow::showText(int controlId, const std::string& text) {
    // A text set again unchanged would still be measured, fitted and painted again.
    const HWND shown = control(controlId);
    const std::wstring now = wide(text);
    if (windowText(shown) == now) return;
    SetWindowTextW(shown, now.c_str());
    const DialogControl* row = findControl(controlId);
    if (row != nullptr && isCaptionedLabel(*row)) tellWholeCaptionIfCut(controlId);
}

std::string NativeMainWindow::text(int controlId) const {
    if (const std::string* waiting = pending_.text(controlId)) return *waiting;
    return utf8(windowText(control(controlId)));
}

void NativeMainWindow::enable(int controlId, bool on) { EnableWindow(control(controlId), on); }

void NativeMainWindow::setFocus(int controlId) {
    const HWND target = control(controlId);
    if (target == nullptr) return;
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(target), TRUE);
    // The refused entry is selected, so that typing replaces it.
    const DialogControl* row = findControl(controlId);
    if (row != nullptr && row->kind == ControlKind::DropDown) {
        SendMessageW(target, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    } else {
        SendMessageW(target, EM_SETSEL, 0, -1);
    }
}

void NativeMainWindow::setChecked(int controlId, bool on) {
    SendMessageW(control(controlId), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool NativeMainWindow::isChecked(int controlId) const {
    return SendMessageW(control(controlId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void NativeMainWindow::setListItems(int controlId, const char* const* items, int count) {
    const HWND list = control(controlId);
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i) {
        const std::wstring item = wide(items[i]);
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void NativeMainWindow::selectListItem(int controlId, int index) {
    const HWND list = control(controlId);
    const auto count = static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index >= 0 && index < count ? index : -1),
                 0);
}

int NativeMainWindow::selectedListItem(int controlId) const {
    // What the edit part holds decides: an item's exact text selects it, anything else none.
    const std::wstring shown = wide(text(controlId));
    if (shown.empty()) return -1;
    const LRESULT found =
        SendMessageW(control(controlId), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(shown.c_str()));
    return found == CB_ERR ? -1 : static_cast<int>(found);
}

void NativeMainWindow::setUpRecordList(Language language) {
    language_ = language;
    list_.setUp(language);
}

void NativeMainWindow::recordListAppended() {
    if (pending_.rowsAdded()) requestFrame();
}

// Emptied at once: the rows still waiting went with the records.
void NativeMainWindow::recordListCleared() { list_.cleared(); }

void NativeMainWindow::scrollRecordListToEnd() {
    if (pending_.scrollToEnd()) requestFrame();
}

void NativeMainWindow::requestFrame() {
    if (window_ != nullptr) SetTimer(window_, kFrameTimer, kFramePeriodMs, nullptr);
}

void NativeMainWindow::showFrameNow() {
    KillTimer(window_, kFrameTimer);
    const PendingFrame::Changes changes = pending_.take();
    if (changes.rowsAdded) list_.appended();
    if (changes.scrollToEnd) list_.scrollToEnd();
    for (const auto& [id, text] : changes.texts) showText(id, text);
}

// A box stops the operator's eye on the window: it shows everything up to it.
void NativeMainWindow::showMessage(const std::string& text, MessageIcon icon) {
    showBehindBoxes();
    showFrameNow();
    showMessageBox(window_, text, icon);
}

bool NativeMainWindow::askYesNo(const std::string& text) {
    showBehindBoxes();
    showFrameNow();
    return mensora::askYesNo(window_, text);
}

// A dialog shows itself once its first messages have run; a box that comes before (the
// journal's offer at start) would otherwise stand alone with the window hidden behind it.
void NativeMainWindow::showBehindBoxes() {
    if (window_ != nullptr && !IsWindowVisible(window_)) ShowWindow(window_, SW_SHOW);
}

void NativeMainWindow::showAbout() {
    showFrameNow();
    const std::wstring text = wide(std::string(texts::kAboutProduct) + "\n\n" +
                                   pick(texts::kAboutDescription, language_));
    const std::wstring title = wide(pick(texts::kAboutTitle, language_));
    MSGBOXPARAMSW box{};
    box.cbSize = sizeof box;
    box.hwndOwner = window_;
    box.hInstance = GetModuleHandleW(nullptr);
    box.lpszText = text.c_str();
    box.lpszCaption = title.c_str();
    box.dwStyle = MB_OK | MB_USERICON;
    box.lpszIcon = MAKEINTRESOURCEW(MENSORA_ICON);
    MessageBoxIndirectW(&box);
}

std::optional<SaveChoice> NativeMainWindow::askSavePath(const std::string& offeredName,
                                                        const std::vector<std::string>& fileTypes) {
    showFrameNow();
    return mensora::askSavePath(window_, offeredName, fileTypes);
}

void NativeMainWindow::showProgress(const std::string& text, const std::string& cancelText) {
    progress_.start(window_, text, cancelText);
}

void NativeMainWindow::setProgress(int percent) { progress_.setPercent(percent); }

void NativeMainWindow::hideProgress() { progress_.hide(); }

void NativeMainWindow::showStatusLine(const std::string& text) {
    growBelow(lines_.showPlant(text));
}

// The window grows (or shrinks) by what the lines below need; the controls above keep their
// places.
void NativeMainWindow::growBelow(int pixels) {
    if (pixels == 0 || window_ == nullptr) return;
    RECT outer{};
    GetWindowRect(window_, &outer);
    SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left,
                 outer.bottom - outer.top + pixels, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace mensora
