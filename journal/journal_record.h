#pragma once
// What the journal keeps: each record with everything the list and the record files show of
// it and what it was judged against, where the walk through an inspection plan stands, and
// the moments that decide whether a record is safe
// elsewhere (a record file saved or autosaved up to a record, Clear, an answer to the offer to
// put records back, the program's normal end).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "base/acquisition_state.h"
#include "base/clock.h"
#include "base/language.h"
#include "journal/journal_schema.h"
#include "measure/alarm_entry.h"
#include "measure/field_format.h"
#include "measure/gauge_study.h"
#include "measure/inspection_plan.h"
#include "measure/plan_stamps.h"
#include "measure/plan_walk.h"
#include "measure/record_store.h"
#include "measure/trace_values.h"

namespace mensora {

// The part of an inspection plan a record was taken for, and the characteristic's place.
struct JournalPlanStamp {
    std::shared_ptr<const InspectionPlan> plan;  // none where only the serial is known
    std::uint32_t part = 0;                      // among the parts of the record's list, from 1
    std::uint16_t characteristic = 0;
    std::string serial;
};

struct JournalRecord {
    std::uint32_t number = 0;  // the record's No in the list, from 1
    std::string valueText;     // as the list shows it
    ValueFieldText valueField{};
    float value = 0.0f;
    float error = 0.0f;  // value - nominal, as the record holds it
    std::uint8_t decimalPlaces = 0;
    Verdict verdict = Verdict::Ok;
    Language language = Language::Chinese;  // of the verdict word and field
    TimeStampText takenAt{};                // the record's time stamp field, local time
    // The judging values in force and the unit shown ("mm", "in", "°" or empty).
    float nominal = 0.0f;
    float upperTolerance = 0.0f;
    float lowerTolerance = 0.0f;
    std::string unit;
    TraceValues trace;
    std::optional<JournalPlanStamp> planned;  // none: no plan was in force
};

// The five fields the list and the record files held of the record, byte for byte.
RecordFields recordFieldsOf(const JournalRecord& record);
// Whether the record lay in the warning zone as it was taken. The journal keeps the zone only
// with the plan a record was taken for: a record taken without a plan never warns again.
bool recordWarned(const JournalRecord& record);
// The record's part and characteristic of a plan, or none, put back as the stamp of row index.
void putBackPlanStamp(PlanStamps& stamps, std::uint32_t index, const JournalRecord& record);

// Where the walk through the plan in force stands, after a record or the operator's step (a
// skip, a step back, a serial, another plan); a new session starts with none.
struct JournalPlanPlace {
    std::shared_ptr<const InspectionPlan> plan;  // none: no plan in force
    PlanWalk::Position position;
};

// Something that happened to the records of the list.
struct JournalMark {
    using Kind = journal_schema::MarkKind;  // never Declined: that is the journal's own
    Kind kind;
    std::uint32_t upTo = 0;  // the number of the last record a save covered
    LocalDateTime at;
};

// The answer to the offer to put back what a run that did not end normally left unsaved:
// taken, the list goes on with the records put back; refused, it is not offered again.
struct JournalRestoreAnswer {
    std::int64_t list = 0;
    bool restored = false;
    LocalDateTime at;
};

// The program ends normally.
struct JournalEnd {};

// A gauge study that took all its readings, kept apart from the records.
using JournalGaugeStudy = FinishedGaugeStudy;

// A line of the alarm log of the list the records go to (or last went to, after a Clear).
using JournalAlarm = AlarmEntry;

using JournalEntry = std::variant<JournalRecord, JournalMark, JournalRestoreAnswer, JournalEnd,
                                  JournalPlanPlace, JournalGaugeStudy, JournalAlarm>;

// The records at the end of the journal that no save, autosave or Clear covered, left by a
// run that did not end normally.
struct UnsavedRecords {
    std::int64_t list = 0;
    std::uint32_t count = 0;
    std::string first;  // taken at ("YYYY-MM-DD hh:mm:ss"), of the first and the last of them
    std::string last;
    std::int64_t lastSeq = 0;  // the journal's row of the list's last record
    JournalPlanPlace place;    // where the plan's walk stood as that run ended
};

// One run of this window's records as the journal holds it: the list from a start or a Clear
// to the next, the rows that pruning left of it.
struct JournalRun {
    std::int64_t list = 0;
    std::string first;  // taken at ("YYYY-MM-DD hh:mm:ss"), of its first and last record
    std::string last;
    std::uint32_t count = 0;
    std::uint32_t unsaved = 0;  // after the last save or autosave that covered it
    bool whole = true;          // no row of it pruned: it can go back into the list
    bool inList = false;        // the list the window holds now
    // The distinct values its records were stamped with, in the order first met; none empty.
    std::vector<std::string> parts;
    std::vector<std::string> characteristics;
    std::vector<std::string> lots;
};

// Why the journal cannot be written; the user is told once.
struct JournalError {
    // NotOurs: the file is another program's, or a newer Mensora's.
    enum class Cause : std::uint8_t { DiskFull, FolderNotWritable, NotOurs, Other };
    Cause cause = Cause::Other;
    std::string path;    // the journal file, or empty when the data folder itself is missing
    std::string detail;  // the database's own words, for NotOurs and Other
};

}  // namespace mensora
