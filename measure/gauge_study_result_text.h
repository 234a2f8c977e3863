#pragma once
// The gauge study's result as the study window shows it, in one line of either language:
// "x̄ 10.00192  s 0.000954  Bias 0.00192  Cg 3.49  Cgk 2.82  capable".

#include <string>
#include <vector>

#include "base/language.h"
#include "measure/gauge_study_figures.h"

namespace mensora {

// One figure of the result, as the result line and the study's workbook show it.
struct StudyFigureText {
    std::string name;
    std::string value;
};

// x̄, s, the bias, Cg and Cgk, each to the places the study shows it with ("—" for an index
// that every reading being the same leaves undefined).
std::vector<StudyFigureText> gaugeStudyFigureTexts(const GaugeStudyFigures& figures,
                                                   Language language);
// Capable or not, or why there is no verdict.
std::string gaugeStudyVerdictText(const GaugeStudyFigures& figures, Language language);
// The warning of a reading step above 5 % of the tolerance; empty when the step is fine.
std::string gaugeStudyStepWarning(const GaugeStudyFigures& figures, Language language);

// Every figure named before its value, then the verdict, or in its place why there is none;
// a warning follows when the gauge reads too coarsely for the tolerance.
std::string gaugeStudyResultText(const GaugeStudyFigures& figures, Language language);

}  // namespace mensora
