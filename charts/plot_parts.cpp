#include "charts/plot_parts.h"

#include <algorithm>

#include "charts/chart_style.h"
#include "charts/figure_text.h"

namespace mensora {

using namespace chart_style;

int drawTitle(Canvas& canvas, const Rect& area, std::string_view title) {
    canvas.fillRect(area, kBackground);
    canvas.text({area.left + kPadding, area.top + kPadding}, title, kText, HorizontalAnchor::Left,
                VerticalAnchor::Top);
    return canvas.measure(title).height;
}

std::vector<std::string> tickTexts(const Ticks& ticks) {
    std::vector<std::string> texts;
    texts.reserve(ticks.values.size());
    for (const double value : ticks.values) texts.push_back(fixedText(value, ticks.decimals));
    return texts;
}

int widestText(Canvas& canvas, const std::vector<std::string>& texts) {
    int widest = 0;
    for (const std::string& text : texts) widest = std::max(widest, canvas.measure(text).width);
    return widest;
}

void drawVerticalAxis(Canvas& canvas, const Rect& plot, const AxisScale& scale,
                      const Ticks& ticks) {
    const std::vector<std::string> texts = tickTexts(ticks);
    for (std::size_t i = 0; i < ticks.values.size(); ++i) {
        const int y = scale.pixel(ticks.values[i]);
        canvas.line({plot.left, y}, {plot.right() - 1, y}, kGrid, Stroke::Solid);
        canvas.line({plot.left - kTickLength, y}, {plot.left - 1, y}, kFrame, Stroke::Solid);
        canvas.text({plot.left - kTickLength - 2, y}, texts[i], kText, HorizontalAnchor::Right,
                    VerticalAnchor::Middle);
    }
}

void drawHorizontalAxis(Canvas& canvas, const Rect& plot, const AxisScale& scale,
                        const Ticks& ticks) {
    const std::vector<std::string> texts = tickTexts(ticks);
    for (std::size_t i = 0; i < ticks.values.size(); ++i) {
        const int x = scale.pixel(ticks.values[i]);
        canvas.line({x, plot.bottom()}, {x, plot.bottom() + kTickLength - 1}, kFrame,
                    Stroke::Solid);
        canvas.text({x, plot.bottom() + kTickLength + 1}, texts[i], kText, HorizontalAnchor::Centre,
                    VerticalAnchor::Top);
    }
}

void spreadLabels(std::vector<LineLabel>& labels, int extent, int low, int high) {
    if (labels.empty()) return;
    std::stable_sort(labels.begin(), labels.end(), [](const LineLabel& a, const LineLabel& b) {
        return a.position < b.position;
    });
    // Each label's centre at least `extent` past the one before, none above `low`...
    int floor = low + extent / 2;
    for (LineLabel& label : labels) {
        label.position = std::max(label.position, floor);
        floor = label.position + extent;
    }
    // ...then back from the far end, so that the last ones fit below `high` too.
    int ceiling = high - extent / 2;
    for (auto it = labels.rbegin(); it != labels.rend(); ++it) {
        it->position = std::min(it->position, ceiling);
        ceiling = it->position - extent;
    }
}

}  // namespace mensora
