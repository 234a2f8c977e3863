// Load on a plant database: N benches, each with its own journal and its own sender, against
// one server. First each journal holds a backlog that the senders empty as fast as the server
// takes it (rows per second); then each bench records `rate` records a second for `seconds`
// while its sender runs, and the lag from each record's journaling to its row's arrival is
// measured on the server's clock (median, 99th percentile). Ends by checking that every
// record arrived once.
//
//   mensora-plant-load --connection <odbc> [--benches 20] [--rate 100] [--seconds 60]
//                      [--backlog 5000] [--folder /tmp/mensora-plant-load]

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "plant/plant_sender.h"
#include "tests/plant/plant_rows.h"
#include "tests/support/synthetic_journal.h"

namespace {

using namespace std::chrono;
using mensora::OutboxRecord;
using mensora::PlantSender;
namespace test = mensora::test;

struct Options {
    std::string connection;
    int benches = 20;
    int rate = 100;
    int seconds = 60;
    int backlog = 5000;
    std::string folder = (std::filesystem::temp_directory_path() / "mensora-plant-load").string();
    std::string prefix;  // of this run's bench names
};

bool readOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        auto number = [value](int& into) {
            return std::from_chars(value, value + std::strlen(value), into).ec == std::errc();
        };
        if (name == "--connection") {
            options.connection = value;
        } else if (name == "--folder") {
            options.folder = value;
        } else if (!((name == "--benches" && number(options.benches)) ||
                     (name == "--rate" && number(options.rate)) ||
                     (name == "--seconds" && number(options.seconds)) ||
                     (name == "--backlog" && number(options.backlog)))) {
            return false;
        }
    }
    return !options.connection.empty() && argc % 2 == 1;
}

