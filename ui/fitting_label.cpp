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

const FittingLabel::Fit& FittingLabel::fit() const {
    const QRect box = contentsRect();
    if (fit_.measured && fit_.caption == text() && fit_.box == box && fit_.font == font() &&
        fit_.alignment == alignment()) {
        return fit_;
    }
    fit_ = {text(), box, font(), alignment(), false, text(), true};
    const QFontMetrics metrics = fontMetrics();
    const QRect needed = metrics.boundingRect(box, Qt::TextWordWrap | alignment(), text());
    fit_.fits = needed.width() <= box.width() && needed.height() <= box.height();
    if (!fit_.fits) {
        fit_.shown = QString::fromStdString(
            fittingCaption(text().toStdString(), false, (alignment() & Qt::AlignRight) != 0,
                           box.width(), [&metrics](std::string_view line) {
                               return metrics.horizontalAdvance(QString::fromUtf8(
                                   line.data(), static_cast<qsizetype>(line.size())));
                           }));
    }
    return fit_;
}

QString FittingLabel::shownText() const { return fit().shown; }

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
