// The fixed-width texts of a record: these bytes go into the record files unchanged, so each
// is checked to the byte.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "measure/field_format.h"

namespace mensora {
namespace {

template <std::size_t N>
std::string asString(const std::array<char, N>& text) {
    return std::string(text.data(), N);
}

TEST(SequenceText, IsTheRecordNumberZeroFilledAndStopsAt999999) {
    struct Case {
        std::uint32_t number;
        const char* text;
    };
    const Case cases[] = {
        {1, "000001"},       {10, "000010"},      {12'345, "012345"},
        {999'998, "999998"}, {999'999, "999999"}, {1'000'000, "999999"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(asString(formatSequence(c.number)), c.text);
    }
}

struct DeviationCase {
    float deviation;
    std::uint8_t places;
    const char* text;
};

void expectDeviations(const DeviationCase* begin, const DeviationCase* end) {
    for (const DeviationCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(testing::Message() << c->deviation << " at " << int{c->places} << " places");
        EXPECT_EQ(asString(formatDeviation(c->deviation, c->places)), c->text);
    }
}

TEST(DeviationText, MatchesEveryWorkedExampleAtThreeAndFivePlaces) {
    const DeviationCase cases[] = {
        {0.012f, 3, "   0.012"},
        {-1.5f, 3, "  -1.500"},
        {12.3456f, 3, "  12.346"},
        {-10.05f, 3, " -10.050"},
        {-105.5f, 3, "-105.500"},
        {-123.4f, 3, "-123.400"},
        {0.0f, 3, "   0.000"},
        {-0.0004f, 3, "  -0.000"},
        {0.01234f, 5, " 0.01234"},
        {-1.5f, 5, "-1.50000"},
        {12.34567f, 5, " 12.3456"},
        {9.999995f, 5, " 10.0000"},
        // a zero tens digit behind a hundreds digit is written, and a carry reaches it
        {100.5f, 3, " 100.500"},
        {-99.9996f, 3, "-100.000"},
        {999.999f, 3, " 999.999"},
        {0.5f, 0, "       1"},
    };
    expectDeviations(std::begin(cases), std::end(cases));
}

// Gauges that send two decimals, four, or none get a text of their own places, never the
// leftovers of an earlier reading.
TEST(DeviationText, OtherPlaceCountsUseTheSameRightAlignedLayout) {
    const DeviationCase cases[] = {
        {12.5f, 0, "      13"},
        {-0.4f, 0, "      -0"},
        {1234567.0f, 0, " 1234567"},
        {-1234567.0f, 0, "-1234567"},
        {-2.25f, 1, "    -2.3"},
        {0.125f, 2, "    0.13"},
        {-9999.994f, 2, "-9999.99"},
        {1.23456f, 4, "  1.2346"},
        {-0.00004f, 4, " -0.0000"},
        // six and seven places never fit behind a sign, a digit and the point
        {0.1234567f, 6, " 0.12345"},
        {-1.5f, 7, "-1.50000"},
    };
    expectDeviations(std::begin(cases), std::end(cases));
}

// Where the integer digits need more room the text gives up decimals, so every digit shown
// is a true digit of the deviation; beyond seven digits the largest number the field holds.
TEST(DeviationText, TooLargeForItsLayoutDropsDecimalsThenShowsTheLargestValue) {
    const float infinity = std::numeric_limits<float>::infinity();
    const DeviationCase cases[] = {
        {999.9996f, 3, " 1000.00"},  {-1234.5678f, 3, "-1234.56"}, {56789.0f, 3, " 56789.0"},
        {9999999.0f, 3, " 9999999"}, {12345678.0f, 3, " 9999999"}, {-1e30f, 3, "-9999999"},
        {99.999992f, 5, " 99.9999"}, {123.456789f, 5, " 123.456"}, {-5000.0f, 5, "-5000.00"},
        {12345.678f, 2, " 12345.6"}, {infinity, 3, " 9999999"},    {-infinity, 5, "-9999999"},
    };
    expectDeviations(std::begin(cases), std::end(cases));
}

// Whatever the deviation and the gauge's places: blanks, then the sign (or a blank), the
// digits with at most one point, ending in a digit. No character outside these.
TEST(DeviationText, IsAlwaysBlanksSignAndDigitsWhateverTheInput) {
    const float magnitudes[] = {0.0f,   1e-8f, 0.0004f, 0.5f, 0.99999f,   9.5f, 99.99996f,
                                999.9f, 1e4f,  1e5f,    1e6f, 9999999.4f, 1e7f, 3e38f};
    for (std::uint8_t places = 0; places <= 12; ++places) {
        for (const float magnitude : magnitudes) {
            for (const float deviation : {magnitude, -magnitude}) {
                const std::string text = asString(formatDeviation(deviation, places));
                SCOPED_TRACE(testing::Message()
                             << deviation << " at " << int{places} << ": \"" << text << "\"");
                const std::size_t first = text.find_first_not_of(' ');
                ASSERT_NE(first, std::string::npos);
                const bool negative = std::signbit(deviation) && deviation != 0.0f;
                EXPECT_EQ(text[first] == '-', negative);
                const std::size_t digitsFrom = negative ? first + 1 : first;
                ASSERT_LT(digitsFrom, text.size());
                EXPECT_NE(text.find_first_of("0123456789", digitsFrom), std::string::npos);
                EXPECT_EQ(text.find_first_not_of("0123456789.", digitsFrom), std::string::npos);
                EXPECT_LE(std::count(text.begin(), text.end(), '.'), 1);
                EXPECT_NE(text[digitsFrom], '.');
                EXPECT_NE(text.back(), '.');
            }
        }
    }
}

TEST(TimeStampText, PutsEveryPartInItsFixedPositionsWithLeadingZeros) {
    struct Case {
        LocalDateTime time;
        const char* text;
    };
    const Case cases[] = {
        {{2024, 3, 5, 8, 7, 6}, "2024-03-05; 08:07:06"},
        {{2019, 11, 29, 13, 52, 30}, "2019-11-29; 13:52:30"},
        {{2026, 12, 31, 23, 59, 59}, "2026-12-31; 23:59:59"},
        {{999, 1, 1, 0, 0, 0}, "0999-01-01; 00:00:00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(asString(formatTimeStamp(c.time)), c.text);
    }
}

TEST(VerdictTexts, RecordHoldsFourBytesAndListShowsTheWordOfTheLanguage) {
    struct Case {
        Verdict verdict;
        std::int32_t language;
        const char* recordBytes;
        const char* listText;
    };
    const Case cases[] = {
        {Verdict::Ok, 1, "\xBA\xCF\xB8\xF1", "合格"},
        {Verdict::OverUpper, 1, "\xB3\xAC\xB2\xEE", "超差"},
        {Verdict::UnderLower, 1, "\xB3\xAC\xB2\xEE", "超差"},
        {Verdict::Ok, 2, " OK ", "OK"},
        {Verdict::OverUpper, 2, " NG ", "NG"},
        {Verdict::UnderLower, 2, " NG ", "NG"},
        // a stored language other than 2 is Chinese
        {Verdict::Ok, 3, "\xBA\xCF\xB8\xF1", "合格"},
        {Verdict::UnderLower, 0, "\xB3\xAC\xB2\xEE", "超差"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.verdict) << " in language " << c.language);
        EXPECT_EQ(asString(verdictRecordText(c.verdict, languageOf(c.language))), c.recordBytes);
        EXPECT_STREQ(verdictListText(c.verdict, languageOf(c.language)), c.listText);
    }
}

}  // namespace
}  // namespace mensora
