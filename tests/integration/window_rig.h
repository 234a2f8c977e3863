#pragma once
// The one rig with the real Qt window in front of the dialog.

#include <QApplication>

#include "tests/support/dialog_rig.h"
#include "ui/main_window.h"

namespace mensora::test {

using WindowRig = DialogRig<MainWindow>;

// Shown, with every event its showing posted handled.
inline void showAndSettle(MainWindow& window) {
    window.show();
    QApplication::processEvents();
}

}  // namespace mensora::test
