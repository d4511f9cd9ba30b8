#include "plot/GpglWriter.h"

#include "plot/DeviceUnits.h"
#include "plot/GpglEmitter.h"
#include "plot/PathWalker.h"

namespace sartovin {

namespace {

constexpr char kEtx = 3;
constexpr char kEsc = 27;
constexpr char kEnq = 5;

struct CutValues {
    int speed = 0;
    int force = 0;
    int offset = 0;
};

// "!<n>" selects the speed as 100 + cm/s, "FX<f>,0" the force, "FC<o>,<f>" the blade offset.
void appendCutValues(std::string& out, const CutValues& v) {
    out += '!';
    appendInt(out, v.speed + 100);
    out += "FX";
    appendInt(out, v.force);
    out += ",0,FC";
    appendInt(out, v.offset);
    out += ',';
    appendInt(out, v.force);
    out += ',';
}

void appendEtx(std::string& out, const char* command) {
    out += command;
    out += kEtx;
}

// Lets the cutter find the printed marks. False when the user declined, no cutter of the record's
// USB name is attached or the reading commands did not reach the cutter.
bool readMarks(const PlotParameters& p, PlotContext& context, int dx, int dy) {
    std::string reading;
    appendEtx(reading, "!10,0");
    appendEtx(reading, "FN0");
    appendEtx(reading, "TB99");
    reading += "TB51,";
    appendInt(reading, truncUnits(20 * p.marks.markLineLength));  // mark stroke length
    reading += kEtx;
    appendEtx(reading, "TB52,2");
    appendEtx(reading, "TB53,10");
    appendEtx(reading, "TB54,0,0");
    appendEtx(reading, "TB55,1");
    if (p.marks.extraMark) {
        // With the fourth mark the cutter reads all marks by itself.
        reading += "TB123,";
        appendPair(reading, dx, dy);
        reading += kEtx;
    } else {
        if (context.interaction.messageBox(context.texts.text(TextId::MoveBladeToFirstMark), kProgramCaption,
                                           MessageIcon::Question, MessageButtons::OkCancel,
                                           MessageAnswer::Ok) != MessageAnswer::Ok)
            return false;
        reading += "TB23,";
        appendPair(reading, dx, dy);
        reading += kEtx;
    }
    MarksExchange* exchange = context.marksExchange;
    if (exchange == nullptr || !exchange->usbDeviceAvailable(p.usbDeviceName)) return false;
    context.progress.setText(context.texts.text(TextId::ReadingMarks));
    context.progress.show();
    const std::string enquiry{kEsc, kEnq};
    auto settle = [&] {
        context.interaction.pump();
        context.interaction.pause(1000);
    };
    exchange->sendToUsbDevice(p.usbDeviceName, enquiry);
    settle();
    // Cutting relative to marks the cutter never read would cut in the wrong place.
    if (!exchange->sendDirect(reading)) return false;
    settle();
    exchange->sendToUsbDevice(p.usbDeviceName, enquiry);
    settle();
    exchange->sendToUsbDevice(p.usbDeviceName, enquiry);
    settle();
    return true;
}

}  // namespace

bool writeGpgl(int groupIndex, std::string& output, const PlotParameters& params, int pass,
               PlotContext& context) {
    output.clear();
    const bool marks = params.jobState.marksMode;
    const int hu = 20 * params.mediumHeight;
    const int wu = 20 * params.cuttingWidth;
    int dx = 0, dy = 0;
    if (params.rotation == 0) {
        dx = truncUnits(20 * params.marks.markDistanceX);
        dy = truncUnits(20 * params.marks.markDistanceY);
    } else {
        dx = truncUnits(20 * params.marks.markDistanceY);
        dy = truncUnits(20 * params.marks.markDistanceX);
    }
    GpglEmitter emitter = marks ? GpglEmitter::marksFrame(dx, dy) : GpglEmitter::normalFrame(hu);
    PathWalker walker(params, context, emitter, output, kGpglUnitsPerMm);
    if (!walker.checkJobHasPaths()) return false;
    walker.reserveOutput();

    CutValues values{params.speed, params.force, truncUnits(params.toolOffset)};
    if (const GroupParameters* group = params.parametersForGroup(groupIndex)) {
        values = {group->speed, group->force, truncUnits(group->toolOffset) + truncUnits(group->deltaOffset)};
    }

    if (marks) {
        if (!readMarks(params, context, dx, dy)) return false;
        appendEtx(output, "TB99");
        appendCutValues(output, values);
    } else {
        // "FU" gives the medium length and cutting width, "Z" the cutting area, "L0" a solid line.
        output += "FU";
        appendPair(output, hu, wu);
        output += kEtx;
        appendEtx(output, "FM1");
        appendEtx(output, "TB50,1");
        if (params.usePlotterSettings)
            output += "FX10,0,FC0,10,";
        else
            appendCutValues(output, values);
        output += "&100,100,100,\\0,0,Z";
        appendPair(output, wu, hu);
        output += ",L0,";
    }

    // The medium is measured from the far side of the cutter's cutting width.
    walker.placeStart(params.positionFront,
                      params.positionRight + (params.cuttingWidth - params.mediumWidth));
    // After the initialisation the cutter stands at its own origin, which is not device (0, 0): a
    // path starting at device (0, 0) still needs its pen-up move there.
    if (marks)
        walker.pen().placeAt(dx, dy);
    else
        walker.pen().placeAt(hu, 0);
    walker.startProgress(pass);
    if (!walker.walk(groupIndex)) return false;
    walker.finishPass(groupIndex, pass);
    return true;
}

}  // namespace sartovin
