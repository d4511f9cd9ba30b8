#include "device/DeviceDelivery.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include "device/DeviceBusyCheck.h"
#include "device/SpoolerWrite.h"
#include "platform/CupsSpooler.h"
#include "platform/ScriptedInteraction.h"
#include "support/FakeDesktop.h"
#include "support/FakeDevices.h"
#include "support/FakeSpooler.h"
#include "support/PrivateCupsd.h"
#include "support/PseudoTerminal.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::FakeDeviceFiles;
using test::FakeGccUsbPorts;

using test::FakeSpooler;

class RecordingStatus : public DeliveryStatus {
public:
    void hideProgress() override { events.push_back("hideProgress"); }
    void setText(const std::string& text) override { events.push_back("text:" + text); }
    void hide() override { events.push_back("hide"); }
    bool cancelRequested() const override { return cancel; }
    std::vector<std::string> events;
    bool cancel = false;
};

class DeviceDeliveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeFile(m_dir.file("2000.txt"),
                        "[2000]\n"
                        "2307=You have to select a port for this cutter !\\r\\nThe Job will be canceled.\n"
                        "2308=Can not open printer port !\n"
                        "2316=Please stop the VLCD application first.\n"
                        "2320=Cutter communication error !\\n\\nPlease check the port configuration.\n"
                        "2365=The print spooler refused the job.\n"
                        "2380=Sending data ...\n"
                        "2389=Please choose the port of your cutter first.\n"
                        "2452=The print queue %s did not pass the job on to the cutter.\n"
                        "2453=The print queue %s does not say whether the job reached the cutter.\n"
                        "2454=Waiting for the print queue %s ...\n"
                        "2456=Print queue: %s\n"
                        "2457=Device: %s\n");
        m_texts = Texts(m_dir.path(), 2000);
        m_spooler.clock = &m_ui;
    }

    DeviceDelivery delivery(StartMode startMode, Spooler* spooler = nullptr) {
        return DeviceDelivery(startMode, m_plotter, m_usb,
                              DeviceChannels{spooler ? *spooler : m_spooler, m_gcc, m_files}, m_texts, m_ui,
                              &m_status);
    }
    std::vector<std::string> messages() const { return m_ui.messageTexts(); }

    test::TempDir m_dir;
    Texts m_texts;
    ScriptedInteraction m_ui;
    RecordingStatus m_status;
    PlotterRecord m_plotter;
    UsbDeviceList m_usb;
    FakeSpooler m_spooler;
    FakeGccUsbPorts m_gcc;
    FakeDeviceFiles m_files;
};

TEST_F(DeviceDeliveryTest, StreamBytesPerEdition) {
    EXPECT_EQ(DeviceDelivery::deliveryBytes("IN;", 2), std::string("IN;\0", 4));
    EXPECT_EQ(DeviceDelivery::deliveryBytes("IN;", 12), "IN;");
    EXPECT_EQ(DeviceDelivery::deliveryBytes(std::string("\x1b%\0X", 4), 21), std::string("\x1b%\0X", 4));
    EXPECT_EQ(DeviceDelivery::laserPortKind("GCCUSB1"), 2);
    EXPECT_EQ(DeviceDelivery::laserPortKind("USB001"), 4);
    EXPECT_EQ(DeviceDelivery::laserPortKind("COM2"), 1);
    EXPECT_EQ(DeviceDelivery::laserPortKind("SOCKET:"), 3);
}

TEST_F(DeviceDeliveryTest, SerialDeliveryWaitsAndSendsTheStreamWithItsZero) {
    test::PseudoTerminal pty;
    m_plotter.portType = kPortSerial;
    m_plotter.port = pty.slavePath();
    ASSERT_TRUE(delivery(1).deliverGroup("IN;PU0,0;PD100,0;\x11\x13"));
    EXPECT_EQ(pty.readFromProgram(21), std::string("IN;PU0,0;PD100,0;\x11\x13\0", 20));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(m_ui.nowMs, 1000 + 500);
    EXPECT_EQ(m_status.events, (std::vector<std::string>{"hideProgress", "text:Sending data ..."}));

    // Bytes the plot run converted already go out as they are.
    ASSERT_TRUE(delivery(1).deliverGroupBytes(std::string("PU;\0", 4)));
    EXPECT_EQ(pty.readFromProgram(5, 300), std::string("PU;\0", 4));
}

