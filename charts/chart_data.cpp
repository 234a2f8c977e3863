#include "charts/chart_data.h"

#include <algorithm>
#include <cmath>

#include "measure/record_store.h"

namespace mensora {

ChartData::ChartData() : values_(kRecordCapacity), movingRanges_(kRecordCapacity) {}

void ChartData::recorded(float value, std::uint8_t decimalPlaces) {
    const std::span<const float> earlier = values_.values();
    if (!earlier.empty()) {
        movingRanges_.append(static_cast<float>(std::fabs(double(value) - double(earlier.back()))));
    }
    values_.append(value);
    capability_.add(value);
    decimalPlaces_ = std::max(decimalPlaces_, decimalPlaces);
    ++revision_;
}

void ChartData::cleared() {
    values_.clear();
    movingRanges_.clear();
    capability_.clear();
    decimalPlaces_ = 0;
    ++revision_;
}

}  // namespace mensora
