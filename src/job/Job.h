#pragma once
// The job model: the drawing handed over by the host program, as a tree of layers, objects,
// sub-paths and segments, plus the colour groups (a second view of the same objects by fill
// colour). Lengths are millimetres as doubles in the host drawing's page coordinates, x to the
// right and y upwards. Nothing in the model is in device units.

#include <cstdint>
#include <string>
#include <vector>

namespace sartovin {

/// Kind of a path segment.
enum SegmentKind : std::int32_t { kSegmentLine = 1, kSegmentCurve = 2 };

/// Kind of a packed fill colour.
enum ColourKind : std::int32_t {
    kColourRgb = 1,   ///< R + G·256 + B·65536, each 0..255
    kColourCmyk = 2,  ///< C·2^24 + M·2^16 + Y·2^8 + K, each a percentage 0..100 (marks layer only)
};

/// Name of the layer that carries the registration marks.
inline constexpr const char* kMarksLayerName = "QX-PassermarkenEbene";

/// One cubic Bezier P0 (start), P1 (ctrl1), P2 (ctrl2), P3 (end), or one straight line P0 to P3.
struct PathSegment {
    double ctrl1X = 0, ctrl1Y = 0;  ///< P1, leaves P0
    double aux1 = 0, aux2 = 0;      ///< auxiliary pair, Corel variant only
    double startX = 0, startY = 0;  ///< P0
    double ctrl2X = 0, ctrl2Y = 0;  ///< P2, arrives at P3
    double aux3 = 0, aux4 = 0;      ///< auxiliary pair, Corel variant only
    double endX = 0, endY = 0;      ///< P3
    std::int32_t kind = kSegmentLine;
    double length = 0;             ///< arc length, mm
    std::int32_t handleState = 0;  ///< Illustrator variant: 2 when the start anchor has no handles, else 1
};

struct JobPath {
    bool closed = false;
    std::vector<PathSegment> segments;
};

struct JobObject {
    std::string note;              ///< second text of the object; empty after every import
    bool selected = false;         ///< selected in the host program
    std::string colourName;        ///< fill colour name line plus its value suffix
    std::uint32_t fillColour = 0;  ///< packed as colourKind says
    std::int32_t colourKind = kColourRgb;
    std::vector<JobPath> paths;
    std::int16_t outlineRed = 0, outlineGreen = 0, outlineBlue = 0;  ///< Corel variant only
    double outlineValue1 = 0, outlineValue2 = 0;                     ///< Corel variant only
    double boundsX1 = 0, boundsY1 = 0, boundsX2 = 0, boundsY2 = 0;   ///< as the file states them, mm
};

/// Per-layer / per-colour cutting settings, set by the layer page: preset (index into the media
/// list), force, speed, repetitions, tool (index into the tools list).
struct CutSettings {
    std::int32_t preset = 0;
    std::int32_t force = 0;
    std::int32_t speed = 0;
    std::int32_t repetitions = 0;
    std::int32_t tool = 0;
};

struct JobLayer {
    std::string name;  ///< trimmed
    std::vector<JobObject> objects;
    bool enabled = true;       ///< the layer is cut
    std::int32_t listKey = 0;  ///< identity of the layer's row in the layer list
    CutSettings settings;
};

/// A member of a colour group: the object at layers[layer].objects[object].
struct ObjectRef {
    std::int32_t layer = 0;
    std::int32_t object = 0;
};

struct ColourGroup {
    std::string name;          ///< colourName of the first member
    std::uint32_t colour = 0;  ///< fillColour shared by all members
    std::int32_t colourKind = kColourRgb;
    std::vector<ObjectRef> members;  ///< in file order; rebuilt whenever the layers change
    bool enabled = true;
    std::int32_t listKey = 0;
    CutSettings settings;
};

struct Job {
    double pageWidth = 0;
    double pageHeight = 0;
    std::vector<JobLayer> layers;
    std::vector<ColourGroup> colourGroups;

    const JobObject& object(const ObjectRef& r) const { return layers[r.layer].objects[r.object]; }
    JobObject& object(const ObjectRef& r) { return layers[r.layer].objects[r.object]; }
};

/// The bounding extent of the whole drawing (mm).
struct JobExtent {
    double spanY = 0, spanX = 0;                  ///< working spans (layout swaps them on 90° turns)
    double importedSpanY = 0, importedSpanX = 0;  ///< as imported, kept
    double maxX = 0, maxY = 0, minX = 0, minY = 0;
};

/// What an import fills beside the job and other subsystems read.
struct JobState {
    std::int32_t objectTotal = 0;  ///< objects read over all layers
    std::int32_t pathTotal = 0;    ///< sub-paths read over all objects
    JobExtent extent;
    bool marksLayerFlag = false;  ///< the job has a layer named kMarksLayerName
    bool markSensorFlag = false;  ///< the chosen plotter can read registration marks
    bool marksMode = false;       ///< the job is cut relative to registration marks
    /// How many marks the import asked for (7 from a job file, 10 from SVG); 0 before any import.
    /// A later plotter change asks for the same number.
    std::int32_t marksObjectThreshold = 0;
};

}  // namespace sartovin
