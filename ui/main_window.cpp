#include "ui/main_window.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColor>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QMoveEvent>
#include <QPalette>
#include <QResizeEvent>
#include <QShowEvent>
#include <QStringList>
#include <span>

#include "base/control_ids.h"
#include "base/control_table.h"
#include "base/texts.h"
#include "dialog/alarm_form.h"
#include "dialog/alarm_texts.h"
#include "dialog/plan_form.h"
#include "dialog/plan_texts.h"
#include "dialog/trace_form.h"
#include "measure/record_list_cells.h"
#include "ui/about_box.h"
#include "ui/fitting_field.h"
#include "ui/fitting_label.h"
#include "ui/message_boxes.h"
#include "ui/record_list_model.h"
#include "ui/record_table_view.h"
#include "ui/save_progress_box.h"
#include "ui/window_fonts.h"

namespace mensora {
namespace {

QString fromUtf8(const char* text) { return text == nullptr ? QString() : QString::fromUtf8(text); }

Qt::Alignment alignmentOf(std::uint8_t style) {
    Qt::Alignment horizontal = Qt::AlignLeft;
    if ((style & AlignRight) != 0) horizontal = Qt::AlignRight;
    if ((style & AlignHCentre) != 0) horizontal = Qt::AlignHCenter;
    return horizontal | ((style & AlignVCentre) != 0 ? Qt::AlignVCenter : Qt::AlignTop);
}

// A field keeps its one line of text centred from top to bottom.
Qt::Alignment fieldAlignmentOf(std::uint8_t style) {
    return (alignmentOf(style) & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
}

// The closed height of a drop-down: one field high, like the fields beside it; the template's
// taller rectangle is the room its list drops into.
constexpr int kDropDownHeightUnits = 12;

// Replaces a drop-down's items and leaves none selected, as a freshly filled list is.
void fillList(QComboBox* list, std::span<const char* const> items, bool sorted) {
    QStringList texts;
    for (const char* item : items) texts.append(QString::fromUtf8(item));
    if (sorted) texts.sort(Qt::CaseInsensitive);
    list->clear();
    list->addItems(texts);
    list->setCurrentIndex(-1);
}

// The template's dialog font gives every mark the same width, so that its row of marks
// spans the label; a proportional face draws them narrower, and the gaps make up for it.
void spreadAcross(QLabel* label, const DialogControl& row, DialogBaseUnits units) {
    const QString marks = label->text();
    if (marks.isEmpty()) return;
    const int width = toPixels(row.rect, units).width();
    const int drawn = label->fontMetrics().horizontalAdvance(marks);
    if (drawn >= width) return;
    QFont spread = label->font();
    spread.setLetterSpacing(QFont::AbsoluteSpacing,
                            static_cast<qreal>(width - drawn) / static_cast<qreal>(marks.size()));
    label->setFont(spread);
}

}  // namespace

MainWindow::MainWindow(const RecordStore& store, const RecordListTexts& listTexts,
                       const RecordTraces& traces, QWidget* parent)
    : QDialog(parent),
      model_(new RecordListModel(store, listTexts, traces, this)),
      languageButtons_(new QButtonGroup(this)),
      traceLine_(new FittingLabel(QString(), this)),
      planBand_(new QWidget(this)),
      planLine_(new FittingLabel(QString(), planBand_)),
      planSerialLabel_(new QLabel(QString(), planBand_)),
      planSerial_(new QLineEdit(planBand_)),
      alarmBand_(new QWidget(this)),
      alarmLine_(new FittingLabel(QString(), alarmBand_)),
      alarmAck_(new QPushButton(alarmBand_)) {
    // An application window of its own in the task bar, with minimise and maximise boxes.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QString::fromUtf8(texts::kWindowTitle));
    setWindowIcon(QIcon(QStringLiteral(":/mensora.png")));
    setFont(dialogFont(logicalDpiY()));
    for (const FurtherWindowEntry& entry : furtherWindows()) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromUtf8(entry.actionName));
        if (entry.functionKey != 0) {
            action->setShortcut(QKeySequence(Qt::Key_F1 + entry.functionKey - 1));
            action->setShortcutContext(Qt::WindowShortcut);
        }
        addAction(action);
        furtherActions_[entry.window] = action;
    }
    units_ = dialogBaseUnits(font());
    showGreyedTextReadably();
    frame_.setSingleShot(true);
    frame_.setInterval(static_cast<int>(kFramePeriodMs));
    connect(&frame_, &QTimer::timeout, this, &MainWindow::showFrameNow);

