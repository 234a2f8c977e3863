#pragma once
// How tall a line of type stands, from the face's own proportions: the cell of a font is its
// ascent and its descent, each rounded up to whole pixels as the platform's text metrics
// round them, without the gap a face may ask for between lines. The dialog's vertical unit
// and the large type of the live reading are both given as cells, so that they come out the
// same size on every machine that has the face, whatever its font engine's hinting does.

#include <cstdint>
#include <optional>
#include <span>

namespace mensora {

// A face's vertical proportions in its own design units; the descent counts downwards from
// the baseline and is never negative.
struct FaceProportions {
    int unitsPerEm;
    int ascent;
    int descent;
};

// The proportions from the face's font header ('head', for the em) and horizontal header
// ('hhea', for ascent and descent) tables, as the font file holds them. Nothing when a table
// is missing or too short, or the em is zero: a face without them cannot be measured.
std::optional<FaceProportions> readFaceProportions(std::span<const std::uint8_t> head,
                                                   std::span<const std::uint8_t> hhea);

// The cell height in pixels of the face at a pixel size (its em in pixels).
int cellHeight(const FaceProportions& face, int pixelSize);

// The largest pixel size whose cell is no taller than the given cell height; at least 1.
int pixelSizeForCell(const FaceProportions& face, int cell);

// A size in points at a resolution, in whole pixels, as the platform rounds it: 10 points
// at 96 dots per inch is 13 pixels.
int pointsToPixels(int points, int dotsPerInch);

// A height the template gives in pixels at 96 dots per inch, at another resolution, rounded
// to the nearest pixel: the large type grows with the dialog font on a denser screen.
int pixelsAtResolution(int pixelsAt96Dpi, int dotsPerInch);

}  // namespace mensora
