#pragma once
// The journal file's contract with every program that reads it (the plant's sender reads it
// through journal_outbox.h): what marks the file, the codes its rows hold, and the columns of
// the view journal_record in their order. A file marked by another program, or by a newer
// Mensora, is never written to or read.

#include <cstdint>
#include <optional>
#include <string>

#include "base/acquisition_state.h"

namespace mensora {

class SqliteDatabase;

namespace journal_schema {

// PRAGMA application_id: "MNSJ". A journal made before the file was marked holds 0 there and
// is marked when it is next opened.
inline constexpr std::int64_t kApplicationId = 0x4D4E534A;
// PRAGMA user_version: the layout of the tables below. Layout 2 added the plan's part and
// characteristic of each record (part_serial at the end of journal_record) and where the walk
// through the plan stands; a journal of layout 1 is stepped up when it is opened.
inline constexpr std::int64_t kVersion = 2;
// A journal made before the file was marked has layout 1.
inline constexpr std::int64_t kUnmarkedVersion = 1;

// journal_mark.kind: a save or an autosave covered the list up to a record; the list was
// cleared; the offer to put the list back was refused; the list was put back and goes on,
// whatever had ended it before.
enum class MarkKind : std::int64_t {
    Saved = 1,
    Autosaved = 2,
    Cleared = 3,
    Declined = 4,
    Resumed = 5
};

// The columns of the view journal_record, in the view's order.
enum RecordColumn : int {
    Sequence,
    Number,
    ValueText,
    Value,
    Error,
    VerdictCode,
    TakenAt,
    Nominal,
    UpperTolerance,
    LowerTolerance,
    Unit,
    Part,
    Characteristic,
    Lot,
    Operator,
    GaugeId,
    PartSerial,  // NULL: no plan was in force
};

// journal_entry.verdict, as the record's verdict; nullopt for a code no Mensora writes.
std::optional<Verdict> verdictOf(std::int64_t code);

// Why the file at path may not be used (another program's, or a newer Mensora's); nullopt
// when it may. A file of no program yet (new, or made before the mark) is marked as ours, of
// layout 1, when `mark` is set.
std::optional<std::string> refusal(SqliteDatabase& database, bool mark);

}  // namespace journal_schema
}  // namespace mensora
