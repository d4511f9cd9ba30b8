#include "job/SvgConverter.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "job/SvgGeometry.h"
#include "job/SvgReader.h"
#include "job/SvgStyle.h"

namespace sartovin {

namespace {

constexpr const char* kSvgNamespace = "http://www.w3.org/2000/svg";
constexpr const char* kInkscapeNamespace = "http://www.inkscape.org/namespaces/inkscape";
constexpr const char* kXlinkNamespace = "http://www.w3.org/1999/xlink";

// Arcs are split finely enough to stay within a micrometre of the true curve, as after Inkscape.
constexpr double kArcToleranceMm = 0.001;
// A "use" may show a "use" that shows another: deeper chains are taken for loops.
constexpr int kMaxUseDepth = 32;
// The rounded corners of Inkscape's rectangles: the control points lie 0.554 of the radius from
// the corner's ends (not the 0.5523 of the closest circle), so that our paths are Inkscape's.
constexpr double kRectCornerHandle = 0.554;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

const char* text(const xmlChar* s) { return reinterpret_cast<const char*>(s); }

bool isSvg(const xmlNode* n) {
    return n->type == XML_ELEMENT_NODE &&
           (!n->ns || !n->ns->href || std::strcmp(text(n->ns->href), kSvgNamespace) == 0);
}

bool named(const xmlNode* n, const char* name) { return std::strcmp(text(n->name), name) == 0; }

// An attribute's value; `ns` nullptr asks for an attribute without namespace. The value is read in
// place when the parser left it as one text node (it substitutes entities), else copied into
// `scratch`.
bool attribute(const xmlNode* n, const char* name, std::string_view& value, std::string& scratch,
               const char* ns = nullptr) {
    for (const xmlAttr* a = n->properties; a; a = a->next) {
        if (std::strcmp(text(a->name), name) != 0) continue;
        const bool hasNs = a->ns && a->ns->href;
        if (ns ? !hasNs || std::strcmp(text(a->ns->href), ns) != 0 : hasNs) continue;
        if (!a->children) {
            value = {};
            return true;
        }
        if (a->children->type == XML_TEXT_NODE && !a->children->next && a->children->content) {
            value = text(a->children->content);
            return true;
        }
        xmlChar* joined = xmlNodeListGetString(n->doc, a->children, 1);
        scratch = joined ? text(joined) : "";
        xmlFree(joined);
        value = scratch;
        return true;
    }
    return false;
}

bool parseNumber(std::string_view s, double& v, std::size_t& used) {
    std::size_t p = 0;
    while (p < s.size() && isSpace(s[p])) ++p;
    const char* first = s.data() + p;
    if (p < s.size() && s[p] == '+') ++first;
    auto r = std::from_chars(first, s.data() + s.size(), v);
    if (r.ec != std::errc() || !std::isfinite(v)) return false;
    used = static_cast<std::size_t>(r.ptr - s.data());
    return true;
}

// A length in user units; `reference` is what 100 % stands for.
bool parseLength(std::string_view s, double reference, double& v) {
    std::size_t used = 0;
    if (!parseNumber(s, v, used)) return false;
    const std::string_view unit = trim(s.substr(used));
    if (unit.empty() || unit == "px") return true;
    if (unit == "mm")
        v *= 96 / 25.4;
    else if (unit == "cm")
        v *= 96 / 2.54;
    else if (unit == "in")
        v *= 96;
    else if (unit == "pt")
        v *= 96.0 / 72;
    else if (unit == "pc")
        v *= 16;
    else if (unit == "%")
        v *= reference / 100;
    else if (unit == "em")
        v *= 16;
    else if (unit == "ex")
        v *= 8;
    else
        return false;
    return true;
}

// The style an element hands to its children.
struct Style {
    SvgPaint fill{PaintKind::Colour, {0, 0, 0}};  // initial fill: black
    SvgColour colour;                             // the "color" property, for currentColor
};

// Where a declaration came from, in CSS's order of precedence.
struct Candidate {
    std::string_view value;
    int tier = -1;  // 0 attribute, 1 sheet, 2 style attribute, 3 sheet !important, 4 style !important
    std::uint32_t specificity = 0;
    std::size_t order = 0;
    bool beats(int t, std::uint32_t s, std::size_t o) const {
        if (t != tier) return t > tier;
        if (s != specificity) return s > specificity;
        return o >= order;
    }
    void offer(std::string_view v, int t, std::uint32_t s = 0, std::size_t o = 0) {
        if (!beats(t, s, o)) return;
        value = v, tier = t, specificity = s, order = o;
    }
};

struct Specified {
    Candidate fill, colour, display;
    std::string scratch[4];  // values copied out of the document
};

class NodeSubject : public StyleSubject {
public:
    explicit NodeSubject(const xmlNode* n) : m_node(n) {}
    std::string_view localName() const override { return text(m_node->name); }
    bool attribute(std::string_view name, std::string& value) const override {
        std::string_view v;
        std::string scratch;
        const std::string key(name);
        if (!sartovin::attribute(m_node, key.c_str(), v, scratch)) return false;
        value.assign(v);
        return true;
    }
    const StyleSubject* parent() const override {
        const xmlNode* p = m_node->parent;
        if (!p || p->type != XML_ELEMENT_NODE) return nullptr;
        if (!m_parent) m_parent = std::make_unique<NodeSubject>(p);
        return m_parent.get();
    }

private:
    const xmlNode* m_node;
    mutable std::unique_ptr<NodeSubject> m_parent;
};

void offerDeclaration(Specified& s, const StyleDeclaration& d, int tier, std::uint32_t specificity,
                      std::size_t order) {
    const int t = d.important ? tier + 2 : tier;
    if (d.name == "fill")
        s.fill.offer(d.value, t, specificity, order);
    else if (d.name == "color")
        s.colour.offer(d.value, t, specificity, order);
    else if (d.name == "display")
        s.display.offer(d.value, t, specificity, order);
}

struct Viewport {
    double width = 0, height = 0;
};

class Converter {
public:
    Converter(xmlDoc* doc, SvgConversion& out, const std::set<std::string>& selectedIds)
        : m_doc(doc), m_out(out), m_selection(selectedIds) {}

