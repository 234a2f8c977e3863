#include "tools/tour/tour_modal_hand.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

namespace mensora::tour {

ModalHand::ModalHand() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { answerWhatIsOpen(); });
    timer_.start(50);
}

std::vector<MetBox> ModalHand::takeMet() { return std::exchange(met_, {}); }

void ModalHand::answerWhatIsOpen() {
    QWidget* open = QApplication::activeModalWidget();
    if (open == nullptr || !open->isVisible()) return;
    if (auto* dialog = qobject_cast<QFileDialog*>(open)) {
        fillIn(*dialog);
    } else if (auto* box = qobject_cast<QMessageBox*>(open)) {
        answer(*box);
    } else {
        met_.push_back({QStringLiteral("an unexpected %1 was open")
                            .arg(QString::fromLatin1(open->metaObject()->className())),
                        true});
        open->close();
    }
}

void ModalHand::fillIn(QFileDialog& dialog) {
    // The file name field and the buttons of Qt's own dialog, which the program asks for.
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    QPushButton* save = buttons == nullptr ? nullptr : buttons->button(QDialogButtonBox::Save);
    if (savePath_.isEmpty() || name == nullptr || save == nullptr) {
        met_.push_back({savePath_.isEmpty() ? QStringLiteral("an unasked save dialog")
                                            : QStringLiteral("a save dialog without its fields"),
                        true});
        dialog.reject();
        return;
    }
    // Pasted whole: key by key, the dialog's completer would open its list over the field.
    name->setText(std::exchange(savePath_, QString()));
    save->click();
}

void ModalHand::answer(QMessageBox& box) {
    met_.push_back({box.text(), box.icon() == QMessageBox::Critical});
    // Yes to a question (replacing a file the tour wrote before), else the box's OK.
    QAbstractButton* press = box.button(QMessageBox::Yes);
    if (press == nullptr) press = box.button(QMessageBox::Ok);
    if (press != nullptr) {
        press->click();
    } else {
        box.done(0);
    }
}

}  // namespace mensora::tour
