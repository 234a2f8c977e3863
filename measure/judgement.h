#pragma once
// The tolerance a reading is judged against, and the judgement itself.

#include <optional>

#include "base/acquisition_state.h"

namespace mensora {

// The limits are nominal plus each tolerance, summed in double and never rounded to single
// precision, so that a tolerance loaded as 3.0000002 keeps that margin.
struct ToleranceLimits {
    double nominal;
    double upper;  // USL
    double lower;  // LSL
};

ToleranceLimits toleranceLimits(const Parameters& parameters);

// On a limit is not good: the upper limit is tested first, so limits that meet or cross
// make every reading on or above them OverUpper.
Verdict judge(double value, const ToleranceLimits& limits);

// Whether an OK reading lies in the warning zone: at or beyond nominal + w·upper tolerance, or
// at or beyond nominal + w·lower tolerance (the lower tolerance counts below nominal), w being
// `warningPercent` % (none: no zone). The zone's edges are rounded to single precision, as
// every reading is, so that a reading showing exactly an edge is in the zone. An NG reading
// never warns: it is worse than a warning.
bool warns(double value, const ToleranceLimits& limits, std::optional<int> warningPercent);

}  // namespace mensora
