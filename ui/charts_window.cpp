#include "ui/charts_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/control_ids.h"
#include "charts/chart_texts.h"
#include "charts/charts_picture.h"
#include "charts/charts_window_size.h"
#include "charts/control_constants.h"
#include "charts/control_headings.h"
#include "charts/run_rule_texts.h"
#include "measure/judgement.h"
#include "measure/trace_fields.h"
#include "ui/charts_view.h"
#include "ui/message_boxes.h"
#include "ui/qt_canvas.h"

namespace mensora {
namespace {

constexpr int kFollowMs = 100;  // at most ten drawings a second
constexpr int kFiguresPerRow = 4;

Rect screenRect(const QRect& rect) { return {rect.x(), rect.y(), rect.width(), rect.height()}; }

}  // namespace

ChartsWindow::ChartsWindow(ChartSource& source, const AcquisitionState& state,
                           SettingsStore& settings, QWidget* parent)
    : QWidget(parent, Qt::Window),
      follower_(source, state, settings),
      trace_(new QLabel(this)),
      limits_(new QLabel(this)),
      view_(new ChartsView(
          [this](Canvas& canvas, const Rect& area) { drawCharts(canvas, area, inputs()); }, this)),
      choice_(new QComboBox(this)),
      subgroupLabel_(new QLabel(this)),
      subgroup_(new QSpinBox(this)),
      rules_(new QToolButton(this)),
      fix_(new QPushButton(this)),
      unfix_(new QPushButton(this)),
      limitButtons_(new QWidget(this)),
      controlRow_(new QHBoxLayout),
      wrappedRow_(new QHBoxLayout),
      save_(new QPushButton(this)) {
    setObjectName(QStringLiteral("charts"));
    view_->setObjectName(QStringLiteral("charts-view"));
    save_->setObjectName(QString::fromUtf8(controlName(kChartsSaveButton)));
    choice_->setObjectName(QString::fromUtf8(controlName(kChartsCharacteristicChoice)));
    choice_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    choice_->hide();
    trace_->setObjectName(QStringLiteral("charts-trace"));
    trace_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    limits_->setObjectName(QString::fromUtf8(controlName(kChartsLimitsLine)));
    subgroupLabel_->setObjectName(QString::fromUtf8(controlName(kChartsSubgroupLabel)));
    subgroupLabel_->setBuddy(subgroup_);
    subgroup_->setObjectName(QString::fromUtf8(controlName(kChartsSubgroupChoice)));
    subgroup_->setRange(1, kLargestSubgroup);
    rules_->setObjectName(QString::fromUtf8(controlName(kChartsRulesButton)));
    rules_->setPopupMode(QToolButton::InstantPopup);
    auto* ruleMenu = new QMenu(rules_);
    for (int rule = 1; rule <= kRuleCount; ++rule) {
        QAction* action = ruleMenu->addAction(QString());
        action->setObjectName(QStringLiteral("charts-rule-%1").arg(rule));
        action->setCheckable(true);
        connect(action, &QAction::toggled, this, &ChartsWindow::chooseRules);
        ruleActions_[rule - 1] = action;
    }
    rules_->setMenu(ruleMenu);
    fix_->setObjectName(QString::fromUtf8(controlName(kChartsFixButton)));
    unfix_->setObjectName(QString::fromUtf8(controlName(kChartsUnfixButton)));

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
    warningsName_ = new QLabel(this);
    warnings_ = new QLabel(this);
    warnings_->setObjectName(QString::fromUtf8(kWarningsRow.objectName));
    warnings_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const int warningsRow = static_cast<int>(kFigureCount + kFiguresPerRow - 1) / kFiguresPerRow;
    figures->addWidget(warningsName_, warningsRow, 0, Qt::AlignRight);
    figures->addWidget(warnings_, warningsRow, 1, Qt::AlignLeft);
    auto* limitButtons = new QHBoxLayout(limitButtons_);
    limitButtons->setContentsMargins(0, 0, 0, 0);
    limitButtons->addWidget(fix_);
    limitButtons->addWidget(unfix_);
    controlRow_->addWidget(subgroupLabel_);
    controlRow_->addWidget(subgroup_);
    controlRow_->addWidget(rules_);
    controlRow_->addStretch();
    controlRow_->addWidget(limitButtons_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(choice_);
    buttons->addStretch();
    buttons->addWidget(save_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(trace_);
    layout->addLayout(figures);
    layout->addWidget(limits_);
    layout->addLayout(controlRow_);
    layout->addLayout(wrappedRow_);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);

    setMinimumSize(kChartsLeastSize.width, kChartsLeastSize.height);
    const WindowSize size = follower_.openingSize();
    resize(size.width, size.height);

    connect(save_, &QPushButton::clicked, this, &ChartsWindow::savePicture);
    connect(choice_, &QComboBox::activated, this, [this](int index) {
        follower_.pin(index > 0 ? std::optional<std::size_t>(index - 1) : std::nullopt);
        follow();
    });
    connect(subgroup_, &QSpinBox::valueChanged, this, [this](int chosen) {
        follower_.setSubgroupSize(chosen);
        follow();
    });
    connect(fix_, &QPushButton::clicked, this, [this] {
        follower_.fixLimits();
        follow();
    });
    connect(unfix_, &QPushButton::clicked, this, [this] {
        follower_.unfixLimits();
        follow();
    });
    connect(&ticker_, &QTimer::timeout, this, &ChartsWindow::follow);
    ticker_.setInterval(kFollowMs);
}

ChartInputs ChartsWindow::inputs() const { return follower_.inputs(); }

void ChartsWindow::open() {
    if (!placed_) placeOnScreen();
    show();
    raise();
    activateWindow();
}

// The window manager frames the charts window as it frames the main window, so the main
// window's frame tells how far the charts window's will reach.
void ChartsWindow::placeOnScreen() {
    const QWidget* main = parentWidget();
    if (main == nullptr) return;
    placed_ = true;
    const QRect outer = main->frameGeometry();
    const QRect inner = main->geometry();
    QRect list = inner;
    if (const auto* records = main->findChild<QWidget*>(QString::number(RecordList))) {
        list = QRect(records->mapToGlobal(QPoint(0, 0)), records->size());
    }
    const ChartsScreen screen{screenRect(main->screen()->availableGeometry()),
                              screenRect(outer),
                              screenRect(list),
                              {inner.left() - outer.left(), inner.top() - outer.top(),
                               outer.right() - inner.right(), outer.bottom() - inner.bottom()}};
    const Rect place = follower_.openingPlace(screen);
    setGeometry(place.left, place.top, place.width, place.height);
}

void ChartsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    follow();
    ticker_.start();
}

void ChartsWindow::hideEvent(QHideEvent* event) {
    ticker_.stop();
    follower_.hidden(screenRect(geometry()), isMinimized());
    QWidget::hideEvent(event);
}

void ChartsWindow::follow() {
    const ChartsFollower::Change change = follower_.look();
    if (!change.redraw) return;
    if (change.retranslate) retranslate();
    if (change.rechoose) fillChoice();
    const ChartInputs now = inputs();
    trace_->setText(QString::fromStdString(traceLine(now.trace, now.language)));
    const auto texts = figureTexts(now.data.figures(now.limits), now.data.decimalPlaces());
    for (std::size_t i = 0; i < kFigureCount; ++i)
        figures_[i]->setText(QString::fromStdString(texts[i]));
    warnings_->setNum(static_cast<int>(now.data.warnings().size()));
    limits_->setText(QString::fromStdString(limitsLine(now.data, now.language)));
    showControl();
    view_->update();
}

void ChartsWindow::showControl() {
    const ChartsFollower::ControlState control = follower_.controlState();
    {
        const QSignalBlocker quiet(subgroup_);
        subgroup_->setValue(control.subgroupSize);
    }
    subgroup_->setEnabled(control.subgroupChosen);
    for (int rule = 1; rule <= kRuleCount; ++rule) {
        const QSignalBlocker quiet(ruleActions_[rule - 1]);
        ruleActions_[rule - 1]->setChecked(control.rules.contains(rule));
    }
    fix_->setEnabled(control.fixable);
    unfix_->setEnabled(control.fixed);
}

void ChartsWindow::chooseRules() {
    RuleSet rules = RuleSet::none();
    for (int rule = 1; rule <= kRuleCount; ++rule) {
        rules.set(rule, ruleActions_[rule - 1]->isChecked());
    }
    follower_.setRules(rules);
    follow();
}

void ChartsWindow::retranslate() {
    const Language language = follower_.language();
    setWindowTitle(QString::fromUtf8(pick(chart_texts::kWindowTitle, language)));
    for (std::size_t i = 0; i < kFigureCount; ++i) {
        names_[i]->setText(QString::fromUtf8(pick(kFigureRows[i].label, language)));
    }
    warningsName_->setText(QString::fromUtf8(pick(kWarningsRow.label, language)));
    save_->setText(QString::fromUtf8(pick(chart_texts::kSavePicture, language)));
    subgroupLabel_->setText(QString::fromUtf8(pick(chart_texts::kSubgroupSize, language)));
    rules_->setText(QString::fromUtf8(pick(chart_texts::kRules, language)));
    for (int rule = 1; rule <= kRuleCount; ++rule) {
        ruleActions_[rule - 1]->setText(
            QString::fromUtf8(pick(run_rule_texts::kRuleNames[rule - 1], language)));
    }
    fix_->setText(QString::fromUtf8(pick(chart_texts::kFixLimits, language)));
    unfix_->setText(QString::fromUtf8(pick(chart_texts::kUnfixLimits, language)));
    placeLimitButtons();
}

void ChartsWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeLimitButtons();
}

