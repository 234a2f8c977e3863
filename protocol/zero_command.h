#pragma once
#include "base/acquisition_state.h"
#include "base/clock.h"
#include "base/timers.h"
#include "link/serial_device.h"

namespace mensora {

// The Zero button: one zero command 125 ms after the last click, in the gauge's protocol.
class ZeroCommand {
public:
    ZeroCommand(AcquisitionState& state, SerialDevice& serial, Timers& timers, Clock& clock);
    void onZeroButton();
    void sendZeroCommand();

private:
    AcquisitionState& state_;
    SerialDevice& serial_;
    Timers& timers_;
    Clock& clock_;
};

}  // namespace mensora
