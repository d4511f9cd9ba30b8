#include <filesystem>

#include <gtest/gtest.h>

#include "device/GccUsbQuery.h"
#include "device/UsbDeviceExchange.h"
#include "device/UsbPrinterIdentification.h"
#include "platform/ScriptedInteraction.h"
#include "platform/UsbLpGccUsbPorts.h"
#include "support/FakeDeviceTree.h"
#include "support/FakeDevices.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::FakeDeviceFiles;
using test::FakeGccUsbPorts;

TEST(UsbDeviceExchangeTest, ModelIsTheFieldAfterGcc) {
    EXPECT_EQ(modelFromIdentificationReply("OR4,GCC, Jaguar V ,1.10;"), "Jaguar V");
    EXPECT_EQ(modelFromIdentificationReply("GCC,Jaguar V,"), "Jaguar V");
    EXPECT_EQ(modelFromIdentificationReply("OR4,Other,Jaguar V,1.10"), "");
    EXPECT_EQ(modelFromIdentificationReply("OR4,GCC,Jaguar V"), "");
    EXPECT_EQ(modelFromIdentificationReply(""), "");
}

TEST(UsbDeviceExchangeTest, ModelQuerySendsTheIdentificationAndReadsTheReply) {
    FakeDeviceFiles files;
    auto dev = files.add("/dev/usb/lp0");
    dev->replies.push_back(std::string("OR4,GCC,Puma IV,1.16;\0junk", 26));
    ScriptedInteraction ui;
    EXPECT_EQ(queryUsbModel(files, "/dev/usb/lp0", ui), "Puma IV");
    EXPECT_EQ(dev->received, std::string("\x1b.R4:\0", 6));
    EXPECT_EQ(ui.nowMs, 300);
    EXPECT_EQ(dev->openNow, 0);  // closed again
}

TEST(UsbDeviceExchangeTest, SilentRefusingOrMissingDevicesGiveNoReply) {
    FakeDeviceFiles files;
    ScriptedInteraction ui;
    std::string reply = "stale";
    EXPECT_FALSE(usbDeviceCommandExchange(files, "/dev/usb/lp9", "OH;", ui, reply));
    EXPECT_EQ(reply, "");

    auto silent = files.add("/dev/usb/lp0");
    EXPECT_FALSE(usbDeviceCommandExchange(files, "/dev/usb/lp0", "OH;", ui, reply));
    EXPECT_EQ(silent->received, "OH;");

    auto zero = files.add("/dev/usb/lp1");
    zero->replies.push_back(std::string("\0OR4", 4));  // a reply starting with a zero byte
    EXPECT_FALSE(usbDeviceCommandExchange(files, "/dev/usb/lp1", "OH;", ui, reply));

    auto broken = files.add("/dev/usb/lp2");
    broken->failWrites = true;
    broken->replies.push_back("0,0,100,200");
    EXPECT_FALSE(usbDeviceCommandExchange(files, "/dev/usb/lp2", "OH;", ui, reply));
    EXPECT_EQ(broken->openNow, 0);

    auto flood = files.add("/dev/usb/lp3");
    flood->flood = true;
    EXPECT_TRUE(usbDeviceCommandExchange(files, "/dev/usb/lp3", "OH;", ui, reply));
    EXPECT_EQ(reply.size(), 128u);  // one read of at most 128 bytes, whatever keeps coming
}

TEST(GccUsbQueryTest, PortIndexComesFromTheName) {
    EXPECT_EQ(gccUsbPortIndex("GCCUSB3:"), 3);
    EXPECT_EQ(gccUsbPortIndex("GCCUSB0"), 0);
    EXPECT_EQ(gccUsbPortIndex("GCCUSB7:"), -1);
    EXPECT_EQ(gccUsbPortIndex("COM1"), -1);
    EXPECT_EQ(gccUsbPortIndex("gccusb1"), -1);
}

TEST(GccUsbQueryTest, DrainsSendsAndCollects) {
    FakeGccUsbPorts ports;
    auto dev = ports.add(0);
    dev->pending = "left over";
    dev->replies.push_back("OR1,1,2,3,4,5,6,7;");
    ScriptedInteraction ui;
    GccUsbHandle h = ports.open(0);
    std::string reply;
    ASSERT_TRUE(gccUsbQuery(ports, h, "\x1b.R1:", ui, reply));
    EXPECT_EQ(reply, "OR1,1,2,3,4,5,6,7;");
    EXPECT_EQ(dev->received, "\x1b.R1:");
}

