#pragma once
// The journal's SQLite file: the one place that sees SQLite. Used from one thread only, the
// journal's writer.
//
// Durability: WAL with synchronous=FULL. Every commit syncs the write-ahead log, so a record
// is on the disk, not only in the system's cache, when its batch commits (within 200 ms of
// being taken): a killed program loses nothing committed, a power cut at most the batch
// under way. NORMAL would sync only at checkpoints, minutes apart at the Auto floor. The cost,
// one sync per batch on the writer's thread, only makes the next batch larger; the window
// never waits for it.
// Checkpoints: SQLite's own, passive, when the log passes 1000 pages (about 4 MB), run by the
// writer inside that commit; passive never waits for a reader (the plant's sender), and the
// log is cut back to 4 MB once a checkpoint has reset it, so it stays small on disk.
// Sharing: the plant's sender reads the file and writes its mark with a connection of its
// own; statements are lent for one use (sqlite_database.h), so that none holds an old snapshot
// of the file past its use.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "journal/journal_record.h"
#include "journal/journal_schema.h"
#include "journal/sqlite_database.h"

namespace mensora {

// The value field a frame leaves: the list's text in blanks. The journal keeps only other
// fields.
ValueFieldText paddedValueText(std::string_view text);

class JournalFile {
public:
    // Opens the journal at path, making it and its tables when new; nullptr and why not.
    static std::unique_ptr<JournalFile> open(const std::string& path, JournalError& error);
    ~JournalFile();
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;

    // Starts this session (one start of the program; the file's run id is another thing),
    // and tells what the previous session left unsaved if it did not end normally.
    std::optional<JournalError> startSession(const LocalDateTime& now,
                                             std::optional<UnsavedRecords>& unsaved);
    // Drops, in one short transaction, the rows of the next slice of the journal that are
    // older than keepDays days before now, that a record file covers and that the plant holds.
    // Slices go from the oldest row to the last one there was at the run's start; false once
    // every slice is done (or on a failure, which leaves the rows for the next start).
    bool pruneSlice(const LocalDateTime& now, int keepDays);
    // Writes the entries in order, in one transaction. A failure leaves the file and what
    // this object knows as before the call, so that the same entries can be written again.
    std::optional<JournalError> write(const std::vector<JournalEntry>& entries);
    // The journal's row of the last record written (0 before any).
    std::int64_t lastSequence() const { return lastSeq_; }
    // The records of list up to the journal's row lastSeq, in order.
    std::optional<JournalError> readList(std::int64_t list, std::int64_t lastSeq,
                                         std::vector<JournalRecord>& records);

    // Every run the journal holds, the one with the latest record first.
    std::optional<JournalError> readRuns(std::vector<JournalRun>& runs);

private:
    JournalFile(std::unique_ptr<SqliteDatabase> db, std::string path);

    static JournalError errorOf(SqliteFailure failure, const std::string& path,
                                const std::string& detail);
    std::optional<JournalError> failure() const;
    JournalError failureOrOther() const;
    std::optional<UnsavedRecords> unsavedRecords();
    // The time stamp of the journal's row seq, left as it was when there is no such row.
    bool takenAt(std::int64_t seq, std::string& time);
    bool apply(const JournalEntry& entry);
    bool insert(const JournalRecord& record);
    bool insert(const JournalGaugeStudy& study);
    bool insert(const JournalAlarm& alarm);
    bool mark(std::int64_t list, journal_schema::MarkKind kind, std::uint32_t upTo,
              const LocalDateTime& at);
    // Forgets the side rows known, after a transaction that may have made some was undone.
    void forgetSideRows();
    std::optional<std::int64_t> parametersId(const JournalRecord& record);
    std::optional<std::int64_t> traceId(const TraceValues& trace);
    std::optional<std::int64_t> planId(const std::shared_ptr<const InspectionPlan>& plan);
    bool keepPlace(const JournalPlanPlace& place);
    // Where the walk stood as the previous session ended; then none, for this session.
    bool takePlace(JournalPlanPlace& place);
    // The plan kept as `id`, read once for all the records that name it.
    std::shared_ptr<const InspectionPlan> keptPlan(
        std::int64_t id, std::map<std::int64_t, std::shared_ptr<const InspectionPlan>>& read);
    // The id of the side row that find finds, made by insert when there is none; bind puts
    // the row's values into either statement.
    std::optional<std::int64_t> sideRow(const char* find, const char* insert,
                                        const std::function<void(SqliteStatement&)>& bind);
    // The same, remembered in `known` by key.
    template <typename Key>
    std::optional<std::int64_t> knownSideRow(std::map<Key, std::int64_t>& known, Key key,
                                             const char* find, const char* insert,
                                             const std::function<void(SqliteStatement&)>& bind);

    std::unique_ptr<SqliteDatabase> db_;
    std::string path_;
    std::int64_t session_ =
        0;  // this start of the program (journal_session), not the file's run id
    // The list the next record joins; 0 until its first record (after start and Clear).
    std::int64_t list_ = 0;
    std::int64_t lastList_ = 0;
    std::int64_t lastSeq_ = 0;
    // The journal's row of each alarm this start of the program raised, by its number in the
    // board's log: an acknowledgement names its alarm by the row, which no later start can
    // repeat, as the numbers of a list resumed after a restart would.
    std::map<std::uint32_t, std::int64_t> alarmRows_;
    // The pruning's next slice starts after this row; it ends at pruneEnd_.
    std::int64_t pruneAfter_ = 0;
    std::int64_t pruneEnd_ = 0;
    // Side rows already in the file, so that a record names them without a lookup.
    std::map<std::tuple<float, float, float, std::string>, std::int64_t> parameterIds_;
    std::map<std::tuple<std::string, std::string, std::string, std::string, std::string>,
             std::int64_t>
        traceIds_;
    // Plans by the object the window handed over, which this keeps alive so that no other
    // plan can take its address.
    std::map<std::shared_ptr<const InspectionPlan>, std::int64_t> planIds_;
};

}  // namespace mensora
