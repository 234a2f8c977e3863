#include "ui/runs_window.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "base/control_ids.h"
#include "ui/bilingual_text.h"
#include "dialog/runs_form.h"
#include "dialog/runs_texts.h"
#include "ui/dialog_units.h"
#include "ui/window_fonts.h"

namespace mensora {

RunsWindow::RunsWindow(EarlierRuns& runs, Language language, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      runs_(runs),
      list_(new QListWidget(this)) {
    setObjectName(QStringLiteral("runs"));
    setFont(dialogFont(logicalDpiY()));
    const DialogBaseUnits units = dialogBaseUnits(font());
    setWindowTitle(textOf(runs_texts::kWindowTitle, language));
    const auto place = [&](QWidget* control, const DialogRect& rect, int id) {
        control->setGeometry(toPixels(rect, units));
        if (id != 0) control->setObjectName(QString::fromUtf8(controlName(id)));
    };
    place(new QLabel(textOf(runs_texts::kHeading, language), this), runs_form::kHeading, 0);
    place(list_, runs_form::kList, kRunsList);
    auto* save = new QPushButton(textOf(runs_texts::kSaveAs, language), this);
    place(save, runs_form::kSaveButton, kRunsSaveButton);
    auto* restore = new QPushButton(textOf(runs_texts::kRestore, language), this);
    place(restore, runs_form::kRestoreButton, kRunsRestoreButton);
    auto* close = new QPushButton(textOf(runs_texts::kClose, language), this);
    place(close, runs_form::kCloseButton, kRunsCloseButton);
    setFixedSize(toPixels({0, 0, runs_form::kWidthUnits, runs_form::kHeightUnits}, units).size());

    connect(save, &QPushButton::clicked, this, [this] { runs_.saveAs(chosen()); });
    connect(restore, &QPushButton::clicked, this, [this] { runs_.restore(chosen()); });
    connect(close, &QPushButton::clicked, this, &RunsWindow::reject);
    runs_.attach(this, language);
    runsRead();
}

RunsWindow::~RunsWindow() { runs_.attach(nullptr, Language::Chinese); }

void RunsWindow::runsRead() {
    list_->clear();
    for (const std::string& line : runs_.lines()) list_->addItem(QString::fromStdString(line));
    list_->setEnabled(runs_.haveRuns());
    if (runs_.haveRuns()) list_->setCurrentRow(0);
}

std::optional<std::size_t> RunsWindow::chosen() const {
    const int row = list_->currentRow();
    if (!runs_.haveRuns() || row < 0) return std::nullopt;
    return static_cast<std::size_t>(row);
}

}  // namespace mensora