    void run(const xmlNode* root) {
        collectStyleSheets(root);
        std::string_view w, h, box, align;
        std::string s1, s2, s3, s4;
        attribute(root, "width", w, s1);
        attribute(root, "height", h, s2);
        attribute(root, "viewBox", box, s3);
        attribute(root, "preserveAspectRatio", align, s4);
        const DocumentMap page = documentMap(w, h, box, align);
        // Millimetres on the page with y downwards, turned to y upwards about the page, then the
        // reader's units.
        const Affine up{1, 0, 0, -1, 0, page.pageHeightMm};
        m_final = compose(Affine::scaling(kSvgUnitsPerMm, kSvgUnitsPerMm), compose(up, page.toMm));
        m_tolerance = kArcToleranceMm * kSvgUnitsPerMm;
        // What 100 % stands for: the viewBox, else the page in pixels.
        m_viewport = viewportOf(root, {100, 100});

        m_out.text +=
            "<svg xmlns=\"http://www.w3.org/2000/svg\" "
            "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\">\n<defs/>\n";
        Style rootStyle;
        const Style own = styleOf(root, rootStyle);
        if (!m_hidden) walkChildren(root, Affine{}, own, 0);
        m_hidden = false;
        m_out.text += "</svg>\n";
    }

private:
    // ---- style ---------------------------------------------------------------------------
    void collectStyleSheets(const xmlNode* n) {
        for (const xmlNode* c = n; c; c = c->next) {
            if (c->type != XML_ELEMENT_NODE) continue;
            if (isSvg(c) && named(c, "style")) {
                xmlChar* css = xmlNodeGetContent(c);
                if (css) m_sheet.add(text(css));
                xmlFree(css);
                continue;
            }
            if (c->children) collectStyleSheets(c->children);
        }
    }

