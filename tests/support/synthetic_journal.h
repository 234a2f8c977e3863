#pragma once
// A journal for the plant database's tests and load tool: a real journal file, written by the
// journal's own writer, filled with records of the test's own values as fast or as slowly as
// the test wants, under a run id the test chooses, so that the sender can be tried alone.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "journal/journal_outbox.h"
#include "journal/journal_record.h"

namespace mensora {
class JournalFile;
}

namespace mensora::test {

class SyntheticJournal {
public:
    // Creates the file afresh, with its run.
    SyntheticJournal(const std::string& path, const std::string& run);
    ~SyntheticJournal();
    SyntheticJournal(const SyntheticJournal&) = delete;
    SyntheticJournal& operator=(const SyntheticJournal&) = delete;

    // Appends the records in one transaction; each gets the journal's next sequence, and the
    // values as the journal holds them, which are written back into it.
    void append(std::vector<OutboxRecord>& records);
    // An entry kept apart from the records (a finished gauge study, a line of an alarm log),
    // kept as the journal keeps one.
    void append(const JournalEntry& entry);
    const std::string& path() const { return path_; }
    // The sender's mark lost, as when the program died before writing it.
    void forgetPlantSent();
    // What the sender marked as held by the plant (NULL: nothing marked).
    std::optional<std::int64_t> plantSentUpTo();

private:
    // Runs sql as another program would; throws when it cannot.
    std::vector<std::string> query(const std::string& sql);

    std::string path_;
    std::unique_ptr<JournalFile> file_;
};

// A run id as the journal makes them: 32 lowercase hex digits, from a seed.
std::string runIdFrom(std::uint64_t seed);
// The record `number` of a bench that measures a shaft: values around 12 mm, every tenth NG.
OutboxRecord sampleRecord(std::int64_t number);

}  // namespace mensora::test
