#pragma once
// The gauge study's run chart, as the study window shows it and its picture is saved: every
// reading of the reference part in the order taken, against the reference value Xm and the
// band Xm ± 0.1·T that the study judges the gauge's scatter by. A reading outside the band is
// drawn as NG.

#include <string>

#include "base/language.h"
#include "charts/canvas.h"
#include "charts/value_column.h"
#include "measure/gauge_study.h"

namespace mensora {

struct StudyChartInputs {
    GaugeStudySetup setup;
    const ValueColumn& readings;
    int decimals;  // of the readings, or of the reference before any
    Language language;
};

void drawStudyChart(Canvas& canvas, const Rect& area, const StudyChartInputs& inputs);

// What heads the saved picture under its title: the gauge and the study's setup, then the
// result (or how far the readings have got).
struct StudyHeading {
    std::string setup;
    std::string result;
};

int studyPictureHeadingHeight(Canvas& canvas);
void drawStudyPicture(Canvas& canvas, const Rect& area, const StudyChartInputs& inputs,
                      const StudyHeading& heading);

}  // namespace mensora
