#pragma once
#include <functional>

#include "base/acquisition_state.h"
#include "base/alert_sound.h"
#include "base/field_exchange.h"
#include "base/settings_store.h"
#include "base/timers.h"
#include "base/window_port.h"
#include "link/serial_device.h"
#include "protocol/frame_reading.h"

namespace mensora {

// One poll of the serial port per PollTimer tick: read what arrived, find and decode at most
// one frame, keep the link counters, establish the link on the first valid frame.
class PollCycle {
public:
    PollCycle(AcquisitionState& state, SerialDevice& serial, Timers& timers, WindowPort& window,
              FieldExchange& exchange, SettingsStore& settings, AlertSound& sound,
              std::function<void()> onDataKey);
    void pollTick();

private:
    // Drops what stands in front of the first frame start. False when an "S" + CR came
    // first on an ASCII link: the data key was handled and nothing is to be decoded.
    bool resynchronise();
    void decodeFrame();
    void decodeAsciiFrame();
    void decodeBcdFrame();
    void establishLink(ProtocolKind kind);
    // The good frame's reading becomes the current one, with the unit of the unit list.
    void adopt(const FrameReading& frame);
    void countBadFrame();
    void publish();

    AcquisitionState& state_;
    SerialDevice& serial_;
    Timers& timers_;
    WindowPort& window_;
    FieldExchange& exchange_;
    SettingsStore& settings_;
    AlertSound& sound_;
    // The user pressed the gauge's data key: the reading as it now stands is to be recorded.
    std::function<void()> onDataKey_;
};

}  // namespace mensora
