#include "dialog/earlier_runs.h"

#include <utility>

#include "base/control_table.h"
#include "dialog/runs_texts.h"
#include "measure/running_statistics.h"
#include "workbook/workbook_contents.h"
#include "workbook/workbook_texts.h"

namespace mensora {
namespace {

std::string joined(const std::vector<std::string>& values) {
    std::string text;
    for (const std::string& value : values) text += (text.empty() ? "" : ", ") + value;
    return text;
}

// "2026-12-10 08:01:12 – 11:47:03  412 records  unsaved 3  Part 1021-A  Lot L-17": the end's
// date only where the run went past midnight.
std::string runLine(const JournalRun& run, Language language) {
    using namespace runs_texts;
    constexpr std::size_t kDateWidth = 11;  // "YYYY-MM-DD "
    const bool sameDay = run.first.compare(0, kDateWidth, run.last, 0, kDateWidth) == 0;
    std::string line = run.first + " – " + (sameDay ? run.last.substr(kDateWidth) : run.last);
    line += "  " + std::to_string(run.count) + pick(kRecords, language);
    if (run.unsaved != 0)
        line += "  " + std::string(pick(kUnsaved, language)) + std::to_string(run.unsaved);
    for (const auto& [label, values] :
         {std::pair{&kPart, &run.parts}, std::pair{&kCharacteristic, &run.characteristics},
          std::pair{&kLot, &run.lots}}) {
        if (!values->empty()) line += "  " + std::string(pick(*label, language)) + joined(*values);
    }
    if (run.inList) line += pick(kInList, language);
    return line;
}

}  // namespace

std::unique_ptr<StationRecords> earlierRunRecords(const std::vector<JournalRecord>& records) {
    auto run = std::make_unique<StationRecords>(static_cast<std::uint32_t>(records.size()));
    for (const JournalRecord& r : records) {
        const std::uint32_t index = run->store.count();
        run->store.append(recordFieldsOf(r));
        run->listTexts.set(index, r.valueText, r.verdict, recordWarned(r), r.language);
        run->traces.setInForce(r.trace);
        run->traces.stamp(index);
        putBackPlanStamp(run->planStamps, index, r);
        run->chartData.recorded(r.value, r.decimalPlaces);
        addToStatistics(run->state.statistics, r.value, r.verdict);
    }
    Statistics& statistics = run->state.statistics;
    statistics.shown = shownFigures(statistics);
    // The values it was judged against last, as the parameters group showed them then.
    if (!records.empty()) {
        const JournalRecord& last = records.back();
        Parameters& parameters = run->state.parameters;
        parameters.nominal = parameters.shownNominal = last.nominal;
        parameters.upperTolerance = parameters.shownUpperTolerance = last.upperTolerance;
        parameters.lowerTolerance = parameters.shownLowerTolerance = last.lowerTolerance;
        parameters.unitIndex = unitIndexOfRecordName(last.unit);
    }
    return run;
}

EarlierRuns::EarlierRuns(const Parts& parts, AcquisitionState& state, WindowPort& window)
    : parts_(parts), state_(state), mainWindow_(window) {}

void EarlierRuns::attach(RunsWindowPort* window, Language language) {
    window_ = window;
    if (window == nullptr) return;
    windowLanguage_ = language;
    runs_.reset();
    unreadable_ = false;
    parts_.journal.readRuns(
        [this, opening = ++opening_](std::optional<std::vector<JournalRun>> runs) {
            if (opening != opening_ || window_ == nullptr) return;
            unreadable_ = !runs;
            runs_ = runs ? std::move(*runs) : std::vector<JournalRun>();
            window_->runsRead();
        });
}

std::vector<std::string> EarlierRuns::lines() const {
    using namespace runs_texts;
    const Language shown = language();
    if (!runs_) return {pick(kReading, shown)};
    if (unreadable_) return {pick(kUnreadable, shown)};
    if (runs_->empty()) return {pick(kNoRuns, shown)};
    std::vector<std::string> lines;
    lines.reserve(runs_->size());
    for (const JournalRun& run : *runs_) lines.push_back(runLine(run, shown));
    return lines;
}

const JournalRun* EarlierRuns::chosen(std::optional<std::size_t> index) const {
    if (!haveRuns() || !index || *index >= runs_->size()) {
        tell(runs_texts::kChooseRun);
        return nullptr;
    }
    return &(*runs_)[*index];
}

void EarlierRuns::saveAs(std::optional<std::size_t> index) {
    const JournalRun* run = chosen(index);
    if (run == nullptr) return;
    // Asked before the dialog: the journal would be read for nothing.
    if (parts_.workbook.saving()) {
        tell(workbook_texts::kSaveRunning);
        return;
    }
    const std::optional<RecordFiles::SaveTarget> target = parts_.files.askSaveTarget();
    if (!target) return;
    parts_.journal.readRun(run->list, [this, to = *target](auto records) {
        if (!records) {
            tell(runs_texts::kUnreadable);
        } else if (records->empty()) {
            tell(runs_texts::kRunGone);
        } else {
            writeRun(*records, to);
        }
    });
}

void EarlierRuns::writeRun(const std::vector<JournalRecord>& records,
                           const RecordFiles::SaveTarget& to) {
    std::unique_ptr<StationRecords> run = earlierRunRecords(records);
    run->state.storedLanguage = state_.storedLanguage;
    if (!to.workbook) {
        parts_.files.saveEarlierRecords(run->store, to.path);
        return;
    }
    // A workbook begun meanwhile still reads the run it was given.
    if (parts_.workbook.saving()) {
        tell(workbook_texts::kSaveRunning);
        return;
    }
    written_ = std::move(run);
    // The run is over: a part whose last characteristic was never measured was never finished.
    const JournalRecord& last = records.back();
    const bool partOpen =
        last.planned && last.planned->plan &&
        last.planned->characteristic + 1u < last.planned->plan->characteristics.size();
    WorkbookPlanParts planParts{&written_->planStamps, written_->planStamps.parts(), partOpen};
    parts_.workbook.save(
        to.path,
        workbookContents(written_->state, written_->store, written_->chartData,
                         recordTraceColumns(written_->traces, written_->store.count()),
                         written_->traces.inForce(), std::move(planParts), &written_->listTexts),
        WorkbookExport::Records::EarlierRun);
}

bool EarlierRuns::refusedRestore(const JournalRun& run) const {
    if (state_.unsavedRecords != 0) {
        tell(runs_texts::kUnsavedInList);
    } else if (run.inList) {
        tell(runs_texts::kAlreadyInList);
    } else if (!run.whole) {
        tell(runs_texts::kNotWhole);
    } else if (parts_.workbook.saving()) {
        tell(workbook_texts::kClearWaitsForSave);
    } else {
        return false;
    }
    return true;
}

void EarlierRuns::restore(std::optional<std::size_t> index) {
    const JournalRun* run = chosen(index);
    if (run == nullptr || refusedRestore(*run)) return;
    parts_.journal.readRun(run->list, [this, found = *run](auto records) {
        if (!records) {
            tell(runs_texts::kUnreadable);
            return;
        }
        if (records->size() != found.count) {
            tell(runs_texts::kRunGone);
            return;
        }
        // Asked again: records may have been taken while the journal was read.
        if (refusedRestore(found)) return;
        parts_.keeping.restoreRun(found.list, *records, found.unsaved);
        attach(window_, windowLanguage_);  // the list is that run now
    });
}

void EarlierRuns::tell(const Bilingual& text) const {
    mainWindow_.showMessage(pick(text, language()), MessageIcon::Exclamation);
}

}  // namespace mensora
