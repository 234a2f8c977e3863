#pragma once
// The small window 工厂数据库 / Plant database: the ODBC connection string and the bench's
// name, a Test button that connects off the window's thread and says what the server
// answered, OK that stores both and starts sending again.

#include <QDialog>

#include "base/language.h"

class QLineEdit;
class QPushButton;

namespace mensora {

class PlantDoor;

class PlantWindow : public QDialog {
    Q_OBJECT
public:
    PlantWindow(PlantDoor& door, Language language, QWidget* parent);

    void accept() override;

private:
    void test();

    PlantDoor& door_;
    Language language_;
    QLineEdit* connection_;
    QLineEdit* bench_;
    QPushButton* testButton_;
};

}  // namespace mensora
