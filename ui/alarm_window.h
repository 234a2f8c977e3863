#pragma once
// The window that acknowledges the alarm standing under the main window: the rule that fired,
// a cause from the common ones or typed, a one-line note, OK and Cancel, placed as the core's
// form places them. Modal, as the program's message boxes are: the timers keep ticking inside
// it, so the gauge's data key and automatic sampling go on recording while it is open. What OK
// does is the core's.

#include <QDialog>

#include "dialog/alarm_board.h"

class QComboBox;
class QLineEdit;

namespace mensora {

class AlarmWindow : public QDialog {
    Q_OBJECT
public:
    AlarmWindow(AlarmBoard& board, Language language, QWidget* parent);

public slots:
    // OK: every alarm that stands is acknowledged with the cause and the note.
    void accept() override;

private:
    AlarmBoard& board_;
    QComboBox* cause_;
    QLineEdit* note_;
};

}  // namespace mensora
