#include "ui/mensora_program.h"

#include <QAction>
#include <QSysInfo>

#include "base/control_ids.h"
#include "base/thread_work_queue.h"
#include "dialog/further_windows.h"
#include "link/platform_port_names.h"
#include "ui/alarm_window.h"
#include "ui/plan_window.h"
#include "ui/plant_status_line.h"
#include "ui/plant_window.h"
#include "ui/runs_window.h"
#include "ui/study_window.h"
#include "ui/trace_window.h"

namespace mensora {

MensoraProgram::MensoraProgram()
    : window_(records_.store, records_.listTexts, records_.traces),
      timers_([this](int id) {
          if (running_) dialog().onTimer(id);
      }),
      portNames_(makePlatformPortNames(settings_)),
      station_(records_,
               DialogPorts{timers_, settings_, window_, sound_, clock_, serial_, *portNames_,
                           fileSystem_, windowThread_},
               StationWork{[](Door) { return std::make_unique<ThreadWorkQueue>(); }, clock_},
               StationDoors{true, QSysInfo::machineHostName().toStdString()}) {
    running_ = true;
    window_.setController(&dialog());
    auto* plantStatus = new PlantStatusLine;
    window_.placeStatusLine(plantStatus);
    plant().onStatus(
        [this, plantStatus] { plantStatus->show(plant().status(), dialog().state().language()); });
    dialog().initialise();
    dialogTexts_ = installStandardDialogTexts(dialog().state().language());
    // The menu items speak the language the window was put up in.
    const Language language = dialog().state().language();
    for (const FurtherWindowEntry& entry : furtherWindows()) {
        QAction* action = window_.action(entry.window);
        action->setText(QString::fromUtf8(pick(entry.title, language)));
        QObject::connect(action, &QAction::triggered, [this, which = entry.window] {
            switch (which) {
                case FurtherWindow::Charts: openCharts(); break;
                case FurtherWindow::Trace: openTrace(); break;
                case FurtherWindow::Plant: openPlant(); break;
                case FurtherWindow::Plan: openPlan(); break;
                case FurtherWindow::Runs: openRuns(); break;
                case FurtherWindow::Study: openStudy(); break;
            }
        });
    }
    const QString tip = QString::fromStdString(furtherWindowsTip(language, MenuPlace::Background));
    for (const int id : {RecordList, StatisticsGroup}) window_.control(id)->setToolTip(tip);
    window_.onPlanSerial([this](const std::string& serial) { dialog().plan().setSerial(serial); });
    dialog().plan().onChange([this] {
        window_.showPlanLine(dialog().plan().line());
        showTraceLine();
    });
    dialog().study().onBandChange([this] { showTraceLine(); });
    showTraceLine();
    dialog().alarms().onLineChange([this] { showAlarmLine(); });
    window_.onAlarmAcknowledge([this] { acknowledgeAlarm(); });
}

// The program ends in a fixed order before any of its parts goes: no tick reaches the dialog
// again, the gauge's port is let go, the window stops reporting to the dialog and the sound
// falls silent. Only then do the parts go, each with nothing left that could call into a part
// already gone, whatever a window system or an audio back end does while they go.
MensoraProgram::~MensoraProgram() {
    running_ = false;
    // The study window tells the study it closes, while the study and the window exist.
    delete studyWindow_.data();
    // An open charts window keeps its size for the next start, while the settings exist.
    if (chartsWindow_ != nullptr) chartsWindow_->hide();
    timers_.killAll();
    serial_.close();
    window_.setController(nullptr);
    sound_.stop();
}

void MensoraProgram::openPlant() {
    PlantWindow plantWindow(*station_.plantPanel(), dialog().state().language(), &window_);
    plantWindow.exec();
}

void MensoraProgram::openPlan() {
    PlanWindow planWindow(station_.planPanel(), dialog().state().language(), &window_);
    planWindow.exec();
}

void MensoraProgram::openRuns() {
    EarlierRuns* runs = dialog().earlierRuns();
    if (runs == nullptr) return;  // no journal, no earlier runs
    RunsWindow runsWindow(*runs, dialog().state().language(), &window_);
    runsWindow.exec();
}

void MensoraProgram::openStudy() {
    if (studyWindow_ == nullptr) {
        studyWindow_ = new StudyWindow(dialog().study(), dialog().state().language(), &window_);
    }
    studyWindow_->show();
    studyWindow_->raise();
    studyWindow_->activateWindow();
}

void MensoraProgram::openCharts() {
    if (chartsWindow_ == nullptr) {
        chartsWindow_ =
            new ChartsWindow(dialog().chartSource(), records_.state, settings_, &window_);
    }
    chartsWindow_->open();
}

void MensoraProgram::openTrace() {
    TraceWindow trace(station_.tracePanel(), dialog().state().language(), &window_);
    if (trace.ask()) showTraceLine();
}

void MensoraProgram::showTraceLine() { window_.showTraceLine(dialog().traceBandLine()); }

void MensoraProgram::showAlarmLine() {
    window_.showAlarmLine(dialog().alarms().line(dialog().state().language()));
}

void MensoraProgram::acknowledgeAlarm() {
    AlarmWindow alarmWindow(dialog().alarms(), dialog().state().language(), &window_);
    alarmWindow.exec();
}

}  // namespace mensora
