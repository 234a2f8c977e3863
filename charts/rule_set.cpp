#include "charts/rule_set.h"

#include <charconv>

namespace mensora {
namespace {

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

void RuleSet::set(int rule, bool watched) {
    const auto bit = static_cast<std::uint8_t>(1u << (rule - 1));
    bits_ = static_cast<std::uint8_t>(watched ? bits_ | bit : bits_ & ~bit);
}

std::string RuleSet::text() const {
    std::string text;
    for (int rule = 1; rule <= kRuleCount; ++rule) {
        if (!contains(rule)) continue;
        if (!text.empty()) text += ',';
        text += static_cast<char>('0' + rule);
    }
    return text;
}

std::optional<RuleSet> RuleSet::fromText(std::string_view text) {
    RuleSet rules = none();
    if (trimmed(text).empty()) return rules;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view number = trimmed(text.substr(0, comma));
        int rule = 0;
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), rule);
        if (number.empty() || error != std::errc() || end != number.data() + number.size() ||
            rule < 1 || rule > kRuleCount) {
            return std::nullopt;
        }
        rules.set(rule, true);
        if (comma == std::string_view::npos) return rules;
        text.remove_prefix(comma + 1);
    }
}

}  // namespace mensora
