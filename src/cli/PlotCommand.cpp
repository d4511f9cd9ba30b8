// sartovin plot: a whole plot run of a drawing, with the settings, catalogs and limits the program
// would use, written to a file or delivered to the selected plotter.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

#include "app/StartMode.h"
#include "app/Texts.h"
#include "cli/Cli.h"
#include "cli/ConsolePlotProgress.h"
#include "platform/ConsoleInteraction.h"
#include "platform/Files.h"
#include "platform/SystemFolders.h"
#include "plot/PlotContext.h"
#include "session/DrawingImport.h"
#include "session/DeviceMarksExchange.h"
#include "session/DeviceSession.h"
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
    "  --no-inkscape           read an SVG drawing as it stands, without converting it first\n"
    "  --quiet                 no progress on standard error\n"
    "Every option applies to this run only: the settings file is not changed by the run.\n";

struct Overrides {
    std::string plotter, medium, output, startMode;
    std::string speed, force, repeat, columns, rows, right, front, widthPercent, heightPercent;
    bool noInkscape = false;
    bool quiet = false;
};

bool numberOption(const std::string& text, const char* name, int& value) {
    if (text.empty()) return false;
    if (!parseInt(text, value)) {
        std::fprintf(stderr, "sartovin plot: %s wants a whole number, not '%s'\n", name, text.c_str());
        std::exit(2);
    }
    return true;
}

bool decimalOption(const std::string& text, const char* name, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value)) {
        std::fprintf(stderr, "sartovin plot: %s wants a number, not '%s'\n", name, text.c_str());
        std::exit(2);
    }
    return true;
}

void noteClamped(const char* what, double asked, double got) {
    if (std::fabs(asked - got) > 1e-9)
        std::fprintf(stderr, "sartovin plot: %s %g is outside what this plotter allows; using %g\n", what,
                     asked, got);
}

// The settings of a batch run live in a private copy, so nothing it changes reaches the user's file.
std::string privateSettingsCopy(const std::string& iniPath) {
    std::string bytes = readWholeFile(iniPath).value_or(std::string());
    return writePrivateTempFile(tempFolder(), "sartovin-settings", bytes);
}

}  // namespace

