#include "journal/journal.h"

#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "journal/journal_file.h"

namespace mensora {
namespace {

// How long the writer gathers entries before a commit.
constexpr std::uint32_t kGatherMs = 50;
// Far more windows than one bench PC runs at once.
constexpr unsigned kSlots = 99;

// What the window of slot n holds, and its journal's name with ".db".
std::string slotName(unsigned slot) {
    return slot > 1 ? "journal-" + std::to_string(slot) : "journal";
}

}  // namespace

// The writer's side: everything here but hand() runs on the work queue's thread.
class Journal::Writer {
public:
    Writer(FileSystem& files, WindowThread& window, Clock& clock)
        : files_(files), window_(window), clock_(clock) {}

    // From the window's thread: true when no drain is waiting for the entry yet.
    bool hand(JournalEntry entry) {
        const std::lock_guard lock(mutex_);
        pending_.push_back(std::move(entry));
        if (drainWaiting_) return false;
        drainWaiting_ = true;
        return true;
    }

    void open(const LocalDateTime& now, int keepDays, Reports reports) {
        failed_ = std::move(reports.failed);
        const std::optional<std::string> folder = files_.localDataDirectory();
        if (!folder) {
            report({JournalError::Cause::FolderNotWritable, {}, {}});
            return;
        }
        unsigned slot = 1;
        for (; slot <= kSlots; ++slot) {
            NameClaiming claiming = files_.claimName(*folder, slotName(slot));
            if (claiming.heldElsewhere) continue;
            // A name that cannot be held (a folder the program may not write to) is used all
            // the same: opening the file then tells the user what is wrong.
            claim_ = std::move(claiming.claim);
            break;
        }
        JournalError error;
        file_ = JournalFile::open(*folder + slotName(slot) + ".db", error);
        if (!file_) {
            report(error);
            return;
        }
        std::optional<UnsavedRecords> unsaved;
        if (const auto failure = file_->startRun(now, keepDays, unsaved)) {
            file_.reset();
            report(*failure);
            return;
        }
        if (unsaved) {
            window_.post([tell = std::move(reports.unsaved), found = *unsaved] { tell(found); });
        }
    }

    // Commits everything handed over until the gathering ends, in one transaction.
    void drain() {
        clock_.pause(kGatherMs);
        {
            const std::lock_guard lock(mutex_);
            batch_.swap(pending_);
            drainWaiting_ = false;
        }
        if (file_) {
            if (const auto failure = file_->write(batch_)) report(*failure);
        }
        batch_.clear();  // its room serves the window's next entries
    }

    void read(const UnsavedRecords& unsaved,
              std::function<void(std::vector<JournalRecord>)> restored) {
        std::vector<JournalRecord> records;
        if (file_) {
            if (const auto failure = file_->readList(unsaved.list, unsaved.lastSeq, records)) {
                report(*failure);
            }
        }
        window_.post([give = std::move(restored), records = std::move(records)]() mutable {
            give(std::move(records));
        });
    }

private:
    void report(const JournalError& error) {
        if (reported_ || !failed_) return;
        reported_ = true;
        window_.post([tell = failed_, error] { tell(error); });
    }

    FileSystem& files_;
    WindowThread& window_;
    Clock& clock_;
    std::function<void(const JournalError&)> failed_;
    bool reported_ = false;
    std::unique_ptr<NameClaim> claim_;
    std::unique_ptr<JournalFile> file_;
    std::mutex mutex_;
    std::vector<JournalEntry> pending_;  // handed over, not yet taken by a drain
    bool drainWaiting_ = false;
    std::vector<JournalEntry> batch_;  // the drain's, swapped with pending_
};

Journal::Journal(FileSystem& files, WorkQueue& work, WindowThread& window, Clock& clock)
    : work_(work), writer_(std::make_shared<Writer>(files, window, clock)) {}

Journal::~Journal() { hand(JournalEnd{}); }

void Journal::open(const LocalDateTime& now, int keepDays, Reports reports) {
    work_.submit([writer = writer_, now, keepDays, reports = std::move(reports)]() mutable {
        writer->open(now, keepDays, std::move(reports));
    });
}

void Journal::add(JournalRecord record) { hand(std::move(record)); }

void Journal::mark(const JournalMark& mark) { hand(mark); }

void Journal::answer(const UnsavedRecords& unsaved, bool restore, const LocalDateTime& at,
                     std::function<void(std::vector<JournalRecord>)> restored) {
    hand(JournalRestoreAnswer{unsaved.list, restore, at});
    if (!restore) return;
    work_.submit([writer = writer_, unsaved, restored = std::move(restored)]() mutable {
        writer->read(unsaved, std::move(restored));
    });
}

void Journal::hand(JournalEntry entry) {
    if (writer_->hand(std::move(entry))) work_.submit([writer = writer_] { writer->drain(); });
}

}  // namespace mensora
