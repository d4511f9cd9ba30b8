// sartovin inspect: reads a job file as the program would and prints the model it makes.

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>

#include "base/StartMode.h"
#include "base/Texts.h"
#include "cli/BatchRun.h"
#include "cli/Cli.h"
#include "cli/CommandSetup.h"
#include "job/InkscapeHandOver.h"
#include "job/JobFileReader.h"
#include "job/JobModel.h"
#include "platform/ConsoleInteraction.h"
#include "platform/Files.h"
#include "platform/SystemFolders.h"
#include "session/DrawingImport.h"

namespace sartovin::cli {

namespace {

const char* kInspectUsage =
    "usage: sartovin inspect [--start-mode N] [--mark-sensor] [--json] [--program-path PATH] [--no-inkscape] "
    "[--svg-converter auto|own|inkscape] "
    "INPUT\n";

std::string number(double v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("0");
}

std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);  // UTF-8 passes through
                }
        }
    }
    return out + "\"";
}

std::string point(double x, double y) { return "[" + number(x) + "," + number(y) + "]"; }
const char* boolean(bool b) { return b ? "true" : "false"; }

std::string toJson(const Job& job, const JobState& state) {
    const JobExtent& e = state.extent;
    std::string out = "{";
    out += "\"pageWidth\":" + number(job.pageWidth) + ",\"pageHeight\":" + number(job.pageHeight);
    out += ",\"objectTotal\":" + std::to_string(state.objectTotal);
    out += ",\"pathTotal\":" + std::to_string(state.pathTotal);
    out += std::string(",\"marksLayer\":") + boolean(state.marksLayerFlag);
    out += std::string(",\"marksMode\":") + boolean(state.marksMode);
    out += ",\"extent\":{\"minX\":" + number(e.minX) + ",\"minY\":" + number(e.minY) +
           ",\"maxX\":" + number(e.maxX) + ",\"maxY\":" + number(e.maxY) + ",\"spanX\":" + number(e.spanX) +
           ",\"spanY\":" + number(e.spanY) + "}";
    out += ",\"layers\":[";
    for (std::size_t l = 0; l < job.layers.size(); ++l) {
        const JobLayer& layer = job.layers[l];
        if (l) out += ",";
        out += "{\"name\":" + jsonString(layer.name) + ",\"enabled\":" + boolean(layer.enabled) +
               ",\"objects\":[";
        for (std::size_t o = 0; o < layer.objects.size(); ++o) {
            const JobObject& ob = layer.objects[o];
            if (o) out += ",";
            out += std::string("{\"selected\":") + boolean(ob.selected) +
                   ",\"colourName\":" + jsonString(ob.colourName) +
                   ",\"fillColour\":" + std::to_string(ob.fillColour) +
                   ",\"colourKind\":" + std::to_string(ob.colourKind) + ",\"bounds\":[" +
                   number(ob.boundsX1) + "," + number(ob.boundsY1) + "," + number(ob.boundsX2) + "," +
                   number(ob.boundsY2) + "],\"paths\":[";
            for (std::size_t p = 0; p < ob.paths.size(); ++p) {
                const JobPath& path = ob.paths[p];
                if (p) out += ",";
                out += std::string("{\"closed\":") + boolean(path.closed) + ",\"segments\":[";
                for (std::size_t s = 0; s < path.segments.size(); ++s) {
                    const PathSegment& g = path.segments[s];
                    if (s) out += ",";
                    out += "{\"kind\":" + std::to_string(g.kind) + ",\"start\":" + point(g.startX, g.startY) +
                           ",\"ctrl1\":" + point(g.ctrl1X, g.ctrl1Y) +
                           ",\"ctrl2\":" + point(g.ctrl2X, g.ctrl2Y) + ",\"end\":" + point(g.endX, g.endY) +
                           ",\"length\":" + number(g.length) +
                           ",\"handleState\":" + std::to_string(g.handleState) + "}";
                }
                out += "]}";
            }
            out += "]}";
        }
        out += "]}";
    }
    out += "],\"colourGroups\":[";
    for (std::size_t g = 0; g < job.colourGroups.size(); ++g) {
        const ColourGroup& group = job.colourGroups[g];
        if (g) out += ",";
        out += "{\"name\":" + jsonString(group.name) + ",\"colour\":" + std::to_string(group.colour) +
               ",\"colourKind\":" + std::to_string(group.colourKind) + ",\"members\":[";
        for (std::size_t m = 0; m < group.members.size(); ++m) {
            if (m) out += ",";
            out += "[" + std::to_string(group.members[m].layer) + "," +
                   std::to_string(group.members[m].object) + "]";
        }
        out += "]}";
    }
    out += "]}\n";
    return out;
}

