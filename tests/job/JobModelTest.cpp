#include <gtest/gtest.h>

#include <cmath>

#include "JobTestSupport.h"
#include "job/Bezier.h"
#include "job/JobColours.h"
#include "job/JobModel.h"
#include "support/JobBuilders.h"

namespace sartovin {
namespace {

using test::ReaderHarness;

// An unselected object of one segment from corner to corner of its bounds, named after its colour.
JobObject objectWithBounds(double x1, double y1, double x2, double y2, std::uint32_t colour = 0) {
    JobObject o = test::objectWith(test::polyline({{x1, y1}, {x2, y2}}, false), false);
    test::setBounds(o, x1, y1, x2, y2);
    o.fillColour = colour;
    o.colourName = "c" + std::to_string(colour);
    return o;
}

// A job as a reader would leave it before the common tail: extent widened per object.
struct ImportedJob {
    Job job;
    JobState state;

    ImportedJob() { beginImport(state); }
    void add(const std::string& layerName, JobObject object) {
        if (job.layers.empty() || job.layers.back().name != layerName) {
            JobLayer layer;
            layer.name = layerName;
            if (layerName == kMarksLayerName) state.marksLayerFlag = true;
            job.layers.push_back(layer);
        }
        widenExtent(state.extent, object);
        job.layers.back().objects.push_back(std::move(object));
    }
};

TEST(JobColoursTest, LightColoursAreShadedSoTheyShowOnTheMedium) {
    auto shaded = [](int r, int g, int b) {
        RgbValue v = shadeLightColour({r, g, b});
        return std::to_string(v.red) + "," + std::to_string(v.green) + "," + std::to_string(v.blue);
    };
    EXPECT_EQ(shaded(255, 255, 255), "230,230,230");
    EXPECT_EQ(shaded(250, 215, 211), "210,210,210");
    EXPECT_EQ(shaded(250, 210, 255), "250,210,255");  // 210 is not above 210
    EXPECT_EQ(shaded(0, 0, 0), "0,0,0");
}

TEST(JobColoursTest, SuffixesPackingAndCmykConversion) {
    EXPECT_EQ(rgbSuffix(1, 22, 255), " (R=1, G=22, B=255)");
    EXPECT_EQ(cmykSuffix(0, 50, 100, 7), " (C=0%, M=50%, Y=100%, K=7%)");
    EXPECT_EQ(packRgb({1, 2, 3}), 1u + 2u * 256 + 3u * 65536);
    EXPECT_EQ(packRgb({-5, 300, 0}), 255u * 256);  // out-of-range parts never spill over
    EXPECT_EQ(packCmyk(0, 0, 0, 100), 100u);
    EXPECT_EQ(packCmyk(100, 100, 100, 7), 100u * 16777216 + 100u * 65536 + 100u * 256 + 7);
    EXPECT_EQ(packCmyk(0, 0, 0, 400), 100u);

    RgbValue black = cmykToDisplayRgb(0, 0, 0, 100);
    EXPECT_EQ(black.red + black.green + black.blue, 0);
    RgbValue white = cmykToDisplayRgb(0, 0, 0, 0);  // paper white is shown as grey 230
    EXPECT_EQ(white.red, 230);
    // c′ = trunc(50·2.55 + 0.49999) = 127; m′ = trunc(20·2.55 + 0.49999) = 51.
    RgbValue mixed = cmykToDisplayRgb(50, 20, 0, 0);
    EXPECT_EQ(mixed.red, 128);
    EXPECT_EQ(mixed.green, 204);
    EXPECT_EQ(mixed.blue, 255);
    RgbValue over = cmykToDisplayRgb(100, 100, 100, 100);  // clamped at 0, never negative
    EXPECT_EQ(over.red, 0);
}

TEST(BezierTest, EvaluatorHitsTheEndsAndTheMidpointOfASymmetricCurve) {
    PathSegment s;
    s.startX = 0;
    s.startY = 0;
    s.ctrl1X = 0;
    s.ctrl1Y = 10;
    s.ctrl2X = 10;
    s.ctrl2Y = 10;
    s.endX = 10;
    s.endY = 0;
    EXPECT_EQ(bezierPoint(s, 0).x, 0);
    EXPECT_EQ(bezierPoint(s, 1).x, 10);
    EXPECT_EQ(bezierPoint(s, 1).y, 0);
    EXPECT_DOUBLE_EQ(bezierPoint(s, 0.5).x, 5);
    EXPECT_DOUBLE_EQ(bezierPoint(s, 0.5).y, 7.5);
}

TEST(BezierTest, LengthIsTheStraightDistanceOrTheSumOf32Chords) {
    PathSegment line;
    line.endX = 3;
    line.endY = 4;
    line.ctrl2X = 3;
    line.ctrl2Y = 4;
    EXPECT_EQ(segmentLength(line), 5);

    // Handles on the chord but not on the anchors: still a straight line of length 10, measured by
    // chords (to rounding).
    PathSegment straightCurve;
    straightCurve.endX = 10;
    straightCurve.ctrl1X = 3;
    straightCurve.ctrl2X = 7;
    EXPECT_NEAR(segmentLength(straightCurve), 10, 1e-12);

    // A quarter circle of radius 10 (the usual 0.5523 handles): close to 5π, and the 32 chords
    // make it a little shorter than the true arc.
    PathSegment arc;
    const double k = 0.5522847498 * 10;
    arc.startX = 10;
    arc.startY = 0;
    arc.ctrl1X = 10;
    arc.ctrl1Y = k;
    arc.ctrl2X = k;
    arc.ctrl2Y = 10;
    arc.endX = 0;
    arc.endY = 10;
    double length = segmentLength(arc);
    EXPECT_NEAR(length, 5 * M_PI, 0.01);
    double chords = 0;
    for (int i = 0; i < 32; ++i) {
        BezierPoint a = bezierPoint(arc, i / 32.0), b = bezierPoint(arc, (i + 1) / 32.0);
        chords += std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
    }
    EXPECT_EQ(length, chords);
}

TEST(FinishImportTest, ExtentIsWidenedByHalfAMillimetreOutsideMarksMode) {
    ReaderHarness h;
    ImportedJob j;
    j.add("Ebene 1", objectWithBounds(0, 0, 10, 20));
    ASSERT_TRUE(finishImport(j.job, j.state, h.ctx, kJobFileMarksObjects));
    const JobExtent& e = j.state.extent;
    EXPECT_DOUBLE_EQ(e.spanX, 11);
    EXPECT_DOUBLE_EQ(e.spanY, 21);
    EXPECT_DOUBLE_EQ(e.importedSpanX, 11);
    EXPECT_DOUBLE_EQ(e.importedSpanY, 21);
    EXPECT_DOUBLE_EQ(e.minX, -0.5);
    EXPECT_DOUBLE_EQ(e.maxY, 20.5);
    EXPECT_FALSE(j.state.marksMode);
    EXPECT_TRUE(h.ui.messages.empty());
}

TEST(FinishImportTest, MarksModeNeedsTheSensorAndEnoughObjectsOnTheMarksLayer) {
    auto run = [](int marks, int artwork, bool sensor, int threshold) {
        ReaderHarness h;
        ImportedJob j;
        j.state.markSensorFlag = sensor;
        for (int i = 0; i < marks; ++i) j.add(kMarksLayerName, objectWithBounds(-30, -30, -20 + i, -20, 100));
        for (int i = 0; i < artwork; ++i) j.add("Motiv", objectWithBounds(0, 0, 50, 50, 255));
        EXPECT_TRUE(finishImport(j.job, j.state, h.ctx, threshold));
        return j.state;
    };
    EXPECT_FALSE(run(6, 1, true, kJobFileMarksObjects).marksMode);
    JobState seven = run(7, 1, true, kJobFileMarksObjects);
    EXPECT_TRUE(seven.marksMode);
    // Exactly the drawing including its marks: no 0.5 mm margin.
    EXPECT_DOUBLE_EQ(seven.extent.minX, -30);
    EXPECT_DOUBLE_EQ(seven.extent.maxX, 50);
    EXPECT_DOUBLE_EQ(seven.extent.spanY, 80);
    EXPECT_FALSE(run(7, 1, false, kJobFileMarksObjects).marksMode);
    EXPECT_FALSE(run(9, 1, true, kSvgMarksObjects).marksMode);
    EXPECT_TRUE(run(10, 1, true, kSvgMarksObjects).marksMode);
    // Many artwork objects beside too few marks do not make a marks job.
    EXPECT_FALSE(run(3, 12, true, kJobFileMarksObjects).marksMode);
}

TEST(FinishImportTest, ColourGroupsCollectEqualColoursAcrossLayersButNeverTheMarks) {
    ReaderHarness h;
    ImportedJob j;
    JobObject red1 = objectWithBounds(0, 0, 1, 1, 0x0000FF);
    red1.colourName = "Rot (R=255, G=0, B=0)";
    JobObject blue = objectWithBounds(0, 0, 1, 1, 0xFF0000);
    JobObject red2 = objectWithBounds(0, 0, 1, 1, 0x0000FF);
    red2.colourName = "unbenannt (R=255, G=0, B=0)";
    j.add("A", red1);
    j.add("A", blue);
    j.add(kMarksLayerName, objectWithBounds(0, 0, 1, 1, 0x0000FF));
    j.add("B", red2);
    ASSERT_TRUE(finishImport(j.job, j.state, h.ctx, kJobFileMarksObjects));
    ASSERT_EQ(j.job.colourGroups.size(), 2u);
    const ColourGroup& red = j.job.colourGroups[0];
    EXPECT_EQ(red.name, "Rot (R=255, G=0, B=0)");
    EXPECT_EQ(red.colour, 0x0000FFu);
    EXPECT_TRUE(red.enabled);
    ASSERT_EQ(red.members.size(), 2u);
    EXPECT_EQ(red.members[0].layer, 0);
    EXPECT_EQ(red.members[1].layer, 2);
    EXPECT_EQ(&j.job.object(red.members[1]), &j.job.layers[2].objects[0]);
    EXPECT_EQ(j.job.colourGroups[1].members.size(), 1u);
}

TEST(FinishImportTest, OnlyMarksGiveAnExtentAndNoColourGroup) {
    ReaderHarness h;
    ImportedJob j;
    for (int i = 0; i < 3; ++i) j.add(kMarksLayerName, objectWithBounds(i, 0, i + 5, 5, 100));
    ASSERT_TRUE(finishImport(j.job, j.state, h.ctx, kJobFileMarksObjects));
    EXPECT_TRUE(j.job.colourGroups.empty());
    EXPECT_DOUBLE_EQ(j.state.extent.spanX, 8);
}

TEST(FinishImportTest, AJobWithoutSegmentsShowsMessage303AndFails) {
    ReaderHarness h;
    ImportedJob j;
    JobObject empty = objectWithBounds(0, 0, 1, 1);
    empty.paths[0].segments.clear();
    j.add("A", empty);
    JobExtent before = j.state.extent;
    EXPECT_FALSE(finishImport(j.job, j.state, h.ctx, kJobFileMarksObjects));
    ASSERT_EQ(h.ui.messages.size(), 1u);
    EXPECT_EQ(h.ui.messages[0].text, test::kNoObjectsText);
    EXPECT_EQ(h.ui.messages[0].caption, "Sartovin");
    EXPECT_EQ(h.ui.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(h.ctx.failure, JobReadFailure::NoSegments);
    EXPECT_EQ(j.state.extent.minX, before.minX);  // the tail is skipped
    EXPECT_TRUE(j.job.colourGroups.empty());
}

TEST(JobModelTest, ReleaseEmptiesAnyJob) {
    Job job;
    EXPECT_TRUE(release(job));
    EXPECT_TRUE(job.layers.empty());
    ImportedJob j;
    j.add("A", objectWithBounds(0, 0, 1, 1));
    buildColourGroups(j.job);
    ASSERT_FALSE(j.job.colourGroups.empty());
    EXPECT_TRUE(release(j.job));
    EXPECT_TRUE(j.job.layers.empty());
    EXPECT_TRUE(j.job.colourGroups.empty());
}

TEST(JobModelTest, ReferenceCopyStartsAtTheOriginAndLeavesTheLiveJobAlone) {
    ReaderHarness h;
    ImportedJob j;
    JobObject o = objectWithBounds(100, 50, 110, 70);
    o.paths[0].segments[0].ctrl1X = 105;
    o.paths[0].segments[0].ctrl1Y = 60;
    o.paths[0].segments[0].aux1 = 42;
    j.add("A", o);
    ASSERT_TRUE(finishImport(j.job, j.state, h.ctx, kJobFileMarksObjects));
    Job reference;
    JobExtent refExtent;
    makeReferenceCopy(j.job, j.state.extent, reference, refExtent);

    const PathSegment& s = reference.layers[0].objects[0].paths[0].segments[0];
    EXPECT_DOUBLE_EQ(s.startX, 0.5);  // extent starts half a millimetre before the drawing
    EXPECT_DOUBLE_EQ(s.startY, 0.5);
    EXPECT_DOUBLE_EQ(s.ctrl1X, 5.5);
    EXPECT_DOUBLE_EQ(s.ctrl1Y, 10.5);
    EXPECT_DOUBLE_EQ(s.endX, 10.5);
    EXPECT_DOUBLE_EQ(s.aux1, 42);
    EXPECT_DOUBLE_EQ(reference.layers[0].objects[0].boundsY2, 20.5);
    EXPECT_EQ(refExtent.minX, 0);
    EXPECT_EQ(refExtent.minY, 0);
    EXPECT_DOUBLE_EQ(refExtent.maxX, 11);
    EXPECT_DOUBLE_EQ(refExtent.maxY, 21);
    EXPECT_DOUBLE_EQ(refExtent.spanX, 11);
    EXPECT_DOUBLE_EQ(refExtent.importedSpanY, 21);
    EXPECT_EQ(j.job.layers[0].objects[0].paths[0].segments[0].startX, 100);
    EXPECT_DOUBLE_EQ(j.state.extent.minX, 99.5);
    EXPECT_EQ(reference.colourGroups.size(), j.job.colourGroups.size());
}

TEST(JobModelTest, ExtentOfTheSelectionLeavesOutMarksAndUnselectedObjects) {
    ImportedJob j;
    JobObject a = objectWithBounds(0, 0, 10, 10);
    a.selected = true;
    JobObject b = objectWithBounds(50, 50, 60, 80);
    JobObject mark = objectWithBounds(-40, -40, -30, -30);
    mark.selected = true;
    j.add("A", a);
    j.add("A", b);
    j.add(kMarksLayerName, mark);
    JobExtent e;
    ASSERT_TRUE(extentOfObjects(j.job, true, false, e));
    EXPECT_DOUBLE_EQ(e.minX, -0.5);
    EXPECT_DOUBLE_EQ(e.spanX, 11);
    ASSERT_TRUE(extentOfObjects(j.job, false, true, e));
    EXPECT_DOUBLE_EQ(e.minX, 0);
    EXPECT_DOUBLE_EQ(e.spanY, 80);
    j.job.layers[0].objects[0].selected = false;
    JobExtent untouched;
    untouched.spanX = 7;
    EXPECT_FALSE(extentOfObjects(j.job, true, false, untouched));
    EXPECT_EQ(untouched.spanX, 7);
}

}  // namespace
}  // namespace sartovin
