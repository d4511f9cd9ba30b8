// sartovin ports / query / testcut: the connection of the selected plotter, the cutter's own
// report of its settings and medium, and one test cut with the current options.

#include <cstdio>
#include <memory>

#include "base/Settings.h"
#include "base/StartMode.h"
#include "base/Texts.h"
#include "cli/Cli.h"
#include "platform/ConsoleInteraction.h"
#include "platform/Files.h"
#include "platform/SystemFolders.h"
#include "plot/TestCut.h"
#include "session/DeviceSession.h"
#include "session/MainWindowModel.h"

namespace sartovin::cli {

namespace {

// Start-up, the plotter catalog and the plotter to work on, as the main window sets them up.
struct Setup {
    ConsoleInteraction ui;
    CTarnelWinCApp app;
    std::unique_ptr<Texts> texts;
    std::unique_ptr<MainWindowModel> model;
};

bool setUp(Setup& s, Args& args, const char* command) {
    std::string programPath, modeText, plotter;
    takeOption(args, "--program-path", programPath);
    takeOption(args, "--plotter", plotter);
    if (takeOption(args, "--start-mode", modeText)) {
        int mode = 0;
        if (!parseInt(modeText, mode) || !StartMode(mode).isKnown()) {
            std::fprintf(stderr, "sartovin %s: '%s' is not a start mode\n", command, modeText.c_str());
            return false;
        }
        programPath =
            folderOf(programPath.empty() ? executablePath() : programPath) + programNameForStartMode(mode);
    }
    startupForCommand(s.app, programPath, s.ui);
    s.texts = std::make_unique<Texts>(s.app.dataFolder, s.app.languageId);
    s.model = std::make_unique<MainWindowModel>(s.app, s.ui, *s.texts, s.app.iniPath);
    if (!s.model->loadPlotters() || !s.model->currentPlotter()) {
        std::fprintf(stderr, "sartovin %s: no plotter catalog at %s\n", command,
                     s.app.plotterCatalogPath.c_str());
        return false;
    }
    if (!plotter.empty()) {
        int index = s.model->plotters().indexOf(plotter);
        if (index < 0) {
            std::fprintf(stderr, "sartovin %s: no plotter named '%s'\n", command, plotter.c_str());
            return false;
        }
        s.model->selectPlotter(index);
    }
    return true;
}

const char* kPortsUsage =
    "usage: sartovin ports [--plotter NAME] [--start-mode N] [--choose N]\n"
    "  Lists the connections the port configuration offers for the plotter (the stored plotter by\n"
    "  default), the preselected one marked with '*'. --choose N stores item N as OK does.\n";

const char* kQueryUsage =
    "usage: sartovin query [--plotter NAME] [--start-mode N]\n"
    "  Asks the connected cutter for its model, firmware, settings and the loaded medium's size\n"
    "  (standard edition; the hobby and laser cutters are not asked).\n";

const char* kTestCutUsage =
    "usage: sartovin testcut [--plotter NAME] [--start-mode N] [--output FILE]\n"
    "  Cuts one test pattern with the current options of the plotter and medium; --output writes\n"
    "  the commands to FILE instead of sending them.\n";

bool wantsHelp(Args& args, const char* usage) {
    if (takeFlag(args, "--help") || takeFlag(args, "-h")) {
        std::fputs(usage, stdout);
        return true;
    }
    return false;
}

}  // namespace

int runPortsCommand(Args args) {
    if (wantsHelp(args, kPortsUsage)) return 0;
    std::string chooseText;
    bool choosing = takeOption(args, "--choose", chooseText);
    Setup s;
    if (!setUp(s, args, "ports")) return 2;
    if (!args.empty()) {
        std::fputs(kPortsUsage, stderr);
        return 2;
    }
    DeviceSession devices(s.app.startMode, *s.texts, s.ui);
    devices.identifyUsb();
    PlotterRecord& plotter = *s.model->plotters().current();
    PlotterPortList list = devices.portList(plotter);
    if (!choosing) {
        std::printf("Connections for %s (stored: %s):\n", plotter.name.c_str(),
                    describePort(plotter).c_str());
        if (list.items().empty()) std::printf("  (none found)\n");
        for (std::size_t i = 0; i < list.items().size(); ++i)
            std::printf("%c %zu  %s\n", static_cast<int>(i) == list.preselected() ? '*' : ' ', i + 1,
                        list.items()[i].c_str());
        return 0;
    }
    int n = 0;
    if (!parseInt(chooseText, n) || n < 1 || n > static_cast<int>(list.items().size())) {
        std::fprintf(stderr, "sartovin ports: --choose wants an item number from 1 to %zu\n",
                     list.items().size());
        return 2;
    }
    Settings settings(s.app.iniPath);
    storePortChoice(list.choiceFor(n - 1), plotter.name, plotter, settings, *s.texts, s.ui);
    std::printf("%s now uses %s\n", plotter.name.c_str(), describePort(plotter).c_str());
    return 0;
}

int runQueryCommand(Args args) {
    if (wantsHelp(args, kQueryUsage)) return 0;
    Setup s;
    if (!setUp(s, args, "query")) return 2;
    if (!args.empty()) {
        std::fputs(kQueryUsage, stderr);
        return 2;
    }
    DeviceSession devices(s.app.startMode, *s.texts, s.ui);
    devices.identifyUsb();
    if (devices.deviceBusy()) return 1;
    PlotterRecord& plotter = *s.model->plotters().current();
    Settings settings(s.app.iniPath);
    if (!DeviceDelivery::portPresent(plotter) &&
        !devices.configurePort(plotter, settings,
                               [&](const PlotterPortList& l) { return choosePort(s.ui, *s.texts, l); })) {
        s.ui.messageBox(s.texts->text(TextId::NoPortSelected), kProgramCaption, MessageIcon::Exclamation);
        return 1;
    }
    if (!s.app.startMode.isStandard()) {
        std::printf("%s: the hobby and laser cutters report nothing; nothing was asked\n",
                    plotter.name.c_str());
        return 0;
    }
    MediaQueryResult r = devices.mediaQuery(plotter);
    if (!r.asked) return 1;
    std::printf("plotter=%s\n", plotter.name.c_str());
    std::printf("port=%s\n", describePort(plotter).c_str());
    std::printf("identification=%s\n", plotter.identificationReply.c_str());
    std::printf("firmware=%s\n", plotter.firmware.c_str());
    if (r.settingsRead) {
        static const char* names[7] = {"speed",     "pressure", "offsetMicrometres", "quality",
                                       "smoothing", "unroll",   "mediumType"};
        for (int i = 0; i < 7; ++i)
            std::printf("%s=%d\n", names[i], plotter.deviceSettings[static_cast<std::size_t>(i)]);
    }
    if (r.sizeRead) {
        std::printf("mediumHeight=%lu\n", r.heightMm);
        std::printf("mediumWidth=%lu\n", r.widthMm);
    }
    if (r.modelDiffers) std::printf("modelDiffers=1\n");
    return r.settingsRead ? 0 : 1;
}

int runTestCutCommand(Args args) {
    if (wantsHelp(args, kTestCutUsage)) return 0;
    std::string output;
    bool toFile = takeOption(args, "--output", output);
    Setup s;
    if (!setUp(s, args, "testcut")) return 2;
    if (!args.empty()) {
        std::fputs(kTestCutUsage, stderr);
        return 2;
    }
    if (s.app.startMode.isLaser()) {
        std::fprintf(stderr, "sartovin testcut: the laser edition has no test cut\n");
        return 2;
    }
    // The options page works without a drawing; an empty job gives it its values.
    s.model->openPages();
    PlotParameters params = s.model->plotParameters();

    std::string sent;
    std::unique_ptr<DeviceSession> devices;
    std::unique_ptr<DeviceDelivery> delivery;
    PlotterRecord& plotter = *s.model->plotters().current();
    if (!toFile) {
        devices = std::make_unique<DeviceSession>(s.app.startMode, *s.texts, s.ui);
        devices->identifyUsb();
        Settings settings(s.app.iniPath);
        if (!devices->ensurePort(plotter, settings,
                                 [&](const PlotterPortList& l) { return choosePort(s.ui, *s.texts, l); }))
            return 1;
        delivery = std::make_unique<DeviceDelivery>(devices->delivery(plotter));
    }
    TestCut::DirectSend send = [&](const std::string& bytes) {
        sent += bytes;
        return toFile ? true : delivery->directSend(bytes);
    };
    TestCut::FindVirtualDisplay busy = [&] { return devices && devices->deviceBusy(); };
    TestCut testCut(s.app.dataFolder + "TestCut.qxdat", s.ui, *s.texts, send, busy);
    testCut.setTestCutMode(true);
    if (!testCut.testCut(params)) {
        std::fprintf(stderr, "sartovin testcut: no test cut was sent\n");
        return 1;
    }
    if (toFile && !writeFileAtomic(output, sent)) {
        std::fprintf(stderr, "sartovin testcut: cannot write %s\n", output.c_str());
        return 1;
    }
    std::fprintf(stderr, "sartovin testcut: one test cut (%zu bytes) %s %s\n", sent.size(),
                 toFile ? "written to" : "sent over",
                 toFile ? output.c_str() : describePort(plotter).c_str());
    return 0;
}

}  // namespace sartovin::cli