void ChartsWindow::placeLimitButtons() {
    const int left = subgroupLabel_->sizeHint().width() + subgroup_->sizeHint().width() +
                     rules_->sizeHint().width() + 3 * controlRow_->spacing();
    const QMargins margins = layout()->contentsMargins();
    const bool fits =
        left + limitButtons_->sizeHint().width() <= width() - margins.left() - margins.right();
    const bool wrapped = wrappedRow_->indexOf(limitButtons_) >= 0;
    if (fits == !wrapped) return;
    if (fits) {
        // The buttons' item and the stretch after them; the buttons stay.
        while (QLayoutItem* item = wrappedRow_->takeAt(0)) delete item;
        controlRow_->addWidget(limitButtons_);
    } else {
        controlRow_->removeWidget(limitButtons_);
        wrappedRow_->addWidget(limitButtons_);
        wrappedRow_->addStretch();
    }
}

void ChartsWindow::fillChoice() {
    const std::vector<std::string>& characteristics = follower_.characteristics();
    const QSignalBlocker quiet(choice_);
    choice_->clear();
    choice_->addItem(
        QString::fromUtf8(pick(chart_texts::kCharacteristicDue, follower_.language())));
    for (const std::string& characteristic : characteristics) {
        choice_->addItem(QString::fromStdString(characteristic));
    }
    const std::optional<std::size_t> pinned = follower_.pinned();
    choice_->setCurrentIndex(pinned ? static_cast<int>(*pinned) + 1 : 0);
    choice_->setVisible(!characteristics.empty());
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
    const Language language = follower_.language();
    const std::optional<SaveChoice> choice = askSavePathDialog(
        this, chart_texts::kPictureName, {pick(chart_texts::kPictureFilter, language)});
    if (!choice) return;
    const QString file = QString::fromStdString(choice->path);
    if (!picture().save(file, "PNG")) {
        showMessageBox(this,
                       QString::fromUtf8(pick(chart_texts::kPictureNotSaved, language)) + file,
                       MessageIcon::Stop);
    }
}

}  // namespace mensora
