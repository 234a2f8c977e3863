#pragma once
// Nelson's eight run rules, watched point by point on a value chart (readings, or subgroup
// means) against its centre and the zones 1, 2 and 3 σ of its points either side:
//   1 one point beyond 3 σ               5 two of three beyond 2 σ on the same side
//   2 nine in a row on one side          6 four of five beyond 1 σ on the same side
//   3 six in a row rising or falling     7 fifteen in a row within 1 σ
//   4 fourteen in a row up and down      8 eight in a row beyond 1 σ, either side
// Each rule keeps a counter of its run or a window of its last few points, never the points
// themselves: a point costs the same whether it is the tenth or the millionth.
//
// Each point is judged against the limits in use when it comes. Limits from all records move
// a little with every record; what was judged is not judged again.
//
// A rule that fires forgets the points of its pattern, and its next alarm needs a whole new
// pattern: a shift of 30 points above the centre gives rule 2 on the 9th, 18th and 27th. An
// alarm on every point from the 9th on would bury the one message (the centre has moved) in
// a list as long as the shift, and a second kind of alarm in it would go unseen; one alarm
// per pattern still tells that the shift goes on.
//
// Where the zones end: a point is beyond k σ when strictly further from the centre; one on a
// limit is not beyond it, and a point is within 1 σ (rule 7) exactly when it is not beyond it
// (rule 8). A point on the centre is on neither side and ends a run on one (rule 2). Two equal
// points in a row neither rise nor fall: they end a trend (rule 3) and an alternation (4).

#include <array>
#include <cstdint>

#include "charts/control_limits.h"
#include "charts/rule_set.h"

namespace mensora {

// The rules one point fired, each with the number of the first point of its pattern, so
// that the window can name the stretch ("records 12–20").
class RuleHits {
public:
    bool any() const { return fired_ != 0; }
    bool fired(int rule) const { return (fired_ >> (rule - 1)) & 1u; }
    // Only for a rule that fired.
    std::uint32_t firstPoint(int rule) const { return firstPoints_[rule - 1]; }

    void add(int rule, std::uint32_t firstPoint);

private:
    std::uint8_t fired_ = 0;  // bit r - 1 for rule r
    std::array<std::uint32_t, kRuleCount> firstPoints_{};
};

class RunRules {
public:
    explicit RunRules(RuleSet watched = {}) : watched_(watched) {}

    // The next point, numbered from 1 in the order the points come: the watched rules whose
    // pattern it completes.
    RuleHits add(double point, const ControlLimits& limits);
    // After Clear, or when other limits are put in use: the patterns start over, from 1.
    void restart() { *this = RunRules(watched_); }

    std::uint32_t count() const { return count_; }

private:
    // The points of a run that ends at the newest one, and which way it goes: the side of
    // the centre (rule 2), or the step from the point before (rules 3 and 4).
    struct Run {
        std::uint32_t length = 0;
        int direction = 0;
    };

    // Which of the last few points lay beyond a zone on one side, bit 0 the newest.
    struct ZoneWindow {
        std::uint8_t bits = 0;
        // Adds the newest point. When `needed` of the last `width` lay beyond, forgets them and
        // gives the length of the pattern (from its first point to the newest), else 0.
        std::uint32_t push(bool beyond, unsigned width, int needed);
    };

    RuleSet watched_;
    std::uint32_t count_ = 0;
    double previous_ = 0.0;
    Run side_;
    Run trend_;
    Run alternation_;
    ZoneWindow aboveTwoSigma_;  // of the last three points
    ZoneWindow belowTwoSigma_;
    ZoneWindow aboveOneSigma_;  // of the last five points
    ZoneWindow belowOneSigma_;
    std::uint32_t withinOneSigma_ = 0;  // run length
    std::uint32_t beyondOneSigma_ = 0;
};

// The range chart watches rule 1 alone: a range beyond its upper or below its lower limit
// (a zero range is not below a lower limit of zero). `point` is the range's own number.
RuleHits rangeRuleHits(double range, std::uint32_t point, const ControlLimits& limits,
                       RuleSet watched);

}  // namespace mensora