    for (const DialogControl& row : controlTable()) {
        QWidget* widget = createControl(row);
        widget->setObjectName(QString::fromStdString(objectNameOf(row)));
        QRect place = toPixels(row.rect, units_);
        if (row.kind == ControlKind::DropDown) {
            place.setHeight(toPixels({0, 0, 0, kDropDownHeightUnits}, units_).height());
        }
        widget->setGeometry(place);
        if (row.id != 0) controls_[row.id] = widget;
    }
    const QFont large = displayFont(logicalDpiY());
    static_cast<FittingField*>(control(LiveValue))->setFullFont(large);
    control(UnitLabel)->setFont(large);

    traceLine_->setObjectName(QString::fromUtf8(controlName(kTraceLine)));
    traceLine_->setGeometry(toPixels(kTraceLineRect, units_));
    traceLineBand_ = toPixels({0, 0, 0, kTraceLineUnits}, units_).height();
    createPlanBand();
    createAlarmBand();

    // Until the window has a frame, the frame is taken as nothing: the client alone keeps
    // the minimum tracking size.
    keepMinimumTrackingSize();
    templateClient_ =
        toPixels({0, 0, kDialogWidthUnits, kDialogHeightUnits + kTraceLineUnits}, units_).size();
    const QSize client = templateClient_.expandedTo(minimumSize());
    resize(client);
    // The size the controls were laid out for: the first size change, which only records.
    resizeRule_.sizeChanged(client.height() - traceLineBand_, false);
}

void MainWindow::showGreyedTextReadably() {
    // The statistics and counters are greyed displays the operator reads all day: their text
    // is the platform's grey text, dimmer than live text but plainly legible, not the faint
    // grey Qt's style gives disabled widgets.
    const QColor greyText(0x6D, 0x6D, 0x6D);
    QPalette colours = palette();
    for (const QPalette::ColorRole role :
         {QPalette::Text, QPalette::WindowText, QPalette::ButtonText}) {
        colours.setColor(QPalette::Disabled, role, greyText);
    }
    setPalette(colours);
}

QWidget* MainWindow::createControl(const DialogControl& row) {
    const QString caption = fromUtf8(row.chinese);
    switch (row.kind) {
        case ControlKind::GroupBox: {
            auto* box = new QGroupBox(caption, this);
            if ((row.style & TitleCentred) != 0) box->setAlignment(Qt::AlignHCenter);
            return box;
        }
        case ControlKind::Label: {
            auto* label = new FittingLabel(caption, this);
            label->setAlignment(alignmentOf(row.style));
            if ((row.style & SpreadAcross) != 0) spreadAcross(label, row, units_);
            return label;
        }
        case ControlKind::Edit:
        case ControlKind::ReadOnlyDisplay: {
            auto* field = new FittingField(this);
            field->setAlignment(fieldAlignmentOf(row.style));
            // Nobody types into a display: the program fills it, greyed like the platform's.
            if (row.kind == ControlKind::ReadOnlyDisplay) field->setEnabled(false);
            return field;
        }
        case ControlKind::PushButton: {
            auto* button = new QPushButton(caption, this);
            // Enter must reach the window (it reads the fields back and closes), never press
            // a button that does not have the focus.
            button->setAutoDefault(false);
            button->setDefault(false);
            connect(button, &QPushButton::clicked, this, [this, id = row.id] { command(id); });
            return button;
        }
        case ControlKind::DropDown: {
            auto* list = new QComboBox(this);
            // A list with an edit part: text typed there that matches no item selects none.
            list->setEditable(true);
            list->setInsertPolicy(QComboBox::NoInsert);
            list->setCompleter(nullptr);
            fillList(list, templateListItems(row.id), (row.style & SortedItems) != 0);
            return list;
        }
        case ControlKind::ListView: return createRecordList();
        case ControlKind::RadioButton: {
            auto* radio = new QRadioButton(caption, this);
            languageButtons_->addButton(radio);
            connect(radio, &QRadioButton::clicked, this, [this, id = row.id] { command(id); });
            return radio;
        }
        case ControlKind::CheckBox: {
            auto* check = new QCheckBox(caption, this);
            connect(check, &QCheckBox::clicked, this, [this, id = row.id] { command(id); });
            return check;
        }
    }
    return nullptr;
}

