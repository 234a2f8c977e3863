#include "ui/fitting_label.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QStringList>
#include <QToolTip>

namespace mensora {

FittingLabel::FittingLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
}

bool FittingLabel::captionFits() const {
    const QRect box = contentsRect();
    const QRect needed = fontMetrics().boundingRect(box, Qt::TextWordWrap | alignment(), text());
    return needed.width() <= box.width() && needed.height() <= box.height();
}

QString FittingLabel::shownText() const {
    if (captionFits()) return text();
    const QStringList words = text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const bool fromEnd = (alignment() & Qt::AlignRight) != 0;
    const int width = contentsRect().width();
    QString shown;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words.at(fromEnd ? words.size() - 1 - i : i);
        const QString longer =
            shown.isEmpty() ? word : (fromEnd ? word + QLatin1Char(' ') + shown
                                              : shown + QLatin1Char(' ') + word);
        if (!shown.isEmpty() && fontMetrics().horizontalAdvance(longer) > width) break;
        shown = longer;
    }
    return shown;
}

void FittingLabel::paintEvent(QPaintEvent* event) {
    if (captionFits()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), static_cast<int>(alignment()), shownText());
}

bool FittingLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty() && !captionFits()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        return true;
    }
    return QLabel::event(event);
}

}  // namespace mensora
