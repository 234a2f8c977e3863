#pragma once
// The line under the main window while a plan is in force: the part, its serial, and the
// characteristic due with its place in the plan, its size and limits; once a part is
// complete, the part's verdict instead, until the next record.

#include <optional>
#include <string>

#include "base/language.h"
#include "measure/plan_walk.h"

namespace mensora {

// "Part A-7 (Shaft), serial 3 · 2/5 Length: 40 mm, limits 39.9 to 40.1"; with
// `completedPart` the verdict of the part just completed:
// "Part A-7, serial 2 complete: OK".
std::string planLine(const PlanWalk& walk, const std::optional<bool>& completedPart,
                     const std::string& completedSerial, Language language);

}  // namespace mensora
