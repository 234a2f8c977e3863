#include "protocol/poll_cycle.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "base/control_ids.h"
#include "base/link_periods.h"
#include "base/settings_keys.h"
#include "base/texts.h"
#include "base/timer_ids.h"
#include "protocol/ascii_frame.h"
#include "protocol/bcd_frame.h"

namespace mensora {
namespace {

constexpr std::uint32_t kLinkAlertMs = 300;
constexpr std::uint8_t kSilentPollsPerCount = 5;
constexpr std::int32_t kAsciiBaudRate = 9600;
constexpr std::int32_t kBcdBaudRate = 4800;

const char* unitTextFor(std::uint8_t unitIndex) {
    switch (unitIndex) {
        case 0: return "mm";
        case 1: return "in";
        case 2: return "°";
        default: return "  ";
    }
}

}  // namespace

PollCycle::PollCycle(AcquisitionState& state, SerialDevice& serial, Timers& timers,
                     WindowPort& window, FieldExchange& exchange, SettingsStore& settings,
                     AlertSound& sound, std::function<void()> onDataKey)
    : state_(state),
      serial_(serial),
      timers_(timers),
      window_(window),
      exchange_(exchange),
      settings_(settings),
      sound_(sound),
      onDataKey_(std::move(onDataKey)) {}

void PollCycle::pollTick() {
    // A silent gauge counts once per five silent polls, before the sixth one reads.
    if (state_.linkConnected != 0 && state_.silentPollRun >= kSilentPollsPerCount) {
        state_.silentPollRun = 0;
        ++state_.counters.silentPollCount;
    }
    state_.receiveBuffer.fill(0);
    if (serial_.readAvailable(state_.receiveBuffer.data(), state_.receivedCount) != 0) {
        // Nothing arrived: the poll keeps its period and the window stays as it is.
        ++state_.silentPollRun;
        return;
    }
    timers_.arm(PollTimer, kConnectedPollMs);
    // A device must never make the frame search run past the bytes a read can place.
    state_.frameLength = std::min(state_.receivedCount, kMaxBytesPerRead);
    state_.receivedCount = 0;
    state_.silentPollRun = 0;
    if (resynchronise()) decodeFrame();
    publish();
}

bool PollCycle::resynchronise() {
    auto& buffer = state_.receiveBuffer;
    for (std::uint32_t i = 0; i < state_.frameLength; ++i) {
        const std::uint8_t byte = buffer[i];
        if (isAsciiFrameStart(byte) || byte == kBcdFrameStart) {
            // Only the frame and what follows it move; the tail keeps what it held.
            std::memmove(buffer.data(), buffer.data() + i, state_.frameLength - i);
            state_.frameLength -= i;
            return true;
        }
        // The gauge's data key arriving on its own, after the frame it belongs to.
        if (byte == kDataKey && buffer[i + 1] == kCarriageReturn &&
            state_.protocolKind == ProtocolKind::Ascii) {
            onDataKey_();
            return false;
        }
    }
    return true;
}

void PollCycle::decodeFrame() {
    const std::uint8_t start = state_.receiveBuffer[0];
    if (isAsciiFrameStart(start)) {
        decodeAsciiFrame();
    } else if (start == kBcdFrameStart) {
        decodeBcdFrame();
    }
}

void PollCycle::decodeAsciiFrame() {
    const ReceiveBuffer& buffer = state_.receiveBuffer;
    // A frame cut off by the end of the read is not a frame: nothing is counted.
    if (state_.frameLength < kAsciiFrameLength) return;
    state_.frameLength = asciiFrameLength(buffer);
    if (!asciiFrameValid(buffer, state_.frameLength)) {
        countBadFrame();
        return;
    }
    ++state_.counters.goodFrameCount;
    if (state_.linkConnected == 0) establishLink(ProtocolKind::Ascii);
    adopt(parseAsciiFrame(buffer));
    if (asciiFrameHasDataKey(buffer, state_.frameLength)) onDataKey_();
    timers_.arm(LinkWatchdogTimer, kLinkWatchdogMs);
}

void PollCycle::decodeBcdFrame() {
    const ReceiveBuffer& buffer = state_.receiveBuffer;
    if (state_.frameLength < kBcdFrameLength) return;
    state_.frameLength = kBcdFrameLength;
    if (!bcdFrameValid(buffer)) {
        countBadFrame();
        return;
    }
    ++state_.counters.goodFrameCount;
    if (state_.linkConnected == 0) establishLink(ProtocolKind::Bcd);
    adopt(parseBcdFrame(buffer));
    if (bcdFrameHasDataKey(buffer)) onDataKey_();
    timers_.arm(LinkWatchdogTimer, kLinkWatchdogMs);
}

// Bytes at the wrong baud rate fail validation all through a discovery; only a link's own
// bad frames are worth counting.
void PollCycle::countBadFrame() {
    if (state_.linkConnected != 0) ++state_.counters.badFrameCount;
}

void PollCycle::establishLink(ProtocolKind kind) {
    const bool ascii = kind == ProtocolKind::Ascii;
    state_.statusLabel = ascii ? "ASC" : "AA";
    state_.protocolKind = kind;
    state_.linkConnected = 1;
    timers_.kill(PortScanTimer);
    window_.setText(ConnectButton,
                    pick(ascii ? texts::kDisconnectAsciiCaption : texts::kDisconnectBcdCaption,
                         state_.language()));
    window_.enable(ZeroButton, true);
    window_.enable(AutoButton, true);
    window_.enable(ManualButton, true);
    putSetting(settings_, settings::kPortIndex, static_cast<std::int32_t>(state_.portIndex));
    // The rate belongs to the protocol, whatever rate the port happened to be opened with.
    putSetting(settings_, settings::kBaudRate, ascii ? kAsciiBaudRate : kBcdBaudRate);
    // The user hears the link come up even with the record sound switched off.
    sound_.playLooped();
    timers_.arm(BeepStopTimer, kLinkAlertMs);
}

void PollCycle::adopt(const FrameReading& frame) {
    Reading& reading = state_.reading;
    reading.valueText = frame.valueText;
    reading.valueChars = frame.valueChars;
    reading.value = frame.value;
    reading.decimalPlaces = frame.decimalPlaces;
    reading.unitText = unitTextFor(state_.parameters.unitIndex);
}

void PollCycle::publish() {
    LinkCounters& counters = state_.counters;
    counters.shownBad = counters.badFrameCount;
    counters.shownSilent = counters.silentPollCount;
    counters.shownGood = static_cast<std::int32_t>(counters.goodFrameCount);
    // While the parameters panel is open the screen stands still for the user's typing.
    if (!state_.paramEditMode) exchange_.push();
}

}  // namespace mensora
