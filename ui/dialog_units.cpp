#include "ui/dialog_units.h"

#include <QFontMetrics>
#include <QString>

namespace mensora {
namespace {

// value × base ÷ divisor, rounded half up (the units are never negative).
int scaled(int value, int base, int divisor) { return (value * base + divisor / 2) / divisor; }

}  // namespace

DialogBaseUnits dialogBaseUnits(const QFont& font) {
    static const QString kLetters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QFontMetrics metrics(font);
    const int total = metrics.horizontalAdvance(kLetters);
    const int letters = static_cast<int>(kLetters.size());
    return {(total + letters / 2) / letters, metrics.height()};
}

QRect toPixels(const DialogRect& rect, DialogBaseUnits units) {
    return QRect(scaled(rect.x, units.x, 4), scaled(rect.y, units.y, 8),
                 scaled(rect.width, units.x, 4), scaled(rect.height, units.y, 8));
}

}  // namespace mensora
