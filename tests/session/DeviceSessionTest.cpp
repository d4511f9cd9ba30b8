// The one device glue on fakes of the system's services: the port configuration, the cut command
// with its busy check, port check and delivery, the connected cutter's identification and what it
// decides, and the display tool.

#include "session/DeviceSession.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "StartedProgram.h"
#include "platform/SystemProcessList.h"
#include "platform/UsbLpGccUsbPorts.h"
#include "plot/ScriptedPlotProgress.h"
#include "session/CutCommand.h"
#include "session/MainWindowModel.h"
#include "support/FakeDesktop.h"
#include "support/FakeDeviceTree.h"
#include "support/FakeDevices.h"
#include "support/FakeSpooler.h"
#include "support/SerialCutter.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::ScopedEnv;
using test::TempDir;
using test::writeFile;

const char* kSquare =
    "Sartovin Daten von AI.\r\nQXSeite\r\n100 100\r\nQXEbene\r\nE\r\nQXObjekt\r\nQXAuswahl\r\nnein\r\n"
    "QXKoordinaten\r\n0 10 10 0\r\nQXFuellfarbe\r\nkeine\r\n\r\n\r\nQXStart\r\nQXGeschlossen\r\nja\r\n"
    "C 0 0 0 0 0 0\r\nC 10 0 10 0 10 0\r\nC 10 10 10 10 10 10\r\nQXEnde\r\n";

// The program's start-up in a private folder, a square to cut, and fakes of everything outside.
class DeviceSessionTest : public test::StartedProgram {
protected:
    DeviceSessionTest() : StartedProgram(kSquare) { spooler.clock = &ui; }

    DeviceServices services() {
        return DeviceServices{spooler, gcc, files, usb, windows, processes, tree.sysRoot(), tree.devRoot()};
    }

    // The model with the square and its pages open, on `plotter` connected by `portType`/`port`.
    std::unique_ptr<MainWindowModel> openModel(const std::string& plotter, int portType = 0,
                                               const std::string& port = "") {
        Settings settings(app.iniPath);
        settings.writeString("State", "Plotter", plotter);
        if (portType) {
            settings.writeString(plotter, "PortType", std::to_string(portType));
            settings.writeString(plotter, "Port", port);
        }
        return StartedProgram::openModel();
    }

    DeviceSession session() { return DeviceSession(app.startMode, texts, ui, services(), app.iniPath); }

    test::FakeSpooler spooler;
    test::FakeGccUsbPorts gcc;
    test::FakeDeviceFiles files;
    test::FakeDeviceTree tree;
    UsbPrinterDevices usb{tree.sysRoot(), tree.devRoot()};
    test::FakeWindows windows;
    test::FakeProcesses processes;
    ScriptedPlotProgress progress;
};

TEST_F(DeviceSessionTest, AnOnlySerialDeviceWaitsForTheUserAndItsConfirmationAsksTheCutterAtOnce) {
    // The only connection: a serial port with a Jaguar on its line; nothing tells the program so.
    test::SerialCutter jaguar;
    jaguar.answers["\x1b.R4:"] = "OR4,Jaguar IV,GCC,1.10;";
    jaguar.answers["\x1b.R1:"] = "OR1,300,120,250,20,1,0,1;";
    jaguar.answers["OH;"] = "0,0,40000,24000";
    ui.onPump = [&] { jaguar.poll(); };
    std::string node = tree.addSerialPort("ttyUSB0", jaguar.path());
    auto model = openModel("Jaguar IV 61");
    DeviceSession devices = session();
    int dialogs = 0;
    bool confirm = false;
    DeviceSessionHooks hooks;
    hooks.portDialog = [&](const PlotterPortList&, const DeviceSessionHooks::StoreChoice& store) {
        ++dialogs;
        if (confirm) store(0);
    };
    devices.setHooks(hooks);
    EXPECT_FALSE(devices.configurePort(*model));
    EXPECT_EQ(dialogs, 1) << "a serial device is offered, never taken by itself";
    EXPECT_EQ(model->currentPlotter()->portType, kPortNone);
    EXPECT_EQ(Settings(app.iniPath).readString("Jaguar IV 61", "Port"), "");
    EXPECT_TRUE(ui.messages.empty()) << "no hint and no attempt to reach the cutter";
    EXPECT_TRUE(jaguar.received().empty());

    confirm = true;
    EXPECT_TRUE(devices.configurePort(*model));
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(model->currentPlotter()->portType, kPortSerial);
    EXPECT_EQ(model->currentPlotter()->port, node);
    EXPECT_EQ(Settings(app.iniPath).readString("Jaguar IV 61", "Port"), node);
    EXPECT_EQ(ui.messageTexts().front(), texts.text(TextId::SerialPortPrinterHint));
    // The media query followed the stored choice.
    EXPECT_EQ(jaguar.received().substr(0, 5), "\x1b.R4:");
    EXPECT_EQ(model->currentPlotter()->firmware, "1.10");
    EXPECT_EQ(model->layout().mediumWidth(), 600);
}

