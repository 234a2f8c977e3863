#include "measure/gauge_study_result_text.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "base/number_text.h"
#include "measure/gauge_study_texts.h"

namespace mensora {
namespace {

namespace gst = gauge_study_texts;

constexpr const char* kBetweenFigures = "  ";
// The mean and the bias are shown two places finer than the gauge reads: the mean of 10 to
// 100 readings resolves a tenth of a step, and a bias of a few steps keeps its size visible.
constexpr int kPlacesBeyondReading = 2;
// The spread is shown to three significant digits, whatever its size against the step: Cg
// and Cgk are divided by it, and three digits carry their two places.
constexpr int kSpreadDigits = 3;

int spreadDecimals(double sigma, int meanDecimals) {
    if (sigma <= 0.0) return meanDecimals;
    const int leading = static_cast<int>(std::floor(std::log10(sigma)));
    return std::max(0, kSpreadDigits - 1 - leading);
}

std::string indexText(const std::optional<double>& index) {
    return index ? fixedText(*index, kStudyIndexDecimals) : std::string(gst::kNoIndex);
}

}  // namespace

std::vector<StudyFigureText> gaugeStudyFigureTexts(const GaugeStudyFigures& figures,
                                                   Language language) {
    const int meanDecimals = figures.decimalPlaces + kPlacesBeyondReading;
    return {
        {pick(gst::kMean, language), fixedText(figures.mean, meanDecimals)},
        {pick(gst::kSigma, language),
         fixedText(figures.sigma, spreadDecimals(figures.sigma, meanDecimals))},
        {pick(gst::kBias, language), fixedText(figures.bias, meanDecimals)},
        {gst::kCg, indexText(figures.cg)},
        {gst::kCgk, indexText(figures.cgk)},
    };
}

std::string gaugeStudyVerdictText(const GaugeStudyFigures& figures, Language language) {
    if (!figures.cg) return pick(gst::kAllEqual, language);
    return pick(figures.capable ? gst::kCapable : gst::kNotCapable, language);
}

std::string gaugeStudyStepWarning(const GaugeStudyFigures& figures, Language language) {
    if (!figures.stepTooCoarse) return {};
    return pick(gst::kStepBefore, language) +
           fixedText(figures.readingStep, figures.decimalPlaces) + pick(gst::kStepAfter, language);
}

std::string gaugeStudyResultText(const GaugeStudyFigures& figures, Language language) {
    std::string text;
    for (const StudyFigureText& figure : gaugeStudyFigureTexts(figures, language)) {
        text += figure.name + " " + figure.value + kBetweenFigures;
    }
    text += gaugeStudyVerdictText(figures, language);
    const std::string warning = gaugeStudyStepWarning(figures, language);
    if (!warning.empty()) text += kBetweenFigures + warning;
    return text;
}

}  // namespace mensora
