#include "ui/window_fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <initializer_list>
#include <optional>

#include "base/control_table.h"
#include "base/font_cell.h"
#include "ui/dialog_units.h"

namespace mensora {
namespace {

// The first face of the list the machine has; empty when it has none of them.
QString firstInstalled(std::initializer_list<const char*> faces) {
    const QStringList installed = QFontDatabase::families();
    for (const char* face : faces) {
        const QString name = QString::fromUtf8(face);
        if (installed.contains(name, Qt::CaseInsensitive)) return name;
    }
    return {};
}

QFont fontOf(const QString& face, QFont::StyleHint fallback) {
    QFont font;
    if (face.isEmpty()) {
        font.setStyleHint(fallback);
    } else {
        font.setFamily(face);
    }
    return font;
}

}  // namespace

QFont dialogFont(int logicalDpi) {
    QFont font = fontOf(firstInstalled({kDialogFontFace, "SimSun", "AR PL UMing CN",
                                        "Noto Serif CJK SC", "Source Han Serif SC"}),
                        QFont::Serif);
    font.setPixelSize(pointsToPixels(kDialogFontPoints, logicalDpi));
    return font;
}

QFont displayFont(int logicalDpi) {
    // 黑体 draws every Latin letter and digit half as wide as a Chinese character; the mono
    // CJK faces do the same, so the reading's digits keep their places as it changes.
    QFont font = fontOf(firstInstalled({kDisplayFontFace, "SimHei", "Noto Sans Mono CJK SC",
                                        "Source Han Sans SC", "WenQuanYi Zen Hei Mono"}),
                        QFont::Monospace);
    font.setBold(true);
    const int cell = pixelsAtResolution(kDisplayFontHeight, logicalDpi);
    font.setPixelSize(cell);
    if (const std::optional<FaceProportions> face = faceProportions(font)) {
        font.setPixelSize(pixelSizeForCell(*face, cell));
    }
    return font;
}

}  // namespace mensora