TEST_F(DeviceSessionTest, AGccCutterOnUsblpIsListedChosenAndAskedWhileOtherPrintersGetNoByte) {
    // A hobby cutter, an office printer and a GCC cutter on usblp. The driver cannot count its
    // input, reads come back short, and the settings reply arrives in two pieces.
    tree.addLp(0, "MFG:Hobby;MDL:CC200-20;");
    tree.addLp(1, "MFG:Office;MDL:LaserPrint 5;");
    tree.addLp(2, "MFG:GCC;MDL:Jaguar IV;");
    auto hobby = files.add(tree.file("dev/usb/lp0"));
    auto office = files.add(tree.file("dev/usb/lp1"));
    auto jaguar = files.add(tree.file("dev/usb/lp2"));
    jaguar->replies = {"OR4,GCC,Jaguar IV,1.10;", "OR4,Jaguar IV 61 with its long model field,GCC,1.10,7;",
                       "OR1,300,120,250,20,1,0,1;", "0,0,40000,24000\r"};
    UsbLpGccUsbPorts ports(usb, files);
    DeviceServices withPorts{spooler, ports, files, usb, windows, processes, tree.sysRoot(), tree.devRoot()};
    auto model = openModel("Jaguar IV 61");
    DeviceSession devices(app.startMode, texts, ui, withPorts, app.iniPath);
    devices.identifyUsb();
    jaguar->readChunk = 8;
    jaguar->splitAt = 10;
    std::vector<std::string> shown;
    DeviceSessionHooks hooks;
    hooks.portDialog = [&](const PlotterPortList& list, const DeviceSessionHooks::StoreChoice& store) {
        shown = list.items();
        store(2);
    };
    devices.setHooks(hooks);
    ASSERT_TRUE(devices.configurePort(*model));
    EXPECT_EQ(shown, (std::vector<std::string>{"USB002", "USB - Jaguar IV", "GCCUSB0"}));
    EXPECT_EQ(model->currentPlotter()->portType, kPortGccUsb);
    EXPECT_EQ(model->currentPlotter()->identificationReply,
              "OR4,Jaguar IV 61 with its long model field,GCC,1.10,7;");
    EXPECT_EQ(model->currentPlotter()->deviceSettings[0], 300);
    EXPECT_EQ(model->currentPlotter()->deviceSettings[6], 1);
    EXPECT_EQ(model->layout().mediumWidth(), 600);
    EXPECT_EQ(jaguar->received, std::string("\x1b.R4:\0", 6) + "\x1b.R4:\x1b.R1:OH;");
    EXPECT_EQ(office->received, "");
    EXPECT_EQ(hobby->received, "");
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{}) << "no communication error";
}

