// Feeds arbitrary bytes to both job file readers: the input is written to a file and read as the
// Illustrator variant and as the Corel variant. Besides the sanitizers, the model's own promises
// are checked: the totals match the tree, every number is finite, groups point into the layers.

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/Texts.h"
#include "job/JobFileReader.h"
#include "job/JobModel.h"
#include "platform/Files.h"
#include "platform/ScriptedInteraction.h"

namespace {

using namespace sartovin;

void require(bool condition) {
    if (!condition) __builtin_trap();
}

void checkModel(const Job& job, const JobState& state, bool ok) {
    long long objects = 0, paths = 0;
    for (const JobLayer& layer : job.layers) {
        for (const JobObject& o : layer.objects) {
            ++objects;
            require(std::isfinite(o.boundsX1) && std::isfinite(o.boundsY1) && std::isfinite(o.boundsX2) &&
                    std::isfinite(o.boundsY2));
            for (const JobPath& p : o.paths) {
                ++paths;
                for (const PathSegment& s : p.segments) {
                    require(std::isfinite(s.startX) && std::isfinite(s.startY) && std::isfinite(s.endX) &&
                            std::isfinite(s.endY) && std::isfinite(s.ctrl1X) && std::isfinite(s.ctrl2Y));
                    require(s.kind == kSegmentLine || s.kind == kSegmentCurve);
                }
            }
        }
    }
    if (!ok) return;
    const JobExtent& e = state.extent;
    require(std::isfinite(e.spanX) && std::isfinite(e.spanY) && e.spanX >= 0 && e.spanY >= 0);
    require(objects == state.objectTotal);
    require(paths == state.pathTotal);
    for (const ColourGroup& g : job.colourGroups) {
        require(!g.members.empty());
        for (const ObjectRef& m : g.members) {
            require(m.layer >= 0 && static_cast<std::size_t>(m.layer) < job.layers.size());
            require(m.object >= 0 && static_cast<std::size_t>(m.object) < job.layers[m.layer].objects.size());
            require(job.object(m).fillColour == g.colour);
        }
    }
}

const std::string& inputPath() {
    static const std::string path = [] {
        const char* tmp = std::getenv("TMPDIR");
        return std::string(tmp && *tmp ? tmp : "/tmp") + "/sartovin-jobfuzz-" + std::to_string(::getpid()) +
               ".qxj";
    }();
    return path;
}

// A plain write: the atomic rewrite's flush to disk would cost most of every run.
bool writeInput(const std::string& bytes) {
    std::FILE* f = std::fopen(inputPath().c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const Texts texts("/nonexistent/", 2000);
    for (bool corel : {false, true}) {
        if (!writeInput(bytes)) return 0;
        ScriptedInteraction ui;
        JobImportContext ctx{texts, ui};
        Job job;
        JobState state;
        state.markSensorFlag = (size & 1) != 0;
        bool ok = corel ? readCorelJob(inputPath(), job, state, ctx)
                        : readIllustratorJob(inputPath(), job, state, ctx);
        checkModel(job, state, ok);
        if (ok) {
            Job reference;
            JobExtent referenceExtent;
            makeReferenceCopy(job, state.extent, reference, referenceExtent);
            release(reference);
        }
        require(release(job) && job.layers.empty() && job.colourGroups.empty());
    }
    removeFile(inputPath());
    return 0;
}
