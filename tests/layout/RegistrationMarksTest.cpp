#include "layout/RegistrationMarks.h"

#include <gtest/gtest.h>

#include "job/JobModel.h"
#include "support/JobBuilders.h"

namespace sartovin {
namespace {

using test::rectangle;

// The fill the plug-in gives a mark of identity v in a CMYK document: C = M = Y = 100, K = v.
std::uint32_t markFill(int v) {
    return (100u << 24) | (100u << 16) | (100u << 8) | static_cast<std::uint32_t>(v);
}

JobObject mark(double left, double top, double right, double bottom, int v) {
    return rectangle(left, bottom, right, top, markFill(v), kColourCmyk);
}

Job jobWithMarks(std::vector<JobObject> marks) {
    Job job;
    JobLayer art;
    art.name = "Artwork";
    art.objects.push_back(rectangle(0, 0, 100, 100));
    JobLayer layer;
    layer.name = kMarksLayerName;
    layer.objects = std::move(marks);
    job.layers = {art, layer};
    return job;
}

// The standard marks around artwork (0, 0)–(100, 100) mm with the default 25 mm arms, 1 mm bars
// and 5 mm margin, as the plug-in draws them (left, top, right, bottom, identity).
std::vector<JobObject> standardMarks() {
    return {
        mark(50 - 0.5, -5, 50 + 0.5, -30, 5),  // first bottom segment mark, before the stroke it refers to
        mark(-33, -29.5, -30, -30.5, 1),      mark(-30.5, -30, -29.5, -33, 2), mark(-30, -29.5, -5, -30.5, 4),
        mark(-30.5, -5, -29.5, -30, 3),       mark(105, -29.5, 130, -30.5, 7), mark(129.5, -5, 130.5, -30, 0),
        mark(-30, 130.5, -5, 129.5, 0),       mark(-30.5, 130, -29.5, 105, 8), mark(-30, 50.5, -5, 49.5, 6),
    };
}

TEST(RegistrationMarksSensor, DependsOnTheNameAndTheStartMode) {
    EXPECT_TRUE(RegistrationMarks::markSensorFor("Puma IV 132", 1));
    EXPECT_TRUE(RegistrationMarks::markSensorFor("Jaguar V 61", 2));
    EXPECT_TRUE(RegistrationMarks::markSensorFor("Expert 24 LX", 5));
    EXPECT_FALSE(RegistrationMarks::markSensorFor("Expert 24", 2));
    EXPECT_FALSE(RegistrationMarks::markSensorFor("puma iv", 2));  // the words are case-sensitive
    EXPECT_FALSE(RegistrationMarks::markSensorFor("Bengal", 20));
    EXPECT_TRUE(RegistrationMarks::markSensorFor("CC100", 10));
    EXPECT_TRUE(RegistrationMarks::markSensorFor("", 11));
    EXPECT_FALSE(RegistrationMarks::markSensorFor("Silhouette Cameo", 12));
}

TEST(RegistrationMarksMode, NeedsTheSensorTheLayerAndEnoughMarks) {
    JobState state;
    state.marksLayerFlag = true;
    std::vector<JobObject> marks(6, mark(0, 1, 1, 0, 0));
    Job six = jobWithMarks(marks);
    EXPECT_FALSE(RegistrationMarks::applyPlotterChange(state, six, "Puma IV", 2));
    EXPECT_TRUE(state.markSensorFlag);
    EXPECT_FALSE(state.marksMode);

    marks.push_back(mark(0, 1, 1, 0, 0));
    Job seven = jobWithMarks(marks);
    EXPECT_TRUE(RegistrationMarks::applyPlotterChange(state, seven, "Puma IV", 2));
    EXPECT_TRUE(state.marksMode);
    // A drawing from SVG needs ten.
    RegistrationMarks::applyPlotterChange(state, seven, "Puma IV", 5);
    EXPECT_FALSE(state.marksMode);
    marks.resize(10, mark(0, 1, 1, 0, 0));
    Job ten = jobWithMarks(marks);
    RegistrationMarks::applyPlotterChange(state, ten, "Puma IV", 5);
    EXPECT_TRUE(state.marksMode);

    // An "Expert" without "LX" has no sensor: marks mode goes although the layer is there.
    EXPECT_TRUE(RegistrationMarks::applyPlotterChange(state, ten, "Expert 24", 5));
    EXPECT_FALSE(state.markSensorFlag);
    EXPECT_FALSE(state.marksMode);
    // No marks layer flag, no marks mode.
    state.marksLayerFlag = false;
    RegistrationMarks::applyPlotterChange(state, ten, "Puma IV", 5);
    EXPECT_FALSE(state.marksMode);
}

// An SVG named on the command line of the hobby Illustrator mode is read with ten: a plotter change
// asks for the same ten, whatever the start mode would ask for.
TEST(RegistrationMarksMode, APlotterChangeAsksForAsManyMarksAsTheImport) {
    JobState state;
    state.marksLayerFlag = true;
    state.marksObjectThreshold = kSvgMarksObjects;
    Job eight = jobWithMarks(std::vector<JobObject>(8, mark(0, 1, 1, 0, 0)));
    RegistrationMarks::applyPlotterChange(state, eight, "Silhouette Cameo", 11);
    EXPECT_TRUE(state.markSensorFlag);
    EXPECT_FALSE(state.marksMode);
    state.marksObjectThreshold = kJobFileMarksObjects;
    RegistrationMarks::applyPlotterChange(state, eight, "Silhouette Cameo", 11);
    EXPECT_TRUE(state.marksMode);
}

TEST(RegistrationMarksMeasure, StandardMarks) {
    EXPECT_TRUE(RegistrationMarks::measuredAfterImport(2));
    // Drawings from Inkscape are measured too: marks mode without measurements would send zeros.
    EXPECT_TRUE(RegistrationMarks::measuredAfterImport(5));
    EXPECT_TRUE(RegistrationMarks::measuredAfterImport(12));
    EXPECT_FALSE(RegistrationMarks::measuredAfterImport(22));
    EXPECT_FALSE(RegistrationMarks::measuredAfterImport(4));
    const MarkMeasurements m = RegistrationMarks::measure(jobWithMarks(standardMarks()), 2);
    EXPECT_FALSE(m.extraMark);
    EXPECT_DOUBLE_EQ(m.markOriginX, -30);
    EXPECT_DOUBLE_EQ(m.firstMarkWidth, 3);
    EXPECT_DOUBLE_EQ(m.markDistanceX, 160);
    EXPECT_DOUBLE_EQ(m.markOriginY, -30);
    EXPECT_DOUBLE_EQ(m.secondMarkHeight, 3);
    EXPECT_DOUBLE_EQ(m.markDistanceY, 30);  // no far mark 10 in the standard set: −markOriginY
    EXPECT_DOUBLE_EQ(m.markLineLength, 25);
    EXPECT_DOUBLE_EQ(m.markStrokeX, 1);
    EXPECT_DOUBLE_EQ(m.strokeLeft, -30.5);
    EXPECT_DOUBLE_EQ(m.strokeBottom, -30.5);
    EXPECT_DOUBLE_EQ(m.markOffsetX, 80);  // 49.5 − (−30.5), although mark 5 came first
    EXPECT_DOUBLE_EQ(m.markOffsetY, 80);
}

TEST(RegistrationMarksMeasure, HobbyMarksTakeTheirOriginFromMarksThreeAndFour) {
    // Hobby marks around (0, 0)–(100, 100) with a 5 mm distance, 25 mm arms, 1 mm bars.
    std::vector<JobObject> marks = {
        mark(-5, -4.5, 20, -5.5, 4),     mark(-5.5, 20, -4.5, -5, 3),     mark(80, -4.5, 105, -5.5, 7),
        mark(104.5, 20, 105.5, -5, 9),   mark(-5.5, 105.5, 0.5, 99.5, 8), mark(80, 105.5, 105, 104.5, 0),
        mark(104.5, 105, 105.5, 80, 10),
    };
    const MarkMeasurements m = RegistrationMarks::measure(jobWithMarks(marks), 11);
    EXPECT_TRUE(m.extraMark);
    EXPECT_DOUBLE_EQ(m.markOriginX, -5);
    EXPECT_DOUBLE_EQ(m.firstMarkWidth, 0);
    EXPECT_DOUBLE_EQ(m.markOriginY, -5);
    EXPECT_DOUBLE_EQ(m.secondMarkHeight, 0);
    EXPECT_DOUBLE_EQ(m.markDistanceX, 110);
    EXPECT_DOUBLE_EQ(m.markDistanceY, 110);
    EXPECT_DOUBLE_EQ(m.strokeBottom, -5.5);
    // The same marks measured by the standard rules keep the origins of marks 1 and 2 (none).
    const MarkMeasurements s = RegistrationMarks::measure(jobWithMarks(marks), 2);
    EXPECT_DOUBLE_EQ(s.markOriginX, 0);
    EXPECT_DOUBLE_EQ(s.markDistanceX, 105);
}

TEST(RegistrationMarksMeasure, FirstPathEndPointsAndLaterObjectsCount) {
    JobObject first = mark(-33, -29.5, -30, -30.5, 1);
    JobObject later = mark(-43, -29.5, -40, -30.5, 1);
    // A second path far away is not measured.
    later.paths.push_back(mark(500, 600, 700, 500, 1).paths[0]);
    // Control points of a curve do not count either.
    later.paths[0].segments[0].kind = kSegmentCurve;
    later.paths[0].segments[0].ctrl1X = 900;
    const MarkMeasurements m = RegistrationMarks::measure(jobWithMarks({first, later}), 2);
    EXPECT_DOUBLE_EQ(m.markOriginX, -40);
    EXPECT_DOUBLE_EQ(m.firstMarkWidth, 3);

    Job none;
    JobLayer plain;
    plain.name = "Layer";
    plain.objects.push_back(mark(0, 10, 10, 0, 1));
    none.layers.push_back(plain);
    EXPECT_DOUBLE_EQ(RegistrationMarks::measure(none, 2).markOriginX, 0);
    // The layer name is compared after trimming, exactly otherwise.
    Job padded = jobWithMarks({first});
    padded.layers[1].name = std::string(" ") + kMarksLayerName + " ";
    EXPECT_DOUBLE_EQ(RegistrationMarks::measure(padded, 2).markOriginX, -30);
    padded.layers[1].name = "qx-passermarkenebene";
    EXPECT_DOUBLE_EQ(RegistrationMarks::measure(padded, 2).markOriginX, 0);
}

}  // namespace
}  // namespace sartovin
