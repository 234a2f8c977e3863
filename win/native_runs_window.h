#pragma once
// The Earlier runs window on Windows: a modal dialog built in memory in the dialog font from the
// runs form, drawing what the earlier runs decide. Modal as the program's message boxes are:
// the main window's timers keep ticking inside its loop, and the journal's answers arrive.

#include <windows.h>

#include <optional>

#include "base/language.h"
#include "dialog/earlier_runs.h"

namespace mensora {

class NativeRunsWindow : public RunsWindowPort {
public:
    explicit NativeRunsWindow(EarlierRuns& runs) : runs_(runs) {}
    // Runs the window until it is closed.
    void run(HWND owner, Language language);

    void runsRead() override;

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    std::optional<std::size_t> chosen() const;

    EarlierRuns& runs_;
    Language language_ = Language::Chinese;
    HWND window_ = nullptr;  // while it is open
};

}  // namespace mensora
