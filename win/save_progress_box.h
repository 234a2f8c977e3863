#pragma once
// The box that stands over the main window while a workbook is written: a text, a progress bar
// and Cancel. It is not modal: the window and the gauge go on meanwhile, the modal loop of the
// main window running its messages too.

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

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void create(HWND owner);
    void cancelled();

    std::function<void()> cancel_;
    HWND window_ = nullptr;
    HWND text_ = nullptr;
    HWND bar_ = nullptr;
    HWND button_ = nullptr;
};

}  // namespace mensora
