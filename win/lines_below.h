#pragma once
// The lines under the main window's template: on top, while an alarm stands, its line in white
// on red and the button that acknowledges it; the plan's band while a plan is in force (its
// line and the field for the serial of the part about to start), the part and lot in force,
// always shown in a band of its own, and under it the plant database's status, which takes room
// only while it says something. All are in the dialog font and keep to the window's bottom as it
// is sized; at a new scale all are measured again.

#include <windows.h>

#include <string>

#include "base/language.h"

namespace mensora {

class LinesBelow {
public:
    LinesBelow() = default;
    ~LinesBelow();
    LinesBelow(const LinesBelow&) = delete;
    LinesBelow& operator=(const LinesBelow&) = delete;

    // Makes the lines under `dialog`, with the texts given so far; no plan is in force yet
    // and the plant database's line takes no room yet (`showPlant` gives it its room).
    void create(HWND dialog, Language language);
    // The height the lines take under the template, in pixels.
    int height() const { return alarmBand_ + planBand_ + traceBand_ + plantBand_; }
    // Whether the plan's band is shown: a plan is in force.
    bool planShown() const { return planBand_ != 0; }
    // The plan's line; empty: no plan in force, the band goes. Returns by how many pixels the
    // lines' room grew (less than 0: shrank).
    int showPlan(const std::string& text);
    void showTrace(const std::string& text);
    // The alarm that stands; empty: none does, the band goes. Returns the growth, as above.
    int showAlarm(const std::string& text);
    // The colours of a static control about to be drawn: white on red for the alarm's line,
    // nullptr for any other control, which keeps the dialog's own.
    HBRUSH colours(HWND control, HDC dc);
    // Returns the growth, as above.
    int showPlant(const std::string& text);
    // Gives the plant database's line the room its text needs; returns the growth, as above.
    int fitPlant();
    // Keeps the lines at the bottom of a client area this high.
    void place(int clientHeight);
    // At a new scale: the dialog font and the bands again. The window was scaled as a whole,
    // the lines' room with it, so nothing grows.
    void rescale();

private:
    int planBandOf() const;

    HWND dialog_ = nullptr;
    HWND plan_ = nullptr;
    HWND serialLabel_ = nullptr;
    HWND serialField_ = nullptr;
    HWND trace_ = nullptr;
    HWND plant_ = nullptr;
    HWND alarm_ = nullptr;
    HWND alarmButton_ = nullptr;
    HBRUSH alarmBrush_ = nullptr;
    std::wstring alarmText_;
    std::wstring planText_;
    std::wstring traceText_;  // kept until the lines exist
    std::wstring plantText_;
    int planBand_ = 0;
    int traceBand_ = 0;
    int plantBand_ = 0;
    int alarmBand_ = 0;
};

}  // namespace mensora
