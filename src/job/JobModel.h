#pragma once
// Operations on the whole job model: releasing it, the common tail of every import (extent, marks
// mode, colour groups), the reference copy that layout transforms from, and extents of a choice of
// objects.

#include "job/Job.h"
#include "job/JobImportContext.h"

namespace sartovin {

/// Marks mode needs at least this many objects on the marks layer of a job file ...
inline constexpr int kJobFileMarksObjects = 7;
/// ... and at least this many when the drawing came as SVG.
inline constexpr int kSvgMarksObjects = 10;

/// Frees every layer, object, path and colour group and leaves `job` empty (page size kept).
/// Always true; safe on an empty job.
bool release(Job& job);

/// Prepares the application state for a new import: both totals 0 and the extent at its start
/// values (minimum 1 000 000, maximum −1 000 000, so the first object sets it).
void beginImport(JobState& state);

/// Widens the extent's x range by boundsX1 and boundsX2 and its y range by boundsY1 and boundsY2
/// of `object` (either order of the corners is fine).
void widenExtent(JobExtent& extent, const JobObject& object);

/// Distance below which a closed path's last point counts as its first (mm): sums of relative moves
/// come back with rounding errors far below anything a cutter resolves.
inline constexpr double kClosingTolerance = 1e-6;

/// Makes a closed path end where it starts, so that it is cut and drawn closed. When the last
/// segment's end lies away from the first segment's start, a straight closing side (kind 1, its
/// length measured) is appended; when it lies within
/// kClosingTolerance, the end is put exactly on the start and nothing is added. Open and empty paths
/// are left alone. Returns true when a closing side was added.
bool closeSubPath(JobPath& path);

/// Number of segments over all layers, objects and paths.
long long segmentTotal(const Job& job);

/// The common tail of every import. With no segment in the job it shows message 303 (error icon,
/// caption "Sartovin"), sets ctx.failure to NoSegments and returns false, touching nothing else.
/// Otherwise: marks mode becomes true when the mark sensor flag is set and a layer named
/// kMarksLayerName holds at least `marksObjectThreshold` objects (it is never cleared here); unless
/// marks mode is on, the extent is widened by 0.5 mm on every side; the spans are set (working and
/// imported alike); the colour groups are built. Returns true.
bool finishImport(Job& job, JobState& state, JobImportContext& ctx, int marksObjectThreshold);

/// Rebuilds the colour groups from scratch: every object of every layer except the marks layer, in
/// file order, joins the group of its fillColour, a new group (named after the object's
/// colourName, enabled) being made for a colour seen for the first time. Call it again whenever the
/// layers' object arrays change: the members are indices into them.
void buildColourGroups(Job& job);

/// Shifts every segment point (start, both controls, end) and every object's bounds of `job` by
/// (−minX, −minY) of `extent`, so that the drawing starts at 0, 0, and sets the extent to
/// minimum 0, 0, maximum importedSpanX, importedSpanY with both working spans equal to the imported
/// ones. The Corel auxiliary pairs are left as read: nothing says they are page positions.
void normaliseToOrigin(Job& job, JobExtent& extent);

/// Fills `reference` with a deep copy of `live` normalised as normaliseToOrigin does, and
/// `referenceExtent` with the matching extent. `live` and `extent` are not changed. The colour
/// groups' member indices stay valid in the copy.
void makeReferenceCopy(const Job& live, const JobExtent& extent, Job& reference, JobExtent& referenceExtent);

/// The extent of a choice of objects (shrinking the job to the selection): every object of every
/// layer except the marks layer, only the objects selected in the host when `onlySelected`; widened
/// by 0.5 mm unless `marksMode`, spans set as after import. Returns false, leaving `out` untouched,
/// when no object is chosen.
bool extentOfObjects(const Job& job, bool onlySelected, bool marksMode, JobExtent& out);

}  // namespace sartovin
