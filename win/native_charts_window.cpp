#include "win/native_charts_window.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "base/control_ids.h"
#include "base/control_table.h"
#include "base/font_cell.h"
#include "base/wide_text.h"
#include "charts/chart_texts.h"
#include "charts/charts_picture.h"
#include "charts/charts_window_size.h"
#include "charts/control_constants.h"
#include "charts/run_rule_texts.h"
#include "measure/judgement.h"
#include "win/chart_bitmap.h"
#include "win/png_picture.h"
#include "win/screen_dpi.h"
#include "win/standard_boxes.h"

namespace mensora {
namespace {

constexpr wchar_t kClassName[] = L"MensoraCharts";
constexpr UINT_PTR kFollowTimer = 1;
constexpr UINT kFollowMs = 100;  // at most ten drawings a second
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

// The outer size of a window whose client area has `size` in pixels at 96 dots per inch, at
// the scale `dpi`. Sizes are kept and stored at 96 dots per inch, so that the window opens as
// large on a monitor of any scale.
SIZE outerSize(WindowSize size, int dpi) {
    return outerSizeAtDpi(
        {pixelsAtResolution(size.width, dpi), pixelsAtResolution(size.height, dpi)}, kStyle, 0,
        dpi);
}

// A length in the screen's pixels at the scale `dpi`, in pixels at 96 dots per inch, and back:
// the charts window keeps its place and size at 96 dots per inch, so that it opens as large on a
// monitor of any scale.
int at96(int pixels, int dpi) { return MulDiv(pixels, 96, dpi); }
Rect rectAt96(const RECT& r, int dpi) {
    return {at96(r.left, dpi), at96(r.top, dpi), at96(r.right - r.left, dpi),
            at96(r.bottom - r.top, dpi)};
}

// The owner's monitor, its frame and its record list, as the first placing reads them, in
// pixels at 96 dots per inch.
ChartsScreen screenAround(HWND owner, int dpi) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT main{};
    GetWindowRect(owner, &main);
    RECT list = main;
    if (const HWND records = GetDlgItem(owner, RecordList)) GetWindowRect(records, &list);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    return {rectAt96(monitor.rcWork, dpi),
            rectAt96(main, dpi),
            rectAt96(list, dpi),
            {at96(-frame.left, dpi), at96(-frame.top, dpi), at96(frame.right, dpi),
             at96(frame.bottom, dpi)}};
}

}  // namespace

NativeChartsWindow::NativeChartsWindow(ChartSource& source, const AcquisitionState& state,
                                       SettingsStore& settings)
    : follower_(source, state, settings) {}

NativeChartsWindow::~NativeChartsWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
    if (font_ != nullptr) DeleteObject(font_);
    if (drawingFont_ != nullptr) DeleteObject(drawingFont_);
}

