// Work put off until the window is on screen: it runs once, after the window's first paint,
// and never for an owner that has gone.

#include <QApplication>
#include <QDialog>
#include <QObject>
#include <gtest/gtest.h>

#include <memory>

#include "ui/after_first_paint.h"

namespace mensora {
namespace {

TEST(AfterFirstPaint, RunsOnceJustAfterTheFirstPaintOfItsWindow) {
    QDialog window;
    window.resize(200, 100);
    QObject owner;
    int runs = 0;
    afterFirstPaint(window, owner, [&] { ++runs; });

    QApplication::processEvents();
    EXPECT_EQ(runs, 0) << "ran before the window was shown";

    window.show();
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(runs, 1);

    // Later paints are not first paints.
    window.repaint();
    window.resize(300, 150);
    QApplication::processEvents();
    QApplication::processEvents();
    EXPECT_EQ(runs, 1);
}

TEST(AfterFirstPaint, NothingRunsOnceTheOwnerHasGone) {
    // Gone before the window was painted, and gone between the paint and the queued run.
    for (const bool afterPaint : {false, true}) {
        SCOPED_TRACE(afterPaint ? "owner gone after the paint" : "owner gone before the paint");
        QDialog window;
        window.resize(200, 100);
        auto owner = std::make_unique<QObject>();
        int runs = 0;
        afterFirstPaint(window, *owner, [&] { ++runs; });
        if (afterPaint) {
            window.show();
            window.repaint();  // painted now; the action waits for the event loop
        }
        owner.reset();
        window.show();
        QApplication::processEvents();
        QApplication::processEvents();
        EXPECT_EQ(runs, 0);
    }
}

}  // namespace
}  // namespace mensora
