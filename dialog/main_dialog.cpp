#include "dialog/main_dialog.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "base/control_ids.h"
#include "base/settings_keys.h"
#include "base/texts.h"
#include "base/timer_ids.h"
#include "measure/record_store.h"
#include "measure/trace_fields.h"
#include "workbook/workbook_texts.h"
#include "dialog/link_buttons.h"
#include "plant/plant_door.h"

namespace mensora {

MainDialog::MainDialog(const DialogPorts& ports, StationRecords& records, const DialogDoors& doors)
    : state_(records.state),
      ports_(ports),
      timers_(ports.timers),
      exchange_(state_, ports.window),
      context_{state_, ports.window, timers_, exchange_},
      recorder_(context_, records.store, records.listTexts, ports.sound, ports.clock),
      autoSampling_(context_),
      panel_(context_, ports.settings, ports.sound, [this] { autoSampling_.stop(); }),
      plan_(context_, panel_, ports.sound, records),
      link_(context_, ports.serial, ports.portNames, ports.settings, ports.sound,
            LinkEvents{
                [this] {
                    // Values typed into an open panel are dropped, not judged: the
                    // link is going, not the parameters being confirmed.
                    if (state_.paramEditMode) panel_.closeWithoutStoring();
                },
                [this](ProtocolKind kind) { showLinked(ports_.window, kind, state_.language()); },
                [this] { showUnlinked(ports_.window, state_.language()); }}),
      poll_(context_, ports.serial,
            PollEvents{[this](const GaugeProtocol& protocol) { link_.goodFrame(protocol); },
                       [this] { takeReading(); }, [this] { link_.restartWatchdog(); },
                       [this] { link_.deviceLost(); }}),
      zero_(context_, ports.serial, ports.clock, [this] { link_.restartWatchdog(); }),
      files_(state_, records.store, ports.window, timers_, ports.clock, ports.fileSystem,
             RecordFileEvents{[this] { link_.pauseWatchdog(); }, [this] { link_.resumeWatchdog(); },
                              [this](bool autosave) {
                                  if (journal_) journal_->saved(autosave, store_.count());
                              }}),
      workbook_(state_, ports.window, doors.workbook, ports.windowThread, ports.fileSystem,
                [this](std::uint32_t covered) {
                    if (journal_) journal_->saved(false, covered);
                }),
      language_(state_, ports.window, ports.settings),
      store_(records.store),
      listTexts_(records.listTexts),
      traces_(records.traces),
      planStamps_(records.planStamps),
      control_(ports.settings, ports.clock),
      watch_(plan_, records.planStamps, records.store, control_, records.chartData),
      charts_(records.chartData, records.planStamps, plan_, state_, traces_, control_),
      study_(StudyPanel::Parts{context_, ports.sound, ports.clock, traces_, workbook_,
                               [journal = doors.journal](const FinishedGaugeStudy& study) {
                                   if (journal != nullptr) journal->keepStudy(study);
                               }}),
      alarms_(AlarmBoard::Parts{ports.sound, timers_, ports.clock,
                                [journal = doors.journal](const AlarmEntry& entry) {
                                    if (journal != nullptr) journal->keepAlarm(entry);
                                }}),
      plant_(doors.plant) {
    recorder_.stampWith(
        [this](std::uint32_t index) {
            traces_.stamp(index);
            if (!journal_ || !journal_->puttingBack()) planStamps_.stamp(index, plan_.walk());
        },
        [this] {
            traces_.cleared();
            planStamps_.cleared();
            alarms_.listCleared();
        });
    // A plan's characteristic carries its own warning zone; without a plan the settings hold it.
    recorder_.warnWith([this]() -> std::optional<int> {
        const PlanWalk* walk = plan_.walk();
        if (walk == nullptr) return control_.warningPercent();
        return walk->plan().characteristics[walk->due()].warningPercent;
    });
    recorder_.reportTo(&plan_);
    plan_.reportTo(&watch_);
    watch_.onFired([this](const RuleEvent& event) {
        if (journal_ && journal_->puttingBack()) return;
        alarms_.raise(event);
        if (ruleFired_) ruleFired_(event);
    });
    if (doors.journal != nullptr) keepJournal(*doors.journal);
}

void MainDialog::keepJournal(Journal& journal) {
    journal_.emplace(
        journal, context_, store_, listTexts_, recorder_, ports_.clock, traces_,
        JournalKeeping::PlanLink{planStamps_, [this] { return plan_.walk(); },
                                 [this](InspectionPlan plan, const PlanWalk::Position& position) {
                                     plan_.resume(std::move(plan), position);
                                 }});
    recorder_.reportTo(&*journal_);
    journal_->reportTo(&plan_);
    plan_.onMoved([this] { journal_->planMoved(); });
    journal_->onProgress([this] {
        if (plant_ != nullptr) plant_->journalChanged();
    });
    journal_->start(std::max(0, getSetting(ports_.settings, settings::kJournalDays)),
                    [this](const std::string& path, unsigned window) {
                        if (plant_ != nullptr) plant_->useJournal(path, window);
                    });
    // The plant database's line shows how far the journal has got.
    if (plant_ != nullptr) plant_->followJournal([&journal] { return journal.progress(); });
    earlierRuns_.emplace(EarlierRuns::Parts{journal, *journal_, files_, workbook_}, state_,
                         ports_.window);
}

void MainDialog::onTimer(int id) {
    switch (id) {
        case PollTimer: poll_.pollTick(); break;
        case ZeroTimer: zero_.sendZeroCommand(); break;
        case AutoSampleTimer: takeReading(); break;
        case LinkWatchdogTimer: link_.linkWatchdogExpired(); break;
        case PortScanTimer: link_.portScanStep(); break;
        case BeepStopTimer: stopAlertSound(); break;
        case AutosaveTimer: files_.autosaveTick(); break;
        case DeviceReopenTimer: link_.reopenStep(); break;
        case PlantTimer:
            if (plant_ != nullptr) plant_->onTimer();
            break;
        case JournalRetryTimer:
            if (journal_) journal_->retryTick();
            break;
        default: break;  // not one of ours: nothing changes
    }
}

void MainDialog::onCommand(int controlId) {
    switch (controlId) {
        case ConnectButton: link_.onConnectButton(); break;
        case ZeroButton: zero_.onZeroButton(); break;
        case AutoButton: autoSampling_.onAutoButton(); break;
        case ManualButton: takeReading(); break;
        case SaveButton:
            if (const auto workbookPath = files_.exportRecords()) saveWorkbook(*workbookPath);
            break;
        case ClearButton: clearRecords(); break;
        case kCancelSaveCommand: workbook_.cancel(); break;
        case kPlanPreviousCommand: plan_.previous(); break;
        case kPlanNextCommand: plan_.next(); break;
        case ParametersButton: panel_.onParametersButton(); break;
        case ChineseRadio:
        case EnglishRadio: language_.onLanguageButton(); break;
        case AutosaveCheck: files_.onAutosaveSwitch(); break;
        default: break;
    }
}

std::string MainDialog::traceBandLine() const {
    const std::string study = study_.bandLine(state_.language());
    return study.empty() ? traceLine(traces_.inForce(), state_.language()) : study;
}

void MainDialog::takeReading() {
    if (study_.taking()) {
        study_.take(state_.reading);
    } else {
        recorder_.recordMeasurement();
    }
}

void MainDialog::saveWorkbook(const std::string& path) {
    // The stamps of the records written, copied now: recording goes on stamping meanwhile.
    RecordTraceColumns traces = recordTraceColumns(traces_, store_.count());
    // The plan stamps below the count stay as they are; the parts and plans are copied.
    const PlanWalk* walk = plan_.walk();
    WorkbookPlanParts planParts{&planStamps_, planStamps_.parts(),
                                walk != nullptr && walk->partStarted()};
    WorkbookContents contents =
        workbookContents(state_, store_, workbookChart(), std::move(traces), traces_.inForce(),
                         std::move(planParts), &listTexts_);
    contents.alarms = alarms_.ofList();
    workbook_.save(path, std::move(contents));
}

// The workbook being written reads the records; they stay until it is done.
void MainDialog::clearRecords() {
    if (workbook_.saving()) {
        ports_.window.showMessage(pick(workbook_texts::kClearWaitsForSave, state_.language()),
                                  MessageIcon::Exclamation);
        return;
    }
    recorder_.clearRecords();
}

void MainDialog::stopAlertSound() {
    timers_.kill(BeepStopTimer);
    ports_.sound.stop();
}

void MainDialog::onSystemCommand(int command) {
    if (command == kAboutCommand) ports_.window.showAbout();
}

bool MainDialog::onCloseRequested(CloseRequest how) {
    // Enter reaches the dialog as its default command: the fields must read back first.
    if (how == CloseRequest::Enter && !exchange_.pull()) return false;
    // Records no file holds yet would be lost with the window: one stray Escape must not
    // throw away a shift's measurements.
    if (state_.unsavedRecords == 0) return true;
    return ports_.window.askYesNo(
        texts::unsavedRecordsQuestion(state_.unsavedRecords, state_.language()));
}

}  // namespace mensora
