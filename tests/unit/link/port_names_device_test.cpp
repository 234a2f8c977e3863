// Port names on a machine with device files, over a made-up /dev and /sys tree.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "link/device_port_names.h"
#include "link/platform_port_names.h"
#include "link/serial_port.h"
#include "tests/support/fake_settings.h"

namespace mensora {
namespace {

namespace fs = std::filesystem;

class FakeMachine : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "mensora-ports-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
        dev = root / "dev";
        sys = root / "sys";
        fs::create_directories(dev);
        fs::create_directories(sys / "class" / "tty");
    }
    void TearDown() override { fs::remove_all(root); }

    void addDevice(const std::string& name) { std::ofstream(dev / name).put('\0'); }
    void removeDevice(const std::string& name) { fs::remove(dev / name); }
    // An on-board port's class entry: with or without hardware behind it, and its UART type.
    void addClassEntry(const std::string& name, bool withDevice, const char* type) {
        const fs::path entry = sys / "class" / "tty" / name;
        fs::create_directories(entry);
        if (withDevice) fs::create_directories(entry / "device");
        if (type != nullptr) std::ofstream(entry / "type") << type;
    }
    std::string path(const std::string& name) const { return (dev / name).string(); }

    // A machine with adapters, ACM devices and on-board ports, listed out of order.
    void addTypicalBench() {
        for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyUSB0", "ttyACM1", "ttyACM0", "ttyS10",
                                 "ttyS3", "ttyS2", "ttyS1", "ttyS0", "tty0", "tty1", "console",
                                 "ttyUSB", "ttyUSBx", "ttyS1a", "ttyAMA0", "xttyUSB3"}) {
            addDevice(name);
        }
        addClassEntry("ttyS0", true, "4\n");    // a 16550A
        addClassEntry("ttyS1", true, "0\n");    // no UART at its address
        addClassEntry("ttyS2", false, "4\n");   // no hardware behind it
        addClassEntry("ttyS3", true, nullptr);  // hardware, type not reported
        addClassEntry("ttyS10", true, "4");
    }

    fs::path root;
    fs::path dev;
    fs::path sys;
    test::FakeSettings settings;
};

// The order decides which device "COM1" is, and so which port discovery tries first.
TEST_F(FakeMachine, FindsAdaptersThenAcmDevicesThenOnBoardPortsWithHardwareInNumberOrder) {
    addTypicalBench();

    EXPECT_EQ(findSerialDevices(dev, sys),
              (std::vector<std::string>{path("ttyUSB0"), path("ttyUSB2"), path("ttyUSB10"),
                                        path("ttyACM0"), path("ttyACM1"), path("ttyS0"),
                                        path("ttyS3"), path("ttyS10")}));
}

TEST_F(FakeMachine, MachineWithoutSerialDevicesOrDeviceTreeHasNone) {
    addDevice("tty0");
    EXPECT_TRUE(findSerialDevices(dev, sys).empty());
    EXPECT_TRUE(findSerialDevices(root / "missing-dev", root / "missing-sys").empty());
}

TEST_F(FakeMachine, ComNamesAreTheDevicesInOrderAndTheRestResolveToNothing) {
    addTypicalBench();
    const DevicePortNames names(settings, dev, sys);

    const std::vector<std::string> expected = {"",
                                               path("ttyUSB0"),
                                               path("ttyUSB2"),
                                               path("ttyUSB10"),
                                               path("ttyACM0"),
                                               path("ttyACM1"),
                                               path("ttyS0"),
                                               path("ttyS3"),
                                               path("ttyS10"),
                                               "",
                                               "",
                                               "",
                                               "",
                                               "",
                                               "",
                                               "",
                                               ""};
    for (std::uint32_t index = 0; index < kPortNameCount; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(names.deviceName(index), expected[index]);
    }
    EXPECT_EQ(names.deviceName(17), "");
}

