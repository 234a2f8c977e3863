#include "tools/gauge/gauge_console.h"

#include <optional>

#include "tools/gauge/gauge_numbers.h"

namespace mensora::gauge {
namespace {

std::string_view trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t\r";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

std::vector<ConsoleCommand> ConsoleInput::take(std::string_view text) {
    pending_.append(text);
    std::vector<ConsoleCommand> commands;
    for (auto end = pending_.find('\n'); end != std::string::npos; end = pending_.find('\n')) {
        const std::string_view line = trimmed(std::string_view(pending_).substr(0, end));
        if (!line.empty()) commands.push_back(parseConsoleLine(line));
        pending_.erase(0, end + 1);
    }
    return commands;
}

ConsoleCommand parseConsoleLine(std::string_view line) {
    using Kind = ConsoleCommand::Kind;
    line = trimmed(line);
    if (line == "k") return {Kind::PressKey};
    if (line == "z") return {Kind::Zero};
    if (line == "q") return {Kind::Quit};
    if (line.starts_with("v ")) {
        if (const std::optional<double> reading = parseDecimal(trimmed(line.substr(2)))) {
            return {Kind::SetReading, *reading};
        }
    }
    return {Kind::Unknown};
}

}  // namespace mensora::gauge
