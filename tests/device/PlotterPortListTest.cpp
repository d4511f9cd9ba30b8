#include "device/PlotterPortList.h"

#include <gtest/gtest.h>

#include "platform/ScriptedInteraction.h"
#include "support/FakeDeviceTree.h"
#include "support/FakeDevices.h"
#include "support/FakeSpooler.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using Opening = PlotterPortList::Opening;

PortSources standardSources() {
    PortSources s;
    s.usbDevices = {{"USB001", "/dev/usb/lp0", "Jaguar V"}, {"USB002", "/dev/usb/lp1", ""}};
    s.registeredGccPorts = {0};
    s.openableGccPorts = {0, 2};
    s.comPorts = {"/dev/ttyS0", "/dev/ttyUSB0"};
    s.printers = {"Office", "Vidazo Ravuzuz", "C180 Laser"};
    return s;
}

TEST(PlotterPortListTest, StandardEditionListsFourSectionsInOrder) {
    PlotterPortList list(2, "/dev/ttyUSB0", "", standardSources());
    EXPECT_EQ(list.items(),
              (std::vector<std::string>{"USB - Jaguar V", "USB002", "GCCUSB0", "GCCUSB2", "/dev/ttyS0",
                                        "/dev/ttyUSB0", "Office", "Vidazo Ravuzuz", "C180 Laser"}));
    EXPECT_EQ(list.lastUsbIndex(), 3);
    EXPECT_EQ(list.lastComIndex(), 5);
    EXPECT_EQ(list.preselected(), 5);
    EXPECT_EQ(list.opening(), Opening::WaitForUser);

    auto usb = list.choiceFor(0);
    EXPECT_EQ(usb.portType, kPortUsbDevice);
    EXPECT_TRUE(usb.storesUsbName);
    EXPECT_EQ(usb.usbGccName, "Jaguar V");
    auto gcc = list.choiceFor(3);
    EXPECT_EQ(gcc.portType, kPortGccUsb);
    EXPECT_EQ(gcc.port, "GCCUSB2");
    auto com = list.choiceFor(4);
    EXPECT_EQ(com.portType, kPortSerial);
    EXPECT_TRUE(com.comHint);
    auto printer = list.choiceFor(6);
    EXPECT_EQ(printer.portType, kPortPrinter);
    EXPECT_TRUE(printer.printerHint);
    EXPECT_EQ(printer.port, "Office");

    // A stored USB device name wins over a printer of the stored port's name.
    PlotterPortList byUsb(2, "Office", "Jaguar V", standardSources());
    EXPECT_EQ(byUsb.preselected(), 0);
    PlotterPortList byPrinter(2, "Office", "", standardSources());
    EXPECT_EQ(byPrinter.preselected(), 6);

    PortSources emulated = standardSources();
    emulated.emulated32On64 = true;
    PlotterPortList noGcc(2, "", "", emulated);
    EXPECT_EQ(noGcc.lastUsbIndex(), 1);
    EXPECT_EQ(std::count(noGcc.items().begin(), noGcc.items().end(), "GCCUSB0"), 0);
}

