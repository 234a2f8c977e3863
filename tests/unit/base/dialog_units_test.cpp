// Dialog units as the platform maps them. A unit one pixel too large makes the window taller
// than a bench's 1366 × 768 screen; a wrong rounding moves controls against each other.

#include "base/dialog_units.h"

#include <gtest/gtest.h>

#include <string_view>

namespace mensora {
namespace {

TEST(DialogUnits, TheHorizontalUnitIsTheLettersAverageRoundedHalfUp) {
    struct Case {
        double average;  // of the 52 letters
        int cell;
        DialogBaseUnits units;
    };
    const Case cases[] = {
        {6.5, 14, {7, 14}},  // half-width letters of a 13-pixel Ming face, as 宋体
        {6.49, 14, {6, 14}},
        {7.52, 20, {8, 20}},  // a proportional CJK sans face
        {8.15, 19, {8, 19}},
    };
    for (const Case& c : cases) {
        const DialogBaseUnits units = dialogBaseUnits(c.average * kAverageWidthLetterCount, c.cell);
        EXPECT_EQ(units.x, c.units.x) << c.average;
        EXPECT_EQ(units.y, c.units.y) << c.average;
    }
    EXPECT_EQ(std::string_view(kAverageWidthLetters).size(),
              static_cast<std::size_t>(kAverageWidthLetterCount));
}

TEST(DialogUnits, RectanglesAreConvertedCoordinateByCoordinateToTheNearestPixel) {
    struct Case {
        DialogRect units;
        PixelRect pixels;
    };
    const DialogBaseUnits songti{7, 14};
    const Case cases[] = {
        {{0, 0, kDialogWidthUnits, kDialogHeightUnits}, {0, 0, 907, 606}},  // the client area
        {{268, 40, 177, 49}, {469, 70, 310, 86}},                           // the live reading
        {{300, 153, 37, 12}, {525, 268, 65, 21}},                           // the average
        {{480, 255, 16, 9}, {840, 446, 28, 16}},
        {{1, 1, 1, 1}, {2, 2, 2, 2}},  // halves round up
    };
    for (const Case& c : cases) {
        const PixelRect got = toPixelRect(c.units, songti);
        EXPECT_EQ(got.x, c.pixels.x) << c.units.x;
        EXPECT_EQ(got.y, c.pixels.y) << c.units.y;
        EXPECT_EQ(got.width, c.pixels.width) << c.units.width;
        EXPECT_EQ(got.height, c.pixels.height) << c.units.height;
    }
}

TEST(DialogUnits, TheMinimumTrackingSizeHoldsForTheWholeWindowFrameIncluded) {
    struct Case {
        PixelSize frame;
        PixelSize client;
    };
    const Case cases[] = {
        {{0, 0}, {918, 599}},    // no frame yet: the client alone
        {{16, 39}, {902, 560}},  // a frame with borders and a caption bar
        {{2000, 700}, {0, 0}},   // never a negative size
    };
    for (const Case& c : cases) {
        const PixelSize client = minimumClientSize(c.frame);
        EXPECT_EQ(client.width, c.client.width) << c.frame.width;
        EXPECT_EQ(client.height, c.client.height) << c.frame.height;
    }
}

}  // namespace
}  // namespace mensora
