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

#include "base/StartMode.h"
#include "base/Texts.h"
#include "cli/BatchRun.h"
#include "cli/Cli.h"
#include "pages/PreviewScene.h"
#include "platform/ConsoleInteraction.h"
#include "platform/Decimal.h"
#include "platform/Files.h"
#include "platform/SystemFolders.h"
#include "render/PreviewPainter.h"
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
    "  --plotter NAME          plotter of any catalog (it picks its edition unless --start-mode is\n"
    "                          given)                   --medium NAME   medium of that plotter\n"
    "  --columns N  --rows N                              copies side by side / one behind the other\n"
    "  --position-right MM  --position-front MM           manual position on the medium\n"
    "  --width-percent P  --height-percent P              job size (proportional unless both are given)\n"
    "  --rotate none|right|left|180  --mirror  --weeding-frame MM  --overcut MM   as for 'plot'\n"
    "  --svg-converter WHICH   who turns an SVG drawing into paths: auto (ours, Inkscape for text),\n"
    "                          own or inkscape (default: the setting SvgConverter, else auto)\n"
    "  --no-inkscape           the same as --svg-converter own\n"
    "  --invert                laser edition: the job inverted, as the engraver burns it\n"
    "The picture shows the medium as the cutter sees it: its origin, the right corner of the front\n"
    "edge, at the lower right; the feed runs up the picture. Options apply to this run only: the\n"
    "settings file is not changed.\n";

constexpr const char* kName = "sartovin preview";

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
    BatchOptions batch;
    if (!takeBatchOptions(args, batch, false, "preview")) return 2;
    std::string png, scaleText;
    bool hasPng = takeOption(args, "--png", png);
    takeOption(args, "--scale", scaleText);
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-' || !hasPng || png.empty()) {
        reportUnknownOptions(args, "preview");
        std::fputs(kPreviewUsage, stderr);
        return 2;
    }
    const std::string input = args[0];
    double scale = 4.0;
    if (!scaleText.empty()) {
        std::size_t used = 0;
        if (!parseDecimal(scaleText, scale, &used) || used != scaleText.size() || scale < 0.1 || scale > 50) {
            std::fprintf(stderr, "%s: --scale %s is not 0.1 to 50 pixels per millimetre\n", kName,
                         scaleText.c_str());
            return 2;
        }
    }

    BatchRun run("preview");
    if (int status = run.setUp(batch, input)) return status;
    CTarnelWinCApp& app = run.app;
    MainWindowModel& model = *run.model;
    LayoutModel& layout = model.layout();

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
    if (image.isNull() || !image.save(QString::fromStdString(png), "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", kName, png.c_str());
        return 1;
    }
    std::string shown;
    if (limit > 0) shown = " (its first " + std::to_string(static_cast<int>(limit)) + " mm)";
    std::fprintf(stderr, "%s: %s on %s, medium %d x %d mm%s, %zu cop%s: %d x %d pixels written to %s\n",
                 kName, input.c_str(), model.currentPlotter()->name.c_str(), layout.mediumWidth(),
                 layout.mediumHeight(), shown.c_str(), scene.cells.size(),
                 scene.cells.size() == 1 ? "y" : "ies", image.width(), image.height(), png.c_str());
    return 0;
}

}  // namespace sartovin::cli