TEST_F(DeviceSessionTest, ATestCutWithoutAPortRunsThePortConfigurationFirst) {
    auto model = openModel("Jaguar IV 61");
    DeviceSession devices = session();
    auto testCut = devices.makeTestCut(*model, app.dataFolder + "TestCut.qxdat");
    testCut->setTestCutMode(true);
    // No connection at all: the configuration finds nothing to store, then the port is missing.
    EXPECT_FALSE(devices.testCut(*model, *testCut));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{texts.text(TextId::NoPortSelected)});

    ui.messages.clear();
    test::SerialCutter jaguar;
    jaguar.answers["\x1b.R4:"] = "OR4,Jaguar IV,GCC,1.10;";
    jaguar.answers["\x1b.R1:"] = "OR1,300,120,250,20,1,0,1;";
    jaguar.answers["OH;"] = "0,0,40000,24000\r";
    ui.onPump = [&] { jaguar.poll(); };
    std::string node = tree.addSerialPort("ttyUSB0", jaguar.path());
    // A lone serial device is offered; the user confirms it in the configuration.
    int dialogs = 0;
    DeviceSessionHooks hooks;
    hooks.portDialog = [&](const PlotterPortList&, const DeviceSessionHooks::StoreChoice& store) {
        ++dialogs;
        store(0);
    };
    devices.setHooks(hooks);
    ASSERT_TRUE(devices.testCut(*model, *testCut));
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(model->currentPlotter()->port, node);
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{texts.text(TextId::SerialPortPrinterHint)});
    EXPECT_EQ(jaguar.received().rfind("\x1b.R4:", 0), 0u) << "the stored choice is asked first";
    jaguar.poll();
    const std::string pattern = jaguar.receivedAfterAnswers();
    EXPECT_EQ(pattern.rfind("IN;", 0), 0u) << pattern;
    EXPECT_EQ(pattern.back(), '\0');
}

TEST_F(DeviceSessionTest, TwoConnectionsWaitForTheDialogAndItsCancelStoresNothing) {
    auto model = openModel("Jaguar IV 61");
    spooler.add("Office");
    spooler.add("Cutter");
    DeviceSession devices = session();
    std::vector<std::string> shown;
    int answer = -1;
    DeviceSessionHooks hooks;
    hooks.portDialog = [&](const PlotterPortList& list, const DeviceSessionHooks::StoreChoice& store) {
        shown = list.items();
        if (answer >= 0) store(answer);
    };
    devices.setHooks(hooks);
    EXPECT_FALSE(devices.configurePort(*model));
    EXPECT_EQ(shown, (std::vector<std::string>{"Cutter", "Office"}));
    EXPECT_EQ(model->currentPlotter()->portType, kPortNone);
    EXPECT_EQ(Settings(app.iniPath).readString("Jaguar IV 61", "PortType"), "");

    answer = 0;
    EXPECT_TRUE(devices.configurePort(*model));
    EXPECT_EQ(Settings(app.iniPath).readString("Jaguar IV 61", "PortType"), "3");
    EXPECT_EQ(model->currentPlotter()->port, "Cutter");
}

TEST_F(DeviceSessionTest, TheCutCommandChecksTheDisplayToolAndThePortBeforeItSends) {
    auto model = openModel("Jaguar IV 61", kPortPrinter, "Cutter");
    auto& queue = spooler.add("Cutter");
    DeviceSession devices = session();
    PlotContext context{ui, texts, progress};
    std::string stream;

    windows.windows = {{"VLCD - GCC", 7}};
    CutCommandResult busy;
    EXPECT_FALSE(runCutCommand(*model, devices, context, nullptr, stream, busy));
    EXPECT_TRUE(busy.busy);
    EXPECT_FALSE(busy.started);
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{texts.text(TextId::StopVlcdFirst)});
    EXPECT_TRUE(queue.documents.empty());

    windows.windows.clear();
    CutCommandResult sent;
    const long long before = ui.nowMs;
    EXPECT_TRUE(runCutCommand(*model, devices, context, nullptr, stream, sent));
    // The writer's 400 ms, 1000 ms before the delivery, 100 ms before the printer opens, and one
    // pause of 500 ms at the end of the run.
    EXPECT_EQ(ui.nowMs - before, 400 + 1000 + 100 + 500);
    ASSERT_TRUE(sent.started);
    ASSERT_EQ(queue.documents.size(), 1u);
    EXPECT_EQ(sent.bytesSent, queue.documents[0].size());
    EXPECT_EQ(queue.documents[0], stream + std::string(1, '\0'));

    // The stream written to a file instead is the same, and nothing is asked or sent for it.
    std::string offline, offlineStream;
    CutCommandResult written;
    EXPECT_TRUE(runCutCommandToSink(
        *model, context,
        [&](const std::string& bytes) {
            offline += bytes;
            return true;
        },
        offlineStream, written));
    EXPECT_EQ(written.bytesSent, offline.size());
    EXPECT_EQ(offline, queue.documents[0]);
    EXPECT_EQ(queue.documents.size(), 1u);
}

