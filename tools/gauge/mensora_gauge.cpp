// mensora-gauge: a virtual measuring gauge on a pseudo-terminal, so that Mensora can be tried
// and tested without a gauge on the bench. See usageText() for what it does.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tools/gauge/gauge_commands.h"
#include "tools/gauge/gauge_console.h"
#include "tools/gauge/gauge_frames.h"
#include "tools/gauge/gauge_line.h"
#include "tools/gauge/gauge_options.h"
#include "tools/gauge/gauge_reading.h"
#include "tools/gauge/gauge_script.h"

namespace {

using namespace mensora::gauge;
using SteadyClock = std::chrono::steady_clock;

constexpr int kExitInvalid = 2;  // a command line or script the gauge cannot follow
constexpr int kExitFailure = 1;  // the system refused a pseudo-terminal or the link

void complain(std::string_view message) {
    const std::string line = "mensora-gauge: " + std::string(message) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

std::string decimalText(double value) {
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    return std::string(text.data(), end);
}

// Signals reach the loop through a pipe: the handler only writes one byte, "k" for the data
// key (SIGUSR1) or "q" to quit.
std::array<int, 2> signalPipe{-1, -1};

void onSignal(int number) {
    const int savedErrno = errno;
    const char byte = number == SIGUSR1 ? 'k' : 'q';
    if (write(signalPipe[1], &byte, 1) < 0) {
        // The pipe is full of unread signals already; one more changes nothing.
    }
    errno = savedErrno;
}

bool catchSignals() {
    if (pipe(signalPipe.data()) != 0) return false;
    for (const int end : signalPipe) {
        if (fcntl(end, F_SETFD, FD_CLOEXEC) != 0 || fcntl(end, F_SETFL, O_NONBLOCK) != 0) {
            return false;
        }
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGUSR1, SIGINT, SIGTERM, SIGHUP}) {
        if (sigaction(number, &action, nullptr) != 0) return false;
    }
    // A closed standard output must not end the gauge, nor must reading the console from the
    // background stop it: both then simply fail.
    signal(SIGPIPE, SIG_IGN);
    signal(SIGTTIN, SIG_IGN);
    return true;
}

// The symbolic link a user names to find the gauge under a fixed path. An old link is
// replaced; anything else at that path is left alone.
bool makeDeviceLink(const std::string& linkPath, const std::string& device) {
    struct stat existing {};
    if (lstat(linkPath.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            complain(linkPath + " exists and is not a symbolic link; not replacing it");
            return false;
        }
        unlink(linkPath.c_str());
    }
    if (symlink(device.c_str(), linkPath.c_str()) != 0) {
        complain("cannot create " + linkPath + ": " + std::strerror(errno));
        return false;
    }
    return true;
}

// Removes the link only while it still leads to this gauge: another gauge may have taken the
// name over since.
void removeDeviceLink(const std::string& linkPath, const std::string& device) {
    std::array<char, 4096> target{};
    const ssize_t length = readlink(linkPath.c_str(), target.data(), target.size() - 1);
    if (length >= 0 && std::string(target.data(), static_cast<std::size_t>(length)) == device) {
        unlink(linkPath.c_str());
    }
}

class VirtualGauge {
public:
    VirtualGauge(const GaugeOptions& options, GaugeLine& line, GaugeReading& reading,
                 std::uint32_t seed)
        : options_(options), line_(line), reading_(reading), noise_(seed) {}

