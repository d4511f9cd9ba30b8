#include <gtest/gtest.h>

#include <set>

#include "JobTestSupport.h"
#include "job/JobFileReader.h"
#include "job/JobModel.h"

namespace sartovin {
namespace {

// The job files a new user cuts first must read as what they promise.
class JobFileExamplesTest : public ::testing::Test {
protected:
    bool read(const char* name) {
        return readIllustratorJob(std::string(SARTOVIN_SOURCE_DIR) + "/examples/" + name, job, state, h.ctx);
    }
    test::ReaderHarness h;
    Job job;
    JobState state;
};

TEST_F(JobFileExamplesTest, LetteringIsOneTextObjectWithASubPathPerGlyphPath) {
    ASSERT_TRUE(read("lettering.qxj"));
    ASSERT_GE(job.layers.size(), 1u);
    const JobObject& text = job.layers[0].objects.at(0);
    EXPECT_EQ(text.paths.size(), 8u);
    bool curves = false;
    for (const JobPath& p : text.paths) {
        EXPECT_TRUE(p.closed);
        for (const PathSegment& s : p.segments) curves = curves || s.kind == kSegmentCurve;
    }
    EXPECT_TRUE(curves);
    EXPECT_GT(state.extent.spanX, 50);
    EXPECT_LT(state.extent.spanX, 200);
}

TEST_F(JobFileExamplesTest, StickersSpreadOverLayersAndColours) {
    ASSERT_TRUE(read("stickers.qxj"));
    EXPECT_EQ(job.layers.size(), 3u);
    EXPECT_GE(job.colourGroups.size(), 5u);
    EXPECT_EQ(state.objectTotal, 13);  // the unpainted guide was left out by the writer
}

TEST_F(JobFileExamplesTest, MarksCarryTheirIdentitiesAndMakeAMarksJobWithASensor) {
    state.markSensorFlag = true;
    ASSERT_TRUE(read("marks.qxj"));
    EXPECT_TRUE(state.marksLayerFlag);
    EXPECT_TRUE(state.marksMode);
    const JobLayer& marks = job.layers.at(0);
    ASSERT_EQ(marks.name, kMarksLayerName);
    std::set<unsigned> identities;
    for (const JobObject& o : marks.objects) {
        EXPECT_EQ(o.colourKind, kColourCmyk);
        EXPECT_EQ(o.fillColour >> 8, (100u << 16) | (100u << 8) | 100u);
        identities.insert(o.fillColour & 0xFF);
    }
    EXPECT_EQ(identities, (std::set<unsigned>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
    for (const ColourGroup& g : job.colourGroups)
        for (const ObjectRef& m : g.members) EXPECT_NE(m.layer, 0);
}

}  // namespace
}  // namespace sartovin