TEST_F(DeviceDeliveryTest, SerialPeerHangingUpMidJobEndsWithTheCommunicationError) {
    auto pty = std::make_unique<test::PseudoTerminal>();
    m_plotter.portType = kPortSerial;
    m_plotter.port = pty->slavePath();
    int pumpsAfterPause = 0;
    m_ui.onPump = [&] {
        if (m_ui.nowMs >= 1000 && ++pumpsAfterPause == 2) pty->hangUp();  // just before the write
    };
    EXPECT_FALSE(delivery(1).deliverGroup(std::string(5000, 'P')));
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_EQ(m_ui.messages[0].text, "Cutter communication error !\n\nPlease check the port configuration.\nDevice: " + pty->slavePath());
    EXPECT_EQ(m_ui.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(m_ui.messages[0].caption, "Sartovin");
    EXPECT_EQ(m_status.events.back(), "hide");

    m_ui.messages.clear();
    m_ui.onPump = nullptr;
    m_plotter.port = m_dir.file("no-such-tty");
    EXPECT_FALSE(delivery(1).deliverGroup("IN;"));
    EXPECT_EQ(messages(), std::vector<std::string>{"Can not open printer port !\nDevice: " + m_plotter.port +
                                                   "\nNo such file or directory"});
}

TEST_F(DeviceDeliveryTest, ASerialCutterThatStopsReadingEndsTheRunAfterThirtySecondsOrOnCancel) {
    test::PseudoTerminal pty;  // nobody reads: the line fills up and takes nothing more
    m_plotter.portType = kPortSerial;
    m_plotter.port = pty.slavePath();
    const std::string job(1 << 20, 'P');
    EXPECT_FALSE(delivery(1).deliverGroup(job));
    EXPECT_EQ(messages(), std::vector<std::string>{
                              "Cutter communication error !\n\nPlease check the port configuration.\nDevice: " + pty.slavePath()});
    // Thirty seconds after the last byte the line took. The terminal layer takes the odd byte late,
    // in real time, which the virtual clock cannot place: only the lower bound is fixed. That the
    // run ends at all is shown by the call returning with the error.
    EXPECT_GE(m_ui.nowMs, 1000 + 30000);
    EXPECT_EQ(m_status.events.back(), "hide");

    // The port is usable at once: the next job goes out whole.
    pty.readFromProgram(2 << 20, 200);
    m_ui.messages.clear();
    ASSERT_TRUE(delivery(1).deliverGroup("IN;"));
    std::string after = pty.readFromProgram(2 << 20, 300);
    ASSERT_GE(after.size(), 4u);
    EXPECT_EQ(after.substr(after.size() - 4), std::string("IN;\0", 4));

    // The status window's cancel stops the write a few seconds in, without an error message.
    m_ui.nowMs = 0;
    m_status.events.clear();
    m_ui.onPump = [&] { m_status.cancel = m_ui.nowMs >= 4000; };
    EXPECT_FALSE(delivery(1).deliverGroup(job));
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(m_ui.nowMs, 4000) << "stopped at the first look after the cancel";
    EXPECT_EQ(m_status.events.back(), "hide");
}

TEST_F(DeviceDeliveryTest, GccUsbPortFromTheNameAndItsFailures) {
    auto port2 = m_gcc.add(2);
    m_plotter.portType = kPortGccUsb;
    m_plotter.port = "GCCUSB2:";
    ASSERT_TRUE(delivery(1).deliverGroup("IN;"));
    EXPECT_EQ(port2->received, std::string("IN;\0", 4));
    EXPECT_EQ(m_gcc.closes, 1);
    EXPECT_EQ(m_ui.nowMs, 1000 + 100);

    m_plotter.port = "GCCUSB9";  // names no port 0..3: opened as -1, which fails
    EXPECT_FALSE(delivery(1).deliverGroup("IN;"));
    EXPECT_EQ(m_gcc.lastOpenIndex, -1);
    EXPECT_EQ(messages().back(), "Can not open printer port !\nDevice: GCCUSB9");

    m_plotter.port = "GCCUSB2";
    port2->failWrites = true;  // unplugged
    EXPECT_FALSE(delivery(1).deliverGroup("IN;"));
    EXPECT_EQ(messages().back(), "Cutter communication error !\n\nPlease check the port configuration.\nDevice: GCCUSB2");
    EXPECT_EQ(m_gcc.closes, 2);
}

TEST_F(DeviceDeliveryTest, UsbDeviceByModelNameAndShortWrites) {
    m_plotter.portType = kPortUsbDevice;
    m_plotter.usbGccName = "Jaguar V";
    m_usb = {{"USB001", "/dev/usb/lp0", "Jaguar"}, {"USB002", "/dev/usb/lp1", "Jaguar V"}};
    auto lp0 = m_files.add("/dev/usb/lp0");
    auto lp1 = m_files.add("/dev/usb/lp1");
    ASSERT_TRUE(delivery(1).deliverGroup("PU;"));
    EXPECT_EQ(lp1->received, std::string("PU;\0", 4));
    EXPECT_EQ(lp0->received, "");

    lp1->acceptLimit = 5;
    EXPECT_FALSE(delivery(1).deliverGroup("PU0,0;PD;"));
    EXPECT_EQ(messages().back(), "wrote only 5 Bytes\r\nfrom 10 (expected Bytecount)");
    EXPECT_EQ(m_ui.messages.back().icon, MessageIcon::Error);

    lp1->acceptLimit = 0;
    EXPECT_FALSE(delivery(1).deliverGroup("PU;"));
    EXPECT_EQ(messages().back(), "Cutter communication error !\n\nPlease check the port configuration.\nDevice: /dev/usb/lp1");

    m_plotter.usbGccName = "Puma";  // no such device attached
    EXPECT_FALSE(delivery(1).deliverGroup("PU;"));
    EXPECT_EQ(messages().back(), "Can not open printer port !\nDevice: Puma");
    lp1->openable = false;
    m_plotter.usbGccName = "Jaguar V";
    EXPECT_FALSE(delivery(1).deliverGroup("PU;"));
    EXPECT_EQ(messages().back(), "Can not open printer port !\nDevice: /dev/usb/lp1\nNo such file or directory");
    EXPECT_EQ(m_ui.messages.size(), 4u);

    // A device without a model is stored by its port name and reached by it.
    auto lp2 = m_files.add("/dev/usb/lp2");
    m_usb.push_back({"USB003", "/dev/usb/lp2", ""});
    m_plotter.usbGccName = "USB003";
    ASSERT_TRUE(delivery(1).directSend("IN;"));
    EXPECT_EQ(lp2->received, std::string("IN;\0", 4));
}

TEST_F(DeviceDeliveryTest, SpoolerWriteSendsTheRestASecondLaterAndGivesUpAfterThirtyWaits) {
    auto& q = m_spooler.add("Cutter");
    q.takes = {1000, 2000};
    std::string block(3000, 'x');
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 7);
    auto printer = m_spooler.openPrinter("Cutter");
    ASSERT_TRUE(spoolerWrite(*printer, block, m_texts, m_ui));
    EXPECT_EQ(q.document, block);
    ASSERT_EQ(q.writes.size(), 2u);
    EXPECT_EQ(q.writes[1].first - q.writes[0].first, 1000);
    EXPECT_EQ(q.writes[1].second, 1000u);  // from byte 1001 on
    EXPECT_EQ(q.documentName, "Sartovin Job");

    auto& stuck = m_spooler.add("Stuck");
    stuck.takes = std::deque<std::size_t>(100, 0);
    auto printer2 = m_spooler.openPrinter("Stuck");
    long long before = m_ui.nowMs;
    EXPECT_FALSE(spoolerWrite(*printer2, block, m_texts, m_ui));
    EXPECT_EQ(m_ui.nowMs - before, 30 * 1000);
    EXPECT_EQ(stuck.writes.size(), 30u);
    EXPECT_TRUE(messages().empty());  // the caller reports it

    auto& refusing = m_spooler.add("Refusing");
    refusing.startFails = true;
    auto printer3 = m_spooler.openPrinter("Refusing");
    EXPECT_FALSE(spoolerWrite(*printer3, block, m_texts, m_ui));
    EXPECT_EQ(messages(), std::vector<std::string>{"The print spooler refused the job."});
}

