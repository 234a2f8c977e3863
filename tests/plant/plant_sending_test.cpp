// Sending a journal's records to a real PostgreSQL server: each arrives once with the journal's
// values, whatever text it carries; a bad connection says why once and loses nothing.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <regex>
#include <string>

#include "charts/running_capability.h"
#include "measure/gauge_study.h"
#include "measure/judgement.h"
#include "plant/plant_sender.h"
#include "plant/plant_status.h"
#include "plant/utf16_text.h"
#include "tests/plant/plant_test_support.h"
#include "tests/support/sample_alarms.h"
#include "tests/support/synthetic_journal.h"

namespace mensora::test {
namespace {

std::vector<OutboxRecord> sampleRecords(int count) {
    std::vector<OutboxRecord> records;
    for (int i = 1; i <= count; ++i) records.push_back(sampleRecord(i));
    return records;
}

// Texts the operator types are data: quotes, SQL, Chinese and NULL reach the table as given;
// a part's serial too, and none where no plan was in force.
TEST(PlantSending, RecordsArriveOnceWithTheirTextVerbatim) {
    const std::string connection = testConnection();
    SyntheticJournal journal(journalPath("verbatim"), runIdFrom(1));
    std::vector<OutboxRecord> records = sampleRecords(250);
    const char* const texts[] = {"x'); DROP TABLE mensora_record;--", "外径 Ø12.5 ±0.02",
                                 "批次 二〇二六-十二", "O'Brien \"quoted\" \\ back;\t--",
                                 "𝑥 beyond the basic plane"};
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        OutboxRecord& record = records[i * 40];
        record.part = record.characteristic = record.lot = record.operatorName = texts[i];
        records[i * 40 + 1].partSerial = texts[i];
    }
    records[7].part.reset();  // recorded before any part was given
    records[7].gaugeId.reset();
    journal.append(records);

    PlantSender sender({connection, "bench-verbatim", journal.path()});
    EXPECT_TRUE(sendUntilUpToDate(sender).upToDate);

