#pragma once
// The Part and lot window: a one-line field for each value a record is stamped with, OK and
// Cancel, placed as the core's form places them. It is modal, as the program's message boxes
// are: the timers keep ticking inside it, so the gauge's data key and automatic sampling go on
// recording while it is open, and a record is never stamped with half-typed values. What the
// fields take and what OK does is the core's.

#include <QDialog>
#include <array>

#include "dialog/trace_panel.h"

class QLineEdit;

namespace mensora {

class TraceWindow : public QDialog {
    Q_OBJECT
public:
    // In the main window's dialog font, laid out in its units.
    TraceWindow(TracePanel& panel, Language language, QWidget* parent);

    // Shows the values in force and returns when the window closes: whether OK put new ones in
    // force.
    bool ask();

public slots:
    // OK: the values are put in force and remembered, or a box says which field is wrong and
    // the window stays open with the focus there.
    void accept() override;

private:
    TracePanel& panel_;
    Language language_;
    std::array<QLineEdit*, kTraceFieldCount> fields_{};
};

}  // namespace mensora