std::string colourText(std::uint32_t colour, std::int32_t kind) {
    char buf[64];
    if (kind == kColourCmyk) {
        std::snprintf(buf, sizeof buf, "CMYK %u/%u/%u/%u", colour >> 24, (colour >> 16) & 0xFF,
                      (colour >> 8) & 0xFF, colour & 0xFF);
    } else {
        std::snprintf(buf, sizeof buf, "RGB %u/%u/%u", colour & 0xFF, (colour >> 8) & 0xFF,
                      (colour >> 16) & 0xFF);
    }
    return buf;
}

void printSummary(const std::string& input, const char* variant, const Job& job, const JobState& state) {
    const JobExtent& e = state.extent;
    std::printf("%s: %s\n", input.c_str(), variant);
    std::printf("page %.3f x %.3f mm\n", job.pageWidth, job.pageHeight);
    std::printf("%zu layers, %d objects, %d paths, %lld segments\n", job.layers.size(), state.objectTotal,
                state.pathTotal, segmentTotal(job));
    for (const JobLayer& layer : job.layers) {
        std::size_t paths = 0;
        for (const JobObject& o : layer.objects) paths += o.paths.size();
        std::printf("  layer \"%s\": %zu objects, %zu paths%s\n", layer.name.c_str(), layer.objects.size(),
                    paths, layer.name == kMarksLayerName ? " (registration marks)" : "");
    }
    std::printf("extent x %.3f .. %.3f mm, y %.3f .. %.3f mm (%.3f x %.3f mm)\n", e.minX, e.maxX, e.minY,
                e.maxY, e.spanX, e.spanY);
    std::printf("marks layer %s, marks mode %s\n", state.marksLayerFlag ? "yes" : "no",
                state.marksMode ? "on" : "off");
    std::printf("%zu colour groups\n", job.colourGroups.size());
    for (const ColourGroup& g : job.colourGroups) {
        std::printf("  \"%s\": %s, %zu objects\n", g.name.c_str(), colourText(g.colour, g.colourKind).c_str(),
                    g.members.size());
    }
}

}  // namespace

int runInspectCommand(Args args) {
    CommonOptions common;
    if (!takeCommonOptions(args, common, "inspect", false)) return 2;
    bool json = takeFlag(args, "--json");
    bool markSensor = takeFlag(args, "--mark-sensor");
    bool noInkscape = takeFlag(args, "--no-inkscape");
    std::string converterWord;
    takeOption(args, "--svg-converter", converterWord);
    SvgConverterChoice converterChoice;
    if (args.size() != 1 || (!args[0].empty() && args[0][0] == '-') ||
        (!converterWord.empty() && !svgConverterChoiceOf(converterWord, converterChoice))) {
        std::fputs(kInspectUsage, stderr);
        return 2;
    }
    const std::string input = args[0];
    const bool modeGiven = common.startMode.has_value();
    const StartMode startMode = common.startMode.value_or(StartMode(0));

    // The program learns the sensor from the chosen plotter; the hobby edition's CorelDRAW and
    // Illustrator modes always have one.
    if (modeGiven && startMode.isHobby() && (startMode.isCorel() || startMode.isIllustrator()))
        markSensor = true;

    ConsoleInteraction ui;
    CTarnelWinCApp app;
    startupForCommand(app, common.programPath, ui);
    Texts texts(app.dataFolder, app.languageId);
    JobImportContext ctx{texts, ui};
    Job job;
    JobState state;
    state.markSensorFlag = markSensor;

    // The Corel variant is read from a private copy (its reader deletes what it reads), and
    // Inkscape's start modes and SVG files go to the SVG import.
    DrawingImportOptions options;
    if (modeGiven) options.startMode = startMode;
    options.svgConverter = svgConverterFor(noInkscape, converterWord, app.iniPath);
    options.tempFolder = tempFolder();
    DrawingImportResult imported;
    const DrawingKind& kind = imported.kind;
    if (!importDrawing(input, options, job, state, ctx, imported)) {
        const char* what = kind == DrawingKind::Svg        ? "an SVG drawing"
                           : kind == DrawingKind::CorelJob ? "a Corel-variant job file"
                                                           : "an Illustrator-variant job file";
        std::fprintf(stderr, "sartovin inspect: cannot read '%s' as %s: %s\n", input.c_str(), what,
                     imported.why.c_str());
        return 1;
    }
    const char* variant = kind == DrawingKind::Svg        ? "SVG drawing"
                          : kind == DrawingKind::CorelJob ? "Corel variant"
                                                          : "Illustrator variant";
    if (json) {
        std::fputs(toJson(job, state).c_str(), stdout);
    } else {
        printSummary(input, variant, job, state);
    }
    return 0;
}

}  // namespace sartovin::cli
