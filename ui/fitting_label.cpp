#include "ui/fitting_label.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "base/caption_fitting.h"

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
    const QFontMetrics metrics = fontMetrics();
    const std::string shown = fittingCaption(
        text().toStdString(), false, (alignment() & Qt::AlignRight) != 0, contentsRect().width(),
        [&metrics](std::string_view line) {
            return metrics.horizontalAdvance(
                QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
        });
    return QString::fromStdString(shown);
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
