#include "ui/alarm_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "base/control_ids.h"
#include "dialog/alarm_form.h"
#include "dialog/alarm_texts.h"
#include "ui/dialog_units.h"
#include "ui/fitting_label.h"
#include "ui/window_fonts.h"

namespace mensora {
namespace {

QString textOf(const Bilingual& text, Language language) {
    return QString::fromUtf8(pick(text, language));
}

QString nameOf(int id) { return QString::fromUtf8(controlName(id)); }

}  // namespace

AlarmWindow::AlarmWindow(AlarmBoard& board, Language language, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      board_(board),
      cause_(new QComboBox(this)),
      note_(new QLineEdit(this)) {
    using namespace alarm_form;
    setObjectName(QStringLiteral("alarm"));
    setFont(dialogFont(logicalDpiY()));
    const DialogBaseUnits units = dialogBaseUnits(font());
    setWindowTitle(textOf(alarm_texts::kWindowTitle, language));
    auto* alarm = new FittingLabel(QString::fromStdString(board.newest(language)), this);
    alarm->setObjectName(nameOf(kAlarmRuleLabel));
    alarm->setGeometry(toPixels(kAlarm, units));
    alarm->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* causeLabel = new QLabel(textOf(alarm_texts::kCause, language), this);
    causeLabel->setGeometry(toPixels(kCauseLabel, units));
    cause_->setObjectName(nameOf(kAlarmCauseField));
    cause_->setEditable(true);
    cause_->setInsertPolicy(QComboBox::NoInsert);
    for (const Bilingual& common : alarm_texts::kCommonCauses) {
        cause_->addItem(textOf(common, language));
    }
    cause_->setCurrentIndex(-1);
    QRect causePlace = toPixels(kCause, units);
    causePlace.setHeight(toPixels(kNote, units).height());
    cause_->setGeometry(causePlace);
    causeLabel->setBuddy(cause_);
    auto* noteLabel = new QLabel(textOf(alarm_texts::kNote, language), this);
    noteLabel->setGeometry(toPixels(kNoteLabel, units));
    note_->setObjectName(nameOf(kAlarmNoteField));
    note_->setGeometry(toPixels(kNote, units));
    note_->setMaxLength(200);
    noteLabel->setBuddy(note_);
    auto* ok = new QPushButton(textOf(alarm_texts::kOk, language), this);
    ok->setObjectName(nameOf(kAlarmOkButton));
    ok->setGeometry(toPixels(kOk, units));
    ok->setDefault(true);
    auto* cancel = new QPushButton(textOf(alarm_texts::kCancel, language), this);
    cancel->setObjectName(nameOf(kAlarmCancelButton));
    cancel->setGeometry(toPixels(kCancel, units));
    connect(ok, &QPushButton::clicked, this, &AlarmWindow::accept);
    connect(cancel, &QPushButton::clicked, this, &AlarmWindow::reject);
    setFixedSize(toPixels({0, 0, kWidthUnits, kHeightUnits}, units).size());
    cause_->setFocus();
}

void AlarmWindow::accept() {
    board_.acknowledge(cause_->currentText().trimmed().toStdString(),
                       note_->text().trimmed().toStdString());
    QDialog::accept();
}

}  // namespace mensora
