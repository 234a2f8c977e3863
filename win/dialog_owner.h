#pragma once
// The object behind a dialog the program builds: handed over as the creation parameter, kept
// with the dialog at WM_INITDIALOG, read back for every later message. Messages before
// WM_INITDIALOG find none.

#include <windows.h>

namespace mensora {

template <typename Owner>
Owner* dialogOwner(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        return reinterpret_cast<Owner*>(lParam);
    }
    return reinterpret_cast<Owner*>(GetWindowLongPtrW(window, DWLP_USER));
}

}  // namespace mensora
