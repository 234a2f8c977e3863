#include "base/font_cell.h"

#include <algorithm>
#include <cstdlib>

namespace mensora {
namespace {

int readSigned16(std::span<const std::uint8_t> table, std::size_t offset) {
    return static_cast<std::int16_t>(
        static_cast<std::uint16_t>(table[offset] << 8 | table[offset + 1]));
}

int readUnsigned16(std::span<const std::uint8_t> table, std::size_t offset) {
    return table[offset] << 8 | table[offset + 1];
}

// value × pixels ÷ em, rounded up; in 64 bits, since a large type on a dense screen must not
// overflow the product.
int roundedUp(int value, int pixelSize, int unitsPerEm) {
    const std::int64_t product = std::int64_t{value} * pixelSize;
    return static_cast<int>((product + unitsPerEm - 1) / unitsPerEm);
}

}  // namespace

std::optional<FaceProportions> readFaceProportions(std::span<const std::uint8_t> head,
                                                   std::span<const std::uint8_t> hhea) {
    // head: unitsPerEm at byte 18; hhea: ascender at 4, descender (negative) at 6.
    if (head.size() < 20 || hhea.size() < 8) return std::nullopt;
    const int unitsPerEm = readUnsigned16(head, 18);
    if (unitsPerEm == 0) return std::nullopt;
    // A few faces write their descender as a positive number; it always counts downwards.
    return FaceProportions{unitsPerEm, std::max(0, readSigned16(hhea, 4)),
                           std::abs(readSigned16(hhea, 6))};
}

int cellHeight(const FaceProportions& face, int pixelSize) {
    return roundedUp(face.ascent, pixelSize, face.unitsPerEm) +
           roundedUp(face.descent, pixelSize, face.unitsPerEm);
}

int pixelSizeForCell(const FaceProportions& face, int cell) {
    const int tall = face.ascent + face.descent;
    if (tall <= 0) return std::max(1, cell);
    // The cell grows with the size and overshoots the exact proportion by at most two pixels
    // of rounding, so the answer lies at or just below cell × em ÷ (ascent + descent).
    int size = std::max(1, static_cast<int>(std::int64_t{cell} * face.unitsPerEm / tall));
    while (size > 1 && cellHeight(face, size) > cell) --size;
    while (cellHeight(face, size + 1) <= cell) ++size;
    return size;
}

int pointsToPixels(int points, int dotsPerInch) { return (points * dotsPerInch + 36) / 72; }

int pixelsAtResolution(int pixelsAt96Dpi, int dotsPerInch) {
    return (pixelsAt96Dpi * dotsPerInch + 48) / 96;
}

}  // namespace mensora
