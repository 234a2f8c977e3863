#include "dialog/journal_keeping.h"

#include <string>

#include "base/control_table.h"
#include "base/timer_ids.h"
#include "journal/journal_texts.h"
#include "measure/field_format.h"

namespace mensora {
namespace {

// How often the writer tries again while the journal cannot be written.
constexpr std::uint32_t kJournalRetryMs = 2000;

}  // namespace

JournalKeeping::JournalKeeping(Journal& journal, const DialogContext& context,
                               const RecordStore& store, const RecordListTexts& listTexts,
                               Recorder& recorder, Clock& clock, RecordTraces& traces)
    : journal_(journal),
      context_(context),
      store_(store),
      listTexts_(listTexts),
      recorder_(recorder),
      clock_(clock),
      traces_(traces) {}

void JournalKeeping::start(int keepDays,
                           std::function<void(const std::string& path, unsigned window)> opened) {
    journal_.open(clock_.localNow(), keepDays,
                  Journal::Reports{[this](const UnsavedRecords& unsaved) { offerBack(unsaved); },
                                   [this](const JournalError& error) { failed(error); },
                                   [this] { recovered(); }, std::move(opened)});
}

// Told once: the records wait in memory meanwhile and the writer tries again every tick.
void JournalKeeping::failed(const JournalError& error) {
    context_.timers.arm(JournalRetryTimer, kJournalRetryMs);
    tellProgress();
    context_.window.showMessage(journalFailureMessage(error, context_.state.language()),
                                MessageIcon::Exclamation);
}

void JournalKeeping::recovered() {
    context_.timers.kill(JournalRetryTimer);
    tellProgress();
    context_.window.showMessage(journalRecoveredMessage(context_.state.language()),
                                MessageIcon::Exclamation);
}

void JournalKeeping::recorded(float value, std::uint8_t decimalPlaces) {
    if (next_ != nullptr) next_->recorded(value, decimalPlaces);
    if (puttingBack_) return;
    const std::uint32_t row = store_.count() - 1;
    const AcquisitionState& state = context_.state;
    const Parameters& parameters = state.parameters;
    JournalRecord record;
    record.number = row + 1;
    record.valueText = listTexts_.valueText(row);
    std::copy_n(store_.valueField(row).begin(), record.valueField.size(),
                record.valueField.begin());
    record.value = value;
    record.error = static_cast<float>(static_cast<double>(value) - parameters.nominal);
    record.decimalPlaces = decimalPlaces;
    record.verdict = listTexts_.verdict(row);
    record.language = listTexts_.language(row);
    const std::string_view taken = store_.timeField(row);
    std::copy(taken.begin(), taken.end(), record.takenAt.begin());
    record.nominal = parameters.nominal;
    record.upperTolerance = parameters.upperTolerance;
    record.lowerTolerance = parameters.lowerTolerance;
    record.unit = recordUnitName(parameters.unitIndex);
    // The record has just been stamped with the values in force.
    record.trace = traces_.inForce();
    journal_.add(std::move(record));
    tellProgress();
}

void JournalKeeping::cleared() {
    if (next_ != nullptr) next_->cleared();
    journal_.mark({JournalMark::Kind::Cleared, 0, clock_.localNow()});
}

void JournalKeeping::saved(bool autosave, std::uint32_t covered) {
    journal_.mark({autosave ? JournalMark::Kind::Autosaved : JournalMark::Kind::Saved, covered,
                   clock_.localNow()});
}

// Asked only while the list is still empty: records put back go where they were, from row 0.
void JournalKeeping::offerBack(const UnsavedRecords& unsaved) {
    if (store_.count() != 0) return;
    const bool restore =
        context_.window.askYesNo(restoreQuestion(unsaved, context_.state.language()));
    const std::uint32_t count = unsaved.count;
    journal_.answer(
        unsaved, restore, clock_.localNow(),
        [this, count](const std::vector<JournalRecord>& records) { putBack(records, count); });
}

void JournalKeeping::putBack(const std::vector<JournalRecord>& records, std::uint32_t unsaved) {
    if (store_.count() != 0) return;  // recorded meanwhile: the list is no longer theirs
    puttingBack_ = true;
    const TraceValues inForce = traces_.inForce();
    for (const JournalRecord& r : records) {
        traces_.setInForce(r.trace);
        RecordFields fields;
        fields.seq = formatSequence(r.number);
        fields.value = r.valueField;
        fields.error = formatDeviation(r.error, r.decimalPlaces);
        fields.result = verdictRecordText(r.verdict, r.language);
        fields.time = r.takenAt;
        recorder_.putBack(fields, r.valueText, r.verdict, r.language, r.value, r.decimalPlaces);
    }
    traces_.setInForce(inForce);
    puttingBack_ = false;
    AcquisitionState& state = context_.state;
    // Back as unsaved: the autosave writes them, and closing asks about them as usual.
    state.unsavedRecords = unsaved;
    state.recordsDirty = true;
    context_.window.scrollRecordListToEnd();
    context_.exchange.push();
}

}  // namespace mensora
