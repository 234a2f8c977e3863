#pragma once
// The one rig of the tests and the benchmarks: the real MainDialog with its real wiring behind
// fakes, its timers on virtual time, over a record store as large as the test asks for. What a
// test does reaches the parts as the window's clicks and timer ticks reach them; the state is
// the test's to set up, as a gauge, a typist or a long shift would have left it.

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/acquisition_state.h"
#include "base/control_ids.h"
#include "base/control_table.h"
#include "base/timer_ids.h"
#include "dialog/station.h"
#include "dialog/station_records.h"
#include "link/fixed_port_names.h"
#include "tests/support/fake_file_system.h"
#include "tests/support/fake_serial.h"
#include "tests/support/fake_settings.h"
#include "tests/support/fake_sound.h"
#include "tests/support/fake_window.h"
#include "tests/support/manual_work.h"
#include "tests/support/virtual_clock.h"

namespace mensora::test {

// The settings a rig starts with, by key; a key not given reads as its default.
using StoredSettings = std::map<std::string, std::int32_t>;

// Room for this many records is plenty for most tests and cheap to reserve for each one.
inline constexpr std::uint32_t kRigCapacity = 1000;

inline const std::vector<std::uint8_t> kAsciiFrame{'+', '0', '0', '1', '2',
                                                   '.', '3', '4', '5', '\r'};
inline const std::vector<std::uint8_t> kBcdFrame{0xAA, 0x50, 0x34, 0x12, 0x00};

// A window as the dialog template builds it: Chinese captions, the template's list items.
class TemplateWindow : public FakeWindow {
public:
    TemplateWindow() {
        for (const DialogControl& c : controlTable()) {
            if (c.id != 0 && c.chinese != nullptr) texts[c.id] = c.chinese;
        }
        for (const int list : {SoundList, UnitList}) {
            const auto items = templateListItems(list);
            setListItems(list, items.data(), static_cast<int>(items.size()));
        }
        enableCalls.clear();
    }
    std::string selectedItem(int id) const {
        const int index = selectedListItem(id);
        return index < 0 ? "(none)" : listItems.at(id).at(static_cast<std::size_t>(index));
    }
};

// The bench PCs' fixed names, counting how often discovery looks at the machine's ports.
class CountingPortNames : public FixedPortNames {
public:
    void refresh() override { ++refreshes; }
    int refreshes = 0;
};

// What a rig opens besides a plain window, and where.
struct RigStart {
    StationDoors doors{};
    // The test's hand that runs the doors' jobs and the calls they post back; the rig's own
    // when none. A test that ends the window and then runs what it left brings its own.
    ManualWork* work = nullptr;
    // Where the doors' work runs otherwise (a benchmark gives the journal a thread).
    std::optional<StationWork> doorWork{};
    // The PC whose files the window uses, shared by the windows of one test; the rig's own
    // when none.
    FakeFileSystem* pc = nullptr;
    std::optional<LocalDateTime> localStart{};
    // Texts stored in sections of their own, by "section/key", as the settings file holds them
    // when the program starts.
    std::map<std::string, std::string> storedTexts{};
};

// Window is the fake above, or the real Qt window for the integration tests and benchmarks.
template <typename Window = TemplateWindow>
class DialogRig {
public:
    // Starts the station as the program does, from `stored`, with what `start` opens.
    explicit DialogRig(StoredSettings stored = {}, std::uint32_t capacity = kRigCapacity,
                       RigStart start = {})
        : fileSystem(start.pc != nullptr ? *start.pc : ownFiles_),
          work(start.work != nullptr ? *start.work : ownWork_),
          records(capacity),
          station(records, ports(std::move(stored), start),
                  start.doorWork.value_or(
                      StationWork{[this](Door) { return work.lend(); }, writerClock}),
                  start.doors) {
        if constexpr (requires(Window & w, MainDialog * d) { w.setController(d); }) {
            window.setController(&dialog);
        }
        clock.setTickHandler([this](int id) { dialog.onTimer(id); });
        dialog.initialise();
    }
    DialogRig(const DialogRig&) = delete;
    DialogRig& operator=(const DialogRig&) = delete;

