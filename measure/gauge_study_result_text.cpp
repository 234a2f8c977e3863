#include "measure/gauge_study_result_text.h"

#include <algorithm>
#include <cmath>
#include <optional>

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

std::string named(const char* name, const std::string& value) {
    return std::string(name) + " " + value;
}

std::string indexText(const std::optional<double>& index) {
    return index ? fixedText(*index, kStudyIndexDecimals) : std::string(gst::kNoIndex);
}

}  // namespace

std::string gaugeStudyResultText(const GaugeStudyFigures& figures, Language language) {
    const int meanDecimals = figures.decimalPlaces + kPlacesBeyondReading;
    std::string text = named(pick(gst::kMean, language), fixedText(figures.mean, meanDecimals));
    text += kBetweenFigures;
    text += named(pick(gst::kSigma, language),
                  fixedText(figures.sigma, spreadDecimals(figures.sigma, meanDecimals)));
    text += kBetweenFigures;
    text += named(pick(gst::kBias, language), fixedText(figures.bias, meanDecimals));
    text += kBetweenFigures;
    text += named(gst::kCg, indexText(figures.cg));
    text += kBetweenFigures;
    text += named(gst::kCgk, indexText(figures.cgk));
    text += kBetweenFigures;
    if (!figures.cg) {
        text += pick(gst::kAllEqual, language);
    } else {
        text += pick(figures.capable ? gst::kCapable : gst::kNotCapable, language);
    }
    if (figures.stepTooCoarse) {
        text += kBetweenFigures;
        text += pick(gst::kStepBefore, language);
        text += fixedText(figures.readingStep, figures.decimalPlaces);
        text += pick(gst::kStepAfter, language);
    }
    return text;
}

}  // namespace mensora
