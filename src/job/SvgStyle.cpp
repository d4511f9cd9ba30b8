#include "job/SvgStyle.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace sartovin {

namespace {

struct NamedColour {
    std::string_view name;
    std::uint32_t rgb;
};

// The colour names of CSS and SVG, sorted for a binary search.
constexpr NamedColour kNamedColours[] = {
    {"aliceblue", 0xf0f8ff},
    {"antiquewhite", 0xfaebd7},
    {"aqua", 0x00ffff},
    {"aquamarine", 0x7fffd4},
    {"azure", 0xf0ffff},
    {"beige", 0xf5f5dc},
    {"bisque", 0xffe4c4},
    {"black", 0x000000},
    {"blanchedalmond", 0xffebcd},
    {"blue", 0x0000ff},
    {"blueviolet", 0x8a2be2},
    {"brown", 0xa52a2a},
    {"burlywood", 0xdeb887},
    {"cadetblue", 0x5f9ea0},
    {"chartreuse", 0x7fff00},
    {"chocolate", 0xd2691e},
    {"coral", 0xff7f50},
    {"cornflowerblue", 0x6495ed},
    {"cornsilk", 0xfff8dc},
    {"crimson", 0xdc143c},
    {"cyan", 0x00ffff},
    {"darkblue", 0x00008b},
    {"darkcyan", 0x008b8b},
    {"darkgoldenrod", 0xb8860b},
    {"darkgray", 0xa9a9a9},
    {"darkgreen", 0x006400},
    {"darkgrey", 0xa9a9a9},
    {"darkkhaki", 0xbdb76b},
    {"darkmagenta", 0x8b008b},
    {"darkolivegreen", 0x556b2f},
    {"darkorange", 0xff8c00},
    {"darkorchid", 0x9932cc},
    {"darkred", 0x8b0000},
    {"darksalmon", 0xe9967a},
    {"darkseagreen", 0x8fbc8f},
    {"darkslateblue", 0x483d8b},
    {"darkslategray", 0x2f4f4f},
    {"darkslategrey", 0x2f4f4f},
    {"darkturquoise", 0x00ced1},
    {"darkviolet", 0x9400d3},
    {"deeppink", 0xff1493},
    {"deepskyblue", 0x00bfff},
    {"dimgray", 0x696969},
    {"dimgrey", 0x696969},
    {"dodgerblue", 0x1e90ff},
    {"firebrick", 0xb22222},
    {"floralwhite", 0xfffaf0},
    {"forestgreen", 0x228b22},
    {"fuchsia", 0xff00ff},
    {"gainsboro", 0xdcdcdc},
    {"ghostwhite", 0xf8f8ff},
    {"gold", 0xffd700},
    {"goldenrod", 0xdaa520},
    {"gray", 0x808080},
    {"green", 0x008000},
    {"greenyellow", 0xadff2f},
    {"grey", 0x808080},
    {"honeydew", 0xf0fff0},
    {"hotpink", 0xff69b4},
    {"indianred", 0xcd5c5c},
    {"indigo", 0x4b0082},
    {"ivory", 0xfffff0},
    {"khaki", 0xf0e68c},
    {"lavender", 0xe6e6fa},
    {"lavenderblush", 0xfff0f5},
    {"lawngreen", 0x7cfc00},
    {"lemonchiffon", 0xfffacd},
    {"lightblue", 0xadd8e6},
    {"lightcoral", 0xf08080},
    {"lightcyan", 0xe0ffff},
    {"lightgoldenrodyellow", 0xfafad2},
    {"lightgray", 0xd3d3d3},
    {"lightgreen", 0x90ee90},
    {"lightgrey", 0xd3d3d3},
    {"lightpink", 0xffb6c1},
    {"lightsalmon", 0xffa07a},
    {"lightseagreen", 0x20b2aa},
    {"lightskyblue", 0x87cefa},
    {"lightslategray", 0x778899},
    {"lightslategrey", 0x778899},
    {"lightsteelblue", 0xb0c4de},
    {"lightyellow", 0xffffe0},
    {"lime", 0x00ff00},
    {"limegreen", 0x32cd32},
    {"linen", 0xfaf0e6},
    {"magenta", 0xff00ff},
    {"maroon", 0x800000},
    {"mediumaquamarine", 0x66cdaa},
    {"mediumblue", 0x0000cd},
    {"mediumorchid", 0xba55d3},
    {"mediumpurple", 0x9370db},
    {"mediumseagreen", 0x3cb371},
    {"mediumslateblue", 0x7b68ee},
    {"mediumspringgreen", 0x00fa9a},
    {"mediumturquoise", 0x48d1cc},
    {"mediumvioletred", 0xc71585},
    {"midnightblue", 0x191970},
    {"mintcream", 0xf5fffa},
    {"mistyrose", 0xffe4e1},
    {"moccasin", 0xffe4b5},
    {"navajowhite", 0xffdead},
    {"navy", 0x000080},
    {"oldlace", 0xfdf5e6},
    {"olive", 0x808000},
    {"olivedrab", 0x6b8e23},
    {"orange", 0xffa500},
    {"orangered", 0xff4500},
    {"orchid", 0xda70d6},
    {"palegoldenrod", 0xeee8aa},
    {"palegreen", 0x98fb98},
    {"paleturquoise", 0xafeeee},
    {"palevioletred", 0xdb7093},
    {"papayawhip", 0xffefd5},
    {"peachpuff", 0xffdab9},
    {"peru", 0xcd853f},
    {"pink", 0xffc0cb},
    {"plum", 0xdda0dd},
    {"powderblue", 0xb0e0e6},
    {"purple", 0x800080},
    {"rebeccapurple", 0x663399},
    {"red", 0xff0000},
    {"rosybrown", 0xbc8f8f},
    {"royalblue", 0x4169e1},
    {"saddlebrown", 0x8b4513},
    {"salmon", 0xfa8072},
    {"sandybrown", 0xf4a460},
    {"seagreen", 0x2e8b57},
    {"seashell", 0xfff5ee},
    {"sienna", 0xa0522d},
    {"silver", 0xc0c0c0},
    {"skyblue", 0x87ceeb},
    {"slateblue", 0x6a5acd},
    {"slategray", 0x708090},
    {"slategrey", 0x708090},
    {"snow", 0xfffafa},
    {"springgreen", 0x00ff7f},
    {"steelblue", 0x4682b4},
    {"tan", 0xd2b48c},
    {"teal", 0x008080},
    {"thistle", 0xd8bfd8},
    {"tomato", 0xff6347},
    {"turquoise", 0x40e0d0},
    {"violet", 0xee82ee},
    {"wheat", 0xf5deb3},
    {"white", 0xffffff},
    {"whitesmoke", 0xf5f5f5},
    {"yellow", 0xffff00},
    {"yellowgreen", 0x9acd32},
};

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

std::string_view trim(std::string_view s) {
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i])) return false;
    return true;
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && equalNoCase(s.substr(0, prefix.size()), prefix);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = lower(c);
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The numbers inside "name(…)", each with a "%" flag; false when the parentheses or a number are
// missing.
bool functionArguments(std::string_view text, std::vector<std::pair<double, bool>>& args) {
    const std::size_t open = text.find('('), close = text.find(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open) return false;
    std::string_view inner = text.substr(open + 1, close - open - 1);
    std::size_t p = 0;
    while (true) {
        while (p < inner.size() && (isSpace(inner[p]) || inner[p] == ',')) ++p;
        if (p >= inner.size()) break;
        double v = 0;
        const char* first = inner.data() + p;
        if (*first == '+') ++first;
        auto r = std::from_chars(first, inner.data() + inner.size(), v);
        if (r.ec != std::errc() || !std::isfinite(v)) return false;
        p = static_cast<std::size_t>(r.ptr - inner.data());
        bool percent = p < inner.size() && inner[p] == '%';
        if (percent) ++p;
        args.emplace_back(v, percent);
    }
    return true;
}

