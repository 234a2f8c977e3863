#include "ui/mensora_program.h"

#include <QAction>
#include <QSysInfo>

#include "base/control_ids.h"
#include "base/thread_work_queue.h"
#include "charts/chart_texts.h"
#include "dialog/further_windows_tip.h"
#include "link/platform_port_names.h"
#include "measure/trace_fields.h"
#include "measure/trace_texts.h"
#include "plant/plant_texts.h"
#include "ui/plant_status_line.h"
#include "ui/plant_window.h"
#include "ui/trace_window.h"

namespace mensora {

MensoraProgram::MensoraProgram()
    : window_(records_.store, records_.listTexts),
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
    plant().onStatus([this, plantStatus] {
        plantStatus->show(plant().status(), dialog().state().language());
    });
    dialog().initialise();
    dialogTexts_ = installStandardDialogTexts(dialog().state().language());
    // The menu item speaks the language the window was put up in.
    QAction* charts = window_.chartsAction();
    charts->setText(QString::fromUtf8(pick(chart_texts::kWindowTitle, dialog().state().language())));
    QObject::connect(charts, &QAction::triggered, [this] { openCharts(); });
    const QString tip = QString::fromStdString(
        furtherWindowsTip(dialog().state().language(), MenuPlace::Background));
    for (const int id : {RecordList, StatisticsGroup}) window_.control(id)->setToolTip(tip);

    QAction* plant = window_.plantAction();
    plant->setText(QString::fromUtf8(pick(plant_texts::kWindowTitle, dialog().state().language())));
    QObject::connect(plant, &QAction::triggered, [this] { openPlant(); });
    QAction* trace = window_.traceAction();
    trace->setText(QString::fromUtf8(pick(trace_texts::kWindowTitle, dialog().state().language())));
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

void MensoraProgram::openPlant() {
    PlantWindow plantWindow(*station_.plantPanel(), dialog().state().language(), &window_);
    plantWindow.exec();
}

void MensoraProgram::openCharts() {
    if (chartsWindow_ == nullptr) {
        chartsWindow_ =
            new ChartsWindow(records_.chartData, records_.state, records_.traces, settings_, &window_);
    }
    chartsWindow_->open();
}

void MensoraProgram::openTrace() {
    TraceWindow trace(station_.tracePanel(), dialog().state().language(), &window_);
    if (trace.ask()) showTraceLine();
}

void MensoraProgram::showTraceLine() {
    window_.showTraceLine(traceLine(records_.traces.inForce(), dialog().state().language()));
}

}  // namespace mensora
