// A bench as a plant sets it up: the real program with a plant database set, records taken by
// the virtual gauge's data key, the window's own journal sent by the program's own door to the
// real server, through a server outage, then with an inspection plan in force, the charts open
// and Auto running. Every record is in the journal and on the server once, with its plan's
// characteristic and part serial, no box interrupts the user, and the plant line says "up to
// date" only when the server holds every record the window took.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QSettings>
#include <QTimer>
#include <chrono>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <vector>

#include "base/control_ids.h"
#include "base/texts.h"
#include "dialog/runs_texts.h"
#include "measure/inspection_plan.h"
#include "plant/plant_texts.h"
#include "tests/integration/e2e_support.h"
#include "tests/plant/plant_test_support.h"
#include "tests/support/journal_query.h"
#include "tools/tour/run_events_until.h"
#include "ui/mensora_program.h"

namespace mensora::test {
namespace {

using namespace std::chrono_literals;

constexpr std::int32_t kStoredChinese = 1;
constexpr std::int32_t kStoredEnglish = 2;

void server(const char* what) {
    const char* command = std::getenv("MENSORA_PLANT_TEST_SERVER");
    ASSERT_NE(command, nullptr);
    ASSERT_EQ(std::system((std::string(command) + " " + what).c_str()), 0) << what;
}

// What the server holds of the bench, and what the journal holds, as "sequence|value text".
// With `planned`, of the records taken with a plan: "sequence|characteristic|part serial".
std::vector<std::string> serverRows(const std::string& connection, const std::string& bench,
                                    bool planned = false) {
    std::vector<std::string> rows;
    const std::string query =
        planned
            ? "SELECT sequence, characteristic, part_serial FROM mensora_record WHERE bench = '" +
                  bench + "' AND part_serial IS NOT NULL ORDER BY sequence"
            : "SELECT sequence, value_text FROM mensora_record WHERE bench = '" + bench +
                  "' ORDER BY sequence";
    for (const PlantRow& row : plantRows(connection, query)) {
        std::string line = row[0].value_or("NULL");
        for (std::size_t i = 1; i < row.size(); ++i) line += "|" + row[i].value_or("NULL");
        rows.push_back(line);
    }
    return rows;
}

// The bench's settings for one test, gone after it: the other tests of this program start
// from the defaults (the Chinese window).
class BenchSettings {
public:
    explicit BenchSettings(const std::map<QString, QVariant>& values)
        : settings_(QSettings::NativeFormat, QSettings::UserScope, "Mensora", applicationName()) {
        for (const auto& [key, value] : values) {
            settings_.setValue(key, value);
            keys_.push_back(key);
        }
        settings_.sync();
    }
    ~BenchSettings() {
        for (const QString& key : keys_) settings_.remove(key);
        settings_.sync();
    }
    BenchSettings(const BenchSettings&) = delete;
    BenchSettings& operator=(const BenchSettings&) = delete;

private:
    QSettings settings_;
    std::vector<QString> keys_;
};

class PlantJournal : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(PlantJournal, RecordsOfTheDataKeyReachTheJournalAndTheServerOnceEachThroughAnOutage) {
    const std::string connection = testConnection();
    const Language language = GetParam() == kStoredEnglish ? Language::English : Language::Chinese;
    const std::string bench = "bench-a-" + std::to_string(GetParam());
    const std::string journal = freshDataFolder() + "journal.db";
    VirtualGauge gauge({"--quiet", "--protocol", "ascii", "--value", "12.345", "--wander", "0.004",
                        "--rate", "8"});
    const BenchSettings settings({{"Settings/Language", GetParam()},
                                  {"Settings/ComID", 3},
                                  {"Settings/Baudrate", 9600},
                                  {"Settings/m_Text12", 100},
                                  {"Ports/COM3", gauge.device()},
                                  {"Plant/Connection", QString::fromStdString(connection)},
                                  {"Plant/Bench", QString::fromStdString(bench)}});
    MessageBoxWatch boxes;
    MensoraProgram program;
    program.window().show();
    auto* status = program.window().findChild<QLabel*>("plant-status");
    ASSERT_NE(status, nullptr);
    const QString upToDate = QString::fromUtf8(pick(plant_texts::kStatusPrefix, language)) +
                             QString::fromUtf8(pick(plant_texts::kUpToDate, language));