int clampByte(double v) { return static_cast<int>(std::clamp(v, 0.0, 255.0)); }

}  // namespace

bool parseColour(std::string_view text, SvgColour& colour) {
    text = trim(text);
    if (text.empty()) return false;
    if (text[0] == '#') {
        std::size_t n = 1;
        while (n < text.size() && hexValue(text[n]) >= 0) ++n;
        const std::size_t digits = n - 1;
        if (n < text.size() && !isSpace(text[n])) return false;
        int d[6];
        for (std::size_t i = 0; i < digits && i < 6; ++i) d[i] = hexValue(text[i + 1]);
        if (digits == 3) {
            colour = {d[0] * 17, d[1] * 17, d[2] * 17};
            return true;
        }
        if (digits == 6) {
            colour = {d[0] * 16 + d[1], d[2] * 16 + d[3], d[4] * 16 + d[5]};
            return true;
        }
        return false;
    }
    if (startsWithNoCase(text, "rgb(")) {
        std::vector<std::pair<double, bool>> a;
        if (!functionArguments(text, a) || a.size() != 3) return false;
        int v[3];
        for (int i = 0; i < 3; ++i) v[i] = clampByte(a[i].second ? a[i].first * 255 / 100 : a[i].first);
        colour = {v[0], v[1], v[2]};
        return true;
    }
    if (startsWithNoCase(text, "hsl(")) {
        std::vector<std::pair<double, bool>> a;
        if (!functionArguments(text, a) || a.size() != 3) return false;
        const double h = std::fmod(std::fmod(a[0].first, 360) + 360, 360) / 360;
        const double s = std::clamp(a[1].first / 100, 0.0, 1.0), l = std::clamp(a[2].first / 100, 0.0, 1.0);
        const double m2 = l <= 0.5 ? l * (s + 1) : l + s - l * s, m1 = l * 2 - m2;
        auto hue = [&](double t) {
            if (t < 0) t += 1;
            if (t > 1) t -= 1;
            if (t * 6 < 1) return m1 + (m2 - m1) * t * 6;
            if (t * 2 < 1) return m2;
            if (t * 3 < 2) return m1 + (m2 - m1) * (2.0 / 3 - t) * 6;
            return m1;
        };
        // Fractions of 255 are cut off, as Inkscape does.
        colour = {clampByte(hue(h + 1.0 / 3) * 255), clampByte(hue(h) * 255),
                  clampByte(hue(h - 1.0 / 3) * 255)};
        return true;
    }
    std::size_t end = 0;
    while (end < text.size() && !isSpace(text[end])) ++end;
    std::string name(text.substr(0, end));
    for (char& c : name) c = lower(c);
    auto it = std::lower_bound(std::begin(kNamedColours), std::end(kNamedColours), name,
                               [](const NamedColour& n, const std::string& key) { return n.name < key; });
    if (it == std::end(kNamedColours) || it->name != name) return false;
    colour = {static_cast<int>(it->rgb >> 16), static_cast<int>((it->rgb >> 8) & 0xFF),
              static_cast<int>(it->rgb & 0xFF)};
    return true;
}

