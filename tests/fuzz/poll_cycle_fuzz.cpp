// Feeds arbitrary chunks of line bytes to the poll cycle, in any link state, and stops at the
// first reading that breaks what the display and the records rely on.
//
// Input: byte 0 chooses the state the poll starts in (bit 0 linked, bits 1-2 protocol,
// bit 3 parameters panel open, bit 4 English, bits 5-7 unit index); then, repeatedly, one
// length byte and that many line bytes queued at the port before one poll. A length byte of 0
// is a silent poll; 255 sends a zero command before the poll.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "base/acquisition_state.h"
#include "base/timer_ids.h"
#include "tests/support/dialog_rig.h"

namespace {

using namespace mensora;

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

// The fuzzer drives the polls itself: virtual time never moves, and the ticks go to the
// dialog as the window's timers would send them.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    test::DialogRig<> rig;
    AcquisitionState& state = rig.state;

    const std::uint8_t setup = data[0];
    state.linkConnected = (setup & 0x01) != 0;
    state.protocolKind = protocolFrom(static_cast<std::uint8_t>(setup >> 1));
    state.paramEditMode = (setup & 0x08) != 0;
    state.storedLanguage = (setup & 0x10) != 0 ? kStoredEnglish : kStoredChinese;
    state.parameters.unitIndex = static_cast<std::uint8_t>(setup >> 5);
    state.parameters.beepEnabled = RecordSound::On;
    rig.serial.openable.insert("COM3");
    rig.serial.open("COM3", 9600);
    state.portOpen = true;
    state.portIndex = 3;

    std::size_t at = 1;
    while (at < size) {
        const std::uint8_t length = data[at++];
        if (length == 255) rig.dialog.onTimer(ZeroTimer);
        const std::size_t take = std::min<std::size_t>(length, size - at);
        rig.serial.feed(std::vector<std::uint8_t>(data + at, data + at + take));
        at += take;
        rig.dialog.onTimer(PollTimer);
        checkReading(state);
    }
    // What is still queued arrives in the polls that follow.
    while (!rig.serial.queued.empty()) {
        rig.dialog.onTimer(PollTimer);
        checkReading(state);
    }
    return 0;
}
