#pragma once
// The system's own boxes as the program's windows use them: a message box and a question under
// the program's name, and the save and open dialogs.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "base/window_port.h"

namespace mensora {

// An OK box with the exclamation or the stop icon, owned by `owner`.
void showMessageBox(HWND owner, const std::string& text, MessageIcon icon);

// A question with Yes and No, No the default; whether the answer was Yes.
bool askYesNo(HWND owner, const std::string& text);

// The save dialog with `offeredName` as the file name and the types of file as shown, each
// with the pattern in its parentheses ("PNG pictures (*.png)"), the first showing; a name
// typed without an extension is given the extension of the type showing. The choice, or none
// when the user cancels. Overwriting asks first.
std::optional<SaveChoice> askSavePath(HWND owner, const std::string& offeredName,
                                      const std::vector<std::string>& fileTypes);

// The open dialog for an existing file of the type as shown ("CSV files (*.csv)"); the chosen
// path, or none when the user cancels.
std::optional<std::string> askOpenPath(HWND owner, const std::string& fileType);

}  // namespace mensora