    // The element's own style over the inherited one; m_hidden tells whether it is display:none.
    Style styleOf(const xmlNode* n, const Style& inherited) {
        Specified s;
        std::string_view v;
        if (attribute(n, "fill", v, s.scratch[0])) s.fill.offer(v, 0);
        if (attribute(n, "color", v, s.scratch[1])) s.colour.offer(v, 0);
        if (attribute(n, "display", v, s.scratch[2])) s.display.offer(v, 0);
        if (!m_sheet.empty()) {
            NodeSubject subject(n);
            m_sheet.forEachMatch(subject, [&](const StyleDeclaration& d, std::uint32_t spec,
                                              std::size_t order) { offerDeclaration(s, d, 1, spec, order); });
        }
        if (attribute(n, "style", v, s.scratch[3]))
            forEachDeclaration(v, [&](const StyleDeclaration& d) { offerDeclaration(s, d, 2, 0, 0); });

        Style out = inherited;
        if (s.colour.tier >= 0) {
            SvgColour c;
            if (parseColour(s.colour.value, c)) out.colour = c;
        }
        if (s.fill.tier >= 0) {
            SvgPaint p = parsePaint(s.fill.value);
            if (p.kind != PaintKind::Invalid && p.kind != PaintKind::Inherit) out.fill = p;
        }
        m_hidden = s.display.tier >= 0 && trim(s.display.value) == "none";
        return out;
    }

    // ---- traversal -----------------------------------------------------------------------
    Viewport viewportOf(const xmlNode* n, Viewport fallback) {
        std::string_view box;
        std::string scratch;
        if (attribute(n, "viewBox", box, scratch)) {
            double v[4];
            std::size_t p = 0;
            bool ok = true;
            for (double& x : v) {
                while (p < box.size() && (isSpace(box[p]) || box[p] == ',')) ++p;
                std::size_t used = 0;
                ok = ok && parseNumber(box.substr(p), x, used);
                p += used;
            }
            if (ok && v[2] > 0 && v[3] > 0) return {v[2], v[3]};
        }
        std::string_view w, h;
        std::string s2;
        double wv = 0, hv = 0;
        if (attribute(n, "width", w, scratch) && parseLength(w, fallback.width, wv) && wv > 0 &&
            attribute(n, "height", h, s2) && parseLength(h, fallback.height, hv) && hv > 0)
            return {wv, hv};
        return fallback;
    }

    double length(const xmlNode* n, const char* name, double reference, double otherwise = 0) {
        std::string_view v;
        double x = 0;
        if (!attribute(n, name, v, m_scratch) || !parseLength(v, reference, x)) return otherwise;
        return x;
    }

    Affine ownTransform(const xmlNode* n, const Affine& ctm) {
        std::string_view t;
        Affine m;
        if (attribute(n, "transform", t, m_scratch) && parseTransform(t, m)) return compose(ctm, m);
        return ctm;
    }

    void walkChildren(const xmlNode* parent, const Affine& ctm, const Style& style, int useDepth) {
        for (const xmlNode* c = parent->children; c; c = c->next)
            if (c->type == XML_ELEMENT_NODE) walk(c, ctm, style, useDepth);
    }