TEST_F(DeviceDeliveryTest, AStuckSpoolerEndsTheRunWithTheCommunicationError) {
    auto& stuck = m_spooler.add("Cutter");
    stuck.takes = std::deque<std::size_t>(100, 10);
    m_plotter.portType = kPortPrinter;
    m_plotter.port = "Cutter";
    EXPECT_FALSE(delivery(1).deliverGroup(std::string(1000, 'a')));
    EXPECT_EQ(messages(), std::vector<std::string>{
                              "Cutter communication error !\n\nPlease check the port configuration.\nPrint queue: Cutter"});
    EXPECT_TRUE(stuck.ended);
    EXPECT_EQ(m_ui.nowMs, 1000 + 100 + 30 * 1000);
}

TEST_F(DeviceDeliveryTest, AQueuedJobIsFollowedToItsEnd) {
    using Stage = PrintJobState::Stage;
    auto& q = m_spooler.add("Cutter");
    m_plotter.portType = kPortPrinter;
    m_plotter.port = "Cutter";
    const std::string stream = "IN;PU0,0;";

    q.jobStates = {{Stage::Waiting, ""}, {Stage::Waiting, ""}, {Stage::Completed, ""}};
    DeviceDelivery done = delivery(1);
    ASSERT_TRUE(done.deliverGroup(stream));
    EXPECT_EQ(done.queueOutcome(), DeviceDelivery::QueueOutcome::Completed);
    EXPECT_EQ(q.jobStateQuestions, 3);
    EXPECT_EQ(m_status.events.back(), "text:Waiting for the print queue Cutter ...");

    // The device's backend failed: the queue stopped with the job still in it.
    q.jobStates = {{Stage::Waiting, ""}, {Stage::Failed, "Backend returned status 1"}};
    DeviceDelivery failed = delivery(1);
    EXPECT_FALSE(failed.deliverGroup(stream));
    EXPECT_EQ(failed.queueOutcome(), DeviceDelivery::QueueOutcome::Failed);
    EXPECT_EQ(messages(), std::vector<std::string>{"The print queue Cutter did not pass the job on to the "
                                                   "cutter.\nBackend returned status 1"});
    EXPECT_EQ(m_status.events.back(), "hide");

    // Still on its way after the wait: the queue goes on with it, and the caller is told so.
    q.jobStates = {{Stage::Waiting, ""}};
    q.jobStateQuestions = 0;
    DeviceDelivery slow = delivery(1);
    EXPECT_TRUE(slow.deliverGroup(stream));
    EXPECT_EQ(slow.queueOutcome(), DeviceDelivery::QueueOutcome::StillQueued);
    EXPECT_EQ(q.jobStateQuestions, 20);

    // A spooler that no longer answers ends the wait with its own message.
    q.jobStates = {{Stage::Unknown, ""}};
    EXPECT_FALSE(delivery(1).deliverGroup(stream));
    EXPECT_EQ(messages().back(), "The print queue Cutter does not say whether the job reached the cutter.");

    // Commands sent at once are not followed.
    q.jobStateQuestions = 0;
    EXPECT_TRUE(delivery(1).directSend("IN;"));
    EXPECT_EQ(q.jobStateQuestions, 0);
}

