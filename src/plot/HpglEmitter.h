#pragma once
// HP-GL spelling of the walk, in relative mode ("PR;" was sent): every coordinate pair is a
// displacement in units of 0.025 mm. "PU" lifts the pen, "PD" lowers it, "AS" sets the
// acceleration.

#include "plot/PathEmitter.h"

namespace sartovin {

class HpglEmitter : public PathEmitter {
public:
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
};

}  // namespace sartovin
