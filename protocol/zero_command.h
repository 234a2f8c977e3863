#pragma once
#include <functional>

#include "base/clock.h"
#include "base/dialog_context.h"
#include "link/serial_device.h"

namespace mensora {

// The Zero button: one zero command 125 ms after the last click, in the gauge's protocol.
class ZeroCommand {
public:
    // onSent: the command went out to a gauge that is there to hear it.
    ZeroCommand(const DialogContext& context, SerialDevice& serial, Clock& clock,
                std::function<void()> onSent);
    void onZeroButton();
    void sendZeroCommand();

private:
    AcquisitionState& state_;
    SerialDevice& serial_;
    Timers& timers_;
    Clock& clock_;
    std::function<void()> onSent_;
};

}  // namespace mensora
