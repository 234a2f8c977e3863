#include "win/save_progress_box.h"

#include <commctrl.h>

#include "base/wide_text.h"
#include "win/executable_name.h"

namespace mensora {
namespace {

constexpr wchar_t kClassName[] = L"MensoraSaveProgress";
constexpr int kCancelId = IDCANCEL;
// The box's client area and its parts, in pixels at 96 dots per inch.
constexpr int kWidth = 360;
constexpr int kHeight = 112;
constexpr int kMargin = 12;

// Pixels at the screen's dots per inch.
int scaled(HWND, int pixels) {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return MulDiv(pixels, dpi, 96);
}

}  // namespace

SaveProgressBox::~SaveProgressBox() {
    if (window_ != nullptr) DestroyWindow(window_);
}

void SaveProgressBox::create(HWND owner) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);  // fails harmlessly when registered before

    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, scaled(owner, kWidth), scaled(owner, kHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    RECT ownerRect{};
    GetWindowRect(owner, &ownerRect);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = ownerRect.left + (ownerRect.right - ownerRect.left - width) / 2;
    const int y = ownerRect.top + (ownerRect.bottom - ownerRect.top - height) / 2;
    window_ = CreateWindowExW(WS_EX_DLGMODALFRAME, kClassName, executableBaseName().c_str(), style,
                              x, y, width, height, owner, nullptr, windowClass.hInstance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    const int margin = scaled(window_, kMargin);
    const int inner = scaled(window_, kWidth) - 2 * margin;
    text_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, margin, margin, inner,
                            scaled(window_, 20), window_, nullptr, nullptr, nullptr);
    bar_ = CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, margin,
                           margin + scaled(window_, 26), inner, scaled(window_, 20), window_,
                           nullptr, nullptr, nullptr);
    SendMessageW(bar_, PBM_SETRANGE32, 0, 100);
    const int buttonWidth = scaled(window_, 88);
    button_ = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                              margin + inner - buttonWidth, margin + scaled(window_, 56),
                              buttonWidth, scaled(window_, 26), window_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCancelId)), nullptr,
                              nullptr);
    SendMessageW(text_, WM_SETFONT, font, FALSE);
    SendMessageW(button_, WM_SETFONT, font, FALSE);
}

void SaveProgressBox::start(HWND owner, const std::string& text, const std::string& cancelText) {
    if (window_ == nullptr) create(owner);
    SetWindowTextW(text_, wide(text).c_str());
    SetWindowTextW(button_, wide(cancelText).c_str());
    EnableWindow(button_, TRUE);
    SendMessageW(bar_, PBM_SETPOS, 0, 0);
    ShowWindow(window_, SW_SHOWNORMAL);
}

void SaveProgressBox::setPercent(int percent) {
    if (bar_ != nullptr) SendMessageW(bar_, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
}

void SaveProgressBox::hide() {
    if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
}

// The box stays until the save has really stopped; the core hides it then.
void SaveProgressBox::cancelled() {
    EnableWindow(button_, FALSE);
    cancel_();
}

LRESULT CALLBACK SaveProgressBox::procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    auto* box = reinterpret_cast<SaveProgressBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (box != nullptr && ((message == WM_COMMAND && LOWORD(wParam) == kCancelId) ||
                           message == WM_CLOSE)) {
        box->cancelled();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace mensora
