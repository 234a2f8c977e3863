#include "measure/gauge_study_figures.h"

#include <algorithm>
#include <cmath>

namespace mensora {
namespace {

// A step of exactly 5 % of the tolerance is allowed: the slack keeps a tolerance that came
// from a float (0.1 held as 0.10000000149) or a product's last bit from deciding it.
constexpr double kStepSlack = 1e-9;

bool reachesAsShown(double index) {
    const double scale = std::pow(10.0, kStudyIndexDecimals);
    return std::round(index * scale) >= std::round(kLeastCapableIndex * scale);
}

}  // namespace

GaugeStudyFigures gaugeStudyFigures(std::span<const StudyReading> readings, double reference,
                                    double tolerance) {
    GaugeStudyFigures figures;
    const double count = static_cast<double>(readings.size());
    // The mean is taken as the first reading plus the average distance from it, and the spread
    // from the distances to the mean: a part of 2500 mm read to the micrometre keeps every
    // digit, and readings that are all equal give a spread of exactly 0.
    const double first = readings.front().value;
    double distanceSum = 0.0;
    for (const StudyReading& reading : readings) {
        distanceSum += reading.value - first;
        figures.decimalPlaces = std::max(figures.decimalPlaces, reading.decimalPlaces);
    }
    figures.mean = first + distanceSum / count;
    double squareSum = 0.0;
    for (const StudyReading& reading : readings) {
        const double distance = reading.value - figures.mean;
        squareSum += distance * distance;
    }
    figures.sigma = std::sqrt(squareSum / (count - 1.0));
    figures.bias = figures.mean - reference;
    if (figures.sigma > 0.0) {
        figures.cg = 0.2 * tolerance / (6.0 * figures.sigma);
        figures.cgk = (0.1 * tolerance - std::fabs(figures.bias)) / (3.0 * figures.sigma);
        figures.capable = reachesAsShown(*figures.cg) && reachesAsShown(*figures.cgk);
    }
    figures.readingStep = std::pow(10.0, -figures.decimalPlaces);
    figures.stepTooCoarse = figures.readingStep > kMostStepShare * tolerance * (1.0 + kStepSlack);
    return figures;
}

}  // namespace mensora
