#include "journal/journal_file.h"

#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "journal/journal_time.h"

namespace mensora {
namespace {

// The tables. journal_run, plant_sent and the view journal_record are read by the plant's
// sender with its own connection: their names and columns stay as they are. A record's row
// holds what cannot be made again from the others (the value field only where it is not the
// list's text in blanks); the judging values and the trace values sit in side tables that a
// record names, so that a million records stay small.
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
COMMIT;
)sql";

// Local times are kept as the seconds SQLite's calendar counts to them as if they were UTC
// (unixepoch), so that datetime(..., 'unixepoch') gives back the same text.
constexpr const char* kInsertRecord =
    "INSERT INTO journal_entry (list_id, number, value_text, value_field, value, error, places,"
    " verdict, language, taken, parameters_id, trace_id)"
    " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, unixepoch(?10), ?11, ?12)";
constexpr const char* kInsertMark =
    "INSERT INTO journal_mark (list_id, kind, up_to, at)"
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
constexpr const char* kEndRun = "UPDATE journal_session SET ended_normally = 1 WHERE id = ?1";
constexpr const char* kStartRun =
    "INSERT INTO journal_session (started_at) VALUES (unixepoch(?1))";
// What the start reads is found by the row's key or in the small table of marks, so that a
// start costs the same on a journal of millions of rows. A list is made after every list
// there is and only the latest list is ever continued, so the last row's list is the highest
// list that holds rows; a list whose rows were pruned has its save marks.
constexpr const char* kLastList =
    "SELECT max(coalesce((SELECT list_id FROM journal_entry ORDER BY seq DESC LIMIT 1), 0),"
    " coalesce((SELECT max(list_id) FROM journal_mark), 0))";
// A row goes only when a record file holds it, it is old enough and the plant has it (or
// there is no plant). One slice of rows at a time (?3 < seq <= ?4), each in a transaction of
// its own: a slice is found by the row's key, so it costs the same at any size of journal.
constexpr const char* kPruneSlice =
    "DELETE FROM journal_entry"
    " WHERE seq > ?3 AND seq <= ?4"
    " AND taken < unixepoch(?1) - ?2 * 86400"
    " AND number <= (SELECT coalesce(max(m.up_to), 0) FROM journal_mark m"
    "                WHERE m.list_id = journal_entry.list_id AND m.kind IN (1, 2))"
    " AND coalesce(seq <= (SELECT up_to FROM plant_sent), 1)";
constexpr const char* kRows =
    "SELECT coalesce((SELECT min(seq) FROM journal_entry), 1) - 1,"
    " coalesce((SELECT max(seq) FROM journal_entry), 0)";
constexpr const char* kPreviousRunEndedNormally =
    "SELECT ended_normally FROM journal_session ORDER BY id DESC LIMIT 1";
constexpr const char* kLatestList =
    "SELECT seq, list_id, number FROM journal_entry ORDER BY seq DESC LIMIT 1";
constexpr const char* kListEnded =
    "SELECT EXISTS (SELECT 1 FROM journal_mark WHERE list_id = ?1 AND kind IN (3, 4))";
constexpr const char* kSavedUpTo =
    "SELECT coalesce(max(up_to), 0) FROM journal_mark WHERE list_id = ?1 AND kind IN (1, 2)";
// The latest list's rows are the journal's last ones, numbered 1, 2, 3 … in order, and no
// unsaved row is ever pruned: the unsaved ones lie in the last (last number - saved up to)
// rows (?2 < seq), which bounds the search.
constexpr const char* kUnsavedOfList =
    "SELECT count(*), min(seq), max(seq) FROM journal_entry"
    " WHERE seq > ?2 AND list_id = ?1 AND number > ?3";
constexpr const char* kTakenAt =
    "SELECT datetime(taken, 'unixepoch') FROM journal_entry WHERE seq = ?1";
constexpr const char* kReadList =
    "SELECT e.number, e.value_text, e.value_field, e.value, e.error, e.places, e.verdict,"
    " e.language, datetime(e.taken, 'unixepoch'), p.nominal, p.upper_tolerance,"
    " p.lower_tolerance, p.unit, t.part, t.characteristic, t.lot, t.operator, t.gauge_id"
    " FROM journal_entry e"
    " JOIN journal_parameters p ON p.id = e.parameters_id"
    " JOIN journal_trace t ON t.id = e.trace_id"
    " WHERE e.list_id = ?1 AND e.seq <= ?2 ORDER BY e.seq";

// Marks besides the saves and Clear: the offer to put records back refused.
constexpr int kDeclined = 4;
// Rows a slice of the pruning looks at: a few milliseconds of work, so that a record taken
// while an old journal is pruned waits at most that long for its commit.
constexpr std::int64_t kPruneSliceRows = 2000;

void bindText(sqlite3_stmt* s, int index, std::string_view text) {
    sqlite3_bind_text(s, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

std::string columnText(sqlite3_stmt* s, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s, column));
    return text == nullptr ? std::string() : std::string(text, static_cast<std::size_t>(
                                                                   sqlite3_column_bytes(s, column)));
}

float columnFloat(sqlite3_stmt* s, int column) {
    return static_cast<float>(sqlite3_column_double(s, column));
}

// The value field a frame leaves: the list's text in blanks. Only other fields are kept.
ValueFieldText paddedValueText(std::string_view text) {
    ValueFieldText field;
    field.fill(' ');
    std::copy_n(text.begin(), std::min(text.size(), field.size()), field.begin());
    return field;
}

}  // namespace

