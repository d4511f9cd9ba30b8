// The plot commands: the document exported into the job file, read back by the program's reader,
// the program started, and the cases in which nothing is started.

#include <cmath>

#include "PluginFixture.h"
#include "aiplugin/CommandRunner.h"
#include "aiplugin/ErrorReport.h"
#include "aiplugin/JobExport.h"
#include "job/JobModel.h"

namespace sartovin::test {
namespace {

constexpr AIReal k = 2.834645f;  // points per mm

class ExportTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        install(true, true, true);
        ASSERT_EQ(host.startup(), kSPNoError);
    }

    // A rectangle in mm.
    FakeArt& rect(FakeArt& parent, AIReal x, AIReal y, AIReal w, AIReal h, AIColor colour = rgb(1, 0, 0)) {
        return host.addPath(parent, rectangleAnchors(x * k, y * k, (x + w) * k, (y + h) * k), true, true,
                            colour);
    }

    // A glyph contour: a small square at x mm.
    static std::vector<AIPathSegment> contour(AIReal x, AIReal size = 4) {
        return rectangleAnchors(x * k, 0, (x + size) * k, size * k);
    }
};

TEST_F(ExportTest, TheDocumentComesBackFromTheJobFile) {
    FakeLayer& art = host.addLayer("Ebene 1");
    FakeArt& red = rect(art.group, 10, 20, 30, 15);
    red.selected = true;
    host.swatches.push_back({rgb(1, 0, 0), "Rot"});
    // A curve: one smooth anchor between two corners.
    host.addPath(art.group,
                 {corner(0, 0), smooth(50 * k, 50 * k, 40 * k, 50 * k, 60 * k, 50 * k), corner(100 * k, 0)},
                 false, true, cmyk(0.25f, 0.5f, 0, 1));
    // A group and a compound path: each child path is an object of its own.
    FakeArt& group = host.addGroup(art.group);
    rect(group, 0, 100, 10, 10, grey(0.5f));
    rect(group, 20, 100, 10, 10, grey(0.5f));
    FakeArt& compound = host.addGroup(art.group, kCompoundPathArt);
    rect(compound, 50, 100, 10, 10);
    rect(compound, 52, 102, 6, 6);
    host.addOther(art.group, kPlacedArt);  // an image: nothing to cut

    rect(host.addLayer("Versteckt", false).group, 0, 0, 5, 5);
    host.addLayer("Leer");
    FakeLayer& text = host.addLayer("Text", true, false);  // locked: outlines are made all the same
    host.addTextFrame(text.group, {{contour(0)}, {contour(10), contour(11, 2)}, {contour(20)}}, rgb(0, 0, 1));
    const int artBefore = host.artCount();

    ASSERT_EQ(host.choose("Plot / Cut"), kSPNoError);
    EXPECT_EQ(system.started, std::vector<std::string>{"C:\\Program Files\\Sartovin\\SartovinAI.exe"});
    EXPECT_EQ(key(standardIni, "State", "AIVersion"), "12.0");
    // The host breathed ten times 100 ms before the export.
    EXPECT_EQ(system.dispatches, 10);
    EXPECT_EQ(system.clockMs, 1000);
    // The document is as it was: outlines and their copy gone, the text layer locked again.
    EXPECT_EQ(host.artCount(), artBefore);
    EXPECT_FALSE(host.layerTitled("Text")->editable);

    Job job;
    JobState state;
    ASSERT_TRUE(readJob(job, state));
    EXPECT_NEAR(job.pageWidth, 595 / 2.834645, 1e-3);
    EXPECT_NEAR(job.pageHeight, 842 / 2.834645, 1e-3);
    // The hidden layer is not exported; the visible layer without art writes no layer.
    ASSERT_EQ(job.layers.size(), 2u);
    EXPECT_EQ(job.layers[0].name, "Ebene 1");
    EXPECT_EQ(job.layers[1].name, "Text");

    const auto& objects = job.layers[0].objects;
    ASSERT_EQ(objects.size(), 6u);
    EXPECT_TRUE(objects[0].selected);
    EXPECT_FALSE(objects[1].selected);
    EXPECT_EQ(objects[0].colourName.rfind("Rot", 0), 0u) << objects[0].colourName;
    EXPECT_EQ(objects[1].colourName.rfind("unbenannt", 0), 0u);
    ASSERT_EQ(objects[0].paths.size(), 1u);
    const JobPath& r = objects[0].paths[0];
    EXPECT_TRUE(r.closed);
    ASSERT_EQ(r.segments.size(), 4u);
    EXPECT_NEAR(r.segments[0].startX, 10, 1e-3);
    EXPECT_NEAR(r.segments[0].startY, 20, 1e-3);
    EXPECT_NEAR(r.segments[1].startX, 40, 1e-3);
    EXPECT_NEAR(r.segments[2].startY, 35, 1e-3);
    for (const PathSegment& s : r.segments) EXPECT_EQ(s.kind, kSegmentLine);
    EXPECT_NEAR(objects[0].boundsX1, 10, 1e-3);
    EXPECT_NEAR(objects[0].boundsY1, 35, 1e-3);  // top: the host's y grows upwards

    // The smooth anchor keeps the curve on both segments that touch it.
    const JobPath& curve = objects[1].paths[0];
    EXPECT_FALSE(curve.closed);
    ASSERT_GE(curve.segments.size(), 2u);
    EXPECT_EQ(curve.segments[0].kind, kSegmentCurve);
    EXPECT_EQ(curve.segments[1].kind, kSegmentCurve);
    EXPECT_NEAR(curve.segments[0].ctrl2X, 40, 1e-3);  // the smooth anchor's incoming handle
    EXPECT_NEAR(curve.segments[1].ctrl1X, 60, 1e-3);  // and its outgoing one

    // Group and compound children are objects of their own.
    EXPECT_EQ(objects[4].paths.size(), 1u);
    EXPECT_EQ(objects[5].paths.size(), 1u);

    // Three letters, one of two contours: one object, one sub-path per glyph path.
    ASSERT_EQ(job.layers[1].objects.size(), 1u);
    const JobObject& word = job.layers[1].objects[0];
    EXPECT_EQ(word.paths.size(), 4u);
    EXPECT_NEAR(word.boundsX1, 0, 1e-3);  // the frame's bounds
    EXPECT_NEAR(word.boundsX2, 24, 1e-3);
    EXPECT_EQ(word.fillColour, 0xFF0000u);  // blue, packed R + G·256 + B·65536
}

