#pragma once
// Sends one journal's records to the plant database, exactly once through crashes, restarts
// and outages. On connecting it asks the server what it already holds of this bench's run and
// goes on after that; the journal's own mark only keeps unsent records from being dropped, it
// is never what decides what to send. A failure closes the connection and waits longer each
// time, up to 30 s. Each round runs off the window's thread; the caller waits between rounds
// for as long as the round says, so the sender itself never reads a clock.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "journal/journal_outbox.h"
#include "plant/plant_server.h"
#include "plant/plant_status.h"
#include "plant/plant_table.h"

namespace mensora {

struct PlantConfig {
    std::string connection;  // ODBC connection string; empty: no plant database
    std::string bench;
    std::string journalPath;
};

// How long to wait before the next round after `failures` failed rounds in a row.
std::uint32_t plantRetryDelayMs(int failures);

class PlantSender {
public:
    // Records a round sends at most, so that a round never holds the worker for long.
    static constexpr int kRecordsPerRound = 1000;
    // The wait between rounds once everything is sent.
    static constexpr std::uint32_t kIdleDelayMs = 500;

    explicit PlantSender(PlantConfig config);

    struct Round {
        PlantStatus status;
        std::uint32_t nextInMs = 0;
        // The journal's row up to which the server holds every record; unknown after a
        // failed round.
        std::optional<std::int64_t> serverHoldsUpTo;
    };
    // Runs on the calling thread below normal priority.
    Round sendSome();

private:
    std::optional<std::string> connect();
    std::optional<std::string> sendBatch();
    Round failed(std::string error);

    // Rows the journal keeps apart from the records (the gauge studies, the lines of the alarm
    // logs), sent after the records, each once: on connecting the server is asked for the
    // highest it holds, and the sending goes on after it.
    template <typename Row>
    struct SideRows {
        const plant_table::SideTable& table;
        std::optional<std::string> (JournalOutbox::*read)(std::int64_t after, int limit,
                                                          std::vector<Row>& rows);
        int perRound;
        bool tableThere = false;  // valid while connected
        std::int64_t serverHolds = 0;
        std::vector<Row> rows{};
    };
    template <typename Row>
    void askServer(SideRows<Row>& side);
    template <typename Row>
    std::optional<std::string> send(SideRows<Row>& side);

    PlantConfig config_;
    JournalOutbox journal_;
    PlantServer server_;
    std::int64_t serverHolds_ = 0;  // valid while connected
    int failures_ = 0;
    std::vector<OutboxRecord> batch_;
    // A few studies a day, those of one round few enough to send whole; alarms come in bursts
    // when a process drifts.
    SideRows<OutboxStudy> studies_{plant_table::kGaugeStudies, &JournalOutbox::readStudiesAfter,
                                   20};
    SideRows<OutboxAlarm> alarms_{plant_table::kAlarms, &JournalOutbox::readAlarmsAfter, 200};
};

}  // namespace mensora
