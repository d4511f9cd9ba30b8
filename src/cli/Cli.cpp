#include "cli/Cli.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "base/Settings.h"
#include "base/Startup.h"
#include "platform/ConsoleInteraction.h"
#include "platform/Files.h"
#include "platform/SystemFolders.h"

namespace sartovin::cli {

namespace {

// The texts of the command's first start-up, for what is said after the command.
struct RunTexts {
    std::string dataFolder;
    int languageId = -1;
};

RunTexts& runTexts() {
    static RunTexts texts;
    return texts;
}

}  // namespace

void startupForCommand(CTarnelWinCApp& app, const std::string& programPath, Interaction& ui) {
    StartupOptions options;
    options.languageDialogAvailable = false;
    options.fallbackDataFolder = startupOptionsOfThisProgram().fallbackDataFolder;
    runStartup(app, programPath.empty() ? executablePath() : programPath, ui, options);
    if (runTexts().languageId < 0) runTexts() = {app.dataFolder, app.languageId};
}

int finishCommand(int status) {
    if (runTexts().languageId >= 0) {
        Texts texts(runTexts().dataFolder, runTexts().languageId);
        ConsoleInteraction ui(0);
        reportUnsavedSettings(texts, ui);
    }
    // Settings that were not stored make the command fail, however the rest went.
    if (status == 0 && Settings::anyWriteFailed()) return 1;
    return status;
}

bool takeOption(Args& args, const std::string& name, std::string& value) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name && i + 1 < args.size()) {
            value = args[i + 1];
            args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
            return true;
        }
        if (args[i].rfind(name + "=", 0) == 0) {
            value = args[i].substr(name.size() + 1);
            args.erase(args.begin() + static_cast<long>(i));
            return true;
        }
    }
    return false;
}

bool takeFlag(Args& args, const std::string& name) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            args.erase(args.begin() + static_cast<long>(i));
            return true;
        }
    }
    return false;
}

bool reportUnknownOptions(const Args& args, const char* command) {
    bool any = false;
    for (const std::string& a : args)
        if (a.size() > 1 && a[0] == '-') {
            std::fprintf(stderr, "sartovin %s: unknown option '%s'\n", command, a.c_str());
            any = true;
        }
    return any;
}

bool parseInt(const std::string& text, int& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < INT_MIN || v > INT_MAX) return false;
    value = static_cast<int>(v);
    return true;
}

int choosePort(Interaction& ui, const Texts& texts, const PlotterPortList& list) {
    std::vector<std::string> shown;
    for (int i = 0; i < static_cast<int>(list.items().size()); ++i)
        shown.push_back(list.describeItem(i, texts));
    return ui.chooseFromList(texts.text(TextId::PortConfigurationTitle), shown, list.preselected());
}

std::string describePort(const PlotterRecord& plotter) {
    switch (plotter.portType) {
        case kPortSerial:
            return "serial port " + plotter.port;
        case kPortGccUsb:
            return "GCC USB port " + plotter.port;
        case kPortPrinter:
            return "print queue " + plotter.port;
        case kPortUsbDevice:
            return "USB cutter " + plotter.usbGccName;
        default:
            return "no port";
    }
}

}  // namespace sartovin::cli
