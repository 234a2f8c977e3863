// A label's caption that cannot fit its box shows whole words only, from the end of a
// right-aligned label and from the start of any other: both front ends ask this one rule.
#include "base/caption_fitting.h"

#include <gtest/gtest.h>

namespace mensora {
namespace {

// Every character 7 pixels wide, as an ASCII caption in the dialog font.
int sevenEach(std::string_view line) { return static_cast<int>(line.size()) * 7; }

struct Fitting {
    const char* caption;
    bool fitsWrapped;
    bool alignRight;
    int boxWidth;
    const char* shown;
};

const Fitting kFittings[] = {
    {"Auto Sampling period", true, false, 56, "Auto Sampling period"},  // fits: shown whole
    {"Internal debug: E", false, true, 14, "E"},          // right-aligned: the last word
    {"Internal debug: E", false, false, 14, "Internal"},  // one word at least, even too long
    {"Internal debug: E", false, true, 140, "Internal debug: E"},
    {"Internal debug: E", false, true, 60, "debug: E"},    // 8 characters = 56 pixels
    {"Internal debug: E", false, false, 104, "Internal"},  // "Internal debug:" is 105 pixels
    {"Internal debug: E", false, false, 105, "Internal debug:"},
    {"   NG+", false, true, 14, "NG+"},       // leading blanks are no word
    {"a  b   c", false, false, 35, "a b c"},  // runs of blanks count as one
    {"", false, false, 10, ""},
};

TEST(CaptionFitting, ShowsTheWholeWordsThatFitOneLineFromTheAlignedEnd) {
    for (const Fitting& f : kFittings) {
        EXPECT_EQ(fittingCaption(f.caption, f.fitsWrapped, f.alignRight, f.boxWidth, sevenEach),
                  f.shown)
            << '"' << f.caption << "\" in " << f.boxWidth << " pixels";
    }
}

TEST(CaptionFitting, MeasuresTheJoinedLineNotTheWordsAlone) {
    // A measure that charges for the blank between words: the join decides, not the sum.
    const auto blanksCost = [](std::string_view line) {
        int width = 0;
        for (const char c : line) width += c == ' ' ? 50 : 1;
        return width;
    };
    EXPECT_EQ(fittingCaption("ab cd", false, false, 10, blanksCost), "ab");
    EXPECT_EQ(fittingCaption("ab cd", false, false, 54, blanksCost), "ab cd");
}

}  // namespace
}  // namespace mensora
