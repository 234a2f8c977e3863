#pragma once
// The box that stands over the main window while a workbook is written: a text, a progress bar
// and Cancel. It is not modal: the window and the gauge go on meanwhile.

#include <QDialog>
#include <functional>
#include <string>

class QLabel;
class QProgressBar;
class QPushButton;

namespace mensora {

class SaveProgressBox : public QDialog {
    Q_OBJECT
public:
    // `cancel` runs for Cancel, Escape and the close box alike.
    SaveProgressBox(QWidget* parent, std::function<void()> cancel);

    void start(const std::string& text, const std::string& cancelText);
    void setPercent(int percent);

public slots:
    void reject() override;

private:
    QLabel* text_;
    QProgressBar* bar_;
    QPushButton* cancelButton_;
    std::function<void()> cancel_;
};

}  // namespace mensora