TEST_F(DeviceDeliveryTest, LaserEditionPicksTheChannelFromThePrintersPortName) {
    m_plotter.portType = kPortPrinter;
    m_plotter.port = "Engraver";
    const std::string job("\x1b%-12345X@PJL\0\xff", 15);

    auto& engraver = m_spooler.add("Engraver", "SOCKET:");
    ASSERT_TRUE(delivery(21).deliverGroup(job));
    EXPECT_EQ(engraver.document, job);  // unchanged: no terminating zero

    engraver.info.portName = "GCCUSB1";
    auto port1 = m_gcc.add(1);
    ASSERT_TRUE(delivery(21).deliverGroup(job));
    EXPECT_EQ(port1->received, job);

    engraver.info.portName = "USB002";
    m_usb = {
        {"USB001", "/dev/usb/lp0", ""}, {"USB002", "/dev/usb/lp1", ""}, {"USB003", "/dev/usb/lp2", "CC200"}};
    auto lp1 = m_files.add("/dev/usb/lp1");
    ASSERT_TRUE(delivery(20).deliverGroup(job));
    EXPECT_EQ(lp1->received, job);  // the last device without a model name

    test::PseudoTerminal pty;
    engraver.info.portName = "COM1";
    engraver.info.deviceUri = "serial:" + pty.slavePath() + "?baud=9600";
    ASSERT_TRUE(delivery(22).deliverGroup(job));
    EXPECT_EQ(pty.readFromProgram(job.size()), job);

    m_plotter.port = "Gone";  // a printer that does not exist
    EXPECT_FALSE(delivery(21).deliverGroup(job));
    EXPECT_EQ(messages(), std::vector<std::string>{"Can not open printer port !\nPrint queue: Gone"});
}

