#pragma once
// Choosing a file in Qt's own save dialog as a user does, by typing into its name field.
// QFileDialog::selectFile leaves that field alone once it has the focus, which the dialog gives
// it at some moment after it shows: a test that selected would now and then accept the offered
// name instead of its own.

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include "base/language.h"
#include "files/save_file_types.h"

namespace mensora::test {

// `name` may be a whole path, or bare: the dialog gives it the extension of the type showing.
inline void typeFileName(QFileDialog& dialog, const QString& name) {
    dialog.findChild<QLineEdit*>("fileNameEdit")->setText(name);
}

// The next save dialog answered as a user saving a workbook: its type chosen, `name` typed,
// accepted. The dialog runs its own event loop, so it is answered from a timer within it.
class WorkbookSaveAnswer {
public:
    WorkbookSaveAnswer(Language language, const QString& name) {
        QObject::connect(&poll_, &QTimer::timeout, [this, language, name] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            poll_.stop();
            const QString workbook = QString::fromUtf8(pick(kWorkbookFilter, language));
            dialog->selectNameFilter(workbook);
            emit dialog->filterSelected(workbook);
            typeFileName(*dialog, name);
            QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
        });
        poll_.start(10);
    }

private:
    QTimer poll_;
};

}  // namespace mensora::test
