// The real program recording on Auto every 10 ms against the virtual gauge, killed with
// SIGKILL at random moments, again and again. After each restart and Yes to the offer, the list
// holds every record the killed run had shown 200 ms before the kill, in order, once.
//
// The program runs in a child process (this executable, running the disabled test below),
// which prints every record as it appears in its list; this test notes when each line came.
// MENSORA_KILL_ROUNDS sets the number of kills (benchmarks/journal_kill_loop runs 30).
//
// With a plant database (run through tests/plant/with-postgres), every run also sends its
// journal to the server while it records and is killed: afterwards the server holds each
// record of the journal exactly once, whatever moment of a round each kill hit.

#include <signal.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/control_ids.h"
#include "plant/plant_sender.h"
#include "tests/integration/e2e_support.h"
#include "tests/plant/plant_rows.h"
#include "tests/support/journal_query.h"
#include "tools/tour/run_events_until.h"
#include "ui/mensora_program.h"

namespace mensora {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

using test::applicationName;
using test::VirtualGauge;

// What a record that was shown is known by: its No, value and time stamp fields.
std::string identity(const RecordStore& store, std::uint32_t i) {
    return std::string(store.seqField(i)) + "|" + std::string(store.valueField(i)) + "|" +
           std::string(store.timeField(i));
}

void say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

// The child: starts the program, says Yes to the offer of records to put back, prints them,
// connects, starts Auto and prints every record from then on, until it is killed.
TEST(JournalKill, DISABLED_RecordsUntilKilled) {
    MensoraProgram program;
    program.window().show();
    const RecordStore& store = program.store();
    QTimer answer;
    bool asked = false;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            say("box " + box->text().toStdString());
            asked = true;
            box->done(QMessageBox::Yes);
        }
    });
    answer.start(5);
    runEventsUntil([&] { return asked; }, 1s);
    if (asked) runEventsUntil([&] { return store.count() > 0; }, 10s);
    for (std::uint32_t i = 0; i < store.count(); ++i) say("back " + identity(store, i));

    auto click = [&](int id) {
        qobject_cast<QAbstractButton*>(program.window().control(id))->click();
    };
    click(ConnectButton);
    ASSERT_TRUE(runEventsUntil([&] { return program.dialog().state().linkConnected != 0; }, 10s));
    click(AutoButton);
    say("ready");
    std::uint32_t told = store.count();
    QTimer tell;
    QObject::connect(&tell, &QTimer::timeout, [&] {
        for (; told < store.count(); ++told) say("rec " + identity(store, told));
    });
    tell.start(1);
    runEventsUntil([] { return false; }, 1h);
}

constexpr const char* kKilledBench = "bench-killed";

// What the killed programs sent stays, each record once; a sender of its own then sends the
// rest, as the next start of the program would.
void expectEveryJournalRecordOnTheServerOnce(const QString& journal,
                                             const std::string& connection) {
    const auto held = [&] {
        std::vector<std::string> rows;
        for (const auto& row : test::plantRows(
                 connection, std::string("SELECT sequence, value_text FROM mensora_record"
                                         " WHERE bench = '") +
                                 kKilledBench + "' ORDER BY sequence")) {
            rows.push_back(row[0].value_or("NULL") + "|" + row[1].value_or("NULL"));
        }
        return rows;
    };
    const std::size_t sentByThePrograms = held().size();
    PlantSender sender({connection, kKilledBench, journal.toStdString()});
    PlantSender::Round round;
    for (int i = 0; i < 100 && !round.status.upToDate; ++i) round = sender.sendSome();
    ASSERT_TRUE(round.status.upToDate) << round.status.lastError;
    const auto journaled = test::queryJournal(
        journal.toStdString(), "SELECT seq || '|' || value_text FROM journal_record");
    EXPECT_EQ(held(), journaled);
    EXPECT_GT(sentByThePrograms, 0u);
    std::printf("the killed programs sent %zu of the journal's %zu records\n", sentByThePrograms,
                journaled.size());
}

