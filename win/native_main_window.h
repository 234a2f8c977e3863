#pragma once
// The main window as a Win32 dialog built from the control table. A passive view like the
// Qt window: it shows what the core tells it and reports clicks, timer ticks, the About item
// and requests to close to the MainDialog; it decides nothing.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "base/control_ids.h"
#include "base/pending_frame.h"
#include "base/resize_rule.h"
#include "base/window_port.h"
#include "dialog/further_windows.h"
#include "dialog/main_dialog.h"
#include "win/lines_below.h"
#include "win/record_list_view.h"
#include "win/save_progress_box.h"
#include "win/window_timers.h"

namespace mensora {

class NativeMainWindow final : public WindowPort {
public:
    NativeMainWindow(const RecordStore& store, const RecordListTexts& listTexts,
                     const RecordTraces& traces, WindowTimers& timers);
    ~NativeMainWindow() override;
    NativeMainWindow(const NativeMainWindow&) = delete;
    NativeMainWindow& operator=(const NativeMainWindow&) = delete;

    // Where clicks, ticks and close requests go; its initialise() runs when the window exists.
    void setController(MainDialog* controller) { controller_ = controller; }
    // What a window beside this one's item of the window menu, and its key, ask for.
    void onOpen(FurtherWindow window, std::function<void(HWND owner)> open) {
        opens_[window] = std::move(open);
    }
    // A line under the controls, shown while `text` is not empty: the window grows by its
    // height then, and the controls above keep their places.
    void showStatusLine(const std::string& text);
    // The line under the window's own layout that shows the part and lot in force.
    void showTraceLine(const std::string& text);
    // The plan's line above it, shown with the serial field while `text` is not empty: the
    // window grows by their band then, and the controls above keep their places.
    void showPlanLine(const std::string& text) {
        list_.showCharacteristics(!text.empty());
        growBelow(lines_.showPlan(text));
    }

    // The alarm that stands, in a band on top of the lines under the template while `text` is
    // not empty: the window grows by it then, and the controls above keep their places.
    void showAlarmLine(const std::string& text) { growBelow(lines_.showAlarm(text)); }
    // Told of a click on the band's button that acknowledges the alarm, with the window to own
    // the window that asks for the cause.
    void onAlarmAcknowledge(std::function<void(HWND owner)> clicked) {
        alarmAcknowledge_ = std::move(clicked);
    }

    // Builds the window in the stored language and runs it modally until it closes.
    void run(HINSTANCE instance, Language language);

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

private:
    void open(FurtherWindow window) {
        if (const auto found = opens_.find(window); found != opens_.end()) found->second(window_);
    }
    void showBehindBoxes();
    static LRESULT CALLBACK keyFilter(int code, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    void created(HWND window);
    void command(int id, int notification);
    void sizeChanged(int clientHeight, bool minimised);
    SIZE minimumTrackingSize() const;
    void useDisplayFont();
    void followScale();
    struct LabelFit {
        bool fits;           // the whole caption, wrapped at its words, fits the box
        std::wstring shown;  // what the label draws
    };
    LabelFit fitLabel(HWND label, HDC dc) const;
    void drawLabel(const DRAWITEMSTRUCT& item) const;
    void tellCutCaptions();
    void tellWholeCaptionIfCut(int controlId);
    void growBelow(int pixels);
    // Puts a text on its control, unless the control shows it already.
    void showText(int controlId, const std::string& text);
    // The next frame comes one frame period after the first change that waits for it.
    void requestFrame();
    // Shows what waits for the next frame, at once.
    void showFrameNow();
    void tellWholeCaption(HWND label, int controlId, const std::wstring& whole);
    enum class TipArea { PlaceInWindow, OwnWindow };
    void tipOver(HWND control, int controlId, const std::wstring& text, TipArea area);
    void closeIf(CloseRequest how);
    bool takeKey(WPARAM key);
    void takeSerial();
    HWND control(int id) const { return GetDlgItem(window_, id); }

    HWND window_ = nullptr;
    MainDialog* controller_ = nullptr;
    std::map<FurtherWindow, std::function<void(HWND owner)>> opens_;
    std::function<void(HWND owner)> alarmAcknowledge_;
    // Sees the keys the dialog's own loop is about to handle: the further windows' keys, and
    // Page Up and Page Down while a plan is in force.
    HHOOK keyFilter_ = nullptr;
    WindowTimers& timers_;
    RecordListView list_;
    PendingFrame pending_;
    ResizeRule resizeRule_;
    SaveProgressBox progress_{[this] {
        if (controller_ != nullptr) controller_->onCommand(kCancelSaveCommand);
    }};
    // Between a change of scale and the dialog manager's new layout, sizes are not stretched.
    bool rescaling_ = false;
    HFONT displayFont_ = nullptr;
    LinesBelow lines_;
    Language language_ = Language::Chinese;  // of the About box; told with the list's set-up
    // The tips of labels whose caption is cut; made when the first one is.
    HWND tips_ = nullptr;
};

}  // namespace mensora
