#pragma once
// The run rules' names in both languages (UTF-8), as the charts window lists the rules to
// watch and names the one that fired.

#include <array>

#include "base/texts.h"
#include "charts/rule_set.h"

namespace mensora::run_rule_texts {

// Rule r at [r - 1].
inline constexpr std::array<Bilingual, kRuleCount> kRuleNames{{
    {"规则1：1点落在3σ控制限之外", "Rule 1: one point beyond 3σ"},
    {"规则2：连续9点落在中心线同一侧", "Rule 2: nine points in a row on one side of the centre"},
    {"规则3：连续6点持续上升或下降", "Rule 3: six points in a row steadily rising or falling"},
    {"规则4：连续14点上下交替", "Rule 4: fourteen points in a row alternating up and down"},
    {"规则5：连续3点中有2点落在同侧2σ之外",
     "Rule 5: two of three points beyond 2σ on the same side"},
    {"规则6：连续5点中有4点落在同侧1σ之外",
     "Rule 6: four of five points beyond 1σ on the same side"},
    {"规则7：连续15点落在中心线两侧1σ以内",
     "Rule 7: fifteen points in a row within 1σ of the centre"},
    {"规则8：连续8点落在中心线两侧1σ之外",
     "Rule 8: eight points in a row beyond 1σ on either side"},
}};

}  // namespace mensora::run_rule_texts
