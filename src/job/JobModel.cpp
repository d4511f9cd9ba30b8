#include "job/JobModel.h"

#include <algorithm>
#include <cmath>

#include "job/Bezier.h"
#include "platform/Files.h"

namespace sartovin {

namespace {

constexpr double kExtentStart = 1000000.0;
// The margin import adds around an ordinary drawing, so that the outermost cut does not run on the
// very edge of the computed job size.
constexpr double kExtentMargin = 0.5;

void startExtent(JobExtent& extent) {
    extent.minX = extent.minY = kExtentStart;
    extent.maxX = extent.maxY = -kExtentStart;
}

void settleSpans(JobExtent& extent, bool marksMode) {
    if (!marksMode) {
        extent.minX -= kExtentMargin;
        extent.minY -= kExtentMargin;
        extent.maxX += kExtentMargin;
        extent.maxY += kExtentMargin;
    }
    extent.spanY = extent.importedSpanY = extent.maxY - extent.minY;
    extent.spanX = extent.importedSpanX = extent.maxX - extent.minX;
}

bool isMarksLayer(const JobLayer& layer) { return layer.name == kMarksLayerName; }

}  // namespace

const char* describeJobReadFailure(JobReadFailure failure) {
    switch (failure) {
        case JobReadFailure::None:
            return "no failure";
        case JobReadFailure::CannotOpen:
            return "the file cannot be opened or read";
        case JobReadFailure::BadEncoding:
            return "the text cannot be converted from its code page";
        case JobReadFailure::NoPageRecord:
            return "not a job file (no \"QXSeite\" record)";
        case JobReadFailure::NoSegments:
            return "the job holds no objects to cut";
        case JobReadFailure::TextLeftOut:
            return "its text needs Inkscape, which is not used";
        case JobReadFailure::TooLarge:
            return "the file is larger than 128 MB, the most a drawing or job file may have";
    }
    return "unknown failure";
}

bool release(Job& job) {
    // Swapping with empty vectors gives the memory back at once; clear() would keep the capacity.
    std::vector<JobLayer>().swap(job.layers);
    std::vector<ColourGroup>().swap(job.colourGroups);
    return true;
}

void beginImport(JobState& state) {
    state.objectTotal = 0;
    state.pathTotal = 0;
    startExtent(state.extent);
}

void widenExtent(JobExtent& extent, const JobObject& o) {
    extent.minX = std::min({extent.minX, o.boundsX1, o.boundsX2});
    extent.maxX = std::max({extent.maxX, o.boundsX1, o.boundsX2});
    extent.minY = std::min({extent.minY, o.boundsY1, o.boundsY2});
    extent.maxY = std::max({extent.maxY, o.boundsY1, o.boundsY2});
}

bool closeSubPath(JobPath& path) {
    if (!path.closed || path.segments.empty()) return false;
    PathSegment& last = path.segments.back();
    const PathSegment& first = path.segments.front();
    const double dx = first.startX - last.endX;
    const double dy = first.startY - last.endY;
    if (std::hypot(dx, dy) <= kClosingTolerance) {
        last.endX = first.startX;
        last.endY = first.startY;
        return false;
    }
    PathSegment side;
    side.kind = kSegmentLine;
    side.startX = side.ctrl1X = last.endX;
    side.startY = side.ctrl1Y = last.endY;
    side.endX = side.ctrl2X = first.startX;
    side.endY = side.ctrl2Y = first.startY;
    side.length = segmentLength(side);
    path.segments.push_back(side);
    return true;
}

long long segmentTotal(const Job& job) {
    long long total = 0;
    for (const JobLayer& layer : job.layers)
        for (const JobObject& object : layer.objects)
            for (const JobPath& path : object.paths) total += static_cast<long long>(path.segments.size());
    return total;
}

bool finishImport(Job& job, JobState& state, JobImportContext& ctx, int marksObjectThreshold) {
    state.marksObjectThreshold = marksObjectThreshold;
    if (segmentTotal(job) == 0) {
        ctx.ui.messageBox(ctx.texts.text(TextId::NoObjects), kProgramCaption, MessageIcon::Error,
                          MessageButtons::Ok);
        ctx.failure = JobReadFailure::NoSegments;
        return false;
    }
    // Only the marks layer's own object count decides: an artwork layer with many objects next to
    // a marks layer with too few marks must not turn the job into a marks job.
    for (const JobLayer& layer : job.layers) {
        if (isMarksLayer(layer) && state.marksLayerFlag && state.markSensorFlag &&
            static_cast<long long>(layer.objects.size()) >= marksObjectThreshold) {
            state.marksMode = true;
        }
    }
    settleSpans(state.extent, state.marksMode);
    buildColourGroups(job);
    ctx.failure = JobReadFailure::None;
    return true;
}

void buildColourGroups(Job& job) {
    std::vector<ColourGroup> groups;
    for (std::size_t l = 0; l < job.layers.size(); ++l) {
        const JobLayer& layer = job.layers[l];
        if (isMarksLayer(layer)) continue;
        for (std::size_t o = 0; o < layer.objects.size(); ++o) {
            const JobObject& object = layer.objects[o];
            ObjectRef ref{static_cast<std::int32_t>(l), static_cast<std::int32_t>(o)};
            auto found = std::find_if(groups.begin(), groups.end(),
                                      [&](const ColourGroup& g) { return g.colour == object.fillColour; });
            if (found != groups.end()) {
                found->members.push_back(ref);
                continue;
            }
            ColourGroup group;
            group.name = object.colourName;
            group.colour = object.fillColour;
            group.colourKind = object.colourKind;
            group.enabled = true;
            group.members.push_back(ref);
            groups.push_back(std::move(group));
        }
    }
    job.colourGroups = std::move(groups);
}

void normaliseToOrigin(Job& job, JobExtent& extent) {
    const double dx = -extent.minX;
    const double dy = -extent.minY;
    for (JobLayer& layer : job.layers) {
        for (JobObject& object : layer.objects) {
            object.boundsX1 += dx;
            object.boundsX2 += dx;
            object.boundsY1 += dy;
            object.boundsY2 += dy;
            for (JobPath& path : object.paths) {
                for (PathSegment& s : path.segments) {
                    s.startX += dx;
                    s.startY += dy;
                    s.ctrl1X += dx;
                    s.ctrl1Y += dy;
                    s.ctrl2X += dx;
                    s.ctrl2Y += dy;
                    s.endX += dx;
                    s.endY += dy;
                }
            }
        }
    }
    extent.minX = extent.minY = 0;
    extent.maxX = extent.importedSpanX;
    extent.maxY = extent.importedSpanY;
    extent.spanX = extent.importedSpanX;
    extent.spanY = extent.importedSpanY;
}

void makeReferenceCopy(const Job& live, const JobExtent& extent, Job& reference, JobExtent& referenceExtent) {
    Job copy = live;
    JobExtent copyExtent = extent;
    normaliseToOrigin(copy, copyExtent);
    reference = std::move(copy);
    referenceExtent = copyExtent;
}

bool extentOfObjects(const Job& job, bool onlySelected, bool marksMode, JobExtent& out) {
    JobExtent extent;
    startExtent(extent);
    bool any = false;
    for (const JobLayer& layer : job.layers) {
        if (isMarksLayer(layer)) continue;
        for (const JobObject& object : layer.objects) {
            if (onlySelected && !object.selected) continue;
            widenExtent(extent, object);
            any = true;
        }
    }
    if (!any) return false;
    settleSpans(extent, marksMode);
    out = extent;
    return true;
}

bool drawingTooLarge(const std::string& path, JobImportContext& ctx) {
    const std::optional<std::uint64_t> size = fileSizeOf(path);
    if (!size || *size <= kMaxDrawingBytes) return false;
    ctx.failure = JobReadFailure::TooLarge;
    return true;
}

std::string drawingTooLargeMessage(const Texts& texts, const std::string& path) {
    const std::uint64_t size = fileSizeOf(path).value_or(0);
    const std::uint64_t mb = 1 << 20;
    return texts.format(TextId::DrawingTooLarge,
                        {path, std::to_string((size + mb - 1) / mb), std::to_string(kMaxDrawingBytes / mb)});
}

}  // namespace sartovin
