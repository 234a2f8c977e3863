#pragma once
// The Plant database window on Windows: the ODBC connection string and the bench's name, Test
// (connects off the window's thread and says what the server answered), OK and Cancel. Modal
// to the main window, whose timers keep ticking while it is open.

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
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void create(HWND window);
    void test();
    std::string fieldText(HWND field) const;

    PlantDoor& door_;
    Language language_ = Language::Chinese;
    HWND window_ = nullptr;
    HWND connection_ = nullptr;
    HWND bench_ = nullptr;
    HWND testButton_ = nullptr;
    bool open_ = false;
    // Bumped at each opening: a Test answer that comes after its window closed is dropped.
    unsigned opening_ = 0;
};

}  // namespace mensora
