#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/Ieee1284Id.h"
#include "platform/NodeDeviceFiles.h"
#include "platform/SerialPortList.h"
#include "platform/UsbLpGccUsbPorts.h"
#include "platform/UsbPrinterDevices.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::TempDir;
using test::writeFile;

// A tty entry of the fake sysfs: with a device link unless `virtualTty`.
void addTty(const TempDir& dir, const std::string& name, bool virtualTty, const char* type = nullptr,
            bool node = true) {
    std::string base = dir.file("sys/class/tty/" + name);
    std::filesystem::create_directories(base);
    if (!virtualTty) {
        std::filesystem::create_directories(dir.file("sys/devices/" + name));
        std::filesystem::create_directory_symlink(dir.file("sys/devices/" + name), base + "/device");
    }
    if (type) writeFile(base + "/type", type);
    if (node) writeFile(dir.file("dev/" + name), "");
}

TEST(SerialPortListTest, ListsRealPortsOnlyInNumericOrder) {
    TempDir dir;
    addTty(dir, "ttyS10", false, "4\n");
    addTty(dir, "ttyS2", false, "4\n");
    addTty(dir, "ttyS3", false, "0\n");  // registered but without a UART
    addTty(dir, "ttyS4", false);         // no type to read: left out as well
    addTty(dir, "ttyUSB0", false);
    addTty(dir, "ttyACM1", false, nullptr, false);  // node missing
    addTty(dir, "tty1", true);                      // virtual console
    addTty(dir, "ptmx", true);
    auto ports = listSerialPorts(dir.file("sys"), dir.file("dev"));
    std::vector<std::string> expected{dir.file("dev/ttyS2"), dir.file("dev/ttyS10"), dir.file("dev/ttyUSB0")};
    EXPECT_EQ(ports, expected);
    EXPECT_TRUE(listSerialPorts(dir.file("nosys"), dir.file("dev")).empty());
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

void addLp(const TempDir& dir, int n, const std::string& deviceId, bool node = true) {
    std::string base = dir.file("sys/class/usbmisc/lp" + std::to_string(n) + "/device/");
    std::filesystem::create_directories(base);
    if (!deviceId.empty()) writeFile(base + "ieee1284_id", deviceId + "\n");
    if (node) writeFile(dir.file("dev/usb/lp" + std::to_string(n)), "");
}

TEST(UsbPrinterDevicesTest, ListsBoundDevicesWithTheirIdsAndFindsGccOnes) {
    TempDir dir;
    addLp(dir, 11, "MFG:gcc;MDL:Puma IV;");
    addLp(dir, 2, "MFG:GCC;MDL:Jaguar V;");
    addLp(dir, 0, "MFG:Hobby Works;MDL:CAMEO 4;");
    addLp(dir, 5, "MFG:GCC;MDL:Gone;", false);  // the node vanished: unplugged
    addLp(dir, 7, "");
    UsbPrinterDevices devices(dir.file("sys"), dir.file("dev"));
    auto list = devices.list();
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].index, 0);
    EXPECT_EQ(list[0].id.model, "CAMEO 4");
    EXPECT_EQ(list[1].index, 2);
    EXPECT_EQ(list[1].nodePath, dir.file("dev/usb/lp2"));
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

TEST(UsbLpGccUsbPortsTest, PortNumberIsTheNthGccDeviceAndDataGoesToItsNode) {
    TempDir dir;
    addLp(dir, 0, "MFG:Other;MDL:X;");
    addLp(dir, 1, "MFG:GCC;MDL:Jaguar V;");
    // The reply side of the cutter: its node holds what it has to say.
    writeFile(dir.file("dev/usb/lp1"), "OR4,GCC,Jaguar V,1.10;");
    UsbPrinterDevices devices(dir.file("sys"), dir.file("dev"));
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

TEST(UsbLpGccUsbPortsTest, ADeviceThatStopsTakingDataFailsTheWriteInsteadOfHanging) {
    TempDir dir;
    addLp(dir, 0, "MFG:GCC;MDL:Jaguar V;", false);
    std::filesystem::create_directories(dir.file("dev/usb"));
    ASSERT_EQ(::mkfifo(dir.file("dev/usb/lp0").c_str(), 0600), 0);
    // Somebody holds the reading end but never reads: the pipe fills up like a stalled cutter.
    int reader = ::open(dir.file("dev/usb/lp0").c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    UsbPrinterDevices devices(dir.file("sys"), dir.file("dev"));
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
