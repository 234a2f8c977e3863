#pragma once
// The hand that answers the program's modal boxes while the tour waits on a click, as the
// person at the bench would: it reads a message box and presses its button, and types a path
// into the save dialog. Every box it met is noted, for the tour to report and check.

#include <QString>
#include <QTimer>
#include <vector>

class QFileDialog;
class QMessageBox;

namespace mensora::tour {

struct MetBox {
    QString text;
    bool stopIcon = false;  // the program reports a failure with the stop icon
};

class ModalHand {
public:
    ModalHand();

    // The next save dialog gets this path typed into its file name field and is confirmed;
    // a save dialog that comes unasked is cancelled.
    void saveAs(const QString& path) { savePath_ = path; }
    bool hasMet() const { return !met_.empty(); }
    // The boxes met since the last call, oldest first.
    std::vector<MetBox> takeMet();

private:
    void answerWhatIsOpen();
    void fillIn(QFileDialog& dialog);
    void answer(QMessageBox& box);

    QTimer timer_;
    QString savePath_;
    std::vector<MetBox> met_;
};

}  // namespace mensora::tour
