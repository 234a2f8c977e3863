#pragma once
// Commands typed to the running gauge, one a line: "k" data key, "z" zero, "v MM" set the
// reading, "q" quit.

#include <string>
#include <string_view>
#include <vector>

namespace mensora::gauge {

struct ConsoleCommand {
    enum class Kind { PressKey, Zero, SetReading, Quit, Unknown };
    Kind kind = Kind::Unknown;
    double reading = 0.0;  // for SetReading
};

// Collects typed text into lines; the text may arrive in any pieces.
class ConsoleInput {
public:
    // The commands of the lines the text completes; blank lines give none.
    std::vector<ConsoleCommand> take(std::string_view text);

private:
    std::string pending_;
};

ConsoleCommand parseConsoleLine(std::string_view line);

}  // namespace mensora::gauge
