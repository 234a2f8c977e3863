// Opened for the first time, the charts window must hide neither the live reading nor any
// button of the main window: beside it where the screen has room, over the record list where
// it has not. Run once on each bench screen, 1366 x 768 and 1920 x 1080.

#include <QApplication>
#include <QScreen>
#include <gtest/gtest.h>

#include "base/control_ids.h"
#include "charts/chart_data.h"
#include "charts/charts_window_size.h"
#include "tests/integration/window_rig.h"
#include "ui/charts_window.h"

namespace mensora::test {
namespace {

QRect onScreen(const QWidget& widget) { return {widget.mapToGlobal(QPoint(0, 0)), widget.size()}; }

TEST(ChartsPlacement, OpensWhereItHidesNeitherTheLiveReadingNorTheButtons) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen->size();
    const bool wide = size == QSize(1920, 1080);
    ASSERT_TRUE(wide || size == QSize(1366, 768))
        << "a bench screen is expected, not " << size.width() << " x " << size.height();
    WindowRig rig;
    // Centred, as Windows puts the dialog and as window managers put a new window.
    const QRect work = screen->availableGeometry();
    rig.window.move(work.center() - rig.window.rect().center());
    showAndSettle(rig.window);

    ChartData data;
    RecordTraces traces(1);
    ControlChoice choice(rig.settings, rig.clock);
    AllRecordsChart source(data, rig.state, traces, choice);
    ChartsWindow charts(source, rig.state, rig.settings, &rig.window);
    charts.open();
    QApplication::processEvents();
    const QRect placed = charts.frameGeometry();

    EXPECT_TRUE(work.contains(placed));
    EXPECT_GE(charts.width(), kChartsLeastSize.width);
    EXPECT_GE(charts.height(), kChartsLeastSize.height);
    for (const int id : {LiveGroup, ConnectButton, ZeroButton, ClearButton, SaveButton,
                         ManualButton, AutoButton, ParametersButton}) {
        const auto* control = rig.window.findChild<QWidget*>(QString::number(id));
        ASSERT_NE(control, nullptr) << id;
        EXPECT_FALSE(placed.intersects(onScreen(*control))) << "control " << id << " is hidden";
    }
    // There is room beside the main window on the larger screen only.
    EXPECT_EQ(!placed.intersects(rig.window.frameGeometry()), wide);
}

}  // namespace
}  // namespace mensora::test