TEST_F(ExportTest, TheColourLinesOfEveryKind) {
    FakeLayer& layer = host.addLayer("Farben");
    rect(layer.group, 0, 0, 1, 1, rgb(0.5f, 0, 1));  // 127.5 + 0.4999, truncated
    rect(layer.group, 0, 0, 1, 1, cmyk(0.125f, 0, 1, 0.5f));
    rect(layer.group, 0, 0, 1, 1, grey(0.3f));
    AIColor pattern{};
    pattern.kind = kPattern;
    rect(layer.group, 0, 0, 1, 1, pattern);
    FakeArt& unfilled = rect(layer.group, 0, 0, 1, 1);
    unfilled.fillPaint = false;
    unfilled.strokePaint = true;
    host.swatches.push_back({grey(0.3f), ""});  // a swatch without a name

    ASSERT_EQ(host.choose("Plot / Cut"), kSPNoError);
    const std::string bytes = jobBytes();
    EXPECT_NE(bytes.find("QXFuellfarbe\r\nunbenannt\r\nRGB\r\n127 0 255\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("QXFuellfarbe\r\nunbenannt\r\nCMYK\r\n12 0 100 50\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("QXFuellfarbe\r\nunbenannt\r\nCMYK\r\n0 0 0 30\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("QXFuellfarbe\r\nunbenannt\r\nRGB\r\n0 0 0\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("QXFuellfarbe\r\nkeine\r\n\r\n\r\n"), std::string::npos);
}

TEST_F(ExportTest, UnpaintedGuidesAreSkippedAndOrdinaryLinesWritten) {
    FakeLayer& layer = host.addLayer("Linien");
    host.addPath(layer.group, {corner(0, 0), corner(20000, 0)}, false, false);
    host.addPath(layer.group, {corner(0, 10), corner(100, 10)}, false, false);
    host.addPath(layer.group, {corner(0, 0), corner(0, 0)}, false, true);  // no length, even filled
    FakeArt& stroked = host.addPath(layer.group, {corner(0, 0), corner(0, 20000)}, false, false);
    stroked.strokePaint = true;
    stroked.strokeWidth = 2;

    ASSERT_EQ(host.choose("Plot / Cut"), kSPNoError);
    Job job;
    JobState state;
    ASSERT_TRUE(readJob(job, state));
    ASSERT_EQ(job.layers.size(), 1u);
    ASSERT_EQ(job.layers[0].objects.size(), 2u);
    EXPECT_NEAR(job.layers[0].objects[0].paths[0].segments[0].endX, 100 / 2.834645, 1e-3);
    // A stroked line is art however long; its bounds include half the stroke.
    EXPECT_NEAR(job.layers[0].objects[1].boundsX1, -1 / 2.834645, 1e-3);
    // Skip test without the stroke (0), written bounds 6 without and 38 with a stroke.
    EXPECT_NE(std::find(host.boundsFlags.begin(), host.boundsFlags.end(), 0), host.boundsFlags.end());
    EXPECT_NE(std::find(host.boundsFlags.begin(), host.boundsFlags.end(), 6), host.boundsFlags.end());
    EXPECT_NE(std::find(host.boundsFlags.begin(), host.boundsFlags.end(), 38), host.boundsFlags.end());
}

TEST_F(ExportTest, ATextWhoseFirstGlyphIsSkippedStillOpensOneObject) {
    FakeLayer& layer = host.addLayer("Text");
    // The first glyph has no length (a lone dot of one anchor).
    host.addTextFrame(layer.group, {{{corner(0, 0)}}, {contour(10)}, {contour(20)}});
    ASSERT_EQ(host.choose("Plot / Cut"), kSPNoError);
    Job job;
    JobState state;
    ASSERT_TRUE(readJob(job, state));
    ASSERT_EQ(job.layers[0].objects.size(), 1u);
    EXPECT_EQ(job.layers[0].objects[0].paths.size(), 2u);
}

TEST_F(ExportTest, TheProgramPathWithAndWithoutTheClosingBackslash) {
    SuiteTable suites;
    CommandRunner without(suites, system, host.self, nullptr);
    const std::string a = without.programPath(PluginCommand::PlotCut);
    system.setRegistry(RegistryRoot::LocalMachine, "Software\\Sartovin", "InstallPath",
                       standardFolder + "\\");
    const std::string b = without.programPath(PluginCommand::PlotCut);
    EXPECT_EQ(a, "C:\\Program Files\\Sartovin\\SartovinAI.exe");
    EXPECT_EQ(a, b);
    EXPECT_EQ(without.programPath(PluginCommand::HobbyMarks),
              "C:\\Program Files\\Sartovin-Hobbyplotter\\QXPassermarkenAIHP.exe");
    system.registry.clear();
    EXPECT_EQ(without.programPath(PluginCommand::Laser), "");
}

TEST_F(ExportTest, EachPlotCommandStartsItsProgramWithItsSettingsFile) {
    rect(host.addLayer("L").group, 0, 0, 10, 10);
    host.majorVersion = 14;
    host.minorVersion = 1;
    ASSERT_EQ(host.choose("Hobbyplotter - Plot / Cut"), kSPNoError);
    ASSERT_EQ(host.choose("Vidazo Ravuzuz"), kSPNoError);
    EXPECT_EQ(system.started,
              (std::vector<std::string>{"C:\\Program Files\\Sartovin-Hobbyplotter\\SartovinAIHP.exe",
                                        "C:\\Program Files\\Sartovin\\SartovinLCAI.exe"}));
    EXPECT_EQ(key(hobbyIni, "State", "AIVersion"), "14.1");
    EXPECT_EQ(key(standardIni, "State", "AIVersion"), "14.1");
    EXPECT_FALSE(jobBytes().empty());
}

TEST_F(ExportTest, NothingIsStartedWithoutProgramOrLayers) {
    rect(host.addLayer("L").group, 0, 0, 10, 10);
    // The program file is missing: the version is recorded, nothing else happens.
    std::remove(system.local("C:\\Program Files\\Sartovin\\SartovinAI.exe").c_str());
    ASSERT_EQ(host.choose("Plot / Cut"), kSPNoError);
    EXPECT_EQ(key(standardIni, "State", "AIVersion"), "12.0");
    EXPECT_TRUE(system.started.empty());
    EXPECT_EQ(jobBytes(), "");

    // No program folder in the registry.
    system.registry.clear();
    ASSERT_EQ(host.choose("Vidazo Ravuzuz"), kSPNoError);
    EXPECT_TRUE(system.started.empty());

    // A document without layers writes nothing and starts nothing.
    install(true, true, true);
    host.layers.clear();
    ASSERT_EQ(host.choose("Vidazo Ravuzuz"), kSPNoError);
    EXPECT_TRUE(system.started.empty());
    EXPECT_EQ(jobBytes(), "");
}

TEST_F(ExportTest, AJobFileThatCannotBeWrittenIsReportedAndNothingStarts) {
    rect(host.addLayer("L").group, 0, 0, 10, 10);
    system.temp = "C:\\Missing\\Folder";
    EXPECT_EQ(host.choose("Plot / Cut"), kJobFileError);
    EXPECT_TRUE(system.started.empty());
    ASSERT_EQ(host.modals.size(), 1u);
    EXPECT_EQ(host.modals[0].text, "The job file could not be written to the temporary folder.");
}

TEST_F(ExportTest, AnOldJobFileIsReplaced) {
    writeFile(system.local("C:\\Users\\Anna\\AppData\\Local\\Temp\\qxjob.qxj"), std::string(100000, 'x'));
    rect(host.addLayer("L").group, 0, 0, 10, 10);
    ASSERT_EQ(host.choose("Plot / Cut"), kSPNoError);
    EXPECT_EQ(jobBytes().rfind("Sartovin Daten von AI.\r\nQXSeite\r\n", 0), 0u);
    EXPECT_EQ(jobBytes().find('x'), std::string::npos);
}

}  // namespace
}  // namespace sartovin::test