TEST(GccUsbQueryTest, ADeviceThatKeepsSendingOrNeverAnswersFails) {
    ScriptedInteraction ui;
    std::string reply;
    {
        FakeGccUsbPorts ports;
        auto dev = ports.add(1);
        dev->flood = true;
        EXPECT_FALSE(gccUsbQuery(ports, ports.open(1), "OH;", ui, reply));
        EXPECT_EQ(dev->received, "");  // the command never went out
        EXPECT_EQ(ui.nowMs, 20 * 100);
    }
    {
        ui.nowMs = 0;
        FakeGccUsbPorts ports;
        auto dev = ports.add(1);
        EXPECT_FALSE(gccUsbQuery(ports, ports.open(1), "OH;", ui, reply));
        EXPECT_EQ(dev->received, "OH;");
        EXPECT_EQ(ui.nowMs, 100 + 20 * 100);  // one drain cycle, twenty waits
    }
    {
        // Flooding after the command: the collection stops after twenty reads.
        FakeGccUsbPorts ports;
        auto dev = ports.add(2);
        GccUsbHandle h = ports.open(2);
        dev->replies.push_back("x");
        // Start flooding only once the command is written.
        ui.onPump = [&] {
            if (!dev->received.empty()) dev->flood = true;
        };
        EXPECT_TRUE(gccUsbQuery(ports, h, "OH;", ui, reply));
        EXPECT_EQ(reply.size(), 20u * 99u);
        ui.onPump = nullptr;
    }
    {
        FakeGccUsbPorts ports;
        EXPECT_FALSE(gccUsbQuery(ports, 12345, "OH;", ui, reply));  // not an open port
    }
}

// A GCC cutter on usblp, reached as GCC USB port 0 the way the program reaches it: the driver
// cannot count its input, reads come back short and a reply arrives in pieces.
struct UsblpGccCutter {
    UsblpGccCutter() {
        tree.addLp(0, "MFG:Office;MDL:LaserPrint 5;");
        tree.addLp(1, "MFG:GCC;MDL:Jaguar V;");
        office = files.add(tree.file("dev/usb/lp0"));
        cutter = files.add(tree.file("dev/usb/lp1"));
        cutter->readChunk = 8;
        cutter->splitAt = 12;
    }
    test::FakeDeviceTree tree;
    UsbPrinterDevices devices{tree.sysRoot(), tree.devRoot()};
    FakeDeviceFiles files;
    std::shared_ptr<test::FakeDevice> office;
    std::shared_ptr<test::FakeDevice> cutter;
    UsbLpGccUsbPorts ports{devices, files};
};

TEST(GccUsbQueryTest, UsblpRepliesComeWholeThoughUncountedShortAndSplit) {
    UsblpGccCutter usb;
    const std::string identification = "OR4,GCC,Jaguar V 61 with a long model field,1.10,0815;";
    usb.cutter->replies = {identification, "OR1,300,120,250,20,1,0,1;", "0,0,24000,48800\r"};
    ScriptedInteraction ui;
    GccUsbHandle h = usb.ports.open(0);
    ASSERT_TRUE(isValidGccUsbHandle(h));
    std::string reply;
    ASSERT_TRUE(gccUsbQuery(usb.ports, h, "\x1b.R4:", ui, reply));
    EXPECT_EQ(reply, identification);  // over 40 bytes: nothing left behind for the next query
    ASSERT_TRUE(gccUsbQuery(usb.ports, h, "\x1b.R1:", ui, reply));
    EXPECT_EQ(reply, "OR1,300,120,250,20,1,0,1;");
    ASSERT_TRUE(gccUsbQuery(usb.ports, h, "OH;", ui, reply));
    EXPECT_EQ(reply, "0,0,24000,48800\r");
    EXPECT_EQ(usb.cutter->received, "\x1b.R4:\x1b.R1:OH;");
    EXPECT_EQ(usb.office->received, "");
    usb.ports.close(h);
}

