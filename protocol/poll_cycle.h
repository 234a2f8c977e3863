#pragma once
#include <functional>

#include "base/dialog_context.h"
#include "link/serial_device.h"
#include "protocol/frame_reading.h"
#include "protocol/gauge_protocols.h"

namespace mensora {

// What a poll tells the rest of the program, in this order for each good frame.
struct PollEvents {
    // A good frame of this protocol was counted; its reading is not taken yet.
    std::function<void(const GaugeProtocol&)> goodFrame;
    // The user pressed the gauge's data key: the reading as it now stands is to be recorded.
    std::function<void()> dataKey;
    // The good frame's reading is the current one and its data key was handled.
    std::function<void()> frameTaken;
    // The port's device is gone: nothing was read, and the port is of no more use.
    std::function<void()> deviceLost;
};

// One poll of the serial port per PollTimer tick: read what arrived, find and decode at most
// one frame, keep the link counters, and say what it found.
class PollCycle {
public:
    PollCycle(const DialogContext& context, SerialDevice& serial, PollEvents events);
    void pollTick();

private:
    // Drops what stands in front of the first frame start. False when an "S" + CR came
    // first on an ASCII link: the data key was handled and nothing is to be decoded.
    bool resynchronise();
    // The frame at the start of the buffer, read by the row of the protocol it starts like.
    void decodeFrame();
    // Counts the good frame, takes its reading and tells the events.
    void takeGoodFrame(const GaugeProtocol& protocol, const FrameReading& frame, bool dataKey);
    // The good frame's reading becomes the current one, with the unit of the unit list.
    void adopt(const FrameReading& frame);
    void countBadFrame();
    void publish();

    AcquisitionState& state_;
    Timers& timers_;
    FieldExchange& exchange_;
    SerialDevice& serial_;
    PollEvents events_;
};

}  // namespace mensora
