#include "ui/qt_canvas.h"

#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <algorithm>
#include <cstdlib>

namespace mensora {
namespace {

QColor qtColour(Colour colour) { return QColor(colour.red, colour.green, colour.blue); }

QString qtText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter) : painter_(painter), metrics_(painter.font()) {
    // Pixel-exact strokes, as GDI draws them; only the curve is smoothed.
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

void QtCanvas::usePen(Colour colour, Stroke stroke) {
    if (pen_ && pen_->first == colour && pen_->second == stroke) return;
    painter_.setPen(
        QPen(qtColour(colour), 0, stroke == Stroke::Dashed ? Qt::DashLine : Qt::SolidLine));
    pen_.emplace(colour, stroke);
}

void QtCanvas::line(Point from, Point to, Colour colour, Stroke stroke) {
    // A solid line along a pixel row or column is a rectangle one pixel thick, which the
    // raster engine fills many times faster than it strokes a line: a run chart of many
    // records is a line per pixel column.
    if (stroke == Stroke::Solid && (from.x == to.x || from.y == to.y)) {
        const int left = std::min(from.x, to.x);
        const int top = std::min(from.y, to.y);
        painter_.fillRect(left, top, std::abs(to.x - from.x) + 1, std::abs(to.y - from.y) + 1,
                          qtColour(colour));
        return;
    }
    usePen(colour, stroke);
    painter_.drawLine(from.x, from.y, to.x, to.y);
}

void QtCanvas::polyline(std::span<const Point> points, Colour colour) {
    QPolygon polygon(static_cast<int>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) {
        polygon.setPoint(static_cast<int>(i), points[i].x, points[i].y);
    }
    painter_.setPen(QPen(qtColour(colour), 1.2));
    pen_.reset();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.drawPolyline(polygon);
    painter_.setRenderHint(QPainter::Antialiasing, false);
}

void QtCanvas::fillRect(const Rect& rect, Colour colour) {
    painter_.fillRect(rect.left, rect.top, rect.width, rect.height, qtColour(colour));
}

void QtCanvas::frameRect(const Rect& rect, Colour colour) {
    if (rect.width <= 0 || rect.height <= 0) return;
    usePen(colour, Stroke::Solid);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(rect.left, rect.top, rect.width - 1, rect.height - 1);
}

void QtCanvas::text(Point anchor, std::string_view utf8, Colour colour, HorizontalAnchor horizontal,
                    VerticalAnchor vertical) {
    const QString shown = qtText(utf8);
    int x = anchor.x;
    const int width = metrics_.horizontalAdvance(shown);
    if (horizontal == HorizontalAnchor::Centre) x -= width / 2;
    if (horizontal == HorizontalAnchor::Right) x -= width;
    int baseline = anchor.y + metrics_.ascent();
    if (vertical == VerticalAnchor::Middle)
        baseline = anchor.y + (metrics_.ascent() - metrics_.descent()) / 2;
    if (vertical == VerticalAnchor::Bottom) baseline = anchor.y - metrics_.descent();
    usePen(colour, Stroke::Solid);
    painter_.drawText(x, baseline, shown);
}

TextSize QtCanvas::measure(std::string_view utf8) {
    return {metrics_.horizontalAdvance(qtText(utf8)), metrics_.height()};
}

}  // namespace mensora