JournalFile::JournalFile(sqlite3* db, std::string path) : db_(db), path_(std::move(path)) {}

JournalFile::~JournalFile() {
    for (auto& [sql, s] : statements_) sqlite3_finalize(s);
    sqlite3_close(db_);
}

std::unique_ptr<JournalFile> JournalFile::open(const std::string& path, JournalError& error) {
    sqlite3* db = nullptr;
    const int opened = sqlite3_open_v2(path.c_str(), &db,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    std::unique_ptr<JournalFile> file(new JournalFile(db, path));
    if (opened != SQLITE_OK || db == nullptr) {
        error = file->failure().value_or(JournalError{JournalError::Cause::Other, path, {}});
        return nullptr;
    }
    // The plant's sender may hold the file a moment to note what it sent.
    sqlite3_busy_timeout(db, 2000);
    if (!file->exec(kSchema)) {
        error = *file->failure();
        return nullptr;
    }
    return file;
}

std::optional<JournalError> JournalFile::failure() const {
    const int code = db_ == nullptr ? SQLITE_NOMEM : sqlite3_errcode(db_);
    JournalError error{JournalError::Cause::Other, path_, {}};
    switch (code & 0xFF) {
        case SQLITE_OK:
        case SQLITE_ROW:
        case SQLITE_DONE: return std::nullopt;
        case SQLITE_FULL: error.cause = JournalError::Cause::DiskFull; break;
        case SQLITE_CANTOPEN:
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_AUTH: error.cause = JournalError::Cause::FolderNotWritable; break;
        default: error.detail = db_ == nullptr ? sqlite3_errstr(code) : sqlite3_errmsg(db_); break;
    }
    return error;
}

bool JournalFile::exec(const char* sql) {
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

JournalFile::Lent::Lent(Lent&& other) noexcept : s_(std::exchange(other.s_, nullptr)) {}

JournalFile::Lent& JournalFile::Lent::operator=(Lent&& other) noexcept {
    if (s_ != nullptr) sqlite3_reset(s_);
    s_ = std::exchange(other.s_, nullptr);
    return *this;
}

// The statement's result stays in the connection's error state: a failure is still known
// after the statement went back.
JournalFile::Lent::~Lent() {
    if (s_ != nullptr) sqlite3_reset(s_);
}

JournalFile::Lent JournalFile::statement(const char* sql) {
    auto found = statements_.find(sql);
    if (found == statements_.end()) {
        sqlite3_stmt* made = nullptr;
        if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &made, nullptr) !=
            SQLITE_OK) {
            return Lent();
        }
        found = statements_.emplace(sql, made).first;
    }
    sqlite3_clear_bindings(found->second);
    return Lent(found->second);
}

