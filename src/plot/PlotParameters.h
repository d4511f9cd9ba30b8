#pragma once
// Every value the command writers read, as plain values. A small glue function fills it from the
// layout, options and layer pages and the current plotter; the writers never look at a page model
// or the settings file themselves, so a pass can be generated (and tested) from this struct alone.

#include <optional>
#include <string>
#include <vector>

#include "base/StartMode.h"
#include "job/Job.h"
#include "job/MarkMeasurements.h"

namespace sartovin {

/// Cutting parameters of one layer, colour or the weeding-frame pass (per-group cutting).
struct GroupParameters {
    int speed = 0;           ///< cm/s
    int force = 0;           ///< g
    double toolOffset = 0;   ///< the group's tool offset: mm (HP-GL), whole blade units (GP-GL)
    double deltaOffset = 0;  ///< the group's medium correction "DeltaOffset", same unit
    int repetitions = 1;     ///< pass count of the group
};

/// What the laser job reads beside the common values (speed and force are the vector pen's, the
/// pass count is repeatCount). Powers and speeds are percentages as the options page holds them.
struct LaserParameters {
    int resolution = 0;          ///< R, dots per inch: the engraver's snapped resolution
    std::string definitionFile;  ///< the engraver's definition file, checked before every pass
    int vectorLpi = 1;           ///< "VectorLPI"
    int cutOutLpi = 1;           ///< "CutOutVectorLPI"
    int cutOutSpeed = 0;         ///< "CutOutVectorSpeed"
    int cutOutForce = 0;         ///< "CutOutVectorForce"
    int rasterSpeed = 0;         ///< "RasterSpeed"
    int rasterForce = 0;         ///< "RasterForce"
    int cleanSpeed = 0;          ///< "RasterCleanSpeed"
    int cleanForce = 0;          ///< "RasterCleanForce"
    int repeatCountRaster = 1;   ///< "RepeatCountRaster": how often the cleaning pass runs
    bool raster = false;         ///< the medium's raster engraving switch
    bool clean = false;          ///< the medium's cleaning pass switch
    bool outlines = false;       ///< first vector switch: object outlines with pen 1
    bool cutOut = false;         ///< second vector switch: copy rectangles with pen 2
    bool invert = false;         ///< the layout's invert switch: the objects are engraved
};

/// What the layer page cuts in groups: layers or fill-colour groups.
enum class SelectionMode { Layers, Colours };

/// Visits, in cutting order, the objects group `groupIndex` of a run cuts (-1: every group): the
/// objects of the enabled layers except the marks layer, or the members of the enabled colour
/// groups. Stops and answers false as soon as `visit` answers false.
template <typename Visit>
bool forEachGroupObject(const Job& job, SelectionMode mode, int groupIndex, Visit&& visit) {
    if (mode == SelectionMode::Layers) {
        for (std::size_t li = 0; li < job.layers.size(); ++li) {
            const JobLayer& layer = job.layers[li];
            if (!layer.enabled || layer.name == kMarksLayerName) continue;
            if (groupIndex != -1 && groupIndex != static_cast<int>(li)) continue;
            for (const JobObject& object : layer.objects)
                if (!visit(object)) return false;
        }
        return true;
    }
    for (std::size_t gi = 0; gi < job.colourGroups.size(); ++gi) {
        const ColourGroup& group = job.colourGroups[gi];
        if (!group.enabled) continue;
        if (groupIndex != -1 && groupIndex != static_cast<int>(gi)) continue;
        for (const ObjectRef& ref : group.members) {
            if (ref.layer < 0 || ref.layer >= static_cast<int>(job.layers.size())) continue;
            const JobLayer& layer = job.layers[static_cast<std::size_t>(ref.layer)];
            if (ref.object < 0 || ref.object >= static_cast<int>(layer.objects.size())) continue;
            if (!visit(layer.objects[static_cast<std::size_t>(ref.object)])) return false;
        }
    }
    return true;
}

/// Position list entry 2 ("unten links"): the copies' columns are cut from the far side first.
inline constexpr int kPositionBottomLeft = 2;

struct PlotParameters {
    StartMode startMode = 5;  ///< edition × 10 + host code

    // Job. The job is not owned and must outlive every writer call that uses these parameters.
    const Job* job = nullptr;
    JobState jobState;       ///< pathTotal (progress range) and marksMode
    MarkMeasurements marks;  ///< measured from the marks layer after import (mm)

