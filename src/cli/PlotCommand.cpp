// sartovin plot: a whole plot run of a drawing, with the settings, catalogs and limits the program
// would use, written to a file or delivered to the selected plotter.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include "base/StartMode.h"
#include "base/Texts.h"
#include "cli/BatchRun.h"
#include "cli/Cli.h"
#include "cli/ConsolePlotProgress.h"
#include "platform/ConsoleInteraction.h"
#include "platform/Files.h"
#include "platform/SystemFolders.h"
#include "plot/PlotContext.h"
#include "session/DeviceMarksExchange.h"
#include "session/DeviceSession.h"
#include "session/DrawingImport.h"
#include "session/MainWindowModel.h"

namespace sartovin::cli {

namespace {

const char* kPlotUsage =
    "usage: sartovin plot [OPTIONS] INPUT\n"
    "  --start-mode N          edition and host (default: decided by the program name; the drawing\n"
    "                          kind is then decided by the file)\n"
    "  --plotter NAME          plotter of the catalog     --medium NAME   medium of that plotter\n"
    "  --speed N  --force N  --repeat N                   cutting parameters (clamped to the plotter)\n"
    "  --columns N  --rows N                              copies side by side / one behind the other\n"
    "  --position-right MM  --position-front MM           manual position on the medium\n"
    "  --width-percent P  --height-percent P              job size (proportional unless both are given)\n"
    "  --output FILE           write the device bytes to FILE ('-' for standard output); without it\n"
    "                          the job goes to the plotter's configured port (see 'sartovin ports')\n"
    "  --svg-converter WHICH   who turns an SVG drawing into paths: auto (ours, Inkscape for text),\n"
    "                          own or inkscape (default: the setting SvgConverter, else auto)\n"
    "  --no-inkscape           the same as --svg-converter own\n"
    "  --quiet                 no progress on standard error\n"
    "Every option applies to this run only: the settings file is not changed by the run.\n";

}  // namespace

int runPlotCommand(Args args) {
    if (takeFlag(args, "--help") || takeFlag(args, "-h")) {
        std::fputs(kPlotUsage, stdout);
        return 0;
    }
    BatchOptions batch;
    if (!takeBatchOptions(args, batch, true, "plot")) return 2;
    std::string output;
    bool hasOutput = takeOption(args, "--output", output);
    bool quiet = takeFlag(args, "--quiet");
    if (args.size() != 1 || args[0].empty() || (args[0][0] == '-' && args[0] != "-")) {
        std::fputs(kPlotUsage, stderr);
        return 2;
    }
    const std::string input = args[0];

    BatchRun run("plot");
    if (int status = run.setUp(batch, input)) return status;
    ConsoleInteraction& ui = run.ui;
    CTarnelWinCApp& app = run.app;
    Texts& texts = *run.texts;
    MainWindowModel& model = *run.model;

    std::size_t written = 0;
    GroupSink sink;
    std::FILE* out = nullptr;
    std::unique_ptr<DeviceSession> devices;
    std::unique_ptr<DeviceDelivery> delivery;
    std::unique_ptr<DeviceMarksExchange> marksExchange;
    if (hasOutput) {
        out = output == "-" ? stdout : std::fopen(output.c_str(), "wb");
        if (!out) {
            std::fprintf(stderr, "sartovin plot: cannot write %s\n", output.c_str());
            return 1;
        }
        sink = [&](const std::string& bytes) {
            if (std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size()) return false;
            written += bytes.size();
            return std::fflush(out) == 0;
        };
    } else {
        // Delivery to the plotter's own port, as the Cut button does: the display tool must not
        // hold the port, and a plotter without a port is configured first. The port choice goes
        // to the user's settings file, as the configuration dialog stores it.
        devices = std::make_unique<DeviceSession>(app.startMode, texts, ui);
        devices->identifyUsb();
        if (devices->deviceBusy()) return 1;
        PlotterRecord& plotter = *model.plotters().current();
        Settings userSettings(app.iniPath);
        if (!devices->ensurePort(plotter, userSettings,
                                 [&](const PlotterPortList& list) { return choosePort(ui, texts, list); }))
            return 1;
        delivery = std::make_unique<DeviceDelivery>(devices->delivery(plotter));
        // A hobby cutter reads the registration marks itself before it cuts against them.
        marksExchange = std::make_unique<DeviceMarksExchange>(devices->usbDevices(),
                                                              devices->channels().deviceFiles, *delivery);
        output = describePort(plotter);
        sink = [&](const std::string& bytes) {
            if (!delivery->deliverGroupBytes(bytes)) return false;
            written += bytes.size();
            return true;
        };
    }

    ConsolePlotProgress progress(stderr, quiet);
    PlotContext context{ui, texts, progress, marksExchange.get()};
    std::string stream;
    PlotRunResult result = model.generate(context, sink, stream);
    progress.hide();
    bool closed = !out || (out == stdout ? std::fflush(out) == 0 : std::fclose(out) == 0);
    if (result.sinkFailed || !closed) {
        std::fprintf(stderr, "sartovin plot: %s %s failed\n", hasOutput ? "writing" : "delivery to",
                     output.c_str());
        return 1;
    }
    if (result.groupsSent == 0) {
        if (hasOutput && app.startMode.isHobby() && model.jobState().marksMode)
            std::fprintf(stderr,
                         "sartovin plot: a registration-mark job is cut only after the cutter has "
                         "read the marks; send it to the cutter (without --output)\n");
        std::fprintf(stderr, "sartovin plot: nothing was generated\n");
        return 1;
    }
    if (!quiet || output != "-")
        std::fprintf(stderr, "sartovin plot: %s on %s: %d group(s), %zu bytes written to %s\n", input.c_str(),
                     model.currentPlotter()->name.c_str(), result.groupsSent, written,
                     output == "-" ? "standard output" : output.c_str());
    return 0;
}

}  // namespace sartovin::cli
