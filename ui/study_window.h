#pragma once
// The window 量具能力 / Gauge study on Linux: it draws what the study panel decides, placed by
// the study form in the dialog font. It stays open beside the main window, so the live
// reading stays in view while the reference part is measured; closing it ends a study that
// still takes readings.

#include <QDialog>

#include "base/language.h"
#include "dialog/study_panel.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace mensora {

class ChartsView;

class StudyWindow : public QDialog, private StudyWindowPort {
    Q_OBJECT
public:
    StudyWindow(StudyPanel& panel, Language language, QWidget* parent);
    ~StudyWindow() override;
    StudyWindow(const StudyWindow&) = delete;
    StudyWindow& operator=(const StudyWindow&) = delete;

    // The chart and the figures as Save picture writes them.
    QImage picture() const;

private:
    void studyChanged() override;
    void tell(const std::string& text) override;
    void savePicture();
    void saveWorkbook();

    StudyPanel& panel_;
    Language language_;
    QLineEdit* reference_;
    QLineEdit* tolerance_;
    QLineEdit* count_;
    QLabel* gauge_;
    QLabel* progress_;
    ChartsView* chart_;
    QLabel* result_;
    QPushButton* start_;
    QPushButton* undo_;
    QPushButton* cancel_;
    QPushButton* savePicture_;
    QPushButton* saveWorkbook_;
};

}  // namespace mensora