std::optional<JournalError> JournalFile::startRun(const LocalDateTime& now,
                                                  std::optional<UnsavedRecords>& unsaved) {
    if (!exec("BEGIN IMMEDIATE")) return failure();
    unsaved = unsavedRecords();
    bool done = true;
    if (Lent s = statement(kStartRun)) {
        bindText(s.get(), 1, journalTime(now));
        done = sqlite3_step(s.get()) == SQLITE_DONE;
        run_ = sqlite3_last_insert_rowid(db_);
    } else {
        done = false;
    }
    Lent s = done ? statement(kLastList) : Lent();
    done = s && sqlite3_step(s.get()) == SQLITE_ROW;
    if (done) lastList_ = sqlite3_column_int64(s.get(), 0);
    s = done ? statement(kRows) : Lent();
    done = s && sqlite3_step(s.get()) == SQLITE_ROW;
    if (done) {
        pruneAfter_ = sqlite3_column_int64(s.get(), 0);
        pruneEnd_ = lastSeq_ = sqlite3_column_int64(s.get(), 1);
    }
    s = Lent();
    if (done && exec("COMMIT")) return std::nullopt;
    const auto why = failure();
    exec("ROLLBACK");
    unsaved.reset();
    return why.value_or(JournalError{JournalError::Cause::Other, path_, {}});
}

bool JournalFile::pruneSlice(const LocalDateTime& now, int keepDays) {
    if (keepDays <= 0 || pruneAfter_ >= pruneEnd_) return false;
    const std::int64_t to = std::min(pruneAfter_ + kPruneSliceRows, pruneEnd_);
    bool done = exec("BEGIN IMMEDIATE");
    if (done) {
        Lent s = statement(kPruneSlice);
        done = static_cast<bool>(s);
        if (done) {
            bindText(s.get(), 1, journalTime(now));
            sqlite3_bind_int(s.get(), 2, keepDays);
            sqlite3_bind_int64(s.get(), 3, pruneAfter_);
            sqlite3_bind_int64(s.get(), 4, to);
            done = sqlite3_step(s.get()) == SQLITE_DONE;
        }
    }
    if (done && exec("COMMIT")) {
        pruneAfter_ = to;
        return pruneAfter_ < pruneEnd_;
    }
    exec("ROLLBACK");
    return false;
}

std::optional<UnsavedRecords> JournalFile::unsavedRecords() {
    Lent s = statement(kPreviousRunEndedNormally);
    if (!s || sqlite3_step(s.get()) != SQLITE_ROW || sqlite3_column_int(s.get(), 0) != 0) {
        return std::nullopt;
    }
    UnsavedRecords found;
    s = statement(kLatestList);
    if (!s || sqlite3_step(s.get()) != SQLITE_ROW) return std::nullopt;
    const std::int64_t lastSeq = sqlite3_column_int64(s.get(), 0);
    found.list = sqlite3_column_int64(s.get(), 1);
    const std::int64_t lastNumber = sqlite3_column_int64(s.get(), 2);
    s = statement(kListEnded);
    if (!s) return std::nullopt;
    sqlite3_bind_int64(s.get(), 1, found.list);
    if (sqlite3_step(s.get()) != SQLITE_ROW || sqlite3_column_int(s.get(), 0) != 0) {
        return std::nullopt;
    }
    s = statement(kSavedUpTo);
    if (!s) return std::nullopt;
    sqlite3_bind_int64(s.get(), 1, found.list);
    if (sqlite3_step(s.get()) != SQLITE_ROW) return std::nullopt;
    const std::int64_t savedUpTo = sqlite3_column_int64(s.get(), 0);
    s = statement(kUnsavedOfList);
    if (!s) return std::nullopt;
    sqlite3_bind_int64(s.get(), 1, found.list);
    sqlite3_bind_int64(s.get(), 2, lastSeq - (lastNumber - savedUpTo));
    sqlite3_bind_int64(s.get(), 3, savedUpTo);
    if (sqlite3_step(s.get()) != SQLITE_ROW || sqlite3_column_int(s.get(), 0) == 0) {
        return std::nullopt;
    }
    found.count = static_cast<std::uint32_t>(sqlite3_column_int64(s.get(), 0));
    const std::int64_t firstSeq = sqlite3_column_int64(s.get(), 1);
    found.lastSeq = sqlite3_column_int64(s.get(), 2);
    for (auto [seq, time] : {std::pair{firstSeq, &found.first}, std::pair{found.lastSeq, &found.last}}) {
        s = statement(kTakenAt);
        if (!s) return std::nullopt;
        sqlite3_bind_int64(s.get(), 1, seq);
        if (sqlite3_step(s.get()) == SQLITE_ROW) *time = columnText(s.get(), 0);
    }
    return found;
}

