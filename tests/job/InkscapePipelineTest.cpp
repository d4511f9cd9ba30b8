// The SVG pipeline from a drawing to the job: Inkscape 1.2's real output (saved as a fixture) and,
// where Inkscape is installed, Inkscape itself.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <set>
#include <string>
#include <thread>

#include "job/Bezier.h"
#include "job/InkscapeAdapter.h"
#include "job/InkscapeHandOver.h"
#include "job/SvgReader.h"
#include "platform/Files.h"
#include "platform/ScriptedInteraction.h"
#include "platform/SystemProcessList.h"
#include "support/TempDir.h"

using namespace sartovin;

namespace {

const std::string kFixtures = std::string(SARTOVIN_SOURCE_DIR) + "/tests/job/fixtures/";

std::vector<const JobObject*> objectsNamed(const JobLayer& layer, const std::string& colourName) {
    std::vector<const JobObject*> out;
    for (const JobObject& o : layer.objects)
        if (o.colourName == colourName) out.push_back(&o);
    return out;
}

double width(const JobObject& o) { return o.boundsX2 - o.boundsX1; }
double height(const JobObject& o) { return o.boundsY2 - o.boundsY1; }

// Greatest distance of the drawn outline from a circle of `radius` around the bounds' centre.
double circleError(const JobObject& o, double radius) {
    const double cx = (o.boundsX1 + o.boundsX2) / 2, cy = (o.boundsY1 + o.boundsY2) / 2;
    double worst = 0;
    for (const JobPath& p : o.paths)
        for (const PathSegment& s : p.segments) {
            EXPECT_EQ(s.kind, kSegmentCurve);
            for (int i = 0; i <= 16; ++i) {
                BezierPoint b = bezierPoint(s, i / 16.0);
                worst = std::max(worst, std::fabs(std::hypot(b.x - cx, b.y - cy) - radius));
            }
        }
    return worst;
}

void expectAllClosed(const JobObject& o) {
    ASSERT_FALSE(o.paths.empty());
    for (const JobPath& p : o.paths) EXPECT_TRUE(p.closed);
}

// What drawing-mm.svg must become, whoever converted it.
void checkDrawing(const Job& job) {
    ASSERT_EQ(job.layers.size(), 2u);  // the hidden layer is left out
    EXPECT_EQ(job.layers[0].name, "Front");
    EXPECT_EQ(job.layers[1].name, "Back");
    const JobLayer& front = job.layers[0];

    auto rect = objectsNamed(front, "R=255 G=0 B=0");
    ASSERT_EQ(rect.size(), 1u);
    EXPECT_NEAR(width(*rect[0]), 40, 0.01);
    EXPECT_NEAR(height(*rect[0]), 20, 0.01);
    expectAllClosed(*rect[0]);

    auto ellipse = objectsNamed(front, "R=0 G=255 B=0");
    ASSERT_EQ(ellipse.size(), 1u);
    EXPECT_NEAR(width(*ellipse[0]), 30, 0.01);
    EXPECT_NEAR(height(*ellipse[0]), 20, 0.01);
    expectAllClosed(*ellipse[0]);

    auto circle = objectsNamed(front, "R=0 G=0 B=255");
    ASSERT_EQ(circle.size(), 1u);
    EXPECT_NEAR(width(*circle[0]), 20, 0.01);
    EXPECT_LT(circleError(*circle[0], 10), 0.01);
    expectAllClosed(*circle[0]);

    // The rotated square and the circle in the scaled sub-group (white, shown as 230).
    auto square = objectsNamed(front, "R=255 G=255 B=0");
    ASSERT_EQ(square.size(), 1u);
    EXPECT_NEAR(width(*square[0]), 20 * (std::cos(M_PI / 6) + std::sin(M_PI / 6)), 0.01);
    auto small = objectsNamed(front, "R=230 G=230 B=230");
    ASSERT_EQ(small.size(), 1u);
    EXPECT_LT(circleError(*small[0], 5), 0.01);

    // The lettering: one path object per glyph, black.
    auto glyphs = objectsNamed(front, "R=0 G=0 B=0");
    ASSERT_EQ(glyphs.size(), 2u);
    for (const JobObject* g : glyphs) expectAllClosed(*g);
    EXPECT_GT(height(*glyphs[0]), 10);

    // The translated layer keeps its place: 5 mm left of the rectangle, its top 7 mm below the
    // page top against 10 mm for the rectangle, with y now growing upwards.
    ASSERT_EQ(job.layers[1].objects.size(), 1u);
    const JobObject& back = job.layers[1].objects[0];
    EXPECT_NEAR(width(back), 10, 0.01);
    EXPECT_NEAR(back.boundsX1 - rect[0]->boundsX1, -5, 0.01);
    EXPECT_NEAR(back.boundsY2 - rect[0]->boundsY2, 3, 0.01);
    // The rectangle lies above the ellipse on the page, so above it in the job.
    EXPECT_GT(rect[0]->boundsY2, ellipse[0]->boundsY2);

    for (const JobLayer& l : job.layers) EXPECT_TRUE(objectsNamed(l, "R=101 G=67 B=33").empty());
}

class InkscapePipeline : public ::testing::Test {
protected:
    void SetUp() override {
        test::writeFile(m_dir.file("texts/2000.txt"),
                        "[2000]\n2303=No objects for cutting found !\n2341=No Inkscape\n2343=No SVG\n");
    }
    bool haveInkscape() { return !m_processes.findOnPath("inkscape").empty(); }
    bool import(const std::string& path, SvgConverterChoice choice = SvgConverterChoice::Inkscape,
                const std::set<std::string>& selection = {}) {
        // The virtual clock would let the wait run out at once while Inkscape works: real time
        // passes in each pause here.
        ui.onPump = [] { std::this_thread::sleep_for(std::chrono::milliseconds(20)); };
        JobImportContext ctx{m_texts, ui};
        ctx.selectedIds = selection;
        return importSvgFile(path, choice, job, state, ctx, m_processes, m_dir.path() + "tmp");
    }

