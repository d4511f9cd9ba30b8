#include "job/IllustratorJobWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "job/JobTextEncoding.h"
#include "platform/Files.h"
#include "platform/StringUtil.h"

namespace sartovin {

namespace {

// Unpainted lines longer than this (points) are the host's guides, not artwork.
constexpr double kGuideLength = 15000.0;
constexpr std::size_t kMaxTitleBytes = 999;

// "%.3f" of value ÷ points per mm, without regard to the process locale.
std::string mm(double points) {
    double v = points / kPointsPerMm;
    if (!std::isfinite(v)) v = 0;
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 3);
    return r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("0.000");
}

// trunc(component × scale + 0.4999) with the component held to 0..1.
int scaled(double component, double scale) {
    if (!std::isfinite(component)) component = 0;
    component = std::clamp(component, 0.0, 1.0);
    return static_cast<int>(component * scale + 0.4999);
}

class JobFileText {
public:
    void line(const std::string& text) {
        m_text += text;
        m_text += "\r\n";
    }
    const std::string& text() const { return m_text; }

private:
    std::string m_text;
};

void writeColour(JobFileText& out, const ExportColour& fill) {
    const double* c = fill.components;
    if (fill.kind == ExportColourKind::None) {
        out.line("keine");
        out.line("");
        out.line("");
        return;
    }
    out.line(fill.swatchName.empty() ? std::string("unbenannt") : singleLine(fill.swatchName));
    switch (fill.kind) {
        case ExportColourKind::Rgb:
            out.line("RGB");
            out.line(std::to_string(scaled(c[0], 255)) + " " + std::to_string(scaled(c[1], 255)) + " " +
                     std::to_string(scaled(c[2], 255)));
            break;
        case ExportColourKind::Cmyk:
            out.line("CMYK");
            out.line(std::to_string(scaled(c[0], 100)) + " " + std::to_string(scaled(c[1], 100)) + " " +
                     std::to_string(scaled(c[2], 100)) + " " + std::to_string(scaled(c[3], 100)));
            break;
        case ExportColourKind::Grey:
            out.line("CMYK");
            out.line("0 0 0 " + std::to_string(scaled(c[0], 100)));
            break;
        default:
            // Patterns, gradients, spot colours and the like have no plain value.
            out.line("RGB");
            out.line("0 0 0");
            break;
    }
}

void writePath(JobFileText& out, const ExportPath& path, bool header) {
    if (header) {
        out.line("QXObjekt");
        out.line("QXAuswahl");
        out.line(path.selected ? "ja" : "nein");
        out.line("QXKoordinaten");
        out.line(mm(path.bounds.left) + " " + mm(path.bounds.top) + " " + mm(path.bounds.right) + " " +
                 mm(path.bounds.bottom));
        out.line("QXFuellfarbe");
        writeColour(out, path.fill);
    }
    out.line("QXStart");
    out.line("QXGeschlossen");
    out.line(path.closed ? "ja" : "nein");
    for (const ExportAnchor& a : path.anchors) {
        out.line(std::string(a.smooth ? "S " : "C ") + mm(a.x) + " " + mm(a.y) + " " + mm(a.inX) + " " +
                 mm(a.inY) + " " + mm(a.outX) + " " + mm(a.outY));
    }
    out.line("QXEnde");
}

}  // namespace

bool exportPathHasLength(const ExportPath& path) {
    if (path.anchors.size() < 2) return false;
    const ExportAnchor& first = path.anchors.front();
    for (const ExportAnchor& a : path.anchors) {
        if (a.x != first.x || a.y != first.y || a.inX != first.x || a.inY != first.y || a.outX != first.x ||
            a.outY != first.y)
            return true;
    }
    return false;
}

bool unpaintedBoundsSkipped(const PointRect& b) {
    double width = std::fabs(b.right - b.left);
    double height = std::fabs(b.top - b.bottom);
    return (width == 0 && height == 0) || (width == 0 && height > kGuideLength) ||
           (width > kGuideLength && height == 0);
}

bool exportPathSkipped(const ExportPath& path) {
    if (!exportPathHasLength(path)) return true;
    if (path.filled || path.stroked) return false;
    return unpaintedBoundsSkipped(path.testBounds ? *path.testBounds : path.bounds);
}

std::optional<std::string> formatIllustratorJob(const PointRect& page,
                                                const std::vector<ExportLayer>& layers) {
    JobFileText out;
    out.line("Sartovin Daten von AI.");
    out.line("QXSeite");
    out.line(mm(page.right - page.left) + " " + mm(page.top - page.bottom));
    for (const ExportLayer& layer : layers) {
        out.line("QXEbene");
        // The title is limited to 999 bytes of the file's code page, cut there and never inside a
        // character: the round trip through the code page keeps whole characters only.
        auto title = utf8ToWindows1252(singleLine(layer.title));
        if (!title) return std::nullopt;
        if (title->size() > kMaxTitleBytes) title->resize(kMaxTitleBytes);
        auto shownTitle = windows1252ToUtf8(*title);
        if (!shownTitle) return std::nullopt;
        out.line(*shownTitle);
        bool headerPending = true;
        for (const ExportPath& path : layer.paths) {
            headerPending = headerPending || path.startsObject;
            if (exportPathSkipped(path)) continue;
            writePath(out, path, headerPending);
            headerPending = false;
        }
    }
    return utf8ToWindows1252(out.text());
}

bool writeIllustratorJob(const std::string& path, const PointRect& page,
                         const std::vector<ExportLayer>& layers) {
    auto bytes = formatIllustratorJob(page, layers);
    if (!bytes) return false;
    removeFile(path);
    return writeFileAtomic(path, *bytes);
}

}  // namespace sartovin
