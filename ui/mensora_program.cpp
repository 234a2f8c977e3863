#include "ui/mensora_program.h"

#include <QAction>

#include "charts/chart_texts.h"
#include "link/platform_port_names.h"
#include "measure/trace_fields.h"
#include "measure/trace_texts.h"
#include "ui/trace_window.h"

namespace mensora {

MensoraProgram::MensoraProgram()
    : window_(store_, listTexts_),
      timers_([this](int id) {
          if (running_) dialog_.onTimer(id);
      }),
      portNames_(makePlatformPortNames(settings_)),
      dialog_(DialogPorts{timers_, settings_, window_, sound_, clock_, serial_, *portNames_,
                          fileSystem_},
              state_, store_, listTexts_) {
    running_ = true;
    window_.setController(&dialog_);
    dialog_.reportRecordsTo(&chartData_);
    dialog_.stampRecordsIn(traces_);
    tracePanel_.restore();
    dialog_.initialise();
    dialog_.keepJournal(journal_);
    dialogTexts_ = installStandardDialogTexts(dialog_.state().language());
    // The menu item speaks the language the window was put up in.
    QAction* charts = window_.chartsAction();
    charts->setText(QString::fromUtf8(pick(chart_texts::kWindowTitle, dialog_.state().language())));
    QObject::connect(charts, &QAction::triggered, [this] { openCharts(); });
    QAction* trace = window_.traceAction();
    trace->setText(QString::fromUtf8(pick(trace_texts::kWindowTitle, dialog_.state().language())));
    QObject::connect(trace, &QAction::triggered, [this] { openTrace(); });
    showTraceLine();
}

// The program ends in a fixed order before any of its parts goes: no tick reaches the dialog
// again, the gauge's port is let go, the window stops reporting to the dialog and the sound
// falls silent. Only then do the parts go, each with nothing left that could call into a part
// already gone, whatever a window system or an audio back end does while they go.
MensoraProgram::~MensoraProgram() {
    running_ = false;
    // An open charts window keeps its size for the next start, while the settings exist.
    if (chartsWindow_ != nullptr) chartsWindow_->hide();
    timers_.killAll();
    serial_.close();
    window_.setController(nullptr);
    sound_.stop();
}

void MensoraProgram::openCharts() {
    if (chartsWindow_ == nullptr) {
        chartsWindow_ =
            new ChartsWindow(chartData_, dialog_.state(), traces_, settings_, &window_);
    }
    chartsWindow_->open();
}

}  // namespace mensora

namespace mensora {

void MensoraProgram::openTrace() {
    TraceWindow trace(tracePanel_, dialog_.state().language(), &window_);
    if (trace.ask()) showTraceLine();
}

void MensoraProgram::showTraceLine() {
    window_.showTraceLine(traceLine(traces_.inForce(), dialog_.state().language()));
}

}  // namespace mensora
