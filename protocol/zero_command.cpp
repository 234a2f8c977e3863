#include "protocol/zero_command.h"

#include <algorithm>
#include <utility>

#include "base/timer_ids.h"
#include "protocol/gauge_protocols.h"

namespace mensora {
namespace {

// Every click re-arms the one timer: a burst of clicks sends one command.
constexpr std::uint32_t kZeroDebounceMs = 125;
constexpr std::uint32_t kPauseAfterCommandMs = 2;
// The gauge is busy zeroing: the next poll waits for it.
constexpr std::uint32_t kPollAfterCommandMs = 225;

}  // namespace

ZeroCommand::ZeroCommand(const DialogContext& context, SerialDevice& serial, Clock& clock,
                         std::function<void()> onSent)
    : state_(context.state),
      serial_(serial),
      timers_(context.timers),
      clock_(clock),
      onSent_(std::move(onSent)) {}

void ZeroCommand::onZeroButton() { timers_.arm(ZeroTimer, kZeroDebounceMs); }

void ZeroCommand::sendZeroCommand() {
    timers_.kill(ZeroTimer);
    // The last poll's buffer tells the protocol: it starts with a frame start only when that
    // poll read a frame. After a silent poll it is all zeros, and the first protocol's
    // command ("CLR") goes out.
    const GaugeProtocol* read = protocolStartingWith(state_.receiveBuffer[0]);
    const std::span<const std::uint8_t> command =
        (read != nullptr ? *read : gaugeProtocols()[0]).zeroCommand;
    auto& transmit = state_.transmitBuffer;
    std::copy(command.begin(), command.end(), transmit.begin());
    serial_.write(transmit.data(), command.size());
    clock_.pause(kPauseAfterCommandMs);
    timers_.arm(PollTimer, kPollAfterCommandMs);
    onSent_();
}

}  // namespace mensora
