#pragma once
// What the charts are drawn on: a few primitives in whole pixels that every painter has
// (QPainter on Linux, GDI on Windows). The charts are laid out and coloured by the core; a
// front end only carries the strokes out. Coordinates grow right and down from the top left.

#include <cstdint>
#include <span>
#include <string_view>

namespace mensora {

struct Colour {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    friend bool operator==(const Colour&, const Colour&) = default;
};

struct Point {
    int x;
    int y;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
    int left;
    int top;
    int width;
    int height;
    int right() const { return left + width; }   // one past the last column
    int bottom() const { return top + height; }  // one past the last row
};

struct TextSize {
    int width;
    int height;
};

// A dashed stroke is one pixel wide, as GDI draws dashes only at that width.
enum class Stroke : std::uint8_t { Solid, Dashed };

// Where a text stands relative to its anchor point.
enum class HorizontalAnchor : std::uint8_t { Left, Centre, Right };
enum class VerticalAnchor : std::uint8_t { Top, Middle, Bottom };

class Canvas {
public:
    virtual ~Canvas() = default;

    // Both end points are drawn.
    virtual void line(Point from, Point to, Colour colour, Stroke stroke) = 0;
    virtual void polyline(std::span<const Point> points, Colour colour) = 0;
    virtual void fillRect(const Rect& rect, Colour colour) = 0;
    // The outline just inside the rectangle.
    virtual void frameRect(const Rect& rect, Colour colour) = 0;
    // One line of UTF-8 text in the canvas's font.
    virtual void text(Point anchor, std::string_view utf8, Colour colour,
                      HorizontalAnchor horizontal, VerticalAnchor vertical) = 0;
    virtual TextSize measure(std::string_view utf8) = 0;
};

}  // namespace mensora
