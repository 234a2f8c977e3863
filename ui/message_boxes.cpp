#include "ui/message_boxes.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "base/file_type_filter.h"

namespace mensora {

QString applicationCaption() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void showMessageBox(QWidget* parent, const QString& text, MessageIcon icon) {
    const QMessageBox::Icon shown =
        icon == MessageIcon::Stop ? QMessageBox::Critical : QMessageBox::Warning;
    QMessageBox box(shown, applicationCaption(), text, QMessageBox::Ok, parent);
    box.exec();
}

bool askYesNoBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, applicationCaption(), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> askSavePathDialog(QWidget* parent, const std::string& offeredName,
                                             const std::string& filterText) {
    QFileDialog dialog(parent);
    // Qt's own dialog looks and behaves the same on every desktop and in tests.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QString::fromStdString(filterText));
    dialog.setDefaultSuffix(QString::fromStdString(fileTypeOf(filterText).extension));
    dialog.selectFile(QString::fromStdString(offeredName));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.first().toStdString();
}

}  // namespace mensora
