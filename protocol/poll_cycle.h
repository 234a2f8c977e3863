#pragma once
#include "app/acquisition_state.h"
#include "app/alert_sound.h"
#include "app/data_exchange.h"
#include "app/settings_store.h"
#include "app/timers.h"
#include "app/window_port.h"
#include "link/serial_device.h"
#include "measure/recorder.h"
#include "protocol/frame_reading.h"

namespace mensora {

// One poll of the serial port per PollTimer tick: read what arrived, find and decode at most
// one frame, keep the link counters, establish the link on the first valid frame.
class PollCycle {
public:
    PollCycle(AcquisitionState& state, SerialDevice& serial, Timers& timers, WindowPort& window,
              DataExchange& exchange, SettingsStore& settings, AlertSound& sound,
              Recorder& recorder);
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
    DataExchange& exchange_;
    SettingsStore& settings_;
    AlertSound& sound_;
    Recorder& recorder_;
};

}  // namespace mensora