    void run() {
        const auto period = std::chrono::duration_cast<SteadyClock::duration>(
            std::chrono::duration<double>(1.0 / options_.framesPerSecond));
        auto nextFrame = start_;
        while (!quit_) {
            const auto now = SteadyClock::now();
            if (now >= nextFrame) {
                sendFrame();
                nextFrame += period;
                // A gauge that was held up (a stopped process) goes on from now instead of
                // sending the frames it missed in one burst.
                if (nextFrame <= now) nextFrame = now + period;
            }
            waitForEvents(nextFrame);
        }
    }

private:
    void waitForEvents(SteadyClock::time_point until) {
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(until - SteadyClock::now());
        std::array<pollfd, 3> watched{{{signalPipe[0], POLLIN, 0},
                                       {consoleOpen_ ? STDIN_FILENO : -1, POLLIN, 0},
                                       // A hung-up line reports itself at once and for ever, so
                                       // it is watched only while a reader holds it.
                                       {watchLine_ ? line_.descriptor() : -1, POLLIN, 0}}};
        if (poll(watched.data(), watched.size(),
                 static_cast<int>(std::max<long>(wait.count(), 0))) <= 0) {
            return;
        }
        if (watched[0].revents & POLLIN) takeSignals();
        if (watched[1].revents != 0) takeConsole();
        if (watched[2].revents & POLLIN) hearLine();
        if (watched[2].revents & (POLLHUP | POLLERR)) watchLine_ = false;
    }

    void sendFrame() {
        reading_.nextFrame(secondsRunning());
        ++frameCount_;
        const bool dataKey = std::exchange(keyPressed_, false) ||
                             (options_.keyEvery != 0 && frameCount_ % options_.keyEvery == 0);
        const LineState state = line_.state();
        noteChanges(state);
        if (!state.readerPresent) return;
        std::vector<std::uint8_t> bytes = encodeFrame(options_.format, reading_.shown(), dataKey);
        // A receiver at another rate sees as many bytes, none of them a frame.
        if (!state.rateMatches) bytes = lineNoise(bytes.size(), noise_);
        const bool sent = line_.send(bytes);
        if (!sent && !dropping_) say("the reader does not read: frames are dropped");
        if (sent && dropping_) say("the reader reads again");
        dropping_ = !sent;
    }

    void noteChanges(const LineState& state) {
        if (state.readerPresent != readerPresent_) {
            say(state.readerPresent ? "a reader opened the line" : "the reader closed the line");
        }
        if (state.readerPresent && (!readerPresent_ || state.rateMatches != rateMatches_)) {
            if (state.rateMatches) {
                say("the reader listens at the gauge's rate");
            } else {
                const std::string rate = state.readerBaud != 0
                                             ? std::to_string(state.readerBaud) + " baud"
                                             : "another rate";
                say("the reader listens at " + rate + ", not at " + std::to_string(options_.baud) +
                    " baud 8N1: it receives noise");
            }
        }
        readerPresent_ = state.readerPresent;
        rateMatches_ = state.rateMatches;
        watchLine_ = state.readerPresent;
    }

    void hearLine() {
        std::array<std::uint8_t, 256> bytes{};
        const std::size_t count = line_.receive(bytes.data(), bytes.size());
        if (count == 0) return;
        // At another rate the gauge hears noise, as the reader does; and on an echoing line
        // its own frames come back, which could hold AA 00.
        const LineState state = line_.state();
        if (!state.rateMatches || state.echoes) {
            zeroCommands_.forget();
            return;
        }
        if (zeroCommands_.hear(bytes.data(), count)) {
            reading_.zero();
            say("zero command received: the reading is 0 now");
        }
    }

    void takeSignals() {
        std::array<char, 64> bytes{};
        const ssize_t count = read(signalPipe[0], bytes.data(), bytes.size());
        for (ssize_t i = 0; i < count; ++i) {
            if (bytes[static_cast<std::size_t>(i)] == 'k') {
                apply({ConsoleCommand::Kind::PressKey});
            } else {
                quit_ = true;
            }
        }
    }

    void takeConsole() {
        std::array<char, 256> text{};
        const ssize_t count = read(STDIN_FILENO, text.data(), text.size());
        if (count < 0 && (errno == EINTR || errno == EAGAIN)) return;
        if (count <= 0) {
            // The end of the input (or a console that cannot be read): the gauge runs on until
            // a signal ends it.
            consoleOpen_ = false;
            return;
        }
        for (const ConsoleCommand& command :
             console_.take({text.data(), static_cast<std::size_t>(count)})) {
            apply(command);
        }
    }

