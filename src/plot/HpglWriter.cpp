#include "plot/HpglWriter.h"

#include <algorithm>
#include <cstdlib>

#include "plot/DeviceUnits.h"
#include "plot/HpglEmitter.h"
#include "plot/PathWalker.h"

namespace sartovin {

namespace {

constexpr char kEsc = 27;

// "IN" resets the cutter, "VS" the speed (cm/s), "FS" the force (g), "AS" the acceleration, "TO"
// the blade offset (mm), "SP1" selects the tool, "PR" switches to relative coordinates.
void appendInitialisation(std::string& out, int speed, int force, double acceleration, double offset) {
    out += "IN;VS";
    appendInt(out, speed);
    out += ";FS";
    appendInt(out, force);
    out += ";AS";
    appendFixed(out, acceleration, 1);
    out += ";TO";
    appendFixed(out, offset, 3);
    out += ";SP1;PR;";
}

// ESC.C1;<setting>;<value>: writes one internal setting of the cutter.
void appendSetting(std::string& out, int setting, int value) {
    out += kEsc;
    out += ".C1;";
    appendInt(out, setting);
    out += ';';
    appendInt(out, value);
    out += ':';
}

void appendMarksBlock(std::string& out, const PlotParameters& p) {
    const MarkMeasurements& m = p.marks;
    auto units = [](double mm) { return truncUnits(40 * mm); };
    const int distanceX = units(m.markDistanceX);
    const int distanceY = units(m.markDistanceY);
    const int offsetX = units(m.markOffsetX);
    const int offsetY = units(m.markOffsetY);
    // The first two values are the mark distances along the cutter's X and Y.
    const bool turned = p.rotation != 0;
    const int first = turned ? distanceY : distanceX;
    const int second = turned ? distanceX : distanceY;
    if (m.markOffsetX > 0 || m.markOffsetY > 0) {
        const int third = p.rotation == 1 ? offsetY : offsetX;
        const int fourth = p.rotation == 1 ? offsetX : offsetY;
        out += kEsc;
        out += ".D2;";
        appendInt(out, first);
        out += ';';
        appendInt(out, second);
        out += ';';
        appendInt(out, third);
        out += ';';
        appendInt(out, fourth);
        out += ':';
    }
    if (p.rows > 1 || p.columns > 1) {
        out += kEsc;
        out += ".D3;";
        appendInt(out, p.rows);
        out += ';';
        appendInt(out, p.columns);
        out += ';';
        appendInt(out, 40 * p.distanceH);
        out += ':';
    }
    out += kEsc;
    out += ".D4;0;0;";
    appendInt(out, units(m.markLineLength));
    out += ':';
    out += kEsc;
    out += ".D1;";
    appendInt(out, first);
    out += ';';
    appendInt(out, second);
    out += ':';
}

}  // namespace

bool takesInternalSettings(const std::string& d) {
    return d.find("Sable") != std::string::npos ||
           (d.find("Expert") != std::string::npos && d.find("Pro") == std::string::npos);
}

int offsetListIndex(const std::vector<std::string>& offsetList, double toolOffset) {
    for (std::size_t i = 0; i < offsetList.size(); ++i) {
        if (parseDecimal(offsetList[i]) == toolOffset) return static_cast<int>(i);
    }
    return -1;
}

bool writeHpgl(int groupIndex, std::string& output, const PlotParameters& params, int pass,
               PlotContext& context) {
    output.clear();
    HpglEmitter emitter;
    PathWalker walker(params, context, emitter, output, kHpglUnitsPerMm);
    if (!walker.checkJobHasPaths()) return false;
    walker.reserveOutput();

    const double offset = params.toolOffset + params.offsetCorrection;
    if (params.cutInit) {
        // A 2.5 mm stroke in −Y at speed 5 and force 10 before the job.
        appendInitialisation(output, 5, 10, params.lineAcceleration, offset);
        output += "PU0,100;PD0,-100;";
    }
    if (!params.usePlotterSettings && takesInternalSettings(params.modelDescription)) {
        // Setting 16 is the offset list index, 22 the force; ESC.C1;0;: closes the block.
        const int index = offsetListIndex(params.offsetList, params.toolOffset);
        if (index >= 0) appendSetting(output, 16, index);
        appendSetting(output, 22, params.force);
        output += kEsc;
        output += ".C1;0;:";
    }
    if (params.jobState.marksMode) appendMarksBlock(output, params);

    if (params.usePlotterSettings) {
        output += "IN;SP1;PR;";
    } else if (const GroupParameters* group = params.parametersForGroup(groupIndex)) {
        appendInitialisation(output, group->speed, group->force, params.lineAcceleration,
                             group->toolOffset + group->deltaOffset);
    } else {
        appendInitialisation(output, params.speed, params.force, params.lineAcceleration, offset);
    }

    walker.placeStart(params.positionFront, params.positionRight);
    walker.startProgress(pass);
    if (!walker.walk(groupIndex)) return false;
    walker.finishPass(groupIndex, pass);
    return true;
}

}  // namespace sartovin
