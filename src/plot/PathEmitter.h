#pragma once
// The command words of one device language. The walk over the job (PathWalker) decides what is
// cut and where; an emitter only spells each pen action in HP-GL or GP-GL. Every call receives
// both the displacement from the pen's position and the absolute target in device units (X along
// the feed, Y across), so a relative and an absolute language can be served alike.

#include <string>

namespace sartovin {

class PathEmitter {
public:
    virtual ~PathEmitter() = default;
    /// Pen-up move to (x, y) (path starts, the weeding frame's corner, the end move).
    virtual void moveUp(std::string& out, int dx, int dy, int x, int y) = 0;
    /// Cutting move to (x, y); the pen is already down.
    virtual void cut(std::string& out, int dx, int dy, int x, int y) = 0;
    /// Lowers the pen (the pen was up).
    virtual void lowerPen(std::string& out) = 0;
    /// Lifts the pen (the pen was down).
    virtual void liftPen(std::string& out) = 0;
    /// Relative overcut stroke with the pen down.
    virtual void strokeCut(std::string& out, int dx, int dy) = 0;
    /// Relative overcut stroke with the pen up.
    virtual void strokeMove(std::string& out, int dx, int dy) = 0;
    /// Acceleration change before a line after a curve or a curve after a line.
    virtual void acceleration(std::string& out, double value) = 0;
    /// Weeding-frame group only: the move that brings the pen to a copy before its frame.
    /// (ox, oy) is the copy origin, (cx, cy) the frame corner; (px, py) holds the pen position
    /// and receives where the move leaves the pen (up).
    virtual void frameGroupMove(std::string& out, int ox, int oy, int cx, int cy, int& px, int& py) = 0;
    /// Start of a frame without overcut: pen up to the corner, then pen down.
    virtual void frameStart(std::string& out, int dx, int dy, int x, int y) = 0;
    /// End of the pass. (dx, dy) / (x, y) is the end-move target; `liftOnly` in marks mode.
    virtual void endOfPass(std::string& out, int dx, int dy, int x, int y, bool liftOnly) = 0;
};

}  // namespace sartovin
