#include "protocol/poll_cycle.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "base/control_table.h"
#include "base/link_periods.h"
#include "base/timer_ids.h"
#include "protocol/gauge_protocols.h"

namespace mensora {
namespace {

constexpr std::uint8_t kSilentPollsPerCount = 5;

}  // namespace

PollCycle::PollCycle(const DialogContext& context, SerialDevice& serial, PollEvents events)
    : state_(context.state),
      timers_(context.timers),
      exchange_(context.exchange),
      serial_(serial),
      events_(std::move(events)) {}

void PollCycle::pollTick() {
    // A silent gauge counts once per five silent polls, before the sixth one reads.
    if (state_.linkConnected && state_.silentPollRun >= kSilentPollsPerCount) {
        state_.silentPollRun = 0;
        ++state_.counters.silentPollCount;
    }
    state_.receiveBuffer.fill(0);
    const int result = serial_.readAvailable(state_.receiveBuffer.data(), state_.receivedCount);
    if (result == kDeviceLost) {
        // Not a silent gauge: the silent-poll count stays as the device left it.
        events_.deviceLost();
        return;
    }
    if (result != 0) {
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
    const GaugeProtocol* linked = protocolOf(state_.protocolKind);
    const auto separateDataKey = linked != nullptr ? linked->isSeparateDataKey : nullptr;
    for (std::uint32_t i = 0; i < state_.frameLength; ++i) {
        if (protocolStartingWith(buffer[i]) != nullptr) {
            // Only the frame and what follows it move; the tail keeps what it held.
            std::memmove(buffer.data(), buffer.data() + i, state_.frameLength - i);
            state_.frameLength -= i;
            return true;
        }
        // The gauge's data key arriving on its own, after the frame it belongs to.
        if (separateDataKey != nullptr && separateDataKey(FrameBytes(buffer).subspan(i))) {
            events_.dataKey();
            return false;
        }
    }
    return true;
}

void PollCycle::decodeFrame() {
    const ReceiveBuffer& buffer = state_.receiveBuffer;
    const GaugeProtocol* protocol = protocolStartingWith(buffer[0]);
    if (protocol == nullptr) return;
    // A frame cut off by the end of the read is not a frame: nothing is counted.
    if (state_.frameLength < protocol->shortestFrame) return;
    state_.frameLength = protocol->frameLength(buffer);
    const FrameBytes frame = FrameBytes(buffer).first(state_.frameLength);
    if (!protocol->valid(frame)) {
        countBadFrame();
        return;
    }
    takeGoodFrame(*protocol, protocol->parse(frame), protocol->hasDataKey(frame));
}

void PollCycle::takeGoodFrame(const GaugeProtocol& protocol, const FrameReading& frame,
                              bool dataKey) {
    ++state_.counters.goodFrameCount;
    events_.goodFrame(protocol);
    adopt(frame);
    if (dataKey) events_.dataKey();
    events_.frameTaken();
}

// Bytes at the wrong baud rate fail validation all through a discovery; only a link's own
// bad frames are worth counting.
void PollCycle::countBadFrame() {
    if (state_.linkConnected) ++state_.counters.badFrameCount;
}

void PollCycle::adopt(const FrameReading& frame) {
    Reading& reading = state_.reading;
    reading.valueText = frame.valueText;
    reading.valueChars = frame.valueChars;
    reading.value = frame.value;
    reading.decimalPlaces = frame.decimalPlaces;
    reading.unitText = unitTextOf(state_.parameters.unitIndex);
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