RecordTableView* MainWindow::createRecordList() {
    recordList_ = new RecordTableView(model_, this);
    recordList_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    recordList_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    recordList_->setWordWrap(false);
    // Scrolling by pixel keeps "show the last row" O(1): by item, Qt walks every row to find
    // the scroll position, and each record would cost more than the one before.
    recordList_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // A million rows stay cheap only while no row is measured: every row is one line high.
    QHeaderView* rows = recordList_->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(recordList_->fontMetrics().height() + 4);
    recordList_->horizontalHeader()->setHighlightSections(false);
    recordList_->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    return recordList_;
}

QWidget* MainWindow::control(int id) const {
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

void MainWindow::setText(int controlId, const std::string& text) {
    if (!PendingFrame::waitsForFrame(controlId)) {
        showText(controlId, text);
    } else if (pending_.setText(controlId, text)) {
        frame_.start();
    }
}

void MainWindow::showText(int controlId, const std::string& text) {
    // A text set again unchanged would still be laid out, fitted and painted again.
    if (text == this->text(controlId)) return;
    QWidget* widget = control(controlId);
    const QString shown = QString::fromStdString(text);
    if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        field->setText(shown);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(shown);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(shown);
    } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
        box->setTitle(shown);
    } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
        list->setEditText(shown);
    }
}

std::string MainWindow::text(int controlId) const {
    if (const std::string* waiting = pending_.text(controlId)) return *waiting;
    QWidget* widget = control(controlId);
    QString shown;
    if (auto* field = qobject_cast<QLineEdit*>(widget)) {
        shown = field->text();
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        shown = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        shown = button->text();
    } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
        shown = box->title();
    } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
        shown = list->currentText();
    }
    return shown.toStdString();
}

void MainWindow::enable(int controlId, bool on) {
    if (QWidget* widget = control(controlId)) widget->setEnabled(on);
}

void MainWindow::setFocus(int controlId) {
    QWidget* widget = control(controlId);
    if (widget == nullptr) return;
    widget->setFocus(Qt::OtherFocusReason);
    // The refused entry is selected, so that typing replaces it.
    if (auto* field = qobject_cast<QLineEdit*>(widget)) field->selectAll();
    if (auto* list = qobject_cast<QComboBox*>(widget)) list->lineEdit()->selectAll();
}

void MainWindow::setChecked(int controlId, bool on) {
    auto* button = qobject_cast<QAbstractButton*>(control(controlId));
    if (button == nullptr) return;
    // An exclusive group refuses to uncheck its checked button; the core may ask for it.
    QButtonGroup* group = button->group();
    const bool exclusive = group != nullptr && group->exclusive();
    if (exclusive && !on) group->setExclusive(false);
    button->setChecked(on);
    if (exclusive && !on) group->setExclusive(true);
}

bool MainWindow::isChecked(int controlId) const {
    const auto* button = qobject_cast<const QAbstractButton*>(control(controlId));
    return button != nullptr && button->isChecked();
}

