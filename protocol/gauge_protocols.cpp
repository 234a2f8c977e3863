#include "protocol/gauge_protocols.h"

#include <array>
#include <tuple>

#include "protocol/ascii_frame.h"
#include "protocol/bcd_frame.h"

namespace mensora {
namespace {

constexpr std::array<std::uint8_t, 3> kAsciiZero{'C', 'L', 'R'};
constexpr std::array<std::uint8_t, 2> kBcdZero{kBcdFrameStart, 0x00};

constexpr GaugeProtocol kProtocols[] = {
    {
        ProtocolKind::Ascii,
        isAsciiFrameStart,
        kAsciiFrameLength,
        asciiFrameLength,
        asciiFrameValid,
        parseAsciiFrame,
        asciiFrameHasDataKey,
        isAsciiSeparateDataKey,
        9600,
        "ASC",
        kAsciiZero,
    },
    {
        ProtocolKind::Bcd,
        isBcdFrameStart,
        kBcdFrameLength,
        bcdFrameLength,
        bcdFrameValid,
        parseBcdFrame,
        bcdFrameHasDataKey,
        nullptr,
        4800,
        "AA",
        kBcdZero,
    },
};

// The zero command goes out through the state's transmit buffer.
constexpr bool zeroCommandsFit() {
    for (const GaugeProtocol& protocol : kProtocols) {
        if (protocol.zeroCommand.size() >
            std::tuple_size_v<decltype(AcquisitionState::transmitBuffer)>) {
            return false;
        }
    }
    return true;
}
static_assert(zeroCommandsFit());

}  // namespace

std::span<const GaugeProtocol> gaugeProtocols() { return kProtocols; }

const GaugeProtocol* protocolStartingWith(std::uint8_t byte) {
    for (const GaugeProtocol& protocol : kProtocols) {
        if (protocol.isFrameStart(byte)) return &protocol;
    }
    return nullptr;
}

const GaugeProtocol* protocolOf(ProtocolKind kind) {
    for (const GaugeProtocol& protocol : kProtocols) {
        if (protocol.kind == kind) return &protocol;
    }
    return nullptr;
}

}  // namespace mensora
