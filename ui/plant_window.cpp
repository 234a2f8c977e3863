#include "ui/plant_window.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "plant/plant_door.h"
#include "plant/plant_texts.h"
#include "ui/message_boxes.h"

namespace mensora {

namespace {
QString textOf(const Bilingual& text, Language language) {
    return QString::fromUtf8(pick(text, language));
}
}  // namespace

PlantWindow::PlantWindow(PlantDoor& door, Language language, QWidget* parent)
    : QDialog(parent),
      door_(door),
      language_(language),
      connection_(new QLineEdit(QString::fromStdString(door.connection()), this)),
      bench_(new QLineEdit(QString::fromStdString(door.bench()), this)),
      testButton_(new QPushButton(textOf(plant_texts::kTest, language), this)) {
    setObjectName(QStringLiteral("plant"));
    setWindowTitle(textOf(plant_texts::kWindowTitle, language));
    connection_->setObjectName(QStringLiteral("plant-connection"));
    connection_->setMinimumWidth(connection_->fontMetrics().averageCharWidth() * 70);
    bench_->setObjectName(QStringLiteral("plant-bench"));
    testButton_->setObjectName(QStringLiteral("plant-test"));

    auto* fields = new QFormLayout;
    fields->addRow(textOf(plant_texts::kConnection, language), connection_);
    fields->addRow(textOf(plant_texts::kBench, language), bench_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(textOf(plant_texts::kOk, language));
    buttons->button(QDialogButtonBox::Cancel)->setText(textOf(plant_texts::kCancel, language));
    buttons->addButton(testButton_, QDialogButtonBox::ActionRole);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &PlantWindow::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PlantWindow::reject);
    connect(testButton_, &QPushButton::clicked, this, &PlantWindow::test);
}

void PlantWindow::test() {
    testButton_->setEnabled(false);
    testButton_->setText(textOf(plant_texts::kTesting, language_));
    const QPointer<PlantWindow> window(this);
    door_.test(connection_->text().toStdString(),
               [window](bool connected, const std::string& said) {
                   if (window == nullptr) return;  // closed while the server was asked
                   window->testButton_->setText(textOf(plant_texts::kTest, window->language_));
                   window->testButton_->setEnabled(true);
                   const Bilingual& lead =
                       connected ? plant_texts::kConnected : plant_texts::kNotConnected;
                   showMessageBox(window, textOf(lead, window->language_) + QString::fromStdString(said),
                                  connected ? MessageIcon::Exclamation : MessageIcon::Stop);
               });
}

void PlantWindow::accept() {
    door_.change(connection_->text().trimmed().toStdString(), bench_->text().trimmed().toStdString());
    QDialog::accept();
}

}  // namespace mensora