int runPlotCommand(Args args) {
    if (takeFlag(args, "--help") || takeFlag(args, "-h")) {
        std::fputs(kPlotUsage, stdout);
        return 0;
    }
    Overrides o;
    std::string programPath;
    takeOption(args, "--program-path", programPath);
    takeOption(args, "--start-mode", o.startMode);
    takeOption(args, "--plotter", o.plotter);
    takeOption(args, "--medium", o.medium);
    takeOption(args, "--speed", o.speed);
    takeOption(args, "--force", o.force);
    takeOption(args, "--repeat", o.repeat);
    takeOption(args, "--columns", o.columns);
    takeOption(args, "--rows", o.rows);
    takeOption(args, "--position-right", o.right);
    takeOption(args, "--position-front", o.front);
    takeOption(args, "--width-percent", o.widthPercent);
    takeOption(args, "--height-percent", o.heightPercent);
    bool hasOutput = takeOption(args, "--output", o.output);
    o.noInkscape = takeFlag(args, "--no-inkscape");
    o.quiet = takeFlag(args, "--quiet");
    if (args.size() != 1 || args[0].empty() || (args[0][0] == '-' && args[0] != "-")) {
        std::fputs(kPlotUsage, stderr);
        return 2;
    }
    const std::string input = args[0];

    int startMode = 0;
    if (numberOption(o.startMode, "--start-mode", startMode)) {
        if (!isKnownStartMode(startMode)) {
            std::fprintf(stderr, "sartovin plot: %d is not a start mode\n", startMode);
            return 2;
        }
        programPath = folderOf(programPath.empty() ? executablePath() : programPath) +
                      programNameForStartMode(startMode);
    }

    ConsoleInteraction ui;
    CTarnelWinCApp app;
    startupForCommand(app, programPath, ui);
    Texts texts(app.dataFolder, app.languageId);

    std::string settingsCopy = privateSettingsCopy(app.iniPath);
    if (settingsCopy.empty()) {
        std::fprintf(stderr, "sartovin plot: cannot make a private copy of %s\n", app.iniPath.c_str());
        return 1;
    }
    struct RemoveCopy {
        std::string path;
        ~RemoveCopy() { removeFile(path); }
    } removeCopy{settingsCopy};

    MainWindowModel model(app, ui, texts, settingsCopy);
    if (!model.loadPlotters()) return 1;
    if (model.plotters().plotters().empty()) {
        std::fprintf(stderr, "sartovin plot: the plotter catalog %s lists no plotter\n",
                     app.plotterCatalogPath.c_str());
        return 1;
    }
    if (!o.plotter.empty()) {
        int index = model.plotters().indexOf(o.plotter);
        if (index < 0) {
            std::fprintf(stderr, "sartovin plot: no plotter named '%s'; the catalog has:\n", o.plotter.c_str());
            for (const auto& name : model.plotters().names()) std::fprintf(stderr, "  %s\n", name.c_str());
            return 2;
        }
        model.selectPlotter(index);
    }

    // The drawing.
    JobImportContext ctx{texts, ui};
    DrawingImportOptions importOptions;
    importOptions.startMode = startMode;
    importOptions.runInkscape = !o.noInkscape;
    importOptions.tempFolder = tempFolder();
    DrawingKind kind;
    std::string why;
    if (!importDrawing(input, importOptions, model.job(), model.jobState(), ctx, kind, why)) {
        std::fprintf(stderr, "sartovin plot: cannot read '%s': %s\n", input.c_str(), why.c_str());
        return 1;
    }
    model.openPages();

    if (!o.medium.empty()) {
        const auto& media = model.media().media();
        int index = -1;
        for (std::size_t i = 0; i < media.size() && index < 0; ++i)
            if (media[i].name == o.medium || media[i].catalogName == o.medium) index = static_cast<int>(i);
        if (index < 0) {
            std::fprintf(stderr, "sartovin plot: plotter '%s' has no medium '%s'; its media are:\n",
                         model.currentPlotter()->name.c_str(), o.medium.c_str());
            for (const auto& m : media) std::fprintf(stderr, "  %s\n", m.name.c_str());
            return 2;
        }
        model.selectMedium(index);
    }

    OptionsModel& options = model.options();
    LayoutModel& layout = model.layout();
    int n = 0;
    if (numberOption(o.speed, "--speed", n)) noteClamped("speed", n, options.setInt(OptionField::Speed, n));
    if (numberOption(o.force, "--force", n)) noteClamped("force", n, options.setInt(OptionField::Force, n));
    if (numberOption(o.repeat, "--repeat", n))
        noteClamped("repeat count", n, options.setInt(OptionField::RepeatCount, n));
    double percent = 0;
    bool width = decimalOption(o.widthPercent, "--width-percent", percent);
    double heightPercent = 0;
    bool height = decimalOption(o.heightPercent, "--height-percent", heightPercent);
    if (width && height) layout.setProportional(false);
    if (width && !layout.changeSize(SizeField::WidthPercent, percent))
        std::fprintf(stderr, "sartovin plot: a width of %g %% does not fit; the size stays\n", percent);
    if (height && !layout.changeSize(SizeField::HeightPercent, heightPercent))
        std::fprintf(stderr, "sartovin plot: a height of %g %% does not fit; the size stays\n", heightPercent);
    if (numberOption(o.columns, "--columns", n)) {
        layout.setCopiesEdit(n);
        noteClamped("column count", n, layout.columns());
    }
    if (numberOption(o.rows, "--rows", n)) {
        layout.setRowsEdit(n);
        noteClamped("row count", n, layout.rows());
    }
    int right = 0, front = 0;
    bool hasRight = numberOption(o.right, "--position-right", right);
    bool hasFront = numberOption(o.front, "--position-front", front);
    if (hasRight || hasFront) {
        layout.setPositionMode(0);
        // The hobby edition's edits hold the distances to the left and back edges.
        bool hobby = isHobbyEdition(app.startMode);
        if (hasRight) {
            layout.setHorizontalPosition(hobby ? layout.freeSpaceH() - right : right);
            noteClamped("right position", right, layout.positionRight());
        }
        if (hasFront) {
            layout.setVerticalPosition(hobby ? layout.freeSpaceV() - front : front);
            noteClamped("front position", front, layout.positionFront());
        }
    }

    std::size_t written = 0;
    GroupSink sink;
    std::FILE* out = nullptr;
    std::unique_ptr<DeviceSession> devices;
    std::unique_ptr<DeviceDelivery> delivery;
    std::unique_ptr<DeviceMarksExchange> marksExchange;
    if (hasOutput) {
        out = o.output == "-" ? stdout : std::fopen(o.output.c_str(), "wb");
        if (!out) {
            std::fprintf(stderr, "sartovin plot: cannot write %s\n", o.output.c_str());
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
        o.output = describePort(plotter);
        sink = [&](const std::string& bytes) {
            if (!delivery->deliverGroupBytes(bytes)) return false;
            written += bytes.size();
            return true;
        };
    }

    ConsolePlotProgress progress(stderr, o.quiet);
    PlotContext context{ui, texts, progress, marksExchange.get()};
    std::string stream;
    PlotRunResult result = model.generate(context, sink, stream);
    progress.hide();
    bool closed = !out || (out == stdout ? std::fflush(out) == 0 : std::fclose(out) == 0);
    if (result.sinkFailed || !closed) {
        std::fprintf(stderr, "sartovin plot: %s %s failed\n", hasOutput ? "writing" : "delivery to",
                     o.output.c_str());
        return 1;
    }
    if (result.groupsSent == 0) {
        if (hasOutput && isHobbyEdition(app.startMode) && model.jobState().marksMode)
            std::fprintf(stderr, "sartovin plot: a registration-mark job is cut only after the cutter has "
                                 "read the marks; send it to the cutter (without --output)\n");
        std::fprintf(stderr, "sartovin plot: nothing was generated\n");
        return 1;
    }
    if (!o.quiet || o.output != "-")
        std::fprintf(stderr, "sartovin plot: %s on %s: %d group(s), %zu bytes written to %s\n",
                     input.c_str(), model.currentPlotter()->name.c_str(), result.groupsSent, written,
                     o.output == "-" ? "standard output" : o.output.c_str());
    return 0;
}

}  // namespace sartovin::cli
