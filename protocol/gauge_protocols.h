#pragma once
// The gauge protocols Mensora understands, one row each: how a frame starts, how long it is,
// how it is checked and read, where its data key is, the line rate, the label the status field
// shows, the Disconnect caption and the zero command. The poll, the link and the zero command
// read everything they need to know about a protocol from its row: a further protocol is one
// further row.

#include <cstdint>
#include <span>

#include "base/acquisition_state.h"
#include "base/texts.h"
#include "protocol/frame_reading.h"

namespace mensora {

struct GaugeProtocol {
    ProtocolKind kind;
    bool (*isFrameStart)(std::uint8_t byte);
    // Fewer bytes than this from the frame start are a frame cut off by the end of the read.
    std::uint32_t shortestFrame;
    // The frame's length, decided by what the buffer holds after the frame start.
    std::uint32_t (*frameLength)(const ReceiveBuffer& buffer);
    bool (*valid)(const ReceiveBuffer& buffer, std::uint32_t length);
    FrameReading (*parse)(const ReceiveBuffer& buffer);
    bool (*hasDataKey)(const ReceiveBuffer& buffer, std::uint32_t length);
    // The gauge's data key sent on its own, after the frame it belongs to, at byte `at` of a
    // read; nullptr for a protocol that always sends it inside a frame.
    bool (*isSeparateDataKey)(const ReceiveBuffer& buffer, std::uint32_t at);
    // The rate the gauge sends at, remembered for the next discovery when it links.
    std::int32_t baudRate;
    const char* statusLabel;
    Bilingual disconnectCaption;
    std::span<const std::uint8_t> zeroCommand;
};

// Every protocol, in the order discovery tries their rates on a port.
std::span<const GaugeProtocol> gaugeProtocols();

// The protocol whose frames start with this byte, or nullptr.
const GaugeProtocol* protocolStartingWith(std::uint8_t byte);

// The row of a linked protocol, or nullptr for ProtocolKind::None.
const GaugeProtocol* protocolOf(ProtocolKind kind);

}  // namespace mensora
