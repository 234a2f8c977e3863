#pragma once
// The journal: every record written to a SQLite file in the user's data folder as it is
// taken, so that a crash, a kill or a power cut loses none that the list had shown. One
// journal per running window, as the autosave has one name each: the first window keeps
// journal.db, a second one started while it runs journal-2.db, and so on, each held by the
// window that writes it.
//
// Everything is written away from the window's thread, on the WorkQueue it is given: the
// window hands over what happened and never waits. Entries are committed in batches: the
// writer gathers for 50 ms from the first entry it is woken for, then commits all that came,
// so that a record is on disk within 200 ms of being taken while Auto at its fastest costs a
// commit every 50 ms, not one a record, and the window seldom has to wake the writer. What the
// writer finds (records to offer back at start, a failure, the end of one) comes back through
// the WindowThread.
//
// A commit that fails keeps its entries: they wait in memory, with all that comes after them,
// until retry() finds the file writable again, and are then committed in order. Old rows are
// pruned after the start, a slice at a time between the commits, so that a large journal never
// holds a record of this run back from the disk.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "base/clock.h"
#include "base/window_thread.h"
#include "base/work_queue.h"
#include "files/file_system.h"
#include "journal/journal_record.h"

namespace mensora {

class Journal {
public:
    // What the journal tells the window: the records a run that did not end normally left
    // unsaved; that the journal cannot be written, once when it starts failing; and once that
    // it is written again, with everything that waited.
    struct Reports {
        std::function<void(const UnsavedRecords&)> unsaved;
        std::function<void(const JournalError&)> failed;
        std::function<void()> recovered;
        // The journal's file, once open, and the number of the window it belongs to (1 for
        // journal.db, 2 for journal-2.db ...): the plant database's outbox.
        std::function<void(const std::string& path, unsigned window)> opened;
    };

    // The writer pauses on `clock` to gather what comes in before each commit.
    Journal(FileSystem& files, WorkQueue& work, WindowThread& window, Clock& clock);
    // The program ends normally: noted after everything handed over before.
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // Opens this window's journal: reports what the previous run of this window left unsaved,
    // then drops the rows older than keepDays days (0 keeps all) that a record file covers and
    // the plant holds (plant_sent; no plant database, no condition).
    void open(const LocalDateTime& now, int keepDays, Reports reports);

    void add(JournalRecord record);
    void mark(const JournalMark& mark);
    // A gauge study with all its readings, kept apart from the records.
    void keepStudy(JournalGaugeStudy study);
    // Each line of the alarm log as it is added, in the log's order. Its number is the key
    // within the list's log: a second line of the list under a number already kept is not
    // kept, so that it can never stop the records behind it.
    void keepAlarm(JournalAlarm entry);
    // Where the plan's walk stands now; only the latest is kept.
    void keepPlace(JournalPlanPlace place);
    // While the journal fails: the writer tries again to open the file or write what waits.
    void retry();

    // How far the writer has got, as the plant database's door needs it. Any thread.
    struct Progress {
        std::uint64_t recordsWaiting = 0;  // handed over, not yet committed
        std::int64_t lastSequence = 0;     // the journal's row of the last record committed
        bool failing = false;              // the file cannot be opened or written now
    };
    Progress progress() const;
    // The answer to the offer of `unsaved`. Taken, the records of its list up to the last one
    // offered come back through `restored`, and the list goes on in this run.
    void answer(const UnsavedRecords& unsaved, bool restore, const LocalDateTime& at,
                std::function<void(std::vector<JournalRecord>)> restored);

    // For the Earlier runs window, each after every entry handed over before it, told on the
    // window's thread; nothing while the journal cannot be read. The runs the journal holds,
    // the latest first:
    void readRuns(std::function<void(std::optional<std::vector<JournalRun>>)> read);
    // Every record of run `list` that the journal holds, in order:
    void readRun(std::int64_t list,
                 std::function<void(std::optional<std::vector<JournalRecord>>)> read);
    // The list, cleared before, goes on as run `list`, whose records the window put back.
    void resume(std::int64_t list, const LocalDateTime& at);

private:
    class Writer;
    void hand(JournalEntry entry);

    WorkQueue& work_;
    std::shared_ptr<Writer> writer_;  // the jobs share it: it lives until the last has run
};

}  // namespace mensora
