#include "job/SvgGeometry.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

#include "platform/Decimal.h"

namespace sartovin {

namespace {

using Pt = SvgPoint;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

class Scanner {
public:
    explicit Scanner(std::string_view t) : m_text(t) {}

    void skipSeparators() {
        while (m_pos < m_text.size() && (isSpace(m_text[m_pos]) || m_text[m_pos] == ',')) ++m_pos;
    }
    void skipSpaces() {
        while (m_pos < m_text.size() && isSpace(m_text[m_pos])) ++m_pos;
    }
    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }
    void advance() { ++m_pos; }
    bool nextIsNumber() {
        skipSeparators();
        char c = peek();
        return isDigit(c) || c == '-' || c == '+' || c == '.';
    }
    bool number(double& v) {
        skipSeparators();
        std::size_t p = m_pos;
        const std::size_t begin = p;
        if (p < m_text.size() && (m_text[p] == '-' || m_text[p] == '+')) ++p;
        std::size_t digits = 0;
        while (p < m_text.size() && isDigit(m_text[p])) {
            ++p;
            ++digits;
        }
        if (p < m_text.size() && m_text[p] == '.') {
            ++p;
            while (p < m_text.size() && isDigit(m_text[p])) {
                ++p;
                ++digits;
            }
        }
        if (!digits) return false;
        if (p < m_text.size() && (m_text[p] == 'e' || m_text[p] == 'E')) {
            std::size_t q = p + 1;
            if (q < m_text.size() && (m_text[q] == '-' || m_text[q] == '+')) ++q;
            if (q < m_text.size() && isDigit(m_text[q])) {
                while (q < m_text.size() && isDigit(m_text[q])) ++q;
                p = q;
            }
        }
        const char* first = m_text.data() + begin;
        if (*first == '+') ++first;
        double value = 0;
        auto r = std::from_chars(first, m_text.data() + p, value);
        if (r.ec != std::errc() || !std::isfinite(value)) return false;
        v = value;
        m_pos = p;
        return true;
    }
    // Arc flags are single digits and may be packed without separators ("a5 5 0 01 10 10").
    bool flag(bool& v) {
        skipSeparators();
        char c = peek();
        if (c != '0' && c != '1') return false;
        v = c == '1';
        ++m_pos;
        return true;
    }
    bool pair(Pt& p) { return number(p.x) && number(p.y); }
    std::size_t position() const { return m_pos; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// Greatest radial error of the usual cubic approximation of a circular arc of `angle` radians on
// the unit circle, measured along the piece (it is zero at the middle and peaks near a fifth).
double arcPieceError(double angle) {
    const double k = 4.0 / 3.0 * std::tan(angle / 4);
    const double c = std::cos(angle), s = std::sin(angle);
    const Pt p0{1, 0}, p1{1, k}, p2{c + k * s, s - k * c}, p3{c, s};
    double worst = 0;
    for (int i = 1; i < 32; ++i) {
        const double t = i / 32.0, u = 1 - t;
        const double x = u * u * u * p0.x + 3 * u * u * t * p1.x + 3 * u * t * t * p2.x + t * t * t * p3.x;
        const double y = u * u * u * p0.y + 3 * u * u * t * p1.y + 3 * u * t * t * p2.y + t * t * t * p3.y;
        worst = std::max(worst, std::fabs(std::hypot(x, y) - 1));
    }
    return worst;
}

// The SVG endpoint parametrisation turned into centre form (SVG 1.1 implementation notes F.6.5),
// then written as cubic pieces.
// Returns false when the arc is a straight line (a zero radius); nothing is emitted then.
template <typename CubicOut>
bool writeArc(Pt p0, double rx, double ry, double phiDeg, bool large, bool sweep, Pt p, double tolerance,
              CubicOut&& cubic) {
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if (rx == 0 || ry == 0) return false;
    const double phi = phiDeg * std::numbers::pi / 180;
    const double cp = std::cos(phi), sp = std::sin(phi);
    const double dx = (p0.x - p.x) / 2, dy = (p0.y - p.y) / 2;
    const double x1 = cp * dx + sp * dy, y1 = -sp * dx + cp * dy;
    double lambda = (x1 * x1) / (rx * rx) + (y1 * y1) / (ry * ry);
    if (lambda > 1) {
        const double s = std::sqrt(lambda);
        rx *= s;
        ry *= s;
    }
    const double num = rx * rx * ry * ry - rx * rx * y1 * y1 - ry * ry * x1 * x1;
    const double den = rx * rx * y1 * y1 + ry * ry * x1 * x1;
    double coef = den > 0 ? std::sqrt(std::max(0.0, num / den)) : 0;
    if (large == sweep) coef = -coef;
    const double cxp = coef * rx * y1 / ry, cyp = -coef * ry * x1 / rx;
    const double cx = cp * cxp - sp * cyp + (p0.x + p.x) / 2;
    const double cy = sp * cxp + cp * cyp + (p0.y + p.y) / 2;
    auto angleOf = [](double ux, double uy, double vx, double vy) {
        return std::atan2(ux * vy - uy * vx, ux * vx + uy * vy);
    };
    const double theta1 = angleOf(1, 0, (x1 - cxp) / rx, (y1 - cyp) / ry);
    double dtheta = angleOf((x1 - cxp) / rx, (y1 - cyp) / ry, (-x1 - cxp) / rx, (-y1 - cyp) / ry);
    if (!sweep && dtheta > 0) dtheta -= 2 * std::numbers::pi;
    if (sweep && dtheta < 0) dtheta += 2 * std::numbers::pi;

    int pieces = std::max(1, static_cast<int>(std::ceil(std::fabs(dtheta) / (std::numbers::pi / 2) - 1e-9)));
    const double radius = std::max(rx, ry);
    while (pieces < 1024 && radius * arcPieceError(std::fabs(dtheta) / pieces) > tolerance) pieces *= 2;

    const double step = dtheta / pieces;
    const double k = 4.0 / 3.0 * std::tan(step / 4);
    // The point (ux, uy) of the unit circle's plane carried onto the ellipse.
    auto onEllipse = [&](double ux, double uy) {
        return Pt{cx + rx * ux * cp - ry * uy * sp, cy + rx * ux * sp + ry * uy * cp};
    };
    double t = theta1;
    for (int i = 0; i < pieces; ++i) {
        const double t2 = t + step;
        const double c1 = std::cos(t), s1 = std::sin(t), c2 = std::cos(t2), s2 = std::sin(t2);
        Pt a1 = onEllipse(c1 - k * s1, s1 + k * c1);
        Pt a2 = onEllipse(c2 + k * s2, s2 - k * c2);
        Pt end = i + 1 == pieces ? p : onEllipse(c2, s2);
        cubic(a1, a2, end);
        t = t2;
    }
    return true;
}

}  // namespace

double Affine::maxStretch() const {
    // Largest singular value of the linear part.
    const double s1 = a * a + b * b + c * c + d * d;
    const double det = a * d - b * c;
    const double disc = std::sqrt(std::max(0.0, s1 * s1 / 4 - det * det));
    return std::sqrt(s1 / 2 + disc);
}

Affine compose(const Affine& o, const Affine& i) {
    return {o.a * i.a + o.c * i.b, o.b * i.a + o.d * i.b,       o.a * i.c + o.c * i.d,
            o.b * i.c + o.d * i.d, o.a * i.e + o.c * i.f + o.e, o.b * i.e + o.d * i.f + o.f};
}

bool parseTransform(std::string_view text, Affine& out) {
    Affine result;
    std::size_t pos = 0;
    while (true) {
        while (pos < text.size() && (isSpace(text[pos]) || text[pos] == ',')) ++pos;
        if (pos >= text.size()) break;
        std::size_t open = text.find('(', pos);
        if (open == std::string_view::npos) return false;
        std::size_t close = text.find(')', open);
        if (close == std::string_view::npos) return false;
        std::string_view name = text.substr(pos, open - pos);
        while (!name.empty() && isSpace(name.back())) name.remove_suffix(1);
        std::vector<double> v;
        Scanner s(text.substr(open + 1, close - open - 1));
        while (true) {
            s.skipSeparators();
            if (s.atEnd()) break;
            double x;
            if (!s.number(x)) return false;
            v.push_back(x);
        }
        Affine t;
        const double deg = std::numbers::pi / 180;
        if (name == "matrix" && v.size() == 6) {
            t = {v[0], v[1], v[2], v[3], v[4], v[5]};
        } else if (name == "translate" && (v.size() == 1 || v.size() == 2)) {
            t = Affine::translation(v[0], v.size() == 2 ? v[1] : 0);
        } else if (name == "scale" && (v.size() == 1 || v.size() == 2)) {
            t = Affine::scaling(v[0], v.size() == 2 ? v[1] : v[0]);
        } else if (name == "rotate" && (v.size() == 1 || v.size() == 3)) {
            const double c = std::cos(v[0] * deg), sn = std::sin(v[0] * deg);
            t = {c, sn, -sn, c, 0, 0};
            if (v.size() == 3)
                t = compose(Affine::translation(v[1], v[2]), compose(t, Affine::translation(-v[1], -v[2])));
        } else if (name == "skewX" && v.size() == 1) {
            t = {1, 0, std::tan(v[0] * deg), 1, 0, 0};
        } else if (name == "skewY" && v.size() == 1) {
            t = {1, std::tan(v[0] * deg), 0, 1, 0, 0};
        } else {
            return false;
        }
        result = compose(result, t);
        pos = close + 1;
    }
    out = result;
    return true;
}

bool lengthInMm(std::string_view text, double& mm) {
    while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
    Scanner s(text);
    double v = 0;
    if (!s.number(v) || !std::isfinite(v) || v <= 0) return false;
    std::string_view unit = text.substr(s.position());
    while (!unit.empty() && isSpace(unit.front())) unit.remove_prefix(1);
    double factor;
    if (unit.empty() || unit == "px")
        factor = 25.4 / 96;
    else if (unit == "mm")
        factor = 1;
    else if (unit == "cm")
        factor = 10;
    else if (unit == "in")
        factor = 25.4;
    else if (unit == "pt")
        factor = 25.4 / 72;
    else if (unit == "pc")
        factor = 25.4 / 6;
    else if (unit == "q" || unit == "Q")
        factor = 0.25;
    else
        return false;
    mm = v * factor;
    return true;
}

DocumentMap documentMap(std::string_view width, std::string_view height, std::string_view viewBox,
                        std::string_view align) {
    constexpr double kMmPerPx = 25.4 / 96;
    double wmm = 0, hmm = 0;
    const bool hasW = lengthInMm(width, wmm);
    const bool hasH = lengthInMm(height, hmm);
    DocumentMap m;
    double box[4];
    Scanner s(viewBox);
    bool hasBox = true;
    for (double& v : box) hasBox = hasBox && s.number(v);
    hasBox = hasBox && box[2] > 0 && box[3] > 0;
    if (!hasBox) {
        m.toMm = Affine::scaling(kMmPerPx, kMmPerPx);
        m.pageHeightMm = hasH ? hmm : 0;
        return m;
    }
    if (!hasW && !hasH) {
        wmm = box[2] * kMmPerPx;
        hmm = box[3] * kMmPerPx;
    } else if (!hasW) {
        wmm = hmm * box[2] / box[3];
    } else if (!hasH) {
        hmm = wmm * box[3] / box[2];
    }
    m.toMm = viewBoxTransform(box, wmm, hmm, align);
    m.pageHeightMm = hmm;
    return m;
}

Affine viewBoxTransform(const double box[4], double width, double height, std::string_view align) {
    double sx = width / box[2], sy = height / box[3];
    // The alignment word and the meet-or-slice word, white space around them ignored.
    std::size_t p = 0;
    auto word = [&]() {
        while (p < align.size() && isSpace(align[p])) ++p;
        std::size_t b = p;
        while (p < align.size() && !isSpace(align[p])) ++p;
        return align.substr(b, p - b);
    };
    std::string_view a = word();
    if (a == "defer") a = word();
    const std::string_view mode = word();
    if (a == "none") return {sx, 0, 0, sy, -box[0] * sx, -box[1] * sy};
    static constexpr std::string_view kAligns[] = {"xMinYMin", "xMidYMin", "xMaxYMin", "xMinYMid", "xMidYMid",
                                                   "xMaxYMid", "xMinYMax", "xMidYMax", "xMaxYMax"};
    int which = 4;
    for (int i = 0; i < 9; ++i)
        if (a == kAligns[i]) which = i;
    const double s = mode == "slice" ? std::max(sx, sy) : std::min(sx, sy);
    const double fx = (which % 3) / 2.0, fy = (which / 3) / 2.0;  // 0, ½ or 1 of the free room
    const double tx = -box[0] * s + fx * (width - box[2] * s);
    const double ty = -box[1] * s + fy * (height - box[3] * s);
    return {s, 0, 0, s, tx, ty};
}

SvgArc transformArc(const Affine& m, const SvgArc& arc) {
    // The ellipse is centre + R(rotation)·diag(rx, ry)·(cos t, sin t); its image under the linear
    // part L of the map is centre' + L·R·diag(rx, ry)·(…). The singular values of that matrix are
    // the new radii, the direction of the first singular vector the new rotation.
    const double phi = arc.rotation * std::numbers::pi / 180;
    const double cp = std::cos(phi), sp = std::sin(phi);
    // M = L · R(phi) · diag(rx, ry), columns (m00, m10) and (m01, m11).
    const double m00 = (m.a * cp + m.c * sp) * arc.rx, m10 = (m.b * cp + m.d * sp) * arc.rx;
    const double m01 = (-m.a * sp + m.c * cp) * arc.ry, m11 = (-m.b * sp + m.d * cp) * arc.ry;
    const double e = (m00 + m11) / 2, f = (m00 - m11) / 2, g = (m10 + m01) / 2, h = (m10 - m01) / 2;
    const double q = std::hypot(e, h), r = std::hypot(f, g);
    const double a1 = std::atan2(g, f), a2 = std::atan2(h, e);
    SvgArc out;
    out.rx = q + r;
    out.ry = std::fabs(q - r);
    out.rotation = (a2 + a1) / 2 * 180 / std::numbers::pi;
    out.largeArc = arc.largeArc;
    const double det = m.a * m.d - m.b * m.c;
    out.sweep = det < 0 ? !arc.sweep : arc.sweep;
    out.end = m.map(arc.end);
    return out;
}

bool parsePathCommands(std::string_view data, PathSink& sink) {
    Scanner s(data);
    Pt cur, start, lastCtrl;
    char prev = 0;  // previous command, upper case, for the smooth curves
    char cmd = 0;
    bool haveCurrent = false;
    while (true) {
        s.skipSeparators();
        if (s.atEnd()) return true;
        char c = s.peek();
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            cmd = c;
            s.advance();
        } else if (!cmd || cmd == 'z' || cmd == 'Z') {
            return false;
        }
        const bool rel = cmd >= 'a' && cmd <= 'z';
        const char up = static_cast<char>(rel ? cmd - 32 : cmd);
        if (up != 'M' && !haveCurrent) return false;
        auto absolute = [&](Pt p) { return rel ? Pt{cur.x + p.x, cur.y + p.y} : p; };
        switch (up) {
            case 'M': {
                Pt p;
                if (!s.pair(p)) return false;
                cur = start = (rel && haveCurrent) ? Pt{cur.x + p.x, cur.y + p.y} : p;
                haveCurrent = true;
                sink.moveTo(cur);
                // Further pairs are lines.
                cmd = rel ? 'l' : 'L';
                prev = 'M';
                continue;
            }
            case 'Z':
                sink.closePath();
                cur = start;
                prev = 'Z';
                continue;
            case 'L': {
                Pt p;
                if (!s.pair(p)) return false;
                cur = absolute(p);
                sink.lineTo(cur);
                break;
            }
            case 'H': {
                double x;
                if (!s.number(x)) return false;
                cur = {rel ? cur.x + x : x, cur.y};
                sink.lineTo(cur);
                break;
            }
            case 'V': {
                double y;
                if (!s.number(y)) return false;
                cur = {cur.x, rel ? cur.y + y : y};
                sink.lineTo(cur);
                break;
            }
            case 'C':
            case 'S': {
                Pt p1, p2, p3;
                if (up == 'C') {
                    if (!s.pair(p1)) return false;
                    p1 = absolute(p1);
                } else {
                    p1 = (prev == 'C' || prev == 'S') ? Pt{2 * cur.x - lastCtrl.x, 2 * cur.y - lastCtrl.y}
                                                      : cur;
                }
                if (!s.pair(p2) || !s.pair(p3)) return false;
                p2 = absolute(p2);
                p3 = absolute(p3);
                sink.cubicTo(p1, p2, p3);
                lastCtrl = p2;
                cur = p3;
                break;
            }
            case 'Q':
            case 'T': {
                Pt q, p;
                if (up == 'Q') {
                    if (!s.pair(q)) return false;
                    q = absolute(q);
                } else {
                    q = (prev == 'Q' || prev == 'T') ? Pt{2 * cur.x - lastCtrl.x, 2 * cur.y - lastCtrl.y}
                                                     : cur;
                }
                if (!s.pair(p)) return false;
                p = absolute(p);
                sink.quadTo(q, p);
                lastCtrl = q;
                cur = p;
                break;
            }
            case 'A': {
                SvgArc arc;
                Pt p;
                if (!s.number(arc.rx) || !s.number(arc.ry) || !s.number(arc.rotation) ||
                    !s.flag(arc.largeArc) || !s.flag(arc.sweep) || !s.pair(p))
                    return false;
                arc.end = absolute(p);
                sink.arcTo(arc);
                cur = arc.end;
                break;
            }
            default:
                return false;
        }
        prev = up;
    }
}

void appendDecimal(std::string& out, double v) {
    // Rounded to micro-units in integer arithmetic: much faster than printf, and a micrometre is
    // far below a thousandth of a unit.
    double scaled = std::round(v * 1e6);
    if (!(std::fabs(scaled) < 9e15)) {
        std::string s = formatDecimal(std::isfinite(v) ? v : 0.0, 6);
        while (s.find('.') != std::string::npos && (s.back() == '0' || s.back() == '.')) {
            const bool dot = s.back() == '.';
            s.pop_back();
            if (dot) break;
        }
        out += s;
        return;
    }
    long long n = static_cast<long long>(scaled);
    if (n < 0) {
        out += '-';
        n = -n;
    }
    const long long whole = n / 1000000;
    long long frac = n % 1000000;
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, whole);
    out.append(buf, r.ptr);
    if (frac) {
        char digits[7] = {'.', '0', '0', '0', '0', '0', '0'};
        int last = 6;
        for (int i = 6; i >= 1; --i) {
            digits[i] = static_cast<char>('0' + frac % 10);
            frac /= 10;
        }
        while (digits[last] == '0') --last;
        out.append(digits, static_cast<std::size_t>(last + 1));
    } else if (n == 0 && !out.empty() && out.back() == '-') {
        out.pop_back();  // "-0" is "0"
    }
}

