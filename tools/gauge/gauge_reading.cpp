#include "tools/gauge/gauge_reading.h"

#include <algorithm>
#include <utility>

namespace mensora::gauge {

GaugeReading::GaugeReading(const FreeMotion& motion, std::uint32_t seed)
    : position_(motion.start), motion_(motion), base_(motion.start), random_(seed) {}

GaugeReading::GaugeReading(std::vector<ScriptStep> script)
    : position_(script.empty() ? 0.0 : script.front().reading), script_(std::move(script)) {}

void GaugeReading::nextFrame(double seconds) {
    if (followsScript()) {
        if (framesOfStep_ == script_[step_].frames) {
            step_ = (step_ + 1) % script_.size();
            framesOfStep_ = 0;
        }
        ++framesOfStep_;
        position_ = script_[step_].reading;
        return;
    }
    // A random walk in steps of up to a quarter of the wander, kept within the wander.
    if (motion_.wander > 0) {
        std::uniform_real_distribution<double> step(-motion_.wander / 4, motion_.wander / 4);
        wanderOffset_ = std::clamp(wanderOffset_ + step(random_), -motion_.wander, motion_.wander);
    }
    position_ = base_ + motion_.driftPerSecond * (seconds - baseSeconds_) + wanderOffset_;
}

bool GaugeReading::set(double reading, double seconds) {
    if (followsScript()) return false;
    base_ = reading + origin_;
    baseSeconds_ = seconds;
    wanderOffset_ = 0.0;
    position_ = base_;
    return true;
}

}  // namespace mensora::gauge
