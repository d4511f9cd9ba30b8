#include "platform/CupsSpooler.h"

#include <gtest/gtest.h>

#include <chrono>

#include "support/PrivateCupsd.h"

namespace sartovin {
namespace {

TEST(PrinterPortNameTest, DeviceUrisBecomePortNames) {
    std::vector<std::string> all{"usb://GCC/Jaguar%20V?serial=2",    "usb://gcc/Puma%20IV?serial=1",
                                 "usb://Hobby/CC200?serial=9",       "usb://Other/X",
                                 "serial:/dev/ttyS0?baud=9600",      "socket://10.0.0.5",
                                 "ipp://host.example.com/printers/x"};
    // GCC devices count among themselves, in text order of their URIs.
    EXPECT_EQ(printerPortName(all[0], all), "GCCUSB0");
    EXPECT_EQ(printerPortName(all[1], all), "GCCUSB1");
    EXPECT_EQ(printerPortName(all[2], all), "USB001");
    EXPECT_EQ(printerPortName(all[3], all), "USB002");
    EXPECT_EQ(printerPortName(all[4], all), "COM1");
    EXPECT_EQ(printerPortName(all[5], all), "SOCKET:");
    // A lower-case "com" in a host name names no serial port.
    EXPECT_EQ(printerPortName(all[6], all), "IPP:");
    EXPECT_EQ(printerPortName("usb://G%43C/Jaguar", {}), "GCCUSB0");
    EXPECT_EQ(serialDeviceOfUri("serial:/dev/ttyUSB0?baud=9600+bits=8"), "/dev/ttyUSB0");
    EXPECT_EQ(serialDeviceOfUri("serial:///dev/ttyS1"), "/dev/ttyS1");
    EXPECT_EQ(serialDeviceOfUri("usb://GCC/Jaguar"), "");
}

class CupsSpoolerTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::PrivateCupsd::installed()) GTEST_SKIP() << "cupsd is not installed";
        m_cupsd = std::make_unique<test::PrivateCupsd>();
        ASSERT_TRUE(m_cupsd->running()) << m_cupsd->problem();
    }
    std::unique_ptr<test::PrivateCupsd> m_cupsd;
};

TEST_F(CupsSpoolerTest, ARawJobArrivesByteForByte) {
    std::string out = m_cupsd->addCaptureQueue("Cutter");
    ASSERT_FALSE(out.empty());
    CupsSpooler spooler(m_cupsd->socketPath());
    auto printer = spooler.openPrinter("Cutter");
    ASSERT_TRUE(printer);
    std::string job;
    for (int round = 0; round < 200; ++round)
        for (int b = 0; b < 256; ++b) job += static_cast<char>(b);
    job += std::string("IN;PU0,0;\x1b.C1;0;:\0", 18);
    ASSERT_TRUE(printer->startDocument("Sartovin Job"));
    std::size_t written = 0;
    ASSERT_TRUE(printer->write(job.data(), 30000, written));
    EXPECT_EQ(written, 30000u);
    ASSERT_TRUE(printer->write(job.data() + 30000, job.size() - 30000, written));
    ASSERT_TRUE(printer->endDocument());
    printer.reset();
    EXPECT_EQ(m_cupsd->waitForFile(out, job.size()), job);
}

TEST_F(CupsSpoolerTest, ListsQueuesWithTheirPortNames) {
    ASSERT_FALSE(m_cupsd->addCaptureQueue("Cutter").empty());
    ASSERT_TRUE(m_cupsd->addQueue("Jaguar", "usb://GCC/Jaguar%20V?serial=A1"));
    ASSERT_TRUE(m_cupsd->addQueue("Hobby", "usb://Hobby/CC200?serial=7"));
    CupsSpooler spooler(m_cupsd->socketPath());
    auto list = spooler.printers();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].name, "Cutter");
    EXPECT_EQ(list[0].portName, "CAPTURE:");
    EXPECT_EQ(list[1].name, "Hobby");
    EXPECT_EQ(list[1].portName, "USB001");
    EXPECT_EQ(list[2].name, "Jaguar");
    EXPECT_EQ(list[2].portName, "GCCUSB0");
    EXPECT_EQ(list[2].deviceUri, "usb://GCC/Jaguar%20V?serial=A1");
    PrinterInfo info;
    EXPECT_TRUE(spooler.printerInfo("Jaguar", info));
    EXPECT_TRUE(info.accepting);
    EXPECT_FALSE(info.stopped);
    EXPECT_FALSE(spooler.printerInfo("Nobody", info));
}

TEST_F(CupsSpoolerTest, StoppedRejectingAndMissingQueuesFailAtOnce) {
    std::string stoppedOut = m_cupsd->addCaptureQueue("Stopped");
    std::string rejectingOut = m_cupsd->addCaptureQueue("Rejecting");
    ASSERT_TRUE(m_cupsd->admin("cupsdisable", "Stopped")) << m_cupsd->lastOutput();
    ASSERT_TRUE(m_cupsd->admin("cupsreject", "Rejecting")) << m_cupsd->lastOutput();
    CupsSpooler spooler(m_cupsd->socketPath());
    auto start = std::chrono::steady_clock::now();

    auto stopped = spooler.openPrinter("Stopped");
    ASSERT_TRUE(stopped);
    EXPECT_FALSE(stopped->startDocument("Sartovin Job"));
    std::size_t written = 9;
    EXPECT_FALSE(stopped->write("x", 1, written));
    EXPECT_EQ(written, 0u);
    EXPECT_FALSE(stopped->endDocument());

    auto rejecting = spooler.openPrinter("Rejecting");
    ASSERT_TRUE(rejecting);
    EXPECT_FALSE(rejecting->startDocument("Sartovin Job"));

    EXPECT_FALSE(spooler.openPrinter("Nobody"));
    EXPECT_FALSE(spooler.openPrinter(""));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(test::readFile(stoppedOut), "");
    EXPECT_EQ(test::readFile(rejectingOut), "");
}

TEST(CupsSpoolerUnreachableTest, ASchedulerThatIsNotThereGivesNothing) {
    test::TempDir dir;
    CupsSpooler spooler(dir.file("no.sock"), 2.0);
    EXPECT_TRUE(spooler.printers().empty());
    EXPECT_FALSE(spooler.openPrinter("Cutter"));
}

}  // namespace
}  // namespace sartovin
