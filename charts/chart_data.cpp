#include "charts/chart_data.h"

#include <algorithm>

#include "measure/record_store.h"

namespace mensora {

ChartData::ChartData(const RecordListTexts* marks)
    : marks_(marks), values_(kRecordCapacity), control_({}, kRecordCapacity) {}

// Every record reaches this chart data, so its readings are numbered as the list's rows.
RuleFirings ChartData::add(float value, std::uint8_t decimalPlaces) {
    return add(value, decimalPlaces, marks_ != nullptr && marks_->warned(values_.size()));
}

RuleFirings ChartData::add(float value, std::uint8_t decimalPlaces, bool warning) {
    if (warning && values_.size() < kRecordCapacity) warnings_.push_back(values_.size());
    values_.append(value);
    capability_.add(value);
    decimalPlaces_ = std::max(decimalPlaces_, decimalPlaces);
    ++revision_;
    return control_.add(value, values_.size());
}

void ChartData::cleared() {
    values_.clear();
    warnings_.clear();
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

bool ChartData::warned(std::uint32_t reading) const {
    return std::binary_search(warnings_.begin(), warnings_.end(), reading);
}

CapabilityFigures ChartData::figures(const ToleranceLimits& limits) const {
    const std::optional<ControlLimits> inUse = control_.limits();
    return capability_.figures(limits, inUse ? std::optional<double>(inUse->sigma) : std::nullopt);
}

}  // namespace mensora
