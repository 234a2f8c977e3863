// Closing the program at the end of a bench day that went wrong: the gauge was unplugged, the
// watchdog told the user, the user pressed Disconnect and Connect and closed the window while
// the search ran. Nothing of the program may run once its parts start to go.

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "base/control_ids.h"
#include "base/texts.h"
#include "tests/integration/e2e_support.h"
#include "ui/mensora_program.h"
#include "tools/tour/run_events_until.h"

namespace mensora {
namespace {

using namespace std::chrono_literals;

using test::applicationName;
using test::MessageBoxWatch;
using test::VirtualGauge;

void click(MensoraProgram& program, int id) {
    qobject_cast<QAbstractButton*>(program.window().control(id))->click();
}

// Whether this process still has the device open.
bool holdsDevice(const QString& device) {
    const QDir descriptors("/proc/self/fd");
    for (const QString& name : descriptors.entryList(QDir::Files | QDir::System)) {
        if (QFileInfo(descriptors.filePath(name)).symLinkTarget() == device) return true;
    }
    return false;
}

// The program ends while the gauge still talks and Auto still runs. When the window goes
// (late: after the dialog, the timers and the port), the port is already let go, and events
// run meanwhile, as a window system may run them while a window goes, reach nothing: no tick
// makes a record.
void endProgramWatchingTheWindowGo(std::unique_ptr<MensoraProgram> program, const QString& device) {
    const RecordStore& store = program->store();
    const std::uint32_t recordsAtTheEnd = store.count();
    bool watched = false;
    QObject::connect(&program->window(), &QObject::destroyed, [&] {
        watched = true;
        EXPECT_FALSE(holdsDevice(device));
        runEventsUntil([] { return false; }, 300ms);
        EXPECT_EQ(store.count(), recordsAtTheEnd);
    });
    program.reset();
    EXPECT_TRUE(watched);
}

class ProgramShutdown : public ::testing::Test {
protected:
    ProgramShutdown() {
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        QSettings bench(QSettings::NativeFormat, QSettings::UserScope, "Mensora",
                        applicationName());
        bench.setValue("Settings/ComID", 1);
        bench.setValue("Settings/Baudrate", 9600);
        bench.setValue("Ports/COM1", gauge.device());
        for (int n = 2; n <= 16; ++n) {
            bench.setValue(QString("Ports/COM%1").arg(n),
                           home.filePath(QString("no-COM%1").arg(n)));
        }
        bench.sync();
    }

    std::unique_ptr<MensoraProgram> connectedProgram() {
        auto program = std::make_unique<MensoraProgram>();
        program->window().show();
        click(*program, ConnectButton);
        EXPECT_TRUE(runEventsUntil([&] { return program->dialog().state().linkConnected; }, 10s));
        return program;
    }

    QTemporaryDir home;
    VirtualGauge gauge{{"--quiet", "--rate", "10"}};
    MessageBoxWatch boxes;
};

TEST_F(ProgramShutdown, EndingWhileTheGaugeTalksAndAutoRunsLetsThePortGoBeforeTheWindow) {
    ASSERT_TRUE(gauge.device().startsWith("/dev/")) << gauge.device().toStdString();
    std::unique_ptr<MensoraProgram> program = connectedProgram();
    ASSERT_TRUE(holdsDevice(gauge.device()));
    click(*program, AutoButton);
    ASSERT_TRUE(runEventsUntil([&] { return program->store().count() >= 2; }, 10s));
    endProgramWatchingTheWindowGo(std::move(program), gauge.device());
}

// The bench day that went wrong, closed at several moments of the search that follows.
TEST_F(ProgramShutdown, ClosingAfterAnUnplugDisconnectAndConnectEndsCleanly) {
    ASSERT_TRUE(gauge.device().startsWith("/dev/")) << gauge.device().toStdString();
    std::unique_ptr<MensoraProgram> program = connectedProgram();
    gauge.unplug();
    ASSERT_TRUE(runEventsUntil([&] { return !boxes.shown().empty(); }, 10s));
    EXPECT_EQ(boxes.shown().front(), "设备已断开!");
    for (const auto searching : {0ms, 40ms, 400ms, 1600ms}) {
        SCOPED_TRACE(searching.count());
        if (!program) program = std::make_unique<MensoraProgram>();
        program->window().show();
        if (program->dialog().state().linkConnected || program->dialog().state().portOpen) {
            click(*program, ConnectButton);  // Disconnect
        }
        click(*program, ConnectButton);  // Connect: the search runs
        runEventsUntil([] { return false; }, searching);
        program->window().close();
        EXPECT_FALSE(program->window().isVisible());
        endProgramWatchingTheWindowGo(std::move(program), gauge.device());
    }
}

}  // namespace
}  // namespace mensora
