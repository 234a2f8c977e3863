// The charts window's own behaviour: Save writes the picture where the user chose, and the
// window opens at the size it was last given.

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "charts/chart_data.h"
#include "charts/charts_window_size.h"
#include "tests/integration/file_name_typing.h"
#include "tests/support/fake_settings.h"
#include "tests/support/virtual_clock.h"
#include "tests/support/sample_readings.h"
#include "ui/charts_window.h"

namespace mensora::test {
namespace {

struct ChartsBench {
    ChartsBench() {
        state.storedLanguage = kStoredEnglish;
        state.parameters.nominal = 12.345f;
        state.parameters.upperTolerance = 0.02f;
        state.parameters.lowerTolerance = -0.02f;
        SampleReadings readings;
        for (int i = 0; i < 100; ++i) data.recorded(readings.next(), 3);
    }
    AcquisitionState state;
    FakeSettings settings;
    RecordTraces traces{1};
    ChartData data;
    VirtualClock clock;
    ControlChoice control{settings, clock};
    AllRecordsChart source{data, state, traces, control};
};

TEST(ChartsWindow, SaveWritesThePictureOfTheChartsWhereTheUserChose) {
    ChartsBench bench;
    ChartsWindow window(bench.source, bench.state, bench.settings, nullptr);
    window.open();
    QApplication::processEvents();
    QTemporaryDir folder;
    const QString chosen = folder.filePath("batch.png");

    // The save dialog is modal: answer it as the user would, once it is up.
    int answered = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        poll.stop();
        ++answered;
        test::typeFileName(*dialog, chosen);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    poll.start(10);
    window.findChild<QPushButton*>("charts-save")->click();

    EXPECT_EQ(answered, 1);
    const QImage saved(chosen);
    ASSERT_FALSE(saved.isNull()) << "no picture at " << chosen.toStdString();
    EXPECT_EQ(saved.size(), window.picture().size());
    EXPECT_GT(saved.height(), window.findChild<QWidget*>("charts-view")->height())
        << "the figures' heading is missing";
}

TEST(ChartsWindow, OpensAtTheSizeItWasLastGiven) {
    ChartsBench bench;
    {
        ChartsWindow first(bench.source, bench.state, bench.settings, nullptr);
        EXPECT_EQ(first.size(), QSize(kChartsDefaultSize.width, kChartsDefaultSize.height));
        first.open();
        first.resize(900, 720);
        QApplication::processEvents();
        first.hide();
    }
    ChartsWindow second(bench.source, bench.state, bench.settings, nullptr);
    EXPECT_EQ(second.size(), QSize(900, 720));
}

}  // namespace
}  // namespace mensora::test