    void walk(const xmlNode* n, const Affine& parentCtm, const Style& inherited, int useDepth) {
        if (!isSvg(n)) return;
        const char* name = text(n->name);
        // Elements never drawn where they stand.
        static constexpr const char* kSkipped[] = {
            "defs",           "symbol",        "clipPath", "mask",   "marker",    "pattern", "linearGradient",
            "radialGradient", "filter",        "style",    "script", "title",     "desc",    "metadata",
            "image",          "foreignObject", "view",     "font",   "font-face", "cursor"};
        for (const char* s : kSkipped)
            if (std::strcmp(name, s) == 0) return;
        const SelectionScope selection(*this, n);

        const Style style = styleOf(n, inherited);
        const bool hidden = m_hidden;
        if (named(n, "g") && useDepth == 0 && isLayer(n)) {
            layer(n, parentCtm, style, hidden);
            return;
        }
        if (hidden) return;
        const Affine ctm = ownTransform(n, parentCtm);
        if (named(n, "g") || named(n, "a")) {
            walkChildren(n, ctm, style, useDepth);
        } else if (named(n, "switch")) {
            for (const xmlNode* c = n->children; c; c = c->next) {
                if (c->type != XML_ELEMENT_NODE || !isSvg(c)) continue;
                std::string_view v;
                if (attribute(c, "requiredExtensions", v, m_scratch) && !trim(v).empty()) continue;
                walk(c, ctm, style, useDepth);
                break;
            }
        } else if (named(n, "svg")) {
            nestedViewport(n, ctm, style, useDepth);
        } else if (named(n, "use")) {
            use(n, ctm, style, useDepth);
        } else if (named(n, "text") || named(n, "flowRoot")) {
            ++m_out.textObjects;
        } else {
            shape(n, ctm, style);
        }
    }

    // Inside a selected element, the paths carry that element's id until the walk leaves it.
    class SelectionScope {
    public:
        SelectionScope(Converter& c, const xmlNode* n) : m_c(c) {
            if (!c.m_selectedId.empty() || c.m_selection.empty()) return;
            std::string_view id;
            if (!attribute(n, "id", id, c.m_scratch)) return;
            const std::string own(id);
            if (c.m_selection.count(own) == 0) return;
            c.m_selectedId = own;
            m_entered = true;
        }
        ~SelectionScope() {
            if (m_entered) m_c.m_selectedId.clear();
        }
        SelectionScope(const SelectionScope&) = delete;
        SelectionScope& operator=(const SelectionScope&) = delete;

    private:
        Converter& m_c;
        bool m_entered = false;
    };

    bool isLayer(const xmlNode* n) {
        std::string_view mode;
        if (attribute(n, "groupmode", mode, m_scratch, kInkscapeNamespace)) return mode == "layer";
        // A file that forgot to declare the namespace still means a layer.
        return attribute(n, "inkscape:groupmode", mode, m_scratch) && mode == "layer";
    }

    void layer(const xmlNode* n, const Affine& parentCtm, const Style& style, bool hidden) {
        std::string_view label;
        std::string scratch;
        const bool labelled = attribute(n, "label", label, scratch, kInkscapeNamespace) ||
                              attribute(n, "inkscape:label", label, scratch);
        std::string& t = m_out.text;
        t += "<g inkscape:groupmode=\"layer\"";
        if (labelled) {
            t += " inkscape:label=\"";
            appendEscaped(t, label);
            t += '"';
        }
        // A hidden layer stays in the text (the reader leaves out what follows it up to the next
        // layer, as it does after Inkscape), but empty.
        if (hidden) {
            t += " style=\"display:none\"></g>\n";
            return;
        }
        t += ">\n";
        walkChildren(n, ownTransform(n, parentCtm), style, 0);
        t += "</g>\n";
    }

    static void appendEscaped(std::string& t, std::string_view s) {
        for (char c : s) {
            switch (c) {
                case '&':
                    t += "&amp;";
                    break;
                case '<':
                    t += "&lt;";
                    break;
                case '>':
                    t += "&gt;";
                    break;
                case '"':
                    t += "&quot;";
                    break;
                default:
                    t += c;
            }
        }
    }