    test::TempDir m_dir;
    Texts m_texts{m_dir.path() + "texts/", 2000};
    SystemProcessList m_processes;

public:
    ScriptedInteraction ui;
    Job job;
    JobState state;
};

}  // namespace

TEST_F(InkscapePipeline, SavedInkscapeOutputReadsWithTrueSizes) {
    const std::string before = test::readFile(kFixtures + "drawing-mm.svg");
    const std::string after = test::readFile(kFixtures + "inkscape-1.2-drawing-mm.svg");
    ASSERT_FALSE(after.empty());
    // As Inkscape left it, the arcs and glyph curves are beyond the reader.
    ui.answers = {MessageAnswer::Cancel};
    JobImportContext raw{m_texts, ui};
    EXPECT_FALSE(readSvgText(after, job, state, raw));

    std::string normalised;
    ASSERT_TRUE(normaliseInkscapeCopy(before, after, normalised));
    const std::size_t drawing = normalised.find("<g");
    EXPECT_EQ(normalised.find(" A ", drawing), std::string::npos);
    EXPECT_EQ(normalised.find(" Q ", drawing), std::string::npos);
    EXPECT_EQ(normalised.find("transform=", drawing), std::string::npos);
    job = Job{};
    ui.messages.clear();
    JobImportContext ctx{m_texts, ui};
    ASSERT_TRUE(readSvgText(normalised, job, state, ctx));
    EXPECT_TRUE(ui.messages.empty());
    checkDrawing(job);
}

TEST_F(InkscapePipeline, CopyChecks) {
    const std::string before = test::readFile(kFixtures + "drawing-mm.svg");
    std::string out;
    EXPECT_FALSE(normaliseInkscapeCopy(before, "", out));
    EXPECT_FALSE(normaliseInkscapeCopy(before, before, out));                            // unchanged
    EXPECT_FALSE(normaliseInkscapeCopy(before, "<svg><g/></svg>", out));                 // no path
    EXPECT_FALSE(normaliseInkscapeCopy(before, "<svg><path d=\"M 0\"/></svg>", out));    // nothing drawable
    EXPECT_FALSE(normaliseInkscapeCopy(before, "<svg><path d=\"M 0,0 L 1,1\"/>", out));  // truncated
    ASSERT_TRUE(normaliseInkscapeCopy(before, "<svg><path d=\"M 0,0 L 90,0\"/></svg>", out));
    // Pixels at 96 per inch (90 px = 23.8125 mm, times the reader's 3.54331), no defs before: an
    // empty one is added for the reader.
    EXPECT_NE(out.find("<defs"), std::string::npos);
    EXPECT_NE(out.find("L 84.375069,0"), std::string::npos) << out;
}

