#pragma once
// Everything one drawing of the charts reads.

#include <cstdint>

#include "base/language.h"
#include "charts/chart_data.h"
#include "measure/judgement.h"

namespace mensora {

struct ChartInputs {
    const ChartData& data;
    ToleranceLimits limits;
    Language language;
};

// The places the limits and axis labels are written with: those of the readings, or three
// before there is any.
inline int readingDecimals(const ChartData& data) {
    constexpr int kBeforeAnyRecord = 3;
    return data.values().size() == 0 ? kBeforeAnyRecord : data.decimalPlaces();
}

}  // namespace mensora
