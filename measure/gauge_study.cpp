#include "measure/gauge_study.h"

#include <cmath>

#include "base/number_text.h"

namespace mensora {
namespace {

// Beyond these places a double holds no further decimal digit of a reading.
constexpr std::uint8_t kMostRoundedPlaces = 15;

// The reading as the decimal number the gauge sent: the program holds readings in single
// precision (10.002 as 10.00199985), and the study's mean is shown two places finer than the
// gauge reads, where that difference would begin to show.
double sentValue(double value, std::uint8_t decimalPlaces) {
    if (decimalPlaces > kMostRoundedPlaces) return value;
    const double scale = std::pow(10.0, decimalPlaces);
    return std::round(value * scale) / scale;
}

}  // namespace

std::optional<StudySetupFault> studySetupFault(const GaugeStudySetup& setup) {
    if (!std::isfinite(setup.tolerance) || setup.tolerance <= 0.0) {
        return StudySetupFault::ToleranceNotPositive;
    }
    if (setup.count < kLeastStudyReadings || setup.count > kMostStudyReadings) {
        return StudySetupFault::CountOutOfRange;
    }
    return std::nullopt;
}

double defaultStudyTolerance(const Parameters& inForce) {
    return static_cast<double>(inForce.upperTolerance) -
           static_cast<double>(inForce.lowerTolerance);
}

std::string studyReadingsText(std::span<const StudyReading> readings) {
    std::string text;
    for (const StudyReading& reading : readings) {
        if (!text.empty()) text += ' ';
        text += fixedText(reading.value, reading.decimalPlaces);
    }
    return text;
}

std::optional<GaugeStudy> GaugeStudy::start(const GaugeStudySetup& setup) {
    if (studySetupFault(setup)) return std::nullopt;
    return GaugeStudy(setup);
}

bool GaugeStudy::add(double value, std::uint8_t decimalPlaces) {
    if (finished()) return false;
    readings_.push_back({sentValue(value, decimalPlaces), decimalPlaces});
    return true;
}

void GaugeStudy::undoLast() {
    if (!readings_.empty()) readings_.pop_back();
}

std::optional<GaugeStudyFigures> GaugeStudy::figures() const {
    if (!finished()) return std::nullopt;
    return gaugeStudyFigures(readings_, setup_.reference, setup_.tolerance);
}

}  // namespace mensora
