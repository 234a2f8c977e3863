#pragma once
// The Plant database window on Windows: a modal dialog built in memory in the dialog font, with
// the ODBC connection string and the bench's name, Test (connects off the window's thread and
// says what the server answered), OK and Cancel. Modal as the program's message boxes are: the
// main window's timers keep ticking inside its loop.

#include <windows.h>

#include <string>

#include "base/language.h"

namespace mensora {

class PlantDoor;

class NativePlantWindow {
public:
    explicit NativePlantWindow(PlantDoor& door) : door_(door) {}
    // Runs the window until it is closed.
    void run(HWND owner, Language language);

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void opened(HWND window);
    void test();
    std::string fieldText(int id) const;

    PlantDoor& door_;
    Language language_ = Language::Chinese;
    HWND window_ = nullptr;  // while it is open
    // Bumped at each opening: a Test answer that comes after its window closed is dropped.
    unsigned opening_ = 0;
};

}  // namespace mensora
