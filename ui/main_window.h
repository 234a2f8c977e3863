#pragma once
// The main window as the bench operator sees it: every control of the dialog template at its
// place, in the dialog font. It is a passive view: it shows what the core tells it and
// reports clicks, typed text and requests to close to the MainDialog; it decides nothing.

#include <QDialog>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>

#include "base/pending_frame.h"
#include "base/resize_rule.h"
#include "base/window_port.h"
#include "dialog/further_windows.h"
#include "dialog/lines_below.h"
#include "dialog/main_dialog.h"
#include "ui/dialog_units.h"

class QAction;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mensora {

class RecordListModel;
class SaveProgressBox;
class RecordTableView;
class RecordStore;
class RecordListTexts;
class RecordTraces;
struct DialogControl;

class MainWindow : public QDialog, public WindowPort {
    Q_OBJECT
public:
    MainWindow(const RecordStore& store, const RecordListTexts& listTexts,
               const RecordTraces& traces, QWidget* parent = nullptr);

    // Where clicks, the About item and close requests go. Until it is set they go nowhere
    // and the window may close.
    void setController(MainDialog* controller) { controller_ = controller; }

    // The control of an id, or nullptr.
    QWidget* control(int id) const;
    DialogBaseUnits baseUnits() const { return units_; }
    // Opens a window beside this one: the context menu's item, and its key if it has one.
    QAction* action(FurtherWindow window) const { return furtherActions_.at(window); }
    // A line under the controls, shown only while it has something to say: the window grows
    // by its height then, and the controls above keep their places.
    void placeStatusLine(QWidget* line);
    // The line under the window's own layout that shows the part and lot in force.
    void showTraceLine(const std::string& text);
    // The walk of the plan in force, in a band above the part and lot that takes room only
    // while a plan is in force: an empty text takes the band away. Page Up and Page Down step
    // the walk while it is there.
    void showPlanLine(const std::string& text);
    // Told of the serial typed or scanned into the band's field, and Enter.
    void onPlanSerial(std::function<void(const std::string&)> entered) {
        planSerialEntered_ = std::move(entered);
    }
    // The alarm that stands, in a red band on top of the lines under the template that takes
    // room only while an alarm stands: an empty text takes the band away.
    void showAlarmLine(const std::string& text);
    // Told of a click on the band's button that acknowledges the alarm.
    void onAlarmAcknowledge(std::function<void()> clicked) {
        alarmAckClicked_ = std::move(clicked);
    }

    // Shows at once what waits for the next frame (new rows, the scroll to the last one, the
    // statistics): for whoever reads the window's controls now.
    void showFrameNow();

    // WindowPort
    void setText(int controlId, const std::string& text) override;
    std::string text(int controlId) const override;
    void enable(int controlId, bool on) override;
    void setFocus(int controlId) override;
    void setChecked(int controlId, bool on) override;
    bool isChecked(int controlId) const override;
    void setListItems(int controlId, const char* const* items, int count) override;
    void selectListItem(int controlId, int index) override;
    int selectedListItem(int controlId) const override;
    void setUpRecordList(Language language) override;
    void recordListAppended() override;
    void recordListCleared() override;
    void scrollRecordListToEnd() override;
    void showMessage(const std::string& text, MessageIcon icon) override;
    bool askYesNo(const std::string& text) override;
    void showAbout() override;
    std::optional<SaveChoice> askSavePath(const std::string& offeredName,
                                          const std::vector<std::string>& fileTypes) override;
    void showProgress(const std::string& text, const std::string& cancelText) override;
    void setProgress(int percent) override;
    void hideProgress() override;

public slots:
    // Escape, and anything else that would dismiss the dialog.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* createControl(const DialogControl& row);
    RecordTableView* createRecordList();
    void createPlanBand();
    void createAlarmBand();
    // Shows or hides a band of the lines under the template; the window grows by it, so the
    // controls above keep their room.
    void showBand(QWidget* band, bool shown);
    void command(int controlId);
    // Puts a text on its control, unless the control shows it already.
    void showText(int controlId, const std::string& text);
    void aboutRequested();
    bool mayClose(CloseRequest how);
    // The minimum tracking size holds for the whole window: the frame's share comes off the
    // client's minimum once the window has a frame.
    void keepMinimumTrackingSize();
    void showGreyedTextReadably();

    MainDialog* controller_ = nullptr;
    RecordListModel* model_;
    RecordTableView* recordList_ = nullptr;
    QButtonGroup* languageButtons_;
    std::map<FurtherWindow, QAction*> furtherActions_;
    QWidget* statusLine_ = nullptr;
    int statusLineShown_ = 0;  // the height the window grew by for the line
    int statusLineHeight() const;
    void statusLineShownOrHidden();
    QLabel* traceLine_;
    QWidget* planBand_;
    QLabel* planLine_;
    QLabel* planSerialLabel_;
    QLineEdit* planSerial_;
    std::function<void(const std::string&)> planSerialEntered_;
    QAction* planSteps_[2];  // Page Up, Page Down
    int planBandHeight() const;
    QWidget* alarmBand_;
    QLabel* alarmLine_;
    QPushButton* alarmAck_;
    std::function<void()> alarmAckClicked_;
    int alarmBandHeight() const;
    // The heights of the lines under the template, in pixels, each 0 while it is hidden.
    lines_below::Bands bands() const;
    int traceLineBand_ = 0;  // the window's height below its template, in pixels
    DialogBaseUnits units_{};
    QSize templateClient_;  // the client area the template gives, in pixels
    std::map<int, QWidget*> controls_;
    ResizeRule resizeRule_;
    SaveProgressBox* progress_ = nullptr;  // made at the first long save
    PendingFrame pending_;
    // Runs while changes wait for the screen. The window's own, not a child: it goes with the
    // window's state, before events that run while the rest of the window goes could fire it.
    QTimer frame_;
    Language language_ = Language::Chinese;  // of the About box; told with the record list's set-up
};

}  // namespace mensora
