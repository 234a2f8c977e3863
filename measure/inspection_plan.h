#pragma once
// An inspection plan: the characteristics of one part, in the order every operator measures
// them, each with the size it is judged against as the parameters panel takes one.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/language.h"
#include "measure/fixed_limits.h"
#include "measure/judgement.h"

namespace mensora {

inline constexpr std::size_t kPlanCapacity = 100;  // characteristics in one plan
inline constexpr int kLargestSubgroup = 10;        // readings in a subgroup of the control charts
inline constexpr int kLeastWarningPercent = 50;
inline constexpr int kMostWarningPercent = 99;

struct Characteristic {
    std::string number;  // as the drawing numbers it ("1", "2a"); blank: its place in the plan
    std::string name;
    float nominal = 0.0f;
    float upperTolerance = 0.0f;
    float lowerTolerance = 0.0f;
    std::uint8_t unitIndex = 0;  // an item of the unit drop-down: mm, inch, °
    std::string gaugeId;
    int subgroupSize = 1;
    std::optional<int> warningPercent;  // of the tolerance; none: no warning zone
    // The control limits its charts were fixed at; none: from all its records. Not part of what
    // is measured: a plan whose limits were fixed later is still the plan its earlier records
    // were taken for, and they stay its records.
    std::optional<FixedLimits> fixedLimits = std::nullopt;

    bool operator==(const Characteristic& other) const;
};

struct InspectionPlan {
    std::string part;
    std::string partName;
    std::vector<Characteristic> characteristics;

    bool operator==(const InspectionPlan&) const = default;
};

// The characteristic as the record's trace names it: its number and name ("2a Bore"), or the
// name alone when the drawing gives it no number.
std::string characteristicLabel(const Characteristic& characteristic);

// The limits its records are judged against.
ToleranceLimits characteristicLimits(const Characteristic& characteristic);

// What is wrong with a characteristic, by the rules of the parameters panel and the plan's
// own ("the upper tolerance may not be below the lower"), in `language`; none when it may be
// measured.
std::optional<std::string> characteristicFault(const Characteristic& characteristic,
                                               Language language);

// The first fault of the plan, the characteristic named by its place ("Characteristic 3: …");
// none for a plan that may be put in force.
std::optional<std::string> planFault(const InspectionPlan& plan, Language language);

// The unit's item in the unit drop-down for "mm", "inch" or "°" (also "in" and "deg", as
// spreadsheets write them); none for anything else.
std::optional<std::uint8_t> unitIndexOf(std::string_view name);

}  // namespace mensora
