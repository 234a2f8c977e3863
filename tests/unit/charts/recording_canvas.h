#pragma once
// A canvas that keeps what was drawn on it, so that a test can ask where and in what colour.

#include <string>
#include <vector>

#include "charts/canvas.h"

namespace mensora::test {

class RecordingCanvas : public Canvas {
public:
    struct Line {
        Point from;
        Point to;
        Colour colour;
        Stroke stroke;
    };
    struct Fill {
        Rect rect;
        Colour colour;
    };
    struct Text {
        Point anchor;
        std::string text;
        Colour colour;
    };

    void line(Point from, Point to, Colour colour, Stroke stroke) override {
        lines.push_back({from, to, colour, stroke});
    }
    void polyline(std::span<const Point> points, Colour) override {
        polylines.emplace_back(points.begin(), points.end());
    }
    void fillRect(const Rect& rect, Colour colour) override { fills.push_back({rect, colour}); }
    void frameRect(const Rect& rect, Colour) override { frames.push_back(rect); }
    void text(Point anchor, std::string_view utf8, Colour colour, HorizontalAnchor,
              VerticalAnchor) override {
        texts.push_back({anchor, std::string(utf8), colour});
    }
    // Seven pixels a byte and one line height: enough for the layout to be exercised.
    TextSize measure(std::string_view utf8) override {
        return {7 * static_cast<int>(utf8.size()), lineHeight};
    }

    bool hasText(const std::string& wanted) const {
        for (const Text& t : texts) {
            if (t.text == wanted) return true;
        }
        return false;
    }

    int lineHeight = 14;  // 21 stands for a screen at 150 %
    std::vector<Line> lines;
    std::vector<std::vector<Point>> polylines;
    std::vector<Fill> fills;
    std::vector<Rect> frames;
    std::vector<Text> texts;
};

}  // namespace mensora::test
