#include "device/CSerial.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/SystemErrorCodes.h"
#include "support/PseudoTerminal.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

constexpr std::int32_t kInvalidArg = static_cast<std::int32_t>(0x80070057u);

TEST(CSerialTest, BytesArriveUnchangedIncludingControlBytes) {
    test::PseudoTerminal pty;
    CSerial serial;
    ASSERT_EQ(serial.Open(pty.slavePath()), 0);
    ASSERT_EQ(serial.SetLineParameters(9600, 8, 0, 0), 0);
    std::string block;
    for (int i = 0; i < 256; ++i) block += static_cast<char>(i);
    block += std::string("\x1b.R4:\x11\x13\r\n\0\x03", 11);
    std::uint32_t written = 0;
    ASSERT_EQ(serial.Write(block.data(), block.size(), &written, nullptr, CSerial::kInfinite), 0);
    EXPECT_EQ(written, block.size());
    EXPECT_EQ(pty.readFromProgram(block.size()), block);

    // And the other way: a reply with XON, XOFF, CR and NUL reads back as sent.
    const std::string reply("OR4,\x11\x13\r\n\0;", 10);
    pty.sendToProgram(reply);
    std::string got;
    for (int i = 0; i < 100 && got.size() < reply.size(); ++i) {
        char buf[99];
        std::uint32_t n = 0;
        ASSERT_EQ(serial.Read(buf, sizeof buf, &n), 0);
        got.append(buf, n);
        if (n == 0) {
            ASSERT_EQ(serial.WaitForEvent(), 0);
        }
    }
    EXPECT_EQ(got, reply);
}

TEST(CSerialTest, OpenSetsTheStartingStateAndRefusesASecondOpen) {
    test::PseudoTerminal pty;
    CSerial serial;
    ASSERT_EQ(serial.Open(pty.slavePath()), 0);
    EXPECT_EQ(serial.GetEventMask(), 0x00C1u);
    EXPECT_EQ(serial.GetFlowControl(), 0);  // software flow is off for device data
    char buf[4];
    std::uint32_t n = 7;
    EXPECT_EQ(serial.Read(buf, sizeof buf, &n), 0);  // non-blocking: nothing there, at once
    EXPECT_EQ(n, 0u);

    EXPECT_EQ(serial.Open(pty.slavePath()), 1247);
    EXPECT_EQ(serial.lastError(), 1247);
    // The first handle is still open and usable.
    EXPECT_EQ(serial.WriteText("PU;", &n), 0);
    EXPECT_EQ(n, 3u);
    EXPECT_EQ(pty.readFromProgram(3), "PU;");

    EXPECT_EQ(serial.Close(), 0);
    EXPECT_EQ(serial.Close(), 0);
    EXPECT_EQ(serial.Open(pty.slavePath()), 0);  // an object may be opened again
}

TEST(CSerialTest, EveryOperationOnAClosedPortReportsSix) {
    CSerial serial;
    char buf[4];
    std::uint32_t n = 5;
    auto six = [&](std::int32_t rc) { return rc == 6 && serial.lastError() == 6; };
    EXPECT_TRUE(six(serial.SetLineParameters(9600, 8, 0, 0)));
    EXPECT_TRUE(six(serial.SetEventCharacter('\n')));
    EXPECT_TRUE(six(serial.SetEventMask(1)));
    EXPECT_TRUE(six(serial.WaitForEvent()));
    EXPECT_TRUE(six(serial.SetFlowControl(0)));
    EXPECT_TRUE(six(serial.SetReadMode(0)));
    EXPECT_TRUE(six(serial.Write("x", 1, &n)));
    EXPECT_EQ(n, 0u);
    n = 5;
    EXPECT_TRUE(six(serial.Read(buf, 4, &n)));
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(serial.GetBaudRate(), -1);
    EXPECT_EQ(serial.lastError(), 6);
    EXPECT_EQ(serial.GetDataBits(), -1);
    EXPECT_EQ(serial.GetParity(), -1);
    EXPECT_EQ(serial.GetStopBits(), -1);
    EXPECT_EQ(serial.GetFlowControl(), -1);
    EXPECT_EQ(serial.GetEventMask(), 0u);
    EXPECT_EQ(serial.lastError(), 6);
    EXPECT_EQ(serial.GetEventCharacter(), 0);
    EXPECT_EQ(serial.lastError(), 6);
    EXPECT_EQ(serial.Close(), 0);
}

TEST(CSerialTest, APlainPortRefusesOverlappedUseAndFiniteTimeOuts) {
    test::PseudoTerminal pty;
    CSerial serial;
    ASSERT_EQ(serial.Open(pty.slavePath()), 0);
    SerialOverlapped ov;
    std::uint32_t n = 9;
    EXPECT_EQ(serial.Write("x", 1, &n, nullptr, 1000), 1);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(serial.Write("x", 1, &n, &ov), 1);
    EXPECT_EQ(serial.Read(&n, 1, nullptr, nullptr, 0), 1);
    EXPECT_EQ(serial.WaitForEvent(nullptr, 10), 1);
    EXPECT_EQ(serial.lastError(), 1);
    EXPECT_EQ(pty.readFromProgram(1, 100), "");  // nothing was sent
}

