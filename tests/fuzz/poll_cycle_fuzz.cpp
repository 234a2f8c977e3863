// Feeds arbitrary chunks of line bytes to the poll cycle, in any link state, and stops at the
// first reading that breaks what the display and the records rely on.
//
// Input: byte 0 chooses the state the poll starts in (bit 0 linked, bits 1-2 protocol,
// bit 3 parameters panel open, bit 4 English, bits 5-7 unit index); then, repeatedly, one
// length byte and that many line bytes queued at the port before one poll. A length byte of 0
// is a silent poll; 255 sends a zero command before the poll.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

#include "base/acquisition_state.h"
#include "base/clock.h"
#include "base/timer_service.h"
#include "base/timers.h"
#include "dialog/data_exchange.h"
#include "measure/record_list_texts.h"
#include "measure/record_store.h"
#include "measure/recorder.h"
#include "protocol/poll_cycle.h"
#include "protocol/zero_command.h"
#include "tests/support/fake_serial.h"
#include "tests/support/fake_settings.h"
#include "tests/support/fake_sound.h"
#include "tests/support/fake_window.h"

namespace {

using namespace mensora;

// Timers only recorded: the fuzzer drives the polls itself.
class RecordingTimers : public TimerService, public Clock {
public:
    void arm(int id, std::uint32_t periodMs) override { arms.emplace_back(id, periodMs); }
    void kill(int id) override { kills.push_back(id); }
    LocalDateTime localNow() override { return {2026, 12, 7, 9, 30, 0}; }
    void pause(std::uint32_t) override {}

    std::vector<std::pair<int, std::uint32_t>> arms;
    std::vector<int> kills;
};

void require(bool condition) {
    if (!condition) std::abort();
}

// The display and the record's value field hold at most nine characters; a reading's
// places are at most the seven an ASCII frame can carry.
void checkReading(const AcquisitionState& state) {
    require(state.reading.valueText.size() <= state.reading.valueChars.size());
    require(state.reading.decimalPlaces <= 7);
    require(state.frameLength <= kMaxBytesPerRead);
    require(state.counters.shownGood >= 0);
}

ProtocolKind protocolFrom(std::uint8_t bits) {
    switch (bits & 0x03) {
        case 1: return ProtocolKind::Ascii;
        case 2: return ProtocolKind::Bcd;
        default: return ProtocolKind::None;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    // The store reserves a million rows once; each input starts it empty.
    static RecordStore store;
    static RecordListTexts listTexts;
    store.empty();

    AcquisitionState state;
    RecordingTimers timerService;
    Timers timers(timerService);
    test::FakeWindow window;
    test::FakeSettings settings;
    test::FakeSound sound;
    test::FakeSerial serial;
    DataExchange exchange(state, window);
    Recorder recorder(state, store, listTexts, window, timers, exchange, sound, timerService);
    PollCycle poll(state, serial, timers, window, exchange, settings, sound,
                   [&recorder] { recorder.recordMeasurement(); });
    ZeroCommand zero(state, serial, timers, timerService);

    const std::uint8_t setup = data[0];
    state.linkConnected = setup & 0x01;
    state.protocolKind = protocolFrom(static_cast<std::uint8_t>(setup >> 1));
    state.paramEditMode = (setup & 0x08) != 0;
    state.storedLanguage = (setup & 0x10) != 0 ? kStoredEnglish : kStoredChinese;
    state.parameters.unitIndex = static_cast<std::uint8_t>(setup >> 5);
    state.parameters.beepEnabled = 1;
    serial.openable.insert("COM3");
    serial.open("COM3", 9600);
    state.portOpen = true;
    state.portIndex = 3;

    std::size_t at = 1;
    while (at < size) {
        const std::uint8_t length = data[at++];
        if (length == 255) zero.sendZeroCommand();
        const std::size_t take = std::min<std::size_t>(length, size - at);
        serial.feed(std::vector<std::uint8_t>(data + at, data + at + take));
        at += take;
        poll.pollTick();
        checkReading(state);
    }
    // What is still queued arrives in the polls that follow.
    while (!serial.queued.empty()) {
        poll.pollTick();
        checkReading(state);
    }
    return 0;
}
