// Numbers in the window's fields: the same text on every machine, whatever the user's locale.

#include "base/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

namespace mensora {
namespace {

struct FloatText {
    float value;
    const char* text;
};

const FloatText kFloatTexts[] = {
    {2.0f, "2"},
    {2.5f, "2.5"},
    {0.02f, "0.02"},
    {-0.015f, "-0.015"},
    {2.0f / 3.0f, "0.666667"},
    {12.345f, "12.345"},
    {999999.0f, "999999"},
    {1234567.0f, "1.23457e+06"},
    {0.0001f, "0.0001"},
    {0.00001f, "1e-05"},
    {0.0f, "0"},
};

TEST(NumberText, FloatsShowSixSignificantDigitsWithoutTrailingZeros) {
    for (const FloatText& c : kFloatTexts) {
        EXPECT_EQ(formatFloat(c.value), c.text) << c.text;
    }
}

TEST(NumberText, CountsShowInPlainDecimal) {
    EXPECT_EQ(formatUnsigned(0), "0");
    EXPECT_EQ(formatUnsigned(4294967295u), "4294967295");
    EXPECT_EQ(formatSigned(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(formatSigned(1523), "1523");
}

struct FloatEntry {
    const char* typed;
    std::optional<float> value;
};

const FloatEntry kFloatEntries[] = {
    {"2.5", 2.5f},          {"  2.5\t", 2.5f},      {"-1", -1.0f},          {"+3", 3.0f},
    {".5", 0.5f},           {"1e3", 1000.0f},       {"0.02", 0.02f},        {"abc", std::nullopt},
    {"", std::nullopt},     {" \t ", std::nullopt}, {"2.5x", std::nullopt}, {"2,5", std::nullopt},
    {"2 5", std::nullopt},  {"--1", std::nullopt},  {"+-1", std::nullopt},  {"nan", std::nullopt},
    {"inf", std::nullopt},  {"1e39", std::nullopt},  // beyond what a float field holds
    {"0x10", std::nullopt},
};

TEST(NumberText, AFloatFieldTakesANumberBetweenBlanksAndNothingElse) {
    for (const FloatEntry& c : kFloatEntries) {
        EXPECT_EQ(parseFloat(c.typed), c.value) << '"' << c.typed << '"';
    }
}

struct IntegerEntry {
    const char* typed;
    std::optional<std::int64_t> asUnsigned;
    std::optional<std::int64_t> asSigned;
};

const IntegerEntry kIntegerEntries[] = {
    {"200", 200, 200},
    {" 7 \t", 7, 7},
    {"-5", std::nullopt, -5},
    {"+5", std::nullopt, 5},
    {"abc", std::nullopt, std::nullopt},
    {"", std::nullopt, std::nullopt},
    {"1.5", std::nullopt, std::nullopt},
    {"4294967295", 4294967295, std::nullopt},
    {"4294967296", std::nullopt, std::nullopt},
    {"2147483647", 2147483647, 2147483647},
    {"-2147483648", std::nullopt, -2147483648LL},
    {"-2147483649", std::nullopt, std::nullopt},
    {"--1", std::nullopt, std::nullopt},
    {"1 2", std::nullopt, std::nullopt},
};

template <typename Int>
std::optional<std::int64_t> widened(std::optional<Int> value) {
    if (!value) return std::nullopt;
    return static_cast<std::int64_t>(*value);
}

TEST(NumberText, AnUnsignedFieldRefusesSignsAndTheSignedFieldKeepsToItsRange) {
    for (const IntegerEntry& c : kIntegerEntries) {
        EXPECT_EQ(widened(parseUnsigned(c.typed)), c.asUnsigned) << '"' << c.typed << '"';
        EXPECT_EQ(widened(parseSigned(c.typed)), c.asSigned) << '"' << c.typed << '"';
    }
}

TEST(NumberText, ASignAfterAPlusIsNotANumber) {
    EXPECT_EQ(parseFloat("+-1"), std::nullopt);
    EXPECT_EQ(parseUnsigned("+-1"), std::nullopt);
    EXPECT_EQ(parseSigned("+-1"), std::nullopt);
    EXPECT_EQ(parseSigned("-+1"), std::nullopt);
}

struct FixedCase {
    double value;
    int decimals;
    const char* text;
};

TEST(NumberText, FixedPlacesInEveryLocaleAndNoNegativeZero) {
    const FixedCase cases[] = {
        {2.125, 2, "2.12"},  // 2.125 is exact: ties go to even, as the C library prints
        {12.34567, 4, "12.3457"},  {-0.004, 2, "0.00"},  {-0.006, 2, "-0.01"},
        {1234567.5, 0, "1234568"}, {0.0, 6, "0.000000"},
    };
    for (const FixedCase& c : cases) EXPECT_EQ(fixedText(c.value, c.decimals), c.text) << c.value;
}

// Switches the C library to a locale for the life of the object and back to "C" after.
class CLocale {
public:
    explicit CLocale(const char* name) : active_(std::setlocale(LC_ALL, name) != nullptr) {}
    ~CLocale() { std::setlocale(LC_ALL, "C"); }
    CLocale(const CLocale&) = delete;
    CLocale& operator=(const CLocale&) = delete;
    bool active() const { return active_; }

private:
    bool active_;
};

// The C library's name for German as used in Germany: Windows names its locales differently.
#ifdef _WIN32
constexpr const char* kGerman = "German_Germany.1252";
#else
constexpr const char* kGerman = "de_DE.UTF-8";
#endif

TEST(NumberText, AGermanLocaleChangesNeitherWhatFieldsShowNorWhatTheyRead) {
    // A Qt program takes the C library's locale from the environment; a bench PC set up in
    // German must still show "2.5" and read it back.
    const CLocale german(kGerman);
    ASSERT_TRUE(german.active()) << "the locale " << kGerman
                                 << " is not generated on this machine (scripts/setup does it)";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%g", 2.5);
    ASSERT_STREQ(probe, "2,5") << "the locale in force does not write a decimal comma";

    EXPECT_EQ(formatFloat(2.5f), "2.5");
    EXPECT_EQ(formatFloat(1234567.0f), "1.23457e+06");
    EXPECT_EQ(parseFloat("2.5"), 2.5f);
    EXPECT_EQ(parseFloat(" 0.02\t"), 0.02f);
    EXPECT_EQ(parseFloat("2,5"), std::nullopt);
    EXPECT_EQ(parseUnsigned("1000"), 1000u);
}

}  // namespace
}  // namespace mensora
