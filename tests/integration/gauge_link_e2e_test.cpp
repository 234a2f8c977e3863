// The whole road from a gauge to the window: the real window offscreen with its real timers,
// serial port and settings, and the virtual gauge on a pseudo-terminal that the user has mapped
// to a port name. Nothing here is faked.

#include <QAbstractButton>
#include <QApplication>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/control_ids.h"
#include "base/texts.h"
#include "tests/integration/gauge_bench.h"
#include "ui/mensora_program.h"
#include "ui/run_events_until.h"

namespace mensora {
namespace {

using namespace std::chrono_literals;

// Long enough for a discovery (1.5 s at 9600, then 0.36 s at 4800) on a busy machine.
constexpr std::chrono::milliseconds kPatience = 10s;

// Lets the window's timers and the gauge run until done says so; false when patience ran out.
bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds patience = kPatience) {
    return runEventsUntil(done, patience);
}

// The program as the application puts it together, on the test's QApplication.
struct Program {
    MensoraProgram program;
    MainWindow& window = program.window();

    Program() { window.show(); }

    const AcquisitionState& state() const { return program.dialog().state(); }
    std::string text(int id) const { return window.text(id); }
    bool enabled(int id) const { return window.control(id)->isEnabled(); }
    void click(int id) { qobject_cast<QAbstractButton*>(window.control(id))->click(); }
    int listRows() const {
        return qobject_cast<QTableView*>(window.control(RecordList))->model()->rowCount();
    }
    const char* caption(const Bilingual& text) const { return pick(text, state().language()); }
};

using test::applicationName;
using test::MessageBoxWatch;
using test::VirtualGauge;

// A bench as the worked discovery describes it: the gauge was last seen on COM7, which is gone;
// COM1 and COM2 lead nowhere; the packed-decimal gauge (4800 baud) now sits on COM3.
TEST(GaugeLink, ConnectFindsTheGaugeOnAMappedPortAndItsReadingsKeyAndZeroReachTheWindow) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    // The settings file is the test's own, never the user's (read at the first QSettings).
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());

    VirtualGauge gauge({"--quiet", "--protocol", "bcd", "--value", "12.345", "--wander", "0",
                        "--rate", "8"});
    ASSERT_TRUE(gauge.device().startsWith("/dev/")) << gauge.device().toStdString();
    {
        QSettings bench(QSettings::NativeFormat, QSettings::UserScope, "Mensora", applicationName());
        bench.setValue("Settings/ComID", 7);
        bench.setValue("Settings/Baudrate", 9600);
        for (const char* absent : {"COM1", "COM2", "COM7"}) {
            bench.setValue(QString("Ports/") + absent, home.filePath(QString("no-") + absent));
        }
        bench.setValue("Ports/COM3", gauge.device());
        bench.sync();
        ASSERT_TRUE(bench.fileName().startsWith(home.path())) << bench.fileName().toStdString();
    }

    MessageBoxWatch boxes;
    Program program;
    ASSERT_FALSE(program.enabled(ZeroButton));

    // Connect: COM7 fails, COM1 and COM2 fail, COM3 at 9600 hears only noise, COM3 at 4800
    // hears the gauge.
    program.click(ConnectButton);
    ASSERT_TRUE(runUntil([&] { return program.state().linkConnected != 0; })) << "no link";
    EXPECT_EQ(program.state().portIndex, 3u);
    EXPECT_EQ(program.state().protocolKind, ProtocolKind::Bcd);
    EXPECT_EQ(program.text(ConnectButton), program.caption(texts::kDisconnectBcdCaption));
    EXPECT_TRUE(program.enabled(ZeroButton));
    EXPECT_TRUE(program.enabled(ManualButton));
    EXPECT_EQ(program.program.settings().get("ComID", 0), 3);
    EXPECT_EQ(program.program.settings().get("Baudrate", 0), 4800);

    // AA 50 34 12 00: the live field shows the reading with the blanks of the packed layout.
    EXPECT_TRUE(runUntil([&] { return program.text(LiveValue) == " 12.345 "; }))
        << program.text(LiveValue);
    EXPECT_EQ(program.text(StatusField), "AA");

    // The gauge's data key records the reading. A read that brings two frames decodes only the
    // first, so a key frame that arrives second is lost as it is with a real gauge: press
    // again then, as the user would.
    for (int press = 0; press < 3 && program.program.store().count() == 0; ++press) {
        gauge.pressDataKey();
        runUntil([&] { return program.program.store().count() != 0; }, 1500ms);
    }
    ASSERT_EQ(program.program.store().count(), 1u);
    EXPECT_EQ(program.program.store().valueField(0), " 12.345 ");
    EXPECT_EQ(program.listRows(), 1);

    // Zero: the command goes to the gauge, whose readings start from 0.
    program.click(ZeroButton);
    EXPECT_TRUE(runUntil([&] { return program.text(LiveValue) == " 0.000 "; }))
        << program.text(LiveValue);

    // Disconnect closes the port and leaves the records.
    program.click(ConnectButton);
    EXPECT_EQ(program.state().linkConnected, 0);
    EXPECT_FALSE(program.state().portOpen);
    EXPECT_EQ(program.text(ConnectButton), program.caption(texts::kConnectCaption));
    EXPECT_EQ(program.text(LiveValue), " ");
    EXPECT_FALSE(program.enabled(ZeroButton));
    EXPECT_EQ(program.listRows(), 1);

    // The next Connect finds the gauge at once on the port and rate it remembered.
    program.click(ConnectButton);
    ASSERT_TRUE(runUntil([&] { return program.state().linkConnected != 0; })) << "no link";
    EXPECT_EQ(program.state().portIndex, 3u);
    EXPECT_EQ(program.state().scanPhase, 1) << "the remembered port was not the one linked";
    EXPECT_TRUE(runUntil([&] { return program.text(LiveValue) == " 0.000 "; }));
    program.click(ConnectButton);

    EXPECT_EQ(boxes.shown(), std::vector<std::string>{});
    EXPECT_EQ(gauge.stop(), 0);
}

}  // namespace
}  // namespace mensora
