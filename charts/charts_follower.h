#pragma once
// What a charts window follows while it is open: the records, the tolerance, the part and
// lot in force, the characteristics it may pin and the interface language. A window looks here at each tick of its timer and is told what to do:
// nothing, a new drawing, or new texts and a new drawing; so that an idle window costs
// nothing but the look. Where it opens, and whether the place and size it is hidden with are
// worth keeping, is decided here for both windows.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/acquisition_state.h"
#include "base/settings_store.h"
#include "charts/chart_data.h"
#include "charts/chart_inputs.h"
#include "charts/chart_source.h"
#include "charts/charts_window_place.h"
#include "charts/charts_window_size.h"

namespace mensora {

class ChartsFollower {
public:
    // The state is read for the interface language at each look.
    ChartsFollower(ChartSource& source, const AcquisitionState& state, SettingsStore& settings);

    // What one drawing reads now.
    ChartInputs inputs() const;
    Language language() const { return state_.language(); }

    // The characteristics the window may pin (empty: no plan in force, nothing to choose),
    // which one is pinned (none: the one due), and pinning one.
    const std::vector<std::string>& characteristics() const { return source_.characteristics(); }
    std::optional<std::size_t> pinned() const { return source_.pinned(); }
    void pin(std::optional<std::size_t> characteristic) { source_.pin(characteristic); }

    // What the control charts' controls show and allow: the subgroup size (chosen here, or
    // the plan's), the rules watched, and whether limits can be fixed and are.
    struct ControlState {
        int subgroupSize;
        bool subgroupChosen;
        RuleSet rules;
        bool fixable;
        bool fixed;
    };
    ControlState controlState() const;
    void setSubgroupSize(int size) { source_.setSubgroupSize(size); }
    void setRules(RuleSet rules) { source_.setRules(rules); }
    void fixLimits() { source_.fixLimits(); }
    void unfixLimits() { source_.unfixLimits(); }

    struct Change {
        bool redraw;       // something the charts or the figures show has changed
        bool retranslate;  // the language has, or the window shows for the first time
        bool rechoose;     // the characteristics to choose from, or the pin, have
    };
    // Takes a look and remembers what it saw.
    Change look();
    // The window is gone: its next look starts afresh.
    void forget() { seen_.reset(); }

    // The size the window opens at: the one last kept, or the default.
    WindowSize openingSize() const;
    // The client area, in screen pixels, the window takes at its first showing.
    Rect openingPlace(const ChartsScreen& screen) const;
    // The window was hidden with this client area; a minimised or collapsed window's is not
    // the one the user gave it, and is not kept.
    void hidden(const Rect& client, bool minimised);

private:
    struct Seen {
        std::uint64_t revision;
        ToleranceLimits limits;
        Language language;
        TraceValues trace;
        std::vector<std::string> characteristics;
        std::optional<std::size_t> pinned;
        bool operator==(const Seen& other) const;
    };

    ChartSource& source_;
    const AcquisitionState& state_;
    SettingsStore& settings_;
    std::optional<Seen> seen_;
};

}  // namespace mensora
