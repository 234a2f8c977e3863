#pragma once
// A script of readings for the virtual gauge: one "READING [FRAMES]" a line, the reading held
// for FRAMES frames (1 when left out); "#" starts a comment; blank lines are skipped.

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace mensora::gauge {

struct ScriptStep {
    double reading = 0.0;
    std::uint32_t frames = 1;
};

// The steps in order. A line that is not a reading and an optional positive frame count, or a
// script without any reading, gives no steps and a reason in error ("line 3: ...").
std::vector<ScriptStep> readScript(std::istream& text, std::string& error);

}  // namespace mensora::gauge
