#pragma once
// The gauge protocols Mensora understands, one row each: how a frame starts, how long it is,
// how it is checked and read, where its data key is, the line rate, the label the status field
// shows and the zero command. Every decoder of a row reads bytes the same way, from a span that
// starts at the frame start. The poll, the discovery and the zero command read everything they
// need to know about a protocol from its row: discovery tries each port at the rate of every
// row in turn, the poll knows a frame by the row it starts like, and a silent poll's zero
// command is the first row's. A further protocol is one further row.

#include <cstdint>
#include <span>

#include "base/acquisition_state.h"
#include "protocol/frame_reading.h"

namespace mensora {

struct GaugeProtocol {
    ProtocolKind kind;
    bool (*isFrameStart)(std::uint8_t byte);
    // Fewer bytes than this from the frame start are a frame cut off by the end of the read.
    std::uint32_t shortestFrame;
    // The frame's length, decided by what the bytes from the frame start to the end of the
    // receive buffer hold.
    std::uint32_t (*frameLength)(FrameBytes fromFrameStart);
    // These three read the frame alone: its frameLength bytes.
    bool (*valid)(FrameBytes frame);
    FrameReading (*parse)(FrameBytes frame);
    bool (*hasDataKey)(FrameBytes frame);
    // The gauge's data key sent on its own, after the frame it belongs to, at the start of
    // the given bytes; nullptr for a protocol that always sends it inside a frame.
    bool (*isSeparateDataKey)(FrameBytes bytes);
    // The rate the gauge sends at: tried by discovery, and remembered for the next one when
    // it links.
    std::int32_t baudRate;
    const char* statusLabel;
    std::span<const std::uint8_t> zeroCommand;
};

// Every protocol, in the order discovery tries their rates on a port.
std::span<const GaugeProtocol> gaugeProtocols();

// The protocol whose frames start with this byte, or nullptr.
const GaugeProtocol* protocolStartingWith(std::uint8_t byte);

// The row of a linked protocol, or nullptr for ProtocolKind::None.
const GaugeProtocol* protocolOf(ProtocolKind kind);

}  // namespace mensora