void NativeChartsWindow::open(HWND owner) {
    if (window_ == nullptr) create(owner);
    if (window_ == nullptr) return;
    ShowWindow(window_, IsIconic(window_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(window_);
}

void NativeChartsWindow::create(HWND owner) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW kind{};
    kind.cbSize = sizeof kind;
    if (!GetClassInfoExW(instance, kClassName, &kind)) {
        kind.cbSize = sizeof kind;
        kind.lpfnWndProc = &NativeChartsWindow::windowProc;
        kind.hInstance = instance;
        kind.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
        kind.hIcon = reinterpret_cast<HICON>(SendMessageW(owner, WM_GETICON, ICON_BIG, 0));
        kind.hIconSm = reinterpret_cast<HICON>(SendMessageW(owner, WM_GETICON, ICON_SMALL, 0));
        kind.lpszClassName = kClassName;
        RegisterClassExW(&kind);
    }
    const int dpi = dpiOf(owner);
    if (font_ == nullptr) font_ = createChartsFont(dpi);
    if (drawingFont_ == nullptr) drawingFont_ = createChartsFont(96);
    const Rect place = follower_.openingPlace(screenAround(owner, dpi));
    const SIZE outer = outerSize({place.width, place.height}, dpi);
    // The frame around the client area: as wide at the sides as at the bottom, the caption
    // bar on top.
    const int side = (outer.cx - pixelsAtResolution(place.width, dpi)) / 2;
    const int top = outer.cy - pixelsAtResolution(place.height, dpi) - side;
    // The place was chosen at 96 dots per inch: its rounding at the monitor's scale may not
    // take the window a pixel past the work area.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int left = std::max<int>(
        work.left,
        std::min<int>(pixelsAtResolution(place.left, dpi) - side, work.right - outer.cx));
    const int upper = std::max<int>(
        work.top, std::min<int>(pixelsAtResolution(place.top, dpi) - top, work.bottom - outer.cy));
    const std::wstring title = wide(pick(chart_texts::kWindowTitle, follower_.language()));
    CreateWindowExW(0, kClassName, title.c_str(), kStyle, left, upper, outer.cx, outer.cy, owner,
                    nullptr, instance, this);
    if (window_ == nullptr) return;
    const std::wstring save = wide(pick(chart_texts::kSavePicture, follower_.language()));
    saveButton_ = CreateWindowExW(
        0, L"BUTTON", save.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
        window_, reinterpret_cast<HMENU>(kChartsSaveButton), instance, nullptr);
    SendMessageW(saveButton_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    // Hidden until a plan is in force; its list drops over the charts.
    choice_ = CreateWindowExW(
        0, L"COMBOBOX", L"", WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0, 0, 0, 0,
        window_, reinterpret_cast<HMENU>(kChartsCharacteristicChoice), instance, nullptr);
    SendMessageW(choice_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    const auto child = [&](const wchar_t* className, DWORD style, int id) {
        const HWND made =
            CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        return made;
    };
    subgroupLabel_ = child(L"STATIC", SS_RIGHT | SS_CENTERIMAGE, kChartsSubgroupLabel);
    subgroup_ =
        child(L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kChartsSubgroupChoice);
    for (int size = 1; size <= kLargestSubgroup; ++size) {
        SendMessageW(subgroup_, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(std::to_wstring(size).c_str()));
    }
    rulesButton_ = child(L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON, kChartsRulesButton);
    // Enabled once the first look has told what there is to fix or free.
    fixButton_ = child(L"BUTTON", WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, kChartsFixButton);
    unfixButton_ = child(L"BUTTON", WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, kChartsUnfixButton);
    retranslateControl();
    placeButtonRow();
}

void NativeChartsWindow::retranslateControl() {
    const Language language = follower_.language();
    SetWindowTextW(subgroupLabel_, wide(pick(chart_texts::kSubgroupSize, language)).c_str());
    SetWindowTextW(rulesButton_, wide(pick(chart_texts::kRules, language)).c_str());
    SetWindowTextW(fixButton_, wide(pick(chart_texts::kFixLimits, language)).c_str());
    SetWindowTextW(unfixButton_, wide(pick(chart_texts::kUnfixLimits, language)).c_str());
}

void NativeChartsWindow::showControl() {
    const ChartsFollower::ControlState control = follower_.controlState();
    SendMessageW(subgroup_, CB_SETCURSEL, static_cast<WPARAM>(control.subgroupSize - 1), 0);
    EnableWindow(subgroup_, control.subgroupChosen);
    EnableWindow(fixButton_, control.fixable);
    EnableWindow(unfixButton_, control.fixed);
}

void NativeChartsWindow::chooseRules() {
    const RuleSet rules = follower_.controlState().rules;
    const HMENU menu = CreatePopupMenu();
    for (int rule = 1; rule <= kRuleCount; ++rule) {
        const std::wstring name =
            wide(pick(run_rule_texts::kRuleNames[rule - 1], follower_.language()));
        AppendMenuW(menu, MF_STRING | (rules.contains(rule) ? MF_CHECKED : MF_UNCHECKED),
                    static_cast<UINT_PTR>(rule), name.c_str());
    }
    RECT button{};
    GetWindowRect(rulesButton_, &button);
    const int picked = static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_BOTTOMALIGN | TPM_NONOTIFY,
                       button.left, button.top, 0, window_, nullptr));
    DestroyMenu(menu);
    if (picked < 1 || picked > kRuleCount) return;
    RuleSet chosen = rules;
    chosen.set(picked, !rules.contains(picked));
    follower_.setRules(chosen);
    follow();
}

