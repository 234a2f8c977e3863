#include "win/gdi_canvas.h"

#include <string>
#include <vector>

#include "base/wide_text.h"

namespace mensora {
namespace {

COLORREF gdiColour(Colour colour) { return RGB(colour.red, colour.green, colour.blue); }

}  // namespace

GdiCanvas::GdiCanvas(HDC dc)
    : dc_(dc),
      formerPen_(GetCurrentObject(dc, OBJ_PEN)),
      formerBackground_(SetBkMode(dc, TRANSPARENT)) {}

GdiCanvas::~GdiCanvas() {
    SelectObject(dc_, formerPen_);
    SetBkMode(dc_, formerBackground_);
    for (const auto& [key, pen] : pens_) DeleteObject(pen);
    for (const auto& [key, brush] : brushes_) DeleteObject(brush);
}

void GdiCanvas::usePen(Colour colour, Stroke stroke) {
    const auto key = std::make_tuple(colour.red, colour.green, colour.blue, stroke);
    auto found = pens_.find(key);
    if (found == pens_.end()) {
        const HPEN pen =
            CreatePen(stroke == Stroke::Dashed ? PS_DASH : PS_SOLID, 1, gdiColour(colour));
        found = pens_.emplace(key, pen).first;
    }
    SelectObject(dc_, found->second);
}

HBRUSH GdiCanvas::brush(Colour colour) {
    const auto key = std::make_tuple(colour.red, colour.green, colour.blue);
    auto found = brushes_.find(key);
    if (found == brushes_.end()) {
        found = brushes_.emplace(key, CreateSolidBrush(gdiColour(colour))).first;
    }
    return found->second;
}

void GdiCanvas::line(Point from, Point to, Colour colour, Stroke stroke) {
    usePen(colour, stroke);
    MoveToEx(dc_, from.x, from.y, nullptr);
    LineTo(dc_, to.x, to.y);
    // GDI leaves a line's last pixel out; the canvas draws both ends.
    if (stroke == Stroke::Solid) SetPixelV(dc_, to.x, to.y, gdiColour(colour));
}

void GdiCanvas::polyline(std::span<const Point> points, Colour colour) {
    if (points.size() < 2) return;
    std::vector<POINT> shape;
    shape.reserve(points.size());
    for (const Point& point : points) shape.push_back({point.x, point.y});
    usePen(colour, Stroke::Solid);
    Polyline(dc_, shape.data(), static_cast<int>(shape.size()));
}

void GdiCanvas::fillRect(const Rect& rect, Colour colour) {
    if (rect.width <= 0 || rect.height <= 0) return;
    const RECT area{rect.left, rect.top, rect.right(), rect.bottom()};
    FillRect(dc_, &area, brush(colour));
}

void GdiCanvas::frameRect(const Rect& rect, Colour colour) {
    if (rect.width <= 0 || rect.height <= 0) return;
    const RECT area{rect.left, rect.top, rect.right(), rect.bottom()};
    FrameRect(dc_, &area, brush(colour));
}

void GdiCanvas::text(Point anchor, std::string_view utf8, Colour colour,
                     HorizontalAnchor horizontal, VerticalAnchor vertical) {
    const std::wstring shown = wide(utf8);
    SIZE size{};
    GetTextExtentPoint32W(dc_, shown.c_str(), static_cast<int>(shown.size()), &size);
    int x = anchor.x;
    if (horizontal == HorizontalAnchor::Centre) x -= size.cx / 2;
    if (horizontal == HorizontalAnchor::Right) x -= size.cx;
    int y = anchor.y;
    if (vertical == VerticalAnchor::Middle) y -= size.cy / 2;
    if (vertical == VerticalAnchor::Bottom) y -= size.cy;
    SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    SetTextColor(dc_, gdiColour(colour));
    TextOutW(dc_, x, y, shown.c_str(), static_cast<int>(shown.size()));
}

TextSize GdiCanvas::measure(std::string_view utf8) {
    const std::wstring shown = wide(utf8);
    SIZE size{};
    GetTextExtentPoint32W(dc_, shown.c_str(), static_cast<int>(shown.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    return {static_cast<int>(size.cx), static_cast<int>(metrics.tmHeight)};
}

}  // namespace mensora
