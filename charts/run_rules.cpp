#include "charts/run_rules.h"

#include <bit>

namespace mensora {
namespace {

int signOf(double difference) { return (difference > 0.0) - (difference < 0.0); }

// The points beyond a zone among the last five or fewer: counted from a table, since a
// processor without its own instruction for it (the programs are built for any x86-64)
// would count them in a library call on every point.
int beyondCount(unsigned bits) {
    constexpr std::uint8_t kCounts[32] = {0, 1, 1, 2, 1, 2, 2, 3, 1, 2, 2, 3, 2, 3, 3, 4,
                                          1, 2, 2, 3, 2, 3, 3, 4, 2, 3, 3, 4, 3, 4, 4, 5};
    return kCounts[bits & 31u];
}

}  // namespace

std::uint32_t RunRules::ZoneWindow::push(bool beyond, unsigned width, int needed) {
    const auto mask = (1u << width) - 1u;
    bits = static_cast<std::uint8_t>(((bits << 1) | unsigned{beyond}) & mask);
    if (beyondCount(bits) < needed) return 0;
    const auto length = static_cast<std::uint32_t>(std::bit_width(bits));
    bits = 0;
    return length;
}

void RuleHits::add(int rule, std::uint32_t firstPoint) {
    fired_ = static_cast<std::uint8_t>(fired_ | (1u << (rule - 1)));
    firstPoints_[rule - 1] = firstPoint;
}

RuleHits RunRules::add(double point, const ControlLimits& limits) {
    ++count_;
    RuleHits hits;
    const auto fire = [&](int rule, std::uint32_t length) {
        if (watched_.contains(rule)) hits.add(rule, count_ - length + 1);
    };
    const double centre = limits.centre;
    const double sigma = limits.pointSigma();
    const int step = count_ > 1 ? signOf(point - previous_) : 0;
    previous_ = point;

    if (point > limits.upper || point < limits.lower) fire(1, 1);

    const int side = signOf(point - centre);
    side_ = side == 0 ? Run{} : Run{side_.direction == side ? side_.length + 1 : 1, side};
    if (side_.length == 9) {
        fire(2, 9);
        side_ = {};
    }

    // A run that has just started (or was fired) has no step yet to go on from.
    if (trend_.length == 0 || step == 0) {
        trend_ = {1, 0};
    } else {
        trend_ = {trend_.direction == step ? trend_.length + 1 : 2, step};
    }
    if (trend_.length == 6) {
        fire(3, 6);
        trend_ = {};
    }

    if (alternation_.length == 0 || step == 0) {
        alternation_ = {1, 0};
    } else {
        alternation_ = {alternation_.direction == -step ? alternation_.length + 1 : 2, step};
    }
    if (alternation_.length == 14) {
        fire(4, 14);
        alternation_ = {};
    }

    const auto zone = [&](ZoneWindow& window, bool beyond, unsigned width, int needed, int rule) {
        if (const std::uint32_t length = window.push(beyond, width, needed)) fire(rule, length);
    };
    zone(aboveTwoSigma_, point > centre + 2.0 * sigma, 3, 2, 5);
    zone(belowTwoSigma_, point < centre - 2.0 * sigma, 3, 2, 5);
    zone(aboveOneSigma_, point > centre + sigma, 5, 4, 6);
    zone(belowOneSigma_, point < centre - sigma, 5, 4, 6);

    const bool beyondOne = point > centre + sigma || point < centre - sigma;
    withinOneSigma_ = beyondOne ? 0 : withinOneSigma_ + 1;
    if (withinOneSigma_ == 15) {
        fire(7, 15);
        withinOneSigma_ = 0;
    }
    beyondOneSigma_ = beyondOne ? beyondOneSigma_ + 1 : 0;
    if (beyondOneSigma_ == 8) {
        fire(8, 8);
        beyondOneSigma_ = 0;
    }
    return hits;
}

RuleHits rangeRuleHits(double range, std::uint32_t point, const ControlLimits& limits,
                       RuleSet watched) {
    RuleHits hits;
    if (watched.contains(1) && (range > limits.rangeUpper || range < limits.rangeLower)) {
        hits.add(1, point);
    }
    return hits;
}

}  // namespace mensora