int NativeChartsWindow::buttonWidth(HWND button, const ButtonRow& row) const {
    const HDC dc = GetDC(window_);
    const HGDIOBJ former = SelectObject(dc, font_);
    wchar_t caption[256] = {};
    const int length = GetWindowTextW(button, caption, 256);
    SIZE text{};
    GetTextExtentPoint32W(dc, caption, length, &text);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, former);
    ReleaseDC(window_, dc);
    const int unitX = std::max<int>(1, metrics.tmAveCharWidth);
    return std::max(row.width, static_cast<int>(text.cx) + 4 * unitX);
}

// The button row under the charts: a button of the platform's proportions (50 x 14 dialog
// units at least, wider for a longer caption) at the right, 4 units from the edges.
NativeChartsWindow::ButtonRow NativeChartsWindow::buttonRow() const {
    const HDC dc = GetDC(window_);
    const HGDIOBJ former = SelectObject(dc, font_);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const std::wstring caption = wide(pick(chart_texts::kSavePicture, follower_.language()));
    SIZE text{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &text);
    SelectObject(dc, former);
    ReleaseDC(window_, dc);
    const int unitX = std::max<int>(1, metrics.tmAveCharWidth);
    const int unitY = std::max<int>(1, metrics.tmHeight);
    const int width = std::max(MulDiv(50, unitX, 4), static_cast<int>(text.cx) + 4 * unitX);
    const int height = MulDiv(14, unitY, 8);
    const int margin = MulDiv(4, unitY, 8);
    return {width, height, margin};
}

