#pragma once
// The quality charts beside the main window, drawn by GDI: the capability figures under a
// heading, the run chart and the histogram, as the saved picture shows them. Not modal; it
// keeps the size the user gives it and follows the records while it is shown, redrawing at
// most ten times a second from a timer and only when what it shows has changed, so that
// recording never waits for a drawing.

#include <windows.h>

#include "base/acquisition_state.h"
#include "base/settings_store.h"
#include "charts/chart_data.h"
#include "charts/chart_inputs.h"
#include "charts/chart_source.h"
#include "charts/charts_follower.h"
#include "win/chart_bitmap.h"

namespace mensora {

class NativeChartsWindow {
public:
    // The state is read for the interface language at each look.
    NativeChartsWindow(ChartSource& source, const AcquisitionState& state, SettingsStore& settings);
    ~NativeChartsWindow();
    NativeChartsWindow(const NativeChartsWindow&) = delete;
    NativeChartsWindow& operator=(const NativeChartsWindow&) = delete;

    // Shows the window up to date, or brings it to the front. It goes with its owner.
    void open(HWND owner);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void create(HWND owner);
    void follow();
    void paint();
    void hidden();
    void rescale(int dpi, const RECT& suggested);

    // The Save picture button and the space around it, in pixels.
    struct ButtonRow {
        int width;
        int height;
        int margin;
    };
    ButtonRow buttonRow() const;
    // The Save picture button at the right of the row, the characteristic choice at its left;
    // the control charts' row above them.
    void placeButtonRow();
    // A button's width for its caption, at least the platform's 50 dialog units.
    int buttonWidth(HWND button, const ButtonRow& row) const;
    // The subgroup size, the rules checked and which limits may be fixed or freed.
    void showControl();
    void retranslateControl();
    // The rules' menu under their button; a rule picked there is watched or no longer.
    void chooseRules();
    // The characteristics to choose from, shown only while a plan is in force.
    void fillChoice();
    SIZE drawingSize() const;
    // The figures and the charts, as the window shows them and its picture is saved.
    ChartDrawing drawing() const;
    void savePicture();

    ChartsFollower follower_;
    HWND window_ = nullptr;
    HWND saveButton_ = nullptr;
    HWND choice_ = nullptr;
    HWND subgroupLabel_ = nullptr;
    HWND subgroup_ = nullptr;
    HWND rulesButton_ = nullptr;
    HWND fixButton_ = nullptr;
    HWND unfixButton_ = nullptr;
    HFONT font_ = nullptr;         // the button's, at the window's scale
    HFONT drawingFont_ = nullptr;  // the charts', at 96 dots per inch: the drawing is magnified
};

}  // namespace mensora
