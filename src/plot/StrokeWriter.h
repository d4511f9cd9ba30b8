#pragma once
// The pen as the walk and the overcut rules drive it: its real position in device units and
// whether it is down, with every action spelled by the device language's emitter.

#include <string>

#include "plot/PathEmitter.h"

namespace sartovin {

class StrokeWriter {
public:
    StrokeWriter(std::string& out, PathEmitter& emitter) : m_out(out), m_emitter(emitter) {}

    int x() const { return m_x; }
    int y() const { return m_y; }
    bool penDown() const { return m_penDown; }
    std::string& out() { return m_out; }
    PathEmitter& emitter() { return m_emitter; }

    /// Pen-up move to an absolute position.
    void moveUpTo(int x, int y) {
        m_emitter.moveUp(m_out, x - m_x, y - m_y, x, y);
        m_x = x;
        m_y = y;
        m_penDown = false;
    }
    void lower() {
        if (!m_penDown) {
            m_emitter.lowerPen(m_out);
            m_penDown = true;
        }
    }
    void lift() {
        if (m_penDown) {
            m_emitter.liftPen(m_out);
            m_penDown = false;
        }
    }
    /// A cutting move by (dx, dy), lowering the pen first when it is up.
    void cutBy(int dx, int dy) {
        lower();
        m_x += dx;
        m_y += dy;
        m_emitter.cut(m_out, dx, dy, m_x, m_y);
    }
    /// Overcut stroke with the pen down (lowered first when up).
    void strokeCut(int dx, int dy) {
        lower();
        m_x += dx;
        m_y += dy;
        m_emitter.strokeCut(m_out, dx, dy);
    }
    /// Overcut stroke with the pen up (lifted first when down).
    void strokeMove(int dx, int dy) {
        lift();
        m_x += dx;
        m_y += dy;
        m_emitter.strokeMove(m_out, dx, dy);
    }
    /// Cut (dx, dy) and come back with the pen up.
    void cutAndReturn(int dx, int dy) {
        strokeCut(dx, dy);
        strokeMove(-dx, -dy);
    }
    /// Weeding frame start: pen up to the corner, then down.
    void frameStartAt(int x, int y) {
        m_emitter.frameStart(m_out, x - m_x, y - m_y, x, y);
        m_x = x;
        m_y = y;
        m_penDown = true;
    }
    /// Where the pen stands before the first move (pen up). The relative HP-GL stream starts at
    /// the device origin; an absolute frame may start elsewhere.
    void placeAt(int x, int y) {
        m_x = x;
        m_y = y;
        m_penDown = false;
    }
    /// Weeding-frame group: brings the pen to the copy before its frame (pen up).
    void frameGroupMove(int ox, int oy, int cx, int cy) {
        m_emitter.frameGroupMove(m_out, ox, oy, cx, cy, m_x, m_y);
        m_penDown = false;
    }

private:
    std::string& m_out;
    PathEmitter& m_emitter;
    int m_x = 0;
    int m_y = 0;
    bool m_penDown = false;
};

}  // namespace sartovin
