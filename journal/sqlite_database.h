#pragma once
// SQLite, wrapped once for the journal's room: a connection, its statements prepared once and
// lent for one use, and the values bound and read as the journal keeps them. Nothing outside
// this pair of files sees SQLite's own types.
//
// A lent statement is reset when its use ends. A statement left on a row would hold a read
// transaction on an old snapshot of the file; once another connection (the plant's sender)
// had written, this connection's next BEGIN IMMEDIATE on that snapshot would fail at once
// with SQLITE_BUSY_SNAPSHOT ("database is locked"), which no busy timeout waits out.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace mensora {

// Why the last call of a connection failed, in the terms the journal tells the user.
enum class SqliteFailure { None, DiskFull, NotWritable, Other };

class SqliteStatement {
public:
    enum class Step { Row, Done, Failed };

    explicit SqliteStatement(sqlite3_stmt* s = nullptr) : s_(s) {}
    SqliteStatement(SqliteStatement&& other) noexcept;
    SqliteStatement& operator=(SqliteStatement&& other) noexcept;
    ~SqliteStatement();
    explicit operator bool() const { return s_ != nullptr; }

    // Parameters count from 1, columns from 0, as in the SQL text.
    void bind(int index, std::string_view text);
    void bind(int index, std::int64_t integer);
    void bind(int index, double number);
    void bindBytes(int index, std::span<const char> bytes);
    void bindNull(int index);

    Step step();
    // One step that must finish the statement (an INSERT, UPDATE or DELETE).
    bool run() { return step() == Step::Done; }

    bool isNull(int column) const;
    std::int64_t integer(int column) const;
    double number(int column) const;
    std::string text(int column) const;
    std::span<const char> bytes(int column) const;

private:
    sqlite3_stmt* s_;
};

class SqliteDatabase {
public:
    // Opens the file at path (made when `create`); nullptr and why not.
    static std::unique_ptr<SqliteDatabase> open(const std::string& path, bool create,
                                                SqliteFailure& failure, std::string& detail);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    // How long a statement waits for another connection's write lock.
    void waitForLocks(int milliseconds);
    // Runs every statement of sql, none of which returns rows that matter.
    bool exec(const char* sql);
    // The statement of sql, prepared once and lent for this use; empty when it cannot be.
    SqliteStatement statement(const char* sql);
    // The value of a PRAGMA that reads one integer (application_id, user_version).
    std::optional<std::int64_t> pragma(const char* name);
    std::int64_t lastInsertedRow() const;

    // The last call's failure, and SQLite's words for it.
    SqliteFailure failure() const;
    std::string detail() const;

private:
    explicit SqliteDatabase(sqlite3* db) : db_(db) {}

    sqlite3* db_;
    std::map<const char*, sqlite3_stmt*> statements_;
};

}  // namespace mensora