TEST(PlotterPortListTest, HobbyAndLaserEditionRules) {
    PlotterPortList hobby(12, "", "CC200", standardSources());
    EXPECT_EQ(hobby.items(), (std::vector<std::string>{"USB - Jaguar V", "USB002"}));
    EXPECT_EQ(hobby.lastUsbIndex(), 1);
    EXPECT_EQ(hobby.lastComIndex(), 1);
    EXPECT_EQ(hobby.opening(), Opening::WaitForUser);
    EXPECT_EQ(PlotterPortList(12, "", "", PortSources{}).opening(), Opening::Cancel);
    PortSources one;
    one.usbDevices = {{"USB001", "/dev/usb/lp0", "CC200"}};
    PlotterPortList single(12, "", "", one);
    EXPECT_EQ(single.opening(), Opening::StoreAtOnce);
    EXPECT_EQ(single.itemToStoreAtOnce(), 0);

    PlotterPortList fresh(21, "", "", standardSources());
    EXPECT_EQ(fresh.items(), (std::vector<std::string>{"Office", "Vidazo Ravuzuz", "C180 Laser"}));
    EXPECT_EQ(fresh.preselected(), 1);
    EXPECT_EQ(fresh.opening(), Opening::StoreAtOnce);
    auto laser = fresh.choiceFor(1);
    EXPECT_EQ(laser.portType, kPortPrinter);
    EXPECT_FALSE(laser.printerHint);

    // Without it, the printer named C180; a name that only holds those letters is not it.
    PortSources noVidazo = standardSources();
    noVidazo.printers = {"Office", "C180 Laser", "C180", "C180"};
    EXPECT_EQ(PlotterPortList(21, "", "", noVidazo).preselected(), 2);
    noVidazo.printers = {"Office", "C180 Laser"};
    EXPECT_EQ(PlotterPortList(21, "", "", noVidazo).preselected(), -1);
    PlotterPortList stored(21, "Office", "", standardSources());
    EXPECT_EQ(stored.preselected(), 0);
    EXPECT_EQ(stored.opening(), Opening::WaitForUser);

    PortSources none;
    none.printers = {"Office", "Other"};
    EXPECT_EQ(PlotterPortList(2, "", "", none).opening(), Opening::WaitForUser);
    EXPECT_EQ(PlotterPortList(2, "", "", PortSources{}).opening(), Opening::Cancel);

    // One queue is stored at once; one serial device (every PC lists one, attached or not) is
    // only offered, in both editions that list serial devices.
    PortSources oneQueue;
    oneQueue.printers = {"Cutter"};
    EXPECT_EQ(PlotterPortList(2, "", "", oneQueue).opening(), Opening::StoreAtOnce);
    PortSources oneSerial;
    oneSerial.comPorts = {"/dev/ttyS0"};
    PlotterPortList serial(2, "", "", oneSerial);
    EXPECT_TRUE(serial.isSerialItem(0));
    EXPECT_EQ(serial.opening(), Opening::WaitForUser);
    EXPECT_EQ(PlotterPortList(2, "/dev/ttyS0", "", oneSerial).opening(), Opening::WaitForUser);
}

TEST(PlotterPortListTest, EveryEntrySaysWhatItIsAndAListOfSerialDevicesFindsNoCutter) {
    test::TempDir dir;
    test::writeFile(dir.file("2000.txt"), "[2000]\n2493=serial device\n2494=USB cutter\n2495=CUPS queue\n");
    Texts texts(dir.path(), 2000);
    PortSources s = standardSources();
    s.printerDetails = {"Office laser, ipp://office.local/ipp/print", "", "C180, usb://C180/Laser"};
    PlotterPortList list(2, "", "", s);
    EXPECT_EQ(list.describeItem(0, texts), "USB - Jaguar V  \u2014  USB cutter (/dev/usb/lp0)");
    EXPECT_EQ(list.describeItem(1, texts), "USB002  \u2014  USB cutter (/dev/usb/lp1)");
    EXPECT_EQ(list.describeItem(2, texts), "GCCUSB0  \u2014  USB cutter");
    EXPECT_EQ(list.describeItem(4, texts), "/dev/ttyS0  \u2014  serial device");
    EXPECT_EQ(list.describeItem(6, texts),
              "Office  \u2014  CUPS queue (Office laser, ipp://office.local/ipp/print)");
    EXPECT_EQ(list.describeItem(7, texts), "Vidazo Ravuzuz  \u2014  CUPS queue");
    EXPECT_EQ(list.describeItem(9, texts), "");
    EXPECT_FALSE(list.noCutterFound());

    PortSources serialOnly;
    serialOnly.comPorts = {"/dev/ttyS0", "/dev/ttyS1"};
    EXPECT_TRUE(PlotterPortList(2, "", "", serialOnly).noCutterFound());
    EXPECT_TRUE(PlotterPortList(2, "", "", PortSources{}).noCutterFound());
    serialOnly.printers = {"Cutter"};
    EXPECT_FALSE(PlotterPortList(2, "", "", serialOnly).noCutterFound());
}

