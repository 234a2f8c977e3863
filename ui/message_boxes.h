#pragma once
// The program's modal boxes. They carry the executable's name as caption, as the bench PCs
// show it. Timers keep ticking while a box is open.

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "base/window_port.h"

class QWidget;

namespace mensora {

// The base name of the running executable ("mensora").
QString applicationCaption();

// An OK button and the exclamation or stop icon.
void showMessageBox(QWidget* parent, const QString& text, MessageIcon icon);

// Yes and No, with No as the default so that a stray Enter keeps what is at stake.
bool askYesNoBox(QWidget* parent, const QString& text);

// The save dialog: the offered file name, the types of file (the first showing),
// confirmation before replacing a file. The choice, or nothing when the user cancelled.
std::optional<SaveChoice> askSavePathDialog(QWidget* parent, const std::string& offeredName,
                                            const std::vector<std::string>& fileTypes);

}  // namespace mensora
