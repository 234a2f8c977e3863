#pragma once
// The lines under the main window's template, for both windows, stacked up from the bottom of
// the window's client area: the plant database's status at the very bottom, taking room only
// while it says something, above it the part and lot in force in a band of their own, and above
// that the walk of the plan in force, taking room only while a plan is in force, and on top the
// alarm that stands, taking room only while one does. The template's part above them follows
// its own resizing rule.

namespace mensora::lines_below {

// The room a line of text takes: the text and two pixels of air above and below it.
constexpr int bandOf(int textHeight) { return textHeight + 4; }

// A band that takes room only while it says something.
constexpr int plantBandOf(int textHeight, bool shown) { return shown ? bandOf(textHeight) : 0; }

struct Bands {
    int alarm;
    int plan;
    int trace;
    int plant;
    constexpr int total() const { return alarm + plan + trace + plant; }
};

struct Tops {
    int alarm;  // also the height left to the template's part
    int plan;
    int trace;
    int plant;
};

// Where the lines start in a client area `clientHeight` high, their bands as high as given
// (in pixels).
constexpr Tops topsIn(int clientHeight, const Bands& bands) {
    const int plant = clientHeight - bands.plant;
    const int trace = plant - bands.trace;
    const int plan = trace - bands.plan;
    return {plan - bands.alarm, plan, trace, plant};
}

}  // namespace mensora::lines_below
