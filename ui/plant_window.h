#pragma once
// The small window 工厂数据库 / Plant database on Linux: it draws what the plant panel decides,
// placed by the plant form in the dialog font.

#include <QDialog>

#include "base/language.h"

class QLineEdit;
class QPushButton;

namespace mensora {

class PlantPanel;

class PlantWindow : public QDialog {
    Q_OBJECT
public:
    PlantWindow(PlantPanel& panel, Language language, QWidget* parent);
    ~PlantWindow() override;

    void accept() override;

private:
    void test();

    PlantPanel& panel_;
    Language language_;
    QLineEdit* connection_;
    QLineEdit* bench_;
    QPushButton* testButton_;
};

}  // namespace mensora
