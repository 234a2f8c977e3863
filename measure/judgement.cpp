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

bool warns(double value, const ToleranceLimits& limits, std::optional<int> warningPercent) {
    if (!warningPercent || judge(value, limits) != Verdict::Ok) return false;
    const double share = *warningPercent / 100.0;
    const auto edge = [&](double limit) {
        return static_cast<double>(
            static_cast<float>(limits.nominal + share * (limit - limits.nominal)));
    };
    return value >= edge(limits.upper) || value <= edge(limits.lower);
}

}  // namespace mensora
