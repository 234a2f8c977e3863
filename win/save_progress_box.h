#pragma once
// The box that stands over the main window while a workbook is written: a text, a progress bar
// and Cancel, built in memory from a template in the dialog font like the program's other
// boxes. It is not modal: the window and the gauge go on meanwhile, the modal loop of the main
// window running its messages too and handing it its keys.

#include <windows.h>

#include <functional>
#include <string>

namespace mensora {

class SaveProgressBox {
public:
    // `cancel` runs for Cancel, Escape and the close box alike.
    explicit SaveProgressBox(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
    ~SaveProgressBox();
    SaveProgressBox(const SaveProgressBox&) = delete;
    SaveProgressBox& operator=(const SaveProgressBox&) = delete;

    void start(HWND owner, const std::string& text, const std::string& cancelText);
    void setPercent(int percent);
    void hide();
    // A message of the main window's loop that is the box's to treat as a dialog's (Escape,
    // Enter, Tab): treats it and says so.
    bool takesDialogMessage(MSG& message);

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void create(HWND owner);
    void cancelled();

    std::function<void()> cancel_;
    HWND window_ = nullptr;
};

}  // namespace mensora
