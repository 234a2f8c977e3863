#pragma once
// What the control charts are asked to do, as the charts window's controls set it: the run
// rules watched, and while no plan is in force the subgroup size and the limits in use, kept in
// the settings (the size under [Settings], the rules and any fixed limits as texts under
// [Control]) and read from there once. With a plan in force each characteristic takes its
// subgroup size and fixed limits from the plan. The warning zone of records taken without a
// plan is a whole percent of the tolerance under [Control] too, "Warning", 50 to 99; anything
// else, or nothing, is no zone.

#include <optional>

#include "base/clock.h"
#include "base/settings_store.h"
#include "charts/chart_data.h"
#include "charts/control_chart.h"
#include "measure/inspection_plan.h"

namespace mensora {

class ControlChoice {
public:
    ControlChoice(SettingsStore& settings, Clock& clock);

    // Without a plan.
    const ControlSettings& settings() const { return settings_; }
    // Of a characteristic of the plan in force.
    ControlSettings settingsOf(const Characteristic& characteristic) const;
    // The warning zone of records taken without a plan, in percent of the tolerance.
    std::optional<int> warningPercent() const { return warningPercent_; }

    // Each is stored at once.
    void setSubgroupSize(int size);
    void setRules(RuleSet rules);
    void fix(const FixedLimits& fixed);
    void unfix();

    // The limits of `data`'s records as they are now, to be kept: its X̿ and σ within from
    // every record (whatever is in use), its subgroup size, the time and how many records they
    // come from; none while there are no limits to fix yet.
    std::optional<FixedLimits> limitsToFix(const ChartData& data) const;

private:
    void storeLimits();

    SettingsStore& store_;
    Clock& clock_;
    ControlSettings settings_;
    std::optional<int> warningPercent_;
};

}  // namespace mensora
