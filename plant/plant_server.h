#pragma once
// The plant database through ODBC: one connection, the table made when the bench may make it,
// the highest sequence the server holds for a bench's run, and inserts of records in batches,
// every value bound as a parameter. An error is the driver's own text, for the status and the
// Test box. Used off the window's thread only; the ODBC handles stay inside.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "journal/journal_outbox.h"
#include "plant/plant_table.h"

namespace mensora {

class PlantServer {
public:
    PlantServer();
    ~PlantServer();
    PlantServer(const PlantServer&) = delete;
    PlantServer& operator=(const PlantServer&) = delete;

    // Connects with an ODBC connection string; an error text when the driver, the network or
    // the server says no.
    std::optional<std::string> connect(const std::string& connectionString);
    bool connected() const;
    void disconnect();
    // The server's name and version as it gives them ("PostgreSQL 15.18").
    std::string serverName();

    // Makes mensora_record when it is missing, or adds part_serial to one made before it was
    // sent, where the bench's role may.
    std::optional<std::string> makeTable();
    // Makes a table of rows kept apart from the records when it is missing, where the bench's
    // role may.
    std::optional<std::string> makeTable(const plant_table::SideTable& table);
    // The highest sequence the server holds for (bench, run); 0 when it holds none.
    std::optional<std::string> highestSequence(const std::string& bench, const std::string& run,
                                               std::int64_t& highest);
    // The same for the journal's rows that such a table holds.
    std::optional<std::string> highestRow(const plant_table::SideTable& table,
                                          const std::string& bench, const std::string& run,
                                          std::int64_t& highest);
    // Inserts the records, in statements of up to plant_table::kRowsPerInsert rows each.
    std::optional<std::string> insert(const std::string& bench, const std::string& run,
                                      const std::vector<OutboxRecord>& records);
    std::optional<std::string> insert(const std::string& bench, const std::string& run,
                                      const OutboxStudy& study);
    std::optional<std::string> insert(const std::string& bench, const std::string& run,
                                      const OutboxAlarm& alarm);

private:
    std::optional<std::string> highest(const char* sql, const std::string& bench,
                                       const std::string& run, std::int64_t& highest);

    struct Handles;
    std::unique_ptr<Handles> handles_;
};

}  // namespace mensora
