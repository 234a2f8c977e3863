#include "tests/support/synthetic_journal.h"

#include <sqlite3.h>

#include <charconv>
#include <cstdio>
#include <stdexcept>

namespace mensora::test {

namespace {

constexpr const char* kSchema = R"sql(
PRAGMA journal_mode = WAL;
CREATE TABLE journal_run (run_id TEXT NOT NULL);
CREATE TABLE record (
  seq INTEGER PRIMARY KEY AUTOINCREMENT, number INTEGER, value_text TEXT, value REAL,
  error REAL, verdict INTEGER, taken_at TEXT, nominal REAL, upper_tolerance REAL,
  lower_tolerance REAL, unit TEXT, part TEXT, characteristic TEXT, lot TEXT, operator TEXT,
  gauge_id TEXT);
CREATE VIEW journal_record AS SELECT seq, number, value_text, value, error, verdict, taken_at,
  nominal, upper_tolerance, lower_tolerance, unit, part, characteristic, lot, operator, gauge_id
  FROM record;
CREATE TABLE plant_sent (up_to INTEGER);
INSERT INTO plant_sent VALUES (NULL);
)sql";

void bindText(sqlite3_stmt* statement, int index, const std::optional<std::string>& text) {
    if (text) {
        sqlite3_bind_text(statement, index, text->data(), static_cast<int>(text->size()),
                          SQLITE_TRANSIENT);
    }
}

void bindNumber(sqlite3_stmt* statement, int index, const std::optional<double>& number) {
    if (number) sqlite3_bind_double(statement, index, *number);
}

}  // namespace

SyntheticJournal::SyntheticJournal(const std::string& path, const std::string& runId)
    : path_(path) {
    std::remove(path.c_str());
    std::remove((path + "-wal").c_str());
    std::remove((path + "-shm").c_str());
    if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) {
        throw std::runtime_error("cannot create the journal " + path);
    }
    sqlite3_busy_timeout(db_, 5000);
    run(kSchema);
    run(("INSERT INTO journal_run VALUES ('" + runId + "')").c_str());
}

SyntheticJournal::~SyntheticJournal() { sqlite3_close(db_); }

void SyntheticJournal::run(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message != nullptr ? message : "?";
        sqlite3_free(message);
        throw std::runtime_error("journal " + path_ + ": " + text);
    }
}

void SyntheticJournal::append(std::vector<PlantRecord>& records) {
    run("BEGIN IMMEDIATE");
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db_,
                       "INSERT INTO record (number, value_text, value, error, verdict, taken_at,"
                       " nominal, upper_tolerance, lower_tolerance, unit, part, characteristic,"
                       " lot, operator, gauge_id) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)",
                       -1, &insert, nullptr);
    for (PlantRecord& record : records) {
        sqlite3_reset(insert);
        sqlite3_clear_bindings(insert);
        if (record.number) sqlite3_bind_int64(insert, 1, *record.number);
        bindText(insert, 2, record.valueText);
        bindNumber(insert, 3, record.value);
        bindNumber(insert, 4, record.error);
        if (record.verdict) sqlite3_bind_int(insert, 5, *record.verdict);
        bindText(insert, 6, record.takenAt);
        bindNumber(insert, 7, record.nominal);
        bindNumber(insert, 8, record.upperTolerance);
        bindNumber(insert, 9, record.lowerTolerance);
        bindText(insert, 10, record.unit);
        bindText(insert, 11, record.part);
        bindText(insert, 12, record.characteristic);
        bindText(insert, 13, record.lot);
        bindText(insert, 14, record.operatorName);
        bindText(insert, 15, record.gaugeId);
        if (sqlite3_step(insert) != SQLITE_DONE) {
            sqlite3_finalize(insert);
            throw std::runtime_error("journal " + path_ + ": " + sqlite3_errmsg(db_));
        }
        record.sequence = sqlite3_last_insert_rowid(db_);
    }
    sqlite3_finalize(insert);
    run("COMMIT");
}

std::optional<std::int64_t> SyntheticJournal::plantSentUpTo() {
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db_, "SELECT up_to FROM plant_sent", -1, &select, nullptr);
    std::optional<std::int64_t> upTo;
    if (sqlite3_step(select) == SQLITE_ROW && sqlite3_column_type(select, 0) != SQLITE_NULL) {
        upTo = sqlite3_column_int64(select, 0);
    }
    sqlite3_finalize(select);
    return upTo;
}

std::string runIdFrom(std::uint64_t seed) {
    char text[33];
    std::snprintf(text, sizeof text, "%016llx%016llx",
                  static_cast<unsigned long long>(seed * 0x9E3779B97F4A7C15ull),
                  static_cast<unsigned long long>(seed));
    return text;
}

PlantRecord sampleRecord(std::int64_t number) {
    PlantRecord record;
    record.number = number;
    const double value = 12.0 + static_cast<double>(number % 50) / 1000.0 - 0.02;
    char text[16];
    char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 3).ptr;
    record.valueText = std::string(text, end);
    record.value = value;
    record.error = value - 12.0;
    record.verdict = number % 10 == 0 ? 1 : 0;
    char time[24];
    std::snprintf(time, sizeof time, "2026-12-08 %02d:%02d:%02d",
                  static_cast<int>(8 + number / 3600 % 10), static_cast<int>(number / 60 % 60),
                  static_cast<int>(number % 60));
    record.takenAt = time;
    record.nominal = 12.0;
    record.upperTolerance = 0.025;
    record.lowerTolerance = -0.025;
    record.unit = "mm";
    record.part = "SH-1207";
    record.characteristic = "外径";
    record.lot = "L" + std::to_string(number / 1000);
    record.operatorName = "王芳";
    record.gaugeId = "G-07";
    return record;
}

}  // namespace mensora::test
