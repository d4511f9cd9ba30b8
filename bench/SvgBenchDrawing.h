#pragma once
// The generated drawings of the SVG import benchmarks and of scripts/bench-peers.sh: `paths`
// objects on four layers, a mix of what drawings hold (curved and straight paths with relative
// commands, quadratic curves and arcs, rectangles with and without rounded corners, circles,
// ellipses), every tenth group moved by a transform, on a page of 1000 × 1000 mm.

#include <string>

#include "job/SvgGeometry.h"

namespace sartovin::bench {

inline std::string svgBenchDrawing(int paths) {
    std::string s;
    s.reserve(static_cast<std::size_t>(paths) * 130 + 1024);
    s += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" "
         "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\"\n"
         "     width=\"1000mm\" height=\"1000mm\" viewBox=\"0 0 1000 1000\">\n";
    static const char* const kColours[4] = {"#d40000", "#0044aa", "#ffcc00", "#000000"};
    auto num = [&](double v) { appendDecimal(s, v); };
    const int perLayer = (paths + 3) / 4;
    int i = 0;
    for (int layer = 0; layer < 4 && i < paths; ++layer) {
        s += "<g inkscape:groupmode=\"layer\" inkscape:label=\"Layer ";
        s += std::to_string(layer + 1);
        s += "\" style=\"fill:";
        s += kColours[layer];
        s += "\">\n";
        for (int k = 0; k < perLayer && i < paths; ++k, ++i) {
            // Cells of 5 mm, 190 a row, rows wrapping at the page's foot.
            const double x = 5 + (i % 190) * 5.0, y = 5 + ((i / 190) % 190) * 5.0;
            if (k % 10 == 0) s += "<g transform=\"translate(0.5,0.25)\">\n";
            switch (i % 6) {
                case 0:
                    s += "<path d=\"M ";
                    num(x), s += ',', num(y);
                    s += " c 1,-2 3,-2 4,0 s 1,3 -2,4 z\"/>\n";
                    break;
                case 1:
                    s += "<rect x=\"";
                    num(x), s += "\" y=\"", num(y);
                    s += "\" width=\"4\" height=\"3\"";
                    s += i % 12 == 1 ? " rx=\"0.5\"/>\n" : "/>\n";
                    break;
                case 2:
                    s += "<circle cx=\"";
                    num(x + 2), s += "\" cy=\"", num(y + 2);
                    s += "\" r=\"1.8\"/>\n";
                    break;
                case 3:
                    s += "<path d=\"M ";
                    num(x), s += ',', num(y);
                    s += " l 4,0 0,4 h -2 v -1 l -2,1 z\"/>\n";
                    break;
                case 4:
                    s += "<ellipse cx=\"";
                    num(x + 2), s += "\" cy=\"", num(y + 2);
                    s += "\" rx=\"2\" ry=\"1.2\"/>\n";
                    break;
                default:
                    s += "<path d=\"M ";
                    num(x), s += ',', num(y + 2);
                    s += " q 2,-3 4,0 t -1,2 a 1.5 1.5 0 0 1 -3 0 z\"/>\n";
                    break;
            }
            if (k % 10 == 9 || k + 1 == perLayer || i + 1 == paths) s += "</g>\n";
        }
        s += "</g>\n";
    }
    s += "</svg>\n";
    return s;
}

}  // namespace sartovin::bench
