#include "protocol/ascii_frame.h"

#include <gtest/gtest.h>

#include "tests/unit/protocol/frame_bytes.h"

namespace mensora::test {
namespace {

struct AsciiCase {
    std::string frame;
    std::string text;
    std::string chars;  // all nine bytes of valueChars
    std::uint32_t valueBits;
    std::uint8_t places;
};

void expectDecodes(const AsciiCase& c) {
    SCOPED_TRACE("frame " + c.frame);
    const ReceiveBuffer buffer = bufferStartingWith(c.frame);
    const std::uint32_t length = asciiFrameLength(buffer);
    ASSERT_TRUE(asciiFrameValid(frameOf(buffer, length)));
    const FrameReading reading = parseAsciiFrame(frameOf(buffer, length));
    EXPECT_EQ(reading.valueText, c.text);
    EXPECT_EQ(charsOf(reading.valueChars), c.chars);
    EXPECT_EQ(bitsOf(reading.value), c.valueBits) << reading.value;
    EXPECT_EQ(reading.decimalPlaces, c.places);
}

// The readings users have always seen and recorded; the value bits are what the records and
// the OK/NG judgement are made from.
TEST(AsciiFrame, DecodesEveryWorkedExampleToTheByteAndTheBit) {
    const AsciiCase cases[] = {
        {"+0012.345\r", "12.345", "12.345   ", 0x4145851f, 3},
        {"-0012.345\r", "-12.345", "-12.345  ", 0xc145851f, 3},
        {"+0000.000\r", "0.000", "0.000    ", 0x00000000, 3},
        // 0x3f9e05bd, one bit above the float nearest 1.23455: the scaling is by the
        // single-precision tenth, in double.
        {"+01.23455\r", "1.23455", "1.23455  ", 0x3f9e05bd, 5},
        {"-1234.567\r", "-1234.567", "-1234.567", 0xc49a5225, 3},
        {"+0012.345\rS\r", "12.345", "12.345   ", 0x4145851f, 3},
    };
    for (const auto& c : cases) expectDecodes(c);
}

// Frames a gauge should not send still show what they hold, within nine characters.
TEST(AsciiFrame, ShowsOddFramesHonestlyWithinNineCharacters) {
    const AsciiCase cases[] = {
        {"+00000000\r", "0", "0        ", 0x00000000, 0},
        {"-00000000\r", "-0", "-0       ", 0x80000000, 0},
        {"-0000.000\r", "-0.000", "-0.000   ", 0x80000000, 3},
        {"+.1234567\r", "0.1234567", "0.1234567", 0x3dfcd6e0, 7},
        {"-.1234567\r", "-.1234567", "-.1234567", 0xbdfcd6e0, 7},
        // A carriage return or "S" before the first digit is a filling zero.
        {"+00\r12.34\r", "12.34", "12.34    ", 0x414570a4, 2},
        {"+000S.123\r", "0.123", "0.123    ", 0x3dfbe76d, 3},
        {"+\r\r\r\r\r\r\r\r\r", "0", "0        ", 0x00000000, 0},
        // Behind the first digit it stays in the text and counts as a zero in the value.
        {"+12\r4.567\r", "12\r4.567", "12\r4.567 ", 0x44969225, 3},
        // With two points the last one sets the places.
        {"+1.2.3456\r", "1.2.3456", "1.2.3456 ", 0x41458795, 4},
    };
    for (const auto& c : cases) expectDecodes(c);
}

TEST(AsciiFrame, FrameWithoutPointIsAWholeNumber) {
    expectDecodes({"+00012345\r", "12345", "12345    ", 0x4640e400, 0});
}

// 33573415 summed digit by digit in single precision ends at 33573412, not at the float
// nearest 33573415 (33573416): the accumulator rounds after every step.
TEST(AsciiFrame, AccumulatesEightDigitsInSinglePrecisionStepByStep) {
    expectDecodes({"+33573415\r", "33573415", "33573415 ", 0x4c001289, 0});
}

TEST(AsciiFrame, LengthIsTwelveOnlyWhenByteTenIsTheDataKey) {
    EXPECT_EQ(asciiFrameLength(bufferStartingWith("+0012.345\rS\r")), 12u);
    EXPECT_EQ(asciiFrameLength(bufferStartingWith("+0012.345\r")), 10u);
    EXPECT_EQ(asciiFrameLength(bufferStartingWith("+0012.345\r+0012.345\r")), 10u);
}

TEST(AsciiFrame, AcceptsOnlyDigitsPointsCarriageReturnsAndDataKeysAfterTheSign) {
    struct Case {
        std::string frame;
        bool valid;
    };
    const Case cases[] = {
        {"+0012.345\r", true},
        {"+0012.345\rS\r", true},
        {"+0012.3A5\r", false},
        {"+0012 345\r", false},
        {"+0012.345-", false},
        {"+0012.345\rS", false},  // the trailer's carriage return is still missing (zero)
        {"+0012.345\rSX", false},
        {"+0012..45S", true},  // neither the points nor byte 9 are checked
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("frame " + c.frame);
        const ReceiveBuffer buffer = bufferStartingWith(c.frame);
        EXPECT_EQ(asciiFrameValid(frameOf(buffer, asciiFrameLength(buffer))), c.valid);
    }
}

TEST(AsciiFrame, DataKeyNeedsTheWholeTrailer) {
    EXPECT_TRUE(asciiFrameHasDataKey(frameOf(bufferStartingWith("+0012.345\rS\r"), 12)));
    EXPECT_FALSE(asciiFrameHasDataKey(frameOf(bufferStartingWith("+0012.345\r"), 10)));
    EXPECT_FALSE(asciiFrameHasDataKey(frameOf(bufferStartingWith("+0012.345\rS5"), 12)));
}

}  // namespace
}  // namespace mensora::test
