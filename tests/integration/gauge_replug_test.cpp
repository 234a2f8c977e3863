// The gauge's cable pulled and plugged back while the real window reads it: the virtual gauge
// ends (its pseudo-terminal goes away) and a new one comes up under the same path, the
// symbolic link the user mapped the port to. Nothing here is faked.

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "base/control_ids.h"
#include "tests/integration/gauge_bench.h"
#include "ui/mensora_program.h"
#include "ui/run_events_until.h"

namespace mensora {
namespace {

using namespace std::chrono_literals;

using test::applicationName;
using test::MessageBoxWatch;
using test::VirtualGauge;

constexpr std::chrono::milliseconds kPatience = 10s;

// Whether this process has the device open, also once the device is gone (the system then
// names it "/dev/pts/N (deleted)").
bool holdsDevice(const QString& device) {
    const QDir descriptors("/proc/self/fd");
    for (const QString& name : descriptors.entryList(QDir::Files | QDir::System)) {
        const QString target = QFile::symLinkTarget(descriptors.filePath(name));
        if (target == device || target.startsWith(device + " ")) return true;
    }
    return false;
}

class GaugeReplug : public ::testing::Test {
protected:
    GaugeReplug() {
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        QSettings bench(QSettings::NativeFormat, QSettings::UserScope, "Mensora", applicationName());
        bench.setValue("Settings/ComID", 1);
        bench.setValue("Settings/Baudrate", 9600);
        bench.setValue("Settings/Language", 2);
        bench.setValue("Ports/COM1", linkPath);
        for (int n = 2; n <= 16; ++n) {
            bench.setValue(QString("Ports/COM%1").arg(n), home.filePath(QString("no-COM%1").arg(n)));
        }
        bench.sync();
    }

    // A gauge reading `value` steadily, reached through the link path.
    std::unique_ptr<VirtualGauge> plugIn(const char* value) {
        return std::make_unique<VirtualGauge>(QStringList{
            "--quiet", "--rate", "10", "--wander", "0", "--value", value, "--link", linkPath});
    }

    void click(int id) { qobject_cast<QAbstractButton*>(program->window().control(id))->click(); }
    std::string liveValue() const { return program->window().text(LiveValue); }
    const AcquisitionState& state() const { return program->dialog().state(); }

    QTemporaryDir home;
    QString linkPath = home.filePath("gauge");
    MessageBoxWatch boxes;
    std::unique_ptr<MensoraProgram> program;
};

TEST_F(GaugeReplug, ReadingsResumeWithoutDisconnectAndConnectOnceTheGaugeIsBack) {
    std::unique_ptr<VirtualGauge> gauge = plugIn("1.250");
    const QString firstDevice = gauge->device();
    ASSERT_TRUE(firstDevice.startsWith("/dev/")) << firstDevice.toStdString();
    program = std::make_unique<MensoraProgram>();
    program->window().show();
    click(ConnectButton);
    ASSERT_TRUE(runEventsUntil([&] { return liveValue().find("1.250") != std::string::npos; },
                               kPatience))
        << liveValue();
    const std::string connectCaption = program->window().text(ConnectButton);

    ASSERT_TRUE(holdsDevice(firstDevice));
    gauge->unplug();
    // Let go at once: the device is no longer held, the field shows no reading.
    EXPECT_TRUE(runEventsUntil([&] { return !holdsDevice(firstDevice); }, 1s));
    EXPECT_EQ(liveValue(), " ");
    click(ManualButton);
    EXPECT_EQ(program->store().count(), 0u);
    EXPECT_EQ(state().linkConnected, 1);
    EXPECT_EQ(program->window().text(ConnectButton), connectCaption);

    gauge = plugIn("2.500");
    ASSERT_NE(gauge->device(), QString());
    ASSERT_TRUE(runEventsUntil([&] { return liveValue().find("2.500") != std::string::npos; },
                               kPatience))
        << liveValue();
    EXPECT_TRUE(holdsDevice(gauge->device()));
    click(ManualButton);
    ASSERT_EQ(program->store().count(), 1u);
    EXPECT_NE(std::string(program->store().valueField(0)).find("2.500"), std::string::npos);
    // Back within the watchdog's 5 s: the user was never told the gauge was gone.
    EXPECT_TRUE(boxes.shown().empty());

    // And once more after the watchdog told the user: still no Connect needed.
    gauge->unplug();
    ASSERT_TRUE(runEventsUntil([&] { return !boxes.shown().empty(); }, kPatience));
    EXPECT_EQ(boxes.shown(), std::vector<std::string>{"Device disconnected!"});
    gauge = plugIn("3.750");
    EXPECT_TRUE(runEventsUntil([&] { return liveValue().find("3.750") != std::string::npos; },
                               kPatience))
        << liveValue();
    EXPECT_EQ(boxes.shown().size(), 1u);
}

}  // namespace
}  // namespace mensora
