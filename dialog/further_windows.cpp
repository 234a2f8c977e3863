#include "dialog/further_windows.h"

#include "base/control_ids.h"
#include "charts/chart_texts.h"
#include "dialog/plan_texts.h"
#include "dialog/runs_texts.h"
#include "measure/gauge_study_texts.h"
#include "measure/trace_texts.h"
#include "plant/plant_texts.h"

namespace mensora {
namespace {

constexpr FurtherWindowEntry kFurtherWindows[] = {
    {FurtherWindow::Charts, chart_texts::kWindowTitle, 3, kChartsCommand, "action-charts"},
    {FurtherWindow::Trace, trace_texts::kWindowTitle, 4, kTraceCommand, "action-trace"},
    {FurtherWindow::Plan, plan_texts::kWindowTitle, 5, kPlanCommand, "action-plan"},
    {FurtherWindow::Study, gauge_study_texts::kWindowTitle, 6, kStudyCommand, "action-gauge-study"},
    {FurtherWindow::Runs, runs_texts::kWindowTitle, 7, kRunsCommand, "action-runs"},
    {FurtherWindow::Plant, plant_texts::kWindowTitle, 0, kPlantCommand, "action-plant"},
};

constexpr Bilingual kOnBackground{"右键单击窗口空白处：", "Right-click the window's background: "};
constexpr Bilingual kOnCaptionBar{"右键单击标题栏（窗口菜单）：",
                                  "Right-click the title bar (window menu): "};

}  // namespace

std::span<const FurtherWindowEntry> furtherWindows() { return kFurtherWindows; }

const FurtherWindowEntry& furtherWindow(FurtherWindow window) {
    for (const FurtherWindowEntry& entry : kFurtherWindows) {
        if (entry.window == window) return entry;
    }
    return kFurtherWindows[0];  // every window has its row
}

std::string furtherWindowsTip(Language language, MenuPlace place) {
    std::string tip =
        pick(place == MenuPlace::Background ? kOnBackground : kOnCaptionBar, language);
    const char* separator = "";
    for (const FurtherWindowEntry& window : kFurtherWindows) {
        if (window.functionKey == 0) continue;
        tip += separator;
        tip += pick(window.title, language);
        tip += " (F" + std::to_string(window.functionKey) + ")";
        separator = language == Language::English ? ", " : "、";
    }
    return tip;
}

}  // namespace mensora
