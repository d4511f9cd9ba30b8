// Feeds arbitrary bytes to the three catalog loaders as the program opens them: the plotter
// catalog (with its connection settings merged), the media catalog and the tools catalog. The
// first byte picks the edition. A loaded plotter catalog always names a plotter.

#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzInputFile.h"
#include "base/Settings.h"
#include "base/StartMode.h"
#include "base/Texts.h"
#include "catalog/MediaCatalog.h"
#include "catalog/PlotterCatalog.h"
#include "catalog/ToolCatalog.h"
#include "platform/ScriptedInteraction.h"

using namespace sartovin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string& path = fuzz::inputFile(".csv");
    if (!fuzz::writeInput(path, std::string(reinterpret_cast<const char*>(data + 1), size - 1))) return 0;
    static const int kModes[] = {1, 2, 5, 10, 11, 12, 21, 22};
    const StartMode mode = kModes[data[0] & 7];
    const Texts texts("/nonexistent/", 2000);
    ScriptedInteraction ui;
    const Settings settings("/nonexistent/Sartovin.ini");

    PlotterCatalog plotters;
    if (plotters.load(path, mode, settings, ui, texts)) {
        bool named = false;
        for (const auto& p : plotters.plotters()) named = named || !p.name.empty();
        fuzz::require(named && plotters.current() != nullptr);
    }
    MediaCatalog media(ui, texts, settings);
    (void)media.load(path, mode, plotters.current() ? plotters.current()->name : "Sable 60");
    ToolCatalog tools;
    (void)tools.load(path, ui, texts);
    return 0;
}
