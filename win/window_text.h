#pragma once
// The text a window or control holds, as Windows gives it (UTF-16).

#include <windows.h>

#include <string>

namespace mensora {

std::wstring windowText(HWND window);

}  // namespace mensora
