#include "job/SvgGeometry.h"
#include "platform/Decimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace sartovin {

namespace {

struct Pt {
    double x = 0, y = 0;
};

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

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

class PathWriter {
public:
    PathWriter(const Affine& map, std::string& out) : m_map(map), m_out(out) {}
    void move(Pt p) { emit('M', {p}); }
    void line(Pt p) { emit('L', {p}); }
    void cubic(Pt p1, Pt p2, Pt p3) { emit('C', {p1, p2, p3}); }
    void close() {
        if (!m_out.empty()) m_out += ' ';
        m_out += 'Z';
    }

private:
    void emit(char letter, std::initializer_list<Pt> points) {
        if (!m_out.empty()) m_out += ' ';
        m_out += letter;
        for (const Pt& p : points) {
            m_out += ' ';
            appendNumber(m_map.mapX(p.x, p.y));
            m_out += ',';
            appendNumber(m_map.mapY(p.x, p.y));
        }
    }
    // Fixed notation with six decimals and no trailing zeros: the reader's number syntax, no
    // exponents, and a micrometre is far below a thousandth of a unit.
    void appendNumber(double v) {
        if (std::fabs(v) < 5e-7) v = 0;
        std::string s = formatDecimal(v, 6);
        if (s.find('.') != std::string::npos) {
            while (s.back() == '0') s.pop_back();
            if (s.back() == '.') s.pop_back();
        }
        if (s == "-0") s = "0";
        m_out += s;
    }

    Affine m_map;
    std::string& m_out;
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
void writeArc(PathWriter& w, Pt p0, double rx, double ry, double phiDeg, bool large, bool sweep, Pt p,
              double tolerance) {
    if (p0.x == p.x && p0.y == p.y) return;
    rx = std::fabs(rx);
    ry = std::fabs(ry);
    if (rx == 0 || ry == 0) {
        w.line(p);
        return;
    }
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
        w.cubic(a1, a2, end);
        t = t2;
    }
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

bool rewritePathData(std::string_view data, const Affine& map, double tolerance, std::string& out) {
    std::string text;
    PathWriter w(map, text);
    Scanner s(data);
    // Tolerance is asked in output units; the arcs are split in input units.
    const double stretch = map.maxStretch();
    const double inputTolerance = stretch > 0 ? tolerance / stretch : tolerance;

    Pt cur, start, lastCtrl;
    char prev = 0;  // previous command, upper case, for the smooth curves
    char cmd = 0;
    bool haveCurrent = false;
    while (true) {
        s.skipSeparators();
        if (s.atEnd()) break;
        char c = s.peek();
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            cmd = c;
            s.advance();
        } else if (!cmd || cmd == 'z' || cmd == 'Z') {
            return false;
        }
        const bool rel = cmd >= 'a' && cmd <= 'z';
        const char up = static_cast<char>(rel ? cmd - 32 : cmd);
        if (up != 'M' && up != 'Z' && !haveCurrent) return false;
        auto absolute = [&](Pt p) { return rel ? Pt{cur.x + p.x, cur.y + p.y} : p; };
        switch (up) {
            case 'M': {
                Pt p;
                if (!s.pair(p)) return false;
                cur = start = (rel && haveCurrent) ? Pt{cur.x + p.x, cur.y + p.y} : p;
                haveCurrent = true;
                w.move(cur);
                // Further pairs are lines.
                cmd = rel ? 'l' : 'L';
                prev = 'M';
                continue;
            }
            case 'Z':
                w.close();
                cur = start;
                prev = 'Z';
                continue;
            case 'L': {
                Pt p;
                if (!s.pair(p)) return false;
                cur = absolute(p);
                w.line(cur);
                break;
            }
            case 'H': {
                double x;
                if (!s.number(x)) return false;
                cur = {rel ? cur.x + x : x, cur.y};
                w.line(cur);
                break;
            }
            case 'V': {
                double y;
                if (!s.number(y)) return false;
                cur = {cur.x, rel ? cur.y + y : y};
                w.line(cur);
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
                w.cubic(p1, p2, p3);
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
                // The cubic with control points two thirds of the way to the quadratic's one is
                // the same curve.
                w.cubic({cur.x + 2.0 / 3 * (q.x - cur.x), cur.y + 2.0 / 3 * (q.y - cur.y)},
                        {p.x + 2.0 / 3 * (q.x - p.x), p.y + 2.0 / 3 * (q.y - p.y)}, p);
                lastCtrl = q;
                cur = p;
                break;
            }
            case 'A': {
                double rx, ry, phi;
                bool large, sweep;
                Pt p;
                if (!s.number(rx) || !s.number(ry) || !s.number(phi) || !s.flag(large) || !s.flag(sweep) ||
                    !s.pair(p))
                    return false;
                p = absolute(p);
                writeArc(w, cur, rx, ry, phi, large, sweep, p, inputTolerance);
                cur = p;
                break;
            }
            default:
                return false;
        }
        prev = up;
    }
    out = std::move(text);
    return true;
}

}  // namespace sartovin