void ReaderPathWriter::letter(char c) {
    if (!m_out.empty() && m_out.back() != '"') m_out += ' ';
    m_out += c;
}

void ReaderPathWriter::point(SvgPoint q) {
    if (!(std::fabs(q.x) <= kMaxPathCoordinate && std::fabs(q.y) <= kMaxPathCoordinate)) m_outOfRange = true;
    m_out += ' ';
    appendDecimal(m_out, q.x);
    m_out += ',';
    appendDecimal(m_out, q.y);
}

void ReaderPathWriter::beginDrawing() {
    if (!m_afterClose) return;
    // SVG: a drawing command after "z" starts a new sub-path at the closed one's start.
    m_afterClose = false;
    letter('M');
    point(m_map.map(m_start));
}

void ReaderPathWriter::moveTo(SvgPoint p) {
    m_afterClose = false;
    m_current = m_start = p;
    letter('M');
    point(m_map.map(p));
}

void ReaderPathWriter::lineTo(SvgPoint p) {
    beginDrawing();
    m_current = p;
    letter('L');
    point(m_map.map(p));
    ++m_segments;
}

void ReaderPathWriter::quadTo(SvgPoint q, SvgPoint p) {
    // The cubic with control points two thirds of the way to the quadratic's one is the same curve.
    const SvgPoint c = m_current;
    cubicTo({c.x + 2.0 / 3 * (q.x - c.x), c.y + 2.0 / 3 * (q.y - c.y)},
            {p.x + 2.0 / 3 * (q.x - p.x), p.y + 2.0 / 3 * (q.y - p.y)}, p);
}

