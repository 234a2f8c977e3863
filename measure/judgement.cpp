#include "measure/judgement.h"

namespace mensora {

ToleranceLimits toleranceLimits(const Parameters& parameters) {
    const double nominal = parameters.nominal;
    return {nominal, nominal + parameters.upperTolerance, nominal + parameters.lowerTolerance};
}

Verdict judge(double value, const ToleranceLimits& limits) {
    if (value >= limits.upper) return Verdict::OverUpper;
    if (value <= limits.lower) return Verdict::UnderLower;
    return Verdict::Ok;
}

}  // namespace mensora