TEST_F(DeviceDeliveryTest, RealSpoolerDeliveryAndAStoppedQueue) {
    if (!test::PrivateCupsd::installed()) GTEST_SKIP() << "cupsd is not installed";
    test::PrivateCupsd cupsd;
    ASSERT_TRUE(cupsd.running()) << cupsd.problem();
    std::string out = cupsd.addCaptureQueue("Cutter");
    std::string stoppedOut = cupsd.addCaptureQueue("Stopped");
    ASSERT_TRUE(cupsd.admin("cupsdisable", "Stopped")) << cupsd.lastOutput();
    CupsSpooler spooler(cupsd.socketPath());
    m_plotter.portType = kPortPrinter;
    m_plotter.port = "Cutter";
    const std::string stream = "IN;\x1b.C1;0;:PU0,0;PD400,0;";
    ASSERT_TRUE(delivery(1, &spooler).deliverGroup(stream));
    EXPECT_EQ(cupsd.waitForFile(out, stream.size() + 1), stream + std::string(1, '\0'));

    m_plotter.port = "Stopped";
    EXPECT_FALSE(delivery(1, &spooler).deliverGroup(stream));
    EXPECT_EQ(messages(), (std::vector<std::string>{
                              "The print spooler refused the job.",
                              "Cutter communication error !\n\nPlease check the port configuration.\nPrint queue: Stopped"}));
    m_plotter.port = "Nobody";
    EXPECT_FALSE(delivery(1, &spooler).deliverGroup(stream));
    EXPECT_EQ(messages().back(), "Can not open printer port !\nPrint queue: Nobody");
    EXPECT_EQ(test::readFile(stoppedOut), "");
}