    // Whenever the line says up to date, the server holds every record the list holds.
    std::uint32_t checkedAt = 0;
    std::vector<std::string> claims;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const std::uint32_t listed = program.store().count();
        if (status->text() != upToDate || listed == checkedAt) return;
        std::size_t held = 0;
        try {
            held = serverRows(connection, bench).size();
        } catch (const std::runtime_error&) {
            return;  // taken away by the test after it held everything: asked again later
        }
        checkedAt = listed;
        if (held < listed) {
            claims.push_back("up to date with " + std::to_string(held) + " of " +
                             std::to_string(listed) + " records on the server");
        }
    });
    watch.start(5);

    qobject_cast<QAbstractButton*>(program.window().control(ConnectButton))->click();
    ASSERT_TRUE(runEventsUntil([&] { return program.dialog().state().linkConnected != 0; }, 10s));
    const auto recordUpTo = [&](std::uint32_t records) {
        // Taken, and nowhere but in the journal's hands yet: the line cannot be up to date.
        gauge.pressUntil([&] { return program.store().count(); }, records,
                         [&] { EXPECT_NE(status->text(), upToDate); });
        ASSERT_EQ(program.store().count(), records);
    };
    recordUpTo(3);
    ASSERT_TRUE(runEventsUntil([&] { return status->text() == upToDate; }, 20s))
        << status->text().toStdString();
    EXPECT_EQ(serverRows(connection, bench).size(), 3u);

    server("stop");
    recordUpTo(6);
    const QString waiting = QString::fromUtf8(pick(plant_texts::kErrorBefore, language));
    EXPECT_TRUE(runEventsUntil([&] { return status->text().contains(waiting); }, 30s))
        << status->text().toStdString();
    server("start");
    recordUpTo(8);
    ASSERT_TRUE(runEventsUntil([&] { return status->text() == upToDate; }, 60s))
        << status->text().toStdString();
    EXPECT_EQ(serverRows(connection, bench).size(), 8u);

    // Every door at once: a plan in force and the charts open while Auto records every 100 ms
    // for a while, each record for the characteristic due.
    program.dialog().plan().putInForce(
        InspectionPlan{"A-7",
                       "Shaft",
                       {{"1", "Bore", 12.345f, 0.05f, -0.05f, 0, "G-1", 1, {}},
                        {"2", "Length", 12.345f, 0.05f, -0.05f, 0, "G-2", 1, {}},
                        {"3", "Step", 12.345f, 0.05f, -0.05f, 0, "", 1, {}}}});
    program.window().action(mensora::FurtherWindow::Charts)->trigger();
    const auto click = [&](int id) {
        qobject_cast<QAbstractButton*>(program.window().control(id))->click();
    };
    click(AutoButton);
    // The journal's runs read for the Earlier runs window while Auto records into it and the
    // plant's sender reads it too.
    std::vector<std::string> runLines;
    QTimer::singleShot(300, [&] {
        auto* runs = program.window().findChild<QDialog*>("runs");
        ASSERT_NE(runs, nullptr);
        auto* list = runs->findChild<QListWidget*>(controlName(kRunsList));
        runEventsUntil([&] { return list->isEnabled(); }, 10s);
        for (int row = 0; row < list->count(); ++row) {
            runLines.push_back(list->item(row)->text().toStdString());
        }
        runs->reject();
    });
    program.window().action(mensora::FurtherWindow::Runs)->trigger();
    ASSERT_FALSE(runLines.empty());
    EXPECT_NE(runLines[0].find(pick(runs_texts::kInList, language)), std::string::npos)
        << runLines[0];
    runEventsUntil([&] { return program.store().count() >= 20; }, 10s);
    click(AutoButton);
    ASSERT_GE(program.store().count(), 20u);
    ASSERT_TRUE(runEventsUntil([&] { return status->text() == upToDate; }, 60s))
        << status->text().toStdString();

    const auto journaled =
        queryJournal(journal, "SELECT seq || '|' || value_text FROM journal_record");
    EXPECT_EQ(journaled.size(), program.store().count());
    EXPECT_EQ(serverRows(connection, bench), journaled);
    const auto planned =
        queryJournal(journal, "SELECT seq || '|' || characteristic || '|' || part_serial"
                              " FROM journal_record WHERE part_serial IS NOT NULL");
    ASSERT_EQ(planned.size(), program.store().count() - 8);
    EXPECT_EQ(planned[0], "9|1 Bore|1");
    EXPECT_EQ(planned[4], "13|2 Length|2");
    EXPECT_EQ(serverRows(connection, bench, true), planned);
    EXPECT_EQ(claims, std::vector<std::string>{});
    EXPECT_EQ(boxes.shown(), std::vector<std::string>{});
    click(ConnectButton);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, PlantJournal,
                         ::testing::Values(kStoredChinese, kStoredEnglish));

}  // namespace
}  // namespace mensora::test
