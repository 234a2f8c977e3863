#include "win/chart_bitmap.h"

#include <string>

#include "base/control_table.h"
#include "base/wide_text.h"
#include "win/gdi_canvas.h"

namespace mensora {

HFONT createChartsFont(int dpi) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(kDialogFontPoints, dpi, 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    const std::wstring face = wide(kDialogFontFace);
    lstrcpynW(font.lfFaceName, face.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&font);
}

HBITMAP drawnChart(HDC dc, HFONT font, SIZE size, int dpi, const ChartDrawing& draw) {
    const HDC memory = CreateCompatibleDC(dc);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, size.cx, size.cy);
    const HGDIOBJ formerBitmap = SelectObject(memory, bitmap);
    const HGDIOBJ formerFont = SelectObject(memory, font);
    SetGraphicsMode(memory, GM_ADVANCED);
    const FLOAT scale = static_cast<FLOAT>(dpi) / 96.0f;
    const XFORM magnified{scale, 0.0f, 0.0f, scale, 0.0f, 0.0f};
    SetWorldTransform(memory, &magnified);
    {
        GdiCanvas canvas(memory);
        draw(canvas, {0, 0, MulDiv(size.cx, 96, dpi), MulDiv(size.cy, 96, dpi)});
    }
    SelectObject(memory, formerFont);
    SelectObject(memory, formerBitmap);
    DeleteDC(memory);
    return bitmap;
}

void paintChart(HDC dc, HFONT font, const RECT& place, int dpi, const ChartDrawing& draw) {
    const SIZE size{place.right - place.left, place.bottom - place.top};
    if (size.cx <= 0 || size.cy <= 0) return;
    const HBITMAP picture = drawnChart(dc, font, size, dpi, draw);
    const HDC memory = CreateCompatibleDC(dc);
    const HGDIOBJ former = SelectObject(memory, picture);
    BitBlt(dc, place.left, place.top, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    SelectObject(memory, former);
    DeleteDC(memory);
    DeleteObject(picture);
}

}  // namespace mensora
