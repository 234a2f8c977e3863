// How quickly Mensora shows its window, and what memory it holds, against an empty Qt
// dialog of the same size started the same way: whole processes on the offscreen platform,
// each timed from its start to the end of its window's first paint, several times each and
// by turns, so that both meet the same load on the machine. Then one run of Mensora that
// presses Manual a million times, for the peak memory of a full record list.
//
//   benchmark_start_window [--runs N] [--records N] [--program PATH]
//
// --records 0 skips the full run; --program measures another build of the program (an
// earlier one, say) in place of this build's.
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double shownMs = 0;       // from the start of the process to its first window painted
    double peakShownMiB = 0;  // peak resident memory (VmHWM) when the window had been painted
    double peakMiB = 0;       // peak resident memory over the whole run
    double totalMs = 0;       // the whole process, until it had ended
    std::map<std::string, long long> report;  // what the hook printed
};

// What a run asks of the program beyond showing its window.
struct Task {
    long records = 0;  // presses of Manual once the window is shown
    long idleMs = 0;   // time left to the program on its own before it quits
};

long long monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

bool setByTheBenchmark(const std::string& entry) {
    for (const char* name : {"LD_PRELOAD=", "QT_QPA_PLATFORM=", "XDG_CONFIG_HOME=",
                             "MENSORA_BENCH_RECORDS=", "MENSORA_BENCH_IDLE_MS="}) {
        if (entry.rfind(name, 0) == 0) return true;
    }
    return false;
}

// Starts `argv` with the hook loaded, the offscreen platform and a settings folder of its
// own (a first run: the defaults), and waits for it to end. What it writes to its standard
// error (Qt's notes on a machine without sound) is dropped.
Run runOnce(const std::vector<std::string>& argv, const std::string& configHome, Task task) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        if (!setByTheBenchmark(*e)) env.emplace_back(*e);
    }
    env.push_back("LD_PRELOAD=" MENSORA_FIRST_PAINT_HOOK);
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("XDG_CONFIG_HOME=" + configHome);
    env.push_back("MENSORA_BENCH_RECORDS=" + std::to_string(task.records));
    env.push_back("MENSORA_BENCH_IDLE_MS=" + std::to_string(task.idleMs));

    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0) std::exit(2);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    const long long started = monotonicNanoseconds();
    pid_t pid = 0;
    if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data()) != 0) {
        std::fprintf(stderr, "cannot start %s\n", args[0]);
        std::exit(2);
    }
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string text;
    char buffer[4096];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const long long ended = monotonicNanoseconds();

    Run run;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        const std::string line = text.substr(at, end - at);
        const std::size_t space = line.find(' ');
        if (space != std::string::npos) {
            run.report[line.substr(0, space)] = std::atoll(line.c_str() + space + 1);
        }
        at = end + 1;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || run.report.count("shown_ns") == 0) {
        std::fprintf(stderr, "%s did not show its window and end cleanly\n", args[0]);
        std::exit(2);
    }
    run.shownMs = static_cast<double>(run.report["shown_ns"] - started) / 1e6;
    run.totalMs = static_cast<double>(ended - started) / 1e6;
    run.peakShownMiB = static_cast<double>(run.report["peak_kib_shown"]) / 1024.0;
    run.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;  // kilobytes on Linux
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Series {
    std::vector<double> shown, peak;
    void add(const Run& run) {
        shown.push_back(run.shownMs);
        peak.push_back(run.peakShownMiB);
    }
};

void printSeries(const std::string& name, const Series& s) {
    std::printf("  %-26s %7.1f ms  (min %6.1f, max %6.1f)   peak %6.1f MiB\n", name.c_str(),
                median(s.shown), *std::min_element(s.shown.begin(), s.shown.end()),
                *std::max_element(s.shown.begin(), s.shown.end()), median(s.peak));
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 10;
    long records = 1'000'000;
    std::string program = MENSORA_EXE;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--records") == 0) records = std::atol(argv[i + 1]);
        if (std::strcmp(argv[i], "--program") == 0) program = argv[i + 1];
    }
    char folder[] = "/tmp/mensora-start-XXXXXX";
    if (mkdtemp(folder) == nullptr) return 2;
    const std::string configHome = folder;

    // Once first, unmeasured: it fills the system's file caches and gives the window's size.
    const Run first = runOnce({program}, configHome, {});
    const std::string width = std::to_string(first.report.at("width"));
    const std::string height = std::to_string(first.report.at("height"));
    const std::vector<std::string> empty = {MENSORA_EMPTY_DIALOG, width, height};
    runOnce(empty, configHome, {});

    Series emptyRuns, mensoraRuns;
    for (int i = 0; i < runs; ++i) {
        emptyRuns.add(runOnce(empty, configHome, {}));
        mensoraRuns.add(runOnce({program}, configHome, {}));
    }
    std::printf("Start to first window painted, offscreen, median of %d runs each by turns:\n",
                runs);
    printSeries("empty dialog " + width + "x" + height, emptyRuns);
    printSeries("Mensora", mensoraRuns);
    std::printf("  start ratio %.2f x; peak when shown %.1f MiB above the empty dialog\n",
                median(mensoraRuns.shown) / median(emptyRuns.shown),
                median(mensoraRuns.peak) - median(emptyRuns.peak));

    // What the programs take on once their windows are up, before anyone uses them.
    const Task settle{0, 1000};
    const double emptySettled = runOnce(empty, configHome, settle).peakMiB;
    const double mensoraSettled = runOnce({program}, configHome, settle).peakMiB;
    std::printf("Peak 1 s after the first paint: empty dialog %.1f MiB, Mensora %.1f MiB"
                " (%.1f MiB above)\n",
                emptySettled, mensoraSettled, mensoraSettled - emptySettled);

    if (records > 0) {
        const Run full = runOnce({program}, configHome, {records, 0});
        std::printf("Mensora after %lld records through Manual, shown in its list: peak %.1f MiB"
                    " (%.1f s)\n",
                    full.report.at("records"), full.peakMiB, full.totalMs / 1000.0);
    }
    std::filesystem::remove_all(configHome);
    return 0;
}
