#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "job/JobModel.h"
#include "job/SvgReader.h"
#include "platform/ScriptedInteraction.h"
#include "support/TempDir.h"

using namespace sartovin;

namespace {

constexpr double kU = kSvgUnitsPerMm;

std::string document(const std::string& body, const std::string& defs = "<defs id=\"d\"></defs>") {
    return "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
           "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\">\n" +
           defs + "\n" + body + "\n</svg>\n";
}

std::string layer(const std::string& label, const std::string& content, const std::string& extra = "") {
    std::string labelAttr = label.empty() ? "" : " inkscape:label=\"" + label + "\"";
    return "<g inkscape:groupmode=\"layer\"" + labelAttr + extra + ">\n" + content + "\n</g>\n";
}

std::string path(const std::string& d, const std::string& style = "fill:#ff0000") {
    return "<path\n   style=\"" + style + "\"\n   d=\"" + d + "\" />\n";
}

class SvgReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeFile(m_dir.file("2000.txt"), "[2000]\n2303=No objects for cutting found !\n");
    }
    bool read(const std::string& text) {
        job = Job{};
        JobImportContext ctx{m_texts, ui};
        bool ok = readSvgText(text, job, state, ctx);
        failure = ctx.failure;
        return ok;
    }

    test::TempDir m_dir;
    Texts m_texts{m_dir.path(), 2000};

public:
    ScriptedInteraction ui;
    Job job;
    JobState state;
    JobReadFailure failure = JobReadFailure::None;
};

}  // namespace

TEST_F(SvgReaderTest, CurveAndLinesInMillimetres) {
    ASSERT_TRUE(read(document(layer("A", path("M 0,0 C 10,0 10,10 0,10 Z") + path("m 0,0 10,0 0,10 z")))));
    ASSERT_EQ(job.layers.size(), 1u);
    const JobLayer& l = job.layers[0];
    EXPECT_EQ(l.name, "A");
    EXPECT_TRUE(l.enabled);
    ASSERT_EQ(l.objects.size(), 2u);

    const JobObject& curve = l.objects[0];
    ASSERT_EQ(curve.paths.size(), 1u);
    EXPECT_TRUE(curve.paths[0].closed);
    // The curve and the straight side that "Z" closes it with.
    ASSERT_EQ(curve.paths[0].segments.size(), 2u);
    const PathSegment& c = curve.paths[0].segments[0];
    EXPECT_EQ(c.kind, kSegmentCurve);
    EXPECT_DOUBLE_EQ(c.ctrl1X, 10 / kU);
    EXPECT_DOUBLE_EQ(c.ctrl2Y, 10 / kU);
    EXPECT_DOUBLE_EQ(c.endY, 10 / kU);
    EXPECT_GT(c.length, 10 / kU * 1.2);  // a bulging curve is longer than its chord
    // Bounds follow the drawn curve (its x reaches 7.5 units), not the handles at 10.
    EXPECT_NEAR(curve.boundsX2, 7.5 / kU, 1e-9);
    EXPECT_FALSE(curve.selected);
    EXPECT_EQ(curve.colourName, "R=255 G=0 B=0");
    EXPECT_EQ(curve.fillColour, 255u);

    const JobObject& lines = l.objects[1];
    ASSERT_EQ(lines.paths.size(), 1u);
    ASSERT_EQ(lines.paths[0].segments.size(), 3u);
    EXPECT_TRUE(lines.paths[0].closed);
    const PathSegment& s = lines.paths[0].segments[1];
    EXPECT_EQ(s.kind, kSegmentLine);
    EXPECT_DOUBLE_EQ(s.startX, 10 / kU);
    EXPECT_DOUBLE_EQ(s.endY, 10 / kU);
    EXPECT_DOUBLE_EQ(s.ctrl1X, 0);  // lines carry their ends only
    EXPECT_NEAR(s.length, 10 / kU, 1e-12);
    const PathSegment& back = lines.paths[0].segments[2];
    EXPECT_EQ(back.kind, kSegmentLine);
    EXPECT_DOUBLE_EQ(back.startY, 10 / kU);
    EXPECT_DOUBLE_EQ(back.endX, 0);
    EXPECT_DOUBLE_EQ(back.endY, 0);
    EXPECT_NEAR(back.length, std::hypot(10, 10) / kU, 1e-12);

    EXPECT_EQ(state.objectTotal, 2);
    EXPECT_EQ(state.pathTotal, 2);
    // Extent from both objects, widened by 0.5 mm.
    EXPECT_NEAR(state.extent.minX, -0.5, 1e-9);
    EXPECT_NEAR(state.extent.maxX, 10 / kU + 0.5, 1e-9);
    EXPECT_NEAR(state.extent.spanY, 10 / kU + 1, 1e-9);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(job.colourGroups.size(), 1u);
}

