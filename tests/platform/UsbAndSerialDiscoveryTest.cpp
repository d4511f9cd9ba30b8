#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/Ieee1284Id.h"
#include "platform/NodeDeviceFiles.h"
#include "platform/SerialPortList.h"
#include "platform/SystemErrorCodes.h"
#include "platform/UsbLpGccUsbPorts.h"
#include "platform/UsbPrinterDevices.h"
#include "support/FakeDeviceTree.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::TempDir;
using test::writeFile;

TEST(SerialPortListTest, ListsRealPortsOnlyInNumericOrder) {
    test::FakeDeviceTree tree;
    tree.addTty("ttyS10", false, "4\n");
    tree.addTty("ttyS2", false, "4\n");
    tree.addTty("ttyS3", false, "0\n");  // registered but without a UART
    tree.addTty("ttyS4", false);         // no type to read: left out as well
    tree.addTty("ttyUSB0", false);
    tree.addTty("ttyACM1", false, nullptr, false);  // node missing
    tree.addTty("tty1", true);                      // virtual console
    tree.addTty("ptmx", true);
    auto ports = listSerialPorts(tree.sysRoot(), tree.devRoot());
    std::vector<std::string> expected{tree.file("dev/ttyS2"), tree.file("dev/ttyS10"),
                                      tree.file("dev/ttyUSB0")};
    EXPECT_EQ(ports, expected);
    EXPECT_TRUE(listSerialPorts(tree.file("nosys"), tree.file("dev")).empty());
}

TEST(Ieee1284IdTest, ReadsShortAndLongKeySpellings) {
    auto a = Ieee1284Id::parse("MFG:GCC;MDL:Jaguar V 61;CMD:HPGL;CLS:PRINTER;");
    EXPECT_EQ(a.manufacturer, "GCC");
    EXPECT_EQ(a.model, "Jaguar V 61");
    EXPECT_EQ(a.commandSet, "HPGL");
    auto b = Ieee1284Id::parse(" manufacturer: Hobby Works ;Model:CC200-20 ;junk;MFG:Other;");
    EXPECT_EQ(b.manufacturer, "Hobby Works");
    EXPECT_EQ(b.model, "CC200-20");
    auto c = Ieee1284Id::parse("");
    EXPECT_TRUE(c.manufacturer.empty());
    EXPECT_TRUE(c.model.empty());
}

TEST(UsbPrinterDevicesTest, ListsBoundDevicesWithTheirIdsAndFindsGccOnes) {
    test::FakeDeviceTree tree;
    tree.addLp(11, "MFG:gcc;MDL:Puma IV;");
    tree.addLp(2, "MFG:GCC;MDL:Jaguar V;");
    tree.addLp(0, "MFG:Hobby Works;MDL:CAMEO 4;");
    tree.addLp(5, "MFG:GCC;MDL:Gone;", false);  // the node vanished: unplugged
    tree.addLp(7, "");
    UsbPrinterDevices devices(tree.sysRoot(), tree.devRoot());
    auto list = devices.list();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].index, 0);
    EXPECT_EQ(list[0].id.model, "CAMEO 4");
    EXPECT_EQ(list[1].index, 2);
    EXPECT_EQ(list[1].nodePath, tree.file("dev/usb/lp2"));
    EXPECT_EQ(list[2].index, 7);
    EXPECT_TRUE(list[2].deviceId.empty());
    EXPECT_EQ(list[3].index, 11);

    UsbPrinterNode node;
    ASSERT_TRUE(devices.gccDevice(0, node));
    EXPECT_EQ(node.index, 2);
    ASSERT_TRUE(devices.gccDevice(1, node));
    EXPECT_EQ(node.index, 11);
    EXPECT_FALSE(devices.gccDevice(2, node));
    EXPECT_FALSE(devices.gccDevice(-1, node));
}

TEST(UsbPrinterDevicesTest, ReadsClassNamesAndIdAttributes) {
    using namespace std::string_literals;
    EXPECT_EQ(usbLpIndexOfName("lp0"), 0);
    EXPECT_EQ(usbLpIndexOfName("lp255"), 255);
    EXPECT_EQ(usbLpIndexOfName("lp256"), -1);
    EXPECT_EQ(usbLpIndexOfName("lp"), -1);
    EXPECT_EQ(usbLpIndexOfName("lp1x"), -1);
    EXPECT_EQ(usbLpIndexOfName("lp-1"), -1);
    EXPECT_EQ(usbLpIndexOfName("hiddev0"), -1);
    EXPECT_EQ(usbLpIndexOfName("lp99999999999999999999999"), -1);
    EXPECT_EQ(usbLpIndexOfName("lp1\0"s + "7"), -1);

    EXPECT_EQ(deviceIdOfAttribute("MFG:GCC;MDL:Jaguar V;\n\0\0"s), "MFG:GCC;MDL:Jaguar V;");
    EXPECT_EQ(deviceIdOfAttribute("\n\0\n"s), "");
    EXPECT_EQ(deviceIdOfAttribute("MFG:\0GCC;"s), "MFG:\0GCC;"s);

    EXPECT_TRUE(uartPresentOfType("4\n"));
    EXPECT_FALSE(uartPresentOfType("0\n"));
    EXPECT_FALSE(uartPresentOfType(""));
    EXPECT_FALSE(uartPresentOfType("unknown"));
}

