#pragma once
// What the plant database's tests share: the test server's connection string, a journal file
// of the test's own, and the check that the server holds a journal's records once each, with
// the journal's values.

#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "journal/journal_outbox.h"
#include "plant/plant_sender.h"
#include "tests/plant/plant_rows.h"

namespace mensora::test {

// The server tests/plant/with-postgres started; without it the test fails, it never skips.
inline std::string testConnection() {
    const char* connection = std::getenv("MENSORA_PLANT_TEST_CONNECTION");
    if (connection == nullptr) {
        ADD_FAILURE() << "no test server: run the plant tests through tests/plant/with-postgres";
        return {};
    }
    return connection;
}

inline std::string journalPath(const std::string& name) {
    const auto folder = std::filesystem::temp_directory_path() / "mensora-plant-tests";
    std::filesystem::create_directories(folder);
    return (folder / (name + ".db")).string();
}

// Rounds until everything is sent; the rounds' own waits are skipped (nothing here is timed).
inline PlantStatus sendUntilUpToDate(PlantSender& sender, int rounds = 50) {
    PlantSender::Round round;
    for (int i = 0; i < rounds && !round.status.upToDate; ++i) round = sender.sendSome();
    return round.status;
}

inline std::optional<double> numberIn(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    double number = 0;
    std::from_chars(text->data(), text->data() + text->size(), number);
    return number;
}

inline const char* verdictName(const std::optional<Verdict>& verdict) {
    static const char* const names[] = {"OK", "OverUpper", "UnderLower"};
    return verdict ? names[static_cast<int>(*verdict)] : "";
}

// The server's rows of (bench, run) are the records, in order, each once, value for value.
inline void expectServerHolds(const std::string& connection, const std::string& bench,
                              const std::string& run, const std::vector<OutboxRecord>& records) {
    const auto rows = plantRows(
        connection,
        "SELECT sequence, number, to_char(taken_at, 'YYYY-MM-DD HH24:MI:SS'), value, value_text,"
        " error, verdict, nominal, upper_tolerance, lower_tolerance, unit, part, characteristic,"
        " lot, operator_name, gauge_id, part_serial FROM mensora_record WHERE bench = '" +
            bench + "' AND run = '" + run + "' ORDER BY sequence");
    ASSERT_EQ(rows.size(), records.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const PlantRow& row = rows[i];
        const OutboxRecord& record = records[i];
        SCOPED_TRACE("record " + std::to_string(record.sequence));
        EXPECT_EQ(row[0], std::to_string(record.sequence));
        EXPECT_EQ(row[1],
                  record.number ? std::optional(std::to_string(*record.number)) : std::nullopt);
        EXPECT_EQ(row[2], record.takenAt);
        EXPECT_EQ(numberIn(row[3]), record.value);
        EXPECT_EQ(row[4], record.valueText);
        EXPECT_EQ(numberIn(row[5]), record.error);
        EXPECT_EQ(row[6].value_or(""), verdictName(record.verdict));
        EXPECT_EQ(numberIn(row[7]), record.nominal);
        EXPECT_EQ(numberIn(row[8]), record.upperTolerance);
        EXPECT_EQ(numberIn(row[9]), record.lowerTolerance);
        EXPECT_EQ(row[10], record.unit);
        EXPECT_EQ(row[11], record.part);
        EXPECT_EQ(row[12], record.characteristic);
        EXPECT_EQ(row[13], record.lot);
        EXPECT_EQ(row[14], record.operatorName);
        EXPECT_EQ(row[15], record.gaugeId);
        EXPECT_EQ(row[16], record.partSerial);
    }
}

}  // namespace mensora::test
