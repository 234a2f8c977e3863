#pragma once
// The charts' canvas on a QPainter: the window's chart view and the saved picture.

#include <QFontMetrics>
#include <optional>
#include <utility>

#include "charts/canvas.h"

class QPainter;

namespace mensora {

class QtCanvas : public Canvas {
public:
    // The painter's font at the time is the canvas's font.
    explicit QtCanvas(QPainter& painter);

    void line(Point from, Point to, Colour colour, Stroke stroke) override;
    void polyline(std::span<const Point> points, Colour colour) override;
    void fillRect(const Rect& rect, Colour colour) override;
    void frameRect(const Rect& rect, Colour colour) override;
    void text(Point anchor, std::string_view utf8, Colour colour, HorizontalAnchor horizontal,
              VerticalAnchor vertical) override;
    TextSize measure(std::string_view utf8) override;

private:
    // Setting a pen costs more than a short line: it is set only when it changes.
    void usePen(Colour colour, Stroke stroke);

    QPainter& painter_;
    std::optional<std::pair<Colour, Stroke>> pen_;
    QFontMetrics metrics_;
};

}  // namespace mensora
