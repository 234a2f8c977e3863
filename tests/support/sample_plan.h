#pragma once
// The plan the walk's tests share: a shaft of three characteristics, each of its own unit, the
// first two with a gauge of their own.

#include "measure/inspection_plan.h"

namespace mensora::test {

inline InspectionPlan shaft() {
    return {"A-7",
            "Shaft",
            {{"1", "Bore", 12.0f, 0.02f, -0.02f, 0, "G-1", 1, {}},
             {"2", "Length", 40.0f, 0.1f, -0.1f, 1, "G-2", 1, {}},
             {"3", "Angle", 30.0f, 0.5f, 0.0f, 2, "", 1, {}}}};
}

}  // namespace mensora::test
