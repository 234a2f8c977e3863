#include "ui/window_fonts.h"

#include <QFontDatabase>
#include <QStringList>
#include <initializer_list>

#include "base/control_table.h"

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
    QFont font = fontOf(firstInstalled({kDialogFontFace, "SimSun", "Noto Serif CJK SC",
                                        "Source Han Serif SC", "AR PL UMing CN"}),
                        QFont::Serif);
    // Points to pixels as the platform rounds them: 10 points at 96 dots per inch is 13.
    font.setPixelSize((kDialogFontPoints * logicalDpi + 36) / 72);
    return font;
}

QFont displayFont() {
    // 黑体 draws every Latin letter and digit half as wide as a Chinese character; the mono
    // CJK faces do the same, so the reading's digits keep their places as it changes.
    QFont font = fontOf(firstInstalled({kDisplayFontFace, "SimHei", "Noto Sans Mono CJK SC",
                                        "Noto Sans CJK SC", "Source Han Sans SC",
                                        "WenQuanYi Zen Hei Mono", "WenQuanYi Zen Hei"}),
                        QFont::SansSerif);
    font.setPixelSize(kDisplayFontHeight);
    font.setBold(true);
    return font;
}

}  // namespace mensora