void MainWindow::setListItems(int controlId, const char* const* items, int count) {
    auto* list = qobject_cast<QComboBox*>(control(controlId));
    const DialogControl* row = findControl(controlId);
    if (list == nullptr || row == nullptr) return;
    fillList(list, std::span<const char* const>(items, static_cast<std::size_t>(count)),
             (row->style & SortedItems) != 0);
}

void MainWindow::selectListItem(int controlId, int index) {
    auto* list = qobject_cast<QComboBox*>(control(controlId));
    if (list == nullptr) return;
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

int MainWindow::selectedListItem(int controlId) const {
    const auto* list = qobject_cast<const QComboBox*>(control(controlId));
    if (list == nullptr) return -1;
    // What the edit part holds decides: an item's exact text selects it, anything else none.
    return list->findText(list->currentText(), Qt::MatchExactly);
}

void MainWindow::setUpRecordList(Language language) {
    language_ = language;
    recordList_->setShowGrid(true);
    recordList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    model_->setLanguage(language);
    planSerialLabel_->setText(QString::fromUtf8(pick(plan_texts::kSerialLabel, language)));
    alarmAck_->setText(QString::fromUtf8(pick(alarm_texts::kAcknowledgeButton, language)));
    for (int column = 0; column < RecordListColumnCount; ++column) {
        recordList_->setColumnWidth(column, recordListWidth(column, language));
    }
}

void MainWindow::createPlanBand() {
    planBand_->hide();
    planBand_->resize(toPixels({0, 0, kDialogWidthUnits, kPlanBandUnits}, units_).size());
    planLine_->setObjectName(QString::fromUtf8(controlName(kPlanLine)));
    planLine_->setGeometry(toPixels(kPlanLineRect, units_));
    planSerialLabel_->setGeometry(toPixels(kPlanSerialLabelRect, units_));
    planSerialLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    planSerial_->setObjectName(QString::fromUtf8(controlName(kPlanSerialField)));
    planSerial_->setGeometry(toPixels(kPlanSerialFieldRect, units_));
    planSerial_->setMaxLength(40);  // as long as a part number may be
    const std::pair<int, Qt::Key> steps[] = {{kPlanPreviousCommand, Qt::Key_PageUp},
                                             {kPlanNextCommand, Qt::Key_PageDown}};
    for (std::size_t i = 0; i < 2; ++i) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromUtf8(controlName(steps[i].first)));
        action->setShortcut(QKeySequence(steps[i].second));
        action->setShortcutContext(Qt::WindowShortcut);
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, [this, id = steps[i].first] { command(id); });
        addAction(action);
        planSteps_[i] = action;
    }
}

int MainWindow::planBandHeight() const { return planBand_->isHidden() ? 0 : planBand_->height(); }

void MainWindow::createAlarmBand() {
    alarmBand_->hide();
    alarmBand_->resize(toPixels({0, 0, kDialogWidthUnits, alarm_form::kBandUnits}, units_).size());
    // White on red across the whole band: seen from a step away, with a part in each hand.
    alarmBand_->setAutoFillBackground(true);
    QPalette colours = alarmBand_->palette();
    colours.setColor(QPalette::Window, QColor(0xC0, 0x00, 0x00));
    colours.setColor(QPalette::WindowText, Qt::white);
    alarmBand_->setPalette(colours);
    QFont bold = alarmLine_->font();
    bold.setBold(true);
    alarmLine_->setFont(bold);
    alarmLine_->setObjectName(QString::fromUtf8(controlName(kAlarmLine)));
    alarmLine_->setGeometry(toPixels(alarm_form::kLine, units_));
    alarmLine_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    alarmAck_->setObjectName(QString::fromUtf8(controlName(kAlarmAckButton)));
    alarmAck_->setGeometry(toPixels(alarm_form::kButton, units_));
    alarmAck_->setPalette(palette());
    connect(alarmAck_, &QPushButton::clicked, this, [this] {
        if (alarmAckClicked_) alarmAckClicked_();
    });
}

