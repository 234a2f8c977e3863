#include "measure/inspection_plan.h"

#include <string_view>
#include <tuple>

#include "base/stored_thousandths.h"
#include "base/texts.h"

namespace mensora {
namespace {

constexpr Bilingual kNoName{"测量特性名称为空。", "the characteristic has no name."};
constexpr Bilingual kUpperBelowLower{"上公差不能小于下公差。",
                                     "the upper tolerance is below the lower one."};
constexpr Bilingual kSubgroupRange{"子组大小须为 1 到 10。", "the subgroup size must be 1 to 10."};
constexpr Bilingual kWarningRange{"预警须为空或 50 到 99 (%)。",
                                  "the warning share must be blank or 50 to 99 (%)."};
constexpr Bilingual kUnitUnknown{"单位须为 mm、inch 或 °。", "the unit must be mm, inch or °."};
constexpr Bilingual kNoPart{"计划没有零件号。", "The plan has no part number."};
constexpr Bilingual kEmpty{"计划没有测量特性。", "The plan has no characteristics."};
constexpr Bilingual kTooMany{"计划最多 100 个测量特性。",
                             "A plan holds at most 100 characteristics."};
constexpr Bilingual kCharacteristic{"测量特性 ", "Characteristic "};

std::string said(const Bilingual& text, Language language) { return pick(text, language); }

}  // namespace

bool Characteristic::operator==(const Characteristic& other) const {
    const auto measured = [](const Characteristic& c) {
        return std::tie(c.number, c.name, c.nominal, c.upperTolerance, c.lowerTolerance,
                        c.unitIndex, c.gaugeId, c.subgroupSize, c.warningPercent);
    };
    return measured(*this) == measured(other);
}

std::string characteristicLabel(const Characteristic& c) {
    return c.number.empty() ? c.name : c.number + " " + c.name;
}

ToleranceLimits characteristicLimits(const Characteristic& c) {
    Parameters sizes;
    sizes.nominal = c.nominal;
    sizes.upperTolerance = c.upperTolerance;
    sizes.lowerTolerance = c.lowerTolerance;
    return toleranceLimits(sizes);
}

std::optional<std::string> characteristicFault(const Characteristic& c, Language language) {
    if (c.name.empty()) return said(kNoName, language);
    const float sizes[3] = {c.nominal, c.upperTolerance, c.lowerTolerance};
    for (int i = 0; i < 3; ++i) {
        // A size the settings could not hold could not be put back in the panel either.
        if (!fitsStoredThousandths(sizes[i])) {
            return std::string(pick(texts::kParameterLabels[i], language)) +
                   pick(texts::kOutOfStorableRange, language);
        }
    }
    if (c.upperTolerance < c.lowerTolerance) return said(kUpperBelowLower, language);
    if (c.unitIndex > 2) return said(kUnitUnknown, language);
    if (c.subgroupSize < 1 || c.subgroupSize > kLargestSubgroup) {
        return said(kSubgroupRange, language);
    }
    if (c.warningPercent &&
        (*c.warningPercent < kLeastWarningPercent || *c.warningPercent > kMostWarningPercent)) {
        return said(kWarningRange, language);
    }
    return std::nullopt;
}

std::optional<std::string> planFault(const InspectionPlan& plan, Language language) {
    if (plan.part.empty()) return said(kNoPart, language);
    if (plan.characteristics.empty()) return said(kEmpty, language);
    if (plan.characteristics.size() > kPlanCapacity) return said(kTooMany, language);
    for (std::size_t i = 0; i < plan.characteristics.size(); ++i) {
        if (auto fault = characteristicFault(plan.characteristics[i], language)) {
            return said(kCharacteristic, language) + std::to_string(i + 1) +
                   (language == Language::English ? ": " : "：") + *fault;
        }
    }
    return std::nullopt;
}

std::optional<std::uint8_t> unitIndexOf(std::string_view name) {
    if (name == "mm") return 0;
    if (name == "inch" || name == "in") return 1;
    if (name == "°" || name == "deg") return 2;
    return std::nullopt;
}

}  // namespace mensora
