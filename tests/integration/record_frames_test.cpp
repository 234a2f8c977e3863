// The real window shows records at the screen's pace: what comes faster than a frame (new
// rows, the scroll to the last one, the statistics) is shown together once a frame, exactly as
// if each record had been shown on its own, and at once where the operator looks now.

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <utility>

#include "base/control_ids.h"
#include "base/number_text.h"
#include "tests/integration/window_rig.h"

namespace mensora::test {
namespace {

constexpr int kStatisticsFields[] = {AverageField, MaximumField,   MinimumField,   CountField,
                                     OkCountField, OverUpperField, UnderLowerField};

QTableView* recordList(MainWindow& window) {
    return qobject_cast<QTableView*>(window.control(RecordList));
}

// What the operator sees of the records: read from the widgets, not from what waits for them.
struct Seen {
    int rows = 0;
    int scroll = 0;
    int scrollEnd = 0;
    std::map<int, QString> statistics;
    bool operator==(const Seen&) const = default;
};

Seen seen(MainWindow& window) {
    QTableView* list = recordList(window);
    Seen shown{list->model()->rowCount(),
               list->verticalScrollBar()->value(),
               list->verticalScrollBar()->maximum(),
               {}};
    for (const int id : kStatisticsFields) {
        shown.statistics[id] = qobject_cast<QLineEdit*>(window.control(id))->text();
    }
    return shown;
}

void PrintTo(const Seen& shown, std::ostream* out) {
    *out << shown.rows << " rows, scrolled to " << shown.scroll << " of " << shown.scrollEnd;
    for (const auto& [id, text] : shown.statistics)
        *out << ", " << id << " \"" << text.toStdString() << '"';
}

// Readings on both sides of the limits 2 +0.5/-0.5, each recorded and pushed as a poll that
// brought the data key would.
void recordAndPush(WindowRig& rig, int index) {
    const float value = 1.25f + 0.125f * static_cast<float>(index % 11);
    rig.record(value, formatFloat(value), 3);
    rig.push();
}

// A shift's first thousand records, all within one frame, against the same thousand each
// shown before the next came: the list, where it stands and every statistic end up alike.
TEST(RecordFrames, AThousandRecordsWithinOneFrameLeaveTheWindowAsRecordingThemOneByOne) {
    WindowRig oneByOne;
    WindowRig inOneFrame;
    for (WindowRig* rig : {&oneByOne, &inOneFrame}) {
        rig->setJudging(2.0f, 0.5f, -0.5f);
        showAndSettle(rig->window);
    }
    for (int i = 0; i < 1000; ++i) {
        recordAndPush(oneByOne, i);
        oneByOne.window.showFrameNow();
        recordAndPush(inOneFrame, i);
    }
    EXPECT_EQ(seen(inOneFrame.window).rows, 0) << "shown before the frame";

    ASSERT_TRUE(QTest::qWaitFor([&] { return seen(inOneFrame.window).rows != 0; }))
        << "the frame never came";
    QTest::qWait(100);  // and let the layout the frame set off run
    const Seen shown = seen(inOneFrame.window);
    EXPECT_EQ(shown, seen(oneByOne.window));
    EXPECT_EQ(shown.rows, 1000);
    EXPECT_EQ(shown.scroll, shown.scrollEnd) << "the last record is out of sight";
    EXPECT_EQ(shown.statistics.at(CountField), "1000");
}

// The operator stops Auto to read the last record: it is there when the click returns, not a
// frame later.
TEST(RecordFrames, StoppingAutoShowsTheLastRecordAtOnce) {
    WindowRig rig({{"m_Text12", 10}});
    showAndSettle(rig.window);
    rig.linkWith(kAsciiFrame);
    auto* autoButton = qobject_cast<QAbstractButton*>(rig.window.control(AutoButton));
    autoButton->click();
    rig.clock.advance(1000);
    const int records = static_cast<int>(rig.store.count());
    ASSERT_GT(records, 50) << "Auto did not record every 10 ms";

    autoButton->click();
    EXPECT_FALSE(rig.state.autoSampling);
    const Seen shown = seen(rig.window);
    EXPECT_EQ(shown.rows, records);
    EXPECT_EQ(shown.statistics.at(CountField), QString::number(records));
    QTableView* list = recordList(rig.window);
    const QRect last = list->visualRect(list->model()->index(records - 1, 0));
    EXPECT_TRUE(list->viewport()->rect().contains(last)) << "the last record is out of sight";
}

// What the list shows on screen, and what drawing it afresh shows.
std::pair<QImage, QImage> listOnScreenAndAfresh(MainWindow& window) {
    QWidget* rows = recordList(window)->viewport();
    const QPoint at = rows->mapTo(&window, QPoint(0, 0));
    const QImage onScreen =
        window.screen()
            ->grabWindow(window.winId(), at.x(), at.y(), rows->width(), rows->height())
            .toImage();
    const QImage afresh = rows->grab().toImage();
    return {onScreen.convertToFormat(QImage::Format_RGB32),
            afresh.convertToFormat(QImage::Format_RGB32)};
}

// A frame draws only the rows it adds: the list on screen, filling and then scrolling, must be
// what drawing it afresh shows, with no row missing or drawn where another now stands.
TEST(RecordFrames, TheListOnScreenIsWhatDrawingItAfreshShows) {
    WindowRig rig;
    showAndSettle(rig.window);
    for (int i = 0; i < 60; ++i) {
        recordAndPush(rig, i);
        if (i % 4 != 3) continue;
        rig.window.showFrameNow();
        QApplication::processEvents();
        const auto [onScreen, afresh] = listOnScreenAndAfresh(rig.window);
        ASSERT_FALSE(onScreen.isNull());
        EXPECT_TRUE(onScreen == afresh) << "after " << i + 1 << " records";
    }
}

}  // namespace
}  // namespace mensora::test
