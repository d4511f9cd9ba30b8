#include "platform/SerialPortDevice.h"

#include <gtest/gtest.h>

#include "platform/SystemErrorCodes.h"
#include "support/PseudoTerminal.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

TEST(SerialPortDeviceTest, RefusesWhatIsNotATerminalAndMissingNodes) {
    test::TempDir dir;
    test::writeFile(dir.file("plain"), "x");
    SerialPortDevice port;
    EXPECT_EQ(port.open(dir.file("plain")), kErrorNotSupported);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.open(dir.file("missing")), kErrorFileNotFound);
    EXPECT_FALSE(port.isOpen());
}

TEST(SerialPortDeviceTest, BlockingReadWaitsForTheWholeCountWithinItsTimeOut) {
    test::PseudoTerminal pty;
    SerialPortDevice port;
    ASSERT_EQ(port.open(pty.slavePath()), 0);
    ASSERT_EQ(port.applyDefaultConfiguration(), 0);
    port.setBlockingReads(true);
    pty.sendToProgram("abc");
    char buf[8] = {};
    std::size_t got = 0;
    EXPECT_EQ(port.read(buf, 5, got, 150), kErrorTimeout);
    EXPECT_EQ(std::string(buf, got), "abc");
    pty.sendToProgram("defgh");
    EXPECT_EQ(port.read(buf, 5, got, 1000), 0);
    EXPECT_EQ(std::string(buf, got), "defgh");
}

TEST(SerialPortDeviceTest, AHangUpEndsReadsWritesAndWaitsWithAnError) {
    test::PseudoTerminal pty;
    SerialPortDevice port;
    ASSERT_EQ(port.open(pty.slavePath()), 0);
    ASSERT_EQ(port.applyDefaultConfiguration(), 0);
    pty.hangUp();
    char buf[4];
    std::size_t n = 0;
    EXPECT_NE(port.read(buf, sizeof buf, n, 0), 0);
    port.setBlockingReads(true);
    EXPECT_NE(port.read(buf, sizeof buf, n, SerialPortDevice::kWaitForever), 0);
    EXPECT_NE(port.write("data", 4, n, SerialPortDevice::kWaitForever), 0);
    bool input = false, lineError = false;
    EXPECT_NE(port.waitForInput(SerialPortDevice::kWaitForever, input, lineError), 0);
}

}  // namespace
}  // namespace sartovin
