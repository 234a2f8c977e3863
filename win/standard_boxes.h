#pragma once
// The system's own boxes as both windows of the program use them: a message box under the
// program's name, and the save dialog offering one type of file.

#include <windows.h>

#include <optional>
#include <string>

#include "base/window_port.h"

namespace mensora {

// An OK box with the exclamation or the stop icon, owned by `owner`.
void showMessageBox(HWND owner, const std::string& text, MessageIcon icon);

// The save dialog with `offeredName` as the file name and one type of file, `filterText` as
// shown, the pattern in its parentheses ("PNG pictures (*.png)"); a name typed without an
// extension is given the type's. The chosen path, or none when the user cancels. Overwriting
// asks first.
std::optional<std::string> askSavePath(HWND owner, const std::string& offeredName,
                                       const std::string& filterText);

}  // namespace mensora