TEST_F(InkscapePipeline, DocumentUnits) {
    auto at = [](const DocumentMap& m, double x, double y) { return m.toMm.map({x, y}); };
    DocumentMap m = documentMapOf("<svg width=\"100mm\" height=\"50mm\" viewBox=\"10 20 200 100\">");
    EXPECT_DOUBLE_EQ(at(m, 10, 20).x, 0);
    EXPECT_DOUBLE_EQ(at(m, 210, 120).x, 100);
    EXPECT_DOUBLE_EQ(m.pageHeightMm, 50);
    m = documentMapOf("<svg width=\"8.5in\" height=\"11in\" viewBox=\"0 0 816 1056\">");
    EXPECT_NEAR(m.toMm.a, 25.4 / 96, 1e-12);
    m = documentMapOf("<svg width=\"400\" height=\"300\">");
    EXPECT_NEAR(m.toMm.d, 25.4 / 96, 1e-12);
    EXPECT_NEAR(m.pageHeightMm, 300 * 25.4 / 96, 1e-12);
    m = documentMapOf("<html>");
    EXPECT_NEAR(m.toMm.a, 25.4 / 96, 1e-12);

    // A square viewBox on a page twice as wide: fitted whole and placed as preserveAspectRatio
    // says, or stretched with "none", or cut with "slice".
    const std::string page = "<svg width=\"100mm\" height=\"50mm\" viewBox=\"0 0 100 100\" ";
    m = documentMapOf(page + ">");
    EXPECT_DOUBLE_EQ(at(m, 0, 0).x, 25);  // xMidYMid meet
    EXPECT_DOUBLE_EQ(at(m, 100, 100).y, 50);
    m = documentMapOf(page + "preserveAspectRatio=\"xMaxYMid meet\">");
    EXPECT_DOUBLE_EQ(at(m, 0, 0).x, 50);
    m = documentMapOf(page + "preserveAspectRatio=\"none\">");
    EXPECT_DOUBLE_EQ(at(m, 100, 100).x, 100);
    EXPECT_DOUBLE_EQ(at(m, 100, 100).y, 50);
    m = documentMapOf(page + "preserveAspectRatio=\"xMinYMin slice\">");
    EXPECT_DOUBLE_EQ(at(m, 100, 100).x, 100);
    EXPECT_DOUBLE_EQ(at(m, 100, 100).y, 100);
}

TEST_F(InkscapePipeline, RealInkscapeConvertsTheDrawing) {
    if (!haveInkscape()) GTEST_SKIP() << "inkscape is not installed; the real conversion is not tested";
    ASSERT_TRUE(import(kFixtures + "drawing-mm.svg")) << testing::PrintToString(ui.messageTexts());
    EXPECT_TRUE(ui.messages.empty());
    checkDrawing(job);
    // The copy is read and gone; the drawing itself is untouched.
    EXPECT_FALSE(fileExists(m_dir.path() + "tmp/qxjob.svg"));
    EXPECT_EQ(test::readFile(kFixtures + "drawing-mm.svg").find("sodipodi:docname"), std::string::npos);
}

// The objects selected in Inkscape arrive selected, whoever converts the drawing: a selected group
// stands for everything inside it.
TEST_F(InkscapePipeline, TheSelectionSurvivesEitherConversion) {
    const std::set<std::string> selection = {"ellipse", "group", "no-such-object"};
    std::vector<SvgConverterChoice> choices = {SvgConverterChoice::Own};
    if (haveInkscape()) choices.push_back(SvgConverterChoice::Inkscape);
    for (SvgConverterChoice choice : choices) {
        SCOPED_TRACE(static_cast<int>(choice));
        job = Job{};
        ui.answers = {MessageAnswer::Ok};  // ours: go on without the lettering
        ASSERT_TRUE(import(kFixtures + "drawing-mm.svg", choice, selection))
            << testing::PrintToString(ui.messageTexts());
        std::multiset<std::string> selected, unselected;
        for (const JobLayer& layer : job.layers)
            for (const JobObject& o : layer.objects) (o.selected ? selected : unselected).insert(o.colourName);
        EXPECT_EQ(selected, (std::multiset<std::string>{"R=0 G=255 B=0", "R=255 G=255 B=0", "R=230 G=230 B=230"}));
        EXPECT_EQ(unselected.count("R=255 G=0 B=0"), 1u);
        EXPECT_EQ(unselected.count("R=0 G=0 B=255"), 1u);
    }
    // Selected lettering: Inkscape gives each letter's outline an id of its own, and the mark.
    if (haveInkscape()) {
        job = Job{};
        ASSERT_TRUE(import(kFixtures + "drawing-mm.svg", SvgConverterChoice::Inkscape, {"text", "circle"}));
        std::multiset<std::string> selected;
        for (const JobLayer& layer : job.layers)
            for (const JobObject& o : layer.objects)
                if (o.selected) selected.insert(o.colourName);
        EXPECT_EQ(selected, (std::multiset<std::string>{"R=0 G=0 B=0", "R=0 G=0 B=0", "R=0 G=0 B=255"}));
    }
    // Nothing selected in Inkscape: nothing is.
    job = Job{};
    ui.answers = {MessageAnswer::Ok};
    ASSERT_TRUE(import(kFixtures + "drawing-mm.svg", SvgConverterChoice::Own));
    for (const JobLayer& layer : job.layers)
        for (const JobObject& o : layer.objects) EXPECT_FALSE(o.selected);
}

