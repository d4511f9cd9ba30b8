#include "job/SvgReader.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <string_view>

#include "job/Bezier.h"
#include "job/JobColours.h"
#include "job/JobModel.h"
#include "job/SvgGeometry.h"
#include "job/SvgPathData.h"
#include "job/SvgText.h"
#include "platform/Files.h"

namespace sartovin {

namespace {

constexpr std::string_view kLayerMarker = "inkscape:groupmode=\"layer\"";
constexpr std::string_view kTranslateMarker = "transform=\"translate(";
constexpr std::string_view kStyleMarker = "style=\"";

struct Translation {
    double x = 0;
    double y = 0;
};

// The end of the defs or metadata element starting at its first tag, whether it is written as a
// pair ("...</defs>") or closes itself ("<defs id="defs1" />", as Inkscape 1.x saves an empty one).
std::size_t endOfElement(std::string_view text, std::string_view name) {
    const std::string close = "</" + std::string(name) + ">";
    std::size_t pairEnd = text.find(close);
    std::size_t best = pairEnd == std::string_view::npos ? pairEnd : pairEnd + close.size();
    std::size_t open = findStartTag(text, name, 0);
    if (open != std::string_view::npos) {
        std::size_t tagEnd = findTagEnd(text, open);
        if (tagEnd != std::string_view::npos && isSelfClosing(text, tagEnd) &&
            (best == std::string_view::npos || pairEnd < open))
            best = tagEnd + 1;
    }
    return best;
}

// Where the drawing begins: the later of the ends of the metadata and the defs, so that paths in
// markers, patterns and clip paths are never taken for objects. npos when neither exists.
std::size_t startPosition(std::string_view text) {
    std::size_t a = endOfElement(text, "metadata");
    std::size_t b = endOfElement(text, "defs");
    if (a == std::string_view::npos) return b;
    if (b == std::string_view::npos) return a;
    return std::max(a, b);
}

bool isHiddenStyle(std::string_view tag) {
    std::string style;
    if (!attributeValue(tag, "style", style)) return false;
    std::string display;
    return styleProperty(style, "display", display) && display == "none";
}

// The end of the group element whose start tag ends at `tagEnd`: the matching "</g>".
std::size_t endOfGroup(std::string_view text, std::size_t tagEnd) {
    int depth = 1;
    std::size_t pos = tagEnd + 1;
    while (pos < text.size()) {
        std::size_t lt = text.find('<', pos);
        if (lt == std::string_view::npos) break;
        if (text.compare(lt, 4, "</g>") == 0 || text.compare(lt, 4, "</g ") == 0) {
            if (--depth == 0) return lt;
            pos = lt + 3;
            continue;
        }
        std::size_t end = findTagEnd(text, lt);
        if (end == std::string_view::npos) break;
        // Only the tag at `lt` is asked about: a search from there would run on through the rest
        // of the drawing for every other tag.
        if (findStartTag(text.substr(0, end + 1), "g", lt) == lt && !isSelfClosing(text, end)) ++depth;
        pos = end + 1;
    }
    return text.size();
}

// Two numbers after "translate(": "translate(5,7)", "translate(5 7)", or "translate(5)" (y 0).
// Anything unreadable, or beyond any drawing (kMaxPathCoordinate), counts as no translation.
Translation readTranslation(std::string_view text, std::size_t pos) {
    Translation t;
    std::size_t close = text.find(')', pos);
    if (close == std::string_view::npos) return t;
    Affine m;
    if (!parseTransform("translate(" + std::string(text.substr(pos, close - pos)) + ")", m) ||
        std::fabs(m.e) > kMaxPathCoordinate || std::fabs(m.f) > kMaxPathCoordinate)
        return t;
    t.x = m.e;
    t.y = m.f;
    return t;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// R, G, B from the six hex digits after "fill:#" in the element's style; 0, 0, 0 without them.
void readFill(std::string_view tag, int& r, int& g, int& b) {
    r = g = b = 0;
    std::size_t s = tag.find(kStyleMarker);
    if (s == std::string_view::npos) return;
    s += kStyleMarker.size();
    std::size_t e = tag.find('"', s);
    std::string_view style = tag.substr(s, e == std::string_view::npos ? std::string_view::npos : e - s);
    std::size_t f = style.find("fill:#");
    if (f == std::string_view::npos) return;
    f += 6;
    int d[6];
    for (int i = 0; i < 6; ++i) {
        if (f + i >= style.size() || (d[i] = hexDigit(style[f + i])) < 0) return;
    }
    r = d[0] * 16 + d[1];
    g = d[2] * 16 + d[3];
    b = d[4] * 16 + d[5];
}

// The path data: the quoted text after ' d="m' or ' d="M' (any white space before the d, so that
// attributes on their own lines are found and "inkscape:original-d" is not).
bool findPathData(std::string_view tag, std::string& data) {
    std::size_t from = 0;
    while (true) {
        std::size_t p = tag.find("d=\"", from);
        if (p == std::string_view::npos) return false;
        from = p + 1;
        if (p == 0) continue;
        char before = tag[p - 1];
        if (before != ' ' && before != '\n' && before != '\t' && before != '\r') continue;
        std::size_t begin = p + 3;
        if (begin >= tag.size() || (tag[begin] != 'm' && tag[begin] != 'M')) continue;
        std::size_t end = tag.find('"', begin);
        if (end == std::string_view::npos) return false;
        data.assign(tag.substr(begin, end - begin));
        return true;
    }
}

SvgPoint cubicAt(const PathSegment& s, double t) {
    BezierPoint p = bezierPoint(s, t);
    return {p.x, p.y};
}

// The parameters in (0, 1) where one coordinate of a cubic has an extreme.
int cubicExtremes(double p0, double p1, double p2, double p3, double t[2]) {
    // Derivative / 3: a t^2 + b t + c.
    const double a = -p0 + 3 * p1 - 3 * p2 + p3;
    const double b = 2 * (p0 - 2 * p1 + p2);
    const double c = p1 - p0;
    int n = 0;
    auto keep = [&](double r) {
        if (r > 0 && r < 1) t[n++] = r;
    };
    if (std::fabs(a) < 1e-12) {
        if (std::fabs(b) > 1e-12) keep(-c / b);
        return n;
    }
    const double disc = b * b - 4 * a * c;
    if (disc < 0) return 0;
    const double sq = std::sqrt(disc);
    keep((-b + sq) / (2 * a));
    keep((-b - sq) / (2 * a));
    return n;
}

struct Bounds {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool empty = true;
    void add(double x, double y) {
        if (empty) {
            minX = maxX = x;
            minY = maxY = y;
            empty = false;
            return;
        }
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
};

// The object bounds are those of the drawn outline: segment ends plus, for curves, the points
// where the curve turns in x or y. Control points themselves do not widen them, since a curve's
// handles may reach far beyond what is cut.
void widen(Bounds& bounds, const PathSegment& s) {
    bounds.add(s.startX, s.startY);
    bounds.add(s.endX, s.endY);
    if (s.kind != kSegmentCurve) return;
    double t[2];
    int n = cubicExtremes(s.startX, s.ctrl1X, s.ctrl2X, s.endX, t);
    for (int i = 0; i < n; ++i) {
        SvgPoint p = cubicAt(s, t[i]);
        bounds.add(p.x, p.y);
    }
    n = cubicExtremes(s.startY, s.ctrl1Y, s.ctrl2Y, s.endY, t);
    for (int i = 0; i < n; ++i) {
        SvgPoint p = cubicAt(s, t[i]);
        bounds.add(p.x, p.y);
    }
}

enum class PathResult { Read, Skipped, Cancelled };

// Reads one path's data into `object`. Unknown commands ask the user; Cancel ends the import.
PathResult readPathData(const std::string& data, const Translation& t, JobObject& object, Bounds& bounds,
                        Interaction& ui) {
    auto mm = [&](double v, double offset) { return (v + offset) / kSvgUnitsPerMm; };
    PathCursor cursor;
    JobPath path;
    auto flush = [&]() {
        if (!path.segments.empty()) {
            // "z" returns to the sub-path's start: the closing side is cut like any other.
            if (closeSubPath(path)) widen(bounds, path.segments.back());
            object.paths.push_back(std::move(path));
        }
        path = JobPath{};
    };
    while (true) {
        PathStep step = parsePathData(data, cursor);
        if (step.kind == PathStepKind::End) break;
        if (step.kind == PathStepKind::NewPath) {
            flush();
            continue;
        }
        if (step.kind == PathStepKind::Close) {
            path.closed = true;
            continue;
        }
        if (step.kind == PathStepKind::Unsupported) {
            MessageAnswer a = ui.messageBox(kSvgUnknownObjects, kProgramCaption, MessageIcon::Exclamation,
                                            MessageButtons::OkCancel, MessageAnswer::Ok);
            if (a != MessageAnswer::Ok) return PathResult::Cancelled;
            break;
        }
        // Drawing on after "z" without a move starts a new sub-path at the closed one's start.
        if (path.closed) flush();
        PathSegment s;
        s.startX = mm(step.start.x, t.x);
        s.startY = mm(step.start.y, t.y);
        s.endX = mm(step.end.x, t.x);
        s.endY = mm(step.end.y, t.y);
        if (step.command == 'C' || step.command == 'c') {
            s.kind = kSegmentCurve;
            s.ctrl1X = mm(step.ctrl1.x, t.x);
            s.ctrl1Y = mm(step.ctrl1.y, t.y);
            s.ctrl2X = mm(step.ctrl2.x, t.x);
            s.ctrl2Y = mm(step.ctrl2.y, t.y);
            s.length = segmentLength(s);
        } else {
            s.kind = kSegmentLine;
            // A line keeps only its ends; it is measured as the line it is.
            PathSegment chord = s;
            chord.ctrl1X = s.startX;
            chord.ctrl1Y = s.startY;
            chord.ctrl2X = s.endX;
            chord.ctrl2Y = s.endY;
            s.length = segmentLength(chord);
        }
        widen(bounds, s);
        path.segments.push_back(s);
    }
    flush();
    return object.paths.empty() ? PathResult::Skipped : PathResult::Read;
}

// True when the path's id names one of the objects selected in the drawing program.
bool isSelected(std::string_view element, const std::set<std::string>& selectedIds) {
    if (selectedIds.empty()) return false;
    std::string value;
    if (attributeValue(element, "id", value) && selectedIds.count(decodeEntities(value)) != 0) return true;
    return attributeValue(element, kSvgSelectedAttribute, value) && value == "1";
}

std::string layerNumberName(std::size_t number) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "QX-Ebene%zu", number);
    return buf;
}

}  // namespace

bool readSvgText(const std::string& textIn, Job& job, JobState& state, JobImportContext& ctx) {
    const std::string_view text(textIn);
    Interaction& ui = ctx.ui;
    ctx.failure = JobReadFailure::None;
    beginImport(state);

    const std::size_t start = startPosition(text);
    if (start == std::string_view::npos) {
        ui.messageBox(kSvgNotReadable, kProgramCaption, MessageIcon::Exclamation);
        return false;
    }
    std::size_t svgEnd = text.find("</svg>", start);
    if (svgEnd == std::string_view::npos) svgEnd = text.size();

    // Layer markers in order, each with its start tag.
    struct LayerTag {
        std::size_t tagStart, tagEnd;
    };
    std::vector<LayerTag> tags;
    for (std::size_t p = text.find(kLayerMarker, start); p != std::string_view::npos && p < svgEnd;
         p = text.find(kLayerMarker, p + kLayerMarker.size())) {
        std::size_t lt = text.rfind('<', p);
        std::size_t gt = lt == std::string_view::npos ? lt : findTagEnd(text, lt);
        if (lt == std::string_view::npos || gt == std::string_view::npos) break;  // truncated
        tags.push_back({lt, gt});
    }

    // A drawing without any layer (as other programs save it, or after the user removed Inkscape's
    // layers) is read as one layer, rather than as nothing to cut.
    const bool noLayers = tags.empty();
    if (noLayers) tags.push_back({start, std::string_view::npos});

    std::size_t hiddenUntil = 0;  // everything before this position lies in a hidden layer
    for (std::size_t i = 0; i < tags.size(); ++i) {
        const std::string_view tag =
            noLayers ? std::string_view()
                     : text.substr(tags[i].tagStart, tags[i].tagEnd - tags[i].tagStart + 1);
        const std::size_t contentBegin = noLayers ? start : tags[i].tagEnd + 1;
        const std::size_t contentEnd = i + 1 < tags.size() ? tags[i + 1].tagStart : svgEnd;

        // Hidden layers are left out, sub-layers included: Inkscape does not show them, the user
        // does not see them in the drawing, and the Inkscape run leaves them as they were, so
        // their objects are neither converted nor turned like the rest.
        if (tags[i].tagStart < hiddenUntil) continue;
        if (isHiddenStyle(tag)) {
            hiddenUntil =
                isSelfClosing(text, tags[i].tagEnd) ? contentBegin : endOfGroup(text, tags[i].tagEnd);
            continue;
        }

        JobLayer layer;
        std::string label;
        if (attributeValue(tag, "inkscape:label", label)) layer.name = trimmed(decodeEntities(label));
        if (layer.name.empty()) layer.name = layerNumberName(job.layers.size() + 1);
        layer.enabled = true;
        if (layer.name == kMarksLayerName) state.marksLayerFlag = true;

        // Every search below stays inside this layer's own text, so that the whole reading takes
        // time in proportion to the drawing, however many layers it has.
        const std::string_view layerText = text.substr(0, std::min(contentEnd, text.size()));
        const std::size_t firstPath = findStartTag(layerText, "path", contentBegin);
        const std::size_t translateLimit = std::min(firstPath, contentEnd);
        Translation t;
        std::size_t tr = noLayers || translateLimit == std::string_view::npos
                             ? std::string_view::npos
                             : text.substr(0, std::min(translateLimit, text.size()))
                                   .find(kTranslateMarker, tags[i].tagStart);
        if (tr != std::string_view::npos && tr < translateLimit)
            t = readTranslation(text, tr + kTranslateMarker.size());

        bool truncated = false;
        for (std::size_t p = firstPath; p != std::string_view::npos && p < contentEnd;
             p = findStartTag(layerText, "path", p + 5)) {
            const std::size_t end = findTagEnd(text, p);
            if (end == std::string_view::npos) {
                truncated = true;
                break;
            }
            const std::string_view element = text.substr(p, end - p + 1);
            if (element.find("matrix(") != std::string_view::npos) {
                ui.messageBox(kSvgMatrixRefused, kProgramCaption, MessageIcon::Exclamation);
                // What was read stays in the job, so that the totals keep describing it.
                job.layers.push_back(std::move(layer));
                return false;
            }
            if (isHiddenStyle(element)) continue;
            std::string data;
            if (!findPathData(element, data)) continue;
            // Lower-case l, h and v were never part of what the Inkscape run writes; such paths
            // are left out as they always were.
            if (data.find_first_of("lhv") != std::string::npos) continue;

            JobObject object;
            object.selected = isSelected(element, ctx.selectedIds);
            RgbValue fill;
            readFill(element, fill.red, fill.green, fill.blue);
            fill = shadeLightColour(fill);
            char name[48];
            std::snprintf(name, sizeof name, "R=%d G=%d B=%d", fill.red, fill.green, fill.blue);
            object.colourName = name;
            object.fillColour = packRgb(fill);
            object.colourKind = kColourRgb;

            Bounds bounds;
            PathResult result = readPathData(data, t, object, bounds, ui);
            if (result == PathResult::Cancelled) {
                job.layers.push_back(std::move(layer));
                return false;
            }
            if (result == PathResult::Skipped) continue;
            object.boundsX1 = bounds.minX;
            object.boundsY1 = bounds.minY;
            object.boundsX2 = bounds.maxX;
            object.boundsY2 = bounds.maxY;
            widenExtent(state.extent, object);
            state.objectTotal += 1;
            state.pathTotal += static_cast<std::int32_t>(object.paths.size());
            layer.objects.push_back(std::move(object));
        }
        job.layers.push_back(std::move(layer));
        if (truncated) break;
    }

    return finishImport(job, state, ctx, kSvgMarksObjects);
}

bool readSvgFile(const std::string& path, Job& job, JobState& state, JobImportContext& ctx) {
    if (drawingTooLarge(path, ctx)) {
        beginImport(state);
        return false;
    }
    std::optional<std::string> text = readWholeFile(path);
    if (!text) {
        ctx.failure = JobReadFailure::CannotOpen;
        ctx.ui.messageBox(kSvgNotReadable, kProgramCaption, MessageIcon::Exclamation);
        return false;
    }
    return readSvgText(*text, job, state, ctx);
}

}  // namespace sartovin
