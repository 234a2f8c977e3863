#pragma once
// The charts' canvas on a GDI device context: one pen per colour and stroke and one brush
// per colour, made on first use and kept for the drawing, since a chart of many records
// strokes hundreds of lines in a few colours. Text is drawn in the font selected into the
// context, on a transparent background.

#include <windows.h>

#include <map>
#include <tuple>

#include "charts/canvas.h"

namespace mensora {

class GdiCanvas final : public Canvas {
public:
    explicit GdiCanvas(HDC dc);
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    void line(Point from, Point to, Colour colour, Stroke stroke) override;
    void polyline(std::span<const Point> points, Colour colour) override;
    void fillRect(const Rect& rect, Colour colour) override;
    void frameRect(const Rect& rect, Colour colour) override;
    void text(Point anchor, std::string_view utf8, Colour colour, HorizontalAnchor horizontal,
              VerticalAnchor vertical) override;
    TextSize measure(std::string_view utf8) override;

private:
    void usePen(Colour colour, Stroke stroke);
    HBRUSH brush(Colour colour);

    HDC dc_;
    HGDIOBJ formerPen_;
    int formerBackground_;
    std::map<std::tuple<std::uint8_t, std::uint8_t, std::uint8_t, Stroke>, HPEN> pens_;
    std::map<std::tuple<std::uint8_t, std::uint8_t, std::uint8_t>, HBRUSH> brushes_;
};

}  // namespace mensora
