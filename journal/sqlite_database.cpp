#include "journal/sqlite_database.h"

#include <sqlite3.h>

#include <utility>

namespace mensora {

SqliteStatement::SqliteStatement(SqliteStatement&& other) noexcept
    : s_(std::exchange(other.s_, nullptr)) {}

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& other) noexcept {
    if (s_ != nullptr) sqlite3_reset(s_);
    s_ = std::exchange(other.s_, nullptr);
    return *this;
}

// The statement's result stays in the connection's error state: a failure is still known
// after the statement went back.
SqliteStatement::~SqliteStatement() {
    if (s_ != nullptr) sqlite3_reset(s_);
}

void SqliteStatement::bind(int index, std::string_view text) {
    sqlite3_bind_text(s_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::bind(int index, std::int64_t integer) {
    sqlite3_bind_int64(s_, index, integer);
}

void SqliteStatement::bind(int index, double number) { sqlite3_bind_double(s_, index, number); }

void SqliteStatement::bindBytes(int index, std::span<const char> bytes) {
    sqlite3_bind_blob(s_, index, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
}

void SqliteStatement::bindNull(int index) { sqlite3_bind_null(s_, index); }

SqliteStatement::Step SqliteStatement::step() {
    switch (sqlite3_step(s_)) {
        case SQLITE_ROW: return Step::Row;
        case SQLITE_DONE: return Step::Done;
        default: return Step::Failed;
    }
}

bool SqliteStatement::isNull(int column) const {
    return sqlite3_column_type(s_, column) == SQLITE_NULL;
}

std::int64_t SqliteStatement::integer(int column) const { return sqlite3_column_int64(s_, column); }

double SqliteStatement::number(int column) const { return sqlite3_column_double(s_, column); }

std::string SqliteStatement::text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s_, column));
    return text == nullptr
               ? std::string()
               : std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(s_, column)));
}

std::span<const char> SqliteStatement::bytes(int column) const {
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(s_, column));
    return {bytes, static_cast<std::size_t>(sqlite3_column_bytes(s_, column))};
}

std::unique_ptr<SqliteDatabase> SqliteDatabase::open(const std::string& path, bool create,
                                                     SqliteFailure& failure, std::string& detail) {
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    const int opened = sqlite3_open_v2(path.c_str(), &db, flags, nullptr);
    std::unique_ptr<SqliteDatabase> database(new SqliteDatabase(db));
    if (opened == SQLITE_OK && db != nullptr) return database;
    failure = db == nullptr ? SqliteFailure::Other : database->failure();
    detail = db == nullptr ? sqlite3_errstr(opened) : database->detail();
    if (failure == SqliteFailure::None) failure = SqliteFailure::Other;
    return nullptr;
}

SqliteDatabase::~SqliteDatabase() {
    for (auto& [sql, s] : statements_) sqlite3_finalize(s);
    sqlite3_close(db_);
}

void SqliteDatabase::waitForLocks(int milliseconds) { sqlite3_busy_timeout(db_, milliseconds); }

bool SqliteDatabase::exec(const char* sql) {
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

SqliteStatement SqliteDatabase::statement(const char* sql) {
    auto found = statements_.find(sql);
    if (found == statements_.end()) {
        sqlite3_stmt* made = nullptr;
        if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &made, nullptr) !=
            SQLITE_OK) {
            return SqliteStatement();
        }
        found = statements_.emplace(sql, made).first;
    }
    sqlite3_clear_bindings(found->second);
    return SqliteStatement(found->second);
}

std::optional<std::int64_t> SqliteDatabase::pragma(const char* name) {
    const std::string sql = std::string("PRAGMA ") + name;
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) return std::nullopt;
    std::optional<std::int64_t> value;
    if (sqlite3_step(s) == SQLITE_ROW) value = sqlite3_column_int64(s, 0);
    sqlite3_finalize(s);
    return value;
}

std::int64_t SqliteDatabase::lastInsertedRow() const { return sqlite3_last_insert_rowid(db_); }

SqliteFailure SqliteDatabase::failure() const {
    switch (sqlite3_errcode(db_) & 0xFF) {
        case SQLITE_OK:
        case SQLITE_ROW:
        case SQLITE_DONE: return SqliteFailure::None;
        case SQLITE_FULL: return SqliteFailure::DiskFull;
        case SQLITE_CANTOPEN:
        case SQLITE_READONLY:
        case SQLITE_PERM:
        case SQLITE_AUTH: return SqliteFailure::NotWritable;
        default: return SqliteFailure::Other;
    }
}

std::string SqliteDatabase::detail() const { return sqlite3_errmsg(db_); }

}  // namespace mensora
