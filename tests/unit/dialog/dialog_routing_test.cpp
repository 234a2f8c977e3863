// The dialog's two routing tables: each timer tick and each button reaches the operation
// that owns it, and nothing else happens.

#include <gtest/gtest.h>

#include <memory>

#include "base/control_ids.h"
#include "base/timer_ids.h"
#include "tests/support/dialog_rig.h"

namespace mensora {
namespace {

// A comparable snapshot of what a tick could change.
struct Snapshot {
    std::uint32_t records;
    bool autoSampling;
    bool linked;
    std::size_t messages;
    int soundStops;
    std::size_t arms;
    std::size_t kills;
    std::size_t settingsPuts;
    int serialReads;
    bool operator==(const Snapshot&) const = default;
};

Snapshot snapshot(const test::DialogRig<>& h) {
    return {h.store.count(),
            h.dialog.state().autoSampling,
            h.dialog.state().linkConnected,
            h.window.messages.size(),
            h.sound.stops,
            h.clock.armLog().size(),
            h.clock.killLog().size(),
            h.settings.puts.size(),
            h.serial.reads};
}

TEST(DialogRouting, ATickWithAnIdOutsideOneToEightChangesNothing) {
    auto h = std::make_unique<test::DialogRig<>>();
    const Snapshot before = snapshot(*h);
    for (const int id : {0, 9, 16, -1, 1000}) h->dialog.onTimer(id);
    EXPECT_EQ(snapshot(*h), before);
}

TEST(DialogRouting, EachTimerTickReachesItsOperation) {
    auto h = std::make_unique<test::DialogRig<>>();

    h->dialog.onTimer(PollTimer);  // a poll reads the port
    EXPECT_EQ(h->serial.reads, 1);

    h->dialog.onTimer(AutoSampleTimer);  // a recording
    EXPECT_EQ(h->store.count(), 1u);

    h->dialog.onTimer(BeepStopTimer);  // the alert sound is stopped
    EXPECT_EQ(h->sound.stops, 1);

    h->dialog.onTimer(LinkWatchdogTimer);  // the gauge is reported silent
    ASSERT_EQ(h->window.messages.size(), 1u);
    EXPECT_EQ(h->window.messages.back().text, "设备已断开!");

    h->dialog.onTimer(ZeroTimer);  // the zero command goes out
    ASSERT_EQ(h->serial.writes.size(), 1u);
    EXPECT_EQ(h->serial.writes[0], (std::vector<std::uint8_t>{'C', 'L', 'R'}));

    h->dialog.onTimer(AutosaveTimer);  // records are dirty: the day's file is written
    EXPECT_EQ(h->fileSystem.files.size(), 1u);

    h->dialog.onTimer(PortScanTimer);  // a discovery step opens the remembered port
    ASSERT_FALSE(h->serial.opens.empty());
    EXPECT_EQ(h->serial.opens.front().name, "COM1");
}

TEST(DialogRouting, EachButtonReachesItsOperation) {
    auto h = std::make_unique<test::DialogRig<>>();

    h->dialog.onCommand(ConnectButton);  // discovery starts with a 30 ms step
    EXPECT_TRUE(h->clock.isArmed(PortScanTimer));
    EXPECT_EQ(h->clock.periodOf(PortScanTimer), 30u);

    h->dialog.onCommand(ZeroButton);
    EXPECT_EQ(h->clock.periodOf(ZeroTimer), 125u);

    h->dialog.onCommand(ManualButton);
    EXPECT_EQ(h->store.count(), 1u);

    h->dialog.onCommand(AutoButton);
    EXPECT_TRUE(h->dialog.state().autoSampling);
    EXPECT_EQ(h->clock.periodOf(AutoSampleTimer), 200u);

    h->dialog.onCommand(ClearButton);
    EXPECT_EQ(h->store.count(), 0u);

    h->dialog.onCommand(ParametersButton);
    EXPECT_TRUE(h->dialog.state().paramEditMode);

    h->window.setChecked(AutosaveCheck, true);
    h->dialog.onCommand(AutosaveCheck);
    EXPECT_EQ(h->clock.periodOf(AutosaveTimer), 60000u);

    h->window.setChecked(ChineseRadio, false);
    h->window.setChecked(EnglishRadio, true);
    h->dialog.onCommand(EnglishRadio);
    EXPECT_EQ(h->settings.values.at("Language"), 2);

    h->window.savePathAnswer.reset();
    h->dialog.onCommand(SaveButton);
    EXPECT_EQ(h->window.saveDialogs.size(), 1u);

    h->dialog.onSystemCommand(kAboutCommand);
    EXPECT_EQ(h->window.aboutShown, 1);
}

TEST(DialogRouting, DisconnectKillsTimersOneToFiveInOrderThenTheReopenAndNoOthers) {
    auto h = std::make_unique<test::DialogRig<>>();
    h->serial.openable = {"COM1"};
    h->dialog.onCommand(ConnectButton);
    h->clock.advance(30);
    h->serial.feed("+0012.345\r");
    h->clock.advance(50);
    ASSERT_TRUE(h->dialog.state().linkConnected);

    h->window.setChecked(AutosaveCheck, true);
    h->dialog.onCommand(AutosaveCheck);
    h->clock.clearLogs();
    h->dialog.onCommand(ConnectButton);  // now the disconnect
    EXPECT_EQ(h->clock.killLog(), (std::vector<int>{1, 2, 3, 4, 5, 8}));
    EXPECT_TRUE(h->clock.isArmed(AutosaveTimer));
    EXPECT_TRUE(h->clock.isArmed(BeepStopTimer));  // the link's 300 ms alert still ends
    h->clock.advance(300);
    EXPECT_FALSE(h->sound.playing);
}

}  // namespace
}  // namespace mensora
