#pragma once
// What a charts window follows while it is open: the records, the tolerance, the part and
// lot in force and the interface language. A window looks here at each tick of its timer and is told what to do:
// nothing, a new drawing, or new texts and a new drawing; so that an idle window costs
// nothing but the look. Where it opens, and whether the place and size it is hidden with are
// worth keeping, is decided here for both windows.

#include <cstdint>
#include <optional>

#include "base/acquisition_state.h"
#include "base/settings_store.h"
#include "charts/chart_data.h"
#include "charts/chart_inputs.h"
#include "charts/chart_source.h"
#include "charts/charts_window_place.h"
#include "charts/charts_window_size.h"
#include "measure/record_traces.h"

namespace mensora {

class ChartsFollower {
public:
    // The state is read for the tolerance and the interface language, the traces for the
    // part and lot in force, at each look.
    ChartsFollower(ChartSource chartData, const AcquisitionState& state, const RecordTraces& traces,
                   SettingsStore& settings);

    // What one drawing reads now.
    ChartInputs inputs() const;
    Language language() const { return state_.language(); }

    struct Change {
        bool redraw;       // something the charts or the figures show has changed
        bool retranslate;  // the language has, or the window shows for the first time
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
        bool operator==(const Seen& other) const;
    };

    ChartSource data_;
    const AcquisitionState& state_;
    const RecordTraces& traces_;
    SettingsStore& settings_;
    std::optional<Seen> seen_;
};

}  // namespace mensora