SvgPaint parsePaint(std::string_view text) {
    text = trim(text);
    SvgPaint p;
    if (equalNoCase(text, "none"))
        p.kind = PaintKind::None;
    else if (equalNoCase(text, "currentColor"))
        p.kind = PaintKind::CurrentColor;
    else if (equalNoCase(text, "inherit"))
        p.kind = PaintKind::Inherit;
    else if (startsWithNoCase(text, "url("))
        p.kind = PaintKind::Other;
    else if (parseColour(text, p.colour))
        p.kind = PaintKind::Colour;
    return p;
}

void forEachDeclaration(std::string_view list, const std::function<void(const StyleDeclaration&)>& f) {
    std::size_t p = 0;
    while (p < list.size()) {
        // A declaration ends at ";" outside quotes and parentheses.
        std::size_t e = p;
        int depth = 0;
        char quote = 0;
        for (; e < list.size(); ++e) {
            const char c = list[e];
            if (quote) {
                if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '(') {
                ++depth;
            } else if (c == ')') {
                if (depth > 0) --depth;
            } else if (c == ';' && depth == 0) {
                break;
            }
        }
        std::string_view decl = list.substr(p, e - p);
        p = e + 1;
        const std::size_t colon = decl.find(':');
        if (colon == std::string_view::npos) continue;
        StyleDeclaration d;
        d.name = trim(decl.substr(0, colon));
        d.value = trim(decl.substr(colon + 1));
        const std::size_t bang = d.value.rfind('!');
        if (bang != std::string_view::npos && equalNoCase(trim(d.value.substr(bang + 1)), "important")) {
            d.important = true;
            d.value = trim(d.value.substr(0, bang));
        }
        if (!d.name.empty()) f(d);
    }
}