    void click(int controlId) { dialog.onCommand(controlId); }
    void type(int controlId, const std::string& text) { window.setText(controlId, text); }

    // Connect pressed with `port` the one that opens: returns once the discovery step that
    // opened it at 9600 baud listens there, before any frame came.
    void connectTo(const std::string& port) {
        serial.openable.insert(port);
        click(ConnectButton);
        clock.advance(clock.dueIn(PortScanTimer));
    }
    // Linked on COM3 through a first valid frame.
    void linkWith(const std::vector<std::uint8_t>& frame) {
        connectTo("COM3");
        nextPoll(frame);
    }

    // Queues bytes and runs time up to and including the next poll.
    void nextPoll(const std::vector<std::uint8_t>& bytes) {
        serial.feed(bytes);
        clock.advance(clock.dueIn(PollTimer));
    }
    void nextPoll(const std::string& bytes) {
        nextPoll(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    }
    void nextSilentPoll() { clock.advance(clock.dueIn(PollTimer)); }
    // Runs virtual time up to an absolute moment (a 2 ms pause inside a tick moves it too).
    void advanceTo(std::uint64_t ms) { clock.advance(ms > clock.nowMs() ? ms - clock.nowMs() : 0); }

    // What a good frame leaves behind: the number, the live text and its fixed-width copy.
    void setReading(float value, const std::string& text, std::uint8_t places) {
        Reading& r = state.reading;
        r.value = value;
        r.valueText = text;
        r.valueChars.fill(' ');
        std::copy_n(text.begin(), std::min(text.size(), r.valueChars.size()), r.valueChars.begin());
        r.decimalPlaces = places;
    }
    // Judging values as a confirmed parameters panel leaves them, the fields showing them.
    void setJudging(float nominal, float upper, float lower) {
        Parameters& p = state.parameters;
        p.nominal = p.shownNominal = nominal;
        p.upperTolerance = p.shownUpperTolerance = upper;
        p.lowerTolerance = p.shownLowerTolerance = lower;
    }
    // Manual pressed with this reading on the screen.
    void record(float value, const std::string& text = "1.000", std::uint8_t places = 3) {
        setReading(value, text, places);
        click(ManualButton);
    }

    // The fields showing the state, as the next push of any part puts them there.
    void push() { DataExchange(state, window).push(); }

    // The record list's cells of one row, as the list model reads them.
    struct Row {
        std::string seq, value, error, verdict, time;
    };
    Row listRow(std::uint32_t index) const {
        return {std::string(store.seqField(index)), std::string(listTexts.valueText(index)),
                std::string(store.errorField(index)), listTexts.verdictText(index),
                std::string(store.timeField(index))};
    }

private:
    FakeFileSystem ownFiles_;
    ManualWork ownWork_;

public:
    VirtualClock clock;
    VirtualClock writerClock;  // the journal writer's pauses, apart from the window's time
    FakeSettings settings;
    FakeSound sound;
    FakeSerial serial;
    CountingPortNames portNames;
    FakeFileSystem& fileSystem;
    // Workbooks, journal entries and plant rounds are written when the test runs the work.
    ManualWork& work;
    StationRecords records;
    RecordStore& store = records.store;
    RecordListTexts& listTexts = records.listTexts;
    RecordTraces& traces = records.traces;
    ChartData& chartData = records.chartData;
    AcquisitionState& state = records.state;
    Window window = makeWindow();
    Station station;
    MainDialog& dialog = station.dialog();

private:
    // The ports as the test brings them, the settings and the clock set up before the station
    // opens its doors.
    DialogPorts ports(StoredSettings stored, const RigStart& start) {
        settings.values = std::move(stored);
        settings.texts = start.storedTexts;
        if (start.localStart) clock.setLocalStart(*start.localStart);
        return DialogPorts{clock,  settings,  window,     sound, clock,
                           serial, portNames, fileSystem, work};
    }

    // The real window reads the store and the list texts; the fake needs neither.
    Window makeWindow() {
        if constexpr (std::is_constructible_v<Window, const RecordStore&, const RecordListTexts&,
                                              const RecordTraces&>) {
            return Window(store, listTexts, traces);
        } else {
            return Window();
        }
    }
};

}  // namespace mensora::test
