#include "layout/RegistrationMarks.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/StartMode.h"
#include "base/Texts.h"
#include "platform/StringUtil.h"

namespace sartovin {

namespace {

// The mark identity the plug-in puts into the fill: K of the packed CMYK, red of an RGB fill.
int identityOf(const JobObject& object) { return static_cast<int>(object.fillColour & 0xFFu); }

// Extremes over the start and end points of the segments of one path.
struct PointRange {
    double minX = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();
};

PointRange rangeOf(const JobPath& path) {
    PointRange r;
    for (const PathSegment& s : path.segments) {
        r.minX = std::min({r.minX, s.startX, s.endX});
        r.maxX = std::max({r.maxX, s.startX, s.endX});
        r.minY = std::min({r.minY, s.startY, s.endY});
        r.maxY = std::max({r.maxY, s.startY, s.endY});
    }
    return r;
}

bool isVertical(const PathSegment& s) { return s.endX == s.startX; }
bool isHorizontal(const PathSegment& s) { return s.endY == s.startY; }

}  // namespace

bool RegistrationMarks::markSensorFor(const std::string& plotterName, StartMode startMode) {
    if (startMode.isHobby() && (startMode.isCorel() || startMode.isIllustrator())) return true;
    if (contains(plotterName, "Puma") || contains(plotterName, "Jaguar")) return true;
    return contains(plotterName, "Expert") && contains(plotterName, "LX");
}

int RegistrationMarks::marksObjectThreshold(StartMode startMode) { return startMode.isInkscape() ? 10 : 7; }

const JobLayer* RegistrationMarks::marksLayer(const Job& job) {
    for (const JobLayer& layer : job.layers)
        if (trimmedView(layer.name, isXmlSpace) == kMarksLayerName) return &layer;
    return nullptr;
}

bool RegistrationMarks::applyPlotterChange(JobState& state, const Job& job, const std::string& plotterName,
                                           StartMode startMode) {
    const bool before = state.marksMode;
    state.markSensorFlag = markSensorFor(plotterName, startMode);
    bool enoughMarks = false;
    if (const JobLayer* marks = marksLayer(job))
        enoughMarks =
            static_cast<int>(marks->objects.size()) >=
            (state.marksObjectThreshold > 0 ? state.marksObjectThreshold : marksObjectThreshold(startMode));
    state.marksMode = state.markSensorFlag && state.marksLayerFlag && enoughMarks;
    return state.marksMode != before;
}

bool RegistrationMarks::measuredAfterImport(StartMode startMode) {
    return !startMode.isLaser() &&
           (startMode.isCorel() || startMode.isIllustrator() || startMode.isInkscape());
}

MarkMeasurements RegistrationMarks::measure(const Job& job, StartMode startMode) {
    MarkMeasurements m;
    const JobLayer* layer = marksLayer(job);
    if (!layer) return m;
    const bool hobbyMarks = !startMode.isStandard();
    // The far marks start at 0, so a job without them gets a negative distance (the standard
    // marks have no identity 10).
    double farX = 0, farY = 0;

    for (const JobObject& object : layer->objects) {
        if (object.paths.empty() || object.paths.front().segments.empty()) continue;
        const JobPath& path = object.paths.front();
        const PointRange r = rangeOf(path);
        switch (identityOf(object)) {
            case 9:
                m.extraMark = true;
                break;
            case 1:
                m.markOriginX = r.maxX;
                m.firstMarkWidth = r.maxX - r.minX;
                break;
            case 7:
                farX = r.maxX;
                break;
            case 2:
                m.markOriginY = r.maxY;
                m.secondMarkHeight = r.maxY - r.minY;
                break;
            case 10:
                farY = r.maxY;
                break;
            case 3:
                for (const PathSegment& s : path.segments) {
                    if (isVertical(s)) m.markLineLength = std::fabs(s.endY - s.startY);
                    if (isHorizontal(s)) {
                        m.markStrokeX = std::fabs(s.endX - s.startX);
                        m.strokeLeft = std::min(s.startX, s.endX);
                    }
                }
                if (hobbyMarks) {
                    m.markOriginY = r.minY;
                    m.secondMarkHeight = 0;
                }
                break;
            case 4:
                for (const PathSegment& s : path.segments)
                    if (isVertical(s)) m.strokeBottom = std::min(s.startY, s.endY);
                if (hobbyMarks) {
                    m.markOriginX = r.minX;
                    m.firstMarkWidth = 0;
                }
                break;
            default:
                break;  // plain bars (0) and the marks 8, 13 are not measured
        }
    }

    // The offsets are measured against the stroke of marks 3 and 4, whatever order the objects
    // came in, hence a second pass.
    for (const JobObject& object : layer->objects) {
        if (object.paths.empty()) continue;
        const int v = identityOf(object);
        if (v != 5 && v != 6) continue;
        for (const PathSegment& s : object.paths.front().segments) {
            if (v == 5 && isHorizontal(s)) m.markOffsetX = std::min(s.startX, s.endX) - m.strokeLeft;
            if (v == 6 && isVertical(s)) m.markOffsetY = std::min(s.startY, s.endY) - m.strokeBottom;
        }
    }

    m.markDistanceX = farX - m.markOriginX;
    m.markDistanceY = farY - m.markOriginY;
    return m;
}

std::vector<std::string> RegistrationMarks::sheetFormats(const PlotterRecord& plotter, const Texts& texts,
                                                         StartMode startMode) {
    std::string portrait = texts.text(TextId::Portrait);
    std::string landscape = texts.text(TextId::Landscape);
    // The plug-in knows the German words too; they keep the names meaningful without text files.
    if (portrait.empty()) portrait = "hoch";
    if (landscape.empty()) landscape = "quer";
    std::vector<std::string> list;
    if (startMode.isHobby()) {
        list = {"A4 " + portrait,
                "A4 " + landscape,
                "A5 " + portrait,
                "A5 " + landscape,
                "Letter " + portrait,
                "Letter " + landscape,
                "A3",
                "Legal"};
        if (plotter.name.find("Cameo") != std::string::npos) list.push_back("12\" x 12\"");
    } else {
        list = {"A4 " + portrait, "A4 " + landscape, "Letter " + portrait, "Letter " + landscape, "A3",
                "Legal"};
    }
    return list;
}

int RegistrationMarks::sheetFormatIndex(const std::vector<std::string>& formats, const std::string& stored) {
    auto it = std::find(formats.begin(), formats.end(), stored);
    return it == formats.end() ? 0 : static_cast<int>(it - formats.begin());
}

}  // namespace sartovin