TEST_F(SvgReaderTest, FillsAndShading) {
    ASSERT_TRUE(read(document(
        layer("A", path("M 0,0 L 1,1", "fill:#FFFFFF;stroke:none") + path("M 0,0 L 1,1", "stroke:#00ff00") +
                       path("M 0,0 L 1,1", "fill:#fad7d3") + path("M 0,0 L 1,1", "fill:#12zz56")))));
    const auto& o = job.layers[0].objects;
    ASSERT_EQ(o.size(), 4u);
    EXPECT_EQ(o[0].colourName, "R=230 G=230 B=230");
    EXPECT_EQ(o[0].fillColour, 230u + 230u * 256 + 230u * 65536);
    EXPECT_EQ(o[1].colourName, "R=0 G=0 B=0");
    EXPECT_EQ(o[2].colourName, "R=210 G=210 B=210");
    EXPECT_EQ(o[3].colourName, "R=0 G=0 B=0");  // not six hex digits: no fill
    EXPECT_EQ(o[0].colourKind, kColourRgb);
}

TEST_F(SvgReaderTest, LayerNamesTranslationsAndHiddenLayers) {
    std::string body = layer("  Front &amp; back ", path("M 0,0 L 1,0")) +
                       layer("", path("M 0,0 L 1,0"), " transform=\"translate(5,-7)\"") +
                       // hidden layer with a sub-layer: both left out
                       "<g inkscape:groupmode=\"layer\" inkscape:label=\"Hidden\" style=\"display:none\">\n" +
                       path("M 0,0 L 100,0") + layer("Sub", path("M 0,0 L 100,0")) + "</g>\n" +
                       layer("", path("M 0,0 L 1,0") + path("M 0,0 L 300,0", "display:none;fill:#000000"));
    ASSERT_TRUE(read(document(body)));
    ASSERT_EQ(job.layers.size(), 3u);
    EXPECT_EQ(job.layers[0].name, "Front & back");
    EXPECT_EQ(job.layers[1].name, "QX-Ebene2");
    EXPECT_EQ(job.layers[2].name, "QX-Ebene3");
    const PathSegment& t = job.layers[1].objects[0].paths[0].segments[0];
    EXPECT_DOUBLE_EQ(t.startX, 5 / kU);
    EXPECT_DOUBLE_EQ(t.startY, -7 / kU);
    EXPECT_DOUBLE_EQ(t.endX, 6 / kU);
    // The hidden path of the last layer is not read, so nothing reaches 100 units.
    EXPECT_EQ(job.layers[2].objects.size(), 1u);
    EXPECT_LT(state.extent.maxX, 10 / kU + 1);
    EXPECT_EQ(state.objectTotal, 3);
}

TEST_F(SvgReaderTest, LabelBeforeTheGroupModeAndSelfClosingDefs) {
    // Inkscape 1.x writes the label first and an empty defs as one tag.
    std::string text =
        "<svg>\n<defs id=\"defs1\" />\n<g inkscape:label=\"Cut\" inkscape:groupmode=\"layer\" "
        "id=\"layer1\">" +
        path("M 0,0 L 1,0") + "</g></svg>";
    ASSERT_TRUE(read(text));
    EXPECT_EQ(job.layers[0].name, "Cut");
}

TEST_F(SvgReaderTest, ADrawingWithoutLayersIsOneLayer) {
    ASSERT_TRUE(read(document(path("M 0,0 L 1,0") + "<g>" + path("M 0,0 L 2,0") + "</g>")));
    ASSERT_EQ(job.layers.size(), 1u);
    EXPECT_EQ(job.layers[0].name, "QX-Ebene1");
    EXPECT_EQ(job.layers[0].objects.size(), 2u);
}

