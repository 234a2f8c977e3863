#include "journal/journal_outbox.h"

#include <algorithm>
#include <utility>

#include "journal/journal_schema.h"
#include "journal/sqlite_database.h"

namespace mensora {

namespace {

using journal_schema::RecordColumn;
using Step = SqliteStatement::Step;

// How long a read or the mark waits for the journal's writer to finish a commit.
constexpr int kLockWaitMs = 2000;

// The view's columns in the order journal_schema.h names them.
constexpr const char* kSelectRecords =
    "SELECT seq, number, value_text, value, error, verdict, taken_at, nominal, upper_tolerance,"
    " lower_tolerance, unit, part, characteristic, lot, operator, gauge_id,"
    " part_serial FROM journal_record WHERE seq > ?1 ORDER BY seq LIMIT ?2";
constexpr const char* kSelectStudies =
    "SELECT id, datetime(finished, 'unixepoch'), gauge_id, unit, reference, tolerance, readings,"
    " mean, sigma, bias, cg, cgk, capable, step_too_coarse"
    " FROM journal_gauge_study WHERE id > ?1 ORDER BY id LIMIT ?2";
constexpr const char* kSelectAlarms =
    "SELECT id, number, kind, datetime(at, 'unixepoch'), rule, range_chart, characteristic,"
    " first_record, last_record, acknowledges, cause, note"
    " FROM journal_alarm WHERE id > ?1 ORDER BY id LIMIT ?2";
constexpr const char* kCountAfter = "SELECT count(*) FROM journal_record WHERE seq > ?1";
constexpr const char* kRun = "SELECT run_id FROM journal_run";
constexpr const char* kSentMark = "SELECT up_to FROM plant_sent";
constexpr const char* kMarkSent = "UPDATE plant_sent SET up_to = ?1";

std::optional<std::string> textAt(const SqliteStatement& row, int column) {
    if (row.isNull(column)) return std::nullopt;
    return row.text(column);
}

std::optional<double> numberAt(const SqliteStatement& row, int column) {
    if (row.isNull(column)) return std::nullopt;
    return row.number(column);
}

std::optional<std::int64_t> integerAt(const SqliteStatement& row, int column) {
    if (row.isNull(column)) return std::nullopt;
    return row.integer(column);
}

OutboxRecord recordAt(const SqliteStatement& row) {
    OutboxRecord record;
    record.sequence = row.integer(RecordColumn::Sequence);
    record.number = integerAt(row, RecordColumn::Number);
    record.valueText = textAt(row, RecordColumn::ValueText);
    record.value = numberAt(row, RecordColumn::Value);
    record.error = numberAt(row, RecordColumn::Error);
    if (const auto code = integerAt(row, RecordColumn::VerdictCode)) {
        record.verdict = journal_schema::verdictOf(*code);
    }
    record.takenAt = textAt(row, RecordColumn::TakenAt);
    record.nominal = numberAt(row, RecordColumn::Nominal);
    record.upperTolerance = numberAt(row, RecordColumn::UpperTolerance);
    record.lowerTolerance = numberAt(row, RecordColumn::LowerTolerance);
    record.unit = textAt(row, RecordColumn::Unit);
    record.part = textAt(row, RecordColumn::Part);
    record.characteristic = textAt(row, RecordColumn::Characteristic);
    record.lot = textAt(row, RecordColumn::Lot);
    record.operatorName = textAt(row, RecordColumn::Operator);
    record.gaugeId = textAt(row, RecordColumn::GaugeId);
    record.partSerial = textAt(row, RecordColumn::PartSerial);
    return record;
}

OutboxStudy studyAt(const SqliteStatement& row) {
    OutboxStudy study;
    study.id = row.integer(0);
    study.finishedAt = row.text(1);
    study.gaugeId = row.text(2);
    study.unit = row.text(3);
    study.reference = row.number(4);
    study.tolerance = row.number(5);
    study.readings = row.text(6);
    // The readings count themselves: one blank between each two.
    study.count = study.readings.empty()
                      ? 0
                      : 1 + std::count(study.readings.begin(), study.readings.end(), ' ');
    study.mean = row.number(7);
    study.sigma = row.number(8);
    study.bias = row.number(9);
    study.cg = numberAt(row, 10);
    study.cgk = numberAt(row, 11);
    study.capable = row.integer(12) != 0;
    study.stepTooCoarse = row.integer(13) != 0;
    return study;
}

OutboxAlarm alarmAt(const SqliteStatement& row) {
    OutboxAlarm alarm;
    alarm.id = row.integer(0);
    alarm.number = row.integer(1);
    alarm.kind = row.integer(2) == static_cast<std::int64_t>(AlarmKind::Acknowledged)
                     ? AlarmKind::Acknowledged
                     : AlarmKind::Raised;
    alarm.at = row.text(3);
    alarm.rule = integerAt(row, 4);
    if (const auto range = integerAt(row, 5)) alarm.rangeChart = *range != 0;
    alarm.characteristic = textAt(row, 6);
    alarm.firstRecord = integerAt(row, 7);
    alarm.lastRecord = integerAt(row, 8);
    alarm.acknowledges = integerAt(row, 9);
    alarm.cause = textAt(row, 10);
    alarm.note = textAt(row, 11);
    return alarm;
}

}  // namespace

JournalOutbox::JournalOutbox(std::string path) : path_(std::move(path)) {}

JournalOutbox::~JournalOutbox() = default;

std::optional<std::string> JournalOutbox::failure(const std::string& what) {
    std::string text = "journal " + path_ + ": " + what;
    if (db_ != nullptr) text += ": " + db_->detail();
    db_.reset();  // opened afresh at the next attempt
    return text;
}

std::optional<std::string> JournalOutbox::open() {
    if (db_ != nullptr) return std::nullopt;
    SqliteFailure failed = SqliteFailure::None;
    std::string detail;
    // Never created here: a journal that is not there yet is the journal's to make.
    db_ = SqliteDatabase::open(path_, false, failed, detail);
    if (db_ == nullptr) return failure("cannot be opened: " + detail);
    db_->waitForLocks(kLockWaitMs);
    if (const auto why = journal_schema::refusal(*db_, false)) {
        db_.reset();
        return failure("written by another program or a newer Mensora (" + *why + ")");
    }
    SqliteStatement run = db_->statement(kRun);
    if (!run || run.step() != Step::Row) return failure("holds no run");
    run_ = run.text(0);
    return std::nullopt;
}

template <typename Row>
std::optional<std::string> JournalOutbox::readRowsAfter(const char* sql, std::int64_t after,
                                                        int limit, std::vector<Row>& rows,
                                                        Row (*rowAt)(const SqliteStatement&)) {
    rows.clear();
    if (auto error = open()) return error;
    SqliteStatement select = db_->statement(sql);
    if (!select) return failure("cannot be read");
    select.bind(1, after);
    select.bind(2, static_cast<std::int64_t>(limit));
    Step step = Step::Row;
    while ((step = select.step()) == Step::Row) rows.push_back(rowAt(select));
    if (step != Step::Done) {
        rows.clear();
        return failure("cannot be read");
    }
    return std::nullopt;
}

std::optional<std::string> JournalOutbox::readAfter(std::int64_t sequence, int limit,
                                                    std::vector<OutboxRecord>& records) {
    return readRowsAfter(kSelectRecords, sequence, limit, records, &recordAt);
}

std::optional<std::string> JournalOutbox::readStudiesAfter(std::int64_t id, int limit,
                                                           std::vector<OutboxStudy>& studies) {
    return readRowsAfter(kSelectStudies, id, limit, studies, &studyAt);
}

std::optional<std::string> JournalOutbox::readAlarmsAfter(std::int64_t id, int limit,
                                                          std::vector<OutboxAlarm>& alarms) {
    return readRowsAfter(kSelectAlarms, id, limit, alarms, &alarmAt);
}

std::optional<std::int64_t> JournalOutbox::countAfter(std::int64_t sequence) {
    if (open()) return std::nullopt;
    SqliteStatement count = db_->statement(kCountAfter);
    if (!count) return std::nullopt;
    count.bind(1, sequence);
    if (count.step() != Step::Row) return std::nullopt;
    return count.integer(0);
}

std::int64_t JournalOutbox::sentMark() {
    if (open()) return 0;
    SqliteStatement mark = db_->statement(kSentMark);
    if (!mark || mark.step() != Step::Row) return 0;
    return integerAt(mark, 0).value_or(0);
}

std::optional<std::string> JournalOutbox::markSent(std::optional<std::int64_t> sequence) {
    if (auto error = open()) return error;
    SqliteStatement mark = db_->statement(kMarkSent);
    if (!mark) return failure("cannot be marked");
    if (sequence) {
        mark.bind(1, *sequence);
    } else {
        mark.bindNull(1);
    }
    if (!mark.run()) return failure("cannot be marked");
    return std::nullopt;
}

}  // namespace mensora
