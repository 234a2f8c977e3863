#include "measure/plan_line.h"

#include "base/control_table.h"
#include "base/number_text.h"
#include "base/texts.h"
#include "measure/judgement.h"

namespace mensora {
namespace {

constexpr Bilingual kPart{"零件 ", "Part "};
constexpr Bilingual kSerial{"，序号 ", ", serial "};
constexpr Bilingual kLimits{"，界限 ", ", limits "};
constexpr Bilingual kTo{" 至 ", " to "};
constexpr Bilingual kComplete{" 完成：", " complete: "};
constexpr Bilingual kColon{"：", ": "};

std::string sizeText(double value) { return formatFloat(static_cast<float>(value)); }

}  // namespace

std::string planLine(const PlanWalk& walk, const std::optional<bool>& completedPart,
                     const std::string& completedSerial, Language language) {
    const InspectionPlan& plan = walk.plan();
    std::string line = pick(kPart, language) + plan.part;
    if (completedPart) {
        return line + pick(kSerial, language) + completedSerial + pick(kComplete, language) +
               pick(*completedPart ? texts::kVerdictOk : texts::kVerdictNg, language);
    }
    if (!plan.partName.empty()) line += " (" + plan.partName + ")";
    const Characteristic& c = walk.dueCharacteristic();
    const std::string unit = recordUnitName(c.unitIndex);
    const ToleranceLimits limits = characteristicLimits(c);
    line += pick(kSerial, language) + walk.serial() + " · " + std::to_string(walk.due() + 1) + "/" +
            std::to_string(plan.characteristics.size()) + " " + c.name + pick(kColon, language) +
            formatFloat(c.nominal) + " " + unit + pick(kLimits, language) + sizeText(limits.lower) +
            pick(kTo, language) + sizeText(limits.upper);
    return line;
}

}  // namespace mensora
