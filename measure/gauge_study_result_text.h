#pragma once
// The gauge study's result as the study window shows it, in one line of either language:
// "x̄ 10.00192  s 0.000954  Bias 0.00192  Cg 3.49  Cgk 2.82  capable".

#include <string>

#include "base/language.h"
#include "measure/gauge_study_figures.h"

namespace mensora {

// Every figure named before its value, then the verdict, or in its place why there is none;
// a warning follows when the gauge reads too coarsely for the tolerance.
std::string gaugeStudyResultText(const GaugeStudyFigures& figures, Language language);

}  // namespace mensora
