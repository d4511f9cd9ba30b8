#include "cli/BatchRun.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "base/Settings.h"
#include "base/StartMode.h"
#include "platform/Decimal.h"
#include "platform/Files.h"
#include "platform/SystemFolders.h"
#include "plot/LaserDriver.h"
#include "session/DrawingImport.h"

namespace sartovin::cli {

SvgConverterChoice svgConverterFor(bool noInkscape, const std::string& word, const std::string& iniPath) {
    SvgConverterChoice choice = SvgConverterChoice::Automatic;
    if (noInkscape) return SvgConverterChoice::Own;
    if (!word.empty() && svgConverterChoiceOf(word, choice)) return choice;
    svgConverterChoiceOf(Settings(iniPath).svgConverter(), choice);
    return choice;
}

bool takeBatchOptions(Args& args, BatchOptions& o, bool cuttingValues, const char* command) {
    takeOption(args, "--medium", o.medium);
    o.noInkscape = takeFlag(args, "--no-inkscape");
    o.invert = takeFlag(args, "--invert");
    takeOption(args, "--svg-converter", o.svgConverter);
    SvgConverterChoice choice;
    if (!o.svgConverter.empty() && !svgConverterChoiceOf(o.svgConverter, choice)) {
        std::fprintf(stderr, "sartovin %s: --svg-converter wants auto, own or inkscape, not '%s'\n", command,
                     o.svgConverter.c_str());
        return false;
    }
    bool ok = takeCommonOptions(args, o.common, command) &&
              takeNumber(args, "--columns", o.columns, command) &&
              takeNumber(args, "--rows", o.rows, command) &&
              takeNumber(args, "--position-right", o.right, command) &&
              takeNumber(args, "--position-front", o.front, command) &&
              takeDecimal(args, "--width-percent", o.widthPercent, command) &&
              takeDecimal(args, "--height-percent", o.heightPercent, command);
    if (ok && cuttingValues)
        ok = takeNumber(args, "--speed", o.speed, command) && takeNumber(args, "--force", o.force, command) &&
             takeNumber(args, "--repeat", o.repeat, command) &&
             takeNumber(args, "--resolution", o.resolution, command);
    // A count below one is a mistake, not something to round up silently.
    const std::pair<const char*, std::optional<int>*> counts[] = {
        {"--columns", &o.columns}, {"--rows", &o.rows}, {"--repeat", &o.repeat}};
    for (auto [name, value] : counts)
        if (ok && *value && **value < 1) {
            std::fprintf(stderr, "sartovin %s: %s wants a count of 1 or more, not %d\n", command, name,
                         **value);
            ok = false;
        }
    std::string rotation;
    if (ok && takeOption(args, "--rotate", rotation)) {
        const char* names[] = {"none", "right", "left", "180"};
        for (int i = 0; i < 4; ++i)
            if (rotation == names[i]) o.rotation = i;
        if (!o.rotation) {
            std::fprintf(stderr, "sartovin %s: --rotate wants none, right, left or 180, not '%s'\n", command,
                         rotation.c_str());
            ok = false;
        }
    }
    if (takeFlag(args, "--mirror")) o.mirror = true;
    if (takeFlag(args, "--no-mirror")) o.mirror = false;
    if (ok) {
        ok = takeDecimal(args, "--weeding-frame", o.weedingFrame, command) &&
             takeDecimal(args, "--overcut", o.overcut, command);
        if (ok && o.weedingFrame && (*o.weedingFrame < 0 || *o.weedingFrame > 100)) {
            std::fprintf(stderr, "sartovin %s: --weeding-frame wants 0 to 100 mm, not %g\n", command,
                         *o.weedingFrame);
            ok = false;
        }
        if (ok && o.overcut && (*o.overcut < 0 || *o.overcut > 1)) {
            std::fprintf(stderr, "sartovin %s: --overcut wants 0 to 1 mm, not %g\n", command, *o.overcut);
            ok = false;
        }
    }
    return ok;
}

void BatchRun::noteClamped(const char* what, double asked, double got) const {
    if (std::fabs(asked - got) > 1e-9)
        std::fprintf(stderr, "sartovin %s: %s %g is outside what this plotter allows; using %g\n", command(),
                     what, asked, got);
}

int BatchRun::setUp(const BatchOptions& o, const std::string& input, bool identifyCutter) {
    if (int status = CommandSetup::setUp(o.common, SettingsUse::PrivateCopy)) return status;
    if ((o.invert || o.resolution) && !app.startMode.isLaser()) {
        std::fprintf(stderr, "sartovin %s: %s belongs to the laser edition (start modes 20 to 22)\n",
                     command(), o.invert ? "--invert" : "--resolution");
        return 2;
    }
    if (identifyCutter) devices().identifyUsb();

    JobImportContext ctx{*texts, ui};
    DrawingImportOptions importOptions;
    importOptions.startMode = o.common.startMode;
    importOptions.svgConverter = svgConverterFor(o.noInkscape, o.svgConverter, app.iniPath);
    importOptions.tempFolder = tempFolder();
    DrawingImportResult imported;
    if (!importDrawing(input, importOptions, model->job(), model->jobState(), ctx, imported)) {
        std::fprintf(stderr, "sartovin %s: cannot read '%s': %s\n", command(), input.c_str(),
                     imported.why.c_str());
        return 1;
    }
    model->openPages();
    // The connected cutter says what it is (its model decides the writers' settings block) and
    // how large its medium is, before the command line's options apply.
    if (identifyCutter) devices().identifyCutter(*model);

    if (!o.medium.empty()) {
        const auto& media = model->media().media();
        int index = -1;
        for (std::size_t i = 0; i < media.size() && index < 0; ++i)
            if (media[i].name == o.medium || media[i].catalogName == o.medium) index = static_cast<int>(i);
        if (index < 0) {
            std::fprintf(stderr, "sartovin %s: plotter '%s' has no medium '%s'; its media are:\n", command(),
                         model->currentPlotter()->name.c_str(), o.medium.c_str());
            for (const auto& m : media) std::fprintf(stderr, "  %s\n", m.name.c_str());
            return 2;
        }
        model->selectMedium(index);
    }

    if (o.resolution) {
        // The engraver works at the resolutions of its list: a value between them takes the
        // next lower one.
        const int snapped = snapLaserResolution(*o.resolution);
        if (snapped == 0) {
            std::fprintf(stderr, "sartovin %s: --resolution wants 125 to 1000 dots per inch, not %d\n",
                         command(), *o.resolution);
            return 2;
        }
        noteClamped("resolution", *o.resolution, snapped);
        model->setLaserResolution(snapped);
    }
    if (o.invert) model->layout().setInvert(true);

    OptionsModel& options = model->options();
    if (o.speed) noteClamped("speed", *o.speed, options.setInt(OptionField::Speed, *o.speed));
    if (o.force) noteClamped("force", *o.force, options.setInt(OptionField::Force, *o.force));
    if (o.repeat) noteClamped("repeat count", *o.repeat, options.setInt(OptionField::RepeatCount, *o.repeat));
    if (o.weedingFrame) {
        options.setGridOn(*o.weedingFrame > 0);
        if (*o.weedingFrame > 0)
            noteClamped(
                "weeding frame distance", std::round(*o.weedingFrame),
                options.setInt(OptionField::GridDistance, static_cast<int>(std::lround(*o.weedingFrame))));
    }
    if (o.overcut) {
        // The overcut is kept in tenths of a millimetre.
        const int tenths = static_cast<int>(std::lround(*o.overcut * 10));
        options.setOvercutOn(tenths > 0);
        if (tenths > 0) options.setInt(OptionField::Overcut, tenths);
    }

    LayoutModel& layout = model->layout();
    if (o.mirror) layout.setMirror(*o.mirror);
    if (o.rotation) layout.setRotation(*o.rotation);
    if (o.widthPercent && o.heightPercent) layout.setProportional(false);
    if (o.widthPercent && !layout.changeSize(SizeField::WidthPercent, *o.widthPercent))
        std::fprintf(stderr, "sartovin %s: a width of %g %% does not fit; the size stays\n", command(),
                     *o.widthPercent);
    if (o.heightPercent && !layout.changeSize(SizeField::HeightPercent, *o.heightPercent))
        std::fprintf(stderr, "sartovin %s: a height of %g %% does not fit; the size stays\n", command(),
                     *o.heightPercent);
    if (o.columns) {
        layout.setCopiesEdit(*o.columns);
        noteClamped("column count", *o.columns, layout.columns());
    }
    if (o.rows) {
        layout.setRowsEdit(*o.rows);
        noteClamped("row count", *o.rows, layout.rows());
    }
    if (o.right || o.front) {
        layout.setPositionMode(0);
        // The hobby edition's edits hold the distances to the left and back edges.
        bool hobby = app.startMode.isHobby();
        if (o.right) {
            layout.setHorizontalPosition(hobby ? layout.freeSpaceH() - *o.right : *o.right);
            noteClamped("right position", *o.right, layout.positionRight());
        }
        if (o.front) {
            layout.setVerticalPosition(hobby ? layout.freeSpaceV() - *o.front : *o.front);
            noteClamped("front position", *o.front, layout.positionFront());
        }
    }
    return 0;
}

}  // namespace sartovin::cli
