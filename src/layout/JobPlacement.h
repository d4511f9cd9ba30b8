#pragma once
// The position list of the layout page: where the job, with all its copies, lies in the free space
// of the usable medium area. Distances are whole millimetres from the four edges of that area:
// right and left along the head movement, front and back along the medium transport.

#include "base/StartMode.h"

namespace sartovin {

/// The job's distances from the edges of the usable area.
struct JobPosition {
    int right = 0, left = 0;  ///< along the head movement
    int front = 0, back = 0;  ///< along the medium transport
};

/// The length of the position list: nine entries in the hobby edition, four otherwise.
int positionCount(StartMode startMode);

/// The entry selected when nothing is stored: "unten rechts" (1) in the standard edition, entry 7
/// in the hobby edition, "manuell positionieren" (0) in the laser edition.
int initialPositionMode(StartMode startMode);

/// Whether entry `mode` leaves the right (and left) distance to the position edit: 0 and 4;
/// false outside the list.
bool horizontalPositionEdited(int mode);
/// Whether entry `mode` leaves the front (and back) distance to the position edit: 0 and 3.
bool verticalPositionEdited(int mode);

/// Places the job for list entry `mode` (0 to 8) in the free space `freeH` × `freeV`, `margin`
/// being the plotter's smallest medium margin. Per direction an entry either takes the edited
/// distance (right, front as they stand in `position`, clamped to [0, free]), the margin, free −
/// margin, or the middle; the opposite distance is free − the placed one, or free ÷ 2 for the
/// middle (integer halves, so the two may fall one short of free). An entry outside the list
/// places as the edited entry 0.
void placeJob(JobPosition& position, int mode, int freeH, int freeV, int margin);

}  // namespace sartovin
