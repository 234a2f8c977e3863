#include "journal/journal.h"

#include <algorithm>
#include <atomic>
#include <iterator>
#include <limits>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "files/window_slot.h"
#include "journal/journal_file.h"

namespace mensora {
namespace {

// How long the writer gathers entries before a commit.
constexpr std::uint32_t kGatherMs = 50;
// What every window holds to keep its number, and its journal's name with its number.
constexpr const char* kJournalStem = "journal";

}  // namespace

// The writer's side: everything here but hand(), wake(), end() and progress() runs on the
// work queue's thread.
class Journal::Writer : public std::enable_shared_from_this<Writer> {
public:
    Writer(FileSystem& files, WorkQueue& work, WindowThread& window, Clock& clock)
        : files_(files), work_(work), window_(window), clock_(clock) {}

    // From the window's thread: true when no drain is waiting for the entry yet.
    bool hand(JournalEntry entry) {
        const std::lock_guard lock(mutex_);
        if (std::holds_alternative<JournalRecord>(entry)) ++recordsHanded_;
        pending_.push_back(std::move(entry));
        return wakeLocked();
    }
    // From the window's thread: true when a drain is to be submitted.
    bool wake() {
        const std::lock_guard lock(mutex_);
        return wakeLocked();
    }
    // From the window's thread, as the program ends: no more slices of pruning.
    void end() { ending_ = true; }

    Progress progress() const {
        const std::lock_guard lock(mutex_);
        return {recordsHanded_ - recordsWritten_, lastSequence_, failing_};
    }

    void open(const LocalDateTime& now, int keepDays, Reports reports) {
        reports_ = std::move(reports);
        now_ = now;
        keepDays_ = keepDays;
        folder_ = files_.localDataDirectory();
        if (!folder_) {
            failed({JournalError::Cause::FolderNotWritable, {}, {}});
            return;
        }
        WindowSlot slot = claimWindowSlot(files_, *folder_, kJournalStem);
        claim_ = std::move(slot.claim);
        slot_ = slot.number;
        openFile();
    }

    // Commits everything handed over until the gathering ends, in one transaction; a retry
    // first opens the file if it could not be opened.
    void drain() {
        clock_.pause(kGatherMs);
        {
            const std::lock_guard lock(mutex_);
            std::move(pending_.begin(), pending_.end(), std::back_inserter(batch_));
            pending_.clear();
            drainWaiting_ = false;
        }
        if (!file_ && folder_) openFile();
        if (!file_ && !folder_) batch_.clear();  // no data folder: nowhere to keep them
        if (!file_ || batch_.empty()) return;
        if (const auto failure = file_->write(batch_)) {
            failed(*failure);  // the batch stays, ahead of what comes next
            return;
        }
        const auto records = std::count_if(batch_.begin(), batch_.end(), [](const JournalEntry& e) {
            return std::holds_alternative<JournalRecord>(e);
        });
        batch_.clear();  // its room serves the window's next entries
        {
            const std::lock_guard lock(mutex_);
            recordsWritten_ += static_cast<std::uint64_t>(records);
            lastSequence_ = file_->lastSequence();
        }
        succeeded();
    }

    void read(const UnsavedRecords& unsaved,
              std::function<void(std::vector<JournalRecord>)> restored) {
        std::vector<JournalRecord> records;
        if (file_) {
            if (const auto failure = file_->readList(unsaved.list, unsaved.lastSeq, records)) {
                failed(*failure);
            }
        }
        window_.post([give = std::move(restored), records = std::move(records)]() mutable {
            give(std::move(records));
        });
    }

    // A read for the Earlier runs window, after every entry handed over before it: nothing
    // when the journal cannot be read now. A failure of the read is not one of the journal's.
    template <typename Result>
    void readFor(std::function<std::optional<JournalError>(JournalFile&, Result&)> read,
                 std::function<void(std::optional<Result>)> give) {
        drain();
        std::optional<Result> result;
        if (file_) {
            result.emplace();
            if (read(*file_, *result)) result.reset();
        }
        window_.post([give = std::move(give), result = std::move(result)]() mutable {
            give(std::move(result));
        });
    }

private:
    bool wakeLocked() {
        if (drainWaiting_) return false;
        drainWaiting_ = true;
        return true;
    }

    std::string path() const { return *folder_ + kJournalStem + windowSuffix(slot_) + ".db"; }

