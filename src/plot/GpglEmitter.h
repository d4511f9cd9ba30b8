#pragma once
// GP-GL spelling of the walk for the hobby cutters, 20 units per mm. GP-GL moves are absolute in
// the cutter's own frame: normally first = Y and second = H − X (H the medium length in units);
// in registration-mark mode first = Dx − X and second = Dy − Y (Dx, Dy the mark distances).
// "M" moves with the pen up, "D" cuts to a point, "O" and "E" are the relative move and cut;
// instructions end with "," or ETX (3).

#include "plot/PathEmitter.h"

namespace sartovin {

class GpglEmitter : public PathEmitter {
public:
    /// Normal frame with H = `heightUnits`.
    static GpglEmitter normalFrame(int heightUnits);
    /// Marks-mode frame with the mark distances in units.
    static GpglEmitter marksFrame(int dx, int dy);

    void moveUp(std::string& out, int dx, int dy, int x, int y) override;
    void cut(std::string& out, int dx, int dy, int x, int y) override;
    void lowerPen(std::string& out) override;
    void liftPen(std::string& out) override;
    void strokeCut(std::string& out, int dx, int dy) override;
    void strokeMove(std::string& out, int dx, int dy) override;
    void acceleration(std::string& out, double value) override;
    void frameGroupMove(std::string& out, int ox, int oy, int cx, int cy, int& px, int& py) override;
    void frameStart(std::string& out, int dx, int dy, int x, int y) override;
    void endOfPass(std::string& out, int dx, int dy, int x, int y, bool liftOnly) override;

    /// A device point in the cutter's frame.
    void appendPoint(std::string& out, int x, int y) const;
    /// A displacement in the cutter's frame.
    void appendDisplacement(std::string& out, int dx, int dy) const;

private:
    bool m_marks = false;
    int m_height = 0;
    int m_dx = 0;
    int m_dy = 0;
};

}  // namespace sartovin
