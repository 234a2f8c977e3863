#pragma once
// This window's journal seen as the plant database's outbox: its run, the records after a
// sequence in order, and the mark of what the plant holds, so that the journal keeps every
// record the plant does not have yet. A reader of its own beside the journal's writer (WAL:
// neither waits for the other); only the mark is written. Used off the window's thread only.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/acquisition_state.h"
#include "measure/alarm_entry.h"

namespace mensora {

class SqliteDatabase;
class SqliteStatement;

// One record as it leaves the journal for the plant database: the journal's row number and
// everything the list and the record file show, with the parameters in force. A value the
// journal's row lacks goes to the plant as NULL.
struct OutboxRecord {
    std::int64_t sequence = 0;  // the journal's row number: increasing, never reused
    std::optional<std::int64_t> number;
    std::optional<std::string> valueText;
    std::optional<double> value;
    std::optional<double> error;
    std::optional<Verdict> verdict;
    std::optional<std::string> takenAt;  // "YYYY-MM-DD hh:mm:ss", local time
    std::optional<double> nominal;
    std::optional<double> upperTolerance;
    std::optional<double> lowerTolerance;
    std::optional<std::string> unit;
    std::optional<std::string> part;
    std::optional<std::string> characteristic;
    std::optional<std::string> lot;
    std::optional<std::string> operatorName;
    std::optional<std::string> gaugeId;
    std::optional<std::string> partSerial;  // none: no plan was in force
};

// One finished gauge study as it leaves the journal for the plant database: the journal's row
// number, its setup, readings and figures. An undefined index (every reading the same) is none.
struct OutboxStudy {
    std::int64_t id = 0;     // the journal's row number: increasing, never reused
    std::string finishedAt;  // "YYYY-MM-DD hh:mm:ss", local time
    std::string gaugeId;
    std::string unit;
    double reference = 0.0;
    double tolerance = 0.0;
    std::int64_t count = 0;
    std::string readings;  // as the gauge sent them, one blank between
    double mean = 0.0;
    double sigma = 0.0;
    double bias = 0.0;
    std::optional<double> cg;
    std::optional<double> cgk;
    bool capable = false;
    bool stepTooCoarse = false;
};

// One line of an alarm log as it leaves the journal for the plant database: the journal's row
// number and the line as AlarmEntry holds it. What the kind has not (a raised alarm's cause,
// an acknowledgement's rule and records) is none.
struct OutboxAlarm {
    std::int64_t id = 0;  // the journal's row number: increasing, never reused
    std::int64_t number = 0;
    AlarmKind kind = AlarmKind::Raised;
    std::string at;  // "YYYY-MM-DD hh:mm:ss", local time
    std::optional<std::int64_t> rule;
    std::optional<bool> rangeChart;
    std::optional<std::string> characteristic;
    std::optional<std::int64_t> firstRecord;
    std::optional<std::int64_t> lastRecord;
    std::optional<std::int64_t> acknowledges;  // the journal's row (id) of the raised alarm
    std::optional<std::string> cause;
    std::optional<std::string> note;
};

class JournalOutbox {
public:
    // Opens nothing yet: the journal may not exist before the first record.
    explicit JournalOutbox(std::string path);
    ~JournalOutbox();
    JournalOutbox(const JournalOutbox&) = delete;
    JournalOutbox& operator=(const JournalOutbox&) = delete;

    // Opens the journal if it is not open; the run is then known. An error text otherwise,
    // also for a file that another program or a newer Mensora wrote.
    std::optional<std::string> open();
    const std::string& run() const { return run_; }

    // Up to `limit` records after `sequence` (0 for all), in the journal's order; an error
    // text leaves `records` empty.
    std::optional<std::string> readAfter(std::int64_t sequence, int limit,
                                         std::vector<OutboxRecord>& records);
    // Up to `limit` gauge studies after the journal's row `id` (0 for all), in order.
    std::optional<std::string> readStudiesAfter(std::int64_t id, int limit,
                                                std::vector<OutboxStudy>& studies);
    // Up to `limit` lines of alarm logs after the journal's row `id` (0 for all), in order.
    std::optional<std::string> readAlarmsAfter(std::int64_t id, int limit,
                                               std::vector<OutboxAlarm>& alarms);
    // How many records lie after `sequence`; nullopt when the journal cannot be read.
    std::optional<std::int64_t> countAfter(std::int64_t sequence);
    // Up to where the plant was last known to hold the records; 0 when it never was.
    std::int64_t sentMark();
    // The plant holds everything up to `sequence` (nullopt: no plant database any more).
    std::optional<std::string> markSent(std::optional<std::int64_t> sequence);

private:
    std::optional<std::string> failure(const std::string& what);
    // Up to `limit` rows of `sql` (which binds the row to go on after and the limit), each read
    // by `rowAt`; an error text leaves `rows` empty.
    template <typename Row>
    std::optional<std::string> readRowsAfter(const char* sql, std::int64_t after, int limit,
                                             std::vector<Row>& rows,
                                             Row (*rowAt)(const SqliteStatement&));

    std::string path_;
    std::unique_ptr<SqliteDatabase> db_;
    std::string run_;
};

}  // namespace mensora
