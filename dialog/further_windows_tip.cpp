#include "dialog/further_windows_tip.h"

#include "base/texts.h"
#include "charts/chart_texts.h"
#include "measure/trace_texts.h"

namespace mensora {
namespace {

struct FurtherWindow {
    Bilingual title;  // as its menu item says it
    const char* key;
};

constexpr FurtherWindow kFurtherWindows[] = {
    {chart_texts::kWindowTitle, "F3"},
    {trace_texts::kWindowTitle, "F4"},
};

constexpr Bilingual kOnBackground{"右键单击窗口空白处：", "Right-click the window's background: "};
constexpr Bilingual kOnCaptionBar{"右键单击标题栏（窗口菜单）：",
                                  "Right-click the title bar (window menu): "};

}  // namespace

std::string furtherWindowsTip(Language language, MenuPlace place) {
    std::string tip = pick(place == MenuPlace::Background ? kOnBackground : kOnCaptionBar, language);
    const char* separator = "";
    for (const FurtherWindow& window : kFurtherWindows) {
        tip += separator;
        tip += pick(window.title, language);
        tip += " (";
        tip += window.key;
        tip += ")";
        separator = language == Language::English ? ", " : "、";
    }
    return tip;
}

}  // namespace mensora