TEST(GccUsbQueryTest, AReplyWithoutItsTerminatorWaitsForTheRestThenEnds) {
    ScriptedInteraction ui;
    std::string reply;
    UsblpGccCutter usb;
    usb.cutter->splitAt = 6;
    usb.cutter->quietPollsBetweenPieces = 5;  // half a second between the two transfers
    usb.cutter->replies = {"OR1,3,120,250,20,1,0,1;", "OR4,GCC,Jaguar V,1.10"};
    GccUsbHandle h = usb.ports.open(0);
    ASSERT_TRUE(gccUsbQuery(usb.ports, h, "\x1b.R1:", ui, reply));
    EXPECT_EQ(reply, "OR1,3,120,250,20,1,0,1;");
    // No terminator ever: the collection ends after twenty quiet looks with what came.
    usb.cutter->quietPollsBetweenPieces = 0;
    ui.nowMs = 0;
    ASSERT_TRUE(gccUsbQuery(usb.ports, h, "\x1b.R4:", ui, reply));
    EXPECT_EQ(reply, "OR4,GCC,Jaguar V,1.10");
    EXPECT_LT(ui.nowMs, 5000);
}

TEST(UsbPrinterIdentificationTest, HobbyEditionListsHobbyCuttersStandardAsksOnlyGccDevices) {
    test::FakeDeviceTree tree;
    tree.addLp(0, "MFG:Hobby;MDL:CC200-20;");
    tree.addLp(1, "MFG:GCC;MDL:Unknown;");
    tree.addLp(2, "MFG:Office;MDL:LaserPrint 5;");
    tree.addLp(3, "MFG:Hobby;MDL:Silhouette Cameo 4;");
    tree.addLp(4, "MFG:Hobby;MDL:CC330L;");
    tree.addLp(5, "MFG:gcc;MDL:Puma IV;");
    UsbPrinterDevices devices(tree.sysRoot(), tree.devRoot());
    FakeDeviceFiles files;
    files.add(tree.file("dev/usb/lp0"));
    files.add(tree.file("dev/usb/lp1"))->replies.push_back("OR4,GCC,Jaguar V,1.10;");
    auto office = files.add(tree.file("dev/usb/lp2"));
    office->replies.push_back("OR4,GCC,Printed page,1;");  // whatever it would say if asked
    files.add(tree.file("dev/usb/lp3"));
    files.add(tree.file("dev/usb/lp4"))->openable = false;  // in use elsewhere: left out
    files.add(tree.file("dev/usb/lp5"));                    // a GCC cutter that does not answer
    ScriptedInteraction ui;

    UsbDeviceList hobby = identifyUsbPrinters(devices, files, 12, ui);
    ASSERT_EQ(hobby.size(), 2u);
    EXPECT_EQ(hobby[0].portName, "USB001");
    EXPECT_EQ(hobby[0].modelName, "CC200-20");
    EXPECT_EQ(hobby[0].devicePath, tree.file("dev/usb/lp0"));
    EXPECT_EQ(hobby[1].portName, "USB004");
    EXPECT_EQ(hobby[1].modelName, "Silhouette Cameo 4");

    // The standard edition ignores the hobby cutters and sends its identification request only
    // to devices whose maker is GCC: the office printer is listed by its port without a byte.
    UsbDeviceList standard = identifyUsbPrinters(devices, files, 2, ui);
    ASSERT_EQ(standard.size(), 3u);
    EXPECT_EQ(standard[0].portName, "USB002");
    EXPECT_EQ(standard[0].modelName, "Jaguar V");
    EXPECT_EQ(standard[1].portName, "USB003");
    EXPECT_EQ(standard[1].modelName, "");
    EXPECT_EQ(standard[2].portName, "USB006");
    EXPECT_EQ(standard[2].modelName, "");
    EXPECT_EQ(files.devices[tree.file("dev/usb/lp5")]->received, std::string("\x1b.R4:\0", 6));
    for (int n : {0, 2, 3})
        EXPECT_EQ(files.devices[tree.file("dev/usb/lp" + std::to_string(n))]->received, "") << n;
    for (auto& [path, dev] : files.devices) EXPECT_EQ(dev->openNow, 0) << path;
}

}  // namespace
}  // namespace sartovin
