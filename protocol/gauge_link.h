#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>

#include "base/alert_sound.h"
#include "base/dialog_context.h"
#include "base/settings_store.h"
#include "link/port_names.h"
#include "link/serial_device.h"
#include "protocol/gauge_protocols.h"

namespace mensora {

// What the link tells the rest of the program; the dialog decides what the window shows.
struct LinkEvents {
    // The user ends the link: told first, while everything is still as it was.
    std::function<void()> disconnecting;
    // The first good frame of this protocol made the link.
    std::function<void(ProtocolKind)> established;
    // The link has ended: its timers are killed and its port is closed.
    std::function<void()> ended;
};

// The link to the gauge, from the Connect button to the Disconnect: finds the gauge by trying
// ports at the rate of each protocol, establishes the link on the first good frame, watches
// that good frames keep coming, and ends the link. The port is opened and closed only here.
class GaugeLink {
public:
    GaugeLink(const DialogContext& context, SerialDevice& serial, PortNames& portNames,
              SettingsStore& settings, AlertSound& sound, LinkEvents events);
    void onConnectButton();  // connectLink or disconnectLink by linkConnected
    void connectLink();
    void disconnectLink();
    void portScanStep();

    // A good frame of the given protocol arrived: the first one establishes the link.
    void goodFrame(const GaugeProtocol& protocol);
    // The gauge is known to be there (its frame was taken, or it was just given a command):
    // the watchdog starts its 5 s again.
    void restartWatchdog();
    void linkWatchdogExpired();
    // The program is about to be busy or wait for the user for a while: the gauge's silence
    // meanwhile is not a lost link. Nothing changes while no gauge is linked.
    void pauseWatchdog();
    // The busy time is over: the linked gauge has a full period again.
    void resumeWatchdog();

    // The open port's device went away (the cable was pulled). The port is let go at once so
    // the system can hand the device back when it returns; a link stays up, shows no reading
    // and opens the same port again once a second until the device is there again.
    void deviceLost();
    void reopenStep();

private:
    // The first step after a click: the port and rate the last link was made on.
    // False when that port does not open.
    bool tryRememberedPort();
    // The same port again at the next protocol's rate, whether or not it opens.
    void reopenAtNextRate();
    // The next port from index 1 (or after the last one tried) that opens at the first
    // protocol's rate; the give-up message when none does.
    void scanNextPort();
    bool openPort(std::uint32_t index, std::int32_t baudRate);
    void closePort();
    void listenOnPort();
    void establishLink(const GaugeProtocol& protocol);

    AcquisitionState& state_;
    WindowPort& window_;
    Timers& timers_;
    FieldExchange& exchange_;
    SerialDevice& serial_;
    PortNames& portNames_;
    SettingsStore& settings_;
    AlertSound& sound_;
    LinkEvents events_;
    // The protocol row whose rate the scanned port was last opened at.
    std::size_t rateRow_ = 0;
};

}  // namespace mensora
