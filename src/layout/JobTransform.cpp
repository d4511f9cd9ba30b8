#include "layout/JobTransform.h"

#include <algorithm>

namespace sartovin {

Rotation rotationOf(int value) {
    return value >= 0 && value <= 3 ? static_cast<Rotation>(value) : kRotateNone;
}

bool isQuarterTurn(int rotation) { return rotation == kRotateRight || rotation == kRotateLeft; }

bool sameRotationGroup(int a, int b) { return isQuarterTurn(a) == isQuarterTurn(b); }

void setWorkingExtent(JobExtent& extent, int rotation) {
    const bool quarter = isQuarterTurn(rotation);
    extent.spanY = quarter ? extent.importedSpanX : extent.importedSpanY;
    extent.spanX = quarter ? extent.importedSpanY : extent.importedSpanX;
    extent.maxX = extent.spanX;
    extent.maxY = extent.spanY;
    extent.minX = extent.minY = 0;
}

JobTransform::JobTransform(int rotation, bool mirror, double spanX, double spanY)
    : m_rotation(rotationOf(rotation)), m_mirror(mirror), m_spanX(spanX), m_spanY(spanY) {}

JobPoint JobTransform::map(JobPoint p) const {
    JobPoint n;
    switch (m_rotation) {
        case kRotateRight:
            n = {p.y, m_spanX - p.x};
            break;
        case kRotateLeft:
            n = {m_spanY - p.y, p.x};
            break;
        case kRotate180:
            n = {m_spanX - p.x, m_spanY - p.y};
            break;
        default:
            n = p;
            break;
    }
    // The mirror axis is the new y span.
    if (m_mirror) n.y = (isQuarterTurn(m_rotation) ? m_spanX : m_spanY) - n.y;
    return n;
}

namespace {

void mapPoint(const JobTransform& t, double x, double y, double& nx, double& ny) {
    const JobPoint n = t.map({x, y});
    nx = n.x;
    ny = n.y;
}

}  // namespace

void JobTransform::apply(const Job& reference, Job& live) const {
    const bool quarter = isQuarterTurn(m_rotation);
    const std::size_t layerCount = std::min(live.layers.size(), reference.layers.size());
    for (std::size_t li = 0; li < layerCount; ++li) {
        JobLayer& layer = live.layers[li];
        const JobLayer& refLayer = reference.layers[li];
        const std::size_t objectCount = std::min(layer.objects.size(), refLayer.objects.size());
        for (std::size_t oi = 0; oi < objectCount; ++oi) {
            JobObject& object = layer.objects[oi];
            const JobObject& ref = refLayer.objects[oi];
            if (quarter) {
                object.boundsX1 = ref.boundsY1, object.boundsY1 = ref.boundsX1;
                object.boundsX2 = ref.boundsY2, object.boundsY2 = ref.boundsX2;
            } else {
                object.boundsX1 = ref.boundsX1, object.boundsY1 = ref.boundsY1;
                object.boundsX2 = ref.boundsX2, object.boundsY2 = ref.boundsY2;
            }
            const std::size_t pathCount = std::min(object.paths.size(), ref.paths.size());
            for (std::size_t pi = 0; pi < pathCount; ++pi) {
                auto& segs = object.paths[pi].segments;
                const auto& refSegs = ref.paths[pi].segments;
                const std::size_t segCount = std::min(segs.size(), refSegs.size());
                for (std::size_t si = 0; si < segCount; ++si) {
                    PathSegment& s = segs[si];
                    const PathSegment& q = refSegs[si];
                    mapPoint(*this, q.startX, q.startY, s.startX, s.startY);
                    mapPoint(*this, q.ctrl1X, q.ctrl1Y, s.ctrl1X, s.ctrl1Y);
                    mapPoint(*this, q.ctrl2X, q.ctrl2Y, s.ctrl2X, s.ctrl2Y);
                    mapPoint(*this, q.endX, q.endY, s.endX, s.endY);
                }
            }
        }
    }
}

}  // namespace sartovin
