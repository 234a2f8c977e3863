#include "ui/study_window.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "base/control_ids.h"
#include "charts/chart_texts.h"
#include "charts/study_chart.h"
#include "dialog/study_form.h"
#include "dialog/study_texts.h"
#include "files/save_file_types.h"
#include "measure/gauge_study_texts.h"
#include "ui/bilingual_text.h"
#include "ui/charts_view.h"
#include "ui/dialog_units.h"
#include "ui/message_boxes.h"
#include "ui/qt_canvas.h"
#include "ui/window_fonts.h"

namespace mensora {

StudyWindow::StudyWindow(StudyPanel& panel, Language language, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      panel_(panel),
      language_(language),
      reference_(new QLineEdit(this)),
      tolerance_(new QLineEdit(this)),
      count_(new QLineEdit(this)),
      gauge_(new QLabel(this)),
      progress_(new QLabel(this)),
      chart_(
          new ChartsView([this](Canvas& canvas,
                                const Rect& area) { drawStudyChart(canvas, area, panel_.chart()); },
                         this)),
      result_(new QLabel(this)),
      start_(new QPushButton(textOf(study_texts::kStart, language), this)),
      undo_(new QPushButton(textOf(study_texts::kUndo, language), this)),
      cancel_(new QPushButton(textOf(study_texts::kCancel, language), this)),
      savePicture_(new QPushButton(textOf(study_texts::kSavePicture, language), this)),
      saveWorkbook_(new QPushButton(textOf(study_texts::kSaveWorkbook, language), this)) {
    setObjectName(QStringLiteral("gauge-study"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(dialogFont(logicalDpiY()));
    const DialogBaseUnits units = dialogBaseUnits(font());
    setWindowTitle(textOf(gauge_study_texts::kWindowTitle, language));
    const auto place = [&](QWidget* control, const DialogRect& rect, int id) {
        control->setGeometry(toPixels(rect, units));
        if (id != 0) control->setObjectName(QString::fromUtf8(controlName(id)));
    };
    using namespace study_form;
    place(new QLabel(textOf(study_texts::kReference, language), this), kReferenceLabel, 0);
    place(reference_, kReferenceField, kStudyReferenceField);
    place(new QLabel(textOf(study_texts::kTolerance, language), this), kToleranceLabel, 0);
    place(tolerance_, kToleranceField, kStudyToleranceField);
    place(new QLabel(textOf(study_texts::kCount, language), this), kCountLabel, 0);
    place(count_, kCountField, kStudyCountField);
    place(start_, kStartButton, kStudyStartButton);
    place(gauge_, kGaugeLabel, kStudyGaugeLabel);
    place(progress_, kProgressLabel, kStudyProgressLabel);
    progress_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(chart_, kChart, kStudyChart);
    place(result_, kResultLabel, kStudyResultLabel);
    result_->setWordWrap(true);
    result_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    result_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    place(undo_, kUndoButton, kStudyUndoButton);
    place(cancel_, kCancelButton, kStudyCancelButton);
    place(savePicture_, kSavePictureButton, kStudySavePictureButton);
    place(saveWorkbook_, kSaveWorkbookButton, kStudySaveWorkbookButton);
    auto* close = new QPushButton(textOf(study_texts::kClose, language), this);
    place(close, kCloseButton, kStudyCloseButton);
    setFixedSize(toPixels({0, 0, kWidthUnits, kHeightUnits}, units).size());

    const StudyFields fields = panel_.fields();
    reference_->setText(QString::fromStdString(fields.reference));
    tolerance_->setText(QString::fromStdString(fields.tolerance));
    count_->setText(QString::fromStdString(fields.count));
    gauge_->setText(textOf(study_texts::kGauge, language) +
                    QString::fromStdString(panel_.gaugeId()));

    connect(start_, &QPushButton::clicked, this, [this] {
        panel_.start({reference_->text().toStdString(), tolerance_->text().toStdString(),
                      count_->text().toStdString()});
    });
    connect(undo_, &QPushButton::clicked, this, [this] { panel_.undoLast(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { panel_.cancel(); });
    connect(savePicture_, &QPushButton::clicked, this, &StudyWindow::savePicture);
    connect(saveWorkbook_, &QPushButton::clicked, this, &StudyWindow::saveWorkbook);
    connect(close, &QPushButton::clicked, this, &StudyWindow::close);
    panel_.attach(this, language);
    studyChanged();
}

StudyWindow::~StudyWindow() { panel_.attach(nullptr, language_); }

void StudyWindow::studyChanged() {
    const bool taking = panel_.taking();
    for (QLineEdit* field : {reference_, tolerance_, count_}) field->setReadOnly(taking);
    start_->setEnabled(!taking);
    undo_->setEnabled(panel_.canUndo());
    cancel_->setEnabled(taking);
    savePicture_->setEnabled(panel_.finished());
    saveWorkbook_->setEnabled(panel_.finished());
    progress_->setText(QString::fromStdString(panel_.progress()));
    result_->setText(QString::fromStdString(panel_.result()));
    chart_->update();
}

void StudyWindow::tell(const std::string& text) {
    showMessageBox(this, QString::fromStdString(text), MessageIcon::Exclamation);
}

QImage StudyWindow::picture() const {
    int heading = 0;
    {
        QImage probe(1, 1, QImage::Format_RGB32);
        QPainter painter(&probe);
        painter.setFont(chart_->font());
        QtCanvas canvas(painter);
        heading = studyPictureHeadingHeight(canvas);
    }
    QImage image(chart_->width(), chart_->height() + heading, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(chart_->font());
    QtCanvas canvas(painter);
    drawStudyPicture(canvas, {0, 0, image.width(), image.height()}, panel_.chart(),
                     panel_.heading());
    painter.end();
    return image;
}

void StudyWindow::savePicture() {
    const std::optional<SaveChoice> choice = askSavePathDialog(
        this, study_texts::kPictureName, {pick(chart_texts::kPictureFilter, language_)});
    if (!choice) return;
    const QString file = QString::fromStdString(choice->path);
    if (!picture().save(file, "PNG")) {
        showMessageBox(this,
                       QString::fromUtf8(pick(chart_texts::kPictureNotSaved, language_)) + file,
                       MessageIcon::Stop);
    }
}

void StudyWindow::saveWorkbook() {
    const std::optional<SaveChoice> choice =
        askSavePathDialog(this, study_texts::kWorkbookName, {pick(kWorkbookFilter, language_)});
    if (choice) panel_.saveWorkbook(choice->path);
}

}  // namespace mensora
