#pragma once
// Pieces both charts are made of: the title, the value axis with its grid, and labels beside
// reference lines that must not overlap one another.

#include <string>
#include <string_view>
#include <vector>

#include "charts/axis_scale.h"
#include "charts/canvas.h"

namespace mensora {

// Clears the area and writes the title in its top left corner; returns the text height.
int drawTitle(Canvas& canvas, const Rect& area, std::string_view title);

// The ticks' texts, each with the ticks' decimals.
std::vector<std::string> tickTexts(const Ticks& ticks);
int widestText(Canvas& canvas, const std::vector<std::string>& texts);

// Grid lines across the plot and the tick texts left of it, right-aligned.
void drawVerticalAxis(Canvas& canvas, const Rect& plot, const AxisScale& scale, const Ticks& ticks);
// Tick marks below the plot with their texts centred under them.
void drawHorizontalAxis(Canvas& canvas, const Rect& plot, const AxisScale& scale,
                        const Ticks& ticks);

struct LineLabel {
    int position;  // the line's pixel across the axis the labels stack along
    std::string text;
    Colour colour;
};

// Moves labels apart along one axis so that no two of `extent` pixels overlap, keeping
// their order and staying within [low, high] as far as there is room.
void spreadLabels(std::vector<LineLabel>& labels, int extent, int low, int high);

}  // namespace mensora