TEST_F(SvgReaderTest, PathsOutsideTheDrawingAndSkippedPaths) {
    std::string defs = "<defs><marker><path d=\"M 0,0 L 500,500\"/></marker></defs>";
    std::string body = layer("A", path("m 0,0 l 5,5") + path("M 0,0 h 5") + path("M 0,0 V 9") +
                                      "<path inkscape:original-d=\"M 0,0 L 900,0\" style=\"\" />\n" +
                                      "<pathx d=\"M 0,0 L 900,0\" />");
    ASSERT_TRUE(read(document(body, defs)));
    ASSERT_EQ(job.layers[0].objects.size(), 1u);  // only the V path
    EXPECT_DOUBLE_EQ(job.layers[0].objects[0].paths[0].segments[0].endY, 9 / kU);
    EXPECT_EQ(state.objectTotal, 1);
}

TEST_F(SvgReaderTest, RefusesAndFailures) {
    // No start position.
    EXPECT_FALSE(read("<svg>" + layer("A", path("M 0,0 L 1,0")) + "</svg>"));
    ASSERT_EQ(ui.messageTexts(), std::vector<std::string>{kSvgNotReadable});
    EXPECT_EQ(ui.messages[0].caption, "Sartovin");

    // A matrix transform ends the import.
    ui.messages.clear();
    EXPECT_FALSE(read(document(layer("A", "<path transform=\"matrix(1,0,0,1,0,0)\" d=\"M 0,0 L 1,0\"/>"))));
    ASSERT_EQ(ui.messageTexts(), std::vector<std::string>{kSvgMatrixRefused});

    // Nothing to cut: message 303 from the texts.
    ui.messages.clear();
    EXPECT_FALSE(read(document(layer("A", "<rect width=\"5\" height=\"5\"/>"))));
    ASSERT_EQ(ui.messageTexts(), std::vector<std::string>{"No objects for cutting found !"});
    EXPECT_EQ(failure, JobReadFailure::NoSegments);
}

TEST_F(SvgReaderTest, UnknownCommandsAskAndCancelEnds) {
    std::string body = layer("A", path("M 0,0 L 10,0 A 5,5 0 0 0 20,0 L 30,0") + path("M 0,0 L 1,1"));
    ui.answers = {MessageAnswer::Ok};
    ASSERT_TRUE(read(document(body)));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, kSvgUnknownObjects);
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Exclamation);
    // OK keeps what was read of the path and skips its rest; the next path is read.
    ASSERT_EQ(job.layers[0].objects.size(), 2u);
    EXPECT_EQ(job.layers[0].objects[0].paths[0].segments.size(), 1u);

    ui.messages.clear();
    ui.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(read(document(layer("B", path("M 0,0 L 1,1")) + body)));
    EXPECT_EQ(ui.messages.size(), 1u);
    // What was read up to the end stays, and the totals describe it.
    ASSERT_EQ(job.layers.size(), 2u);
    EXPECT_EQ(job.layers[1].objects.size(), 0u);
    EXPECT_EQ(state.objectTotal, 1);
}

TEST_F(SvgReaderTest, MarksModeNeedsTenObjectsAndTheSensor) {
    std::string marks;
    for (int i = 0; i < 9; ++i) marks += path("M 0,0 L 1,1");
    std::string other = layer("Art", path("M 0,0 L 1,1"));
    state.markSensorFlag = true;
    ASSERT_TRUE(read(document(other + layer(kMarksLayerName, marks))));
    EXPECT_TRUE(state.marksLayerFlag);
    EXPECT_FALSE(state.marksMode);

    state = JobState{};
    state.markSensorFlag = true;
    ASSERT_TRUE(read(document(other + layer(kMarksLayerName, marks + path("M 0,0 L 1,1")))));
    EXPECT_TRUE(state.marksMode);
    // The marks layer joins no colour group.
    ASSERT_EQ(job.colourGroups.size(), 1u);
    EXPECT_EQ(job.colourGroups[0].members.size(), 1u);

    state = JobState{};
    ASSERT_TRUE(read(document(other + layer(kMarksLayerName, marks + path("M 0,0 L 1,1")))));
    EXPECT_FALSE(state.marksMode);
}

TEST_F(SvgReaderTest, SeveralSubPathsAndEmptyOnes) {
    ASSERT_TRUE(read(document(layer("A", path("M 0,0 M 1,1 L 2,2 Z M 5,5 L 6,6 M 7,7")))));
    const JobObject& o = job.layers[0].objects[0];
    ASSERT_EQ(o.paths.size(), 2u);  // the bare moves make no path
    EXPECT_TRUE(o.paths[0].closed);
    EXPECT_FALSE(o.paths[1].closed);
    EXPECT_EQ(state.pathTotal, 2);
}

