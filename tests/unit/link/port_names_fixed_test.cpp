// The Windows port name table: what CreateFileA is given for each port index.

#include <gtest/gtest.h>

#include <string>

#include "link/fixed_port_names.h"

namespace mensora {
namespace {

// From COM10 on the system opens a port only by its device-namespace name; a table entry
// with one backslash too few or too many is a port that can never be found.
TEST(FixedPortNames, TableHoldsComNamesAndDeviceNamespaceNamesFromTen) {
    const char* const expected[kPortNameCount] = {
        "COM0",         "COM1",         "COM2",         "COM3",         "COM4",
        "COM5",         "COM6",         "COM7",         "COM8",         "COM9",
        R"(\\.\COM10)", R"(\\.\COM11)", R"(\\.\COM12)", R"(\\.\COM13)", R"(\\.\COM14)",
        R"(\\.\COM15)", R"(\\.\COM16)"};
    FixedPortNames names;
    names.refresh();
    for (std::uint32_t index = 0; index < kPortNameCount; ++index) {
        SCOPED_TRACE(index);
        EXPECT_EQ(fixedPortName(index), expected[index]);
        EXPECT_EQ(names.deviceName(index), expected[index]);
    }
}

TEST(FixedPortNames, DeviceNamespaceNameIsBackslashBackslashDotBackslashThenCom) {
    const std::string name = fixedPortName(16);
    ASSERT_EQ(name.size(), 9u);
    EXPECT_EQ(name[0], '\\');
    EXPECT_EQ(name[1], '\\');
    EXPECT_EQ(name[2], '.');
    EXPECT_EQ(name[3], '\\');
    EXPECT_EQ(name.substr(4), "COM16");
}

TEST(FixedPortNames, IndexPastTheTableHasNoName) {
    EXPECT_EQ(fixedPortName(17), "");
    EXPECT_EQ(fixedPortName(0xFFFFFFFFu), "");
}

}  // namespace
}  // namespace mensora
