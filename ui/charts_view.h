#pragma once
// A widget whose every pixel a chart of the core draws onto a QPainter: the quality charts, or
// a gauge study's readings.

#include <QWidget>
#include <functional>

#include "charts/canvas.h"

namespace mensora {

class ChartsView : public QWidget {
public:
    using Draw = std::function<void(Canvas& canvas, const Rect& area)>;
    ChartsView(Draw draw, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Draw draw_;
};

}  // namespace mensora
