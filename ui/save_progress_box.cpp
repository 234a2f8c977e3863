#include "ui/save_progress_box.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <utility>

#include "base/control_ids.h"
#include "dialog/save_progress_form.h"
#include "ui/dialog_units.h"
#include "ui/message_boxes.h"
#include "ui/window_fonts.h"

namespace mensora {

SaveProgressBox::SaveProgressBox(QWidget* parent, std::function<void()> cancel)
    : QDialog(parent), cancel_(std::move(cancel)) {
    setObjectName("save-progress");
    setModal(false);
    setWindowTitle(applicationCaption());
    setFont(dialogFont(logicalDpiY()));
    const DialogBaseUnits units = dialogBaseUnits(font());
    using namespace save_progress_form;
    text_ = new QLabel(this);
    text_->setGeometry(toPixels(kText, units));
    bar_ = new QProgressBar(this);
    bar_->setObjectName("save-progress-bar");
    bar_->setRange(0, 100);
    bar_->setGeometry(toPixels(kBar, units));
    cancelButton_ = new QPushButton(this);
    cancelButton_->setObjectName(QString::fromUtf8(controlName(kCancelSaveCommand)));
    cancelButton_->setGeometry(toPixels(kCancel, units));
    setFixedSize(toPixels({0, 0, kWidthUnits, kHeightUnits}, units).size());
    connect(cancelButton_, &QPushButton::clicked, this, &SaveProgressBox::reject);
}

void SaveProgressBox::start(const std::string& text, const std::string& cancelText) {
    text_->setText(QString::fromStdString(text));
    cancelButton_->setText(QString::fromStdString(cancelText));
    cancelButton_->setEnabled(true);
    bar_->setValue(0);
    show();
}

void SaveProgressBox::setPercent(int percent) { bar_->setValue(percent); }

void SaveProgressBox::reject() {
    cancelButton_->setEnabled(false);
    cancel_();
}

}  // namespace mensora
