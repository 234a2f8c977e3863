#include "tools/gauge/gauge_options.h"

#include <optional>
#include <utility>

#include "tools/gauge/gauge_line.h"
#include "tools/gauge/gauge_numbers.h"

namespace mensora::gauge {
namespace {

constexpr std::string_view kUsage = R"(Usage: mensora-gauge [options]

A virtual measuring gauge on a pseudo-terminal. Prints the terminal's device path
(e.g. /dev/pts/3) on the first line of standard output, then sends its readings
on that line frame after frame, like a gauge with a serial data output. Open the
device as a serial port, or map it to a port name (e.g. COM3) in the settings.

Line and frames:
  --protocol ascii|bcd  ASCII frames ("+0012.345" and a carriage return) or
                        5-byte packed-decimal frames starting with 0xAA
                        (default ascii)
  --baud RATE           the gauge's line rate: 1200, 2400, 4800, 9600, 19200 or
                        38400 (default 9600 for ascii, 4800 for bcd); a receiver
                        set to another rate gets noise instead of frames
  --decimals N          ascii: 3 or 5 (default 3); bcd: 4 or 5 (default 4)
  --rate HZ             frames a second (default 10), at most what the line
                        carries
Readings:
  --value MM            the first reading (default 12.345)
  --drift MM            how far the reading moves each second (default 0)
  --wander MM           the reading wanders at random within +/-MM around its
                        course (default 0.003; 0 holds it still)
  --script FILE         follow a script instead: one "READING [FRAMES]" a line,
                        each held for FRAMES frames (default 1), repeated from
                        the top at the end; "#" starts a comment
  --seed N              seed of the wander and the noise, to repeat a run
Data key:
  --key-every N         the data key goes with every Nth frame (default: only
                        on demand)
Other:
  --link PATH           make PATH a symbolic link to the device (e.g.
                        /tmp/gauge0); removed again on exit
  --quiet               no status messages on standard error
  --help                this text

While it runs, type a command and Enter:
  k      press the data key: the next frame carries it (SIGUSR1 does the same)
  z      zero: the present reading becomes 0 (as do the commands AA 00 and
         "CLR" received on the line)
  v MM   make the present reading MM (not while following a script)
  q      quit (so do SIGINT, SIGTERM and SIGHUP)
)";

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

std::string_view usageText() { return kUsage; }

CommandLine parseCommandLine(const std::vector<std::string_view>& arguments) {
    CommandLine line;
    GaugeOptions& options = line.options;
    const auto invalid = [&line](std::string error) {
        line.outcome = CommandLine::Outcome::Invalid;
        line.error = std::move(error);
        return line;
    };

    std::optional<std::uint32_t> baud;
    std::optional<std::uint32_t> decimals;
    bool freeMotionGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            line.outcome = CommandLine::Outcome::Help;
            return line;
        }
        if (argument == "--quiet") {
            options.quiet = true;
            continue;
        }
        if (!argument.starts_with("--")) return invalid("unexpected argument " + quoted(argument));
        std::string_view name = argument;
        std::string_view value;
        if (const auto equals = argument.find('='); equals != std::string_view::npos) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size()) {
            value = arguments[++i];
        } else {
            return invalid(std::string(name) + " needs a value");
        }
        const std::string what = std::string(name) + ": ";

        if (name == "--protocol") {
            if (value == "ascii") {
                options.format.protocol = Protocol::Ascii;
            } else if (value == "bcd") {
                options.format.protocol = Protocol::Bcd;
            } else {
                return invalid(what + "expected ascii or bcd, got " + quoted(value));
            }
        } else if (name == "--baud") {
            baud = parseCount(value);
            if (!baud || !speedForBaud(*baud)) {
                return invalid(what + "unsupported line rate " + quoted(value));
            }
        } else if (name == "--decimals") {
            decimals = parseCount(value);
            if (!decimals) {
                return invalid(what + "expected a number of decimals, got " + quoted(value));
            }
        } else if (name == "--rate") {
            const std::optional<double> rate = parseDecimal(value);
            // Slower than one frame in 100 seconds is no gauge (and would overflow the clock).
            if (!rate || *rate < 0.01) {
                return invalid(what + "expected frames a second from 0.01 up, got " +
                               quoted(value));
            }
            options.framesPerSecond = *rate;
        } else if (name == "--value" || name == "--drift" || name == "--wander") {
            const std::optional<double> number = parseDecimal(value);
            if (!number || (name == "--wander" && *number < 0)) {
                return invalid(what + "expected millimetres, got " + quoted(value));
            }
            double& target = name == "--value"   ? options.motion.start
                             : name == "--drift" ? options.motion.driftPerSecond
                                                 : options.motion.wander;
            target = *number;
            freeMotionGiven = true;
        } else if (name == "--script") {
            if (value.empty()) return invalid(what + "expected a file");
            options.scriptPath = value;
        } else if (name == "--seed") {
            options.seed = parseCount(value);
            if (!options.seed) {
                return invalid(what + "expected a whole number, got " + quoted(value));
            }
        } else if (name == "--key-every") {
            const std::optional<std::uint32_t> every = parseCount(value);
            if (!every || *every == 0) {
                return invalid(what + "expected a number of frames above 0, got " + quoted(value));
            }
            options.keyEvery = *every;
        } else if (name == "--link") {
            if (value.empty()) return invalid(what + "expected a path");
            options.linkPath = value;
        } else {
            return invalid("unknown option " + quoted(name));
        }
    }

    const bool ascii = options.format.protocol == Protocol::Ascii;
    options.baud = baud.value_or(ascii ? 9600 : 4800);
    options.format.decimals = static_cast<int>(decimals.value_or(ascii ? 3 : 4));
    if (!isValidFormat(options.format)) {
        return invalid(ascii ? "--decimals: an ascii gauge shows 3 or 5 decimals"
                             : "--decimals: a bcd gauge shows 4 or 5 decimals");
    }
    // Ten bits a byte on an 8N1 line; the longest frame must fit in one frame period.
    const double framesTheLineCarries =
        static_cast<double>(options.baud) /
        (10.0 * static_cast<double>(longestFrame(options.format.protocol)));
    if (options.framesPerSecond > framesTheLineCarries) {
        return invalid("--rate: a " + std::to_string(options.baud) + " baud line carries at most " +
                       std::to_string(static_cast<int>(framesTheLineCarries)) + " frames a second");
    }
    if (!options.scriptPath.empty() && freeMotionGiven) {
        return invalid(
            "--script: the readings follow the script; --value, --drift and --wander do not apply");
    }
    return line;
}

}  // namespace mensora::gauge
