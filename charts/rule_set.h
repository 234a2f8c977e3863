#pragma once
// Which of Nelson's eight run rules are watched, as a plan or the settings keep them: a text
// of the rules' numbers in order, such as "1,2,5,6".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mensora {

inline constexpr int kRuleCount = 8;

class RuleSet {
public:
    // Rules 1, 2, 5 and 6 watched: a point beyond the limits, a shifted centre, and the two
    // zone tests that see a shift early. Rules 3, 4, 7 and 8 look for a trend, over-adjusting
    // and mixed streams of parts; on a sound process they add false alarms, so they are
    // watched when someone asks for them.
    constexpr RuleSet() = default;
    static constexpr RuleSet none() { return RuleSet(0); }
    static constexpr RuleSet all() { return RuleSet(0b1111'1111); }

    // `rule` is 1..kRuleCount.
    bool contains(int rule) const { return (bits_ >> (rule - 1)) & 1u; }
    void set(int rule, bool watched);

    // "1,2,5,6"; "" for none.
    std::string text() const;
    // Numbers 1..8 between commas, in any order, blanks allowed; empty for anything else.
    static std::optional<RuleSet> fromText(std::string_view text);

    bool operator==(const RuleSet&) const = default;

private:
    explicit constexpr RuleSet(std::uint8_t bits) : bits_(bits) {}
    std::uint8_t bits_ = 0b0011'0011;  // bit r - 1 for rule r
};

}  // namespace mensora
