// sartovin preview: the preview of a laid-out drawing with its copies, written to a PNG file. The
// drawing is set up exactly as 'sartovin plot' sets it up, and painted by the preview window's
// own painting code.

#include <QGuiApplication>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/StartMode.h"
#include "app/Texts.h"
#include "cli/Cli.h"
#include "layout/ui/PreviewPainter.h"
#include "layout/ui/PreviewScene.h"
#include "platform/ConsoleInteraction.h"
#include "platform/Files.h"
#include "platform/SystemFolders.h"
#include "session/DrawingImport.h"
#include "session/MainWindowModel.h"

namespace sartovin::cli {

namespace {

const char* kPreviewUsage =
    "usage: sartovin preview [OPTIONS] INPUT --png FILE\n"
    "  --png FILE              the PNG file to write\n"
    "  --scale PX_PER_MM       pixels per millimetre of the medium (default 4, 0.1 to 50)\n"
    "  --start-mode N          edition and host (default: decided by the program name; the drawing\n"
    "                          kind is then decided by the file)\n"
    "  --plotter NAME          plotter of the catalog     --medium NAME   medium of that plotter\n"
    "  --columns N  --rows N                              copies side by side / one behind the other\n"
    "  --position-right MM  --position-front MM           manual position on the medium\n"
    "  --width-percent P  --height-percent P              job size (proportional unless both are given)\n"
    "  --no-inkscape           read an SVG drawing as it stands, without converting it first\n"
    "The picture shows the medium as the cutter sees it: its origin, the right corner of the front\n"
    "edge, at the lower right; the feed runs up the picture. Options apply to this run only: the\n"
    "settings file is not changed.\n";

constexpr const char* kName = "sartovin preview";

struct Options {
    std::string plotter, medium, startMode, png, scale;
    std::string columns, rows, right, front, widthPercent, heightPercent;
    bool noInkscape = false;
};

bool numberOption(const std::string& text, const char* name, int& value) {
    if (text.empty()) return false;
    if (!parseInt(text, value)) {
        std::fprintf(stderr, "%s: %s wants a whole number, not '%s'\n", kName, name, text.c_str());
        std::exit(2);
    }
    return true;
}

bool decimalOption(const std::string& text, const char* name, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(value)) {
        std::fprintf(stderr, "%s: %s wants a number, not '%s'\n", kName, name, text.c_str());
        std::exit(2);
    }
    return true;
}

void noteClamped(const char* what, double asked, double got) {
    if (std::fabs(asked - got) > 1e-9)
        std::fprintf(stderr, "%s: %s %g is outside what this plotter allows; using %g\n", kName, what, asked, got);
}

std::string privateSettingsCopy(const std::string& iniPath) {
    std::string bytes = readWholeFile(iniPath).value_or(std::string());
    return writePrivateTempFile(tempFolder(), "sartovin-settings", bytes);
}

// Painting needs a GUI application object; without a display the offscreen platform serves.
std::unique_ptr<QGuiApplication> guiApplication() {
    if (QGuiApplication::instance() != nullptr) return nullptr;
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((display == nullptr || !*display) && (wayland == nullptr || !*wayland))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "sartovin";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

int runPreviewCommand(Args args) {
    if (takeFlag(args, "--help") || takeFlag(args, "-h")) {
        std::fputs(kPreviewUsage, stdout);
        return 0;
    }
    Options o;
    std::string programPath;
    takeOption(args, "--program-path", programPath);
    takeOption(args, "--start-mode", o.startMode);
    takeOption(args, "--plotter", o.plotter);
    takeOption(args, "--medium", o.medium);
    takeOption(args, "--columns", o.columns);
    takeOption(args, "--rows", o.rows);
    takeOption(args, "--position-right", o.right);
    takeOption(args, "--position-front", o.front);
    takeOption(args, "--width-percent", o.widthPercent);
    takeOption(args, "--height-percent", o.heightPercent);
    bool hasPng = takeOption(args, "--png", o.png);
    takeOption(args, "--scale", o.scale);
    o.noInkscape = takeFlag(args, "--no-inkscape");
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-' || !hasPng || o.png.empty()) {
        std::fputs(kPreviewUsage, stderr);
        return 2;
    }
    const std::string input = args[0];
    double scale = 4.0;
    if (decimalOption(o.scale, "--scale", scale) && (scale < 0.1 || scale > 50)) {
        std::fprintf(stderr, "%s: --scale %g is outside 0.1 to 50 pixels per millimetre\n", kName, scale);
        return 2;
    }

    int startMode = 0;
    if (numberOption(o.startMode, "--start-mode", startMode)) {
        if (!isKnownStartMode(startMode)) {
            std::fprintf(stderr, "%s: %d is not a start mode\n", kName, startMode);
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
        std::fprintf(stderr, "%s: cannot make a private copy of %s\n", kName, app.iniPath.c_str());
        return 1;
    }
    struct RemoveCopy {
        std::string path;
        ~RemoveCopy() { removeFile(path); }
    } removeCopy{settingsCopy};

    MainWindowModel model(app, ui, texts, settingsCopy);
    if (!model.loadPlotters()) return 1;
    if (model.plotters().plotters().empty()) {
        std::fprintf(stderr, "%s: the plotter catalog %s lists no plotter\n", kName, app.plotterCatalogPath.c_str());
        return 1;
    }
    if (!o.plotter.empty()) {
        int index = model.plotters().indexOf(o.plotter);
        if (index < 0) {
            std::fprintf(stderr, "%s: no plotter named '%s'; the catalog has:\n", kName, o.plotter.c_str());
            for (const auto& name : model.plotters().names()) std::fprintf(stderr, "  %s\n", name.c_str());
            return 2;
        }
        model.selectPlotter(index);
    }

    JobImportContext ctx{texts, ui};
    DrawingImportOptions importOptions;
    importOptions.startMode = startMode;
    importOptions.runInkscape = !o.noInkscape;
    importOptions.tempFolder = tempFolder();
    DrawingKind kind;
    std::string why;
    if (!importDrawing(input, importOptions, model.job(), model.jobState(), ctx, kind, why)) {
        std::fprintf(stderr, "%s: cannot read '%s': %s\n", kName, input.c_str(), why.c_str());
        return 1;
    }
    model.openPages();

    if (!o.medium.empty()) {
        const auto& media = model.media().media();
        int index = -1;
        for (std::size_t i = 0; i < media.size() && index < 0; ++i)
            if (media[i].name == o.medium || media[i].catalogName == o.medium) index = static_cast<int>(i);
        if (index < 0) {
            std::fprintf(stderr, "%s: plotter '%s' has no medium '%s'; its media are:\n", kName,
                         model.currentPlotter()->name.c_str(), o.medium.c_str());
            for (const auto& m : media) std::fprintf(stderr, "  %s\n", m.name.c_str());
            return 2;
        }
        model.selectMedium(index);
    }

    LayoutModel& layout = model.layout();
    int n = 0;
    double percent = 0;
    bool width = decimalOption(o.widthPercent, "--width-percent", percent);
    double heightPercent = 0;
    bool height = decimalOption(o.heightPercent, "--height-percent", heightPercent);
    if (width && height) layout.setProportional(false);
    if (width && !layout.changeSize(SizeField::WidthPercent, percent))
        std::fprintf(stderr, "%s: a width of %g %% does not fit; the size stays\n", kName, percent);
    if (height && !layout.changeSize(SizeField::HeightPercent, heightPercent))
        std::fprintf(stderr, "%s: a height of %g %% does not fit; the size stays\n", kName, heightPercent);
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

    auto gui = guiApplication();
    const PreviewScene scene = previewSceneOf(layout, model.options(), model.jobState(), app.startMode);
    // A roll is drawn up to a little beyond the copies: the rest of a 50 m roll is empty.
    double limit = 0;
    const double copiesAlong = scene.extentAlong() > scene.mediumLength ? scene.extentAlong() : [&] {
        PreviewScene bare = scene;
        bare.mediumLength = 0;
        return bare.extentAlong();
    }();
    if (scene.mediumLength > copiesAlong + std::max(100.0, scene.mediumWidth)) limit = copiesAlong + 100.0;
    const QImage image = PreviewPainter::renderPreview(&model.job(), scene, scale, 20, limit);
    if (image.isNull() || !image.save(QString::fromStdString(o.png), "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", kName, o.png.c_str());
        return 1;
    }
    std::string shown;
    if (limit > 0) shown = " (its first " + std::to_string(static_cast<int>(limit)) + " mm)";
    std::fprintf(stderr, "%s: %s on %s, medium %d x %d mm%s, %zu cop%s: %d x %d pixels written to %s\n", kName,
                 input.c_str(), model.currentPlotter()->name.c_str(), layout.mediumWidth(), layout.mediumHeight(),
                 shown.c_str(), scene.cells.size(), scene.cells.size() == 1 ? "y" : "ies", image.width(),
                 image.height(), o.png.c_str());
    return 0;
}

}  // namespace sartovin::cli
