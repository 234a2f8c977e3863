#include "journal/journal_file.h"

#include <algorithm>
#include <functional>
#include <utility>

#include "files/plan_store.h"
#include "journal/journal_schema.h"
#include "journal/journal_time.h"

namespace mensora {
namespace {

// The tables. journal_run, plant_sent and the view journal_record are read by the plant's
// sender with its own connection (journal_outbox.h): their names stay as they are, and the
// view's columns stand in the order journal_schema.h gives. A record's row
// holds what cannot be made again from the others (the value field only where it is not the
// list's text in blanks); the judging values and the trace values sit in side tables that a
// record names, so that a million records stay small. Every journal, new or old, is made at
// layout 1 and then stepped up.
constexpr const char* kSchema = R"sql(
PRAGMA journal_mode = WAL;
PRAGMA synchronous = FULL;
PRAGMA journal_size_limit = 4194304;
BEGIN IMMEDIATE;
CREATE TABLE IF NOT EXISTS journal_run (run_id TEXT NOT NULL);
INSERT INTO journal_run (run_id)
  SELECT lower(hex(randomblob(16))) WHERE NOT EXISTS (SELECT 1 FROM journal_run);
CREATE TABLE IF NOT EXISTS plant_sent (up_to INTEGER);
INSERT INTO plant_sent (up_to) SELECT NULL WHERE NOT EXISTS (SELECT 1 FROM plant_sent);
CREATE TABLE IF NOT EXISTS journal_session (
  id INTEGER PRIMARY KEY,
  started_at INTEGER NOT NULL,
  ended_normally INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS journal_parameters (
  id INTEGER PRIMARY KEY,
  nominal REAL NOT NULL,
  upper_tolerance REAL NOT NULL,
  lower_tolerance REAL NOT NULL,
  unit TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS journal_trace (
  id INTEGER PRIMARY KEY,
  part TEXT NOT NULL,
  characteristic TEXT NOT NULL,
  lot TEXT NOT NULL,
  operator TEXT NOT NULL,
  gauge_id TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS journal_entry (
  seq INTEGER PRIMARY KEY AUTOINCREMENT,
  list_id INTEGER NOT NULL,
  number INTEGER NOT NULL,
  value_text TEXT NOT NULL,
  value_field BLOB,
  value REAL NOT NULL,
  error REAL NOT NULL,
  places INTEGER NOT NULL,
  verdict INTEGER NOT NULL,
  language INTEGER NOT NULL,
  taken INTEGER NOT NULL,
  parameters_id INTEGER NOT NULL,
  trace_id INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS journal_mark (
  id INTEGER PRIMARY KEY,
  list_id INTEGER NOT NULL,
  kind INTEGER NOT NULL,
  up_to INTEGER NOT NULL,
  at INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS journal_mark_list ON journal_mark (list_id, kind);
CREATE INDEX IF NOT EXISTS journal_entry_list ON journal_entry (list_id, number);
CREATE VIEW IF NOT EXISTS journal_record AS
  SELECT e.seq AS seq, e.number AS number, e.value_text AS value_text, e.value AS value,
         e.error AS error, e.verdict AS verdict, datetime(e.taken, 'unixepoch') AS taken_at,
         p.nominal AS nominal, p.upper_tolerance AS upper_tolerance,
         p.lower_tolerance AS lower_tolerance, p.unit AS unit, t.part AS part,
         t.characteristic AS characteristic, t.lot AS lot, t.operator AS operator,
         t.gauge_id AS gauge_id
  FROM journal_entry e
  JOIN journal_parameters p ON p.id = e.parameters_id
  JOIN journal_trace t ON t.id = e.trace_id;
CREATE TABLE IF NOT EXISTS journal_gauge_study (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  finished INTEGER NOT NULL,
  gauge_id TEXT NOT NULL,
  unit TEXT NOT NULL,
  reference REAL NOT NULL,
  tolerance REAL NOT NULL,
  readings TEXT NOT NULL,
  places INTEGER NOT NULL,
  mean REAL NOT NULL,
  sigma REAL NOT NULL,
  bias REAL NOT NULL,
  cg REAL,
  cgk REAL,
  capable INTEGER NOT NULL,
  step_too_coarse INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS journal_alarm (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  list_id INTEGER NOT NULL,
  number INTEGER NOT NULL,
  kind INTEGER NOT NULL,
  at INTEGER NOT NULL,
  rule INTEGER,
  range_chart INTEGER,
  characteristic TEXT,
  first_record INTEGER,
  last_record INTEGER,
  acknowledges INTEGER,
  cause TEXT,
  note TEXT);
COMMIT;
)sql";

// Layout 2: each record's plan (kept once as its file's text), its part among the list's parts,
// the characteristic's place and the part's serial; and one row for where the walk through the
// plan in force stands (latest: a character a characteristic, '-' not measured, else the
// verdict's code). The view keeps its columns and order, the serial added at the end.
static_assert(journal_schema::kVersion == 2);
constexpr const char* kLayout2 = R"sql(
BEGIN IMMEDIATE;
CREATE TABLE journal_plan (id INTEGER PRIMARY KEY, plan TEXT NOT NULL);
ALTER TABLE journal_entry ADD COLUMN plan_id INTEGER;
ALTER TABLE journal_entry ADD COLUMN plan_part INTEGER NOT NULL DEFAULT 0;
ALTER TABLE journal_entry ADD COLUMN plan_characteristic INTEGER NOT NULL DEFAULT 0;
ALTER TABLE journal_entry ADD COLUMN part_serial TEXT;
CREATE TABLE journal_walk (
  plan_id INTEGER,
  due INTEGER NOT NULL,
  serial TEXT NOT NULL,
  part_in_lot INTEGER NOT NULL,
  latest TEXT NOT NULL,
  started INTEGER NOT NULL,
  serial_typed INTEGER NOT NULL,
  next_serial TEXT NOT NULL);
INSERT INTO journal_walk VALUES (NULL, 0, '', 1, '', 0, 0, '');
DROP VIEW journal_record;
CREATE VIEW journal_record AS
  SELECT e.seq AS seq, e.number AS number, e.value_text AS value_text, e.value AS value,
         e.error AS error, e.verdict AS verdict, datetime(e.taken, 'unixepoch') AS taken_at,
         p.nominal AS nominal, p.upper_tolerance AS upper_tolerance,
         p.lower_tolerance AS lower_tolerance, p.unit AS unit, t.part AS part,
         t.characteristic AS characteristic, t.lot AS lot, t.operator AS operator,
         t.gauge_id AS gauge_id, e.part_serial AS part_serial
  FROM journal_entry e
  JOIN journal_parameters p ON p.id = e.parameters_id
  JOIN journal_trace t ON t.id = e.trace_id;
PRAGMA user_version = 2;
COMMIT;
)sql";

// Local times are kept as the seconds SQLite's calendar counts to them as if they were UTC
// (unixepoch), so that datetime(..., 'unixepoch') gives back the same text.
constexpr const char* kInsertRecord =
    "INSERT INTO journal_entry (list_id, number, value_text, value_field, value, error, places,"
    " verdict, language, taken, parameters_id, trace_id, plan_id, plan_part, plan_characteristic,"
    " part_serial)"
    " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, unixepoch(?10), ?11, ?12, ?13, ?14, ?15, ?16)";
constexpr const char* kInsertStudy =
    "INSERT INTO journal_gauge_study (finished, gauge_id, unit, reference, tolerance, readings,"
    " places, mean, sigma, bias, cg, cgk, capable, step_too_coarse)"
    " VALUES (unixepoch(?1), ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14)";
// A raised alarm leaves the columns of an acknowledgement NULL, and the other way round.
constexpr const char* kInsertAlarm =
    "INSERT INTO journal_alarm (list_id, number, kind, at, rule, range_chart,"
    " characteristic, first_record, last_record, acknowledges, cause, note)"
    " VALUES (?1, ?2, ?3, unixepoch(?4), ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12)";
constexpr const char* kInsertMark = "INSERT INTO journal_mark (list_id, kind, up_to, at)"
                                    " VALUES (?1, ?2, ?3, unixepoch(?4))";
constexpr const char* kFindParameters =
    "SELECT id FROM journal_parameters"
    " WHERE nominal = ?1 AND upper_tolerance = ?2 AND lower_tolerance = ?3 AND unit = ?4";
constexpr const char* kInsertParameters =
    "INSERT INTO journal_parameters (nominal, upper_tolerance, lower_tolerance, unit)"
    " VALUES (?1, ?2, ?3, ?4)";
constexpr const char* kFindTrace =
    "SELECT id FROM journal_trace"
    " WHERE part = ?1 AND characteristic = ?2 AND lot = ?3 AND operator = ?4 AND gauge_id = ?5";
constexpr const char* kInsertTrace =
    "INSERT INTO journal_trace (part, characteristic, lot, operator, gauge_id)"
    " VALUES (?1, ?2, ?3, ?4, ?5)";
constexpr const char* kFindPlan = "SELECT id FROM journal_plan WHERE plan = ?1";
constexpr const char* kInsertPlan = "INSERT INTO journal_plan (plan) VALUES (?1)";
constexpr const char* kPlanText = "SELECT plan FROM journal_plan WHERE id = ?1";
constexpr const char* kKeepPlace =
    "UPDATE journal_walk SET plan_id = ?1, due = ?2, serial = ?3, part_in_lot = ?4, latest = ?5,"
    " started = ?6, serial_typed = ?7, next_serial = ?8";
constexpr const char* kReadPlace =
    "SELECT plan_id, due, serial, part_in_lot, latest, started, serial_typed, next_serial"
    " FROM journal_walk WHERE plan_id IS NOT NULL";
constexpr const char* kForgetPlace = "UPDATE journal_walk SET plan_id = NULL";
constexpr const char* kEndSession = "UPDATE journal_session SET ended_normally = 1 WHERE id = ?1";
constexpr const char* kStartSession =
    "INSERT INTO journal_session (started_at) VALUES (unixepoch(?1))";
// What the start reads is found by an index or in the small table of marks, so that a start
// costs the same on a journal of millions of rows. A list whose rows were pruned has its save
// marks.
constexpr const char* kLastList =
    "SELECT max(coalesce((SELECT max(list_id) FROM journal_entry), 0),"
    " coalesce((SELECT max(list_id) FROM journal_mark), 0))";
// A row goes only when a record file holds it, it is old enough and the plant has it (or
// there is no plant). One slice of rows at a time (?3 < seq <= ?4), each in a transaction of
// its own: a slice is found by the row's key, so it costs the same at any size of journal.
constexpr const char* kPruneSlice =
    "DELETE FROM journal_entry"
    " WHERE seq > ?3 AND seq <= ?4"
    " AND taken < unixepoch(?1) - ?2 * 86400"
    " AND number <= (SELECT coalesce(max(m.up_to), 0) FROM journal_mark m"
    "                WHERE m.list_id = journal_entry.list_id AND m.kind IN (?5, ?6))"
    " AND coalesce(seq <= (SELECT up_to FROM plant_sent), 1)";
constexpr const char* kRows = "SELECT coalesce((SELECT min(seq) FROM journal_entry), 1) - 1,"
                              " coalesce((SELECT max(seq) FROM journal_entry), 0)";
constexpr const char* kPreviousRunEndedNormally =
    "SELECT ended_normally FROM journal_session ORDER BY id DESC LIMIT 1";
constexpr const char* kLatestList =
    "SELECT seq, list_id, number FROM journal_entry ORDER BY seq DESC LIMIT 1";
// Ended by a Clear or a refusal since it was last put back.
constexpr const char* kListEnded =
    "SELECT EXISTS (SELECT 1 FROM journal_mark WHERE list_id = ?1 AND kind IN (?2, ?3)"
    " AND id > (SELECT coalesce(max(id), 0) FROM journal_mark WHERE list_id = ?1 AND kind = ?4))";
constexpr const char* kSavedUpTo =
    "SELECT coalesce(max(up_to), 0) FROM journal_mark WHERE list_id = ?1 AND kind IN (?2, ?3)";
// Unsaved rows are never pruned, and a list put back from its earlier run goes on after other
// lists' rows: the index finds them by list and number.
constexpr const char* kUnsavedOfList = "SELECT count(*), min(seq), max(seq) FROM journal_entry"
                                       " WHERE list_id = ?1 AND number > ?2";
constexpr const char* kTakenAt =
    "SELECT datetime(taken, 'unixepoch') FROM journal_entry WHERE seq = ?1";
constexpr const char* kReadList =
    "SELECT e.number, e.value_text, e.value_field, e.value, e.error, e.places, e.verdict,"
    " e.language, datetime(e.taken, 'unixepoch'), p.nominal, p.upper_tolerance,"
    " p.lower_tolerance, p.unit, t.part, t.characteristic, t.lot, t.operator, t.gauge_id,"
    " e.plan_id, e.plan_part, e.plan_characteristic, e.part_serial"
    " FROM journal_entry e"
    " JOIN journal_parameters p ON p.id = e.parameters_id"
    " JOIN journal_trace t ON t.id = e.trace_id"
    " WHERE e.list_id = ?1 AND e.seq <= ?2 ORDER BY e.seq";

// A list's rows lie together in the index on (list, number).
constexpr const char* kRuns =
    "SELECT list_id, count(*), min(number), max(number), min(seq), max(seq),"
    " (SELECT coalesce(max(m.up_to), 0) FROM journal_mark m"
    "  WHERE m.list_id = e.list_id AND m.kind IN (?1, ?2))"
    " FROM journal_entry e GROUP BY list_id ORDER BY max(seq) DESC";
constexpr const char* kRunTraces =
    "SELECT DISTINCT e.list_id, t.id, t.part, t.characteristic, t.lot"
    " FROM journal_entry e JOIN journal_trace t ON t.id = e.trace_id ORDER BY e.list_id, t.id";

using journal_schema::MarkKind;

// Rows a slice of the pruning looks at: a few milliseconds of work, so that a record taken
// while an old journal is pruned waits at most that long for its commit.
constexpr std::int64_t kPruneSliceRows = 2000;
// How long a statement waits while the plant's sender notes what it sent.
constexpr int kLockWaitMs = 2000;

void bindKinds(SqliteStatement& s, int first, MarkKind one, MarkKind other) {
    s.bind(first, static_cast<std::int64_t>(one));
    s.bind(first + 1, static_cast<std::int64_t>(other));
}

constexpr char kNotMeasured = '-';

std::string verdictsText(const std::vector<std::optional<Verdict>>& verdicts) {
    std::string text;
    for (const auto& verdict : verdicts) {
        text += verdict ? static_cast<char>('0' + static_cast<int>(*verdict)) : kNotMeasured;
    }
    return text;
}

std::vector<std::optional<Verdict>> verdictsOf(std::string_view text) {
    std::vector<std::optional<Verdict>> verdicts;
    for (const char c : text) {
        verdicts.push_back(c == kNotMeasured ? std::nullopt : journal_schema::verdictOf(c - '0'));
    }
    return verdicts;
}

}  // namespace

ValueFieldText paddedValueText(std::string_view text) {
    ValueFieldText field;
    field.fill(' ');
    std::copy_n(text.begin(), std::min(text.size(), field.size()), field.begin());
    return field;
}

JournalFile::JournalFile(std::unique_ptr<SqliteDatabase> db, std::string path)
    : db_(std::move(db)), path_(std::move(path)) {}

JournalFile::~JournalFile() = default;

std::unique_ptr<JournalFile> JournalFile::open(const std::string& path, JournalError& error) {
    SqliteFailure failure = SqliteFailure::Other;
    std::string detail;
    auto db = SqliteDatabase::open(path, true, failure, detail);
    if (!db) {
        error = errorOf(failure, path, detail);
        return nullptr;
    }
    db->waitForLocks(kLockWaitMs);
    if (auto why = journal_schema::refusal(*db, true)) {
        error = {JournalError::Cause::NotOurs, path, *why};
        return nullptr;
    }
    std::unique_ptr<JournalFile> file(new JournalFile(std::move(db), path));
    bool made = file->db_->exec(kSchema);
    if (made) {
        const auto version = file->db_->pragma("user_version");
        made = version && (*version >= journal_schema::kVersion || file->db_->exec(kLayout2));
    }
    if (!made) {
        error = file->failureOrOther();
        return nullptr;
    }
    return file;
}

JournalError JournalFile::errorOf(SqliteFailure failure, const std::string& path,
                                  const std::string& detail) {
    switch (failure) {
        case SqliteFailure::DiskFull: return {JournalError::Cause::DiskFull, path, {}};
        case SqliteFailure::NotWritable: return {JournalError::Cause::FolderNotWritable, path, {}};
        default: return {JournalError::Cause::Other, path, detail};
    }
}

std::optional<JournalError> JournalFile::failure() const {
    const SqliteFailure why = db_->failure();
    if (why == SqliteFailure::None) return std::nullopt;
    return errorOf(why, path_, db_->detail());
}

JournalError JournalFile::failureOrOther() const {
    return failure().value_or(JournalError{JournalError::Cause::Other, path_, {}});
}

std::optional<JournalError> JournalFile::startSession(const LocalDateTime& now,
                                                      std::optional<UnsavedRecords>& unsaved) {
    if (!db_->exec("BEGIN IMMEDIATE")) return failure();
    unsaved = unsavedRecords();
    JournalPlanPlace place;
    bool done = takePlace(place);
    if (unsaved) unsaved->place = std::move(place);
    SqliteStatement s = done ? db_->statement(kStartSession) : SqliteStatement();
    done = static_cast<bool>(s);
    if (done) {
        s.bind(1, journalTime(now));
        done = s.run();
        session_ = db_->lastInsertedRow();
    }
    s = done ? db_->statement(kLastList) : SqliteStatement();
    done = s && s.step() == SqliteStatement::Step::Row;
    if (done) lastList_ = s.integer(0);
    s = done ? db_->statement(kRows) : SqliteStatement();
    done = s && s.step() == SqliteStatement::Step::Row;
    if (done) {
        pruneAfter_ = s.integer(0);
        pruneEnd_ = lastSeq_ = s.integer(1);
    }
    s = SqliteStatement();
    if (done && db_->exec("COMMIT")) return std::nullopt;
    const JournalError why = failureOrOther();
    db_->exec("ROLLBACK");
    unsaved.reset();
    return why;
}

bool JournalFile::pruneSlice(const LocalDateTime& now, int keepDays) {
    if (keepDays <= 0 || pruneAfter_ >= pruneEnd_) return false;
    const std::int64_t to = std::min(pruneAfter_ + kPruneSliceRows, pruneEnd_);
    bool done = db_->exec("BEGIN IMMEDIATE");
    if (done) {
        SqliteStatement s = db_->statement(kPruneSlice);
        done = static_cast<bool>(s);
        if (done) {
            s.bind(1, journalTime(now));
            s.bind(2, static_cast<std::int64_t>(keepDays));
            s.bind(3, pruneAfter_);
            s.bind(4, to);
            bindKinds(s, 5, MarkKind::Saved, MarkKind::Autosaved);
            done = s.run();
        }
    }
    if (done && db_->exec("COMMIT")) {
        pruneAfter_ = to;
        return pruneAfter_ < pruneEnd_;
    }
    db_->exec("ROLLBACK");
    return false;
}

std::optional<UnsavedRecords> JournalFile::unsavedRecords() {
    using Step = SqliteStatement::Step;
    SqliteStatement s = db_->statement(kPreviousRunEndedNormally);
    if (!s || s.step() != Step::Row || s.integer(0) != 0) return std::nullopt;
    UnsavedRecords found;
    s = db_->statement(kLatestList);
    if (!s || s.step() != Step::Row) return std::nullopt;
    found.list = s.integer(1);
    s = db_->statement(kListEnded);
    if (!s) return std::nullopt;
    s.bind(1, found.list);
    bindKinds(s, 2, MarkKind::Cleared, MarkKind::Declined);
    s.bind(4, static_cast<std::int64_t>(MarkKind::Resumed));
    if (s.step() != Step::Row || s.integer(0) != 0) return std::nullopt;
    s = db_->statement(kSavedUpTo);
    if (!s) return std::nullopt;
    s.bind(1, found.list);
    bindKinds(s, 2, MarkKind::Saved, MarkKind::Autosaved);
    if (s.step() != Step::Row) return std::nullopt;
    const std::int64_t savedUpTo = s.integer(0);
    s = db_->statement(kUnsavedOfList);
    if (!s) return std::nullopt;
    s.bind(1, found.list);
    s.bind(2, savedUpTo);
    if (s.step() != Step::Row || s.integer(0) == 0) return std::nullopt;
    found.count = static_cast<std::uint32_t>(s.integer(0));
    const std::int64_t firstSeq = s.integer(1);
    found.lastSeq = s.integer(2);
    s = SqliteStatement();
    if (!takenAt(firstSeq, found.first) || !takenAt(found.lastSeq, found.last)) return std::nullopt;
    return found;
}

bool JournalFile::takenAt(std::int64_t seq, std::string& time) {
    SqliteStatement s = db_->statement(kTakenAt);
    if (!s) return false;
    s.bind(1, seq);
    if (s.step() == SqliteStatement::Step::Row) time = s.text(0);
    return true;
}

namespace {

void addDistinct(std::vector<std::string>& values, std::string value) {
    if (value.empty() || std::find(values.begin(), values.end(), value) != values.end()) return;
    values.push_back(std::move(value));
}

}  // namespace

std::optional<JournalError> JournalFile::readRuns(std::vector<JournalRun>& runs) {
    using Step = SqliteStatement::Step;
    std::map<std::int64_t, std::size_t> byList;
    std::vector<std::pair<std::int64_t, std::int64_t>> ends;  // first and last row of each
    {
        SqliteStatement s = db_->statement(kRuns);
        if (!s) return failure();
        bindKinds(s, 1, MarkKind::Saved, MarkKind::Autosaved);
        Step stepped = Step::Row;
        while ((stepped = s.step()) == Step::Row) {
            JournalRun& run = runs.emplace_back();
            run.list = s.integer(0);
            run.count = static_cast<std::uint32_t>(s.integer(1));
            const std::int64_t lastNumber = s.integer(3);
            run.whole = s.integer(2) == 1 && lastNumber == s.integer(1);
            run.unsaved = static_cast<std::uint32_t>(std::max<std::int64_t>(
                0, std::min<std::int64_t>(lastNumber - s.integer(6), run.count)));
            run.inList = run.list == list_;
            ends.emplace_back(s.integer(4), s.integer(5));
            byList.emplace(run.list, runs.size() - 1);
        }
        if (stepped != Step::Done) return failure();
    }
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (!takenAt(ends[i].first, runs[i].first) || !takenAt(ends[i].second, runs[i].last)) {
            return failure();
        }
    }
    SqliteStatement s = db_->statement(kRunTraces);
    if (!s) return failure();
    Step stepped = Step::Row;
    while ((stepped = s.step()) == Step::Row) {
        JournalRun& run = runs[byList.at(s.integer(0))];
        addDistinct(run.parts, s.text(2));
        addDistinct(run.characteristics, s.text(3));
        addDistinct(run.lots, s.text(4));
    }
    if (stepped != Step::Done) return failure();
    return std::nullopt;
}

std::optional<JournalError> JournalFile::write(const std::vector<JournalEntry>& entries) {
    if (!db_->exec("BEGIN IMMEDIATE")) return failure();
    const std::int64_t list = list_;
    const std::int64_t lastList = lastList_;
    const std::int64_t lastSeq = lastSeq_;
    bool done = true;
    for (const JournalEntry& entry : entries) {
        done = apply(entry);
        if (!done) break;
    }
    if (done && db_->exec("COMMIT")) return std::nullopt;
    const JournalError why = failureOrOther();
    db_->exec("ROLLBACK");
    list_ = list;
    lastList_ = lastList;
    lastSeq_ = lastSeq;
    forgetSideRows();
    return why;
}

bool JournalFile::apply(const JournalEntry& entry) {
    if (const auto* record = std::get_if<JournalRecord>(&entry)) return insert(*record);
    if (const auto* m = std::get_if<JournalMark>(&entry)) {
        if (list_ == 0) return true;  // nothing recorded since start or Clear
        const bool done = mark(list_, m->kind, m->upTo, m->at);
        if (m->kind == JournalMark::Kind::Cleared) list_ = 0;
        return done;
    }
    if (const auto* place = std::get_if<JournalPlanPlace>(&entry)) return keepPlace(*place);
    if (const auto* study = std::get_if<JournalGaugeStudy>(&entry)) return insert(*study);
    if (const auto* alarm = std::get_if<JournalAlarm>(&entry)) return insert(*alarm);
    if (const auto* answer = std::get_if<JournalRestoreAnswer>(&entry)) {
        if (!answer->restored) return mark(answer->list, MarkKind::Declined, 0, answer->at);
        list_ = answer->list;
        return mark(list_, MarkKind::Resumed, 0, answer->at);
    }
    SqliteStatement s = db_->statement(kEndSession);
    if (!s) return false;
    s.bind(1, session_);
    return s.run();
}

bool JournalFile::insert(const JournalGaugeStudy& study) {
    SqliteStatement s = db_->statement(kInsertStudy);
    if (!s) return false;
    const GaugeStudyFigures& figures = study.figures;
    s.bind(1, journalTime(study.finishedAt));
    s.bind(2, study.gaugeId);
    s.bind(3, study.unit);
    s.bind(4, study.setup.reference);
    s.bind(5, study.setup.tolerance);
    s.bind(6, studyReadingsText(study.readings));
    s.bind(7, std::int64_t{figures.decimalPlaces});
    s.bind(8, figures.mean);
    s.bind(9, figures.sigma);
    s.bind(10, figures.bias);
    for (const auto& [index, value] : {std::pair{11, figures.cg}, std::pair{12, figures.cgk}}) {
        if (value) {
            s.bind(index, *value);
        } else {
            s.bindNull(index);
        }
    }
    s.bind(13, std::int64_t{figures.capable});
    s.bind(14, std::int64_t{figures.stepTooCoarse});
    return s.run();
}

bool JournalFile::insert(const JournalAlarm& alarm) {
    SqliteStatement s = db_->statement(kInsertAlarm);
    if (!s) return false;
    // After a Clear the log still belongs to the list it was raised on.
    s.bind(1, list_ != 0 ? list_ : lastList_);
    s.bind(2, static_cast<std::int64_t>(alarm.number));
    s.bind(3, static_cast<std::int64_t>(alarm.kind));
    s.bind(4, journalTime(alarm.at));
    if (alarm.kind == AlarmKind::Raised) {
        s.bind(5, std::int64_t{alarm.rule});
        s.bind(6, std::int64_t{alarm.rangeChart});
        s.bind(7, alarm.characteristic);
        s.bind(8, static_cast<std::int64_t>(alarm.firstRecord));
        s.bind(9, static_cast<std::int64_t>(alarm.lastRecord));
    } else {
        if (const auto raised = alarmRows_.find(alarm.acknowledges); raised != alarmRows_.end()) {
            s.bind(10, raised->second);
        }
        s.bind(11, alarm.cause);
        s.bind(12, alarm.note);
    }
    if (!s.run()) return false;
    if (alarm.kind == AlarmKind::Raised) alarmRows_[alarm.number] = db_->lastInsertedRow();
    return true;
}

bool JournalFile::insert(const JournalRecord& record) {
    const auto parameters = parametersId(record);
    const auto trace = parameters ? traceId(record.trace) : std::nullopt;
    std::optional<std::int64_t> plan;
    if (record.planned && record.planned->plan) {
        plan = planId(record.planned->plan);
        if (!plan) return false;
    }
    SqliteStatement s = trace ? db_->statement(kInsertRecord) : SqliteStatement();
    if (!s) return false;
    if (list_ == 0) list_ = ++lastList_;
    s.bind(1, list_);
    s.bind(2, static_cast<std::int64_t>(record.number));
    s.bind(3, record.valueText);
    if (record.valueField != paddedValueText(record.valueText)) s.bindBytes(4, record.valueField);
    s.bind(5, static_cast<double>(record.value));
    s.bind(6, static_cast<double>(record.error));
    s.bind(7, static_cast<std::int64_t>(record.decimalPlaces));
    s.bind(8, static_cast<std::int64_t>(record.verdict));
    s.bind(9, static_cast<std::int64_t>(record.language));
    s.bind(10, journalTime(std::string_view(record.takenAt.data(), record.takenAt.size())));
    s.bind(11, *parameters);
    s.bind(12, *trace);
    if (plan) s.bind(13, *plan);
    if (record.planned) {
        s.bind(14, static_cast<std::int64_t>(record.planned->part));
        s.bind(15, static_cast<std::int64_t>(record.planned->characteristic));
        s.bind(16, record.planned->serial);
    } else {
        s.bind(14, std::int64_t{0});
        s.bind(15, std::int64_t{0});
    }
    if (!s.run()) return false;
    lastSeq_ = db_->lastInsertedRow();
    return true;
}

bool JournalFile::mark(std::int64_t list, MarkKind kind, std::uint32_t upTo,
                       const LocalDateTime& at) {
    SqliteStatement s = db_->statement(kInsertMark);
    if (!s) return false;
    s.bind(1, list);
    s.bind(2, static_cast<std::int64_t>(kind));
    s.bind(3, static_cast<std::int64_t>(upTo));
    s.bind(4, journalTime(at));
    return s.run();
}

std::optional<std::int64_t> JournalFile::parametersId(const JournalRecord& record) {
    return knownSideRow(
        parameterIds_,
        std::tuple(record.nominal, record.upperTolerance, record.lowerTolerance, record.unit),
        kFindParameters, kInsertParameters, [&](SqliteStatement& s) {
            s.bind(1, static_cast<double>(record.nominal));
            s.bind(2, static_cast<double>(record.upperTolerance));
            s.bind(3, static_cast<double>(record.lowerTolerance));
            s.bind(4, record.unit);
        });
}

std::optional<std::int64_t> JournalFile::traceId(const TraceValues& trace) {
    return knownSideRow(
        traceIds_,
        std::tuple(trace.part, trace.characteristic, trace.lot, trace.operatorName, trace.gaugeId),
        kFindTrace, kInsertTrace, [&](SqliteStatement& s) {
            s.bind(1, trace.part);
            s.bind(2, trace.characteristic);
            s.bind(3, trace.lot);
            s.bind(4, trace.operatorName);
            s.bind(5, trace.gaugeId);
        });
}

std::optional<std::int64_t> JournalFile::planId(const std::shared_ptr<const InspectionPlan>& plan) {
    std::string text;  // made only for a plan not met before
    return knownSideRow(planIds_, plan, kFindPlan, kInsertPlan, [&](SqliteStatement& s) {
        if (text.empty()) text = planJson(*plan);
        s.bind(1, text);
    });
}

bool JournalFile::keepPlace(const JournalPlanPlace& place) {
    std::optional<std::int64_t> plan;
    if (place.plan) {
        plan = planId(place.plan);
        if (!plan) return false;
    }
    SqliteStatement s = db_->statement(kKeepPlace);
    if (!s) return false;
    const PlanWalk::Position& at = place.position;
    if (plan) s.bind(1, *plan);
    s.bind(2, static_cast<std::int64_t>(at.due));
    s.bind(3, at.serial);
    s.bind(4, static_cast<std::int64_t>(at.partInLot));
    s.bind(5, verdictsText(at.latest));
    s.bind(6, std::int64_t{at.started});
    s.bind(7, std::int64_t{at.serialTyped});
    s.bind(8, at.nextSerial);
    return s.run();
}

bool JournalFile::takePlace(JournalPlanPlace& place) {
    SqliteStatement s = db_->statement(kReadPlace);
    if (!s) return false;
    const SqliteStatement::Step read = s.step();
    if (read == SqliteStatement::Step::Row) {
        std::map<std::int64_t, std::shared_ptr<const InspectionPlan>> plans;
        place.plan = keptPlan(s.integer(0), plans);
        PlanWalk::Position& at = place.position;
        at.due = static_cast<std::size_t>(s.integer(1));
        at.serial = s.text(2);
        at.partInLot = static_cast<unsigned>(s.integer(3));
        at.latest = verdictsOf(s.text(4));
        at.started = s.integer(5) != 0;
        at.serialTyped = s.integer(6) != 0;
        at.nextSerial = s.text(7);
    } else if (read != SqliteStatement::Step::Done) {
        return false;
    }
    s = db_->statement(kForgetPlace);
    return s && s.run();
}

std::shared_ptr<const InspectionPlan> JournalFile::keptPlan(
    std::int64_t id, std::map<std::int64_t, std::shared_ptr<const InspectionPlan>>& read) {
    if (const auto found = read.find(id); found != read.end()) return found->second;
    std::shared_ptr<const InspectionPlan> plan;
    SqliteStatement s = db_->statement(kPlanText);
    if (s) {
        s.bind(1, id);
        if (s.step() == SqliteStatement::Step::Row) {
            // A plan this Mensora cannot read is none: its records come back without it.
            if (auto parsed = planFromJson(s.text(0))) {
                plan = std::make_shared<const InspectionPlan>(std::move(*parsed));
            }
        }
    }
    read.emplace(id, plan);
    return plan;
}

template <typename Key>
std::optional<std::int64_t> JournalFile::knownSideRow(
    std::map<Key, std::int64_t>& known, Key key, const char* find, const char* insert,
    const std::function<void(SqliteStatement&)>& bind) {
    if (const auto found = known.find(key); found != known.end()) return found->second;
    const auto id = sideRow(find, insert, bind);
    if (id) known.emplace(std::move(key), *id);
    return id;
}

std::optional<std::int64_t> JournalFile::sideRow(
    const char* find, const char* insert, const std::function<void(SqliteStatement&)>& bind) {
    SqliteStatement s = db_->statement(find);
    if (!s) return std::nullopt;
    bind(s);
    const SqliteStatement::Step found = s.step();
    if (found == SqliteStatement::Step::Row) return s.integer(0);
    s = found == SqliteStatement::Step::Done ? db_->statement(insert) : SqliteStatement();
    if (!s) return std::nullopt;
    bind(s);
    if (!s.run()) return std::nullopt;
    return db_->lastInsertedRow();
}

void JournalFile::forgetSideRows() {
    parameterIds_.clear();
    traceIds_.clear();
    planIds_.clear();
}

std::optional<JournalError> JournalFile::readList(std::int64_t list, std::int64_t lastSeq,
                                                  std::vector<JournalRecord>& records) {
    SqliteStatement s = db_->statement(kReadList);
    if (!s) return failure();
    s.bind(1, list);
    s.bind(2, lastSeq);
    std::map<std::int64_t, std::shared_ptr<const InspectionPlan>> plans;
    SqliteStatement::Step stepped = SqliteStatement::Step::Row;
    while ((stepped = s.step()) == SqliteStatement::Step::Row) {
        JournalRecord& r = records.emplace_back();
        r.number = static_cast<std::uint32_t>(s.integer(0));
        r.valueText = s.text(1);
        r.valueField = paddedValueText(r.valueText);
        if (const auto field = s.bytes(2); field.size() == r.valueField.size()) {
            std::copy(field.begin(), field.end(), r.valueField.begin());
        }
        r.value = static_cast<float>(s.number(3));
        r.error = static_cast<float>(s.number(4));
        r.decimalPlaces = static_cast<std::uint8_t>(s.integer(5));
        r.verdict = journal_schema::verdictOf(s.integer(6)).value_or(Verdict::Ok);
        r.language = static_cast<Language>(s.integer(7));
        r.takenAt = timeStampField(s.text(8));
        r.nominal = static_cast<float>(s.number(9));
        r.upperTolerance = static_cast<float>(s.number(10));
        r.lowerTolerance = static_cast<float>(s.number(11));
        r.unit = s.text(12);
        r.trace = {s.text(13), s.text(14), s.text(15), s.text(16), s.text(17)};
        if (const auto part = s.integer(19); part != 0) {
            r.planned = JournalPlanStamp{s.isNull(18) ? nullptr : keptPlan(s.integer(18), plans),
                                         static_cast<std::uint32_t>(part),
                                         static_cast<std::uint16_t>(s.integer(20)), s.text(21)};
        }
    }
    if (stepped != SqliteStatement::Step::Done) return failure();
    return std::nullopt;
}

}  // namespace mensora