TEST_F(DeviceSessionTest, AJobBeyondTheMediumIsSentOnlyWhenTheUserSaysSo) {
    auto model = openModel("Jaguar IV 61", kPortPrinter, "Cutter");
    auto& queue = spooler.add("Cutter");
    DeviceSession devices = session();
    PlotContext context{ui, texts, progress};
    std::string stream;
    // A registration-mark job keeps its size, so a narrow medium leaves it hanging over.
    model->jobState().marksMode = true;
    model->layout().setMediumWidth(50);
    ASSERT_TRUE(model->layout().jobLeavesMedium());

    ui.answers = {MessageAnswer::No};
    CutCommandResult declined;
    EXPECT_FALSE(runCutCommand(*model, devices, context, nullptr, stream, declined));
    EXPECT_TRUE(declined.declined);
    EXPECT_FALSE(declined.started);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_TRUE(queue.documents.empty());

    ui.answers = {MessageAnswer::Yes};
    CutCommandResult asked;
    runCutCommand(*model, devices, context, nullptr, stream, asked);
    EXPECT_FALSE(asked.declined);
    EXPECT_TRUE(asked.started);
}

TEST_F(DeviceSessionTest, WithoutAPortTheCutCommandIdentifiesConfiguresAndCancels) {
    auto model = openModel("Jaguar IV 61");
    spooler.add("Office");
    spooler.add("Cutter");
    tree.addLp(0, "MFG:GCC;MDL:Jaguar IV;");
    files.add(tree.file("dev/usb/lp0"))->replies.push_back("OR4,GCC,Jaguar IV,1.10;");
    DeviceSession devices = session();
    int dialogs = 0;
    DeviceSessionHooks hooks;
    hooks.portDialog = [&](const PlotterPortList& list, const DeviceSessionHooks::StoreChoice&) {
        ++dialogs;
        // The USB cutters were identified just before: the one attached leads the list.
        EXPECT_EQ(list.items().front(), "USB - Jaguar IV");
    };
    devices.setHooks(hooks);
    PlotContext context{ui, texts, progress};
    std::string stream;
    CutCommandResult r;
    EXPECT_FALSE(runCutCommand(*model, devices, context, nullptr, stream, r));
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(r.noPort);
    EXPECT_FALSE(r.started);
    EXPECT_EQ(ui.messageTexts().back(), texts.text(TextId::NoPortSelected));
    for (auto& [name, queue] : spooler.queues) EXPECT_TRUE(queue.documents.empty()) << name;
}

TEST_F(DeviceSessionTest, TheConnectedSablesAnswerBringsItsSettingsBlockAndModelStandsInForIt) {
    test::SerialCutter sable;
    sable.answers["\x1b.R4:"] = "OR4,GCC,Sable 60,1.16;";
    sable.answers["\x1b.R1:"] = "OR1,3,120,250,20,1,0,1;";
    ui.onPump = [&] { sable.poll(); };
    auto model = openModel("Sable 60", kPortSerial, sable.path());
    DeviceSession devices = session();
    const std::string withoutAnswer = model->plotParameters().modelDescription;
    EXPECT_EQ(withoutAnswer, "");

    devices.identifyCutter(*model);
    EXPECT_EQ(model->plotParameters().modelDescription, "Sable 60");
    EXPECT_EQ(sable.received().substr(0, 5), "\x1b.R4:");

    PlotContext context{ui, texts, progress};
    std::string stream;
    CutCommandResult r;
    EXPECT_TRUE(runCutCommand(*model, devices, context, nullptr, stream, r));
    ASSERT_EQ(r.run.groupsSent, 1);
    std::string delivered = sable.receivedAfterAnswers();
    for (int i = 0; i < 50 && delivered.size() < r.bytesSent; ++i) {
        sable.poll();
        delivered = sable.receivedAfterAnswers();
    }
    // The hard-clip question got no answer; what follows it is the job, with the Sable's block.
    delivered = delivered.substr(delivered.find("IN;"));
    EXPECT_EQ(test::settingsBlock(delivered),
              "\x1b.C1;16;2:\x1b.C1;22;" + std::to_string(model->options().force()) + ":\x1b.C1;0;:")
        << delivered.substr(0, 60);

    // Offline, the model given by hand makes the same bytes; without it there is no block.
    MainWindowModel& offlineModel = *model;
    offlineModel.plotters().current()->identificationReply.clear();
    offlineModel.setAssumedModelDescription("Sable 60");
    std::string offline, offlineStream;
    runCutCommandToSink(
        offlineModel, context, [&](const std::string& b) { return offline += b, true; }, offlineStream, r);
    EXPECT_EQ(offline, delivered);
    offlineModel.setAssumedModelDescription("");
    offline.clear();
    runCutCommandToSink(
        offlineModel, context, [&](const std::string& b) { return offline += b, true; }, offlineStream, r);
    EXPECT_EQ(test::settingsBlock(offline), "");
}

