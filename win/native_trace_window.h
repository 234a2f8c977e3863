#pragma once
// The Part and lot window on Windows: a modal dialog built in memory from the core's form, a
// one-line field for each value and OK and Cancel. Modal as the program's message boxes are:
// the main window's timers keep ticking inside its loop, so the gauge's data key and automatic
// sampling go on recording while it is open. What the fields take and what OK does is the
// core's.

#include <windows.h>

#include "dialog/trace_panel.h"

namespace mensora {

class NativeTraceWindow {
public:
    explicit NativeTraceWindow(TracePanel& panel) : panel_(panel) {}

    // Shows the values in force over `owner` and returns when the window closes: whether OK
    // put new ones in force.
    bool ask(HWND owner, Language language);

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void opened(HWND window);
    void confirm(HWND window);

    TracePanel& panel_;
    Language language_ = Language::Chinese;
};

}  // namespace mensora
