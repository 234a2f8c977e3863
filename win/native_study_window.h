#pragma once
// The Gauge study window on Windows: a dialog built in memory in the dialog font from the study
// form, drawing what the study panel decides. It is modeless, owned by the main window, so the
// live reading stays in view and Manual can be clicked while the reference part is measured;
// while it is open the dialog keys (Tab, Enter, Escape) reach it through a message filter on
// the main window's modal loop. Closing it ends a study that still takes readings.

#include <windows.h>

#include <string>

#include "base/language.h"
#include "dialog/study_panel.h"

namespace mensora {

class NativeStudyWindow : private StudyWindowPort {
public:
    explicit NativeStudyWindow(StudyPanel& panel) : panel_(panel) {}
    ~NativeStudyWindow() override;
    NativeStudyWindow(const NativeStudyWindow&) = delete;
    NativeStudyWindow& operator=(const NativeStudyWindow&) = delete;

    // Opens the window over `owner` in `language`, or brings the open one forward.
    void open(HWND owner, Language language);

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK dialogKeys(int code, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    void studyChanged() override;
    void tell(const std::string& text) override;
    void start();
    void drawChart(const DRAWITEMSTRUCT& item);
    void savePicture();
    void saveWorkbook();
    std::string fieldText(int id) const;

    StudyPanel& panel_;
    Language language_ = Language::Chinese;
    HWND window_ = nullptr;        // while it is open
    HFONT drawingFont_ = nullptr;  // the chart's, at 96 dots per inch: the drawing is magnified
    HHOOK keys_ = nullptr;         // while it is open
};

}  // namespace mensora
