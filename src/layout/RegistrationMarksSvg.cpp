#include "layout/RegistrationMarksSvg.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <sstream>

#include "job/InkscapeAdapter.h"
#include "job/SvgText.h"

namespace sartovin {

namespace {

// Inkscape's query answers in px, 96 to the inch.
constexpr double kMmPerPx = 25.4 / 96;

bool isHidden(std::string_view tag) {
    std::string style, display;
    if (attributeValue(tag, "style", style) && styleProperty(style, "display", display) && display == "none")
        return true;
    return attributeValue(tag, "display", display) && trimmed(display) == "none";
}

bool isNameEnd(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '/' || c == '>'; }

// The end (one past "</g>") of the group whose start tag ends at `tagEnd`; npos when unbalanced.
std::size_t endOfGroup(const std::string& svg, std::size_t tagEnd) {
    if (isSelfClosing(svg, tagEnd)) return tagEnd + 1;
    int depth = 1;
    std::size_t p = tagEnd + 1;
    while (depth > 0) {
        p = svg.find('<', p);
        if (p == std::string::npos) return p;
        if (svg.compare(p, 4, "<!--") == 0) {
            p = svg.find("-->", p);
            if (p == std::string::npos) return p;
            continue;
        }
        if (svg.compare(p, 3, "</g") == 0 && p + 3 < svg.size() && isNameEnd(svg[p + 3])) {
            --depth;
            p = svg.find('>', p);
            if (p == std::string::npos) return p;
            ++p;
            continue;
        }
        if (svg.compare(p, 2, "<g") == 0 && p + 2 < svg.size() && isNameEnd(svg[p + 2])) {
            const std::size_t end = findTagEnd(svg, p);
            if (end == std::string::npos) return end;
            if (!isSelfClosing(svg, end)) ++depth;
            p = end + 1;
            continue;
        }
        ++p;
    }
    return p;
}

std::string number(double v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 4);
    std::string s = r.ec == std::errc() ? std::string(buf, r.ptr) : std::string("0");
    // Trailing zeros say nothing.
    while (s.find('.') != std::string::npos && (s.back() == '0' || s.back() == '.')) {
        const bool dot = s.back() == '.';
        s.pop_back();
        if (dot) break;
    }
    return s == "-0" ? "0" : s;
}

bool parseNumber(std::string_view text, double& v) {
    const std::string t = trimmed(text);
    auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    return r.ec == std::errc() && r.ptr == t.data() + t.size();
}

}  // namespace

bool svgDocumentUnits(const std::string& svg, SvgDocumentUnits& u) {
    if (findStartTag(svg, "svg", 0) == std::string::npos &&
        findStartTag(svg, "svg:svg", 0) == std::string::npos)
        return false;
    // The drawing's user units are scaled and shifted into millimetres; aligning a viewBox of
    // another shape than the page shifts them too.
    const Affine toMm = documentMapOf(svg).toMm;
    if (!(toMm.a > 0) || !(toMm.d > 0)) return false;
    u.mmPerUnitX = toMm.a;
    u.mmPerUnitY = toMm.d;
    u.originX = -toMm.e / toMm.a;
    u.originY = -toMm.f / toMm.d;
    return true;
}

bool findSvgMarksLayer(const std::string& svg, std::size_t& begin, std::size_t& end) {
    for (std::size_t p = findStartTag(svg, "g", 0); p != std::string::npos;
         p = findStartTag(svg, "g", p + 2)) {
        const std::size_t tagEnd = findTagEnd(svg, p);
        if (tagEnd == std::string::npos) return false;
        const std::string_view tag = std::string_view(svg).substr(p, tagEnd - p + 1);
        std::string mode, label;
        if (!attributeValue(tag, "inkscape:groupmode", mode) || mode != "layer") continue;
        if (!attributeValue(tag, "inkscape:label", label) ||
            trimmed(decodeEntities(label)) != kMarksLayerTitle)
            continue;
        if (isHidden(tag)) continue;
        const std::size_t groupEnd = endOfGroup(svg, tagEnd);
        if (groupEnd == std::string::npos) return false;
        begin = p;
        end = groupEnd;
        return true;
    }
    return false;
}

