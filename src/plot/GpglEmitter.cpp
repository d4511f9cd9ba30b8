#include "plot/GpglEmitter.h"

#include "plot/DeviceUnits.h"

namespace sartovin {

namespace {
constexpr char kEtx = 3;
}

GpglEmitter GpglEmitter::normalFrame(int heightUnits) {
    GpglEmitter e;
    e.m_height = heightUnits;
    return e;
}

GpglEmitter GpglEmitter::marksFrame(int dx, int dy) {
    GpglEmitter e;
    e.m_marks = true;
    e.m_dx = dx;
    e.m_dy = dy;
    return e;
}

void GpglEmitter::appendPoint(std::string& out, int x, int y) const {
    if (m_marks)
        appendPair(out, m_dx - x, m_dy - y);
    else
        appendPair(out, y, m_height - x);
}

void GpglEmitter::appendDisplacement(std::string& out, int dx, int dy) const {
    if (m_marks)
        appendPair(out, -dx, -dy);
    else
        appendPair(out, dy, -dx);
}

void GpglEmitter::moveUp(std::string& out, int, int, int x, int y) {
    out += 'M';
    appendPoint(out, x, y);
    out += ',';
}

void GpglEmitter::cut(std::string& out, int, int, int x, int y) {
    out += 'D';
    appendPoint(out, x, y);
    out += ',';
    out += kEtx;
}

// GP-GL carries the pen state in the command letter: nothing to send for lowering or lifting.
void GpglEmitter::lowerPen(std::string&) {}
void GpglEmitter::liftPen(std::string&) {}

void GpglEmitter::strokeCut(std::string& out, int dx, int dy) {
    out += 'E';
    appendDisplacement(out, dx, dy);
    out += ',';
    out += kEtx;
}

void GpglEmitter::strokeMove(std::string& out, int dx, int dy) {
    out += 'O';
    appendDisplacement(out, dx, dy);
    out += ',';
}

// The hobby cutters take no acceleration.
void GpglEmitter::acceleration(std::string&, double) {}

void GpglEmitter::frameGroupMove(std::string& out, int, int, int cx, int cy, int& px, int& py) {
    moveUp(out, cx - px, cy - py, cx, cy);
    px = cx;
    py = cy;
}

void GpglEmitter::frameStart(std::string& out, int dx, int dy, int x, int y) {
    if (dx != 0 || dy != 0) moveUp(out, dx, dy, x, y);
}

void GpglEmitter::endOfPass(std::string& out, int, int, int, int, bool) {
    // The hobby cutters go home by themselves ("H"); the end position options do not apply.
    out += "&1,1,1,FO0";
    out += kEtx;
    out += "H,";
}

}  // namespace sartovin
