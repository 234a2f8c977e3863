#include "plant/journal_outbox.h"

#include <sqlite3.h>

#include <utility>

namespace mensora {

namespace {

// How long a read or the mark waits for the journal's writer to finish a commit.
constexpr int kBusyWaitMs = 2000;

constexpr const char* kSelectRecords =
    "SELECT seq, number, value_text, value, error, verdict, taken_at, nominal, upper_tolerance,"
    " lower_tolerance, unit, part, characteristic, lot, operator, gauge_id"
    " FROM journal_record WHERE seq > ?1 ORDER BY seq LIMIT ?2";

struct Statement {
    sqlite3_stmt* handle = nullptr;
    Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &handle, nullptr); }
    ~Statement() { sqlite3_finalize(handle); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
};

std::optional<std::string> textAt(sqlite3_stmt* row, int column) {
    if (sqlite3_column_type(row, column) == SQLITE_NULL) return std::nullopt;
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(row, column));
    return std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(row, column)));
}

std::optional<double> numberAt(sqlite3_stmt* row, int column) {
    if (sqlite3_column_type(row, column) == SQLITE_NULL) return std::nullopt;
    return sqlite3_column_double(row, column);
}

std::optional<std::int64_t> wholeAt(sqlite3_stmt* row, int column) {
    if (sqlite3_column_type(row, column) == SQLITE_NULL) return std::nullopt;
    return sqlite3_column_int64(row, column);
}

PlantRecord recordAt(sqlite3_stmt* row) {
    PlantRecord record;
    record.sequence = sqlite3_column_int64(row, 0);
    record.number = wholeAt(row, 1);
    record.valueText = textAt(row, 2);
    record.value = numberAt(row, 3);
    record.error = numberAt(row, 4);
    if (const auto verdict = wholeAt(row, 5)) record.verdict = static_cast<int>(*verdict);
    record.takenAt = textAt(row, 6);
    record.nominal = numberAt(row, 7);
    record.upperTolerance = numberAt(row, 8);
    record.lowerTolerance = numberAt(row, 9);
    record.unit = textAt(row, 10);
    record.part = textAt(row, 11);
    record.characteristic = textAt(row, 12);
    record.lot = textAt(row, 13);
    record.operatorName = textAt(row, 14);
    record.gaugeId = textAt(row, 15);
    return record;
}

}  // namespace

struct JournalOutbox::Connection {
    sqlite3* db = nullptr;
    ~Connection() { sqlite3_close(db); }
};

JournalOutbox::JournalOutbox(std::string path) : path_(std::move(path)) {}

JournalOutbox::~JournalOutbox() = default;

std::optional<std::string> JournalOutbox::failure(const char* what) {
    std::string text = std::string("journal ") + path_ + ": " + what;
    if (connection_ != nullptr) text += std::string(": ") + sqlite3_errmsg(connection_->db);
    connection_.reset();  // opened afresh at the next attempt
    return text;
}

std::optional<std::string> JournalOutbox::open() {
    if (connection_ != nullptr) return std::nullopt;
    connection_ = std::make_unique<Connection>();
    // Never created here: a journal that is not there yet is the journal's to make.
    if (sqlite3_open_v2(path_.c_str(), &connection_->db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        return failure("cannot be opened");
    }
    sqlite3_busy_timeout(connection_->db, kBusyWaitMs);
    const Statement run(connection_->db, "SELECT run_id FROM journal_run");
    if (run.handle == nullptr || sqlite3_step(run.handle) != SQLITE_ROW) {
        return failure("holds no run");
    }
    run_ = *textAt(run.handle, 0);
    return std::nullopt;
}

std::optional<std::string> JournalOutbox::readAfter(std::int64_t sequence, int limit,
                                                    std::vector<PlantRecord>& records) {
    records.clear();
    if (auto error = open()) return error;
    const Statement select(connection_->db, kSelectRecords);
    if (select.handle == nullptr) return failure("cannot be read");
    sqlite3_bind_int64(select.handle, 1, sequence);
    sqlite3_bind_int(select.handle, 2, limit);
    int status = SQLITE_ROW;
    while ((status = sqlite3_step(select.handle)) == SQLITE_ROW) {
        records.push_back(recordAt(select.handle));
    }
    if (status != SQLITE_DONE) {
        records.clear();
        return failure("cannot be read");
    }
    return std::nullopt;
}

std::optional<std::int64_t> JournalOutbox::countAfter(std::int64_t sequence) {
    if (open()) return std::nullopt;
    const Statement count(connection_->db, "SELECT count(*) FROM journal_record WHERE seq > ?1");
    if (count.handle == nullptr) return std::nullopt;
    sqlite3_bind_int64(count.handle, 1, sequence);
    if (sqlite3_step(count.handle) != SQLITE_ROW) return std::nullopt;
    return sqlite3_column_int64(count.handle, 0);
}

std::int64_t JournalOutbox::sentMark() {
    if (open()) return 0;
    const Statement mark(connection_->db, "SELECT up_to FROM plant_sent");
    if (mark.handle == nullptr || sqlite3_step(mark.handle) != SQLITE_ROW) return 0;
    return wholeAt(mark.handle, 0).value_or(0);
}

std::optional<std::string> JournalOutbox::markSent(std::optional<std::int64_t> sequence) {
    if (auto error = open()) return error;
    const Statement mark(connection_->db, "UPDATE plant_sent SET up_to = ?1");
    if (mark.handle == nullptr) return failure("cannot be marked");
    if (sequence) {
        sqlite3_bind_int64(mark.handle, 1, *sequence);
    } else {
        sqlite3_bind_null(mark.handle, 1);
    }
    if (sqlite3_step(mark.handle) != SQLITE_DONE) return failure("cannot be marked");
    return std::nullopt;
}

}  // namespace mensora
