#include "ui/charts_view.h"

#include <QPainter>

#include "ui/qt_canvas.h"

namespace mensora {

ChartsView::ChartsView(Draw draw, QWidget* parent) : QWidget(parent), draw_(std::move(draw)) {
    // Every pixel is painted by the chart; Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartsView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QtCanvas canvas(painter);
    draw_(canvas, {0, 0, width(), height()});
}

}  // namespace mensora
