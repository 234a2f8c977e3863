#include "charts/control_choice.h"

#include <charconv>
#include <string>

#include "base/settings_keys.h"
#include "charts/control_constants.h"

namespace mensora {
namespace {

constexpr const char* kSection = "Control";
constexpr const char* kRulesKey = "Rules";
constexpr const char* kLimitsKey = "Limits";  // "fixed" or "all"
constexpr const char* kFixed = "fixed";
constexpr const char* kAll = "all";
constexpr const char* kCentreKey = "Centre";
constexpr const char* kSigmaKey = "Sigma";
constexpr const char* kSizeKey = "SubgroupSize";
constexpr const char* kFixedAtKey = "FixedAt";
constexpr const char* kRecordsKey = "Records";
constexpr const char* kWarningKey = "Warning";

// A double as the shortest text that reads back to the same double, whatever the locale.
std::string exactText(double value) {
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : std::string();
}

template <typename Number>
std::optional<Number> numberOf(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    Number value{};
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size()) return std::nullopt;
    return value;
}

// Fixed limits as the settings hold them; none unless every part of them reads back.
std::optional<FixedLimits> storedLimits(SettingsStore& store) {
    if (store.getText(kSection, kLimitsKey) != std::optional<std::string>(kFixed)) {
        return std::nullopt;
    }
    const auto centre = numberOf<double>(store.getText(kSection, kCentreKey));
    const auto sigma = numberOf<double>(store.getText(kSection, kSigmaKey));
    const auto size = numberOf<int>(store.getText(kSection, kSizeKey));
    const auto records = numberOf<std::uint32_t>(store.getText(kSection, kRecordsKey));
    const std::optional<std::string> at = store.getText(kSection, kFixedAtKey);
    const std::optional<LocalDateTime> fixedAt = at ? fixedTimeFromText(*at) : std::nullopt;
    if (!centre || !sigma || !(*sigma >= 0.0) || !size || *size < 1 || *size > kLargestSubgroup ||
        !records || !fixedAt) {
        return std::nullopt;
    }
    return FixedLimits{*centre, *sigma, static_cast<std::uint8_t>(*size), *fixedAt, *records};
}

LimitsSetting settingOf(const std::optional<FixedLimits>& fixed) {
    if (!fixed) return {};
    return {LimitsSource::Fixed, *fixed};
}

}  // namespace

ControlChoice::ControlChoice(SettingsStore& settings, Clock& clock)
    : store_(settings), clock_(clock) {
    settings_.subgroupSize = boundedSubgroupSize(getSetting(store_, settings::kChartsSubgroup));
    const std::optional<std::string> rules = store_.getText(kSection, kRulesKey);
    if (rules) settings_.rules = RuleSet::fromText(*rules).value_or(RuleSet());
    settings_.limits = settingOf(storedLimits(store_));
    const std::optional<int> warning = numberOf<int>(store_.getText(kSection, kWarningKey));
    if (warning && *warning >= kLeastWarningPercent && *warning <= kMostWarningPercent) {
        warningPercent_ = warning;
    }
}

ControlSettings ControlChoice::settingsOf(const Characteristic& characteristic) const {
    return {boundedSubgroupSize(characteristic.subgroupSize), settingOf(characteristic.fixedLimits),
            settings_.rules};
}

void ControlChoice::setSubgroupSize(int size) {
    settings_.subgroupSize = boundedSubgroupSize(size);
    putSetting(store_, settings::kChartsSubgroup, settings_.subgroupSize);
}

void ControlChoice::setRules(RuleSet rules) {
    settings_.rules = rules;
    store_.putText(kSection, kRulesKey, rules.text());
}

void ControlChoice::fix(const FixedLimits& fixed) {
    settings_.limits = settingOf(fixed);
    storeLimits();
}

void ControlChoice::unfix() {
    settings_.limits = {};
    storeLimits();
}

void ControlChoice::storeLimits() {
    const LimitsSetting& limits = settings_.limits;
    if (limits.inUse == LimitsSource::Fixed) {
        const FixedLimits& fixed = limits.fixed;
        store_.putText(kSection, kCentreKey, exactText(fixed.centre));
        store_.putText(kSection, kSigmaKey, exactText(fixed.sigma));
        store_.putText(kSection, kSizeKey, std::to_string(fixed.subgroupSize));
        store_.putText(kSection, kFixedAtKey, fixedTimeText(fixed.fixedAt));
        store_.putText(kSection, kRecordsKey, std::to_string(fixed.recordCount));
    }
    // Written last: a store cut off halfway still holds the former limits whole, or none.
    store_.putText(kSection, kLimitsKey, limits.inUse == LimitsSource::Fixed ? kFixed : kAll);
}

std::optional<FixedLimits> ControlChoice::limitsToFix(const ChartData& data) const {
    const RunningSubgroups& subgroups = data.control().subgroups();
    const std::optional<double> centre = subgroups.grandMean();
    const std::optional<double> sigma = subgroups.sigmaWithin();
    if (!centre || !sigma) return std::nullopt;
    return FixedLimits{*centre, *sigma, subgroups.subgroupSize(), clock_.localNow(),
                       data.values().size()};
}

}  // namespace mensora