TEST_F(DeviceSessionTest, TheRunningDisplayToolIsBroughtToTheFrontOrSaidToRun) {
    auto model = openModel("Jaguar IV 61", kPortPrinter, "Cutter");
    spooler.add("Cutter");
    DeviceSession devices = session();
    PlotterRecord& plotter = *model->plotters().current();
    windows.windows = {{"Editor", 1, 11}, {"VLCD - GCCUSB0", 2, 22}};

    // The busy check of the cut command, the media query and the test cut raise its window.
    PlotContext context{ui, texts, progress};
    std::string stream;
    CutCommandResult busy;
    EXPECT_FALSE(runCutCommand(*model, devices, context, nullptr, stream, busy));
    EXPECT_TRUE(busy.busy);
    EXPECT_EQ(windows.activated, std::vector<std::string>{"VLCD - GCCUSB0"});
    EXPECT_EQ(windows.windows.front().title, "VLCD - GCCUSB0");
    EXPECT_FALSE(devices.queryMedium(*model, true));
    auto testCut = devices.makeTestCut(*model, app.dataFolder + "TestCut.qxdat");
    EXPECT_FALSE(devices.testCut(*model, *testCut));
    EXPECT_EQ(windows.activated.size(), 3u);
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>(3, texts.text(TextId::StopVlcdFirst)));

    // The display-tool button raises it too, and says nothing more.
    ui.messages.clear();
    EXPECT_FALSE(devices.startDisplayTool(plotter, dir.file("prog/")));
    EXPECT_EQ(windows.activated.size(), 4u);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(processes.started.empty());

    // Without a display the running process is found, and the button says that it runs.
    windows.display = false;
    processes.running = {{33, "VLCD.exe", ""}};
    EXPECT_FALSE(devices.startDisplayTool(plotter, dir.file("prog/")));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"The VLCD display tool is already running."});
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(windows.activated.size(), 4u);
    EXPECT_TRUE(processes.started.empty());
}

TEST_F(DeviceSessionTest, TheDisplayToolStartsForItsConnectionOnly) {
    ScopedEnv noDisplay("DISPLAY", std::nullopt);
    SystemProcessList realProcesses;
    DeviceServices system = services();
    DeviceServices withRealProcesses{system.spooler, system.gccUsb, system.deviceFiles, system.usbPrinters,
                                     system.windows, realProcesses, system.sysRoot,     system.devRoot};
    windows.display = false;
    DeviceSession devices(2, texts, ui, withRealProcesses, app.iniPath);

    PlotterRecord plotter;
    plotter.name = "Jaguar IV 61";
    EXPECT_FALSE(devices.startDisplayTool(plotter, dir.file("prog/")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, texts.text(TextId::NoPortSelected));

    plotter.portType = kPortSerial;
    plotter.port = "/dev/ttyUSB0";
    EXPECT_FALSE(devices.startDisplayTool(plotter, dir.file("prog/")));  // the tool is not installed

    std::string marker = dir.file("started");
    writeFile(dir.file("prog/VLCD.exe"), "#!/bin/sh\ntouch '" + marker + "'\n");
    ::chmod(dir.file("prog/VLCD.exe").c_str(), 0755);
    writeFile(dir.file("prog/VLCD2.exe"), "#!/bin/sh\ntouch '" + marker + "2'\n");
    ::chmod(dir.file("prog/VLCD2.exe").c_str(), 0755);
    EXPECT_TRUE(devices.startDisplayTool(plotter, dir.file("prog/")));
    for (int i = 0; i < 100 && !std::filesystem::exists(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_TRUE(std::filesystem::exists(marker));
    EXPECT_FALSE(std::filesystem::exists(marker + "2"));  // serial cutters use the first tool
    EXPECT_EQ(ui.messages.size(), 1u);
}

}  // namespace
}  // namespace sartovin