std::optional<JournalError> JournalFile::write(const std::vector<JournalEntry>& entries) {
    if (!exec("BEGIN IMMEDIATE")) return failure();
    const std::int64_t list = list_;
    const std::int64_t lastList = lastList_;
    const std::int64_t lastSeq = lastSeq_;
    bool done = true;
    for (const JournalEntry& entry : entries) {
        done = apply(entry);
        if (!done) break;
    }
    if (done && exec("COMMIT")) return std::nullopt;
    const auto why = failure();
    exec("ROLLBACK");
    list_ = list;
    lastList_ = lastList;
    lastSeq_ = lastSeq;
    forgetSideRows();
    return why.value_or(JournalError{JournalError::Cause::Other, path_, {}});
}

bool JournalFile::apply(const JournalEntry& entry) {
    if (const auto* record = std::get_if<JournalRecord>(&entry)) return insert(*record);
    if (const auto* m = std::get_if<JournalMark>(&entry)) {
        if (list_ == 0) return true;  // nothing recorded since start or Clear
        const bool done = mark(list_, static_cast<int>(m->kind), m->upTo, m->at);
        if (m->kind == JournalMark::Kind::Cleared) list_ = 0;
        return done;
    }
    if (const auto* answer = std::get_if<JournalRestoreAnswer>(&entry)) {
        if (!answer->restored) return mark(answer->list, kDeclined, 0, answer->at);
        list_ = answer->list;
        return true;
    }
    const Lent s = statement(kEndRun);
    if (!s) return false;
    sqlite3_bind_int64(s.get(), 1, run_);
    return sqlite3_step(s.get()) == SQLITE_DONE;
}

bool JournalFile::insert(const JournalRecord& record) {
    const auto parameters = parametersId(record);
    const auto trace = parameters ? traceId(record.trace) : std::nullopt;
    const Lent lent = trace ? statement(kInsertRecord) : Lent();
    if (!lent) return false;
    sqlite3_stmt* s = lent.get();
    if (list_ == 0) list_ = ++lastList_;
    sqlite3_bind_int64(s, 1, list_);
    sqlite3_bind_int64(s, 2, record.number);
    bindText(s, 3, record.valueText);
    if (record.valueField != paddedValueText(record.valueText)) {
        sqlite3_bind_blob(s, 4, record.valueField.data(), static_cast<int>(record.valueField.size()),
                          SQLITE_TRANSIENT);
    }
    sqlite3_bind_double(s, 5, record.value);
    sqlite3_bind_double(s, 6, record.error);
    sqlite3_bind_int(s, 7, record.decimalPlaces);
    sqlite3_bind_int(s, 8, static_cast<int>(record.verdict));
    sqlite3_bind_int(s, 9, static_cast<int>(record.language));
    bindText(s, 10, journalTime(std::string_view(record.takenAt.data(), record.takenAt.size())));
    sqlite3_bind_int64(s, 11, *parameters);
    sqlite3_bind_int64(s, 12, *trace);
    if (sqlite3_step(s) != SQLITE_DONE) return false;
    lastSeq_ = sqlite3_last_insert_rowid(db_);
    return true;
}

bool JournalFile::mark(std::int64_t list, int kind, std::uint32_t upTo, const LocalDateTime& at) {
    const Lent lent = statement(kInsertMark);
    if (!lent) return false;
    sqlite3_stmt* s = lent.get();
    sqlite3_bind_int64(s, 1, list);
    sqlite3_bind_int(s, 2, kind);
    sqlite3_bind_int64(s, 3, upTo);
    bindText(s, 4, journalTime(at));
    return sqlite3_step(s) == SQLITE_DONE;
}