    void nestedViewport(const xmlNode* n, const Affine& ctm, const Style& style, int useDepth) {
        const Viewport outer = m_viewport;
        const double x = length(n, "x", outer.width), y = length(n, "y", outer.height);
        const double w = length(n, "width", outer.width, outer.width);
        const double h = length(n, "height", outer.height, outer.height);
        if (w <= 0 || h <= 0) return;
        Affine inner = compose(ctm, Affine::translation(x, y));
        inner = compose(inner, viewBoxMap(n, w, h));
        m_viewport = viewportOf(n, {w, h});
        walkChildren(n, inner, style, useDepth);
        m_viewport = outer;
    }

    // The viewBox map of a symbol or nested svg shown at `w` × `h`; identity without a viewBox.
    Affine viewBoxMap(const xmlNode* n, double w, double h) {
        std::string_view box, align;
        std::string s1, s2;
        if (!attribute(n, "viewBox", box, s1)) return {};
        double v[4];
        std::size_t p = 0;
        for (double& x : v) {
            while (p < box.size() && (isSpace(box[p]) || box[p] == ',')) ++p;
            std::size_t used = 0;
            if (!parseNumber(box.substr(p), x, used)) return {};
            p += used;
        }
        if (v[2] <= 0 || v[3] <= 0) return {};
        attribute(n, "preserveAspectRatio", align, s2);
        return viewBoxTransform(v, w, h, align);
    }

    const xmlNode* byId(std::string_view id) {
        if (!m_idsCollected) {
            m_idsCollected = true;
            collectIds(xmlDocGetRootElement(m_doc));
        }
        auto it = m_ids.find(id);
        return it == m_ids.end() ? nullptr : it->second;
    }

    void collectIds(const xmlNode* n) {
        for (const xmlNode* c = n; c; c = c->next) {
            if (c->type != XML_ELEMENT_NODE) continue;
            std::string_view id;
            std::string scratch;
            if (attribute(c, "id", id, scratch) && scratch.empty()) m_ids.emplace(id, c);  // first one wins
            if (c->children) collectIds(c->children);
        }
    }

    void use(const xmlNode* n, const Affine& ctm, const Style& style, int useDepth) {
        if (useDepth >= kMaxUseDepth) return;
        std::string_view href;
        if (!attribute(n, "href", href, m_scratch, kXlinkNamespace) && !attribute(n, "href", href, m_scratch))
            return;
        href = trim(href);
        if (href.size() < 2 || href[0] != '#') return;
        const xmlNode* target = byId(href.substr(1));
        if (!target || !isSvg(target)) return;
        // A use inside what it shows would show itself for ever.
        for (const xmlNode* a = n; a; a = a->parent)
            if (a == target) return;
        const Viewport vp = m_viewport;
        Affine at = compose(ctm, Affine::translation(length(n, "x", vp.width), length(n, "y", vp.height)));
        if (named(target, "symbol") || named(target, "svg")) {
            // Shown at the use's size, else the target's own, else 100 %.
            double w = length(n, "width", vp.width, length(target, "width", vp.width, vp.width));
            double h = length(n, "height", vp.height, length(target, "height", vp.height, vp.height));
            if (w <= 0 || h <= 0) return;
            const Style own = styleOf(target, style);
            if (m_hidden) return;
            Affine inner = compose(ownTransform(target, at), viewBoxMap(target, w, h));
            const Viewport outer = m_viewport;
            m_viewport = viewportOf(target, {w, h});
            walkChildren(target, inner, own, useDepth + 1);
            m_viewport = outer;
            return;
        }
        walk(target, at, style, useDepth + 1);
    }

    // ---- shapes --------------------------------------------------------------------------

