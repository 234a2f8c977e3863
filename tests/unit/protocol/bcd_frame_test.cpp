#include "protocol/bcd_frame.h"

#include <gtest/gtest.h>

#include "tests/unit/protocol/frame_bytes.h"

namespace mensora::test {
namespace {

struct BcdCase {
    std::vector<std::uint8_t> frame;
    std::string text;
    std::string chars;  // all nine bytes of valueChars
    std::uint32_t valueBits;
    std::uint8_t places;
    bool dataKey;
};

TEST(BcdFrame, DecodesEveryWorkedExampleToTheByteAndTheBit) {
    const BcdCase cases[] = {
        // The fourth decimal is hidden when it is zero...
        {{0xAA, 0x50, 0x34, 0x12, 0x00}, " 12.345 ", " 12.345  ", 0x4145851f, 3, false},
        // ...and shown otherwise; the value keeps it (one bit above the nearest float).
        {{0xAA, 0x55, 0x34, 0x12, 0x00}, " 12.3455", " 12.3455 ", 0x4145872c, 3, false},
        // Only the zero tens digit is dropped, not the units digit.
        {{0xAA, 0x50, 0x34, 0x02, 0x02}, "-2.345 ", "-2.345   ", 0xc016147b, 3, false},
        {{0xAA, 0x00, 0x00, 0x00, 0x00}, " 0.000 ", " 0.000   ", 0x00000000, 3, false},
        {{0xAA, 0x55, 0x34, 0x12, 0x01}, " 1.23455", " 1.23455 ", 0x3f9e05bd, 5, false},
        {{0xAA, 0x55, 0x34, 0x12, 0x05}, " 1.23455", " 1.23455 ", 0x3f9e05bd, 5, true},
        // Negative with the fourth decimal shown, and a five-decimal zero keeps its units.
        {{0xAA, 0x55, 0x34, 0x12, 0x02}, "-12.3455", "-12.3455 ", 0xc145872c, 3, false},
        {{0xAA, 0x00, 0x00, 0x00, 0x01}, " 0.00000", " 0.00000 ", 0x00000000, 5, false},
    };
    for (const auto& c : cases) {
        const ReceiveBuffer buffer = bufferStartingWith(c.frame);
        const FrameBytes frame = frameOf(buffer, kBcdFrameLength);
        SCOPED_TRACE("frame text " + c.text);
        ASSERT_TRUE(bcdFrameValid(frame));
        const FrameReading reading = parseBcdFrame(frame);
        EXPECT_EQ(reading.valueText, c.text);
        EXPECT_EQ(charsOf(reading.valueChars), c.chars);
        EXPECT_EQ(bitsOf(reading.value), c.valueBits) << reading.value;
        EXPECT_EQ(reading.decimalPlaces, c.places);
        EXPECT_EQ(bcdFrameHasDataKey(frame), c.dataKey);
    }
}

TEST(BcdFrame, RejectsNibblesAboveNineAndFlagsFromEightOn) {
    struct Case {
        std::vector<std::uint8_t> frame;
        bool valid;
    };
    const Case cases[] = {
        {{0xAA, 0x50, 0x34, 0x12, 0x07}, true},  {{0xAA, 0x5A, 0x34, 0x12, 0x00}, false},
        {{0xAA, 0xA0, 0x34, 0x12, 0x00}, false}, {{0xAA, 0x50, 0x3F, 0x12, 0x00}, false},
        {{0xAA, 0x50, 0x34, 0xB2, 0x00}, false}, {{0xAA, 0x50, 0x34, 0x12, 0x08}, false},
        {{0xAA, 0x50, 0x34, 0x12, 0x10}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.frame));
        EXPECT_EQ(bcdFrameValid(frameOf(bufferStartingWith(c.frame), kBcdFrameLength)), c.valid);
    }
}

}  // namespace
}  // namespace mensora::test
