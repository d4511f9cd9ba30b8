// sartovin marks: places the registration marks in an SVG drawing, or removes them, as the
// Illustrator plug-in does in its document. The Inkscape extension "Registration marks" runs it
// with --ask.

#include <cstdio>
#include <string>

#include "base/CTarnelWinCApp.h"
#include "base/Settings.h"
#include "base/Texts.h"
#include "cli/Cli.h"
#include "layout/RegistrationMarkDrawing.h"
#include "layout/RegistrationMarksSvg.h"
#include "platform/ConsoleInteraction.h"
#include "platform/Files.h"
#include "platform/SystemFolders.h"
#include "platform/SystemProcessList.h"

namespace sartovin::cli {

namespace {

const char* kMarksUsage =
    "usage: sartovin marks [--hobby] [--delete | --ask] [--marks-program PATH] IN.svg OUT.svg\n"
    "  draws the registration marks around the visible artwork of IN.svg on the layer\n"
    "  QX-PassermarkenEbene (replacing an old one) and writes OUT.svg; the values come from section\n"
    "  [Passermarks] of the settings file (--hobby: the hobby edition's, and the hobby marks)\n"
    "  --delete  removes the marks layer instead\n"
    "  --ask     first shows the marks settings window (the program PassermarkenIs, or\n"
    "            QXPassermarkenAIHP with --hobby, beside this one, or PATH) and does what it answers\n";

enum class Request { None, Set, Delete };

// The marks window's program, started and waited for; its answer as it stored it.
bool askWindow(const std::string& program, const Settings& settings, ConsoleInteraction& ui,
               Request& request) {
    // Only the window about to open may answer (it writes nothing when it is cancelled).
    // A request that cannot be cleared could be an earlier run's: nothing is asked then.
    if (!settings.writeStrings({{kMarksSection, kMarksKeySet, "0"}, {kMarksSection, kMarksKeyDelete, "0"}}))
        return false;
    SystemProcessList processes;
    const int pid = processes.start(program, {}, {}, "");
    if (pid < 0) {
        std::fprintf(stderr, "sartovin marks: cannot start the marks window '%s'\n", program.c_str());
        return false;
    }
    while (processes.isRunning(pid)) ui.pause(100);
    request = settings.readInt(kMarksSection, kMarksKeyDelete, 0) == 1 ? Request::Delete
              : settings.readInt(kMarksSection, kMarksKeySet, 0) == 1  ? Request::Set
                                                                       : Request::None;
    return true;
}

// The visible artwork of `svg` as Inkscape sees it, in points with y upwards; `found` false for a
// drawing without any.
bool queryArtwork(const std::string& svg, MarkRect& art, bool& found, ConsoleInteraction& ui) {
    SystemProcessList processes;
    const std::string inkscape = processes.findOnPath("inkscape");
    if (inkscape.empty()) {
        std::fprintf(stderr, "sartovin marks: Inkscape is not on PATH; it measures the artwork\n");
        return false;
    }
    const std::string folder = tempFolder();
    const std::string copy = writePrivateTempFile(folder, "sartovin-marks-", svg);
    const std::string answer = writePrivateTempFile(folder, "sartovin-query-", "");
    if (copy.empty() || answer.empty()) {
        removeFile(copy);
        std::fprintf(stderr, "sartovin marks: cannot write in the temporary folder %s\n", folder.c_str());
        return false;
    }
    // Measuring needs no display. Run from Inkscape's extension menu, the display and the session bus
    // around us are those of the Inkscape that waits for us: this run stays away from both.
    const EnvironmentChanges alone = {
        {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"DBUS_SESSION_BUS_ADDRESS", ""}};
    // A minute is far more than Inkscape takes to measure a drawing.
    const int pid = processes.start(inkscape, {"--query-all", copy}, alone, answer);
    int passes = 0;
    for (; pid > 0 && processes.isRunning(pid) && passes < 600; ++passes) ui.pause(100);
    if (pid > 0 && processes.isRunning(pid)) processes.stop(pid);
    const bool ok = pid > 0 && passes < 600;
    const std::string output = readWholeFile(answer).value_or("");
    removeFile(copy);
    removeFile(answer);
    if (!ok) {
        std::fprintf(stderr, "sartovin marks: Inkscape did not measure the drawing\n");
        return false;
    }
    found = artworkFromInkscapeQuery(output, art);
    return true;
}

}  // namespace

int runMarksCommand(Args args) {
    if (takeFlag(args, "--help")) {
        std::fputs(kMarksUsage, stdout);
        return 0;
    }
    const bool hobby = takeFlag(args, "--hobby");
    const bool remove = takeFlag(args, "--delete");
    const bool ask = takeFlag(args, "--ask");
    std::string marksProgram;
    takeOption(args, "--marks-program", marksProgram);
    if (args.size() != 2 || (remove && ask) || args[0].rfind("--", 0) == 0 || args[1].rfind("--", 0) == 0) {
        std::fputs(kMarksUsage, stderr);
        return 2;
    }
    const std::string& input = args[0];
    const std::string& output = args[1];

    // The settings of the registration-marks variant of the chosen edition.
    const char* variantName = hobby ? "QXPassermarkenAIHP" : "PassermarkenIs";
    ConsoleInteraction ui;
    CTarnelWinCApp app;
    startupForCommand(app, folderOf(executablePath()) + variantName, ui);
    Settings settings(app.iniPath);
    Texts texts(app.dataFolder, app.languageId);

    const auto drawing = readWholeFile(input);
    if (!drawing) {
        std::fprintf(stderr, "sartovin marks: cannot read '%s'\n", input.c_str());
        return 1;
    }

    Request request = remove ? Request::Delete : Request::Set;
    if (ask) {
        if (marksProgram.empty()) marksProgram = folderOf(executablePath()) + variantName;
        if (!askWindow(marksProgram, settings, ui, request)) return 1;
    }

    bool removed = false;
    std::string result = *drawing;
    if (request != Request::None) result = svgWithoutMarksLayer(*drawing, removed);
    std::size_t drawn = 0;
    if (request == Request::Set) {
        MarkRect art;
        bool found = false;
        if (!queryArtwork(result, art, found, ui)) return 1;
        if (found) {
            const MarkSettings values = readMarkSettings(
                [&](const char* key, int def) { return settings.readInt(kMarksSection, key, def); },
                [&](const char* key, const char* def) {
                    return settings.readString(kMarksSection, key, def);
                });
            const MarksResult marks =
                registrationMarks(hobby ? MarksVariant::Hobby : MarksVariant::Standard, values, art);
            if (!marks.fits) {
                std::fprintf(stderr, "%s\n", texts.text(TextId::DrawingTooLargeForMarks).c_str());
                return 1;
            }
            SvgDocumentUnits units;
            svgDocumentUnits(result, units);
            result = svgWithMarksLayer(result, svgMarksLayer(marks.rectangles, units));
            drawn = marks.rectangles.size();
        }
    }
    if (!writeFileAtomic(output, result)) {
        std::fprintf(stderr, "sartovin marks: cannot write '%s'\n", output.c_str());
        return 1;
    }
    if (request == Request::None)
        std::printf("no marks requested: the drawing is unchanged\n");
    else if (request == Request::Delete)
        std::printf(removed ? "removed the marks layer\n" : "the drawing had no marks layer\n");
    else if (drawn == 0)
        std::printf("the drawing has no visible artwork: no marks drawn\n");
    else
        std::printf("drew %zu marks on the layer %s\n", drawn, kMarksLayerTitle);
    return 0;
}

}  // namespace sartovin::cli