void SvgStyleSheet::add(std::string_view css) {
    // Comments go first; then rules "selectors { declarations }", at-rules skipped whole.
    std::string text;
    text.reserve(css.size());
    for (std::size_t i = 0; i < css.size(); ++i) {
        if (css.compare(i, 2, "/*") == 0) {
            const std::size_t e = css.find("*/", i + 2);
            if (e == std::string_view::npos) break;
            i = e + 1;
            continue;
        }
        text += css[i];
    }
    std::size_t p = 0;
    while (p < text.size()) {
        const std::size_t open = text.find('{', p);
        if (open == std::string::npos) break;
        // The block's end, nested blocks (in @media) counted.
        std::size_t close = open + 1;
        for (int depth = 1; close < text.size(); ++close) {
            if (text[close] == '{') ++depth;
            if (text[close] == '}' && --depth == 0) break;
        }
        std::string_view prelude = trim(std::string_view(text).substr(p, open - p));
        const std::string declarations = text.substr(open + 1, std::min(close, text.size()) - open - 1);
        p = close + 1;
        if (prelude.empty() || prelude[0] == '@') continue;
        // Each selector of the comma list is its own rule.
        std::size_t s = 0;
        while (s <= prelude.size()) {
            std::size_t comma = prelude.find(',', s);
            if (comma == std::string_view::npos) comma = prelude.size();
            std::string_view sel = trim(prelude.substr(s, comma - s));
            s = comma + 1;
            Rule rule;
            rule.declarations = declarations;
            bool ok = !sel.empty();
            std::size_t i = 0;
            char pending = 0;  // combinator before the next compound
            while (ok && i < sel.size()) {
                if (isSpace(sel[i]) || sel[i] == '>') {
                    while (i < sel.size() && (isSpace(sel[i]) || sel[i] == '>')) {
                        if (sel[i] == '>') pending = '>';
                        ++i;
                    }
                    if (!pending) pending = ' ';
                    continue;
                }
                if (sel[i] == '+' || sel[i] == '~' || sel[i] == ':') {
                    ok = false;
                    break;
                }
                Simple c;
                auto ident = [&]() {
                    std::size_t b = i;
                    while (i < sel.size() &&
                           (std::isalnum(static_cast<unsigned char>(sel[i])) || sel[i] == '-' ||
                            sel[i] == '_' || static_cast<unsigned char>(sel[i]) >= 0x80 ||
                            (sel[i] == '|' && i + 1 < sel.size() && sel[i + 1] != '=')))
                        ++i;
                    return std::string(sel.substr(b, i - b));
                };
                if (sel[i] == '*') {
                    c.type = "*";
                    ++i;
                } else if (sel[i] != '.' && sel[i] != '#' && sel[i] != '[') {
                    c.type = ident();
                    if (c.type.empty()) ok = false;
                    rule.specificity += 1;
                }
                while (ok && i < sel.size() && !isSpace(sel[i]) && sel[i] != '>') {
                    if (sel[i] == '.') {
                        ++i;
                        c.classes.push_back(ident());
                        ok = !c.classes.back().empty();
                        rule.specificity += 256;
                    } else if (sel[i] == '#') {
                        ++i;
                        c.id = ident();
                        ok = !c.id.empty();
                        rule.specificity += 65536;
                    } else if (sel[i] == '[') {
                        const std::size_t e = sel.find(']', i);
                        if (e == std::string_view::npos) {
                            ok = false;
                            break;
                        }
                        std::string_view inside = sel.substr(i + 1, e - i - 1);
                        i = e + 1;
                        const std::size_t eq = inside.find('=');
                        if (eq == std::string_view::npos) {
                            c.attributes.emplace_back(std::string(trim(inside)), "\x01");
                        } else {
                            if (eq > 0 &&
                                std::string_view("~|^$*").find(inside[eq - 1]) != std::string_view::npos) {
                                ok = false;
                                break;
                            }
                            std::string_view v = trim(inside.substr(eq + 1));
                            if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0])
                                v = v.substr(1, v.size() - 2);
                            c.attributes.emplace_back(std::string(trim(inside.substr(0, eq))),
                                                      std::string(v));
                        }
                        rule.specificity += 256;
                    } else {
                        ok = false;
                    }
                }
                if (!ok) break;
                if (!rule.compounds.empty()) rule.combinators.push_back(pending ? pending : ' ');
                pending = 0;
                rule.compounds.push_back(std::move(c));
            }
            if (ok && !rule.compounds.empty()) m_rules.push_back(std::move(rule));
            if (comma == prelude.size()) break;
        }
    }
}