    // Path commands collected before writing: after a damaged path data, Inkscape keeps what
    // came before the damage except its last segment, and so do we.
    class Recorder : public PathSink {
    public:
        struct Command {
            char kind;
            SvgPoint a, b, c;
            SvgArc arc;
        };
        std::vector<Command> commands;
        void moveTo(SvgPoint p) override { commands.push_back({'M', p, {}, {}, {}}); }
        void lineTo(SvgPoint p) override { commands.push_back({'L', p, {}, {}, {}}); }
        void quadTo(SvgPoint q, SvgPoint p) override { commands.push_back({'Q', q, p, {}, {}}); }
        void cubicTo(SvgPoint c1, SvgPoint c2, SvgPoint p) override {
            commands.push_back({'C', c1, c2, p, {}});
        }
        void arcTo(const SvgArc& arc) override { commands.push_back({'A', {}, {}, {}, arc}); }
        void closePath() override { commands.push_back({'Z', {}, {}, {}, {}}); }
        void replay(PathSink& s) const {
            for (const Command& c : commands) {
                switch (c.kind) {
                    case 'M':
                        s.moveTo(c.a);
                        break;
                    case 'L':
                        s.lineTo(c.a);
                        break;
                    case 'Q':
                        s.quadTo(c.a, c.b);
                        break;
                    case 'C':
                        s.cubicTo(c.a, c.b, c.c);
                        break;
                    case 'A':
                        s.arcTo(c.arc);
                        break;
                    default:
                        s.closePath();
                }
            }
        }
    };

    void shape(const xmlNode* n, const Affine& ctm, const Style& style) {
        const char* name = text(n->name);
        const bool isPath = std::strcmp(name, "path") == 0;
        if (!isPath && std::strcmp(name, "rect") != 0 && std::strcmp(name, "circle") != 0 &&
            std::strcmp(name, "ellipse") != 0 && std::strcmp(name, "line") != 0 &&
            std::strcmp(name, "polyline") != 0 && std::strcmp(name, "polygon") != 0)
            return;

        std::string& t = m_out.text;
        const std::size_t rollback = t.size();
        t += "<path ";
        if (!m_selectedId.empty()) {
            t += "id=\"";
            appendEscaped(t, m_selectedId);
            t += "\" ";
        }
        SvgColour fill;
        bool filled = false;
        if (style.fill.kind == PaintKind::Colour) {
            fill = style.fill.colour;
            filled = true;
        } else if (style.fill.kind == PaintKind::CurrentColor) {
            fill = style.colour;
            filled = true;
        }
        if (filled) {
            static constexpr char kHex[] = "0123456789abcdef";
            t += "style=\"fill:#";
            for (int v : {fill.red, fill.green, fill.blue}) {
                t += kHex[(v >> 4) & 15];
                t += kHex[v & 15];
            }
            t += "\" ";
        }
        t += "d=\"";
        ReaderPathWriter w(compose(m_final, ctm), m_tolerance, t);
        if (isPath) {
            std::string_view d;
            if (attribute(n, "d", d, m_scratch)) {
                m_recorder.commands.clear();
                if (!parsePathCommands(d, m_recorder)) {
                    auto& c = m_recorder.commands;
                    if (!c.empty() && c.back().kind != 'M') c.pop_back();
                }
                m_recorder.replay(w);
            }
        } else {
            shapeOutline(n, name, w);
        }
        // Nothing drawn, or beyond what any cutter reaches: the object is left out.
        if (w.segments() == 0 || w.outOfRange()) {
            t.resize(rollback);
            return;
        }
        t += "\"/>\n";
        ++m_out.objects;
        m_out.segments += w.segments();
    }

