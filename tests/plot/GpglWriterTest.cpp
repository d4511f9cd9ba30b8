#include "plot/GpglWriter.h"

#include <cmath>

#include "PlotFixture.h"
#include "layout/RegistrationMarkDrawing.h"
#include "layout/RegistrationMarks.h"

namespace sartovin::test {
namespace {

// The hobby cutter case: medium 300 mm long and 310 mm wide on a cutter of 310 mm width.
PlotParameters hobbyParameters(const Job& job) {
    PlotParameters p = baseParameters(job, 12);
    p.mediumHeight = 300;
    p.mediumWidth = 310;
    p.cuttingWidth = 310;
    p.speed = 5;
    p.force = 10;
    p.toolOffset = 18;
    p.offsetCorrection = 3;  // never sent by this writer
    return p;
}

std::string gpgl(PlotEnvironment& env, const PlotParameters& p, int group = -1) {
    std::string first, second;
    EXPECT_TRUE(writeGpgl(group, first, p, 1, env.context));
    EXPECT_TRUE(writeGpgl(group, second, p, 1, env.context));
    EXPECT_EQ(first, second);
    return first;
}

const std::string kEnd = "&1,1,1,FO0" + kEtx + "H,";

TEST(GpglWriter, InitialisationsAndFrame) {
    Job job = jobWith(polyline({{0, 0}, {10, 0}, {10, 5}}, false));
    PlotEnvironment env;
    PlotParameters p = hobbyParameters(job);
    const std::string head = "FU6000,6200" + kEtx + "FM1" + kEtx + "TB50,1" + kEtx;
    // Device X 0, Y 0 is 0,6000 in the cutter's frame, not where the cutter stands after the
    // initialisation (its own 0,0): the pen-up move is sent. +X runs down the second coordinate.
    const std::string body = "M0,6000,D0,5800," + kEtx + "D100,5800," + kEtx + kEnd;
    EXPECT_EQ(gpgl(env, p), head + "!105FX10,0,FC18,10,&100,100,100,\\0,0,Z6200,6000,L0," + body);
    p.usePlotterSettings = true;
    EXPECT_EQ(gpgl(env, p), head + "FX10,0,FC0,10,&100,100,100,\\0,0,Z6200,6000,L0," + body);

    // Per-group parameters: the group's tool offset plus its medium's correction, both whole.
    p.usePlotterSettings = false;
    p.individualParameters = true;
    p.groupParameters = {GroupParameters{8, 20, 17.6, 1.9, 1}};
    EXPECT_NE(gpgl(env, p, 0).find("TB50,1" + kEtx + "!108FX20,0,FC18,20,"), std::string::npos);
}

TEST(GpglWriter, NarrowMediumShiftsTheJobAcross) {
    Job job = jobWith(polyline({{0, 0}, {10, 0}}, false));
    PlotEnvironment env;
    PlotParameters p = hobbyParameters(job);
    p.positionRight = 20;
    p.positionFront = 20;
    const std::string wide = gpgl(env, p);
    EXPECT_NE(wide.find("M400,5600,D400,5400,"), std::string::npos);
    p.mediumWidth = 300;  // 10 mm narrower than the cutting width: 200 units further
    EXPECT_NE(gpgl(env, p).find("M600,5600,D600,5400,"), std::string::npos);
    p.overcutOn = true;
    p.overcut = 5;
    const std::string overcut = gpgl(env, p);
    EXPECT_NE(overcut.find("M600,5600,O0,20,E0,-20," + kEtx + "D600,5400,"), std::string::npos);
    p.mediumWidth = 310;
    EXPECT_NE(gpgl(env, p).find("M400,5600,O0,20,"), std::string::npos);
}

TEST(GpglWriter, OvercutStrokesAreRelativeInTheCuttersFrame) {
    Job job = jobWith(square10());
    PlotEnvironment env;
    PlotParameters p = hobbyParameters(job);
    p.positionFront = 10;
    p.positionRight = 10;
    p.overcutOn = true;
    p.overcut = 5;
    const std::string s = gpgl(env, p);
    // X0 = 200, Y0 = 200: (200, 200) is 200,5800. Side 1 along +X: early entry −X (+ in the
    // second coordinate), then the side to X 400; the corner overshoot along +X and back.
    EXPECT_NE(s.find("M200,5800,O0,20,E0,-20," + kEtx + "D200,5600," + kEtx + "E0,-20," + kEtx + "O0,20,"),
              std::string::npos);
    EXPECT_EQ(s.substr(s.size() - kEnd.size()), kEnd);
}

TEST(GpglWriter, WeedingFrameGroupMovesToTheFrameCorner) {
    Job job = jobWith(polyline({{0, 0}, {10, 0}}, false));
    PlotEnvironment env;
    PlotParameters p = hobbyParameters(job);
    p.gridOn = true;
    p.gridDistance = 1;
    p.jobHeight = 10;
    p.jobWidth = 10;
    p.positionFront = 10;
    p.positionRight = 10;
    const std::string s = gpgl(env, p, -2);
    const std::string init = "!105FX10,0,FC18,10,&100,100,100,\\0,0,Z6200,6000,L0,";
    const std::string frame =
        "M200,5800,D200,5560," + kEtx + "D440,5560," + kEtx + "D440,5800," + kEtx + "D200,5800," + kEtx;
    EXPECT_EQ(s.substr(s.find(init) + init.size()), frame + kEnd);
}

class FakeExchange : public MarksExchange {
public:
    explicit FakeExchange(ScriptedInteraction& clock) : m_clock(clock) {}
    bool usbDeviceAvailable(const std::string& name) override { return name == "CC330"; }
    bool sendToUsbDevice(const std::string& name, const std::string& bytes) override {
        log.push_back("usb@" + std::to_string(m_clock.nowMs) + ":" + bytes);
        return name == "CC330";
    }
    bool sendDirect(const std::string& bytes) override {
        log.push_back("direct@" + std::to_string(m_clock.nowMs) + ":" + bytes);
        return directWorks;
    }
    std::vector<std::string> log;
    bool directWorks = true;

private:
    ScriptedInteraction& m_clock;
};

TEST(GpglWriter, MarksModeReadsTheMarksFirst) {
    Job job;
    job.layers.push_back(layerWith("art", {objectWith(polyline({{10, 10}, {20, 10}}, false))}));
    PlotEnvironment env;
    FakeExchange exchange(env.ui);
    env.context.marksExchange = &exchange;
    PlotParameters p = hobbyParameters(job);
    p.startMode = 11;
    p.jobState.marksMode = true;
    p.usbDeviceName = "CC330";
    p.marks.markDistanceX = 200;
    p.marks.markDistanceY = 150;
    p.marks.markLineLength = 5;
    p.marks.extraMark = true;

    std::string out;
    ASSERT_TRUE(writeGpgl(-1, out, p, 1, env.context));
    const std::string enq = "\x1b\x05";
    const std::string reading = "!10,0" + kEtx + "FN0" + kEtx + "TB99" + kEtx + "TB51,100" + kEtx + "TB52,2" +
                                kEtx + "TB53,10" + kEtx + "TB54,0,0" + kEtx + "TB55,1" + kEtx;
    EXPECT_EQ(exchange.log,
              (std::vector<std::string>{"usb@0:" + enq, "direct@1000:" + reading + "TB123,4000,3000" + kEtx,
                                        "usb@2000:" + enq, "usb@3000:" + enq}));
    EXPECT_TRUE(env.ui.messages.empty());
    EXPECT_EQ(env.progress.texts.front(), "Reading marks ...");
    // Marks frame: first = Dx − X, second = Dy − Y; only the pen-up lift of the walk is absolute.
    EXPECT_EQ(out, "TB99" + kEtx + "!105FX10,0,FC18,10,M3800,2800,D3600,2800," + kEtx + kEnd);

    // Without the extra mark the user positions the cutter first (text 390).
    p.marks.extraMark = false;
    exchange.log.clear();
    env.ui.answers = {MessageAnswer::Ok};
    ASSERT_TRUE(writeGpgl(-1, out, p, 1, env.context));
    EXPECT_EQ(env.ui.messages.back().text, "Position the cutter at the first mark");
    EXPECT_EQ(env.ui.messages.back().buttons, MessageButtons::OkCancel);
    EXPECT_NE(exchange.log[1].find("TB23,4000,3000" + kEtx), std::string::npos);
    // Rotated layouts exchange the two distances.
    p.rotation = 1;
    exchange.log.clear();
    ASSERT_TRUE(writeGpgl(-1, out, p, 1, env.context));
    EXPECT_NE(exchange.log[1].find("TB23,3000,4000" + kEtx), std::string::npos);
}

// The hobby marks as the plug-in draws them (an A4 landscape sheet, 1 mm bars), measured as the
// program measures them after import: the cutter is told where to find them.
TEST(GpglWriter, TheHobbyMarksOfTheDrawingAreReadFirst) {
    MarkSettings settings;
    settings.format = "A4 quer";
    settings.thickness = 10;
    // In mm to three places, as the job file carries them.
    auto mm = [](double points) { return std::round(points / kMarkPointsPerMm * 1000) / 1000; };
    const double k = kMarkPointsPerMm;
    const MarksResult marks = registrationMarks(MarksVariant::Hobby, settings, {0, 100 * k, 150 * k, 0});
    JobLayer layer;
    layer.name = kMarksLayerName;
    for (const MarkRectangle& m : marks.rectangles) {
        const MarkRect& r = m.rect;
        JobObject o = objectWith(polyline({{mm(r.left), mm(r.bottom)},
                                           {mm(r.right), mm(r.bottom)},
                                           {mm(r.right), mm(r.top)},
                                           {mm(r.left), mm(r.top)}},
                                          true));
        o.fillColour = (100u << 24) | (100u << 16) | (100u << 8) | static_cast<std::uint32_t>(m.identity);
        o.colourKind = kColourCmyk;
        layer.objects.push_back(o);
    }
    Job job;
    job.layers = {layerWith("art", {objectWith(polyline({{0, 0}, {150, 100}}, false))}), layer};

    PlotEnvironment env;
    FakeExchange exchange(env.ui);
    env.context.marksExchange = &exchange;
    PlotParameters p = hobbyParameters(job);
    p.startMode = 11;
    p.jobState.marksMode = true;
    p.usbDeviceName = "CC330";
    p.marks = RegistrationMarks::measure(job, 11);
    EXPECT_TRUE(p.marks.extraMark);  // a known sheet: the cutter reads all marks itself

    std::string out;
    ASSERT_TRUE(writeGpgl(-1, out, p, 1, env.context));
    ASSERT_EQ(exchange.log.size(), 4u);
    // 25 mm mark lines, the marks 277 × 187 mm apart (20 units a millimetre).
    EXPECT_NE(exchange.log[1].find("TB51,500" + kEtx), std::string::npos) << exchange.log[1];
    EXPECT_NE(exchange.log[1].find("TB123,5540,3740" + kEtx), std::string::npos) << exchange.log[1];
}

TEST(GpglWriter, MarksModeFailures) {
    Job job = jobWith(polyline({{0, 0}, {1, 0}}, false));
    PlotEnvironment env;
    FakeExchange exchange(env.ui);
    env.context.marksExchange = &exchange;
    PlotParameters p = hobbyParameters(job);
    p.jobState.marksMode = true;
    p.usbDeviceName = "CC330";
    std::string out;

    env.ui.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(writeGpgl(-1, out, p, 1, env.context));
    EXPECT_TRUE(exchange.log.empty());

    p.usbDeviceName = "Cameo";  // not attached: false without a message of its own
    env.ui.answers = {MessageAnswer::Ok};
    const std::size_t shown = env.ui.messages.size();
    EXPECT_FALSE(writeGpgl(-1, out, p, 1, env.context));
    EXPECT_EQ(env.ui.messages.size(), shown + 1);  // only text 390
    EXPECT_TRUE(exchange.log.empty());

    p.usbDeviceName = "CC330";
    exchange.directWorks = false;
    EXPECT_FALSE(writeGpgl(-1, out, p, 1, env.context));
    EXPECT_TRUE(out.empty());
}

}  // namespace
}  // namespace sartovin::test
