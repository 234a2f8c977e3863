#include "ui/save_progress_box.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "ui/message_boxes.h"

namespace mensora {

SaveProgressBox::SaveProgressBox(QWidget* parent, std::function<void()> cancel)
    : QDialog(parent), cancel_(std::move(cancel)) {
    setObjectName("save-progress");
    setModal(false);
    setWindowTitle(applicationCaption());
    text_ = new QLabel(this);
    bar_ = new QProgressBar(this);
    bar_->setObjectName("save-progress-bar");
    bar_->setRange(0, 100);
    bar_->setMinimumWidth(320);
    cancelButton_ = new QPushButton(this);
    cancelButton_->setObjectName("save-progress-cancel");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_);
    layout->addWidget(bar_);
    layout->addWidget(cancelButton_, 0, Qt::AlignRight);
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

// The box stays until the save has really stopped; the core hides it then.
void SaveProgressBox::reject() {
    cancelButton_->setEnabled(false);
    cancel_();
}

}  // namespace mensora