std::string svgWithoutMarksLayer(const std::string& svg, bool& removed) {
    std::size_t begin = 0, end = 0;
    removed = findSvgMarksLayer(svg, begin, end);
    if (!removed) return svg;
    // The line the layer stood on goes with it when nothing else shares it.
    std::size_t lineStart = begin;
    while (lineStart > 0 && (svg[lineStart - 1] == ' ' || svg[lineStart - 1] == '\t')) --lineStart;
    if (lineStart > 0 && svg[lineStart - 1] == '\n' && end < svg.size() && svg[end] == '\n') {
        begin = lineStart;
        ++end;
    }
    return svg.substr(0, begin) + svg.substr(end);
}

bool artworkFromInkscapeQuery(const std::string& queryOutput, MarkRect& art) {
    std::istringstream lines(queryOutput);
    std::string line;
    while (std::getline(lines, line)) {
        // "id,x,y,width,height": the id holds no comma.
        std::vector<std::string_view> fields;
        std::string_view rest(line);
        for (std::size_t comma; (comma = rest.find(',')) != std::string_view::npos;
             rest.remove_prefix(comma + 1))
            fields.push_back(rest.substr(0, comma));
        fields.push_back(rest);
        double v[4];
        if (fields.size() != 5 || fields[0].empty()) continue;
        bool ok = true;
        for (int i = 0; i < 4; ++i) ok = ok && parseNumber(fields[i + 1], v[i]);
        if (!ok) continue;
        const double k = kMarkPointsPerMm * kMmPerPx;
        art.left = v[0] * k;
        art.right = (v[0] + v[2]) * k;
        art.top = -v[1] * k;
        art.bottom = -(v[1] + v[3]) * k;
        return true;
    }
    return false;
}

std::string svgMarksLayer(const std::vector<MarkRectangle>& marks, const SvgDocumentUnits& u) {
    auto x = [&](double points) { return number(points / kMarkPointsPerMm / u.mmPerUnitX + u.originX); };
    auto y = [&](double points) { return number(-points / kMarkPointsPerMm / u.mmPerUnitY + u.originY); };
    std::string out = "<g inkscape:groupmode=\"layer\" inkscape:label=\"" + std::string(kMarksLayerTitle) +
                      "\" id=\"QX-PassermarkenEbene\" sodipodi:insensitive=\"true\">\n";
    int n = 0;
    for (const MarkRectangle& m : marks) {
        const MarkRect& r = m.rect;
        char fill[8];
        std::snprintf(fill, sizeof fill, "%02x", m.identity & 0xFF);
        out += "  <path id=\"qx-mark-" + std::to_string(++n) + "\" style=\"fill:#" + fill +
               "0000;fill-opacity:1;stroke:none\" d=\"M " + x(r.left) + "," + y(r.bottom) + " L " +
               x(r.right) + "," + y(r.bottom) + " L " + x(r.right) + "," + y(r.top) + " L " + x(r.left) +
               "," + y(r.top) + " Z\"/>\n";
    }
    return out + "</g>";
}

std::string svgWithMarksLayer(const std::string& svg, const std::string& layer) {
    std::size_t root = findStartTag(svg, "svg", 0);
    if (root == std::string::npos) return svg;
    std::size_t rootEnd = findTagEnd(svg, root);
    if (rootEnd == std::string::npos || isSelfClosing(svg, rootEnd)) return svg;
    std::string out = svg;
    const std::string_view tag = std::string_view(svg).substr(root, rootEnd - root + 1);
    std::string declarations, value;
    if (!attributeValue(tag, "xmlns:inkscape", value))
        declarations += "\n   xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\"";
    if (!attributeValue(tag, "xmlns:sodipodi", value))
        declarations += "\n   xmlns:sodipodi=\"http://sodipodi.sourceforge.net/DTD/sodipodi-0.dtd\"";
    // Below the drawing, but after what a drawing keeps before it (definitions, metadata, the
    // editor's view): the import reads layers only after those.
    std::size_t at = rootEnd + 1;
    for (const char* name : {"defs", "metadata", "sodipodi:namedview"}) {
        const std::size_t start = findStartTag(svg, name, rootEnd);
        const std::size_t tagEnd = start == std::string::npos ? start : findTagEnd(svg, start);
        if (tagEnd == std::string::npos) continue;
        std::size_t end = tagEnd + 1;
        if (!isSelfClosing(svg, tagEnd)) {
            const std::size_t close = svg.find("</" + std::string(name), tagEnd);
            const std::size_t closeEnd = close == std::string::npos ? close : svg.find('>', close);
            if (closeEnd == std::string::npos) continue;
            end = closeEnd + 1;
        }
        at = std::max(at, end);
    }
    out.insert(at, "\n" + layer);
    out.insert(rootEnd, declarations);
    return out;
}

}  // namespace sartovin
