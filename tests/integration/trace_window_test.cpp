// The Part and lot window on the real program: F4 opens it with its five fields and buttons,
// OK puts what was typed in force, shows it under the window and remembers it; Escape changes
// nothing.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

#include "measure/trace_fields.h"
#include "measure/trace_texts.h"
#include "tests/integration/e2e_support.h"
#include "ui/mensora_program.h"

namespace mensora {
namespace {

// Presses `key` on the main window and, once the modal window it opens is up, does `inside`
// with it; returns how often that happened.
int pressAndAnswer(MainWindow& window, Qt::Key key, const std::function<void(QWidget&)>& inside) {
    int answered = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal->objectName() != "trace") return;
        poll.stop();
        ++answered;
        inside(*modal);
    });
    poll.start(10);
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, key);
    return answered;
}

QLineEdit* field(QWidget& trace, const char* name) { return trace.findChild<QLineEdit*>(name); }

TEST(TraceWindow, F4OpensItsFieldsAndOkPutsThemInForceShowsAndRemembersThem) {
    // The test's private settings, as a first run leaves them: nothing set.
    QSettings stored(QSettings::NativeFormat, QSettings::UserScope, "Mensora",
                     test::applicationName());
    stored.remove("Trace");
    stored.sync();
    MensoraProgram program;
    MainWindow& window = program.window();
    window.show();
    QAction* action = window.findChild<QAction*>("action-trace");
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->shortcut(), QKeySequence(Qt::Key_F4));
    EXPECT_EQ(action->text().toStdString(), trace_texts::kWindowTitle.chinese);

    const int opened = pressAndAnswer(window, Qt::Key_F4, [](QWidget& trace) {
        EXPECT_EQ(trace.windowTitle().toStdString(), "零件与批次");
        for (const TraceField& f : kTraceFields) {
            ASSERT_NE(field(trace, f.objectName), nullptr) << f.objectName;
            EXPECT_TRUE(field(trace, f.objectName)->text().isEmpty()) << f.objectName;
        }
        ASSERT_NE(trace.findChild<QPushButton*>("trace-cancel"), nullptr);
        field(trace, "trace-part")->setText("A-100");
        field(trace, "trace-lot")->setText("  L42 ");
        field(trace, "trace-operator")->setText("王工");
        trace.findChild<QPushButton*>("trace-ok")->click();
    });
    ASSERT_EQ(opened, 1) << "F4 opened no Part and lot window";
    EXPECT_EQ(program.traces().inForce(), (TraceValues{"A-100", "", "L42", "王工", ""}));
    const auto* line = window.findChild<QLabel*>("trace-line");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text().toStdString(), traceLine(program.traces().inForce(), Language::Chinese));
    stored.sync();
    EXPECT_EQ(stored.value("Trace/Lot").toString(), "L42");

    // Escape: what was typed goes with the window.
    EXPECT_EQ(pressAndAnswer(window, Qt::Key_F4,
                             [](QWidget& trace) {
                                 EXPECT_EQ(field(trace, "trace-lot")->text(), "L42");
                                 field(trace, "trace-lot")->setText("L43");
                                 QTest::keyClick(field(trace, "trace-lot"), Qt::Key_Escape);
                             }),
              1);
    EXPECT_EQ(program.traces().inForce().lot, "L42");
    EXPECT_EQ(stored.value("Trace/Lot").toString(), "L42");
}

}  // namespace
}  // namespace mensora
