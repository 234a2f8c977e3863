#include "charts/control_chart.h"

namespace mensora {

ControlChart::ControlChart(const ControlSettings& settings, std::uint32_t recordCapacity)
    : settings_(settings),
      keepsMarks_(recordCapacity > 0),
      subgroups_(settings.subgroupSize, recordCapacity),
      rules_(settings.rules) {}

RuleFirings ControlChart::add(double value, std::uint32_t record) {
    if (subgroups_.filling() == 0) fillingFrom_ = record;
    const std::uint32_t rangesBefore = subgroups_.rangeCount();
    subgroups_.add(value);
    RuleFirings firings;
    if (subgroups_.filling() != 0) return firings;
    const std::uint32_t pointFrom = previousPointFrom_;
    previousPointFrom_ = fillingFrom_;
    // Each point is judged against the limits in use once it has joined them, the ones the
    // charts draw beside it; before there are any (a single reading) it is not judged.
    const std::optional<ControlLimits> inUse = limits();
    if (!inUse) return firings;
    // The rules number the points they judge from 1.
    firstRecords_[(rules_.count() + 1) % kRemembered] = fillingFrom_;
    const auto told = [&](int rule, bool rangeChart, std::uint32_t firstRecord) {
        firings.fired[firings.count++] = {rule, rangeChart, firstRecord, record};
    };
    const RuleHits hits = rules_.add(subgroups_.newestMean(), *inUse);
    for (int rule = 1; rule <= kRuleCount; ++rule) {
        if (hits.fired(rule)) told(rule, false, firstRecords_[hits.firstPoint(rule) % kRemembered]);
    }
    const std::uint32_t point = subgroups_.pointCount() - 1;  // from 0
    if (hits.any() && keepsMarks_) valueMarks_.push_back(point);
    if (subgroups_.rangeCount() > rangesBefore) {
        const std::uint32_t range = subgroups_.rangeCount();
        if (rangeRuleHits(subgroups_.newestRange(), range, *inUse, settings_.rules).any()) {
            // A moving range spans the reading before it too.
            told(1, true, settings_.subgroupSize == 1 ? pointFrom : fillingFrom_);
            if (keepsMarks_) rangeMarks_.push_back(range - 1);
        }
    }
    return firings;
}

void ControlChart::clear() {
    subgroups_.clear();
    rules_.restart();
    valueMarks_.clear();
    rangeMarks_.clear();
}

}  // namespace mensora
