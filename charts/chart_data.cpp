#include "charts/chart_data.h"

#include <algorithm>

#include "measure/record_store.h"

namespace mensora {

ChartData::ChartData() : values_(kRecordCapacity) {}

void ChartData::recorded(float value, std::uint8_t decimalPlaces) {
    values_.append(value);
    capability_.add(value);
    decimalPlaces_ = std::max(decimalPlaces_, decimalPlaces);
    ++revision_;
}

void ChartData::cleared() {
    values_.clear();
    capability_.clear();
    decimalPlaces_ = 0;
    ++revision_;
}

}  // namespace mensora
