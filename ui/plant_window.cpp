#include "ui/plant_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "base/control_ids.h"
#include "ui/bilingual_text.h"
#include "dialog/plant_form.h"
#include "dialog/plant_panel.h"
#include "plant/plant_texts.h"
#include "ui/dialog_units.h"
#include "ui/message_boxes.h"
#include "ui/window_fonts.h"

namespace mensora {

PlantWindow::PlantWindow(PlantPanel& panel, Language language, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      panel_(panel),
      language_(language),
      connection_(new QLineEdit(this)),
      bench_(new QLineEdit(this)),
      testButton_(new QPushButton(textOf(plant_texts::kTest, language), this)) {
    setObjectName(QStringLiteral("plant"));
    setFont(dialogFont(logicalDpiY()));
    const DialogBaseUnits units = dialogBaseUnits(font());
    setWindowTitle(textOf(plant_texts::kWindowTitle, language));
    const PlantPanel::Fields shown = panel_.opened();
    const auto place = [&](QWidget* control, const DialogRect& rect, const char* name) {
        control->setGeometry(toPixels(rect, units));
        if (name != nullptr) control->setObjectName(QString::fromUtf8(name));
    };
    place(new QLabel(textOf(plant_texts::kConnection, language), this),
          plant_form::kConnectionLabel, nullptr);
    place(connection_, plant_form::kConnectionField, controlName(kPlantConnectionField));
    connection_->setText(QString::fromStdString(shown.connection));
    place(new QLabel(textOf(plant_texts::kBench, language), this), plant_form::kBenchLabel,
          nullptr);
    place(bench_, plant_form::kBenchField, controlName(kPlantBenchField));
    bench_->setText(QString::fromStdString(shown.bench));
    place(testButton_, plant_form::kTestButton, controlName(kPlantTestButton));
    auto* ok = new QPushButton(textOf(plant_texts::kOk, language), this);
    place(ok, plant_form::kOkButton, "plant-ok");
    ok->setDefault(true);
    auto* cancel = new QPushButton(textOf(plant_texts::kCancel, language), this);
    place(cancel, plant_form::kCancelButton, "plant-cancel");
    setFixedSize(toPixels({0, 0, plant_form::kWidthUnits, plant_form::kHeightUnits}, units).size());
    connection_->setFocus();

    connect(ok, &QPushButton::clicked, this, &PlantWindow::accept);
    connect(cancel, &QPushButton::clicked, this, &PlantWindow::reject);
    connect(testButton_, &QPushButton::clicked, this, &PlantWindow::test);
}

PlantWindow::~PlantWindow() { panel_.closed(); }

void PlantWindow::test() {
    panel_.test(
        connection_->text().toStdString(), language_,
        [this](const PlantPanel::TestButton& button) {
            testButton_->setEnabled(button.enabled);
            testButton_->setText(QString::fromStdString(button.caption));
        },
        [this](const PlantPanel::Answer& answer) {
            showMessageBox(this, QString::fromStdString(answer.text), answer.icon);
        });
}

void PlantWindow::accept() {
    panel_.confirm({connection_->text().toStdString(), bench_->text().toStdString()});
    QDialog::accept();
}

}  // namespace mensora