// One run of the child, with what it printed and when this test read it.
class ChildRun {
public:
    ChildRun(const QString& home, QStringList arguments) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", home);
        environment.insert("XDG_DATA_HOME", home + "/data");
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QObject::connect(&process_, &QProcess::readyReadStandardOutput, [this] { read(); });
        process_.start(QCoreApplication::applicationFilePath(), arguments);
    }
    ~ChildRun() { killNow(); }

    struct Line {
        std::string text;
        Clock::time_point at;
    };
    const std::vector<Line>& lines() const { return lines_; }
    bool says(const std::string& start) const {
        for (const Line& l : lines_) {
            if (l.text.rfind(start, 0) == 0) return true;
        }
        return false;
    }
    Clock::time_point killNow() {
        const auto at = Clock::now();
        if (process_.state() != QProcess::NotRunning) {
            ::kill(static_cast<pid_t>(process_.processId()), SIGKILL);
            process_.waitForFinished(5000);
            read();
        }
        return at;
    }

private:
    void read() {
        while (process_.canReadLine()) {
            std::string text = process_.readLine().toStdString();
            if (!text.empty() && text.back() == '\n') text.pop_back();
            lines_.push_back({text, Clock::now()});
        }
    }

    QProcess process_;
    std::vector<Line> lines_;
};

TEST(JournalKill, EveryRecordShownTwoHundredMillisecondsBeforeAKillComesBackInOrderOnce) {
    const int rounds = qEnvironmentVariableIsSet("MENSORA_KILL_ROUNDS")
                           ? qEnvironmentVariableIntValue("MENSORA_KILL_ROUNDS")
                           : 3;
    const QTemporaryDir home;
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> runFor(50, 1500);
    const QString plant = qEnvironmentVariable("MENSORA_PLANT_TEST_CONNECTION");
    const QStringList child{"--gtest_also_run_disabled_tests",
                            "--gtest_filter=JournalKill.DISABLED_RecordsUntilKilled"};

    struct Shown {
        std::string record;
        Clock::time_point at;
    };
    std::vector<Shown> shown;  // the killed run's list, as it was shown
    Clock::time_point killedAt{};
    int kills = 0;
    for (int round = 0; round <= rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // A gauge of its own for each run: a killed program cannot let its port go.
        VirtualGauge gauge({"--quiet", "--rate", "10"});
        {
            QSettings bench(home.path() + "/Mensora/" + applicationName() + ".conf",
                            QSettings::IniFormat);
            bench.setValue("Settings/ComID", 1);
            bench.setValue("Settings/Baudrate", 9600);
            bench.setValue("Settings/m_Text12", 10);
            bench.setValue("Ports/COM1", gauge.device());
            for (int n = 2; n <= 16; ++n) {
                bench.setValue(QString("Ports/COM%1").arg(n),
                               home.filePath(QString("no-COM%1").arg(n)));
            }
            if (!plant.isEmpty()) {
                bench.setValue("Plant/Connection", plant);
                bench.setValue("Plant/Bench", kKilledBench);
            }
        }
        ChildRun run(home.path(), child);
        ASSERT_TRUE(runEventsUntil([&] { return run.says("ready"); }, 30s));

        std::size_t mustBeBack = 0;
        for (const Shown& s : shown) mustBeBack += s.at <= killedAt - 200ms ? 1 : 0;
        std::vector<Shown> listed;
        for (const auto& line : run.lines()) {
            if (line.text.rfind("back ", 0) == 0) listed.push_back({line.text.substr(5), line.at});
        }
        // Records taken in the killed run's last moments may be back too, though this test
        // had not read them yet: beyond what it saw, nothing can be compared.
        EXPECT_GE(listed.size(), mustBeBack);
        for (std::size_t i = 0; i < listed.size() && i < shown.size(); ++i) {
            ASSERT_EQ(listed[i].record, shown[i].record) << "row " << i;
        }
        std::printf("round %d: %zu records back, %zu had to be\n", round, listed.size(),
                    mustBeBack);
        if (round == rounds) break;

        runEventsUntil([] { return false; }, std::chrono::milliseconds(runFor(random)));
        killedAt = run.killNow();
        ++kills;
        shown = listed;
        for (const auto& line : run.lines()) {
            if (line.text.rfind("rec ", 0) == 0) shown.push_back({line.text.substr(4), line.at});
            // The offer to put records back is the only box a run may show.
            if (line.text.rfind("box ", 0) == 0) {
                EXPECT_EQ(line.text.rfind("box 上次运行有 ", 0), 0u) << line.text;
            }
        }
    }
    EXPECT_EQ(kills, rounds);
    std::printf("killed %d times; the last list held %zu records\n", kills, shown.size());
    if (!plant.isEmpty())
        expectEveryJournalRecordOnTheServerOnce(home.path() + "/data/Mensora/journal.db",
                                                plant.toStdString());
}

}  // namespace
}  // namespace mensora
