#include "protocol/zero_command.h"

#include <algorithm>
#include <array>
#include <utility>

#include "base/timer_ids.h"
#include "protocol/bcd_frame.h"

namespace mensora {
namespace {

// Every click re-arms the one timer: a burst of clicks sends one command.
constexpr std::uint32_t kZeroDebounceMs = 125;
constexpr std::uint32_t kPauseAfterCommandMs = 2;
// The gauge is busy zeroing: the next poll waits for it.
constexpr std::uint32_t kPollAfterCommandMs = 225;

constexpr std::array<std::uint8_t, 2> kBcdZero{kBcdFrameStart, 0x00};
constexpr std::array<std::uint8_t, 3> kAsciiZero{'C', 'L', 'R'};

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
    // The last poll's buffer tells the protocol: it starts with 0xAA only when that poll
    // read a packed-decimal frame. After a silent poll it is all zeros, and "CLR" goes out.
    const bool bcd = state_.receiveBuffer[0] == kBcdFrameStart;
    auto& transmit = state_.transmitBuffer;
    const std::size_t count = bcd ? kBcdZero.size() : kAsciiZero.size();
    if (bcd) {
        std::copy(kBcdZero.begin(), kBcdZero.end(), transmit.begin());
    } else {
        std::copy(kAsciiZero.begin(), kAsciiZero.end(), transmit.begin());
    }
    serial_.write(transmit.data(), count);
    clock_.pause(kPauseAfterCommandMs);
    timers_.arm(PollTimer, kPollAfterCommandMs);
    onSent_();
}

}  // namespace mensora