    void shapeOutline(const xmlNode* n, const char* name, PathSink& w) {
        const Viewport vp = m_viewport;
        const double diagonal = std::sqrt((vp.width * vp.width + vp.height * vp.height) / 2);
        if (std::strcmp(name, "rect") == 0) {
            const double x = length(n, "x", vp.width), y = length(n, "y", vp.height);
            const double wd = length(n, "width", vp.width), ht = length(n, "height", vp.height);
            if (!(wd > 0) || !(ht > 0)) return;
            std::string_view v;
            double rx = -1, ry = -1;
            if (attribute(n, "rx", v, m_scratch) && !parseLength(v, vp.width, rx)) rx = -1;
            if (attribute(n, "ry", v, m_scratch) && !parseLength(v, vp.height, ry)) ry = -1;
            if (rx < 0) rx = ry;
            if (ry < 0) ry = rx;
            rx = std::min(std::max(rx, 0.0), wd / 2);
            ry = std::min(std::max(ry, 0.0), ht / 2);
            if (rx > 0 && ry > 0) {
                roundedRect(w, x, y, wd, ht, rx, ry);
            } else {
                w.moveTo({x, y});
                w.lineTo({x + wd, y});
                w.lineTo({x + wd, y + ht});
                w.lineTo({x, y + ht});
                w.closePath();
            }
        } else if (std::strcmp(name, "circle") == 0 || std::strcmp(name, "ellipse") == 0) {
            const double cx = length(n, "cx", vp.width), cy = length(n, "cy", vp.height);
            double rx, ry;
            if (name[0] == 'c') {
                rx = ry = length(n, "r", diagonal);
            } else {
                // Both radii are needed: Inkscape draws no ellipse that lacks one.
                rx = length(n, "rx", vp.width, -1);
                ry = length(n, "ry", vp.height, -1);
            }
            if (!(rx > 0) || !(ry > 0)) return;
            // Four quarter arcs from the rightmost point, downwards first, as Inkscape draws them.
            auto arcTo = [&](double x, double y) {
                SvgArc a;
                a.rx = rx, a.ry = ry, a.sweep = true, a.end = {x, y};
                w.arcTo(a);
            };
            w.moveTo({cx + rx, cy});
            arcTo(cx, cy + ry);
            arcTo(cx - rx, cy);
            arcTo(cx, cy - ry);
            arcTo(cx + rx, cy);
            w.closePath();
        } else if (std::strcmp(name, "line") == 0) {
            w.moveTo({length(n, "x1", vp.width), length(n, "y1", vp.height)});
            w.lineTo({length(n, "x2", vp.width), length(n, "y2", vp.height)});
        } else {
            std::string_view points;
            if (!attribute(n, "points", points, m_scratch)) return;
            std::size_t p = 0;
            bool first = true;
            bool complete = true;  // Inkscape leaves a polygon open when its list ends half-way
            while (true) {
                double xy[2];
                int read = 0;
                while (read < 2) {
                    while (p < points.size() && (isSpace(points[p]) || points[p] == ',')) ++p;
                    std::size_t used = 0;
                    if (!parseNumber(points.substr(p), xy[read], used)) break;
                    p += used;
                    ++read;
                }
                if (read < 2) {
                    complete = read == 0 && p >= points.size();
                    break;
                }
                if (first)
                    w.moveTo({xy[0], xy[1]});
                else
                    w.lineTo({xy[0], xy[1]});
                first = false;
            }
            if (!first && complete && name[4] == 'g') w.closePath();  // polygon
        }
    }

    static void roundedRect(PathSink& w, double x, double y, double wd, double ht, double rx, double ry) {
        const double hx = rx * kRectCornerHandle, hy = ry * kRectCornerHandle;
        const double r = x + wd, b = y + ht;
        w.moveTo({x + rx, y});
        if (rx < wd / 2) w.lineTo({r - rx, y});
        w.cubicTo({r - rx + hx, y}, {r, y + ry - hy}, {r, y + ry});
        if (ry < ht / 2) w.lineTo({r, b - ry});
        w.cubicTo({r, b - ry + hy}, {r - rx + hx, b}, {r - rx, b});
        if (rx < wd / 2) w.lineTo({x + rx, b});
        w.cubicTo({x + rx - hx, b}, {x, b - ry + hy}, {x, b - ry});
        if (ry < ht / 2) w.lineTo({x, y + ry});
        w.cubicTo({x, y + ry - hy}, {x + rx - hx, y}, {x + rx, y});
        w.closePath();
    }

