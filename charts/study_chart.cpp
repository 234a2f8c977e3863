#include "charts/study_chart.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/texts.h"
#include "charts/chart_style.h"
#include "charts/figure_text.h"
#include "charts/record_plot.h"
#include "measure/gauge_study_texts.h"

namespace mensora {
namespace {

using namespace chart_style;

// The share of T on either side of Xm that the study's band spans.
constexpr double kBandShare = 0.1;
constexpr int kHeadingLines = 3;  // the title, the setup, the result

}  // namespace

void drawStudyChart(Canvas& canvas, const Rect& area, const StudyChartInputs& inputs) {
    const double reference = inputs.setup.reference;
    const double half = kBandShare * inputs.setup.tolerance;
    const int decimals = inputs.decimals;
    std::vector<ReferenceLine> lines{
        {reference + half, namedValue("Xm+0.1T", reference + half, decimals), kNg, Stroke::Solid},
        {reference, namedValue("Xm", reference, decimals), kNominal, Stroke::Solid},
        {reference - half, namedValue("Xm-0.1T", reference - half, decimals), kNg, Stroke::Solid},
    };
    ValueRange range = ValueRange::around(reference);
    for (const ReferenceLine& line : lines) range.include(line.value);
    for (const float value : inputs.readings.values()) range.include(value);
    drawRecordPlot(canvas, area,
                   {pick(gauge_study_texts::kChartTitle, inputs.language),
                    pick(gauge_study_texts::kNoReadings, inputs.language),
                    inputs.readings,
                    0,
                    {reference - half, reference + half},
                    std::move(lines),
                    range.padded(0.06),
                    false,
                    {},
                    {}});
}

int studyPictureHeadingHeight(Canvas& canvas) {
    return kHeadingLines * (canvas.measure("Ag").height + kPadding) + kPadding;
}

void drawStudyPicture(Canvas& canvas, const Rect& area, const StudyChartInputs& inputs,
                      const StudyHeading& heading) {
    const int height = studyPictureHeadingHeight(canvas);
    canvas.fillRect({area.left, area.top, area.width, height}, kBackground);
    const int line = canvas.measure("Ag").height + kPadding;
    const std::string title = std::string(pick(gauge_study_texts::kWindowTitle, inputs.language)) +
                              " · " + texts::kWindowTitle;
    int top = area.top + kPadding;
    for (const std::string* text : {&title, &heading.setup, &heading.result}) {
        canvas.text({area.left + kPadding, top}, *text, kText, HorizontalAnchor::Left,
                    VerticalAnchor::Top);
        top += line;
    }
    drawStudyChart(canvas, {area.left, area.top + height, area.width, area.height - height},
                   inputs);
}

}  // namespace mensora
