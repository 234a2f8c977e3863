#pragma once
#include <cstdint>
#include <functional>

#include "base/acquisition_state.h"
#include "base/field_exchange.h"
#include "base/settings_store.h"
#include "base/timers.h"
#include "base/window_port.h"
#include "link/port_names.h"
#include "link/serial_device.h"

namespace mensora {

// Finds the gauge by trying ports at 9600 and 4800 baud, ends the link on Disconnect, and
// reports a gauge that has gone silent.
class Discovery {
public:
    Discovery(AcquisitionState& state, SerialDevice& serial, PortNames& portNames,
              SettingsStore& settings, Timers& timers, WindowPort& window,
              FieldExchange& exchange, std::function<void()> onDisconnecting);
    void onConnectButton();  // connectLink or disconnectLink by linkConnected
    void connectLink();
    void disconnectLink();
    void portScanStep();
    void linkWatchdogExpired();

private:
    // The first step after a click: the port and rate the last link was made on.
    // False when that port does not open.
    bool tryRememberedPort();
    // The same port again at 4800 baud, whether or not it opens.
    void reopenAtAlternateRate();
    // The next port from index 1 (or after the last one tried) that opens at 9600 baud; the
    // give-up message when none does.
    void scanNextPort();
    bool openPort(std::uint32_t index, std::int32_t baudRate);
    void closePort();
    void listenOnPort();

    AcquisitionState& state_;
    SerialDevice& serial_;
    PortNames& portNames_;
    SettingsStore& settings_;
    Timers& timers_;
    WindowPort& window_;
    FieldExchange& exchange_;
    // Told first when the user ends the link, while everything is still as it was.
    std::function<void()> onDisconnecting_;
};

}  // namespace mensora
