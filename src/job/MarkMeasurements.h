#pragma once
// Measurements of the registration marks on the marks layer (mm, job coordinates). All are 0 when
// no measurement was taken.

namespace sartovin {

struct MarkMeasurements {
    bool extraMark = false;  ///< a mark of identity 9 exists
    double markOriginX = 0;
    double firstMarkWidth = 0;
    double markDistanceX = 0;
    double markOriginY = 0;
    double secondMarkHeight = 0;
    double markDistanceY = 0;
    double markLineLength = 0;
    double markStrokeX = 0;
    double strokeLeft = 0;
    double strokeBottom = 0;
    double markOffsetX = 0;
    double markOffsetY = 0;
};

}  // namespace sartovin
