#include "pages/PreviewScene.h"

#include <algorithm>

#include "layout/LayoutModel.h"
#include "pages/OptionsModel.h"
#include "plot/DeviceUnits.h"

namespace sartovin {

namespace {

// Position list entry 2 ("unten links"): the cutter fills the columns from the far side.
constexpr int kBottomLeft = 2;

}  // namespace

double PreviewScene::extentAcross() const {
    const double copies = offsetRight + columns * copyWidth() + std::max(0, columns - 1) * gapAcross;
    return std::max(mediumWidth, copies + 10.0);
}

double PreviewScene::extentAlong() const {
    const double copies = offsetFront + rows * copyLength() + std::max(0, rows - 1) * gapAlong;
    return std::max(mediumLength, copies + 10.0);
}

PreviewScene previewSceneOf(const LayoutModel& layout, const OptionsModel& options, const JobState& state,
                            StartMode startMode) {
    PreviewScene s;
    s.startMode = startMode;
    s.mediumWidth = layout.mediumWidth();
    s.mediumLength = layout.mediumHeight();
    s.jobWidth = layout.jobWidth();
    s.jobLength = layout.jobHeight();
    // The cutter scales the job's x by the length percentage and its y by the width percentage,
    // both rounded to two decimals; the preview uses the same factors so the paths match the cut.
    s.scaleAlong = scaleFactor(layout.heightPercent());
    s.scaleAcross = scaleFactor(layout.widthPercent());
    s.marksMode = state.marksMode;
    s.frameOn = options.gridOn() && !state.marksMode;
    s.frameDistance = s.frameOn ? options.gridDistance() : 0;
    s.gapAcross = layout.distanceH();
    s.gapAlong = layout.distanceV();
    s.invert = layout.invert();

    // The start as the cutter takes it: a start closer to the edge than the overcut margin is
    // moved in by the margin, so that the overcut's early entry stays on the medium.
    const int margin = options.overcutOn() ? options.overcut() / 10 + 1 : 0;
    s.offsetRight =
        layout.positionRight() < margin ? layout.positionRight() + margin : layout.positionRight();
    s.offsetFront =
        layout.positionFront() < margin ? layout.positionFront() + margin : layout.positionFront();

    s.rows = std::max(1, layout.rows());
    s.columns = std::max(1, layout.columns());
    // The cells in the cutter's order: rows from the front, columns from the right ("unten
    // links" from the left), up to the copy total; a registration-mark job is cut once only.
    const int total = state.marksMode ? 1 : std::max(1, layout.copyTotal());
    for (int r = 0; r < s.rows && static_cast<int>(s.cells.size()) < total; ++r)
        for (int c = 0; c < s.columns && static_cast<int>(s.cells.size()) < total; ++c)
            s.cells.push_back({r, layout.positionMode() == kBottomLeft ? s.columns - 1 - c : c});
    return s;
}

}  // namespace sartovin
