#include "ui/charts_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "charts/chart_texts.h"
#include "charts/charts_picture.h"
#include "charts/charts_window_size.h"
#include "measure/judgement.h"
#include "measure/trace_fields.h"
#include "ui/charts_view.h"
#include "ui/message_boxes.h"
#include "ui/qt_canvas.h"

namespace mensora {
namespace {

constexpr int kFollowMs = 100;  // at most ten drawings a second
constexpr int kFiguresPerRow = 4;

}  // namespace

bool ChartsWindow::Seen::operator==(const Seen& other) const {
    return revision == other.revision && limits.nominal == other.limits.nominal &&
           limits.upper == other.limits.upper && limits.lower == other.limits.lower &&
           language == other.language && trace == other.trace;
}

ChartsWindow::ChartsWindow(const ChartData& chartData, const AcquisitionState& state,
                           const RecordTraces& traces, SettingsStore& settings, QWidget* parent)
    : QWidget(parent, Qt::Window),
      data_(chartData),
      state_(state),
      traces_(traces),
      settings_(settings),
      trace_(new QLabel(this)),
      view_(new ChartsView([this] { return inputs(); }, this)),
      save_(new QPushButton(this)) {
    setObjectName(QStringLiteral("charts"));
    view_->setObjectName(QStringLiteral("charts-view"));
    save_->setObjectName(QStringLiteral("charts-save"));
    trace_->setObjectName(QStringLiteral("charts-trace"));
    trace_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* figures = new QGridLayout;
    for (std::size_t i = 0; i < kFigureCount; ++i) {
        const int row = static_cast<int>(i) / kFiguresPerRow;
        const int column = 2 * (static_cast<int>(i) % kFiguresPerRow);
        names_[i] = new QLabel(this);
        figures_[i] = new QLabel(this);
        figures_[i]->setObjectName(QString::fromUtf8(kFigureRows[i].objectName));
        figures_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        figures_[i]->setMinimumWidth(figures_[i]->fontMetrics().horizontalAdvance("0000.00000"));
        figures->addWidget(names_[i], row, column, Qt::AlignRight);
        figures->addWidget(figures_[i], row, column + 1, Qt::AlignLeft);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(trace_);
    layout->addLayout(figures);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);

    setMinimumSize(kChartsLeastSize.width, kChartsLeastSize.height);
    const WindowSize size = loadChartsWindowSize(settings_);
    resize(size.width, size.height);

    connect(save_, &QPushButton::clicked, this, &ChartsWindow::savePicture);
    connect(&ticker_, &QTimer::timeout, this, &ChartsWindow::follow);
    ticker_.setInterval(kFollowMs);
}

ChartInputs ChartsWindow::inputs() const {
    return {data_, toleranceLimits(state_.parameters), state_.language(), traces_.inForce()};
}

void ChartsWindow::open() {
    show();
    raise();
    activateWindow();
}

void ChartsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    follow();
    ticker_.start();
}

void ChartsWindow::hideEvent(QHideEvent* event) {
    ticker_.stop();
    storeChartsWindowSize(settings_, {width(), height()});
    QWidget::hideEvent(event);
}

// Takes a look at the records; the figures and the charts change only when something they
// show has, so an idle window costs nothing but the look.
void ChartsWindow::follow() {
    const ChartInputs now = inputs();
    Seen seen{data_.revision(), now.limits, now.language, now.trace};
    if (seen_ && *seen_ == seen) return;
    if (!seen_ || seen_->language != seen.language) retranslate();
    trace_->setText(QString::fromStdString(traceLine(now.trace, now.language)));
    seen_ = std::move(seen);
    const auto texts = figureTexts(data_.capability().figures(now.limits), data_.decimalPlaces());
    for (std::size_t i = 0; i < kFigureCount; ++i) figures_[i]->setText(QString::fromStdString(texts[i]));
    view_->update();
}

void ChartsWindow::retranslate() {
    const Language language = state_.language();
    setWindowTitle(QString::fromUtf8(pick(chart_texts::kWindowTitle, language)));
    for (std::size_t i = 0; i < kFigureCount; ++i) {
        names_[i]->setText(QString::fromUtf8(pick(kFigureRows[i].label, language)));
    }
    save_->setText(QString::fromUtf8(pick(chart_texts::kSavePicture, language)));
}

QImage ChartsWindow::picture() const {
    int heading = 0;
    {
        QImage probe(1, 1, QImage::Format_RGB32);
        QPainter painter(&probe);
        painter.setFont(view_->font());
        QtCanvas canvas(painter);
        heading = pictureHeadingHeight(canvas);
    }
    QImage image(view_->width(), view_->height() + heading, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(view_->font());
    QtCanvas canvas(painter);
    drawPicture(canvas, {0, 0, image.width(), image.height()}, inputs());
    painter.end();
    return image;
}

void ChartsWindow::savePicture() {
    const Language language = state_.language();
    const std::optional<std::string> path = askSavePathDialog(
        this, chart_texts::kPictureName, pick(chart_texts::kPictureFilter, language));
    if (!path) return;
    const QString file = QString::fromStdString(*path);
    if (!picture().save(file, "PNG")) {
        showMessageBox(this, QString::fromUtf8(pick(chart_texts::kPictureNotSaved, language)) + file,
                       MessageIcon::Stop);
    }
}

}  // namespace mensora