bool SvgStyleSheet::matches(const Simple& s, const StyleSubject& e) {
    if (!s.type.empty() && s.type != "*" && s.type != e.localName()) return false;
    std::string value;
    if (!s.id.empty() && (!e.attribute("id", value) || value != s.id)) return false;
    if (!s.classes.empty()) {
        if (!e.attribute("class", value)) return false;
        for (const std::string& c : s.classes) {
            bool found = false;
            std::size_t p = 0;
            while (p < value.size() && !found) {
                while (p < value.size() && isSpace(value[p])) ++p;
                std::size_t b = p;
                while (p < value.size() && !isSpace(value[p])) ++p;
                found = std::string_view(value).substr(b, p - b) == c;
            }
            if (!found) return false;
        }
    }
    for (const auto& [name, wanted] : s.attributes) {
        if (!e.attribute(name, value)) return false;
        if (wanted != "\x01" && value != wanted) return false;
    }
    return true;
}

bool SvgStyleSheet::matchesFrom(const Rule& r, std::size_t index, const StyleSubject& e) {
    if (!matches(r.compounds[index], e)) return false;
    if (index == 0) return true;
    const char combinator = r.combinators[index - 1];
    for (const StyleSubject* a = e.parent(); a; a = a->parent()) {
        if (matchesFrom(r, index - 1, *a)) return true;
        if (combinator == '>') return false;
    }
    return false;
}

void SvgStyleSheet::forEachMatch(
    const StyleSubject& subject,
    const std::function<void(const StyleDeclaration&, std::uint32_t, std::size_t)>& f) const {
    for (std::size_t i = 0; i < m_rules.size(); ++i) {
        const Rule& r = m_rules[i];
        if (!matchesFrom(r, r.compounds.size() - 1, subject)) continue;
        forEachDeclaration(r.declarations, [&](const StyleDeclaration& d) { f(d, r.specificity, i); });
    }
}

}  // namespace sartovin