TEST(PlotterPortListTest, StoringWritesTheKeysAndShowsTheHints) {
    test::TempDir dir;
    test::writeFile(
        dir.file("2000.txt"),
        "[2000]\n2317=Please ensure, that this COM port is not selected as port of a windows printer\n"
        "2319=If you use the windows printer, it must be connected with the USB Port to get the medium width "
        "from the cutter !\n");
    Texts texts(dir.path(), 2000);
    Settings settings(dir.file("Sartovin.ini"));
    settings.setPort("Jaguar V 61", "COM1");
    ScriptedInteraction ui;
    PlotterRecord record;
    PlotterPortList list(2, "COM1", "", standardSources());

    storePortChoice(list.choiceFor(0), "Jaguar V 61", record, settings, texts, ui);
    EXPECT_EQ(settings.portType("Jaguar V 61"), 4);
    EXPECT_EQ(settings.usbGccName("Jaguar V 61"), "Jaguar V");
    EXPECT_EQ(settings.port("Jaguar V 61"), "COM1");  // kept
    EXPECT_TRUE(ui.messages.empty());

    storePortChoice(list.choiceFor(4), "Jaguar V 61", record, settings, texts, ui);
    EXPECT_EQ(settings.portType("Jaguar V 61"), 1);
    EXPECT_EQ(settings.port("Jaguar V 61"), "/dev/ttyS0");
    EXPECT_EQ(record.port, "/dev/ttyS0");
    EXPECT_EQ(record.portType, 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(ui.messages[0].caption, "");

    storePortChoice(list.choiceFor(7), "Jaguar V 61", record, settings, texts, ui);
    EXPECT_EQ(settings.portType("Jaguar V 61"), 3);
    EXPECT_EQ(ui.messages.back().text.substr(0, 27), "If you use the windows prin");
}

TEST(PlotterPortListTest, AUsbDeviceWithoutAModelIsStoredByItsPortAndPreselectedAgain) {
    test::TempDir dir;
    Texts texts(dir.path(), 2000);
    Settings settings(dir.file("Sartovin.ini"));
    ScriptedInteraction ui;
    PlotterRecord record;
    PlotterPortList list(2, "", "", standardSources());
    storePortChoice(list.choiceFor(1), "Jaguar V 61", record, settings, texts, ui);
    EXPECT_EQ(settings.portType("Jaguar V 61"), 4);
    EXPECT_EQ(settings.usbGccName("Jaguar V 61"), "USB002");
    EXPECT_EQ(record.usbGccName, "USB002");
    EXPECT_EQ(PlotterPortList(2, "", "USB002", standardSources()).preselected(), 1);
    // A model name never picks a device by its port, nor a port name a device with a model.
    EXPECT_EQ(PlotterPortList(2, "", "USB001", standardSources()).preselected(), -1);
}

TEST(PlotterPortListTest, GatheringOpensTheGccPortsAndCountsOnlyThoseThatOpen) {
    test::FakeGccUsbPorts gcc;
    gcc.add(1);
    gcc.add(3);
    test::FakeSpooler spooler;
    spooler.add("Cutter");
    test::FakeDeviceTree tree;  // no serial ports
    PortSources s = gatherPortSources(2, {}, gcc, spooler, tree.sysRoot(), tree.devRoot());
    EXPECT_EQ(s.openableGccPorts, (std::vector<int>{1, 3}));
    EXPECT_EQ(gcc.closes, 2);
    EXPECT_EQ(s.printers, std::vector<std::string>{"Cutter"});
    EXPECT_TRUE(s.comPorts.empty());
    PortSources hobby = gatherPortSources(12, {}, gcc, spooler, tree.sysRoot(), tree.devRoot());
    EXPECT_TRUE(hobby.openableGccPorts.empty());
    EXPECT_TRUE(hobby.printers.empty());
}

}  // namespace
}  // namespace sartovin
