#pragma once
// What the Earlier runs window does, for both windows: the runs of this window that the
// journal keeps, the latest first; the chosen one saved as a record file or a workbook through
// the same writers and messages as Save, or put back into the list in place of records all
// saved, the list going on as that run. The journal is read away from the window's thread;
// what it finds comes back to the open window.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/acquisition_state.h"
#include "base/clock.h"
#include "base/window_port.h"
#include "dialog/journal_keeping.h"
#include "dialog/station_records.h"
#include "files/record_files.h"
#include "journal/journal.h"
#include "workbook/workbook_export.h"

namespace mensora {

// The open Earlier runs window, as the journal's reads tell it what they found.
class RunsWindowPort {
public:
    virtual ~RunsWindowPort() = default;
    // The runs have been read (or could not be): the lines follow.
    virtual void runsRead() = 0;
};

// The records of one earlier run as the list held them, for its record file and workbook.
std::unique_ptr<StationRecords> earlierRunRecords(const std::vector<JournalRecord>& records);

class EarlierRuns {
public:
    struct Parts {
        Journal& journal;
        JournalKeeping& keeping;
        RecordFiles& files;
        WorkbookExport& workbook;
    };
    EarlierRuns(const Parts& parts, AcquisitionState& state, WindowPort& window);
    EarlierRuns(const EarlierRuns&) = delete;
    EarlierRuns& operator=(const EarlierRuns&) = delete;

    // The window opened in `language` and the runs are read for it (nullptr: it closed).
    void attach(RunsWindowPort* window, Language language);
    // One line a run, or while none can be shown the one line that says why.
    std::vector<std::string> lines() const;
    // Whether lines() are runs that may be chosen.
    bool haveRuns() const { return runs_ && !runs_->empty(); }

    // Save as for the run at `index` of the lines: the save dialog at once, then the run read
    // and written as a record file or a workbook.
    void saveAs(std::optional<std::size_t> index);
    // The run at `index` put back into the list, refused with a message while the list holds
    // unsaved records.
    void restore(std::optional<std::size_t> index);

private:
    const JournalRun* chosen(std::optional<std::size_t> index) const;
    // Refused with a message: nothing may replace the list now.
    bool refusedRestore(const JournalRun& run) const;
    void writeRun(const std::vector<JournalRecord>& records, const RecordFiles::SaveTarget& to);
    void tell(const Bilingual& text) const;
    Language language() const { return window_ != nullptr ? windowLanguage_ : state_.language(); }

    Parts parts_;
    AcquisitionState& state_;
    WindowPort& mainWindow_;
    RunsWindowPort* window_ = nullptr;
    Language windowLanguage_ = Language::Chinese;
    // Since the window's last opening: nothing while they are read, an empty vector when the
    // journal holds none; the read that failed leaves them empty and unreadable_ set.
    std::optional<std::vector<JournalRun>> runs_;
    bool unreadable_ = false;
    // Which opening a read was asked for: an older one's answer is not shown.
    std::uint64_t opening_ = 0;
    // The earlier run a workbook is being written from; kept until the next one.
    std::unique_ptr<StationRecords> written_;
};

}  // namespace mensora
