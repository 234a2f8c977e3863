#include "win/native_charts_window.h"

#include "base/control_table.h"
#include "base/wide_text.h"
#include "charts/chart_texts.h"
#include "charts/charts_picture.h"
#include "charts/charts_window_size.h"
#include "measure/judgement.h"
#include "win/gdi_canvas.h"

namespace mensora {
namespace {

constexpr wchar_t kClassName[] = L"MensoraCharts";
constexpr UINT_PTR kFollowTimer = 1;
constexpr UINT kFollowMs = 100;  // at most ten drawings a second
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;

// The outer size of a window whose client area has `size`.
SIZE outerSize(WindowSize size) {
    RECT frame{0, 0, size.width, size.height};
    AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// The dialog's own typeface at its size, so that the charts read like the main window.
HFONT createChartsFont() {
    LOGFONTW font{};
    const HDC screen = GetDC(nullptr);
    font.lfHeight = -MulDiv(kDialogFontPoints, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face = wide(kDialogFontFace);
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

}  // namespace

bool NativeChartsWindow::Seen::operator==(const Seen& other) const {
    return revision == other.revision && limits.nominal == other.limits.nominal &&
           limits.upper == other.limits.upper && limits.lower == other.limits.lower &&
           language == other.language;
}

NativeChartsWindow::NativeChartsWindow(const ChartData& chartData, const AcquisitionState& state,
                                       SettingsStore& settings)
    : data_(chartData), state_(state), settings_(settings) {}

NativeChartsWindow::~NativeChartsWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
    if (font_ != nullptr) DeleteObject(font_);
}

ChartInputs NativeChartsWindow::inputs() const {
    return {data_, toleranceLimits(state_.parameters), state_.language()};
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
    if (font_ == nullptr) font_ = createChartsFont();
    const SIZE outer = outerSize(loadChartsWindowSize(settings_));
    const std::wstring title = wide(pick(chart_texts::kWindowTitle, state_.language()));
    CreateWindowExW(0, kClassName, title.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, outer.cx,
                    outer.cy, owner, nullptr, instance, this);
}

LRESULT CALLBACK NativeChartsWindow::windowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<NativeChartsWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
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
            const SIZE least = outerSize(kChartsLeastSize);
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {least.cx, least.cy};
            return 0;
        }
        case WM_SIZE: InvalidateRect(window_, nullptr, FALSE); return 0;
        case WM_ERASEBKGND: return 1;  // the drawing covers every pixel
        case WM_PAINT: paint(); return 0;
        case WM_DESTROY:
            // The owner goes: a window still shown keeps its size for the next start.
            if (IsWindowVisible(window_)) hidden();
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            window_ = nullptr;
            seen_.reset();
            return 0;
        default: break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void NativeChartsWindow::hidden() {
    KillTimer(window_, kFollowTimer);
    RECT client{};
    GetClientRect(window_, &client);
    if (!IsIconic(window_) && client.right > 0 && client.bottom > 0) {
        storeChartsWindowSize(settings_, {client.right, client.bottom});
    }
}

// Takes a look at the records; the window is drawn again only when something it shows has
// changed, so an idle window costs nothing but the look.
void NativeChartsWindow::follow() {
    const ChartInputs now = inputs();
    const Seen seen{data_.revision(), now.limits, now.language};
    if (seen_ && *seen_ == seen) return;
    if (!seen_ || seen_->language != seen.language) {
        SetWindowTextW(window_, wide(pick(chart_texts::kWindowTitle, seen.language)).c_str());
    }
    seen_ = seen;
    InvalidateRect(window_, nullptr, FALSE);
}

// Drawn whole into a bitmap first and copied at once, so that a redraw never flickers.
void NativeChartsWindow::paint() {
    PAINTSTRUCT paint{};
    const HDC screen = BeginPaint(window_, &paint);
    RECT client{};
    GetClientRect(window_, &client);
    if (client.right > 0 && client.bottom > 0) {
        const HDC memory = CreateCompatibleDC(screen);
        const HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        const HGDIOBJ formerBitmap = SelectObject(memory, bitmap);
        const HGDIOBJ formerFont = SelectObject(memory, font_);
        {
            GdiCanvas canvas(memory);
            drawPicture(canvas, {0, 0, client.right, client.bottom}, inputs());
        }
        BitBlt(screen, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, formerFont);
        SelectObject(memory, formerBitmap);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
    EndPaint(window_, &paint);
}

}  // namespace mensora
