#pragma once
// The virtual gauge's command line.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/gauge/gauge_frames.h"
#include "tools/gauge/gauge_reading.h"

namespace mensora::gauge {

struct GaugeOptions {
    FrameFormat format;
    std::uint32_t baud = 9600;  // the gauge's own line rate
    double framesPerSecond = 10.0;
    FreeMotion motion;
    std::string scriptPath;      // when set, the readings follow this script instead
    std::uint32_t keyEvery = 0;  // the data key goes with every Nth frame; 0: only on demand
    std::string linkPath;
    bool quiet = false;
    std::optional<std::uint32_t> seed;  // of the wander and the line noise; random when absent
};

struct CommandLine {
    enum class Outcome { Run, Help, Invalid };
    Outcome outcome = Outcome::Run;
    GaugeOptions options;
    std::string error;  // for Invalid
};

// The arguments after the program's name.
CommandLine parseCommandLine(const std::vector<std::string_view>& arguments);

std::string_view usageText();

}  // namespace mensora::gauge
