#pragma once
// The two lines under the main window's template: the part and lot in force, always shown in a
// band of its own, and under it the plant database's status, which takes room only while it
// says something. Both are in the dialog font and keep to the window's bottom as it is sized;
// at a new scale both are measured again.

#include <windows.h>

#include <string>

namespace mensora {

class LinesBelow {
public:
    // Makes both lines under `dialog`, with the texts given so far; the plant database's line
    // takes no room yet (`showPlant` gives it its room).
    void create(HWND dialog);
    // The height both lines take under the template, in pixels.
    int height() const { return traceBand_ + plantBand_; }
    void showTrace(const std::string& text);
    // Returns by how many pixels the lines' room grew (less than 0: shrank) for the text.
    int showPlant(const std::string& text);
    // Gives the plant database's line the room its text needs; returns the growth, as above.
    int fitPlant();
    // Keeps both lines at the bottom of a client area this high.
    void place(int clientHeight);
    // At a new scale: the dialog font and both bands again. The window was scaled as a whole,
    // the lines' room with it, so nothing grows.
    void rescale();

private:
    HWND dialog_ = nullptr;
    HWND trace_ = nullptr;
    HWND plant_ = nullptr;
    std::wstring traceText_;  // kept until the lines exist
    std::wstring plantText_;
    int traceBand_ = 0;
    int plantBand_ = 0;
};

}  // namespace mensora