std::optional<std::int64_t> JournalFile::parametersId(const JournalRecord& record) {
    return knownSideRow(
        parameterIds_,
        std::tuple(record.nominal, record.upperTolerance, record.lowerTolerance, record.unit),
        kFindParameters, kInsertParameters, [&](sqlite3_stmt* s) {
            sqlite3_bind_double(s, 1, record.nominal);
            sqlite3_bind_double(s, 2, record.upperTolerance);
            sqlite3_bind_double(s, 3, record.lowerTolerance);
            bindText(s, 4, record.unit);
        });
}

std::optional<std::int64_t> JournalFile::traceId(const TraceValues& trace) {
    return knownSideRow(
        traceIds_,
        std::tuple(trace.part, trace.characteristic, trace.lot, trace.operatorName, trace.gaugeId),
        kFindTrace, kInsertTrace, [&](sqlite3_stmt* s) {
            bindText(s, 1, trace.part);
            bindText(s, 2, trace.characteristic);
            bindText(s, 3, trace.lot);
            bindText(s, 4, trace.operatorName);
            bindText(s, 5, trace.gaugeId);
        });
}

template <typename Key>
std::optional<std::int64_t> JournalFile::knownSideRow(
    std::map<Key, std::int64_t>& known, Key key, const char* find, const char* insert,
    const std::function<void(sqlite3_stmt*)>& bind) {
    if (const auto found = known.find(key); found != known.end()) return found->second;
    const auto id = sideRow(find, insert, bind);
    if (id) known.emplace(std::move(key), *id);
    return id;
}

std::optional<std::int64_t> JournalFile::sideRow(
    const char* find, const char* insert, const std::function<void(sqlite3_stmt*)>& bind) {
    Lent s = statement(find);
    if (!s) return std::nullopt;
    bind(s.get());
    const int found = sqlite3_step(s.get());
    if (found == SQLITE_ROW) return sqlite3_column_int64(s.get(), 0);
    s = found == SQLITE_DONE ? statement(insert) : Lent();
    if (!s) return std::nullopt;
    bind(s.get());
    if (sqlite3_step(s.get()) != SQLITE_DONE) return std::nullopt;
    return sqlite3_last_insert_rowid(db_);
}

void JournalFile::forgetSideRows() {
    parameterIds_.clear();
    traceIds_.clear();
}

std::optional<JournalError> JournalFile::readList(std::int64_t list, std::int64_t lastSeq,
                                                  std::vector<JournalRecord>& records) {
    const Lent lent = statement(kReadList);
    if (!lent) return failure();
    sqlite3_stmt* s = lent.get();
    sqlite3_bind_int64(s, 1, list);
    sqlite3_bind_int64(s, 2, lastSeq);
    int stepped = SQLITE_ROW;
    while ((stepped = sqlite3_step(s)) == SQLITE_ROW) {
        JournalRecord& r = records.emplace_back();
        r.number = static_cast<std::uint32_t>(sqlite3_column_int64(s, 0));
        r.valueText = columnText(s, 1);
        r.valueField = paddedValueText(r.valueText);
        if (sqlite3_column_bytes(s, 2) == static_cast<int>(r.valueField.size())) {
            const auto* field = static_cast<const char*>(sqlite3_column_blob(s, 2));
            std::copy_n(field, r.valueField.size(), r.valueField.begin());
        }
        r.value = columnFloat(s, 3);
        r.error = columnFloat(s, 4);
        r.decimalPlaces = static_cast<std::uint8_t>(sqlite3_column_int(s, 5));
        r.verdict = static_cast<Verdict>(sqlite3_column_int(s, 6));
        r.language = static_cast<Language>(sqlite3_column_int(s, 7));
        r.takenAt = timeStampField(columnText(s, 8));
        r.nominal = columnFloat(s, 9);
        r.upperTolerance = columnFloat(s, 10);
        r.lowerTolerance = columnFloat(s, 11);
        r.unit = columnText(s, 12);
        r.trace = {columnText(s, 13), columnText(s, 14), columnText(s, 15), columnText(s, 16),
                   columnText(s, 17)};
    }
    if (stepped != SQLITE_DONE) return failure();
    return std::nullopt;
}

}  // namespace mensora
