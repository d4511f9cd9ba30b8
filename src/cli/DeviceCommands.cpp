// sartovin ports / query / testcut: the connection of the selected plotter, the cutter's own
// report of its settings and medium, and one test cut with the current options.

#include <cstdio>
#include <memory>

#include "base/StartMode.h"
#include "base/Texts.h"
#include "cli/Cli.h"
#include "cli/CommandSetup.h"
#include "platform/Files.h"
#include "plot/TestCut.h"
#include "session/DeviceSession.h"
#include "session/MainWindowModel.h"

namespace sartovin::cli {

namespace {

// The options of the device commands and the set-up on the user's own settings file: a port
// chosen here is the user's choice.
int setUp(CommandSetup& s, Args& args) {
    CommonOptions options;
    if (!takeCommonOptions(args, options, s.command())) return 2;
    return s.setUp(options, SettingsUse::UserFile);
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
    "usage: sartovin testcut [--plotter NAME] [--start-mode N] [--output FILE [--model DESCRIPTION]]\n"
    "  Cuts one test pattern with the current options of the plotter and medium. A GCC cutter is\n"
    "  first asked what it is, as the program does at start. --output writes the bytes of each send\n"
    "  to FILE instead, in order and as the cutter would receive them (the standard edition's\n"
    "  closing zero byte included); no cutter is asked and nothing is sent. --model (with --output)\n"
    "  names the model the connected cutter would report (for example \"Sable 60\"): a Sable or an\n"
    "  Expert other than the Pro then gets its settings block first, as a send of its own.\n";

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
    CommandSetup s("ports");
    if (int status = setUp(s, args)) return status;
    if (!args.empty()) {
        std::fputs(kPortsUsage, stderr);
        return 2;
    }
    DeviceSession& devices = s.devices();
    devices.identifyUsb();
    PlotterRecord& plotter = s.plotter();
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
    if (!devices.storePort(plotter, list, n - 1)) return 1;
    std::printf("%s now uses %s\n", plotter.name.c_str(), describePort(plotter).c_str());
    return 0;
}

int runQueryCommand(Args args) {
    if (wantsHelp(args, kQueryUsage)) return 0;
    CommandSetup s("query");
    if (int status = setUp(s, args)) return status;
    if (!args.empty()) {
        std::fputs(kQueryUsage, stderr);
        return 2;
    }
    DeviceSession& devices = s.devices();
    devices.identifyUsb();
    if (devices.deviceBusy()) return 1;
    PlotterRecord& plotter = s.plotter();
    if (!DeviceDelivery::portPresent(plotter) && !devices.configurePort(plotter)) {
        s.ui.messageBox(s.texts->text(TextId::NoPortSelected), kProgramCaption, MessageIcon::Exclamation);
        return 1;
    }
    if (!s.app.startMode.isStandard()) {
        std::printf("%s: the hobby and laser cutters report nothing; nothing was asked\n",
                    plotter.name.c_str());
        return 0;
    }
    MediaQueryResult r;
    devices.mediaQuery(plotter, r);
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
    OutputOptions target;
    if (!takeOutputOptions(args, target, "testcut")) return 2;
    const bool toFile = target.file.has_value();
    const std::string output = target.file.value_or(std::string());
    CommandSetup s("testcut");
    if (int status = setUp(s, args)) return status;
    if (!args.empty()) {
        std::fputs(kTestCutUsage, stderr);
        return 2;
    }
    if (s.app.startMode.isLaser()) {
        std::fprintf(stderr, "sartovin testcut: the laser edition has no test cut\n");
        return 2;
    }
    // The options page works without a drawing; an empty job gives it its values.
    MainWindowModel& model = *s.model;
    model.openPages();
    PlotterRecord& plotter = s.plotter();

    std::string sent;
    std::unique_ptr<TestCut> testCut;
    if (toFile) {
        model.setAssumedModelDescription(target.model);
        testCut = std::make_unique<TestCut>(
            s.app.dataFolder + "TestCut.qxdat", s.ui, *s.texts,
            [&](const std::string& bytes) {
                // Each send as the cutter receives it (the standard edition's closing zero too).
                sent += DeviceDelivery::deliveryBytes(bytes, s.app.startMode);
                return true;
            },
            TestCut::FindVirtualDisplay{});
    } else {
        // Set up as the main window does: the attached USB cutters, a port (configured first when
        // there is none), and the connected cutter asked what it is.
        DeviceSession& devices = s.devices();
        devices.identifyUsb();
        const bool hadPort = DeviceDelivery::portPresent(plotter);
        if (!devices.ensurePort(model)) return 1;
        // A port chosen just now was followed by the query already.
        if (hadPort) devices.identifyCutter(model);
        testCut = devices.makeTestCut(
            model, s.app.dataFolder + "TestCut.qxdat", {},
            [&](const std::string& bytes) { sent += DeviceDelivery::deliveryBytes(bytes, s.app.startMode); });
    }
    testCut->setTestCutMode(true);
    bool cut = toFile ? testCut->testCut(model.plotParameters()) : s.devices().testCut(model, *testCut);
    if (!cut) {
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