    void apply(const ConsoleCommand& command) {
        switch (command.kind) {
            case ConsoleCommand::Kind::PressKey:
                keyPressed_ = true;
                say("data key pressed");
                break;
            case ConsoleCommand::Kind::Zero:
                reading_.zero();
                say("zeroed: the reading is 0 now");
                break;
            case ConsoleCommand::Kind::SetReading:
                if (reading_.set(command.reading, secondsRunning())) {
                    say("the reading is " + decimalText(command.reading) + " now");
                } else {
                    say("the readings follow the script; v does not apply");
                }
                break;
            case ConsoleCommand::Kind::Quit: quit_ = true; break;
            case ConsoleCommand::Kind::Unknown:
                say("commands: k (data key), z (zero), v MM (set the reading), q (quit)");
                break;
        }
    }

    double secondsRunning() const {
        return std::chrono::duration<double>(SteadyClock::now() - start_).count();
    }

    void say(std::string_view message) const {
        if (!options_.quiet) complain(message);
    }

    const GaugeOptions& options_;
    GaugeLine& line_;
    GaugeReading& reading_;
    std::mt19937 noise_;
    ZeroCommandListener zeroCommands_;
    ConsoleInput console_;
    const SteadyClock::time_point start_ = SteadyClock::now();
    std::uint64_t frameCount_ = 0;
    bool keyPressed_ = false;
    bool quit_ = false;
    bool consoleOpen_ = true;
    bool readerPresent_ = false;  // as last reported
    bool watchLine_ = false;      // the line is worth watching for commands
    bool rateMatches_ = true;
    bool dropping_ = false;
};

std::optional<GaugeReading> readingFor(const GaugeOptions& options, std::uint32_t seed) {
    if (options.scriptPath.empty()) return GaugeReading(options.motion, seed);
    std::ifstream file(options.scriptPath);
    if (!file) {
        complain("cannot read the script " + options.scriptPath);
        return std::nullopt;
    }
    std::string error;
    std::vector<ScriptStep> steps = readScript(file, error);
    if (steps.empty()) {
        complain(options.scriptPath + ": " + error);
        return std::nullopt;
    }
    return GaugeReading(std::move(steps));
}

std::string describe(const GaugeOptions& options, const std::string& device) {
    const bool ascii = options.format.protocol == Protocol::Ascii;
    return std::string(ascii ? "ASCII" : "packed-decimal") + " gauge at " +
           std::to_string(options.baud) + " baud, " + std::to_string(options.format.decimals) +
           " decimals, " + decimalText(options.framesPerSecond) + " frames a second on " + device +
           (options.linkPath.empty() ? "" : " (" + options.linkPath + ")") +
           "; type k, z, v MM or q and Enter";
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const CommandLine commandLine = parseCommandLine(arguments);
    if (commandLine.outcome == CommandLine::Outcome::Help) {
        std::fwrite(usageText().data(), 1, usageText().size(), stdout);
        return 0;
    }
    if (commandLine.outcome == CommandLine::Outcome::Invalid) {
        complain(commandLine.error + " (see --help)");
        return kExitInvalid;
    }
    const GaugeOptions& options = commandLine.options;
    const std::uint32_t seed = options.seed.value_or(std::random_device{}());
    std::optional<GaugeReading> reading = readingFor(options, seed);
    if (!reading) return kExitInvalid;

    if (!catchSignals()) {
        complain(std::string("cannot catch signals: ") + std::strerror(errno));
        return kExitFailure;
    }
    std::string error;
    std::optional<GaugeLine> line = GaugeLine::open(options.baud, error);
    if (!line) {
        complain("no pseudo-terminal: " + error);
        return kExitFailure;
    }
    if (!options.linkPath.empty() && !makeDeviceLink(options.linkPath, line->devicePath())) {
        return kExitFailure;
    }

    // The first line of the output is the device, for scripts that start the gauge.
    const std::string firstLine = line->devicePath() + "\n";
    std::fwrite(firstLine.data(), 1, firstLine.size(), stdout);
    std::fflush(stdout);
    if (!options.quiet) complain(describe(options, line->devicePath()));

    VirtualGauge(options, *line, *reading, seed ^ 0x9E3779B9u).run();

    if (!options.linkPath.empty()) removeDeviceLink(options.linkPath, line->devicePath());
    return 0;
}