void ReaderPathWriter::cubicTo(SvgPoint c1, SvgPoint c2, SvgPoint p) {
    beginDrawing();
    m_current = p;
    letter('C');
    point(m_map.map(c1));
    point(m_map.map(c2));
    point(m_map.map(p));
    ++m_segments;
}

void ReaderPathWriter::arcTo(const SvgArc& arc) {
    const SvgPoint from = m_current;
    // Equal ends draw nothing (SVG omits such an arc).
    if (from.x == arc.end.x && from.y == arc.end.y) return;
    beginDrawing();
    m_current = arc.end;
    // Split where the tolerance is measured: after the map, on the image of the ellipse.
    const SvgArc mapped = transformArc(m_map, arc);
    const bool curved = writeArc(m_map.map(from), mapped.rx, mapped.ry, mapped.rotation, mapped.largeArc,
                                 mapped.sweep, mapped.end, m_tolerance, [&](Pt a1, Pt a2, Pt end) {
                                     letter('C');
                                     point(a1);
                                     point(a2);
                                     point(end);
                                     ++m_segments;
                                 });
    if (!curved) {
        letter('L');
        point(mapped.end);
        ++m_segments;
    }
}

void ReaderPathWriter::closePath() {
    letter('Z');
    m_current = m_start;
    m_afterClose = true;
}

bool rewritePathData(std::string_view data, const Affine& map, double tolerance, std::string& out) {
    std::string text;
    ReaderPathWriter w(map, tolerance, text);
    if (!parsePathCommands(data, w)) return false;
    out = std::move(text);
    return true;
}

}  // namespace sartovin
