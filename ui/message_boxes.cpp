#include "ui/message_boxes.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <algorithm>

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

std::optional<SaveChoice> askSavePathDialog(QWidget* parent, const std::string& offeredName,
                                            const std::vector<std::string>& fileTypes) {
    QFileDialog dialog(parent);
    // Qt's own dialog looks and behaves the same on every desktop and in tests.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const std::string& type : fileTypes) filters << QString::fromStdString(type);
    dialog.setNameFilters(filters);
    // A name typed without an extension gets the one of the type showing.
    const auto useSuffixOf = [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(QString::fromStdString(fileTypeOf(filter.toStdString()).extension));
    };
    useSuffixOf(filters.value(0));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, useSuffixOf);
    dialog.selectFile(QString::fromStdString(offeredName));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    const auto showing = filters.indexOf(dialog.selectedNameFilter());
    return SaveChoice{chosen.first().toStdString(),
                      static_cast<std::size_t>(std::max<qsizetype>(showing, 0))};
}

}  // namespace mensora
