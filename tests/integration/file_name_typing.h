#pragma once
// Choosing a file in Qt's own save dialog as a user does, by typing into its name field.
// QFileDialog::selectFile leaves that field alone once it has the focus, which the dialog gives
// it at some moment after it shows: a test that selected would now and then accept the offered
// name instead of its own.

#include <QFileDialog>
#include <QLineEdit>

namespace mensora::test {

// `name` may be a whole path, or bare: the dialog gives it the extension of the type showing.
inline void typeFileName(QFileDialog& dialog, const QString& name) {
    dialog.findChild<QLineEdit*>("fileNameEdit")->setText(name);
}

}  // namespace mensora::test