    xmlDoc* m_doc;
    SvgConversion& m_out;
    SvgStyleSheet m_sheet;
    Affine m_final;
    double m_tolerance = 0;
    Viewport m_viewport;
    bool m_hidden = false;
    const std::set<std::string>& m_selection;
    std::string m_selectedId;  ///< the selected element the walk is inside, "" outside any
    bool m_idsCollected = false;
    std::unordered_map<std::string_view, const xmlNode*> m_ids;
    std::string m_scratch;
    Recorder m_recorder;
};

// Outside entities are never read: a drawing must not make the program open other files.
xmlParserInputPtr noExternalEntities(const char*, const char*, xmlParserCtxtPtr) { return nullptr; }

using XmlDocument = std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)>;

// The parsed document, or none when `bytes` is no XML.
XmlDocument parseDocument(std::string_view bytes) {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(noExternalEntities);
    });
    // Entities of the document's own DTD are expanded (older Illustrator versions write their
    // styles as entities), under the parser's guard against entity bombs; drawings without entity
    // declarations may hold huge embedded images and deep nesting.
    int options =
        XML_PARSE_NONET | XML_PARSE_NOENT | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOBLANKS;
    const std::size_t rootAt = bytes.find("<svg");
    const std::string_view prolog = bytes.substr(0, rootAt == std::string_view::npos ? bytes.size() : rootAt);
    if (prolog.find("<!ENTITY") == std::string_view::npos) options |= XML_PARSE_HUGE;
    if (bytes.size() > static_cast<std::size_t>(INT32_MAX)) return XmlDocument(nullptr, &xmlFreeDoc);
    return XmlDocument(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr, options),
                       &xmlFreeDoc);
}

struct SelectionIds {
    std::set<std::string>& ids;
    std::set<std::string>* texts;
    void add(const xmlNode* n, std::string_view id) {
        ids.emplace(id);
        if (texts && (named(n, "text") || named(n, "flowRoot"))) texts->emplace(id);
    }
};

// Adds the ids of every element below `n`.
void addMemberIds(const xmlNode* n, SelectionIds& out) {
    std::string scratch;
    for (const xmlNode* c = n->children; c; c = c->next) {
        if (c->type != XML_ELEMENT_NODE) continue;
        std::string_view id;
        if (attribute(c, "id", id, scratch)) out.add(c, id);
        addMemberIds(c, out);
    }
}

void collectSelection(const xmlNode* n, const std::set<std::string>& selectedIds, SelectionIds& out) {
    std::string scratch;
    for (const xmlNode* c = n->children; c; c = c->next) {
        if (c->type != XML_ELEMENT_NODE) continue;
        std::string_view id;
        if (attribute(c, "id", id, scratch) && selectedIds.count(std::string(id)) != 0) {
            out.add(c, id);
            addMemberIds(c, out);
        } else {
            collectSelection(c, selectedIds, out);
        }
    }
}

}  // namespace

bool convertSvg(std::string_view bytes, SvgConversion& out, const std::set<std::string>& selectedIds) {
    out = SvgConversion{};
    const XmlDocument doc = parseDocument(bytes);
    if (!doc) {
        out.failure = SvgConvertFailure::NotXml;
        return false;
    }
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    if (!root || !isSvg(root) || !named(root, "svg")) {
        out.failure = SvgConvertFailure::NotSvg;
        return false;
    }
    // The text grows to about five times the drawing (arcs become cubics, units get decimals):
    // room for all of it at once saves copying it while it grows; untouched room costs nothing.
    out.text.reserve(bytes.size() * 8 + 4096);
    Converter(doc.get(), out, selectedIds).run(root);
    return true;
}

std::set<std::string> selectionWithMembers(std::string_view bytes, const std::set<std::string>& selectedIds,
                                           std::set<std::string>* texts) {
    std::set<std::string> out = selectedIds;
    if (texts) texts->clear();
    if (selectedIds.empty()) return out;
    const XmlDocument doc = parseDocument(bytes);
    const xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    SelectionIds found{out, texts};
    if (root) collectSelection(root, selectedIds, found);
    return out;
}

}  // namespace sartovin