    expectServerHolds(connection, "bench-verbatim", runIdFrom(1), records);
    EXPECT_EQ(journal.plantSentUpTo(), records.back().sequence);
}

// The plant's capability view gives the figures the bench gives for the same records, each
// named as the bench names it (run by plant_database_sql_test, against the view that
// docs/plant-database.sql makes).
TEST(PlantSending, TheCapabilityViewFiguresAsTheBenchDoes) {
    if (std::getenv("MENSORA_PLANT_TEST_VIEW") == nullptr) GTEST_SKIP() << "no view made";
    const std::string connection = testConnection();
    SyntheticJournal journal(journalPath("view"), runIdFrom(6));
    std::vector<OutboxRecord> records = sampleRecords(40);
    // As the bench holds them: the readings and sizes in single precision.
    RunningCapability bench;
    for (OutboxRecord& record : records) {
        record.part = "VIEW-1";
        record.lot = "L-view";
        bench.add(static_cast<float>(*record.value));
    }
    journal.append(records);
    PlantSender sender({connection, "bench-view", journal.path()});
    ASSERT_TRUE(sendUntilUpToDate(sender).upToDate);

    Parameters sizes;
    sizes.nominal = static_cast<float>(*records[0].nominal);
    sizes.upperTolerance = static_cast<float>(*records[0].upperTolerance);
    sizes.lowerTolerance = static_cast<float>(*records[0].lowerTolerance);
    const CapabilityFigures expected = bench.figures(toleranceLimits(sizes));
    const auto rows = plantRows(connection, "SELECT n, mean, sigma, sigma_within, cp, cpk, pp, ppk"
                                            " FROM mensora_capability WHERE part = 'VIEW-1'");
    ASSERT_EQ(rows.size(), 1u);
    const PlantRow& row = rows[0];
    EXPECT_EQ(row[0], std::to_string(expected.count));
    const std::optional<double> figures[] = {expected.mean, expected.sigma, expected.sigmaWithin,
                                             expected.cp,   expected.cpk,   expected.pp,
                                             expected.ppk};
    const char* const names[] = {"mean", "sigma", "sigma_within", "cp", "cpk", "pp", "ppk"};
    for (std::size_t i = 0; i < std::size(figures); ++i) {
        ASSERT_TRUE(figures[i] && row[i + 1]) << names[i];
        EXPECT_NEAR(std::stod(*row[i + 1]), *figures[i], 1e-9 * std::abs(*figures[i])) << names[i];
    }
}

// A crash between the insert and the journal's mark, a restart or a resend: the server is
// asked what it holds, so nothing goes twice and later records still go.
TEST(PlantSending, ASenderStartedAgainGoesOnAfterWhatTheServerHolds) {
    const std::string connection = testConnection();
    SyntheticJournal journal(journalPath("restart"), runIdFrom(2));
    std::vector<OutboxRecord> records = sampleRecords(120);
    journal.append(records);
    {
        PlantSender first({connection, "bench-restart", journal.path()});
        ASSERT_TRUE(sendUntilUpToDate(first).upToDate);
    }
    journal.forgetPlantSent();
    std::vector<OutboxRecord> later = sampleRecords(30);
    journal.append(later);
    records.insert(records.end(), later.begin(), later.end());

    PlantSender second({connection, "bench-restart", journal.path()});
    EXPECT_TRUE(sendUntilUpToDate(second).upToDate);
    expectServerHolds(connection, "bench-restart", runIdFrom(2), records);
}

// Finished gauge studies follow the records, each once, even when the sender starts again; an
// index that every reading being equal leaves undefined arrives as NULL.
TEST(PlantSending, GaugeStudiesArriveOnceWithTheirFigures) {
    const std::string connection = testConnection();
    SyntheticJournal journal(journalPath("studies"), runIdFrom(6));
    std::vector<OutboxRecord> records = sampleRecords(2);
    journal.append(records);
    const auto finished = [](const std::vector<double>& readings, const char* gauge) {
        auto study = GaugeStudy::start({10.0, 0.1, static_cast<int>(readings.size())});
        for (const double reading : readings) study->add(reading, 3);
        return FinishedGaugeStudy{
            {2026, 12, 11, 7, 30, 0}, gauge, "mm", study->setup(), study->readings(),
            *study->figures()};
    };
    journal.append(finished(
        {10.002, 10.001, 10.003, 10.002, 10.000, 10.002, 10.003, 10.001, 10.002, 10.004}, "G-7"));
    {
        PlantSender first({connection, "bench-studies", journal.path()});
        ASSERT_TRUE(sendUntilUpToDate(first).upToDate);
    }
    journal.append(finished(std::vector<double>(10, 10.001), "量具 2"));
    PlantSender again({connection, "bench-studies", journal.path()});
    ASSERT_TRUE(sendUntilUpToDate(again).upToDate);

    const std::vector<PlantRow> rows = plantRows(
        connection, "SELECT study, finished_at, gauge_id, reading_count, substr(readings, 1, 13),"
                    " round(mean::numeric, 5), round(cg::numeric, 2),"
                    " CASE WHEN cgk IS NULL THEN 'none' ELSE 'some' END, capable"
                    " FROM mensora_gauge_study WHERE bench = 'bench-studies' ORDER BY study");
    const std::vector<PlantRow> expected = {
        {"1", "2026-12-11 07:30:00", "G-7", "10", "10.002 10.001", "10.00200", "2.89", "some", "1"},
        {"2", "2026-12-11 07:30:00", "量具 2", "10", "10.001 10.001", "10.00100", std::nullopt,
         "none", "0"},
    };
    EXPECT_EQ(rows, expected);
}

// The lines of the alarm logs follow the records, each once, even when the sender starts
// again; what a line's kind has not arrives as NULL, an empty text as itself.
TEST(PlantSending, AlarmsArriveOnceAfterTheRecordsWithNullsWhereTheirKindHasNone) {
    const std::string connection = testConnection();
    SyntheticJournal journal(journalPath("alarms"), runIdFrom(8));
    std::vector<OutboxRecord> records = sampleRecords(20);
    journal.append(records);
    const std::vector<AlarmEntry> log = sampleAlarms();
    journal.append(log[0]);
    journal.append(log[1]);
    {
        PlantSender first({connection, "bench-alarms", journal.path()});
        ASSERT_TRUE(sendUntilUpToDate(first).upToDate);
    }
    for (std::size_t line = 2; line < log.size(); ++line) journal.append(log[line]);
    PlantSender again({connection, "bench-alarms", journal.path()});
    ASSERT_TRUE(sendUntilUpToDate(again).upToDate);

    const std::vector<PlantRow> rows =
        plantRows(connection, "SELECT alarm, number, kind, at, rule, range_chart, characteristic,"
                              " first_record, last_record, acknowledges, cause, note"
                              " FROM mensora_alarm WHERE bench = 'bench-alarms' ORDER BY alarm");
    const std::optional<std::string> null;
    const std::vector<PlantRow> expected = {
        {"1", "1", "raised", "2026-12-07 08:00:09", "2", "0", "Ø 12 ±0.045", "1", "9", null, null,
         null},
        {"2", "2", "raised", "2026-12-07 08:00:12", "1", "1", "", "11", "12", null, null, null},
        {"3", "3", "acknowledged", "2026-12-07 08:01:00", null, null, null, null, null, "1",
         "刀具磨损", ""},
        {"4", "4", "raised", "2026-12-07 08:00:20", "5", "0", "Ø 12 ±0.045", "18", "20", null, null,
         null},
        {"5", "5", "acknowledged", "2026-12-07 08:01:15", null, null, null, null, null, "4", "",
         "换刀后复测"},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(plantRowCount(connection, "bench = 'bench-alarms'"), 20);
}

// A server whose table was made before benches sent the part's serial: the first bench that
// connects gives the table its column, and the serials arrive.
TEST(PlantSending, ATableMadeBeforeThePartsSerialIsGivenItsColumn) {
    const std::string connection = testConnection();
    SyntheticJournal journal(journalPath("serial"), runIdFrom(5));
    std::vector<OutboxRecord> records = sampleRecords(3);
    records[0].partSerial = "SN-0815";
    journal.append(records);
    {
        PlantSender maker({connection, "bench-serial", journal.path()});
        ASSERT_TRUE(sendUntilUpToDate(maker).upToDate);
    }
    plantRows(connection, "ALTER TABLE mensora_record DROP COLUMN part_serial");
    std::vector<OutboxRecord> later = sampleRecords(2);
    later[1].partSerial = "7";
    journal.append(later);

    PlantSender sender({connection, "bench-serial", journal.path()});
    EXPECT_TRUE(sendUntilUpToDate(sender).upToDate);
    for (OutboxRecord& record : records) record.partSerial.reset();  // went before the column
    records.insert(records.end(), later.begin(), later.end());
    expectServerHolds(connection, "bench-serial", runIdFrom(5), records);
}

struct BadConnection {
    const char* what;
    std::string connection;
    const char* said;  // what the driver manager or the server says, in its words
};

class PlantBadConnection : public testing::TestWithParam<BadConnection> {};

// The records wait in the journal; the status names the cause once, in one line; once the
// connection is right, every record arrives.
TEST_P(PlantBadConnection, SaysWhyOnceAndLosesNothing) {
    const BadConnection& bad = GetParam();
    const std::string connection = testConnection();
    SyntheticJournal journal(journalPath(std::string("bad-") + bad.what), runIdFrom(3));
    std::vector<OutboxRecord> records = sampleRecords(40);
    journal.append(records);
    const std::string bench = std::string("bench-") + bad.what;

    PlantSender wrong({bad.connection, bench, journal.path()});
    const PlantSender::Round first = wrong.sendSome();
    const PlantSender::Round second = wrong.sendSome();
    EXPECT_FALSE(first.status.upToDate);
    EXPECT_EQ(first.status.waiting, 40);
    EXPECT_TRUE(std::regex_search(first.status.lastError, std::regex(bad.said)))
        << first.status.lastError;
    EXPECT_EQ(first.status.lastError.find('\n'), std::string::npos);
    EXPECT_EQ(second.status.lastError, first.status.lastError);
    EXPECT_LT(first.nextInMs, second.nextInMs);
    EXPECT_EQ(journal.plantSentUpTo(), std::nullopt);

    PlantSender right({connection, bench, journal.path()});
    EXPECT_TRUE(sendUntilUpToDate(right).upToDate);
    expectServerHolds(connection, bench, runIdFrom(3), records);
}

// The test server's connection with one part changed; read before the tests run, when a
// missing server cannot be reported yet (the test itself then reports it).
std::string replaced(const std::string& pattern, const std::string& by) {
    const char* connection = std::getenv("MENSORA_PLANT_TEST_CONNECTION");
    return std::regex_replace(connection != nullptr ? connection : "", std::regex(pattern), by);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, PlantBadConnection,
    testing::Values(
        BadConnection{"password", replaced("Pwd=[^;]*", "Pwd=wrong"),
                      "password authentication failed"},
        BadConnection{"host", replaced("Server=[^;]*", "Server=no-such-host.invalid"),
                      "could not translate host name"},
        BadConnection{
            "driver", replaced("Driver=\\{[^}]*\\}", "Driver={Mensora No Such Driver}"),
            "[Dd]ata source name not found|[Dd]river.*not (found|loaded)|[Cc]an't open lib"}),
    [](const testing::TestParamInfo<BadConnection>& cause) {
        return std::string(cause.param.what);
    });

// Waits grow after each failed round and stop growing at 30 s.
TEST(PlantSending, RetriesBackOffUpTo30Seconds) {
    const std::uint32_t expected[] = {1000, 2000, 4000, 8000, 16000, 30000, 30000};
    for (int failures = 1; failures <= 7; ++failures) {
        EXPECT_EQ(plantRetryDelayMs(failures), expected[failures - 1]) << failures;
    }
}

TEST(PlantSending, TheStatusLineSaysUpToDateOrWhatWaitsAndWhy) {
    struct Case {
        PlantStatus status;
        Language language;
        const char* text;
    };
    const Case cases[] = {
        {{true, 0, ""}, Language::English, "Plant database: up to date"},
        {{true, 0, ""}, Language::Chinese, "工厂数据库: 已同步"},
        {{false, std::nullopt, ""}, Language::English, "Plant database: connecting"},
        {{false, 12, "timeout expired"},
         Language::English,
         "Plant database: 12 records waiting — last error: timeout expired"},
        {{false, 12, "timeout expired"},
         Language::Chinese,
         "工厂数据库: 12 条记录待发送 — 错误: timeout expired"},
    };
    for (const Case& c : cases) EXPECT_EQ(plantStatusText(c.status, c.language), c.text);
}

// Texts cross into ODBC's UTF-16 and back unchanged; a broken byte becomes one U+FFFD.
TEST(PlantSending, TextsCrossIntoUtf16AndBack) {
    for (const std::string text : {"", "SH-1207", "外径 Ø12.5", "𝑥 beyond"}) {
        EXPECT_EQ(utf8(utf16(text)), text);
    }
    EXPECT_EQ(utf16("a\xff"
                    "b"),
              u"a\uFFFDb");
    EXPECT_EQ(utf16("外"), u"外");
}

}  // namespace
}  // namespace mensora::test
