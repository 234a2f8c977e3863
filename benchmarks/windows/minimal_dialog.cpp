// The smallest Win32 dialog program: one window titled "Minimal dialog" in the same dialog
// font, built from an in-memory template, closed by its close box. benchmarks/windows/startup
// measures how long Wine takes to show it, against the time mensora.exe takes.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace {

INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK)) {
        EndDialog(window, 0);
        return TRUE;
    }
    if (message == WM_CLOSE) {
        EndDialog(window, 0);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

void text(std::vector<std::uint16_t>& out, const wchar_t* value) {
    for (; *value != 0; ++value) out.push_back(static_cast<std::uint16_t>(*value));
    out.push_back(0);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    std::vector<std::uint16_t> t = {1, 0xFFFF, 0, 0, 0, 0};
    const DWORD style = DS_SETFONT | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    t.push_back(static_cast<std::uint16_t>(style & 0xFFFF));
    t.push_back(static_cast<std::uint16_t>(style >> 16));
    t.insert(t.end(), {0, 0, 0, 200, 100, 0, 0});
    text(t, L"Minimal dialog");
    t.insert(t.end(), {10, FW_NORMAL, DEFAULT_CHARSET << 8});
    text(t, L"\u5b8b\u4f53");
    DialogBoxIndirectParamW(instance, reinterpret_cast<LPCDLGTEMPLATEW>(t.data()), nullptr,
                            dialogProc, 0);
    return 0;
}
