#include "ui/plan_window.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "base/control_ids.h"
#include "ui/bilingual_text.h"
#include "dialog/plan_form.h"
#include "dialog/plan_texts.h"
#include "ui/dialog_units.h"
#include "ui/message_boxes.h"
#include "ui/window_fonts.h"

namespace mensora {

namespace {

constexpr int kColumns = static_cast<int>(std::tuple_size_v<CharacteristicTexts>);

}  // namespace

PlanWindow::PlanWindow(PlanPanel& panel, Language language, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      panel_(panel),
      language_(language),
      choice_(new QComboBox(this)),
      part_(new QLineEdit(this)),
      partName_(new QLineEdit(this)),
      table_(new QTableWidget(0, kColumns, this)) {
    setObjectName(QStringLiteral("plan"));
    setFont(dialogFont(logicalDpiY()));
    const DialogBaseUnits units = dialogBaseUnits(font());
    setWindowTitle(textOf(plan_texts::kWindowTitle, language));
    const auto place = [&](QWidget* control, const DialogRect& rect, int id) {
        control->setGeometry(toPixels(rect, units));
        if (id != 0) control->setObjectName(QString::fromUtf8(controlName(id)));
    };
    const auto button = [&](const Bilingual& caption, const DialogRect& rect, int id) {
        auto* made = new QPushButton(textOf(caption, language), this);
        made->setAutoDefault(false);
        place(made, rect, id);
        return made;
    };
    using namespace plan_form;
    place(new QLabel(textOf(plan_texts::kPlanLabel, language), this), kChoiceLabel, 0);
    place(choice_, {kChoice.x, kChoice.y, kChoice.width, 12}, kPlanChoice);
    auto* importButton = button(plan_texts::kImport, kImportButton, kPlanImportButton);
    auto* exportButton = button(plan_texts::kExport, kExportButton, kPlanExportButton);
    place(new QLabel(textOf(plan_texts::kPartLabel, language), this), kPartLabel, 0);
    place(part_, kPartField, kPlanPartField);
    place(new QLabel(textOf(plan_texts::kPartNameLabel, language), this), kPartNameLabel, 0);
    place(partName_, kPartNameField, kPlanPartNameField);
    place(table_, kTable, kPlanTable);
    QStringList headers;
    for (int column = 0; column < kColumns; ++column) {
        headers << textOf(tableColumnHeader(static_cast<std::size_t>(column)), language);
    }
    table_->setHorizontalHeaderLabels(headers);
    // Every column as wide as its header, the characteristic's name taking what is left.
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* add = button(plan_texts::kAdd, kAddButton, kPlanAddButton);
    auto* removeRow = button(plan_texts::kRemove, kRemoveButton, kPlanRemoveButton);
    auto* up = button(plan_texts::kUp, kUpButton, kPlanUpButton);
    auto* down = button(plan_texts::kDown, kDownButton, kPlanDownButton);
    auto* saveButton = button(plan_texts::kSave, kSaveButton, kPlanSaveButton);
    auto* deleteButton = button(plan_texts::kDelete, kDeleteButton, kPlanDeleteButton);
    auto* ok = button(plan_texts::kOk, kOkButton, kPlanOkButton);
    ok->setDefault(true);
    auto* cancel = button(plan_texts::kCancel, kCancelButton, kPlanCancelButton);
    setFixedSize(toPixels({0, 0, kWidthUnits, kHeightUnits}, units).size());

    const PlanPanel::Choices choices = panel_.choices();
    fillChoices(choices.inForce == 0 ? std::nullopt
                                     : std::optional(choices.parts[choices.inForce - 1]));
    showChosen();
    panel_.attach(this, language_);

    connect(choice_, &QComboBox::currentIndexChanged, this, [this] {
        if (filling_) return;
        if (!mayDiscardEdits()) {
            filling_ = true;
            choice_->setCurrentIndex(shownIndex_);
            filling_ = false;
            return;
        }
        showChosen();
    });
    connect(importButton, &QPushButton::clicked, this, &PlanWindow::importCsv);
    connect(exportButton, &QPushButton::clicked, this, &PlanWindow::exportCsv);
    connect(add, &QPushButton::clicked, this, &PlanWindow::addRow);
    connect(removeRow, &QPushButton::clicked, this, [this] {
        if (table_->currentRow() < 0) return;
        table_->removeRow(table_->currentRow());
        edited();
    });
    connect(up, &QPushButton::clicked, this, [this] { moveRow(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveRow(1); });
    connect(saveButton, &QPushButton::clicked, this, &PlanWindow::save);
    connect(deleteButton, &QPushButton::clicked, this, &PlanWindow::remove);
    connect(ok, &QPushButton::clicked, this, &PlanWindow::accept);
    connect(cancel, &QPushButton::clicked, this, &PlanWindow::reject);
    connect(table_, &QTableWidget::itemChanged, this, [this] {
        if (!filling_) edited();
    });
    for (QLineEdit* field : {part_, partName_}) {
        connect(field, &QLineEdit::textEdited, this, [this] { edited(); });
    }
}

void PlanWindow::fillChoices(const std::optional<std::string>& chosen) {
    filling_ = true;
    choice_->clear();
    choice_->addItem(textOf(plan_texts::kNoPlan, language_));
    const PlanPanel::Choices choices = panel_.choices();
    int index = 0;
    for (std::size_t i = 0; i < choices.parts.size(); ++i) {
        choice_->addItem(QString::fromStdString(choices.parts[i]));
        if (chosen && *chosen == choices.parts[i]) index = static_cast<int>(i) + 1;
    }
    choice_->setCurrentIndex(index);
    shownIndex_ = index;
    filling_ = false;
}

PlanWindow::~PlanWindow() { panel_.attach(nullptr, language_); }

void PlanWindow::plansRead() {
    fillChoices(panel_.choiceOnceRead(chosenPart(), edited_));
    if (!edited_) showChosen();
}

void PlanWindow::imported(const std::string& part) {
    fillChoices(part);
    showChosen();
}

// A save or deletion the disk refused was taken back: the list follows, and what the table
// holds stays, to be saved again.
void PlanWindow::tell(const std::string& text, bool writeRefused) {
    if (writeRefused) {
        fillChoices(chosenPart());
        edited();
    }
    say(text);
}

std::optional<std::string> PlanWindow::chosenPart() const {
    if (choice_->currentIndex() <= 0) return std::nullopt;
    return choice_->currentText().toStdString();
}

// The chosen plan in the fields and the table, as it was saved; "No plan" leaves them empty,
// ready for a new plan.
void PlanWindow::showChosen() {
    const std::optional<std::string> part = chosenPart();
    std::optional<InspectionPlan> plan;
    if (part) {
        plan = panel_.planOf(*part);
        if (!plan) say(pick(plan_texts::kNotReadable, language_));
    }
    show(plan.value_or(InspectionPlan{}));
}

void PlanWindow::show(const InspectionPlan& plan) {
    filling_ = true;
    part_->setText(QString::fromStdString(plan.part));
    partName_->setText(QString::fromStdString(plan.partName));
    table_->setRowCount(0);
    for (const Characteristic& characteristic : plan.characteristics) {
        const int row = table_->rowCount();
        table_->insertRow(row);
        const CharacteristicTexts texts = textsOf(characteristic);
        for (int column = 0; column < kColumns; ++column) {
            table_->setItem(row, column,
                            new QTableWidgetItem(
                                QString::fromStdString(texts[static_cast<std::size_t>(column)])));
        }
    }
    filling_ = false;
    edited_ = false;
    shownIndex_ = choice_->currentIndex();
}

std::optional<InspectionPlan> PlanWindow::planTyped() {
    std::vector<CharacteristicTexts> rows(static_cast<std::size_t>(table_->rowCount()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const QTableWidgetItem* item = table_->item(row, column);
            rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
                item == nullptr ? std::string() : item->text().trimmed().toStdString();
        }
    }
    auto plan = panel_.planFrom(part_->text().trimmed().toStdString(),
                                partName_->text().trimmed().toStdString(), rows, language_);
    if (auto* fault = std::get_if<std::string>(&plan)) {
        say(*fault);
        return std::nullopt;
    }
    return std::get<InspectionPlan>(std::move(plan));
}

void PlanWindow::importCsv() {
    if (!mayDiscardEdits()) return;
    const QString path =
        QFileDialog::getOpenFileName(this, textOf(plan_texts::kImport, language_), QString(),
                                     textOf(plan_texts::kCsvFiles, language_));
    if (path.isEmpty()) return;
    panel_.importFile(path.toStdString(), language_);
}

void PlanWindow::exportCsv() {
    const std::optional<InspectionPlan> plan = planTyped();
    if (!plan) return;
    const QString path = QFileDialog::getSaveFileName(this, textOf(plan_texts::kExport, language_),
                                                      QString::fromStdString(plan->part + ".csv"),
                                                      textOf(plan_texts::kCsvFiles, language_));
    if (path.isEmpty()) return;
    panel_.exportFile(*plan, path.toStdString(), language_);
}

void PlanWindow::save() {
    const std::optional<InspectionPlan> plan = planTyped();
    if (!plan) return;
    if (const auto failure = panel_.save(*plan, language_)) {
        say(*failure);
        return;
    }
    fillChoices(plan->part);
    showChosen();
}

void PlanWindow::remove() {
    const std::optional<std::string> part = chosenPart();
    if (!part || !askYesNoBox(this, textOf(plan_texts::kDeleteQuestion, language_))) return;
    panel_.remove(*part);
    fillChoices(std::nullopt);
    showChosen();
}

void PlanWindow::addRow() {
    const int row = table_->currentRow() < 0 ? table_->rowCount() : table_->currentRow() + 1;
    table_->insertRow(row);
    table_->setCurrentCell(row, 1);
    edited();
}

void PlanWindow::moveRow(int by) {
    const int row = table_->currentRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= table_->rowCount()) return;
    filling_ = true;
    for (int column = 0; column < kColumns; ++column) {
        QTableWidgetItem* moving = table_->takeItem(row, column);
        table_->setItem(row, column, table_->takeItem(to, column));
        table_->setItem(to, column, moving);
    }
    filling_ = false;
    table_->setCurrentCell(to, table_->currentColumn());
    edited();
}

bool PlanWindow::mayDiscardEdits() {
    return !edited_ || askYesNoBox(this, textOf(plan_texts::kUnsavedChanges, language_));
}

void PlanWindow::say(const std::string& text) {
    showMessageBox(this, QString::fromStdString(text), MessageIcon::Exclamation);
}

// OK puts the chosen plan in force as it was saved, or none.
void PlanWindow::accept() {
    if (!mayDiscardEdits()) return;
    if (!panel_.confirm(chosenPart())) {
        say(pick(plan_texts::kNotReadable, language_));
        return;
    }
    QDialog::accept();
}

}  // namespace mensora
