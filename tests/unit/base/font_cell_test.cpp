// Cells and sizes of type from a face's own proportions. A wrong cell makes the whole window
// taller or shorter than the bench screen; a wrong display size cuts the live reading.

#include "base/font_cell.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "base/text_fit.h"

namespace mensora {
namespace {

// Proportions as the faces installed with the program give them in their tables.
constexpr FaceProportions kUming{1024, 917, 155};     // AR PL UMing CN
constexpr FaceProportions kNotoCjk{1000, 1160, 288};  // Noto Sans (Mono) CJK SC
constexpr FaceProportions kDejaVu{2048, 1901, 483};   // DejaVu Sans

struct CellCase {
    FaceProportions face;
    int pixelSize;
    int cell;
};

TEST(FontCell, AscentAndDescentAreEachRoundedUpToWholePixels) {
    const CellCase cases[] = {
        {kUming, 13, 14},      // 11.64 + 1.97: the cell of 宋体 at 10 points
        {kNotoCjk, 13, 20},    // 15.08 + 3.74
        {kNotoCjk, 48, 70},    // 55.68 + 13.82
        {kNotoCjk, 49, 72},    // 56.84 + 14.11
        {kDejaVu, 13, 17},     // 12.07 + 3.07
        {kUming, 1024, 1072},  // whole units stay whole
    };
    for (const CellCase& c : cases) {
        EXPECT_EQ(cellHeight(c.face, c.pixelSize), c.cell)
            << c.face.unitsPerEm << " @" << c.pixelSize;
    }
}

TEST(FontCell, TheSizeForACellIsTheLargestWhoseCellIsNoTaller) {
    EXPECT_EQ(pixelSizeForCell(kNotoCjk, 70), 48);
    EXPECT_EQ(pixelSizeForCell(kUming, 14), 13);
    EXPECT_EQ(pixelSizeForCell(kNotoCjk, 1), 1);
    for (const FaceProportions& face : {kUming, kNotoCjk, kDejaVu}) {
        for (int cell = 4; cell <= 300; ++cell) {
            const int size = pixelSizeForCell(face, cell);
            EXPECT_LE(cellHeight(face, size), cell) << face.unitsPerEm << " cell " << cell;
            EXPECT_GT(cellHeight(face, size + 1), cell) << face.unitsPerEm << " cell " << cell;
        }
    }
}

// A font file's two tables with only the fields that are read filled in.
std::array<std::uint8_t, 54> headTable(std::uint16_t unitsPerEm) {
    std::array<std::uint8_t, 54> head{};
    head[18] = static_cast<std::uint8_t>(unitsPerEm >> 8);
    head[19] = static_cast<std::uint8_t>(unitsPerEm & 0xFF);
    return head;
}
std::array<std::uint8_t, 36> hheaTable(std::int16_t ascender, std::int16_t descender) {
    std::array<std::uint8_t, 36> hhea{};
    const auto put = [&hhea](std::size_t at, std::int16_t value) {
        const auto bits = static_cast<std::uint16_t>(value);
        hhea[at] = static_cast<std::uint8_t>(bits >> 8);
        hhea[at + 1] = static_cast<std::uint8_t>(bits & 0xFF);
    };
    put(4, ascender);
    put(6, descender);
    put(8, 6);  // a line gap: never part of the cell
    return hhea;
}

TEST(FontCell, TheProportionsAreReadFromTheFontHeaderAndHorizontalHeader) {
    const auto head = headTable(1024);
    const auto hhea = hheaTable(917, -155);
    const std::optional<FaceProportions> face = readFaceProportions(head, hhea);
    ASSERT_TRUE(face.has_value());
    EXPECT_EQ(face->unitsPerEm, 1024);
    EXPECT_EQ(face->ascent, 917);
    EXPECT_EQ(face->descent, 155);

    // A descender written as a positive number still counts downwards.
    const auto positive = hheaTable(1160, 288);
    EXPECT_EQ(readFaceProportions(headTable(1000), positive)->descent, 288);
}

TEST(FontCell, AFaceWithoutUsableTablesCannotBeMeasured) {
    const auto head = headTable(1000);
    const auto hhea = hheaTable(880, -120);
    const auto noEm = headTable(0);
    EXPECT_FALSE(readFaceProportions({}, hhea).has_value());
    EXPECT_FALSE(readFaceProportions(head, {}).has_value());
    EXPECT_FALSE(readFaceProportions(std::span(head).first(19), hhea).has_value());
    EXPECT_FALSE(readFaceProportions(head, std::span(hhea).first(7)).has_value());
    EXPECT_FALSE(readFaceProportions(noEm, hhea).has_value());
}

TEST(FontCell, PointsAndTemplatePixelsFollowTheResolution) {
    struct Case {
        int dpi;
        int dialogPixels;  // 10 points
        int displayCell;   // 70 pixels at 96 dots per inch
    };
    const Case cases[] = {
        {96, 13, 70}, {120, 17, 88}, {144, 20, 105}, {192, 27, 140}, {72, 10, 53}};
    for (const Case& c : cases) {
        EXPECT_EQ(pointsToPixels(10, c.dpi), c.dialogPixels) << c.dpi;
        EXPECT_EQ(pixelsAtResolution(70, c.dpi), c.displayCell) << c.dpi;
    }
}

TEST(TextFit, TheTypeShrinksOnlyAsFarAsTheTextNeeds) {
    // A text of ten characters, each 0.5 em wide, in 60 pixels of room.
    const auto tenHalfWidths = [](int size) { return size * 10 / 2 <= 60; };
    EXPECT_EQ(largestSizeThatFits(13, tenHalfWidths), 12);
    EXPECT_EQ(largestSizeThatFits(11, tenHalfWidths), 11);
    EXPECT_EQ(largestSizeThatFits(48, [](int size) { return size * 9 / 2 <= 310; }), 48);
    EXPECT_EQ(largestSizeThatFits(13, [](int) { return false; }), 1);

    std::vector<int> tried;
    largestSizeThatFits(13, [&tried](int size) {
        tried.push_back(size);
        return size <= 10;
    });
    EXPECT_EQ(tried, (std::vector<int>{13, 12, 11, 10})) << "from the full size down, one by one";
}

}  // namespace
}  // namespace mensora
