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
    placeButtonRow();
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

// What the charts fill: the client area above the button row, which ends as far above the
// placed button as the button stands above the bottom edge.
SIZE NativeChartsWindow::drawingSize() const {
    RECT client{};
    GetClientRect(window_, &client);
    RECT button{};
    if (saveButton_ == nullptr || !GetWindowRect(saveButton_, &button)) {
        return {client.right, client.bottom};
    }
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&button), 2);
    return {client.right, std::max<LONG>(0, button.top - (client.bottom - button.bottom))};
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
        placeButtonRow();
    }
    if (change.rechoose) fillChoice();
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
