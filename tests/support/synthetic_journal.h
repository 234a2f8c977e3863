#pragma once
// A journal made for the plant database's tests and load tool: a real SQLite file in WAL mode
// with the tables and the view the plant's sender reads (journal_run, journal_record,
// plant_sent), filled with records as fast or as slowly as the test wants.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "plant/plant_record.h"

struct sqlite3;

namespace mensora::test {

class SyntheticJournal {
public:
    // Creates the file afresh, with its run.
    SyntheticJournal(const std::string& path, const std::string& run);
    ~SyntheticJournal();
    SyntheticJournal(const SyntheticJournal&) = delete;
    SyntheticJournal& operator=(const SyntheticJournal&) = delete;

    // Appends the records in one transaction; each gets the journal's next sequence, which
    // is written back into it.
    void append(std::vector<PlantRecord>& records);
    const std::string& path() const { return path_; }
    // The sender's mark lost, as when the program died before writing it.
    void forgetPlantSent() { run("UPDATE plant_sent SET up_to = NULL"); }
    // What the sender marked as held by the plant (NULL: nothing marked).
    std::optional<std::int64_t> plantSentUpTo();

private:
    void run(const char* sql);

    std::string path_;
    sqlite3* db_ = nullptr;
};

// A run id as the journal makes them: 32 lowercase hex digits, from a seed.
std::string runIdFrom(std::uint64_t seed);
// The record `number` of a bench that measures a shaft: values around 12 mm, every tenth NG.
PlantRecord sampleRecord(std::int64_t number);

}  // namespace mensora::test
