#include "ui/fitting_field.h"

#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionFrame>

#include "base/text_fit.h"

namespace mensora {
namespace {

// What QLineEdit keeps free inside its contents rectangle, on each side.
constexpr int kHorizontalMargin = 2;
constexpr int kVerticalMargin = 1;
// The text cursor stands one pixel past the last character.
constexpr int kCursorWidth = 1;

}  // namespace

FittingField::FittingField(QWidget* parent) : QLineEdit(parent), full_(font()) {
    connect(this, &QLineEdit::textChanged, this, [this] { fit(); });
}

void FittingField::setFullFont(const QFont& font) {
    full_ = font;
    fit();
}

QRect FittingField::textRoom() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents = style()
                               ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
                               .marginsRemoved(textMargins());
    return contents.adjusted(kHorizontalMargin, kVerticalMargin, -kHorizontalMargin - kCursorWidth,
                             -kVerticalMargin);
}

void FittingField::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    fit();
}

void FittingField::fit() {
    if (full_.pixelSize() <= 0) return;  // every font of the window is sized in pixels
    const QRect room = textRoom();
    const QString shown = text();
    const int size = largestSizeThatFits(full_.pixelSize(), [&](int pixelSize) {
        QFont smaller = full_;
        smaller.setPixelSize(pixelSize);
        const QFontMetrics metrics(smaller);
        return metrics.horizontalAdvance(shown) <= room.width() &&
               metrics.height() <= room.height();
    });
    QFont chosen = full_;
    chosen.setPixelSize(size);
    if (chosen != font()) setFont(chosen);
}

}  // namespace mensora