// A by-id link or a virtual gauge is mapped by the user: it takes its number, and the
// machine's devices fill the other numbers in their order, so that a caliper plugged in beside
// a virtual gauge mapped as COM1 is found as COM2; a mapped device is not listed twice.
TEST_F(FakeMachine, MappedPortNamesTakeTheirNumbersAndTheDevicesFillTheOthers) {
    addTypicalBench();
    const std::string vg = "/tmp/virtual-gauge";
    const std::string byId = "/dev/serial/by-id/usb-gauge-if00";
    const std::string u0 = path("ttyUSB0"), u2 = path("ttyUSB2"), u10 = path("ttyUSB10");
    const std::string a0 = path("ttyACM0"), a1 = path("ttyACM1");
    const std::string s0 = path("ttyS0"), s3 = path("ttyS3"), s10 = path("ttyS10");
    const struct {
        std::map<std::string, std::string> mapped;
        std::vector<std::string> expected;  // from COM0 on; the rest resolve to nothing
    } cases[] = {
        {{{"COM1", vg}}, {"", vg, u0, u2, u10, a0, a1, s0, s3, s10}},
        {{{"COM2", byId}, {"COM12", vg}, {"COM16", "/dev/ttyS31"}},
         {"", u0, byId, u2, u10, a0, a1, s0, s3, s10, "", "", vg, "", "", "", "/dev/ttyS31"}},
        {{{"COM0", a0}, {"COM3", u0}}, {a0, u2, u10, u0, a1, s0, s3, s10}},
    };
    for (const auto& c : cases) {
        settings.overrides = c.mapped;
        const DevicePortNames names(settings, dev, sys);
        for (std::uint32_t index = 0; index < kPortNameCount; ++index) {
            EXPECT_EQ(names.deviceName(index),
                      index < c.expected.size() ? c.expected[index] : std::string())
                << "COM" << index << " with " << c.mapped.begin()->first << " mapped";
        }
    }
}

// A gauge adapter plugged in after start-up is found by the next Connect.
TEST_F(FakeMachine, NamesFollowTheDevicesPresentAtTheLastRefresh) {
    addDevice("ttyUSB0");
    addDevice("ttyACM0");
    DevicePortNames names(settings, dev, sys);
    ASSERT_EQ(names.deviceName(2), path("ttyACM0"));

    addDevice("ttyUSB1");
    settings.overrides["COM4"] = "/dev/gauge";
    EXPECT_EQ(names.deviceName(2), path("ttyACM0"));
    EXPECT_EQ(names.deviceName(4), "");

    names.refresh();
    EXPECT_EQ(names.deviceName(2), path("ttyUSB1"));
    EXPECT_EQ(names.deviceName(3), path("ttyACM0"));
    EXPECT_EQ(names.deviceName(4), "/dev/gauge");

    removeDevice("ttyUSB0");
    settings.overrides.clear();
    names.refresh();
    EXPECT_EQ(names.deviceName(1), path("ttyUSB1"));
    EXPECT_EQ(names.deviceName(2), path("ttyACM0"));
    EXPECT_EQ(names.deviceName(3), "");
    EXPECT_EQ(names.deviceName(4), "");
}

// Discovery tries every index up to 15; one without a device must fail at once, never open
// something unrelated (a relative name would open a file in the working directory).
TEST_F(FakeMachine, NameWithoutDeviceFailsToOpen) {
    addDevice("ttyUSB0");
    const DevicePortNames names(settings, dev, sys);
    SerialPort port;
    for (const std::uint32_t index : {0u, 2u, 15u, 16u}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(port.open(names.deviceName(index), 9600), -1);
    }
}

TEST(PlatformPortNames, HonoursTheUsersMappingFromTheSettings) {
    test::FakeSettings settings;
    settings.overrides["COM7"] = "/tmp/mensora-virtual-gauge";
    const auto names = makePlatformPortNames(settings);
    EXPECT_EQ(names->deviceName(7), "/tmp/mensora-virtual-gauge");
    EXPECT_EQ(names->deviceName(0), "");
}

}  // namespace
}  // namespace mensora