TEST(CSerialTest, AnOverlappedPortWaitsWithinItsTimeOut) {
    test::PseudoTerminal pty;
    CSerial serial;
    ASSERT_EQ(serial.Open(pty.slavePath(), 0, 0, true), 0);
    EXPECT_TRUE(serial.isOverlapped());
    ASSERT_EQ(serial.SetReadMode(1), 0);
    char buf[8];
    std::uint32_t n = 0;
    EXPECT_EQ(serial.Read(buf, 4, &n, nullptr, 100), 1460);
    EXPECT_EQ(serial.WaitForEvent(nullptr, 50), 1460);

    pty.sendToProgram("OK;!");
    SerialOverlapped ov;
    EXPECT_EQ(serial.Read(buf, 4, &n, &ov, 1000), 0);
    EXPECT_TRUE(ov.signalled);
    EXPECT_EQ(ov.bytes, 4u);
    EXPECT_EQ(std::string(buf, n), "OK;!");

    pty.sendToProgram("Z");
    EXPECT_EQ(serial.WaitForEvent(nullptr, 1000), 0);
    EXPECT_EQ(serial.lastEvent(), kEventRxChar);
}

TEST(CSerialTest, FlowControlAndReadModeRejectUnknownModesWithoutChange) {
    test::PseudoTerminal pty;
    CSerial serial;
    ASSERT_EQ(serial.Open(pty.slavePath()), 0);
    EXPECT_EQ(serial.SetFlowControl(2), 0);
    EXPECT_EQ(serial.GetFlowControl(), 2);
    EXPECT_EQ(serial.SetFlowControl(3), kInvalidArg);
    EXPECT_EQ(serial.lastError(), kInvalidArg);
    EXPECT_EQ(serial.GetFlowControl(), 2);
    EXPECT_EQ(serial.SetFlowControl(0), 0);
    EXPECT_EQ(serial.GetFlowControl(), 0);
    EXPECT_EQ(serial.SetReadMode(2), kInvalidArg);
    // Still non-blocking: an empty read returns at once.
    char c;
    std::uint32_t n = 1;
    EXPECT_EQ(serial.Read(&c, 1, &n), 0);
    EXPECT_EQ(n, 0u);
}

TEST(CSerialTest, LineParametersAndEventCharacter) {
    test::PseudoTerminal pty;
    CSerial serial;
    ASSERT_EQ(serial.Open(pty.slavePath()), 0);
    ASSERT_EQ(serial.SetLineParameters(19200, 8, 0, 0), 0);
    EXPECT_EQ(serial.GetBaudRate(), 19200);
    EXPECT_EQ(serial.GetDataBits(), 8);
    EXPECT_EQ(serial.GetParity(), 0);
    EXPECT_EQ(serial.GetStopBits(), 0);
    EXPECT_EQ(serial.SetLineParameters(12345, 8, 0, 0), kErrorInvalidParameter);
    EXPECT_EQ(serial.GetBaudRate(), 19200);

    ASSERT_EQ(serial.SetEventMask(kEventRxChar), 0);
    ASSERT_EQ(serial.SetEventCharacter(';', true), 0);
    EXPECT_EQ(serial.GetEventCharacter(), ';');
    EXPECT_EQ(serial.GetEventMask(), kEventRxChar | kEventRxFlag);
    ASSERT_EQ(serial.SetEventCharacter('\r', false), 0);
    EXPECT_EQ(serial.GetEventCharacter(), '\r');
    // A mask with nothing this platform can wait for is refused rather than waited on forever.
    ASSERT_EQ(serial.SetEventMask(kEventRxFlag), 0);
    EXPECT_EQ(serial.WaitForEvent(), kErrorInvalidParameter);
}

TEST(CSerialTest, ACutterUnpluggedMidJobIsAnErrorNotSuccess) {
    auto pty = std::make_unique<test::PseudoTerminal>();
    CSerial serial;
    ASSERT_EQ(serial.Open(pty->slavePath()), 0);
    std::uint32_t n = 0;
    ASSERT_EQ(serial.WriteText("IN;", &n), 0);
    pty->hangUp();
    std::string job(100000, 'P');
    EXPECT_NE(serial.Write(job.data(), job.size(), &n), 0);
    EXPECT_NE(serial.lastError(), 0);
    EXPECT_LT(n, job.size());
    char buf[99];
    EXPECT_NE(serial.Read(buf, sizeof buf, &n), 0);
}

TEST(CSerialTest, OpenFailuresLeaveTheObjectClosed) {
    test::TempDir dir;
    test::writeFile(dir.file("notatty"), "");
    CSerial serial;
    EXPECT_EQ(serial.Open(dir.file("nothing")), kErrorFileNotFound);
    EXPECT_FALSE(serial.isOpen());
    EXPECT_NE(serial.Open(dir.file("notatty")), 0);
    EXPECT_FALSE(serial.isOpen());
    EXPECT_EQ(serial.Write("x", 1), 6);
}

}  // namespace
}  // namespace sartovin