    void openFile() {
        JournalError error;
        auto file = JournalFile::open(path(), error);
        std::optional<UnsavedRecords> unsaved;
        if (file) {
            if (const auto failure = file->startSession(now_, unsaved)) {
                file.reset();
                error = *failure;
            }
        }
        if (!file) {
            failed(error);
            return;
        }
        file_ = std::move(file);
        {
            const std::lock_guard lock(mutex_);
            lastSequence_ = file_->lastSequence();
        }
        succeeded();
        window_.post([tell = reports_.opened, path = path(), slot = slot_] {
            if (tell) tell(path, slot);
        });
        if (unsaved) {
            window_.post([tell = reports_.unsaved, found = *unsaved] {
                if (tell) tell(found);
            });
        }
        pruneNextSlice();
    }

    // One slice now, the next one after whatever the window handed over meanwhile.
    void pruneNextSlice() {
        if (ending_ || !file_ || !file_->pruneSlice(now_, keepDays_)) return;
        work_.submit([self = shared_from_this()] { self->pruneNextSlice(); });
    }

    void failed(const JournalError& error) {
        {
            const std::lock_guard lock(mutex_);
            if (failing_) return;
            failing_ = true;
        }
        window_.post([tell = reports_.failed, error] {
            if (tell) tell(error);
        });
    }

    void succeeded() {
        {
            const std::lock_guard lock(mutex_);
            if (!failing_) return;
            failing_ = false;
        }
        window_.post([tell = reports_.recovered] {
            if (tell) tell();
        });
    }

    FileSystem& files_;
    WorkQueue& work_;
    WindowThread& window_;
    Clock& clock_;
    Reports reports_;
    LocalDateTime now_;
    int keepDays_ = 0;
    std::optional<std::string> folder_;
    unsigned slot_ = 1;
    std::unique_ptr<NameClaim> claim_;
    std::unique_ptr<JournalFile> file_;
    std::atomic<bool> ending_{false};
    mutable std::mutex mutex_;
    std::vector<JournalEntry> pending_;  // handed over, not yet taken by a drain
    bool drainWaiting_ = false;
    std::vector<JournalEntry> batch_;  // taken by a drain, not yet committed
    std::uint64_t recordsHanded_ = 0;
    std::uint64_t recordsWritten_ = 0;
    std::int64_t lastSequence_ = 0;
    bool failing_ = false;
};

Journal::Journal(FileSystem& files, WorkQueue& work, WindowThread& window, Clock& clock)
    : work_(work), writer_(std::make_shared<Writer>(files, work, window, clock)) {}

Journal::~Journal() {
    writer_->end();
    hand(JournalEnd{});
}

void Journal::open(const LocalDateTime& now, int keepDays, Reports reports) {
    work_.submit([writer = writer_, now, keepDays, reports = std::move(reports)]() mutable {
        writer->open(now, keepDays, std::move(reports));
    });
}

void Journal::add(JournalRecord record) { hand(std::move(record)); }

void Journal::mark(const JournalMark& mark) { hand(mark); }

void Journal::keepPlace(JournalPlanPlace place) { hand(std::move(place)); }

void Journal::keepStudy(JournalGaugeStudy study) { hand(std::move(study)); }

void Journal::keepAlarm(JournalAlarm entry) { hand(std::move(entry)); }

void Journal::answer(const UnsavedRecords& unsaved, bool restore, const LocalDateTime& at,
                     std::function<void(std::vector<JournalRecord>)> restored) {
    hand(JournalRestoreAnswer{unsaved.list, restore, at});
    if (!restore) return;
    work_.submit([writer = writer_, unsaved, restored = std::move(restored)]() mutable {
        writer->read(unsaved, std::move(restored));
    });
}

void Journal::readRuns(std::function<void(std::optional<std::vector<JournalRun>>)> read) {
    work_.submit([writer = writer_, read = std::move(read)]() mutable {
        writer->readFor<std::vector<JournalRun>>(
            [](JournalFile& file, std::vector<JournalRun>& runs) { return file.readRuns(runs); },
            std::move(read));
    });
}

void Journal::readRun(std::int64_t list,
                      std::function<void(std::optional<std::vector<JournalRecord>>)> read) {
    work_.submit([writer = writer_, list, read = std::move(read)]() mutable {
        writer->readFor<std::vector<JournalRecord>>(
            [list](JournalFile& file, std::vector<JournalRecord>& records) {
                return file.readList(list, std::numeric_limits<std::int64_t>::max(), records);
            },
            std::move(read));
    });
}

void Journal::resume(std::int64_t list, const LocalDateTime& at) {
    hand(JournalRestoreAnswer{list, true, at});
}

void Journal::retry() {
    if (writer_->wake()) work_.submit([writer = writer_] { writer->drain(); });
}

Journal::Progress Journal::progress() const { return writer_->progress(); }

void Journal::hand(JournalEntry entry) {
    if (writer_->hand(std::move(entry))) work_.submit([writer = writer_] { writer->drain(); });
}

}  // namespace mensora
