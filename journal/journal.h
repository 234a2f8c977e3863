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
// commit every 50 ms, not one a record, and the window seldom has to wake the writer. What the writer finds (records to offer back at start, the first failure)
// comes back through the WindowThread.

#include <functional>
#include <memory>
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
    // unsaved, and the first failure to write (only the first: the user is told once).
    struct Reports {
        std::function<void(const UnsavedRecords&)> unsaved;
        std::function<void(const JournalError&)> failed;
    };

    // The writer pauses on `clock` to gather what comes in before each commit.
    Journal(FileSystem& files, WorkQueue& work, WindowThread& window, Clock& clock);
    // The program ends normally: noted after everything handed over before.
    ~Journal();
    Journal(const Journal&) = delete;
    Journal& operator=(const Journal&) = delete;

    // Opens this window's journal: drops rows older than keepDays days (0 keeps all) that a
    // record file covers, and reports what the previous run of this window left unsaved.
    void open(const LocalDateTime& now, int keepDays, Reports reports);

    void add(JournalRecord record);
    void mark(const JournalMark& mark);
    // The answer to the offer of `unsaved`. Taken, the records of its list up to the last one
    // offered come back through `restored`, and the list goes on in this run.
    void answer(const UnsavedRecords& unsaved, bool restore, const LocalDateTime& at,
                std::function<void(std::vector<JournalRecord>)> restored);

private:
    class Writer;
    void hand(JournalEntry entry);

    WorkQueue& work_;
    std::shared_ptr<Writer> writer_;  // the jobs share it: it lives until the last has run
};

}  // namespace mensora
