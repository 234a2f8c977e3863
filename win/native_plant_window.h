#pragma once
// The Plant database window on Windows: a modal dialog built in memory in the dialog font from
// the plant form, drawing what the plant panel decides. Modal as the program's message boxes
// are: the main window's timers keep ticking inside its loop.

#include <windows.h>

#include <string>

#include "base/language.h"

namespace mensora {

class PlantPanel;

class NativePlantWindow {
public:
    explicit NativePlantWindow(PlantPanel& panel) : panel_(panel) {}
    // Runs the window until it is closed.
    void run(HWND owner, Language language);

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void opened(HWND window);
    void test();
    std::string fieldText(int id) const;

    PlantPanel& panel_;
    Language language_ = Language::Chinese;
    HWND window_ = nullptr;  // while it is open
};

}  // namespace mensora
