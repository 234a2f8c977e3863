// What both charts windows follow: they redraw only when what they show has changed, and
// keep only a size the user gave them.

#include <gtest/gtest.h>

#include "charts/charts_follower.h"
#include "tests/support/fake_settings.h"
#include "tests/support/virtual_clock.h"

namespace mensora::test {
namespace {

struct Follow {
    AcquisitionState state;
    FakeSettings settings;
    ChartData data;
    RecordTraces traces{1};
    VirtualClock clock;
    ControlChoice control{settings, clock};
    AllRecordsChart source{data, state, traces, control};
    ChartsFollower follower{source, state, settings};
};

// An idle window must cost nothing but the look, and a record, a new tolerance or a new
// language must reach the screen at the next tick.
TEST(ChartsFollower, RedrawsOnlyWhatChangedAndRetranslatesOnlyForTheLanguage) {
    Follow f;
    struct Step {
        const char* what;
        void (*act)(Follow&);
        bool redraw;
        bool retranslate;
    };
    const Step steps[] = {
        {"first look", [](Follow&) {}, true, true},
        {"nothing new", [](Follow&) {}, false, false},
        {"a record", [](Follow& s) { s.data.recorded(12.345f, 3); }, true, false},
        {"a new nominal", [](Follow& s) { s.state.parameters.nominal = 12.5f; }, true, false},
        {"English", [](Follow& s) { s.state.storedLanguage = kStoredEnglish; }, true, true},
        {"a lot",
         [](Follow& s) {
             s.traces.setInForce({"", "", "L-7", "", ""});
         },
         true, false},
        {"Clear", [](Follow& s) { s.data.cleared(); }, true, false},
        {"subgroups of five", [](Follow& s) { s.follower.setSubgroupSize(5); }, true, false},
        {"rules chosen", [](Follow& s) { s.follower.setRules(RuleSet::all()); }, true, false},
        {"the same rules again", [](Follow& s) { s.follower.setRules(RuleSet::all()); }, false,
         false},
        {"forgotten", [](Follow& s) { s.follower.forget(); }, true, true},
    };
    for (const Step& step : steps) {
        step.act(f);
        const ChartsFollower::Change change = f.follower.look();
        EXPECT_EQ(change.redraw, step.redraw) << step.what;
        EXPECT_EQ(change.retranslate, step.retranslate) << step.what;
    }
}

// A window hidden while minimised reports the size of its icon, not the one to reopen at;
// a shown one is kept with its place and opens there at the next start.
TEST(ChartsFollower, KeepsThePlaceAndSizeOfAShownWindowOnly) {
    Follow f;
    f.follower.hidden({30, 40, 900, 720}, true);
    f.follower.hidden({30, 40, 0, 0}, false);
    EXPECT_TRUE(f.settings.puts.empty());
    f.follower.hidden({30, 40, 900, 720}, false);
    EXPECT_EQ(f.follower.openingSize(), (WindowSize{900, 720}));
    const ChartsScreen screen{{0, 0, 1920, 1040}, {500, 50, 918, 640}, {514, 180, 426, 450}, {}};
    const Rect place = f.follower.openingPlace(screen);
    EXPECT_EQ((Point{place.left, place.top}), (Point{30, 40}));
}

}  // namespace
}  // namespace mensora::test
