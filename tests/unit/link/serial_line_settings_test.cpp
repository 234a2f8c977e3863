// The terminal settings the serial port puts on the gauge's line.

#include <gtest/gtest.h>

#include "link/serial_line_settings.h"

namespace mensora {
namespace {

// A device as an earlier user may have left it: 7E2, line editing, echo, CR/LF translation,
// XON/XOFF, modem control, and blocking reads.
termios cookedLine() {
    termios line{};
    line.c_cflag = CS7 | PARENB | PARODD | CSTOPB | HUPCL;
    line.c_iflag = ICRNL | INLCR | IGNCR | ISTRIP | IXON | BRKINT | PARMRK | IGNBRK;
    line.c_oflag = OPOST | ONLCR | OCRNL;
    line.c_lflag = ICANON | ECHO | ECHOE | ECHONL | ISIG | IEXTEN;
    line.c_cc[VMIN] = 1;
    line.c_cc[VTIME] = 5;
    cfsetispeed(&line, B38400);
    cfsetospeed(&line, B38400);
    return line;
}

struct Flag {
    const char* what;
    tcflag_t termios::*field;
    tcflag_t bits;
    tcflag_t expected;
};

// Each of these would damage frames: a lost or doubled CR, a stripped 0xAA, an XOFF-valued
// byte swallowed, bytes held back until a line end, or the command echoed at the gauge.
TEST(GaugeLineSettings, MakeAnyDeviceRawEightDataBitsNoParityOneStopBit) {
    const termios line = gaugeLineSettings(cookedLine(), 9600);

    const Flag flags[] = {
        {"8 data bits", &termios::c_cflag, CSIZE, CS8},
        {"no parity", &termios::c_cflag, PARENB, 0},
        {"one stop bit", &termios::c_cflag, CSTOPB, 0},
        {"modem lines ignored", &termios::c_cflag, CLOCAL, CLOCAL},
        {"receiver on", &termios::c_cflag, CREAD, CREAD},
        {"CR not turned into LF", &termios::c_iflag, ICRNL, 0},
        {"LF not turned into CR", &termios::c_iflag, INLCR, 0},
        {"CR not dropped", &termios::c_iflag, IGNCR, 0},
        {"eighth bit kept", &termios::c_iflag, ISTRIP, 0},
        {"XON/XOFF bytes are data", &termios::c_iflag, IXON, 0},
        {"no parity marks inserted", &termios::c_iflag, PARMRK, 0},
        {"output sent as written", &termios::c_oflag, OPOST, 0},
        {"no line editing", &termios::c_lflag, ICANON, 0},
        {"nothing echoed to the gauge", &termios::c_lflag, ECHO | ECHONL, 0},
        {"control bytes raise no signal", &termios::c_lflag, ISIG, 0},
        {"no extended input processing", &termios::c_lflag, IEXTEN, 0},
    };
    for (const Flag& f : flags) EXPECT_EQ(line.*f.field & f.bits, f.expected) << f.what;
    EXPECT_EQ(line.c_cc[VMIN], 0) << "a read returns what is queued";
    EXPECT_EQ(line.c_cc[VTIME], 0) << "a read never waits";
}

TEST(GaugeLineSettings, SetTheGivenRateInBothDirections) {
    struct Case {
        std::int32_t baudRate;
        speed_t speed;
    };
    const Case cases[] = {{9600, B9600},   {4800, B4800},     {300, B300},
                          {2400, B2400},   {19200, B19200},   {38400, B38400},
                          {57600, B57600}, {115200, B115200}, {230400, B230400}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.baudRate);
        const termios line = gaugeLineSettings(cookedLine(), c.baudRate);
        EXPECT_EQ(cfgetispeed(&line), c.speed);
        EXPECT_EQ(cfgetospeed(&line), c.speed);
    }
}

// A remembered rate from the settings is used unchecked; one the line has no setting for must
// not become "hang up" (rate 0) or a neighbouring rate.
TEST(GaugeLineSettings, LeaveTheRateAsFoundForARateTheLineHasNoSettingFor) {
    for (const std::int32_t rate : {0, -1, 9601, 12345, 14400, 2147483647}) {
        SCOPED_TRACE(rate);
        const termios line = gaugeLineSettings(cookedLine(), rate);
        EXPECT_EQ(cfgetispeed(&line), B38400);
        EXPECT_EQ(cfgetospeed(&line), B38400);
    }
}

}  // namespace
}  // namespace mensora
