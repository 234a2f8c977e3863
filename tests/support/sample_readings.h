#pragma once
// Readings as a gauge at 0.001 mm gives them for a process that is centred near 12.345 with
// a spread of about 0.006: the same sequence on every run, for pictures and benchmarks.

#include <cmath>
#include <cstdint>
#include <random>

namespace mensora::test {

class SampleReadings {
public:
    explicit SampleReadings(std::uint32_t seed = 7) : engine_(seed) {}

    // The next reading, rounded to three places as the gauge shows it.
    float next() {
        const double drawn = centre_ + spread_(engine_);
        return static_cast<float>(std::round(drawn * 1000.0) / 1000.0);
    }

private:
    std::mt19937 engine_;
    std::normal_distribution<double> spread_{0.0, 0.006};
    double centre_ = 12.347;
};

}  // namespace mensora::test
