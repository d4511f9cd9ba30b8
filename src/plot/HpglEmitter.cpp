#include "plot/HpglEmitter.h"

#include "plot/DeviceUnits.h"

namespace sartovin {

namespace {

void relative(std::string& out, int dx, int dy) {
    out += "PR";
    appendPair(out, dx, dy);
    out += ';';
}

}  // namespace

void HpglEmitter::moveUp(std::string& out, int dx, int dy, int, int) {
    out += "PU;";
    relative(out, dx, dy);
}

void HpglEmitter::cut(std::string& out, int dx, int dy, int, int) { relative(out, dx, dy); }

void HpglEmitter::lowerPen(std::string& out) { out += "PD;"; }

void HpglEmitter::liftPen(std::string& out) { out += "PU;"; }

void HpglEmitter::strokeCut(std::string& out, int dx, int dy) { relative(out, dx, dy); }

void HpglEmitter::strokeMove(std::string& out, int dx, int dy) { relative(out, dx, dy); }

void HpglEmitter::acceleration(std::string& out, double value) {
    out += "AS";
    appendFixed(out, value, 1);
    out += ';';
}

void HpglEmitter::frameGroupMove(std::string& out, int ox, int oy, int, int, int& px, int& py) {
    // "PU x,y;" in relative mode moves by (x, y). From the device origin this carries the first
    // copy origin's absolute coordinates; later copies are reached from where the previous frame
    // ended, each time to the copy's origin.
    out += "PU";
    appendPair(out, ox - px, oy - py);
    out += ';';
    px = ox;
    py = oy;
}

void HpglEmitter::frameStart(std::string& out, int dx, int dy, int, int) {
    out += "PU;";
    relative(out, dx, dy);
    out += "PD;";
}

void HpglEmitter::endOfPass(std::string& out, int dx, int dy, int, int, bool liftOnly) {
    if (liftOnly) {
        out += "PU;";
        return;
    }
    out += "PU;";
    relative(out, dx, dy);
}

}  // namespace sartovin