void NativeChartsWindow::placeButtonRow() {
    if (saveButton_ == nullptr || choice_ == nullptr) return;  // the window is still being made
    RECT client{};
    GetClientRect(window_, &client);
    const ButtonRow row = buttonRow();
    const int saveLeft = std::max<int>(0, client.right - row.margin - row.width);
    const int top = std::max<int>(0, client.bottom - row.margin - row.height);
    SetWindowPos(saveButton_, nullptr, saveLeft, top, row.width, row.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // As wide as its longest item and its arrow, never into the button; the height given is
    // that of the dropped list, ten items.
    const int widest = static_cast<int>(SendMessageW(choice_, CB_GETDROPPEDWIDTH, 0, 0));
    const int width = std::max(0, std::min(widest, saveLeft - 2 * row.margin));
    SetWindowPos(choice_, nullptr, row.margin, top, width, row.height * 10,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The control charts' row above: the subgroup size with its label and the rules' button
    // from the left, fixing and freeing the limits at the right, or in a row of their own above
    // where the window is too narrow for both.
    if (fixButton_ == nullptr) return;
    int rowTop = std::max(0, top - row.margin - row.height);
    int left = row.margin;
    const auto place = [&](HWND control, int controlWidth, int height) {
        SetWindowPos(control, nullptr, left, rowTop, controlWidth, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        left += controlWidth + row.margin;
    };
    place(subgroupLabel_, buttonWidth(subgroupLabel_, {0, 0, 0}), row.height);
    place(subgroup_, 3 * row.height, row.height * 10);  // "10" and the arrow
    place(rulesButton_, buttonWidth(rulesButton_, row), row.height);
    const int fixWidth = buttonWidth(fixButton_, row);
    const int unfixWidth = buttonWidth(unfixButton_, row);
    const int rightGroup = fixWidth + row.margin + unfixWidth + row.margin;
    if (left + rightGroup <= client.right) {
        left = client.right - rightGroup;
    } else {
        rowTop = std::max(0, rowTop - row.margin - row.height);
        left = row.margin;
    }
    place(fixButton_, fixWidth, row.height);
    place(unfixButton_, unfixWidth, row.height);
}

void NativeChartsWindow::fillChoice() {
    const std::vector<std::string>& characteristics = follower_.characteristics();
    SendMessageW(choice_, CB_RESETCONTENT, 0, 0);
    std::vector<std::string> items{pick(chart_texts::kCharacteristicDue, follower_.language())};
    items.insert(items.end(), characteristics.begin(), characteristics.end());
    const HDC dc = GetDC(choice_);
    const HGDIOBJ former = SelectObject(dc, font_);
    int widest = 0;
    for (const std::string& item : items) {
        const std::wstring text = wide(item);
        SendMessageW(choice_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SIZE extent{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        widest = std::max<int>(widest, extent.cx);
    }
    SelectObject(dc, former);
    ReleaseDC(choice_, dc);
    // Room for the arrow, about as wide as the box is high, and the box's own margins.
    const int arrow = buttonRow().height;
    SendMessageW(choice_, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(widest + 2 * arrow), 0);
    const std::optional<std::size_t> pinned = follower_.pinned();
    SendMessageW(choice_, CB_SETCURSEL, pinned ? *pinned + 1 : 0, 0);
    ShowWindow(choice_, characteristics.empty() ? SW_HIDE : SW_SHOW);
    placeButtonRow();
}

// What the charts fill: the client area above the rows of controls, which end as far above the
// topmost (the one with the Fix limits button) as the Save button stands above the bottom
// edge.
SIZE NativeChartsWindow::drawingSize() const {
    RECT client{};
    GetClientRect(window_, &client);
    RECT button{};
    RECT controls{};
    if (saveButton_ == nullptr || fixButton_ == nullptr || !GetWindowRect(saveButton_, &button) ||
        !GetWindowRect(fixButton_, &controls)) {
        return {client.right, client.bottom};
    }
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&button), 2);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&controls), 2);
    return {client.right, std::max<LONG>(0, controls.top - (client.bottom - button.bottom))};
}

// The picture is what the window shows above its button: the figures and both charts, at
// the size the user gave the window.
void NativeChartsWindow::savePicture() {
    const Language language = follower_.language();
    const std::optional<SaveChoice> choice = askSavePath(
        window_, chart_texts::kPictureName, {pick(chart_texts::kPictureFilter, language)});
    if (!choice) return;
    const SIZE size = drawingSize();
    bool saved = false;
    if (size.cx > 0 && size.cy > 0) {
        const HDC screen = GetDC(window_);
        const HBITMAP picture = drawnChart(screen, drawingFont_, size, dpiOf(window_), drawing());
        ReleaseDC(window_, screen);
        saved = savePngPicture(picture, wide(choice->path));
        DeleteObject(picture);
    }
    if (!saved) {
        showMessageBox(window_, pick(chart_texts::kPictureNotSaved, language) + choice->path,
                       MessageIcon::Stop);
    }
}

LRESULT CALLBACK NativeChartsWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<NativeChartsWindow*>(
            reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<NativeChartsWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->handle(message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT NativeChartsWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SHOWWINDOW:
            if (wParam != FALSE) {
                follow();
                SetTimer(window_, kFollowTimer, kFollowMs, nullptr);
            } else {
                hidden();
            }
            break;
        case WM_TIMER:
            if (wParam == kFollowTimer) follow();
            return 0;
        // Closing only hides it: it opens again as it was, and follows nothing meanwhile.
        case WM_CLOSE: ShowWindow(window_, SW_HIDE); return 0;
        case WM_GETMINMAXINFO: {
            const SIZE least = outerSize(kChartsLeastSize, dpiOf(window_));
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {least.cx, least.cy};
            return 0;
        }
        case WM_DPICHANGED:
            rescale(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_SIZE:
            placeButtonRow();
            InvalidateRect(window_, nullptr, FALSE);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kChartsSaveButton && HIWORD(wParam) == BN_CLICKED) savePicture();
            if (LOWORD(wParam) == kChartsRulesButton && HIWORD(wParam) == BN_CLICKED) chooseRules();
            if (LOWORD(wParam) == kChartsFixButton && HIWORD(wParam) == BN_CLICKED) {
                follower_.fixLimits();
                follow();
            }
            if (LOWORD(wParam) == kChartsUnfixButton && HIWORD(wParam) == BN_CLICKED) {
                follower_.unfixLimits();
                follow();
            }
            if (LOWORD(wParam) == kChartsSubgroupChoice && HIWORD(wParam) == CBN_SELCHANGE) {
                follower_.setSubgroupSize(
                    static_cast<int>(SendMessageW(subgroup_, CB_GETCURSEL, 0, 0)) + 1);
                follow();
            }
            if (LOWORD(wParam) == kChartsCharacteristicChoice && HIWORD(wParam) == CBN_SELCHANGE) {
                const LRESULT item = SendMessageW(choice_, CB_GETCURSEL, 0, 0);
                follower_.pin(item > 0 ? std::optional<std::size_t>(item - 1) : std::nullopt);
                follow();
            }
            return 0;
        case WM_ERASEBKGND: return 1;  // the drawing covers every pixel
        case WM_PAINT: paint(); return 0;
        case WM_DESTROY:
            // The owner goes: a window still shown keeps its size for the next start.
            if (IsWindowVisible(window_)) hidden();
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            window_ = nullptr;
            follower_.forget();
            return 0;
        default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void NativeChartsWindow::hidden() {
    KillTimer(window_, kFollowTimer);
    RECT client{};
    GetClientRect(window_, &client);
    POINT corner{0, 0};
    ClientToScreen(window_, &corner);
    const int dpi = dpiOf(window_);
    follower_.hidden({at96(corner.x, dpi), at96(corner.y, dpi), at96(client.right, dpi),
                      at96(client.bottom, dpi)},
                     IsIconic(window_) != FALSE);
}

// On a monitor of another scale the button's type follows, and the window takes the size
// Windows suggests, which keeps its size at 96 dots per inch.
void NativeChartsWindow::rescale(int dpi, const RECT& suggested) {
    const HFONT former = font_;
    font_ = createChartsFont(dpi);
    SendMessageW(saveButton_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    SendMessageW(choice_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    for (const HWND control : {subgroupLabel_, subgroup_, rulesButton_, fixButton_, unfixButton_}) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    }
    DeleteObject(former);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    fillChoice();
    InvalidateRect(window_, nullptr, FALSE);
}

void NativeChartsWindow::follow() {
    const ChartsFollower::Change change = follower_.look();
    if (!change.redraw) return;
    if (change.retranslate) {
        const Language language = follower_.language();
        SetWindowTextW(window_, wide(pick(chart_texts::kWindowTitle, language)).c_str());
        SetWindowTextW(saveButton_, wide(pick(chart_texts::kSavePicture, language)).c_str());
        retranslateControl();
        placeButtonRow();
    }
    if (change.rechoose) fillChoice();
    showControl();
    InvalidateRect(window_, nullptr, FALSE);
}

// Drawn whole into a bitmap first and copied at once, so that a redraw never flickers; the
// button row keeps the dialog colour.
ChartDrawing NativeChartsWindow::drawing() const {
    return
        [this](Canvas& canvas, const Rect& area) { drawPicture(canvas, area, follower_.inputs()); };
}

void NativeChartsWindow::paint() {
    PAINTSTRUCT paint{};
    const HDC screen = BeginPaint(window_, &paint);
    RECT client{};
    GetClientRect(window_, &client);
    const SIZE drawing = drawingSize();
    paintChart(screen, drawingFont_, {0, 0, drawing.cx, drawing.cy}, dpiOf(window_),
               this->drawing());
    const RECT row{0, drawing.cy, client.right, client.bottom};
    FillRect(screen, &row, GetSysColorBrush(COLOR_BTNFACE));
    EndPaint(window_, &paint);
}

}  // namespace mensora