std::int64_t epochMs() {
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// One bench: its journal, what it journaled when, and its sender on a thread of its own.
struct Bench {
    std::string name;
    std::string run;
    std::unique_ptr<test::SyntheticJournal> journal;
    std::vector<std::int64_t> journaledAtMs;  // by sequence - 1
    std::int64_t records = 0;
};

void sendUntil(PlantSender& sender, const std::atomic<bool>& stop) {
    while (!stop) {
        const PlantSender::Round round = sender.sendSome();
        const auto until = steady_clock::now() + milliseconds(round.nextInMs);
        while (!stop && steady_clock::now() < until) std::this_thread::sleep_for(5ms);
    }
}

// The rows of this run's benches, whose names all begin with `prefix`.
std::int64_t heldRows(const std::string& connection, const std::string& prefix) {
    return test::plantRowCount(connection, "bench LIKE '" + prefix + "%'");
}

// The server's rows per second while N senders empty their backlogs.
double drain(const Options& options, std::vector<Bench>& benches) {
    std::int64_t total = 0;
    for (Bench& bench : benches) {
        std::vector<OutboxRecord> records;
        for (int i = 0; i < options.backlog; ++i)
            records.push_back(test::sampleRecord(++bench.records));
        bench.journal->append(records);
        bench.journaledAtMs.resize(static_cast<std::size_t>(bench.records), 0);
        total += options.backlog;
    }
    std::atomic<bool> stop{false};
    const auto start = steady_clock::now();
    std::vector<std::jthread> senders;
    for (Bench& bench : benches) {
        senders.emplace_back([&, config = mensora::PlantConfig{options.connection, bench.name,
                                                               bench.journal->path()}] {
            PlantSender sender(config);
            sendUntil(sender, stop);
        });
    }
    while (heldRows(options.connection, options.prefix) < total) std::this_thread::sleep_for(20ms);
    const double seconds = duration<double>(steady_clock::now() - start).count();
    stop = true;
    return static_cast<double>(total) / seconds;
}

// Every bench records `rate` a second for `seconds` while its sender runs.
void record(const Options& options, std::vector<Bench>& benches) {
    std::atomic<bool> stop{false};
    std::vector<std::jthread> threads;
    for (Bench& bench : benches) {
        threads.emplace_back([&, config = mensora::PlantConfig{options.connection, bench.name,
                                                               bench.journal->path()}] {
            PlantSender sender(config);
            sendUntil(sender, stop);
        });
    }
    // One writer for all benches, a tick every 10 ms, each bench's share of records at each.
    const auto start = steady_clock::now();
    const int ticks = options.seconds * 100;
    for (int tick = 1; tick <= ticks; ++tick) {
        for (Bench& bench : benches) {
            const std::int64_t due =
                static_cast<std::int64_t>(options.rate) * tick / 100 + options.backlog;
            std::vector<OutboxRecord> records;
            while (bench.records < due) records.push_back(test::sampleRecord(++bench.records));
            if (records.empty()) continue;
            bench.journal->append(records);
            bench.journaledAtMs.resize(static_cast<std::size_t>(bench.records), epochMs());
        }
        std::this_thread::sleep_until(start + milliseconds(10 * tick));
    }
    std::int64_t total = 0;
    for (const Bench& bench : benches) total += bench.records;
    const auto patience = steady_clock::now() + 60s;
    while (heldRows(options.connection, options.prefix) < total && steady_clock::now() < patience) {
        std::this_thread::sleep_for(50ms);
    }
    stop = true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!readOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: mensora-plant-load --connection <odbc> [--benches N] [--rate N]"
                     " [--seconds N] [--backlog N] [--folder DIR]\n");
        return 2;
    }
    std::filesystem::create_directories(options.folder);
    std::vector<Bench> benches(static_cast<std::size_t>(options.benches));
    const std::int64_t stamp = epochMs();
    options.prefix = "load-" + std::to_string(stamp) + "-";
    for (std::size_t i = 0; i < benches.size(); ++i) {
        Bench& bench = benches[i];
        bench.name = options.prefix + std::to_string(i + 1);
        bench.run = test::runIdFrom(static_cast<std::uint64_t>(stamp) + i);
        bench.journal = std::make_unique<test::SyntheticJournal>(
            options.folder + "/bench-" + std::to_string(i + 1) + ".db", bench.run);
    }

    const double rowsPerSecond = drain(options, benches);
    std::printf("benches %d: backlog of %d records each sent at %.0f rows/s\n", options.benches,
                options.backlog, rowsPerSecond);
    record(options, benches);

    // Once each, and the lag from journaling to the row, on the server's clock (UTC).
    std::vector<double> lags;
    std::int64_t rows = 0;
    std::int64_t expected = 0;
    bool once = true;
    for (const Bench& bench : benches) {
        expected += bench.records;
        const auto held = test::plantRows(
            options.connection,
            "SELECT sequence, (extract(epoch from received_at) * 1000)::bigint FROM mensora_record"
            " WHERE bench = '" +
                bench.name + "' AND run = '" + bench.run + "' ORDER BY sequence");
        rows += static_cast<std::int64_t>(held.size());
        for (std::size_t i = 0; i < held.size(); ++i) {
            const std::int64_t sequence = std::stoll(*held[i][0]);
            once = once && sequence == static_cast<std::int64_t>(i) + 1;
            const std::int64_t journaled =
                bench.journaledAtMs[static_cast<std::size_t>(sequence - 1)];
            if (journaled > 0)
                lags.push_back(static_cast<double>(std::stoll(*held[i][1]) - journaled));
        }
        once = once && static_cast<std::int64_t>(held.size()) == bench.records;
    }
    std::sort(lags.begin(), lags.end());
    auto percentile = [&lags](double p) {
        return lags.empty()
                   ? 0.0
                   : lags[static_cast<std::size_t>(p * static_cast<double>(lags.size() - 1))];
    };
    std::printf("benches %d x %d records/s for %d s: %lld of %lld rows arrived, %s;"
                " lag median %.0f ms, p99 %.0f ms, max %.0f ms\n",
                options.benches, options.rate, options.seconds, static_cast<long long>(rows),
                static_cast<long long>(expected), once ? "each once" : "NOT each once",
                percentile(0.5), percentile(0.99), lags.empty() ? 0.0 : lags.back());
    return once ? 0 : 1;
}
