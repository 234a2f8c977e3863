// The record area follows the window's height; nothing is lost to minimising, and shrinking
// and enlarging again brings the list back to where it was, but for whole-pixel truncation.

#include "base/resize_rule.h"

#include <gtest/gtest.h>

namespace mensora {
namespace {

TEST(ResizeRule, TheFirstSizeChangeOnlyRecordsTheHeight) {
    ResizeRule rule;
    EXPECT_FALSE(rule.sizeChanged(822, false));
    const auto stretch = rule.sizeChanged(822, false);
    ASSERT_TRUE(stretch);
    EXPECT_EQ(stretch->bottom(787), 787);
}

struct Proportion {
    int from;
    int to;
    int bottom;
    int expected;
};

const Proportion kProportions[] = {
    {822, 599, 787, 573},  // 787 × 599 = 471413, ÷ 822 = 573.49
    {599, 822, 573, 786},  // 573 × 822 = 471006, ÷ 599 = 786.32
    {2, 3, 3, 4},          // the product first: 9 ÷ 2, not 3 ÷ 2 × 3
    {3, 2, 5, 3},          // 10 ÷ 3 truncated
    {600, 1200, 300, 600}, {100000, 99999, 100000, 99999},  // a product beyond 32 bits
};

TEST(ResizeRule, TheBottomMovesByTheRatioOfHeightsWithTheProductFirstAndTruncated) {
    for (const Proportion& p : kProportions) {
        ResizeRule rule;
        rule.sizeChanged(p.from, false);
        const auto stretch = rule.sizeChanged(p.to, false);
        ASSERT_TRUE(stretch);
        EXPECT_EQ(stretch->bottom(p.bottom), p.expected) << p.from << " -> " << p.to;
    }
}

TEST(ResizeRule, ShrinkingToTheMinimumAndBackReturnsTheBottomUpToTruncation) {
    const int full = 822;
    const int smallest = 599;
    for (int bottom = 150; bottom <= full; ++bottom) {
        ResizeRule rule;
        rule.sizeChanged(full, false);
        const int shrunk = rule.sizeChanged(smallest, false)->bottom(bottom);
        const int back = rule.sizeChanged(full, false)->bottom(shrunk);
        // Each step truncates by less than a pixel of its own scale.
        EXPECT_LE(back, bottom);
        EXPECT_LE(bottom - back, full / smallest + 1) << bottom;
    }
}

TEST(ResizeRule, MinimisingAndRestoringLeavesTheControlsWhereTheyWere) {
    ResizeRule rule;
    rule.sizeChanged(822, false);
    // While minimised the platform reports no usable height: nothing moves, nothing is kept.
    EXPECT_FALSE(rule.sizeChanged(0, true));
    const auto restored = rule.sizeChanged(822, false);
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->bottom(787), 787);
}

TEST(ResizeRule, AWindowWithNoHeightIsNeverDividedBy) {
    ResizeRule rule;
    rule.sizeChanged(822, false);
    ASSERT_TRUE(rule.sizeChanged(0, false));
    EXPECT_FALSE(rule.sizeChanged(600, false));
    const auto next = rule.sizeChanged(900, false);
    ASSERT_TRUE(next);
    EXPECT_EQ(next->bottom(600), 900);
}

TEST(ResizeRule, AStretchedControlKeepsItsTopAndMovesItsBottomEdge) {
    // The record list at 124..574 in an 822-high client shrunk to 599: its bottom edge (one
    // past the last row) goes to 574 x 599 / 822 = 418.27, so 294 high from its top.
    const Stretch stretch(822, 599);
    EXPECT_EQ(stretch.height(124, 450), 418 - 124);
    EXPECT_EQ(stretch.height(0, 822), 599);
}

}  // namespace
}  // namespace mensora
