// Feeds arbitrary bytes to the SVG reader, as it stands and after the normalisation of Inkscape's
// output (arcs, quadratics, transforms and units folded into lines and cubics). Besides the
// sanitizers, the model's promises are checked: totals match the tree, every number is finite.

#include <cmath>
#include <cstdint>
#include <string>

#include "base/Texts.h"
#include "job/InkscapeAdapter.h"
#include "job/JobModel.h"
#include "job/SvgReader.h"
#include "platform/ScriptedInteraction.h"

namespace {

using namespace sartovin;

void require(bool condition) {
    if (!condition) __builtin_trap();
}

void readAndCheck(const std::string& text, bool answerOk) {
    const Texts texts("/nonexistent/", 2000);
    ScriptedInteraction ui;
    if (!answerOk) ui.answers = {MessageAnswer::Cancel};
    JobImportContext ctx{texts, ui};
    Job job;
    JobState state;
    const bool ok = readSvgText(text, job, state, ctx);
    long long objects = 0, paths = 0;
    for (const JobLayer& layer : job.layers)
        for (const JobObject& o : layer.objects) {
            ++objects;
            require(std::isfinite(o.boundsX1) && std::isfinite(o.boundsY2) && o.boundsX1 <= o.boundsX2 &&
                    o.boundsY1 <= o.boundsY2);
            require(!o.paths.empty());
            for (const JobPath& p : o.paths) {
                ++paths;
                require(!p.segments.empty());
                for (const PathSegment& s : p.segments)
                    require(std::isfinite(s.startX) && std::isfinite(s.endY) && std::isfinite(s.ctrl1X) &&
                            std::isfinite(s.ctrl2Y) && std::isfinite(s.length) && s.length >= 0);
            }
        }
    require(objects == state.objectTotal && paths == state.pathTotal);
    if (ok) require(std::isfinite(state.extent.spanX) && state.extent.spanX >= 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    readAndCheck(bytes, (size & 1) != 0);
    std::string normalised;
    if (normaliseInkscapeCopy("", bytes, normalised)) readAndCheck(normalised, true);
    return 0;
}