// What Inkscape writes for rectangles, polygons, stars and straight letters: the last point is not
// the first, "z" closes. Every sub-path must come back to its start.
TEST_F(SvgReaderTest, ClosedSubPathsReturnToTheirStart) {
    ASSERT_TRUE(read(document(layer("A", path("M 10,10 L 60,10 L 60,110 L 10,110 Z") +     // rectangle
                                             path("m 0,0 10,0 0,10 z m 20,0 5,0 0,5 z") +  // two triangles
                                             path("M 0,0 L 5,0 L 5,5 L 0,0 Z") +     // returns by itself
                                             path("M 0,0 L 8,0 L 8,8 Z L 0,8")))));  // drawing on after z
    const auto& objects = job.layers[0].objects;
    ASSERT_EQ(objects.size(), 4u);
    for (const JobObject& o : objects)
        for (const JobPath& p : o.paths) {
            ASSERT_FALSE(p.segments.empty());
            if (!p.closed) continue;
            EXPECT_DOUBLE_EQ(p.segments.back().endX, p.segments.front().startX);
            EXPECT_DOUBLE_EQ(p.segments.back().endY, p.segments.front().startY);
            for (const PathSegment& s : p.segments) EXPECT_GT(s.length, 0);
        }
    EXPECT_EQ(objects[0].paths[0].segments.size(), 4u);  // four sides, the fourth from "Z"
    ASSERT_EQ(objects[1].paths.size(), 2u);
    EXPECT_EQ(objects[1].paths[1].segments.size(), 3u);
    EXPECT_DOUBLE_EQ(objects[1].paths[1].segments[0].startX,
                     20 / kU);                           // "m" after "z" is relative to the start
    EXPECT_EQ(objects[2].paths[0].segments.size(), 3u);  // not doubled
    // "L 0,8" after "Z" starts a new, open sub-path at the closed one's start.
    ASSERT_EQ(objects[3].paths.size(), 2u);
    EXPECT_EQ(objects[3].paths[0].segments.size(), 3u);
    EXPECT_FALSE(objects[3].paths[1].closed);
    EXPECT_DOUBLE_EQ(objects[3].paths[1].segments[0].startX, 0);
    EXPECT_DOUBLE_EQ(objects[3].paths[1].segments[0].endY, 8 / kU);
    EXPECT_EQ(state.pathTotal, 6);
}

TEST_F(SvgReaderTest, BadInputNeverCrashes) {
    const std::string good =
        document(layer("A", path("M 0,0 C 10,0 10,10 0,10 Z") + path("M 1e7,1 L -3.5e-3,2 H 4 V 5 z")) +
                 layer("", path("M 0,0 L 1,0"), " transform=\"translate(1e300,\"") +
                 "<g inkscape:groupmode=\"layer\" style=\"display:none\"><path d=\"M 0,0 L 1,1\"/>");
    ui.answers.clear();
    for (std::size_t n = 0; n <= good.size(); ++n) {
        Job j;
        JobState s;
        JobImportContext ctx{m_texts, ui};
        (void)readSvgText(good.substr(0, n), j, s, ctx);
    }
    // Translations beyond any drawing are not taken, so the extent stays finite.
    ASSERT_TRUE(read(document(layer("A", path("M 0,0 L 1,0"), " transform=\"translate(1e308,0)\"") +
                              layer("B", path("M 0,0 L 1,0"), " transform=\"translate(-1e308,0)\""))));
    EXPECT_TRUE(std::isfinite(state.extent.spanX));
    EXPECT_LT(state.extent.spanX, 10);
    // Missing quotes, huge numbers, stray markers.
    for (const std::string& bad :
         {document(layer("A", "<path d=\"M 0,0 L 1,1 />")), document(layer("A", path("M 1e400,0 L 1,1"))),
          document("inkscape:groupmode=\"layer\" d=\"M"), document(layer("\"", path("M 0,0 L 1,1"))),
          std::string("</defs>inkscape:groupmode=\"layer\"<path d=\"M 1 1 L 2 2\""), std::string()}) {
        Job j;
        JobState s;
        JobImportContext ctx{m_texts, ui};
        (void)readSvgText(bad, j, s, ctx);
    }
    SUCCEED();
}
