#pragma once
// The laser edition's job: one byte block per pass for the engraver's print queue. The block is an
// envelope of the engraver's escape sequences around the raster rows of the engraved areas and an
// HP-GL/2 vector section for the cut lines.
//
// Frame of the job area. The area holds every copy cell (a copy with its weeding-frame allowance
// g on every side): columns side by side across the page, rows one behind the other. Inside the
// area "u" runs across to the right and "v" from the area's far edge towards its front edge, in
// millimetres; a cell shows its copy as the preview does (a job point x along, y across lands at
// u = cellWidth − g − y·sy, v = cellHeight − g − x·sx), so the engraving is not mirrored.
//
// The engraver's cursor, set by the envelope, stands at the area's far left corner when raster
// engraving is on (the header's Y includes the area's height) and at its front left corner when it
// is off. The raster's first row is the far edge. The vector section runs in HP-GL/2 relative mode
// ("PR"): every PU/PD is a move from the pen's last point, the first one from that cursor, with y
// towards the far edge, 40 units per millimetre. Every point is rounded once in the area frame and
// the moves are differences of rounded points, so the cut lines do not drift from the raster.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "plot/PlotContext.h"
#include "plot/PlotParameters.h"

namespace sartovin {

/// A length of `mm` millimetres in engraver dots at `resolution` dpi: trunc(R · mm / 25.4 + 0.99999).
int laserDots(int resolution, double mm);

/// The four texts of the envelope (8-bit bytes).
struct LaserEnvelope {
    std::string header;
    std::string cleaningHeader;
    std::string vectorStart;
    std::string trailer;
    std::size_t modeBytesOffset = 0;  ///< offset of the 16 zero bytes after "ESC!v16D" in the header
};

/// Size of the job area: all copy cells with their distances.
struct LaserArea {
    double widthMm = 0;   ///< across: columns · (jobWidth + 2g) + (columns − 1) · distanceH
    double heightMm = 0;  ///< along: rows · (jobHeight + 2g) + (rows − 1) · distanceV
    int widthDots = 0;    ///< dots(widthMm)
    int rasterWidth = 0;  ///< widthDots rounded up to a multiple of 8: what each row carries
    int rowCount = 0;     ///< dots(heightMm)
};

/// The weeding-frame allowance g the laser uses: "GridDistance" when "Grid" is on, else 0.
int laserFrameDistance(const PlotParameters& p);

LaserArea laserArea(const PlotParameters& p);

/// Builds the envelope for `p` at resolution p.laser.resolution.
LaserEnvelope buildLaserEnvelope(const PlotParameters& p);

/// Appends one raster row record: "ESC*b<n>W", the run-length pairs (count 1..255, byte) of the
/// `count` packed bytes and two zero bytes; n = 2 · pairs + 2.
void appendRasterRow(const std::uint8_t* packed, std::size_t count, std::string& out);

/// The drawing of one pass of group `groupIndex` (−1 all, −2 the weeding-frame group, else a layer
/// or colour-group index): the copies and the objects the cutters' walk would cut, with its layer,
/// colour, selection and group rules. `params` and its job must outlive the drawing.
class LaserDrawing {
public:
    LaserDrawing(const PlotParameters& params, int groupIndex);

    /// The vector section (pen 1 outlines, pen 2 copy rectangles, as the medium's switches say).
    std::string vectorSection() const;

    /// Renders area rows [firstRow, firstRow + rowCount) and packs them: rowCount rows of
    /// rasterWidth / 8 bytes, the first pixel in the highest bit. The rows are rendered on page
    /// bitmap tiles of at most 8192 × rowCount pixels. False when a bitmap cannot be made.
    bool renderRows(int firstRow, int rowCount, std::vector<std::uint8_t>& packed) const;

    /// All raster row records of the pass, rendered band by band (memory stays bounded). Shows
    /// text 379 and advances the progress every fifth row; asks text 304 before a row when cancel
    /// was pressed. False when the user confirmed the cancel, or (with text 475) when the page
    /// bitmap cannot be made.
    bool rasterRows(std::string& out, PlotContext& context) const;

    const LaserArea& area() const { return m_area; }

    struct Point {
        int u = 0, v = 0;  ///< 1/40 mm in the cell (u across, v from the far edge)
    };
    struct SubPath {
        std::vector<Point> points;
        bool closed = false;
    };
    struct Object {
        std::uint32_t colour = 0;  ///< pen colour 0xRRGGBB
        std::vector<SubPath> paths;
        std::size_t pointCount = 0;
        int minV = 0, maxV = 0;  ///< extent along v, 1/40 mm in the cell
    };
    struct Cell {
        int left = 0, top = 0;  ///< the cell's far left corner in the area, 1/40 mm
    };
    const std::vector<Object>& objects() const { return m_objects; }
    const std::vector<Cell>& cells() const { return m_cells; }

private:
    bool renderTile(int firstRow, int rowCount, int x0, int tileWidth,
                    std::vector<std::uint8_t>& packed) const;
    void collect(int groupIndex);
    void addObject(const JobObject& object);

    const PlotParameters& m_params;
    LaserArea m_area;
    int m_g40 = 0;  // the frame allowance, 1/40 mm
    int m_cellWidth40 = 0, m_cellHeight40 = 0;
    double m_sx = 1, m_sy = 1;
    std::vector<Object> m_objects;  // in cell coordinates, shared by every copy
    std::vector<Cell> m_cells;
};

/// One pass of the laser job into `output` (emptied first): the driver check of the definition
/// file (p.laser.definitionFile; when empty, p.laser.resolution is taken as given and must be
/// above 0), then header,
/// raster rows, the cleaning passes, the vector start, the vector section and the trailer. False,
/// with nothing in `output`, when the check fails, the resolution is not usable or the user cancels.
bool writeLaser(int groupIndex, std::string& output, const PlotParameters& params, int pass,
                PlotContext& context);

}  // namespace sartovin
