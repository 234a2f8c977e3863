#pragma once
// The gauge link on a virtual bench: the real poll cycle, zero command, discovery, recorder
// and parameters panel over fake ports, driven by virtual time. The serial line can carry a
// gauge that sends one frame per poll on its port at its own rate, and bytes that fail
// validation at any other rate.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/acquisition_state.h"
#include "base/timer_ids.h"
#include "base/timers.h"
#include "dialog/data_exchange.h"
#include "dialog/parameters_panel.h"
#include "link/discovery.h"
#include "link/fixed_port_names.h"
#include "measure/record_list_texts.h"
#include "measure/record_store.h"
#include "measure/recorder.h"
#include "protocol/poll_cycle.h"
#include "protocol/zero_command.h"
#include "tests/support/fake_serial.h"
#include "tests/support/fake_settings.h"
#include "tests/support/fake_sound.h"
#include "tests/support/fake_window.h"
#include "tests/support/virtual_clock.h"

namespace mensora::test {

inline const std::vector<std::uint8_t> kAsciiFrame{'+', '0', '0', '1', '2', '.',
                                                   '3', '4', '5', '\r'};
inline const std::vector<std::uint8_t> kBcdFrame{0xAA, 0x50, 0x34, 0x12, 0x00};

class GaugeSerial : public FakeSerial {
public:
    struct Gauge {
        std::string port;
        std::int32_t baudRate;
        std::vector<std::uint8_t> frame;
    };

    int readAvailable(std::uint8_t* buffer, std::uint32_t& receivedCount) override {
        if (gauge && isOpen && openName == gauge->port) {
            // A frame seen at the wrong rate: a "+" start and bytes that are no digits.
            static const std::vector<std::uint8_t> kWrongRate{0x2B, 0xE6, 0x9E, 0x86, 0xF0,
                                                              0x66, 0x9E, 0x86, 0xF0, 0x66};
            feed(openRate == gauge->baudRate ? gauge->frame : kWrongRate);
        }
        return FakeSerial::readAvailable(buffer, receivedCount);
    }

    std::optional<Gauge> gauge;
};

// The bench PCs' fixed names, counting how often discovery looks at the machine's ports.
class CountingPortNames : public FixedPortNames {
public:
    void refresh() override { ++refreshes; }
    int refreshes = 0;
};

struct LinkBench {
    LinkBench() {
        clock.setTickHandler([this](int id) {
            switch (id) {
                case PollTimer: pollCycle.pollTick(); break;
                case ZeroTimer: zero.sendZeroCommand(); break;
                case LinkWatchdogTimer: discovery.linkWatchdogExpired(); break;
                case PortScanTimer: discovery.portScanStep(); break;
                case BeepStopTimer: recorder.stopAlertSound(); break;
                default: break;
            }
        });
    }

    // A port opened and listening as a discovery step leaves it; no frame seen yet.
    void listenOn(const std::string& port, std::uint32_t index) {
        serial.openable.insert(port);
        serial.open(port, 9600);
        state.portOpen = true;
        state.portIndex = index;
        timers.arm(PollTimer, 50);
    }

    // Queues bytes and runs time up to and including the next poll.
    void nextPoll(const std::vector<std::uint8_t>& bytes) {
        serial.feed(bytes);
        clock.advance(clock.dueIn(PollTimer));
    }
    void nextPoll(const std::string& bytes) {
        nextPoll(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }
    // Runs virtual time up to an absolute moment (a 2 ms pause inside a tick moves it too).
    void advanceTo(std::uint64_t ms) { clock.advance(ms > clock.nowMs() ? ms - clock.nowMs() : 0); }
    void nextSilentPoll() { clock.advance(clock.dueIn(PollTimer)); }

    // Linked through a first valid frame on COM3.
    void linkWith(const std::vector<std::uint8_t>& frame) {
        listenOn("COM3", 3);
        nextPoll(frame);
    }

    AcquisitionState state;
    VirtualClock clock;
    Timers timers{clock};
    FakeWindow window;
    FakeSettings settings;
    FakeSound sound;
    GaugeSerial serial;
    CountingPortNames portNames;
    DataExchange exchange{state, window};
    RecordStore store;
    RecordListTexts listTexts{store};
    Recorder recorder{state, store, listTexts, window, timers, exchange, sound, clock};
    ParametersPanel panel{state, window, exchange, timers, settings, sound, recorder};
    PollCycle pollCycle{state,    serial, timers, window, exchange, settings, sound,
                        [this] { recorder.recordMeasurement(); }};
    ZeroCommand zero{state, serial, timers, clock};
    Discovery discovery{state, serial, portNames, settings, timers, window, exchange, [this] {
                            if (state.paramEditMode) panel.closeWithoutStoring();
                        }};
};

}  // namespace mensora::test
