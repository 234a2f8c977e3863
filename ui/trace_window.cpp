#include "ui/trace_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialog/trace_form.h"
#include "measure/trace_texts.h"
#include "ui/dialog_units.h"
#include "ui/message_boxes.h"
#include "ui/window_fonts.h"

namespace mensora {

TraceWindow::TraceWindow(TracePanel& panel, Language language, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      panel_(panel),
      language_(language) {
    setObjectName(QStringLiteral("trace"));
    setFont(dialogFont(logicalDpiY()));
    const DialogBaseUnits units = dialogBaseUnits(font());
    setWindowTitle(QString::fromUtf8(pick(trace_texts::kWindowTitle, language)));
    for (std::size_t i = 0; i < kTraceFieldCount; ++i) {
        auto* label = new QLabel(QString::fromUtf8(pick(kTraceFields[i].label, language)), this);
        label->setGeometry(toPixels(traceLabelRect(i), units));
        fields_[i] = new QLineEdit(this);
        fields_[i]->setObjectName(QString::fromUtf8(kTraceFields[i].objectName));
        fields_[i]->setGeometry(toPixels(traceFieldRect(i), units));
        label->setBuddy(fields_[i]);
    }
    auto* ok = new QPushButton(QString::fromUtf8(pick(trace_texts::kOk, language)), this);
    ok->setObjectName(QStringLiteral("trace-ok"));
    ok->setGeometry(toPixels(kTraceOkRect, units));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QString::fromUtf8(pick(trace_texts::kCancel, language)), this);
    cancel->setObjectName(QStringLiteral("trace-cancel"));
    cancel->setGeometry(toPixels(kTraceCancelRect, units));
    connect(ok, &QPushButton::clicked, this, &TraceWindow::accept);
    connect(cancel, &QPushButton::clicked, this, &TraceWindow::reject);
    setFixedSize(toPixels({0, 0, kTraceFormWidthUnits, kTraceFormHeightUnits}, units).size());
}

bool TraceWindow::ask() {
    const TraceTexts shown = panel_.shown();
    for (std::size_t i = 0; i < kTraceFieldCount; ++i) {
        fields_[i]->setText(QString::fromStdString(shown[i]));
    }
    fields_[0]->setFocus();
    fields_[0]->selectAll();
    return exec() == QDialog::Accepted;
}

void TraceWindow::accept() {
    TraceTexts typed;
    for (std::size_t i = 0; i < kTraceFieldCount; ++i) typed[i] = fields_[i]->text().toStdString();
    const std::optional<TracePanel::Refusal> refusal = panel_.confirm(typed, language_);
    if (!refusal) {
        QDialog::accept();
        return;
    }
    showMessageBox(this, QString::fromStdString(refusal->message), MessageIcon::Exclamation);
    fields_[refusal->field]->setFocus();
    fields_[refusal->field]->selectAll();
}

}  // namespace mensora