int MainWindow::alarmBandHeight() const {
    return alarmBand_->isHidden() ? 0 : alarmBand_->height();
}

lines_below::Bands MainWindow::bands() const {
    return {alarmBandHeight(), planBandHeight(), traceLineBand_, statusLineHeight()};
}

void MainWindow::showBand(QWidget* band, bool shown) {
    if (shown == !band->isHidden()) return;
    // The height before: a minimum raised for the band may resize the window on its own.
    const int before = height() - bands().total();
    band->setVisible(shown);
    keepMinimumTrackingSize();
    resize(width(), before + bands().total());
}

void MainWindow::showAlarmLine(const std::string& text) {
    alarmLine_->setText(QString::fromStdString(text));
    showBand(alarmBand_, !text.empty());
}

void MainWindow::showPlanLine(const std::string& text) {
    planLine_->setText(QString::fromStdString(text));
    const bool shown = !text.empty();
    for (QAction* step : planSteps_) step->setEnabled(shown);
    model_->showCharacteristics(shown);
    if (shown) {
        recordList_->setColumnWidth(kCharacteristicColumn,
                                    recordListWidth(kCharacteristicColumn, language_));
    }
    showBand(planBand_, shown);
}

void MainWindow::showTraceLine(const std::string& text) {
    traceLine_->setText(QString::fromStdString(text));
}

void MainWindow::recordListAppended() {
    if (pending_.rowsAdded()) frame_.start();
}

// Emptied at once: the rows still waiting went with the records.
void MainWindow::recordListCleared() { model_->cleared(); }

void MainWindow::scrollRecordListToEnd() {
    if (pending_.scrollToEnd()) frame_.start();
}

void MainWindow::showFrameNow() {
    frame_.stop();
    const PendingFrame::Changes changes = pending_.take();
    if (changes.rowsAdded) recordList_->showNewRows();
    if (changes.scrollToEnd) recordList_->scrollToBottom();
    for (const auto& [id, text] : changes.texts) showText(id, text);
}

// A box stops the operator's eye on the window: it shows everything up to it.
void MainWindow::showMessage(const std::string& text, MessageIcon icon) {
    showFrameNow();
    showMessageBox(this, QString::fromStdString(text), icon);
}

bool MainWindow::askYesNo(const std::string& text) {
    showFrameNow();
    return askYesNoBox(this, QString::fromStdString(text));
}

void MainWindow::showAbout() {
    showFrameNow();
    showAboutBox(this, language_);
}

std::optional<SaveChoice> MainWindow::askSavePath(const std::string& offeredName,
                                                  const std::vector<std::string>& fileTypes) {
    showFrameNow();
    return askSavePathDialog(this, offeredName, fileTypes);
}

void MainWindow::showProgress(const std::string& text, const std::string& cancelText) {
    if (progress_ == nullptr) {
        progress_ = new SaveProgressBox(this, [this] { command(kCancelSaveCommand); });
    }
    progress_->start(text, cancelText);
}

void MainWindow::setProgress(int percent) {
    if (progress_ != nullptr) progress_->setPercent(percent);
}

void MainWindow::hideProgress() {
    if (progress_ != nullptr) progress_->hide();
}

// What a click did is seen at once: the last record when Auto stops, the emptied statistics
// after Clear, the row Manual took.
void MainWindow::command(int controlId) {
    if (controller_ != nullptr) controller_->onCommand(controlId);
    showFrameNow();
}

void MainWindow::aboutRequested() {
    if (controller_ != nullptr) controller_->onSystemCommand(kAboutCommand);
}

bool MainWindow::mayClose(CloseRequest how) {
    return controller_ == nullptr || controller_->onCloseRequested(how);
}

