#pragma once
// Everything one drawing of the charts reads.

#include <cstdint>

#include "base/language.h"
#include "charts/chart_data.h"
#include "measure/judgement.h"
#include "measure/trace_values.h"

namespace mensora {

struct ChartInputs {
    const ChartData& data;
    ToleranceLimits limits;
    Language language;
    const TraceValues& trace;  // the part and lot in force, which head the picture
};

// The places the limits and axis labels are written with: those of the readings, or three
// before there is any.
inline int readingDecimals(const ChartData& data) {
    constexpr int kBeforeAnyRecord = 3;
    return data.values().size() == 0 ? kBeforeAnyRecord : data.decimalPlaces();
}

}  // namespace mensora
