#pragma once
// The figures of a type-1 gauge study over its readings of the reference part: the mean, the
// spread, the bias, and the capability indices Cg and Cgk set against the tolerance.

#include <cstdint>
#include <optional>
#include <span>

namespace mensora {

// One reading of the study: the number the gauge sent, with its decimal places.
struct StudyReading {
    double value = 0.0;
    std::uint8_t decimalPlaces = 0;
};

// Both indices must reach this for the gauge to be capable; they are shown, and judged, to
// this many places.
inline constexpr double kLeastCapableIndex = 1.33;
inline constexpr int kStudyIndexDecimals = 2;
// The gauge's reading step may be at most this share of the tolerance.
inline constexpr double kMostStepShare = 0.05;

struct GaugeStudyFigures {
    double mean = 0.0;   // x̄
    double sigma = 0.0;  // s, the sample standard deviation (n - 1)
    double bias = 0.0;   // x̄ - Xm
    // Cg = 0.2·T / (6·s) and Cgk = (0.1·T - |bias|) / (3·s); both empty when every reading
    // was the same (s = 0): no spread shows, so the gauge cannot be judged by them.
    std::optional<double> cg;
    std::optional<double> cgk;
    // Both indices reach kLeastCapableIndex as they are shown, so that the verdict never
    // contradicts the figures beside it (a Cg of 1.3296 shows 1.33 and passes).
    bool capable = false;
    std::uint8_t decimalPlaces = 0;  // the most any reading had
    double readingStep = 1.0;        // 10^-decimalPlaces
    bool stepTooCoarse = false;      // readingStep above kMostStepShare of T
};

// The figures of `readings` (two at least) of a part of size `reference`, against the
// tolerance `tolerance` (> 0).
GaugeStudyFigures gaugeStudyFigures(std::span<const StudyReading> readings, double reference,
                                    double tolerance);

}  // namespace mensora
