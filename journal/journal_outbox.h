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

#include "plant/plant_record.h"

namespace mensora {

class JournalOutbox {
public:
    // Opens nothing yet: the journal may not exist before the first record.
    explicit JournalOutbox(std::string path);
    ~JournalOutbox();
    JournalOutbox(const JournalOutbox&) = delete;
    JournalOutbox& operator=(const JournalOutbox&) = delete;

    // Opens the journal if it is not open; the run is then known. An error text otherwise.
    std::optional<std::string> open();
    const std::string& run() const { return run_; }

    // Up to `limit` records after `sequence` (0 for all), in the journal's order; an error
    // text leaves `records` empty.
    std::optional<std::string> readAfter(std::int64_t sequence, int limit,
                                         std::vector<PlantRecord>& records);
    // How many records lie after `sequence`; nullopt when the journal cannot be read.
    std::optional<std::int64_t> countAfter(std::int64_t sequence);
    // Up to where the plant was last known to hold the records; 0 when it never was.
    std::int64_t sentMark();
    // The plant holds everything up to `sequence` (nullopt: no plant database any more).
    std::optional<std::string> markSent(std::optional<std::int64_t> sequence);

private:
    struct Connection;
    std::optional<std::string> failure(const char* what);

    std::string path_;
    std::unique_ptr<Connection> connection_;
    std::string run_;
};

}  // namespace mensora