void MainWindow::reject() {
    if (mayClose(CloseRequest::Escape)) QDialog::reject();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!mayClose(CloseRequest::CloseBox)) {
        event->ignore();
        return;
    }
    event->accept();
    QDialog::done(QDialog::Rejected);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::HelpContents)) {
        aboutRequested();
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                       modifiers == Qt::NoModifier;
    if (!enter) {
        QDialog::keyPressEvent(event);  // Escape arrives at reject()
        return;
    }
    // The plan's serial field takes Enter as the end of a serial, as a barcode scanner sends it.
    if (focusWidget() == planSerial_) {
        if (planSerialEntered_) planSerialEntered_(planSerial_->text().trimmed().toStdString());
        planSerial_->clear();
        return;
    }
    // A push button with the focus takes Enter as its click; anywhere else Enter is the
    // window's own command: read the fields back and close.
    if (auto* button = qobject_cast<QPushButton*>(focusWidget())) {
        button->click();
        return;
    }
    if (mayClose(CloseRequest::Enter)) QDialog::accept();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The plant database's status line lies at the very bottom, under the line of values in
    // force; the template's part above both follows its own rule.
    const lines_below::Bands heights = bands();
    const lines_below::Tops tops = lines_below::topsIn(event->size().height(), heights);
    if (statusLine_ != nullptr) {
        statusLine_->setGeometry(0, tops.plant, event->size().width(), heights.plant);
    }
    traceLine_->move(traceLine_->x(), tops.trace);
    planBand_->move(0, tops.plan);
    alarmBand_->move(0, tops.alarm);
    const std::optional<Stretch> stretch = resizeRule_.sizeChanged(tops.alarm, isMinimized());
    if (!stretch) return;
    for (const int id : kStretchingControls) {
        QWidget* widget = control(id);
        QRect place = widget->geometry();
        place.setHeight(stretch->height(place.y(), place.height()));
        widget->setGeometry(place);
    }
}

void MainWindow::keepMinimumTrackingSize() {
    const QSize frame = frameGeometry().size() - geometry().size();
    const PixelSize client = minimumClientSize({frame.width(), frame.height()});
    const QSize former = minimumSize();
    setMinimumSize(client.width, client.height + bands().total());
    // A window still at the template's size, grown only to the former minimum, follows the
    // minimum back: the frame arrives after the window was sized, and then takes its share.
    if (size() == templateClient_.expandedTo(former) && former != minimumSize()) {
        resize(templateClient_.expandedTo(minimumSize()));
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    keepMinimumTrackingSize();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    // The window manager puts its frame on after the window is shown, and tells the window
    // by moving it.
    keepMinimumTrackingSize();
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    // The platform's window menu carries the About item on the bench PCs; here the window's
    // background offers it, after the windows beside this one.
    QMenu menu(this);
    for (const FurtherWindowEntry& entry : furtherWindows()) menu.addAction(action(entry.window));
    QAction* about = menu.addAction(QString::fromUtf8(kAboutItemText));
    if (menu.exec(event->globalPos()) == about) aboutRequested();
}

void MainWindow::placeStatusLine(QWidget* line) {
    statusLine_ = line;
    line->setParent(this);
    line->installEventFilter(this);
    if (!line->isHidden()) statusLineShownOrHidden();
}

int MainWindow::statusLineHeight() const {
    return statusLine_ == nullptr ? 0
                                  : lines_below::plantBandOf(statusLine_->fontMetrics().height(),
                                                             !statusLine_->isHidden());
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == statusLine_ &&
        (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)) {
        statusLineShownOrHidden();
    }
    return QDialog::eventFilter(watched, event);
}

void MainWindow::statusLineShownOrHidden() {
    const int lineHeight = statusLineHeight();
    const int height = this->height() + lineHeight - statusLineShown_;
    statusLineShown_ = lineHeight;
    keepMinimumTrackingSize();
    resize(width(), height);
}

}  // namespace mensora
