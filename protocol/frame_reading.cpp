#include "protocol/frame_reading.h"

namespace mensora {

void FrameReading::show(char c) {
    if (shown_ >= valueChars.size()) return;
    valueChars[shown_++] = c;
    valueText.push_back(c);
}

float accumulateDigit(float accumulator, unsigned digit) {
    // Both steps are exact in double; each cast is the one rounding the step is allowed.
    const float times10 = static_cast<float>(static_cast<double>(accumulator) * 10.0);
    return static_cast<float>(static_cast<double>(times10) + static_cast<double>(digit));
}

float scaleByTenths(float accumulator, unsigned count, bool negative) {
    // The single-precision tenth (0x3DCCCCCD), not the double 0.1: stored values must keep
    // the bit patterns the records and judgements have always been made from.
    constexpr double kTenth = static_cast<double>(0.1f);
    double product = accumulator;
    for (unsigned i = 0; i < count; ++i) product *= kTenth;
    return static_cast<float>(negative ? -product : product);
}

}  // namespace mensora
