#include "tools/gauge/gauge_script.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "tools/gauge/gauge_numbers.h"

namespace mensora::gauge {
namespace {

// The blank-separated words of a line, without its comment.
std::vector<std::string_view> wordsOf(std::string_view line) {
    line = line.substr(0, line.find('#'));
    std::vector<std::string_view> words;
    constexpr std::string_view kBlanks = " \t\r";
    for (auto start = line.find_first_not_of(kBlanks); start != std::string_view::npos;
         start = line.find_first_not_of(kBlanks, start)) {
        const auto end = std::min(line.find_first_of(kBlanks, start), line.size());
        words.push_back(line.substr(start, end - start));
        start = end;
    }
    return words;
}

}  // namespace

std::vector<ScriptStep> readScript(std::istream& text, std::string& error) {
    std::vector<ScriptStep> steps;
    std::string line;
    for (int number = 1; std::getline(text, line); ++number) {
        const std::vector<std::string_view> words = wordsOf(line);
        if (words.empty()) continue;
        const std::optional<double> reading = parseDecimal(words[0]);
        const std::optional<std::uint32_t> frames =
            words.size() > 1 ? parseCount(words[1]) : std::optional<std::uint32_t>(1);
        if (!reading || !frames || *frames == 0 || words.size() > 2) {
            error = "line " + std::to_string(number) +
                    ": expected a reading and a frame count, got \"" + line + "\"";
            return {};
        }
        steps.push_back({*reading, *frames});
    }
    if (steps.empty()) error = "no readings";
    return steps;
}

}  // namespace mensora::gauge