TEST(UsbLpGccUsbPortsTest, PortNumberIsTheNthGccDeviceAndDataGoesToItsNode) {
    test::FakeDeviceTree tree;
    tree.addLp(0, "MFG:Other;MDL:X;");
    tree.addLp(1, "MFG:GCC;MDL:Jaguar V;");
    // The reply side of the cutter: its node holds what it has to say.
    writeFile(tree.file("dev/usb/lp1"), "OR4,GCC,Jaguar V,1.10;");
    UsbPrinterDevices devices(tree.sysRoot(), tree.devRoot());
    NodeDeviceFiles files;
    UsbLpGccUsbPorts ports(devices, files);
    EXPECT_EQ(ports.open(1), kGccUsbInvalidHandle);
    EXPECT_EQ(ports.open(-1), kGccUsbInvalidHandle);
    EXPECT_EQ(ports.open(4), kGccUsbInvalidHandle);
    GccUsbHandle h = ports.open(0);
    ASSERT_TRUE(isValidGccUsbHandle(h));
    unsigned count = 0;
    ASSERT_EQ(ports.bytesAvailable(h, count), 0);
    EXPECT_EQ(count, 22u);
    char buf[99];
    unsigned n = count;
    ASSERT_EQ(ports.read(h, buf, 10, n), 0);
    EXPECT_EQ(std::string(buf, n), "OR4,GCC,Ja");
    ports.close(h);
    EXPECT_LT(ports.bytesAvailable(h, count), 0);  // a closed handle is refused
    EXPECT_LT(ports.write(h, "x", 1), 0);
}

TEST(UsbLpGccUsbPortsTest, APortThatDoesNotOpenNamesItsNodeAndTheReason) {
    test::FakeDeviceTree tree;
    // Something the device cannot be opened as, whoever runs the test.
    tree.addLp(0, "MFG:GCC;MDL:Jaguar V;", false);
    std::filesystem::create_directories(tree.file("dev/usb/lp0"));
    UsbPrinterDevices devices(tree.sysRoot(), tree.devRoot());
    NodeDeviceFiles files;
    UsbLpGccUsbPorts ports(devices, files);
    EXPECT_EQ(ports.open(0), kGccUsbInvalidHandle);
    EXPECT_EQ(ports.deviceName(0), tree.file("dev/usb/lp0"));
    EXPECT_EQ(systemErrorText(ports.lastOpenError()), "Permission denied");
    EXPECT_EQ(ports.deviceName(1), "");
    EXPECT_EQ(ports.open(1), kGccUsbInvalidHandle);
    EXPECT_EQ(ports.lastOpenError(), 0);
}

TEST(UsbLpGccUsbPortsTest, ADeviceThatStopsTakingDataFailsTheWriteInsteadOfHanging) {
    test::FakeDeviceTree tree;
    tree.addLp(0, "MFG:GCC;MDL:Jaguar V;", false);
    std::filesystem::create_directories(tree.file("dev/usb"));
    ASSERT_EQ(::mkfifo(tree.file("dev/usb/lp0").c_str(), 0600), 0);
    // Somebody holds the reading end but never reads: the pipe fills up like a stalled cutter.
    int reader = ::open(tree.file("dev/usb/lp0").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    UsbPrinterDevices devices(tree.sysRoot(), tree.devRoot());
    NodeDeviceFiles files;
    UsbLpGccUsbPorts ports(devices, files, 100);
    GccUsbHandle h = ports.open(0);
    ASSERT_TRUE(isValidGccUsbHandle(h));
    std::string block(1 << 20, 'D');
    EXPECT_LT(ports.write(h, block.data(), static_cast<unsigned>(block.size())), 0);
    EXPECT_EQ(ports.write(h, "", 0), 0);
    ports.close(h);
    ::close(reader);
}

}  // namespace
}  // namespace sartovin
