#include "layout/RegistrationMarkDrawing.h"

namespace sartovin {

namespace {

// The lower-left standard mark reaches 3 mm further out than the others, so that the cutter's
// sensor can tell that corner from the rest.
constexpr double kCornerExtension = 8.503935;
// The side of the hobby cutters' filled upper-left square, beyond the bar thickness: 5 mm.
constexpr double kCameoSquare = 14.173225;

struct Builder {
    std::vector<MarkRectangle>& out;
    void add(double left, double top, double right, double bottom, int identity) {
        out.push_back({{left, top, right, bottom}, identity});
    }
};

bool contains(const std::string& text, const char* word) { return text.find(word) != std::string::npos; }

void standardMarks(const MarkSettings& s, const MarkRect& art, std::vector<MarkRectangle>& out) {
    const double len = s.length * kMarkPointsPerMm;
    const double th = s.thickness * kMarkPointsPerMm;
    const double m = s.margin * kMarkPointsPerMm;
    const double h = th / 2;
    const double c = kCornerExtension;
    const double L = art.left, R = art.right, T = art.top, B = art.bottom;
    Builder b{out};

    // The four corner Ls: the outer corner of each lies margin + arm outside the artwork, the arms
    // point towards it.
    b.add(L - m - len - c, B - m - len + h, L - m - len, B - m - len - h, 1);
    b.add(L - m - len - h, B - m - len, L - m - len + h, B - m - len - c, 2);
    b.add(L - m - len, B - m - len + h, L - m, B - m - len - h, 4);
    b.add(L - m - len - h, B - m, L - m - len + h, B - m - len, 3);
    b.add(R + m, B - m - len + h, R + m + len, B - m - len - h, 7);
    b.add(R + m + len - h, B - m, R + m + len + h, B - m - len, 0);
    b.add(L - m - len, T + m + len + h, L - m, T + m + len - h, 0);
    b.add(L - m - len - h, T + m + len, L - m - len + h, T + m, 8);
    b.add(R + m, T + m + len + h, R + m + len, T + m + len - h, 0);
    b.add(R + m + len - h, T + m + len, R + m + len + h, T + m, 0);

    // Crosses along the left and right edges; the first left bar tells the cutter the step.
    const double yStep = s.yStep * kMarkPointsPerMm;
    if (s.useVertSegmentMarks && yStep > 0 && yStep < T - B) {
        bool first = true;
        for (double y = B + yStep; y < T - 2 * len; y += yStep) {
            const double xl = L - m - len;
            b.add(xl, y + h, L - m, y - h, first ? 6 : 0);
            b.add(xl - h, y + len, xl + h, y - len, 0);
            const double xr = R + m + len;
            b.add(R + m, y + h, xr, y - h, 0);
            b.add(xr - h, y + len, xr + h, y - len, 0);
            first = false;
        }
    }
    // Crosses along the bottom and top edges; the first bottom bar tells the cutter the step.
    const double xStep = s.xStep * kMarkPointsPerMm;
    if (s.useHorSegmentMarks && xStep > 0 && xStep < R - L) {
        bool first = true;
        for (double x = L + xStep; x < R - 2 * len; x += xStep) {
            const double yb = B - m - len;
            b.add(x - h, B - m, x + h, yb, first ? 5 : 0);
            b.add(x - len, yb + h, x + len, yb - h, 0);
            const double yt = T + m + len;
            b.add(x - h, yt, x + h, T + m, 0);
            b.add(x - len, yt + h, x + len, yt - h, 0);
            first = false;
        }
    }
}

MarksResult hobbyMarks(const MarkSettings& s, const MarkRect& art) {
    MarksResult result;
    const double len = s.length * kMarkPointsPerMm;
    const double m = s.margin * kMarkPointsPerMm;
    // The hobby window stores the bar thickness in tenths of a millimetre.
    const double th = s.thickness / 10.0 * kMarkPointsPerMm;
    const double h = th / 2;
    const double L = art.left, R = art.right, T = art.top, B = art.bottom;

    double u = m, w = m;
    const SheetArea sheet = hobbySheetArea(s.format);
    if (sheet.known) {
        // The artwork is centred in the usable area of the sheet; the marks sit at its edges.
        u = (sheet.width * kMarkPointsPerMm - (R - L)) / 2;
        w = (sheet.height * kMarkPointsPerMm - (T - B)) / 2;
    }
    if (!(u > 0) || !(w > 0)) {
        result.fits = false;
        return result;
    }
    Builder b{result.rectangles};
    b.add(L - u, B - w + h, L - u + len, B - w - h, 4);
    b.add(L - u - h, B - w + len, L - u + h, B - w, 3);
    b.add(R + u - len, B - w + h, R + u, B - w - h, 7);
    b.add(R + u - h, B - w + len, R + u + h, B - w, sheet.known ? 9 : 13);
    if (s.isCameo) {
        b.add(L - u - h, T + w + h, L - u - h + th + kCameoSquare, T + w + h - th - kCameoSquare, 8);
    } else {
        b.add(L - u, T + w + h, L - u + len, T + w - h, 0);
        b.add(L - u - h, T + w, L - u + h, T + w - len, 8);
    }
    b.add(R + u - len, T + w + h, R + u, T + w - h, 0);
    b.add(R + u - h, T + w, R + u + h, T + w - len, 10);
    return result;
}

}  // namespace

SheetArea hobbySheetArea(const std::string& f) {
    struct Entry {
        std::vector<const char*> names;
        double width, height;
    };
    static const Entry kFormats[] = {
        {{"A4 hoch", "A4 Portrait"}, 188, 265},
        {{"A4 quer", "A4 Landscape", "A4 Paysage"}, 277, 187},
        {{"Letter hoch", "Letter Portrait"}, 194, 247},
        {{"Letter quer", "Letter Landscape", "Letter Paysage"}, 257, 184},
        {{"12"}, 282, 272},
        {{"A3"}, 275, 388},
        {{"Legal"}, 194, 324},
        {{"A5 quer", "A5 Landscape", "A5 Paysage"}, 188, 116},
        {{"A5 hoch", "A5 Portrait"}, 126, 178},
    };
    for (const Entry& e : kFormats)
        for (const char* name : e.names)
            if (contains(f, name)) return {true, e.width, e.height};
    return {};
}

MarksResult registrationMarks(MarksVariant variant, const MarkSettings& settings, const MarkRect& art) {
    if (variant == MarksVariant::Hobby) return hobbyMarks(settings, art);
    MarksResult result;
    standardMarks(settings, art, result.rectangles);
    return result;
}

}  // namespace sartovin
