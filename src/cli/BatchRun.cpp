#include "cli/BatchRun.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/Settings.h"
#include "base/StartMode.h"
#include "platform/Files.h"
#include "platform/SystemFolders.h"
#include "session/DrawingImport.h"

namespace sartovin::cli {

namespace {

bool takeNumber(Args& args, const char* name, std::optional<int>& value, const char* command) {
    std::string text;
    if (!takeOption(args, name, text)) return true;
    int v = 0;
    if (!parseInt(text, v)) {
        std::fprintf(stderr, "sartovin %s: %s wants a whole number, not '%s'\n", command, name, text.c_str());
        return false;
    }
    value = v;
    return true;
}

bool takeDecimal(Args& args, const char* name, std::optional<double>& value, const char* command) {
    std::string text;
    if (!takeOption(args, name, text)) return true;
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(v)) {
        std::fprintf(stderr, "sartovin %s: %s wants a number, not '%s'\n", command, name, text.c_str());
        return false;
    }
    value = v;
    return true;
}

}  // namespace

SvgConverterChoice svgConverterFor(bool noInkscape, const std::string& word, const std::string& iniPath) {
    SvgConverterChoice choice = SvgConverterChoice::Automatic;
    if (noInkscape) return SvgConverterChoice::Own;
    if (!word.empty() && svgConverterChoiceOf(word, choice)) return choice;
    svgConverterChoiceOf(Settings(iniPath).svgConverter(), choice);
    return choice;
}

bool takeBatchOptions(Args& args, BatchOptions& o, bool cuttingValues, const char* command) {
    takeOption(args, "--program-path", o.programPath);
    takeOption(args, "--plotter", o.plotter);
    takeOption(args, "--medium", o.medium);
    o.noInkscape = takeFlag(args, "--no-inkscape");
    takeOption(args, "--svg-converter", o.svgConverter);
    SvgConverterChoice choice;
    if (!o.svgConverter.empty() && !svgConverterChoiceOf(o.svgConverter, choice)) {
        std::fprintf(stderr, "sartovin %s: --svg-converter wants auto, own or inkscape, not '%s'\n", command,
                     o.svgConverter.c_str());
        return false;
    }
    std::optional<int> mode;
    bool ok = takeNumber(args, "--start-mode", mode, command) &&
              takeNumber(args, "--columns", o.columns, command) &&
              takeNumber(args, "--rows", o.rows, command) &&
              takeNumber(args, "--position-right", o.right, command) &&
              takeNumber(args, "--position-front", o.front, command) &&
              takeDecimal(args, "--width-percent", o.widthPercent, command) &&
              takeDecimal(args, "--height-percent", o.heightPercent, command);
    if (ok && cuttingValues)
        ok = takeNumber(args, "--speed", o.speed, command) && takeNumber(args, "--force", o.force, command) &&
             takeNumber(args, "--repeat", o.repeat, command);
    if (!ok) return false;
    if (mode) {
        if (!StartMode(*mode).isKnown()) {
            std::fprintf(stderr, "sartovin %s: %d is not a start mode\n", command, *mode);
            return false;
        }
        o.startMode = *mode;
    }
    return true;
}

BatchRun::~BatchRun() {
    model.reset();
    if (!m_settingsCopy.empty()) removeFile(m_settingsCopy);
}

void BatchRun::noteClamped(const char* what, double asked, double got) const {
    if (std::fabs(asked - got) > 1e-9)
        std::fprintf(stderr, "sartovin %s: %s %g is outside what this plotter allows; using %g\n", m_command,
                     what, asked, got);
}

int BatchRun::setUp(const BatchOptions& o, const std::string& input) {
    std::string programPath = o.programPath;
    if (o.startMode)
        programPath = folderOf(programPath.empty() ? executablePath() : programPath) +
                      programNameForStartMode(*o.startMode);
    startupForCommand(app, programPath, ui);
    texts = std::make_unique<Texts>(app.dataFolder, app.languageId);

    m_settingsCopy = writePrivateTempFile(tempFolder(), "sartovin-settings",
                                          readWholeFile(app.iniPath).value_or(std::string()));
    if (m_settingsCopy.empty()) {
        std::fprintf(stderr, "sartovin %s: cannot make a private copy of %s\n", m_command,
                     app.iniPath.c_str());
        return 1;
    }
    model = std::make_unique<MainWindowModel>(app, ui, *texts, m_settingsCopy);
    if (!model->loadPlotters()) return 1;
    if (model->plotters().plotters().empty()) {
        std::fprintf(stderr, "sartovin %s: the plotter catalog %s lists no plotter\n", m_command,
                     app.plotterCatalogPath.c_str());
        return 1;
    }
    if (!o.plotter.empty()) {
        int index = model->plotters().indexOf(o.plotter);
        if (index < 0) {
            std::fprintf(stderr, "sartovin %s: no plotter named '%s'; the catalog has:\n", m_command,
                         o.plotter.c_str());
            for (const auto& name : model->plotters().names()) std::fprintf(stderr, "  %s\n", name.c_str());
            return 2;
        }
        model->selectPlotter(index);
    }

    JobImportContext ctx{*texts, ui};
    DrawingImportOptions importOptions;
    importOptions.startMode = o.startMode;
    importOptions.svgConverter = svgConverterFor(o.noInkscape, o.svgConverter, app.iniPath);
    importOptions.tempFolder = tempFolder();
    DrawingKind kind;
    std::string why;
    if (!importDrawing(input, importOptions, model->job(), model->jobState(), ctx, kind, why)) {
        std::fprintf(stderr, "sartovin %s: cannot read '%s': %s\n", m_command, input.c_str(), why.c_str());
        return 1;
    }
    model->openPages();

    if (!o.medium.empty()) {
        const auto& media = model->media().media();
        int index = -1;
        for (std::size_t i = 0; i < media.size() && index < 0; ++i)
            if (media[i].name == o.medium || media[i].catalogName == o.medium) index = static_cast<int>(i);
        if (index < 0) {
            std::fprintf(stderr, "sartovin %s: plotter '%s' has no medium '%s'; its media are:\n", m_command,
                         model->currentPlotter()->name.c_str(), o.medium.c_str());
            for (const auto& m : media) std::fprintf(stderr, "  %s\n", m.name.c_str());
            return 2;
        }
        model->selectMedium(index);
    }

    OptionsModel& options = model->options();
    if (o.speed) noteClamped("speed", *o.speed, options.setInt(OptionField::Speed, *o.speed));
    if (o.force) noteClamped("force", *o.force, options.setInt(OptionField::Force, *o.force));
    if (o.repeat) noteClamped("repeat count", *o.repeat, options.setInt(OptionField::RepeatCount, *o.repeat));

    LayoutModel& layout = model->layout();
    if (o.widthPercent && o.heightPercent) layout.setProportional(false);
    if (o.widthPercent && !layout.changeSize(SizeField::WidthPercent, *o.widthPercent))
        std::fprintf(stderr, "sartovin %s: a width of %g %% does not fit; the size stays\n", m_command,
                     *o.widthPercent);
    if (o.heightPercent && !layout.changeSize(SizeField::HeightPercent, *o.heightPercent))
        std::fprintf(stderr, "sartovin %s: a height of %g %% does not fit; the size stays\n", m_command,
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
