#include "protocol/gauge_link.h"

#include <utility>

#include "base/link_periods.h"
#include "base/number_text.h"
#include "base/settings_keys.h"
#include "base/texts.h"
#include "base/timer_ids.h"

namespace mensora {
namespace {

constexpr std::uint32_t kFirstStepMs = 30;
// How long a port listens before the next step: long enough for a gauge at 9600 baud (or at
// the remembered rate) to send several frames, shorter at 4800 where only the rate is tried.
constexpr std::uint32_t kDwellMs = 1500;
constexpr std::uint32_t kAlternateRateDwellMs = 360;
constexpr std::uint32_t kListeningPollMs = 50;
constexpr std::uint32_t kReopenPeriodMs = 1000;

constexpr std::uint32_t kLinkAlertMs = 300;

// Index 0 is never opened; 16 only as the remembered port, the scan ends after 15.
constexpr std::uint32_t kFirstPortIndex = 1;
constexpr std::uint32_t kLastRememberedIndex = kPortNameCount - 1;
constexpr std::uint32_t kScanEndIndex = kPortNameCount - 1;

}  // namespace

GaugeLink::GaugeLink(const DialogContext& context, SerialDevice& serial, PortNames& portNames,
                     SettingsStore& settings, AlertSound& sound, LinkEvents events)
    : state_(context.state),
      window_(context.window),
      timers_(context.timers),
      exchange_(context.exchange),
      serial_(serial),
      portNames_(portNames),
      settings_(settings),
      sound_(sound),
      events_(std::move(events)) {}

void GaugeLink::onConnectButton() {
    if (state_.linkConnected) {
        disconnectLink();
    } else {
        connectLink();
    }
}

void GaugeLink::connectLink() {
    // The port of an earlier discovery stays open until the first step closes it.
    state_.portIndex = 0;
    state_.altBaudPending = false;
    timers_.arm(PortScanTimer, kFirstStepMs);
    state_.scanPhase = ScanPhase::NotStarted;
    state_.silentPollRun = 0;
    state_.counters.badFrameCount = 0;
    state_.counters.silentPollCount = 0;
    state_.counters.goodFrameCount = 0;
    state_.protocolKind = ProtocolKind::None;
}

void GaugeLink::disconnectLink() {
    events_.disconnecting();
    state_.reading.valueText = " ";
    state_.autoSampling = false;
    timers_.kill(PollTimer);
    timers_.kill(ZeroTimer);
    timers_.kill(AutoSampleTimer);
    timers_.kill(LinkWatchdogTimer);
    timers_.kill(PortScanTimer);
    timers_.kill(DeviceReopenTimer);
    closePort();
    state_.deviceLost = false;
    state_.linkConnected = false;
    events_.ended();
    exchange_.push();
}

void GaugeLink::portScanStep() {
    if (state_.linkConnected) return;
    if (state_.scanPhase == ScanPhase::NotStarted) {
        state_.scanPhase = ScanPhase::RememberedPortTried;
        if (tryRememberedPort()) return;
    }
    if (state_.altBaudPending) {
        reopenAtNextRate();
    } else {
        scanNextPort();
    }
}

bool GaugeLink::tryRememberedPort() {
    // Adapters come and go between discoveries; the names are looked up afresh.
    portNames_.refresh();
    const auto stored = static_cast<std::uint32_t>(getSetting(settings_, settings::kPortIndex));
    state_.portIndex = stored == 0 || stored > kLastRememberedIndex ? kFirstPortIndex : stored;
    closePort();
    // The stored rate is used as it is: a rate the port refuses only means no frame comes.
    const std::int32_t rate = getSetting(settings_, settings::kBaudRate);
    if (!openPort(state_.portIndex, rate)) return false;
    timers_.arm(PortScanTimer, kDwellMs);
    state_.altBaudPending = false;
    listenOnPort();
    return true;
}

void GaugeLink::reopenAtNextRate() {
    closePort();
    ++rateRow_;
    openPort(state_.portIndex, gaugeProtocols()[rateRow_].baudRate);
    timers_.arm(PortScanTimer, kAlternateRateDwellMs);
    state_.altBaudPending = rateRow_ + 1 < gaugeProtocols().size();
    listenOnPort();
}

void GaugeLink::scanNextPort() {
    std::uint32_t index = kFirstPortIndex;
    if (state_.scanPhase == ScanPhase::RememberedPortTried) {
        state_.scanPhase = ScanPhase::Scanning;
    } else {
        index = state_.portIndex + 1;
    }
    state_.portIndex = index;
    for (; index < kScanEndIndex; ++index) {
        closePort();
        rateRow_ = 0;
        if (!openPort(index, gaugeProtocols()[rateRow_].baudRate)) continue;
        state_.portIndex = index;
        state_.statusLabel = "com" + formatUnsigned(index);
        exchange_.push();
        state_.altBaudPending = gaugeProtocols().size() > 1;
        timers_.arm(PortScanTimer, kDwellMs);
        listenOnPort();
        return;
    }
    closePort();
    // The box is modal and timers tick inside it: the scan must not step again meanwhile.
    timers_.kill(PortScanTimer);
    window_.showMessage(pick(texts::kNoDevicesFound, state_.language()), MessageIcon::Exclamation);
}

bool GaugeLink::openPort(std::uint32_t index, std::int32_t baudRate) {
    if (serial_.open(portNames_.deviceName(index), baudRate) != 0) return false;
    state_.portOpen = true;
    state_.baudRate = static_cast<std::uint32_t>(baudRate);
    return true;
}

void GaugeLink::closePort() {
    if (!state_.portOpen) return;
    serial_.close();
    state_.portOpen = false;
}

// The gauge is never asked for data: with DTR up it sends on its own, and the poll listens.
void GaugeLink::listenOnPort() {
    serial_.raiseDtr();
    timers_.arm(PollTimer, kListeningPollMs);
}

void GaugeLink::goodFrame(const GaugeProtocol& protocol) {
    // The device is back and speaking: its readings count again.
    state_.deviceLost = false;
    if (!state_.linkConnected) establishLink(protocol);
}

void GaugeLink::establishLink(const GaugeProtocol& protocol) {
    state_.statusLabel = protocol.statusLabel;
    state_.protocolKind = protocol.kind;
    state_.linkConnected = true;
    timers_.kill(PortScanTimer);
    events_.established(protocol.kind);
    putSetting(settings_, settings::kPortIndex, static_cast<std::int32_t>(state_.portIndex));
    // The rate belongs to the protocol, whatever rate the port happened to be opened with.
    putSetting(settings_, settings::kBaudRate, protocol.baudRate);
    // The user hears the link come up even with the record sound switched off.
    sound_.playLooped();
    timers_.arm(BeepStopTimer, kLinkAlertMs);
}

void GaugeLink::restartWatchdog() { timers_.arm(LinkWatchdogTimer, kLinkWatchdogMs); }

void GaugeLink::pauseWatchdog() {
    if (state_.linkConnected) timers_.kill(LinkWatchdogTimer);
}

void GaugeLink::resumeWatchdog() {
    if (state_.linkConnected) restartWatchdog();
}

void GaugeLink::linkWatchdogExpired() {
    // Killed before the modal box, or it would open a box every 5 s behind this one. The
    // link stays up: frames that come again carry on without a new connect.
    timers_.kill(LinkWatchdogTimer);
    window_.showMessage(pick(texts::kDeviceDisconnected, state_.language()),
                        MessageIcon::Exclamation);
}

void GaugeLink::deviceLost() {
    timers_.kill(PollTimer);
    closePort();
    // During a discovery a vanished port is just one that holds no gauge: the next step
    // tries the next one.
    if (!state_.linkConnected) return;
    // The watchdog runs on: it tells the user once, as for a gauge that fell silent.
    state_.deviceLost = true;
    state_.reading.valueText = " ";
    // While the parameters panel is open the screen stands still for the user's typing.
    if (!state_.paramEditMode) exchange_.push();
    timers_.arm(DeviceReopenTimer, kReopenPeriodMs);
}

void GaugeLink::reopenStep() {
    // The name is not looked up afresh: the device comes back under the name it had.
    if (!openPort(state_.portIndex, static_cast<std::int32_t>(state_.baudRate))) return;
    timers_.kill(DeviceReopenTimer);
    listenOnPort();
}

}  // namespace mensora
