#pragma once
// What the preview draws, in millimetres on the medium, taken from the layout and options pages:
// the medium, one copy's size with its weeding frame, the gaps and offsets, and the cells of the
// copies in the order the cutter places them. Plain values, no Qt: the window, the command line
// and the tests all paint from this.
//
// Directions follow the plotter. "Across" is the head direction (device Y, the job's y after
// layout, the layout's width); "along" is the medium feed (device X, the job's x, the layout's
// length). Offsets are measured from the plotter's origin, the right corner of the front medium
// edge: across from the right edge, along from the front edge.

#include <vector>

#include "base/StartMode.h"
#include "job/Job.h"

namespace sartovin {

class LayoutModel;
class OptionsModel;

/// One copy: its row (along the feed) and the column (across) it is placed in.
struct PreviewCell {
    int row = 0;
    int column = 0;
};

struct PreviewScene {
    StartMode startMode = 1;
    double mediumWidth = 0;    ///< across, mm
    double mediumLength = 0;   ///< along, mm
    double jobWidth = 0;       ///< across, mm (scaled job size)
    double jobLength = 0;      ///< along, mm
    double scaleAcross = 1;    ///< factor on the job's y (the plot's rounded width percentage)
    double scaleAlong = 1;     ///< factor on the job's x (the plot's rounded length percentage)
    bool frameOn = false;      ///< weeding frame drawn around each copy (frame on, marks mode off)
    bool marksMode = false;    ///< the marks frame is drawn instead
    double frameDistance = 0;  ///< g: the frame lies this far outside the job on every side, mm
    double gapAcross = 0;      ///< distance between columns, mm
    double gapAlong = 0;       ///< distance between rows, mm
    double offsetRight = 0;    ///< first copy's frame corner from the right medium edge, mm
    double offsetFront = 0;    ///< first copy's frame corner from the front medium edge, mm
    bool invert = false;       ///< laser edition: the inverted job area
    int rows = 1;
    int columns = 1;
    std::vector<PreviewCell> cells;  ///< the copies that are cut, in cutting order

    /// One copy including the frame on both sides.
    double copyWidth() const { return jobWidth + 2 * frameDistance; }
    double copyLength() const { return jobLength + 2 * frameDistance; }
    /// Distance across from the right medium edge to a copy's right frame edge, and along from
    /// the front edge to its front frame edge.
    double cellRight(const PreviewCell& c) const {
        return offsetRight + c.column * (copyWidth() + gapAcross);
    }
    double cellFront(const PreviewCell& c) const { return offsetFront + c.row * (copyLength() + gapAlong); }
    /// The extent of the medium and all copies from the origin, plus a 10 mm allowance: the
    /// scrollable area.
    double extentAcross() const;
    double extentAlong() const;
};

/// The scene of the current layout. The positions, copy cells and the frame follow the plot's
/// rules so that the preview shows what is cut: the overcut margin moves a start that is too close
/// to the edge, "unten links" fills its columns from the far side, and a marks job is cut once.
PreviewScene previewSceneOf(const LayoutModel& layout, const OptionsModel& options, const JobState& state,
                            StartMode startMode);

}  // namespace sartovin
