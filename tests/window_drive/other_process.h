#pragma once
// What the driver needs of the program's windows that plain window messages do not carry
// across processes: a list view's cell text, read through memory lent in the program.

#include <windows.h>

#include <string>

namespace mensora::drive {

// The text of a row's cell in another process's list view.
std::wstring listCellText(HWND list, int row, int column);

// Windows' text of any window, another process's included.
std::wstring windowText(HWND window);

}  // namespace mensora::drive
