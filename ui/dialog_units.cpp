#include "ui/dialog_units.h"

#include <QByteArray>
#include <QFontMetrics>
#include <QRawFont>
#include <QString>
#include <span>

namespace mensora {
namespace {

std::span<const std::uint8_t> bytesOf(const QByteArray& table) {
    return {reinterpret_cast<const std::uint8_t*>(table.constData()),
            static_cast<std::size_t>(table.size())};
}

}  // namespace

std::optional<FaceProportions> faceProportions(const QFont& font) {
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid()) return std::nullopt;
    const QByteArray head = raw.fontTable("head");
    const QByteArray hhea = raw.fontTable("hhea");
    return readFaceProportions(bytesOf(head), bytesOf(hhea));
}

int fontCellHeight(const QFont& font) {
    if (const std::optional<FaceProportions> face = faceProportions(font)) {
        return cellHeight(*face, font.pixelSize());
    }
    const QFontMetrics metrics(font);
    return metrics.ascent() + metrics.descent();
}

DialogBaseUnits dialogBaseUnits(const QFont& font) {
    const QString letters = QString::fromLatin1(kAverageWidthLetters);
    double advance = 0;
    const QRawFont raw = QRawFont::fromFont(font);
    if (raw.isValid()) {
        // The advances the face designs, unhinted: the same at every scale of the screen.
        const QList<QPointF> advances = raw.advancesForGlyphIndexes(
            raw.glyphIndexesForString(letters), QRawFont::UseDesignMetrics);
        for (const QPointF& step : advances) advance += step.x();
    } else {
        advance = QFontMetricsF(font).horizontalAdvance(letters);
    }
    return mensora::dialogBaseUnits(advance, fontCellHeight(font));
}

QRect toPixels(const DialogRect& rect, DialogBaseUnits units) {
    const PixelRect pixels = toPixelRect(rect, units);
    return QRect(pixels.x, pixels.y, pixels.width, pixels.height);
}

}  // namespace mensora
