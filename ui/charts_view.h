#pragma once
// The run chart above the histogram, drawn by the core's layout onto a QPainter.

#include <QWidget>
#include <functional>

#include "charts/chart_inputs.h"

namespace mensora {

class ChartsView : public QWidget {
public:
    using Inputs = std::function<ChartInputs()>;
    ChartsView(Inputs inputs, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Inputs inputs_;
};

}  // namespace mensora
