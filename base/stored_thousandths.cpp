#include "base/stored_thousandths.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace mensora {
namespace {

double scaledToThousandths(float value) { return std::round(static_cast<double>(value) * 1000.0); }

constexpr double kStoredMin = std::numeric_limits<std::int32_t>::min();
constexpr double kStoredMax = std::numeric_limits<std::int32_t>::max();

}  // namespace

bool fitsStoredThousandths(float value) {
    const double scaled = scaledToThousandths(value);
    return scaled >= kStoredMin && scaled <= kStoredMax;
}

std::int32_t toStoredThousandths(float value) {
    // The clamp only keeps the conversion itself defined.
    const double scaled = std::clamp(scaledToThousandths(value), kStoredMin, kStoredMax);
    return static_cast<std::int32_t>(scaled);
}

float fromStoredThousandths(std::int32_t stored) {
    return static_cast<float>(static_cast<double>(stored) * static_cast<double>(0.001f));
}

}  // namespace mensora
