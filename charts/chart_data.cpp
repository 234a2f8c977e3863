#include "charts/chart_data.h"

#include <algorithm>

#include "measure/record_store.h"

namespace mensora {

ChartData::ChartData() : values_(kRecordCapacity), control_({}, kRecordCapacity) {}

RuleFirings ChartData::add(float value, std::uint8_t decimalPlaces) {
    values_.append(value);
    capability_.add(value);
    decimalPlaces_ = std::max(decimalPlaces_, decimalPlaces);
    ++revision_;
    return control_.add(value, values_.size());
}

void ChartData::cleared() {
    values_.clear();
    capability_.clear();
    control_.clear();
    decimalPlaces_ = 0;
    ++revision_;
}

void ChartData::configure(const ControlSettings& settings) {
    if (control_.settings() == settings) return;
    control_ = ControlChart(settings, kRecordCapacity);
    const std::span<const float> values = values_.values();
    for (std::uint32_t i = 0; i < values.size(); ++i) control_.add(values[i], i + 1);
    ++revision_;
}

CapabilityFigures ChartData::figures(const ToleranceLimits& limits) const {
    const std::optional<ControlLimits> inUse = control_.limits();
    return capability_.figures(limits, inUse ? std::optional<double>(inUse->sigma) : std::nullopt);
}

}  // namespace mensora
