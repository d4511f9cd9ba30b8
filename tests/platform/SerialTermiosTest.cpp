#include "platform/SerialTermios.h"

#include <gtest/gtest.h>

namespace sartovin {
namespace {

termios rawStart() {
    termios t{};
    cfmakeraw(&t);
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    return t;
}

TEST(SerialTermiosTest, LineSettingsSurviveTheRoundTrip) {
    struct Case {
        std::uint32_t rate;
        std::uint8_t bits, parity, stop;
    };
    for (Case c : {Case{9600, 8, 0, 0}, Case{19200, 7, 2, 0}, Case{115200, 7, 1, 2}, Case{4800, 8, 3, 2},
                   Case{2400, 6, 4, 0}, Case{300, 5, 0, 1}}) {
        termios t = rawStart();
        SerialControlBlock b;
        b.baudRate = c.rate;
        b.byteSize = c.bits;
        b.parity = c.parity;
        b.stopBits = c.stop;
        b.parityCheck = c.parity != 0;
        ASSERT_TRUE(applyControlBlock(b, t)) << c.rate;
        SerialControlBlock back = controlBlockFrom(t);
        EXPECT_EQ(back.baudRate, c.rate);
        EXPECT_EQ(back.byteSize, c.bits);
        EXPECT_EQ(back.parity, c.parity);
        EXPECT_EQ(back.stopBits, c.stop);
        EXPECT_EQ(back.parityCheck, c.parity != 0);
    }
}

TEST(SerialTermiosTest, SevenEvenTwoSetsTheExpectedFlags) {
    termios t = rawStart();
    SerialControlBlock b;
    b.byteSize = 7;
    b.parity = 2;
    b.stopBits = 2;
    b.parityCheck = true;
    ASSERT_TRUE(applyControlBlock(b, t));
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
    EXPECT_TRUE(t.c_cflag & PARENB);
    EXPECT_FALSE(t.c_cflag & PARODD);
    EXPECT_FALSE(t.c_cflag & CMSPAR);
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_TRUE(t.c_iflag & INPCK);
}

TEST(SerialTermiosTest, FlowControlMapsToCrtsctsAndXonXoff) {
    termios t = rawStart();
    SerialControlBlock hw;
    hw.outxCtsFlow = hw.outxDsrFlow = true;
    hw.dtrControl = hw.rtsControl = kLineControlHandshake;
    ASSERT_TRUE(applyControlBlock(hw, t));
    EXPECT_TRUE(t.c_cflag & CRTSCTS);
    EXPECT_FALSE(t.c_iflag & (IXON | IXOFF));
    SerialControlBlock back = controlBlockFrom(t);
    EXPECT_EQ(back.rtsControl, kLineControlHandshake);
    EXPECT_EQ(back.dtrControl, kLineControlHandshake);

    SerialControlBlock sw;
    sw.outX = sw.inX = true;
    sw.dtrControl = sw.rtsControl = kLineControlDisable;
    ASSERT_TRUE(applyControlBlock(sw, t));
    EXPECT_FALSE(t.c_cflag & CRTSCTS);
    EXPECT_TRUE(t.c_iflag & IXON);
    EXPECT_TRUE(t.c_iflag & IXOFF);
    back = controlBlockFrom(t);
    EXPECT_TRUE(back.outX);
    EXPECT_TRUE(back.inX);
    EXPECT_FALSE(back.outxCtsFlow);
}

TEST(SerialTermiosTest, SettingsTheLineCannotTakeLeaveTheTermiosAlone) {
    termios t = rawStart();
    termios before = t;
    SerialControlBlock b;
    auto rejected = [&](SerialControlBlock bad) {
        bool ok = applyControlBlock(bad, t);
        return !ok && t.c_cflag == before.c_cflag && t.c_iflag == before.c_iflag &&
               cfgetospeed(&t) == cfgetospeed(&before);
    };
    b.baudRate = 12345;
    EXPECT_TRUE(rejected(b));
    b = {};
    b.byteSize = 4;
    EXPECT_TRUE(rejected(b));
    b = {};
    b.parity = 5;
    EXPECT_TRUE(rejected(b));
    b = {};
    b.stopBits = 1;  // one and a half stop bits exist only with 5 data bits
    EXPECT_TRUE(rejected(b));
    b = {};
    b.stopBits = 3;
    EXPECT_TRUE(rejected(b));
}

TEST(SerialTermiosTest, RawModeKeepsLineSettingsAndPassesEveryByte) {
    termios t{};
    t.c_iflag = ICRNL | IXON | IXOFF | ISTRIP | INPCK;
    t.c_oflag = OPOST | ONLCR;
    t.c_lflag = ICANON | ECHO | ISIG | IEXTEN;
    t.c_cflag = CS7 | PARENB | CSTOPB | CRTSCTS;
    cfsetospeed(&t, B19200);
    makeRawForDeviceData(t);
    EXPECT_FALSE(t.c_iflag & (ICRNL | IXON | IXOFF | ISTRIP));
    EXPECT_FALSE(t.c_oflag & OPOST);
    EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN));
    EXPECT_TRUE(t.c_cflag & CREAD);
    EXPECT_TRUE(t.c_cflag & CLOCAL);
    // The line settings and hardware flow control are the port's own and stay.
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
    EXPECT_TRUE(t.c_cflag & PARENB);
    EXPECT_TRUE(t.c_cflag & CSTOPB);
    EXPECT_TRUE(t.c_cflag & CRTSCTS);
    EXPECT_TRUE(t.c_iflag & INPCK);
    EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B19200));
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);
}

}  // namespace
}  // namespace sartovin