    // Layout (mm unless said otherwise).
    int positionFront = 0;       ///< distance from the front medium edge: the X start
    int positionRight = 0;       ///< distance from the right medium edge: the Y start
    double jobWidth = 0;         ///< job size across the medium (device Y)
    double jobHeight = 0;        ///< job size along the feed (device X)
    double widthPercent = 100;   ///< scale the layout forms from the job's y span
    double heightPercent = 100;  ///< scale the layout forms from the job's x span
    int copyTotal = 1;
    int rows = 1;          ///< copies one behind the other (along X)
    int columns = 1;       ///< copies side by side (along Y)
    int distanceH = 0;     ///< "CopyDistanceHoricontal": gap between columns (along Y)
    int distanceV = 0;     ///< "CopyDistanceVertical": gap between rows (along X)
    int positionMode = 0;  ///< index in the position list
    int rotation = 0;      ///< 0 none, 1 90° right, 2 90° left, 3 180°
    int mediumWidth = 0;   ///< "MediumWidth"
    int mediumHeight = 0;  ///< "MediumHeight"

    // Cutting options.
    /// The weeding frame option "Grid" as the user set it: the copies then lie "GridDistance"
    /// inside their frames, in every group, so that the frame group's frames fit the cut job.
    bool gridOn = false;
    /// Whether this pass cuts the frames; unset means as gridOn. The plot run sets it per group
    /// (in per-group cutting only the weeding-frame group cuts them).
    std::optional<bool> cutFrame;
    int gridDistance = 0;        ///< "GridDistance", whole mm 0..100
    bool overcutOn = false;      ///< "UseOvercut"
    int overcut = 0;             ///< "Overcut", tenths of a millimetre 0..10
    int qualityEntryCount = 5;   ///< entries of the quality list
    int qualityIndex = 2;        ///< selected entry of the quality list
    bool optionsPresent = true;  ///< false: the options window does not exist (quality 1, 6, 0.5)
    /// Acceleration for straight segments ("AS" of the initialisation): the options' qualityValue,
    /// the plotter's value for the selected quality entry.
    double lineAcceleration = 0;
    /// Acceleration for curves: the options' nextQualityValue, the value of the entry after the
    /// selected one. When there is no such entry the glue passes qualityValue, so nothing switches.
    double curveAcceleration = 0;
    bool usePlotterSettings = false;  ///< the cutter's own speed, force, acceleration and offset
    int speed = 0;                    ///< "Speed"
    int force = 0;                    ///< "Force"
    double toolOffset = 0;            ///< offset of the selected tool (mm; hobby: blade units)
    double offsetCorrection = 0;      ///< the medium's correction added to the tool offset
    int repeatCount = 1;              ///< passes of the current group ("RepeatCount" in one group)
    int endPosition = 0;              ///< 0 start position, 1 behind the job, 2 left beside the job
    int endPositionDistance = 0;      ///< "EndPositionDistance", whole mm
    bool cutInit = false;             ///< "CutInit": a short test stroke before the job
    int minOvercutAngle = 7;          ///< "MinOvercutAngle", read once per pass, clamped 1..90

    // Layer and colour selection.
    SelectionMode selectionMode = SelectionMode::Layers;
    bool allObjects = true;             ///< false: only objects selected in the host program
    bool individualParameters = false;  ///< one group per layer / colour with its own parameters
    bool pauseBetweenPasses = false;    ///< ask before each further group
    /// Per-group parameters by layer index (layer mode) or colour-group index (colour mode).
    std::vector<GroupParameters> groupParameters;
    GroupParameters frameParameters;  ///< the weeding-frame group (−2)
    /// Number of layers (layer mode) or colour groups (colour mode): a group below the last one
    /// returns to the start at the end of its last pass instead of going to the end position.
    int groupCount = 0;
    /// The weeding-frame group is cut after the layer or colour groups (set by the plot run).
    bool frameGroupFollows = false;

    // Plotter.
    std::string modelDescription;         ///< third comma-separated field of the description text
    int cuttingWidth = 0;                 ///< W, whole mm (GP-GL)
    std::vector<std::string> offsetList;  ///< the cutter's offset list entries as decimal texts
    std::string usbDeviceName;            ///< model name of the hobby cutter on USB (marks reading)

    LaserParameters laser;  ///< laser edition only

    /// The group's parameters for `groupIndex` (−2 the frame group), or nullptr when per-group
    /// cutting is off, the index is −1 or no entry exists for it.
    const GroupParameters* parametersForGroup(int groupIndex) const {
        if (!individualParameters) return nullptr;
        if (groupIndex == -2) return &frameParameters;
        if (groupIndex >= 0 && groupIndex < static_cast<int>(groupParameters.size()))
            return &groupParameters[static_cast<std::size_t>(groupIndex)];
        return nullptr;
    }
};

/// The model description the ESC.C1 test looks at: the third comma-separated field of a plotter
/// description text ("" when it has fewer fields).
std::string modelDescriptionField(const std::string& description);

}  // namespace sartovin
