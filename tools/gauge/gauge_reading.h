#pragma once
// The reading the virtual gauge shows, frame by frame: either a position that drifts and
// wanders like a part under a caliper, or the readings of a script. Zeroing moves the origin to
// the present position, as a gauge's zero key does, so later readings are relative to it.

#include <cstdint>
#include <random>
#include <vector>

#include "tools/gauge/gauge_script.h"

namespace mensora::gauge {

struct FreeMotion {
    double start = 12.345;  // the first reading
    double driftPerSecond = 0.0;
    double wander = 0.003;  // the reading wanders at random within +/- this around its course
};

class GaugeReading {
public:
    GaugeReading(const FreeMotion& motion, std::uint32_t seed);
    explicit GaugeReading(std::vector<ScriptStep> script);

    // Moves on to the reading of the next frame; seconds is the time since the gauge started.
    void nextFrame(double seconds);
    double shown() const { return position_ - origin_; }

    void zero() { origin_ = position_; }
    // Makes the present reading the given one from now on; not while following a script.
    bool set(double reading, double seconds);
    bool followsScript() const { return !script_.empty(); }

private:
    double position_ = 0.0;
    double origin_ = 0.0;
    // Free motion: the course is base_ + drift since baseSeconds_; the wander is added to it.
    FreeMotion motion_;
    double base_ = 0.0;
    double baseSeconds_ = 0.0;
    double wanderOffset_ = 0.0;
    std::mt19937 random_;
    // Script: the step shown and how many frames have shown it.
    std::vector<ScriptStep> script_;
    std::size_t step_ = 0;
    std::uint32_t framesOfStep_ = 0;
};

}  // namespace mensora::gauge