TEST_F(DeviceDeliveryTest, RealSpoolerJobsThatNeverReachTheCutterAreReported) {
    if (!test::PrivateCupsd::installed()) GTEST_SKIP() << "cupsd is not installed";
    test::PrivateCupsd cupsd;
    ASSERT_TRUE(cupsd.running()) << cupsd.problem();
    ASSERT_TRUE(cupsd.addQueue("Broken", "capture:nowhere")) << cupsd.lastOutput();  // its backend fails
    CupsSpooler spooler(cupsd.socketPath());
    m_plotter.portType = kPortPrinter;
    m_plotter.port = "Broken";
    DeviceDelivery broken = delivery(1, &spooler);
    EXPECT_FALSE(broken.deliverGroup("IN;PU0,0;"));
    EXPECT_EQ(broken.queueOutcome(), DeviceDelivery::QueueOutcome::Failed);
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(messages().back().rfind("The print queue Broken did not pass the job on to the cutter.", 0), 0u)
        << messages().back();
    // Withdrawn, so that the queue does not try it again on its own later.
    ASSERT_TRUE(cupsd.admin("lpstat", "-o Broken"));
    EXPECT_EQ(cupsd.lastOutput(), "");

    // The queue is deleted while its job waits for the device.
    ASSERT_TRUE(cupsd.addQueue("Doomed", "capture:" + cupsd.file("doomed.slow"))) << cupsd.lastOutput();
    m_plotter.port = "Doomed";
    auto pending = std::async(std::launch::async, [&] {
        DeviceDelivery d = delivery(1, &spooler);
        bool ok = d.deliverGroup("IN;PU0,0;");
        return std::make_pair(ok, d.queueOutcome());
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    ASSERT_TRUE(cupsd.admin("lpadmin", "-x Doomed")) << cupsd.lastOutput();
    auto [ok, outcome] = pending.get();
    EXPECT_FALSE(ok);
    EXPECT_EQ(outcome, DeviceDelivery::QueueOutcome::Failed);
    EXPECT_EQ(messages().back().rfind("The print queue Doomed did not pass the job on to the cutter.", 0), 0u)
        << messages().back();
}

TEST_F(DeviceDeliveryTest, DirectSendPerPortKind) {
    // No port at all.
    m_plotter.portType = kPortSerial;
    EXPECT_FALSE(delivery(12).directSend("TT"));
    ASSERT_EQ(m_ui.messages.size(), 1u);
    EXPECT_EQ(m_ui.messages[0].caption, "Sartovin");
    EXPECT_EQ(m_ui.messages[0].icon, MessageIcon::Exclamation);

    // Serial, hobby edition: no terminating zero, no first pause.
    test::PseudoTerminal pty;
    m_plotter.port = pty.slavePath();
    ASSERT_TRUE(delivery(12).directSend("FN0\x03TT\x03"));
    EXPECT_EQ(pty.readFromProgram(8), "FN0\x03TT\x03");
    EXPECT_EQ(m_ui.nowMs, 500);

    // GCC USB without an index in the name: the communication error, without a caption.
    m_plotter.portType = kPortGccUsb;
    m_plotter.port = "USB001";
    EXPECT_FALSE(delivery(1).directSend("IN;"));
    EXPECT_EQ(m_ui.messages.back().text,
              "Cutter communication error !\n\nPlease check the port configuration.\nDevice: USB001");
    EXPECT_EQ(m_ui.messages.back().caption, "");
    EXPECT_EQ(m_gcc.opens, 0);

    // A USB device that cannot be opened: false, quietly; one that fails the write: reported.
    m_plotter.portType = kPortUsbDevice;
    m_plotter.usbGccName = "CC200";
    m_usb = {{"USB001", "/dev/usb/lp0", "CC200"}};
    std::size_t shown = m_ui.messages.size();
    EXPECT_FALSE(delivery(12).directSend("TT"));
    EXPECT_EQ(m_ui.messages.size(), shown);
    auto lp0 = m_files.add("/dev/usb/lp0");
    ASSERT_TRUE(delivery(12).directSend("TT"));
    EXPECT_EQ(lp0->received, "TT");
    lp0->failWrites = true;
    EXPECT_FALSE(delivery(12).directSend("TT"));
    EXPECT_EQ(m_ui.messages.size(), shown + 1);

    // Printer: a missing printer carries the caption.
    m_plotter.portType = kPortPrinter;
    m_plotter.port = "Nobody";
    EXPECT_FALSE(delivery(1).directSend("IN;"));
    EXPECT_EQ(m_ui.messages.back().text, "Can not open printer port !\nPrint queue: Nobody");
    EXPECT_EQ(m_ui.messages.back().caption, "Sartovin");
    auto& q = m_spooler.add("Nobody");
    ASSERT_TRUE(delivery(1).directSend("IN;"));
    EXPECT_EQ(q.document, std::string("IN;\0", 4));
}

TEST_F(DeviceDeliveryTest, PortCheckRunsTheConfigurationOnceAndNamesTheEditionsText) {
    int identified = 0, configured = 0;
    m_plotter.portType = kPortUsbDevice;
    m_plotter.port = "COM1";  // not what kind 4 needs
    EXPECT_FALSE(ensurePort(
        m_plotter, 11, m_texts, m_ui, [&] { ++identified; }, [&] { ++configured; }));
    EXPECT_EQ(identified, 1);
    EXPECT_EQ(configured, 1);
    EXPECT_EQ(messages(), std::vector<std::string>{"Please choose the port of your cutter first."});
    EXPECT_FALSE(ensurePort(m_plotter, 2, m_texts, m_ui, nullptr, nullptr));
    EXPECT_EQ(messages().back(), "You have to select a port for this cutter !\r\nThe Job will be canceled.");
    EXPECT_TRUE(ensurePort(m_plotter, 2, m_texts, m_ui, nullptr, [&] { m_plotter.usbGccName = "Jaguar V"; }));
    EXPECT_TRUE(ensurePort(m_plotter, 2, m_texts, m_ui, nullptr, [&] { ++configured; }));
    EXPECT_EQ(configured, 1);  // a plotter with its port asks nothing
}

TEST_F(DeviceDeliveryTest, DisplayToolWindowBlocksOnlyWhenItsTitleBeginsWithVlcd) {
    test::FakeWindows windows;
    std::vector<ProcessInfo> running{{42, "VLCD", "/opt/gcc/VLCD"}};
    ProcessLister processes = [&] { return running; };
    windows.windows = {{"Sartovin", 1}, {"My VLCD notes", 2}};
    EXPECT_FALSE(deviceBusy(&windows, processes, m_texts, m_ui));  // the display is asked, not /proc
    windows.windows.push_back({"VLCD - GCCUSB0", 3});
    EXPECT_EQ(findDisplayTool(&windows, processes), "VLCD - GCCUSB0");
    EXPECT_TRUE(deviceBusy(&windows, processes, m_texts, m_ui));
    EXPECT_EQ(messages(), std::vector<std::string>{"Please stop the VLCD application first."});
    EXPECT_EQ(m_ui.messages[0].icon, MessageIcon::Exclamation);

    windows.display = false;
    EXPECT_EQ(findDisplayTool(&windows, processes), "VLCD");
    running = {{7, "xVLCD", ""}};
    EXPECT_FALSE(findDisplayTool(&windows, processes));
    EXPECT_FALSE(findDisplayTool(nullptr, nullptr));

    EXPECT_EQ(displayToolFor(kPortSerial, ""), "VLCD.exe");
    EXPECT_EQ(displayToolFor(kPortUsbDevice, ""), "VLCD2.exe");
    EXPECT_EQ(displayToolFor(kPortPrinter, "GCCUSB1"), "VLCD.exe");
    EXPECT_EQ(displayToolFor(kPortPrinter, "USB002"), "VLCD2.exe");
    EXPECT_EQ(displayToolFor(kPortPrinter, "SOCKET:"), "");
}

}  // namespace
}  // namespace sartovin
