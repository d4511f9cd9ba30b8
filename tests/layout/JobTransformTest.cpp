#include "layout/JobTransform.h"

#include <gtest/gtest.h>

#include "support/CatalogRecords.h"
#include "support/JobBuilders.h"
#include "support/TextFiles.h"

namespace sartovin {
namespace {

// A drawing of one 100 × 50 mm rectangle: SX = 100, SY = 50.
Job rectangleJob() {
    Job job;
    JobLayer layer;
    layer.objects.push_back(test::rectangle(0, 0, 100, 50));
    job.layers.push_back(layer);
    return job;
}

TEST(JobTransformTest, RotationAndMirrorMapTheReferencePointsAndBounds) {
    // The bottom edge of the rectangle runs from (0, 0) to (SX, 0).
    struct Case {
        int rotation;
        bool mirror;
        double x0, y0, x1, y1;
    } cases[] = {
        {0, false, 0, 0, 100, 0},   {1, false, 0, 100, 0, 0},  {2, false, 50, 0, 50, 100},
        {3, false, 100, 50, 0, 50}, {0, true, 0, 50, 100, 50}, {1, true, 0, 0, 0, 100},
        {2, true, 50, 100, 50, 0},  {3, true, 100, 0, 0, 0},
    };
    const Job reference = rectangleJob();
    Job live = reference;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "rotation " << c.rotation << " mirror " << c.mirror);
        JobTransform(c.rotation, c.mirror, 100, 50).apply(reference, live);
        const PathSegment& s = live.layers[0].objects[0].paths[0].segments[0];
        EXPECT_DOUBLE_EQ(s.startX, c.x0);
        EXPECT_DOUBLE_EQ(s.startY, c.y0);
        EXPECT_DOUBLE_EQ(s.endX, c.x1);
        EXPECT_DOUBLE_EQ(s.endY, c.y1);
        // Control points follow the same mapping.
        EXPECT_DOUBLE_EQ(s.ctrl1X, c.x0);
        EXPECT_DOUBLE_EQ(s.ctrl2Y, c.y1);
        // Bounds are copied, with x and y exchanged for the quarter turns.
        const bool quarter = c.rotation == 1 || c.rotation == 2;
        const JobObject& o = live.layers[0].objects[0];
        EXPECT_DOUBLE_EQ(o.boundsX2, quarter ? 50 : 100);
        EXPECT_DOUBLE_EQ(o.boundsY2, quarter ? 100 : 50);
    }
}

TEST(JobTransformTest, EveryPointOfACurveIsMappedFromTheReferenceNotFromTheLastResult) {
    PathSegment curve = test::line(10, 20, 90, 40);
    curve.kind = kSegmentCurve;
    curve.ctrl1X = 30, curve.ctrl1Y = 5;
    curve.ctrl2X = 70, curve.ctrl2Y = 45;
    Job reference = rectangleJob();
    reference.layers[0].objects[0].paths[0].segments[0] = curve;
    Job live = reference;
    // Turning twice must not turn the live job twice.
    JobTransform(kRotateRight, false, 100, 50).apply(reference, live);
    JobTransform(kRotateRight, false, 100, 50).apply(reference, live);
    const PathSegment& s = live.layers[0].objects[0].paths[0].segments[0];
    EXPECT_DOUBLE_EQ(s.startX, 20);
    EXPECT_DOUBLE_EQ(s.startY, 90);
    EXPECT_DOUBLE_EQ(s.ctrl1X, 5);
    EXPECT_DOUBLE_EQ(s.ctrl1Y, 70);
    EXPECT_DOUBLE_EQ(s.ctrl2X, 45);
    EXPECT_DOUBLE_EQ(s.ctrl2Y, 30);
    EXPECT_DOUBLE_EQ(s.endX, 40);
    EXPECT_DOUBLE_EQ(s.endY, 10);
    // Back to no rotation restores the reference exactly.
    JobTransform(kRotateNone, false, 100, 50).apply(reference, live);
    EXPECT_DOUBLE_EQ(live.layers[0].objects[0].paths[0].segments[0].ctrl2X, 70);
}

TEST(JobTransformTest, ALiveJobOfAnotherShapeIsTouchedOnlyWhereBothHoldData) {
    const Job reference = rectangleJob();
    Job live = reference;
    live.layers[0].objects[0].paths[0].segments.resize(2);          // fewer segments than the reference
    live.layers[0].objects.push_back(test::rectangle(0, 0, 7, 7));  // an object the reference lacks
    live.layers.push_back(JobLayer{});                              // and a layer
    JobTransform(kRotate180, false, 100, 50).apply(reference, live);
    ASSERT_EQ(live.layers[0].objects[0].paths[0].segments.size(), 2u);
    EXPECT_DOUBLE_EQ(live.layers[0].objects[0].paths[0].segments[1].endX, 0);
    EXPECT_DOUBLE_EQ(live.layers[0].objects[0].paths[0].segments[1].endY, 0);
    EXPECT_DOUBLE_EQ(live.layers[0].objects[1].paths[0].segments[0].endX, 7);  // untouched
    EXPECT_EQ(live.layers.size(), 2u);
}

TEST(JobTransformTest, RotationValuesAndGroups) {
    EXPECT_EQ(rotationOf(2), kRotateLeft);
    EXPECT_EQ(rotationOf(4), kRotateNone);
    EXPECT_EQ(rotationOf(-1), kRotateNone);
    EXPECT_TRUE(sameRotationGroup(kRotateNone, kRotate180));
    EXPECT_TRUE(sameRotationGroup(kRotateRight, kRotateLeft));
    EXPECT_FALSE(sameRotationGroup(kRotate180, kRotateLeft));
    // An unknown rotation maps as none.
    EXPECT_DOUBLE_EQ(JobTransform(9, false, 100, 50).map({3, 4}).x, 3);
}

TEST(JobTransformTest, WorkingExtentFollowsTheRotationFromTheImportedSpans) {
    JobExtent e;
    e.importedSpanX = 100, e.importedSpanY = 50;
    e.minX = e.minY = 3;
    setWorkingExtent(e, kRotateLeft);
    EXPECT_DOUBLE_EQ(e.spanX, 50);
    EXPECT_DOUBLE_EQ(e.spanY, 100);
    EXPECT_DOUBLE_EQ(e.maxX, 50);
    EXPECT_DOUBLE_EQ(e.maxY, 100);
    EXPECT_DOUBLE_EQ(e.minX, 0);
    EXPECT_DOUBLE_EQ(e.minY, 0);
    setWorkingExtent(e, kRotate180);
    EXPECT_DOUBLE_EQ(e.spanX, 100);
    EXPECT_DOUBLE_EQ(e.spanY, 50);
    EXPECT_DOUBLE_EQ(e.importedSpanX, 100);
}

}  // namespace
}  // namespace sartovin
