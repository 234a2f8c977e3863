#include "ui/charts_view.h"

#include <QPainter>

#include "charts/charts_picture.h"
#include "ui/qt_canvas.h"

namespace mensora {

ChartsView::ChartsView(Inputs inputs, QWidget* parent)
    : QWidget(parent), inputs_(std::move(inputs)) {
    // Every pixel is painted by the charts; Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ChartsView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QtCanvas canvas(painter);
    drawCharts(canvas, {0, 0, width(), height()}, inputs_());
}

}  // namespace mensora
