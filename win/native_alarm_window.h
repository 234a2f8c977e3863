#pragma once
// The window that acknowledges the alarm standing under the main window, on Windows: a modal
// dialog built in memory from the core's form, with the rule that fired, a cause from the
// common ones or typed, a one-line note, OK and Cancel. Modal as the program's message boxes
// are: the main window's timers keep ticking inside its loop, so the gauge's data key and
// automatic sampling go on recording while it is open. What OK does is the core's.

#include <windows.h>

#include "dialog/alarm_board.h"

namespace mensora {

class NativeAlarmWindow {
public:
    explicit NativeAlarmWindow(AlarmBoard& board) : board_(board) {}

    // Asks over `owner` and returns when the window closes.
    void ask(HWND owner, Language language);

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void opened(HWND window);

    AlarmBoard& board_;
    Language language_ = Language::Chinese;
};

}  // namespace mensora