TEST_F(InkscapePipeline, RealInkscapeSizesInOtherUnits) {
    if (!haveInkscape()) GTEST_SKIP() << "inkscape is not installed; the real conversion is not tested";
    // 40 mm in pixels at 96 per inch, and in half-millimetre user units, on one sheet each.
    const std::string px =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"300\">"
        "<rect x=\"10\" y=\"10\" width=\"151.181102\" height=\"75.590551\"/></svg>";
    const std::string half =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100mm\" height=\"50mm\" "
        "viewBox=\"0 0 200 100\"><rect x=\"10\" y=\"10\" width=\"80\" height=\"40\"/></svg>";
    for (const std::string& doc : {px, half}) {
        job = Job{};
        test::writeFile(m_dir.file("units.svg"), doc);
        ASSERT_TRUE(import(m_dir.file("units.svg"))) << testing::PrintToString(ui.messageTexts());
        // Without layers the drawing is one layer.
        ASSERT_EQ(job.layers.size(), 1u);
        EXPECT_EQ(job.layers[0].name, "QX-Ebene1");
        ASSERT_EQ(job.layers[0].objects.size(), 1u);
        EXPECT_NEAR(width(job.layers[0].objects[0]), 40, 0.01);
        EXPECT_NEAR(height(job.layers[0].objects[0]), 20, 0.01);
    }
}

TEST_F(InkscapePipeline, BrokenFileGivesItsMessage) {
    if (!haveInkscape()) GTEST_SKIP() << "inkscape is not installed; the real conversion is not tested";
    test::writeFile(m_dir.file("broken.svg"), "<svg><g inkscape:groupmode=\"layer\"><path d=\"M 0");
    EXPECT_FALSE(import(m_dir.file("broken.svg")));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{kSvgNotReadable});
    EXPECT_FALSE(fileExists(m_dir.path() + "tmp/qxjob.svg"));
}

TEST_F(InkscapePipeline, CopyWithGradientsAndColourAttributes) {
    // Definitions holding elements with content (a gradient's stops, a group) are skipped whole;
    // once they made the whole copy unreadable.
    const std::string after =
        "<svg xmlns=\"http://www.w3.org/2000/svg\"><defs><linearGradient id=\"g\"><stop offset=\"0\"/>"
        "</linearGradient><g id=\"p\"><path d=\"M 0,0 L 9,9\"/></g></defs>"
        "<path d=\"M 0,0 L 90,0\" fill=\"#ff0000\"/>"
        "<path d=\"M 0,0 L 90,0\" style=\"stroke:#000000\" fill=\"#00ff00\"/>"
        "<path d=\"M 0,0 L 90,0\" style=\"color:#0000ff;fill:currentColor\"/>"
        "<path d=\"M 0,0 L 90,0\" style=\"fill:none\" fill=\"#ffffff\"/></svg>";
    std::string out;
    ASSERT_TRUE(normaliseInkscapeCopy("", after, out));
    // A path's fill attribute (Inkscape leaves it on paths it did not rebuild) and currentColor
    // reach the reader as the colour they stand for; a fill in the style stays as it is.
    ui.answers = {};
    JobImportContext ctx{m_texts, ui};
    ASSERT_TRUE(readSvgText(out, job, state, ctx)) << out;
    ASSERT_EQ(job.layers.size(), 1u);
    std::vector<std::string> colours;
    for (const JobObject& o : job.layers[0].objects) colours.push_back(o.colourName);
    EXPECT_EQ(colours,
              (std::vector<std::string>{"R=255 G=0 B=0", "R=0 G=255 B=0", "R=0 G=0 B=255", "R=0 G=0 B=0"}));
}
