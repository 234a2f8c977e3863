#include "tests/window_drive/other_process.h"

#include <commctrl.h>

namespace mensora::drive {

std::wstring windowText(HWND window) {
    wchar_t buffer[1024] = {};
    SendMessageW(window, WM_GETTEXT, std::size(buffer), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::wstring listCellText(HWND list, int row, int column) {
    DWORD processId = 0;
    GetWindowThreadProcessId(list, &processId);
    const HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process == nullptr) return L"<no access>";
    constexpr int kChars = 256;
    const SIZE_T bytes = sizeof(LVITEMW) + kChars * sizeof(wchar_t);
    auto* lent = static_cast<char*>(
        VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    std::wstring text;
    if (lent != nullptr) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.iSubItem = column;
        item.pszText = reinterpret_cast<wchar_t*>(lent + sizeof(LVITEMW));
        item.cchTextMax = kChars;
        WriteProcessMemory(process, lent, &item, sizeof item, nullptr);
        const auto length = static_cast<int>(SendMessageW(
            list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(lent)));
        wchar_t buffer[kChars] = {};
        ReadProcessMemory(process, lent + sizeof(LVITEMW), buffer, sizeof buffer, nullptr);
        text.assign(buffer, static_cast<std::size_t>(length > 0 && length < kChars ? length : 0));
        VirtualFreeEx(process, lent, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return text;
}

}  // namespace mensora::drive
