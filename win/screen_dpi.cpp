#include "win/screen_dpi.h"

namespace mensora {
namespace {

// A function of user32 that older Windows lacks; nullptr there.
template <typename Function>
Function userFunction(const char* name) {
    const HMODULE user = GetModuleHandleW(L"user32.dll");
    if (user == nullptr) return nullptr;
    // Through the generic function type, which every function pointer converts to and back.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user, name)));
}

int systemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

}  // namespace

int dpiOf(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const DpiForWindow forWindow = userFunction<DpiForWindow>("GetDpiForWindow");
    if (window != nullptr && forWindow != nullptr) {
        if (const UINT dpi = forWindow(window); dpi > 0) return static_cast<int>(dpi);
    }
    return systemDpi();
}

SIZE outerSizeAtDpi(SIZE client, DWORD style, DWORD exStyle, int dpi) {
    using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const AdjustForDpi adjust = userFunction<AdjustForDpi>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, client.cx, client.cy};
    if (adjust != nullptr) {
        adjust(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi));
    } else {
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    }
    return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace mensora
