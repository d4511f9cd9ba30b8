// sartovin plot: a whole plot run of a drawing, with the settings, catalogs and limits the program
// would use, written to a file or delivered to the selected plotter.

#include <cstdio>
#include <functional>
#include <optional>

#include "base/StartMode.h"
#include "base/Texts.h"
#include "cli/BatchRun.h"
#include "cli/Cli.h"
#include "cli/ConsolePlotProgress.h"
#include "layout/LayoutModel.h"
#include "platform/Files.h"
#include "plot/PlotContext.h"
#include "session/CutCommand.h"
#include "session/DeviceSession.h"
#include "session/MainWindowModel.h"

namespace sartovin::cli {

namespace {

const char* kPlotUsage =
    "usage: sartovin plot [OPTIONS] INPUT\n"
    "  --start-mode N          edition and host (default: decided by the program name; the drawing\n"
    "                          kind is then decided by the file)\n"
    "  --plotter NAME          plotter of any catalog (it picks its edition unless --start-mode is\n"
    "                          given)                   --medium NAME   medium of that plotter\n"
    "  --speed N  --force N  --repeat N                   cutting parameters (clamped to the plotter)\n"
    "  --columns N  --rows N                              copies side by side / one behind the other\n"
    "                                                     (1 or more)\n"
    "  --position-right MM  --position-front MM           manual position on the medium\n"
    "  --width-percent P  --height-percent P              job size (proportional unless both are given)\n"
    "  --rotate none|right|left|180                       turn the job on the medium\n"
    "  --mirror  --no-mirror   cut the job mirrored (heat-transfer vinyl is cut from its back)\n"
    "  --weeding-frame MM      a frame MM around every copy to weed along (0: none; up to 100)\n"
    "  --overcut MM            cut closed shapes MM beyond their start (0: none; up to 1)\n"
    "  --invert                laser edition: the objects are engraved instead of the copy around them\n"
    "  --resolution DPI        laser edition: engrave at 1000, 760, 500, 250 or 125 dots per inch (a\n"
    "                          value between them takes the next lower one) instead of the resolution\n"
    "                          of the engraver's definition file C18.def in the user's Sartovin folder\n"
    "                          (written by the program's engraver settings)\n"
    "  --output FILE           write the device bytes to FILE ('-' for standard output); no cutter is\n"
    "                          asked and nothing is sent. Without it the job goes to the plotter's\n"
    "                          configured port (see 'sartovin ports'), and a GCC cutter is first asked\n"
    "                          what it is and which medium it holds, as the program does at start\n"
    "  --model DESCRIPTION     with --output: the model the connected cutter would report (for example\n"
    "                          \"Sable 60\"); a Sable or an Expert other than the Pro then gets its\n"
    "                          settings block at the start of the stream, as on the cutter itself\n"
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
    OutputOptions target;
    if (!takeOutputOptions(args, target, "plot")) return 2;
    const bool hasOutput = target.file.has_value();
    std::string output = target.file.value_or(std::string());
    bool quiet = takeFlag(args, "--quiet");
    if (args.size() != 1 || args[0].empty() || (args[0][0] == '-' && args[0] != "-")) {
        reportUnknownOptions(args, "plot");
        std::fputs(kPlotUsage, stderr);
        return 2;
    }
    const std::string input = args[0];

    // A run to the cutter sets up as the main window does: the attached USB cutters, and the
    // connected cutter asked what it is.
    BatchRun run("plot");
    if (int status = run.setUp(batch, input, !hasOutput)) return status;
    ConsoleInteraction& ui = run.ui;
    Texts& texts = *run.texts;
    MainWindowModel& model = *run.model;

    ConsolePlotProgress progress(stderr, quiet);
    PlotContext context{ui, texts, progress};
    std::string stream;
    CutCommandResult result;
    bool closed = true;
    if (hasOutput) {
        model.setAssumedModelDescription(target.model);
        // The waits of a run give a cutter time to follow; a file needs none.
        ui.skipPauses(true);
        // A file is written beside its target and renamed over it only when whole, so that a
        // failed run never leaves a truncated stream that could later be sent to a cutter.
        const bool toStdout = output == "-";
        std::optional<AtomicFileWriter> file;
        if (!toStdout) {
            removeStaleSiblings(output);
            file.emplace(output);
            if (!file->valid()) {
                std::fprintf(stderr, "sartovin plot: cannot write %s\n", output.c_str());
                return 1;
            }
        }
        GroupSink sink = [&](const std::string& bytes) {
            if (file) return file->write(bytes);
            return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
                   std::fflush(stdout) == 0;
        };
        if (model.layout().jobLeavesMedium())
            std::fprintf(stderr, "sartovin plot: warning: the job extends beyond the medium\n");
        runCutCommandToSink(model, context, sink, stream, result);
        // Only a complete stream takes the target's place.
        const bool complete = !result.declined && !result.busy && !result.noPort && !result.run.sinkFailed &&
                              result.run.groupsSent > 0;
        if (file && complete)
            closed = file->commit();
        else
            closed = std::fflush(stdout) == 0;
    } else {
        // The Cut button's command: the display tool must not hold the port, a plotter without a
        // port is configured first (the choice goes to the user's settings file, as the
        // configuration dialog stores it), then every group goes over the plotter's port.
        runCutCommand(model, run.devices(), context, nullptr, stream, result);
        output = describePort(run.plotter());
    }
    if (result.declined) {
        std::fprintf(stderr, "sartovin plot: nothing was sent: the job extends beyond the medium\n");
        return 1;
    }
    if (result.busy || result.noPort) return 1;
    if (result.run.sinkFailed || !closed) {
        std::fprintf(stderr, "sartovin plot: %s %s failed\n", hasOutput ? "writing" : "delivery to",
                     output.c_str());
        return 1;
    }
    if (result.run.groupsSent == 0) {
        if (hasOutput && model.startMode().isHobby() && model.jobState().marksMode)
            std::fprintf(stderr,
                         "sartovin plot: a registration-mark job is cut only after the cutter has "
                         "read the marks; send it to the cutter (without --output)\n");
        std::fprintf(stderr, "sartovin plot: nothing was generated\n");
        return 1;
    }
    if (!quiet || output != "-")
        std::fprintf(stderr, "sartovin plot: %s on %s: %d group(s), %zu bytes written to %s\n", input.c_str(),
                     model.currentPlotter()->name.c_str(), result.run.groupsSent, result.bytesSent,
                     output == "-" ? "standard output" : output.c_str());
    return 0;
}

}  // namespace sartovin::cli
