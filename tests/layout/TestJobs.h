#pragma once
// Small jobs, plotters and text files for the layout and page model tests.

#include <cstdint>
#include <string>

#include "catalog/PlotterRecord.h"
#include "job/Job.h"
#include "support/TempDir.h"

namespace sartovin::test {

/// A straight segment from (x0, y0) to (x1, y1).
inline PathSegment line(double x0, double y0, double x1, double y1) {
    PathSegment s;
    s.kind = kSegmentLine;
    s.startX = s.ctrl1X = x0;
    s.startY = s.ctrl1Y = y0;
    s.endX = s.ctrl2X = x1;
    s.endY = s.ctrl2Y = y1;
    return s;
}

/// A closed rectangle (four straight segments, counter-clockwise from the lower left) with its
/// bounds, filled with `fill`.
inline JobObject rectangle(double left, double bottom, double right, double top, std::uint32_t fill = 0,
                           int colourKind = kColourRgb) {
    JobObject o;
    JobPath p;
    p.closed = true;
    p.segments = {line(left, bottom, right, bottom), line(right, bottom, right, top),
                  line(right, top, left, top), line(left, top, left, bottom)};
    o.paths.push_back(p);
    o.fillColour = fill;
    o.colourKind = colourKind;
    o.boundsX1 = left, o.boundsY1 = bottom, o.boundsX2 = right, o.boundsY2 = top;
    return o;
}

/// A cutter with the limits the tests reason about: media 50..600 × 50..5000 mm, margin 5 mm,
/// smallest job 10 × 10 mm, speed 10..80, force 20..400.
inline PlotterRecord testPlotter(const std::string& name = "Jaguar V 61") {
    PlotterRecord p;
    p.name = name;
    p.minMediaWidth = 50, p.maxMediaWidth = 600;
    p.minMediaHeight = 50, p.maxMediaHeight = 5000;
    p.minMediaMargin = 5;
    p.minCutWidth = 10, p.minCutHeight = 10;
    p.maxCutWidth = 590, p.maxCutHeight = 4990;
    p.minCutSpeed = 10, p.maxCutSpeed = 80;
    p.minCutForce = 20, p.maxCutForce = 400;
    p.qualitySmallLetter = 0.5, p.qualityFine = 1, p.qualityNormal = 2, p.qualityFair = 3, p.qualityDraft = 4;
    return p;
}

/// The English text file with the texts the page models show.
inline void writeEnglishTexts(const TempDir& dir) {
    writeFile(dir.file("2000.txt"),
              "[2000]\n2061=Grid\n2071=Cutting Parameter for\n2085=Layer\n2089=Fillcolors\n"
              "2100=manual position\n2101=bottom right\n2102=bottom left\n2103=centered horizontally\n"
              "2104=centered vertically\n2105=centered\n2106=top right\n2107=top left\n2108=top centered\n"
              "2110=no rotation\n2111=90 right\n2112=90 left\n2113=180\n"
              "2120=small letters\n2121=fine\n2122=normal\n2123=production\n2124=draft\n"
              "2242=Save the cutting configuration for\n"
              "2324=The length of the marks have to be 10mm to 50mm !\n"
              "2325=The thickness of the marks have to be 1 mm to 2 mm !\n"
              "2326=The margin of the marks have to be 1 mm to 50 mm !\n"
              "2327=The size of the segments have to be 200 mm to 600 mm !\n"
              "2328=The copy count was changed !\n"
              "2368=The different cutting parameters were switched off.\n"
              "2385=Portrait\n2386=Landscape\n2387=user defined\n2439=Registration mark settings\n");
}

}  // namespace sartovin::test
