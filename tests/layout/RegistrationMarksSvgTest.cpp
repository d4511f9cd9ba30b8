#include "layout/RegistrationMarksSvg.h"

#include <gtest/gtest.h>

#include "base/Texts.h"
#include "job/SvgReader.h"
#include "layout/RegistrationMarks.h"
#include "platform/ScriptedInteraction.h"

namespace sartovin {
namespace {

const std::string kHead =
    "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" "
    "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" width=\"210mm\" height=\"297mm\" "
    "viewBox=\"0 0 210 297\">\n";

TEST(RegistrationMarksSvg, TheFirstVisibleMarksLayerIsFoundWithAllItHolds) {
    const std::string svg =
        kHead +
        "  <g inkscape:groupmode=\"layer\" inkscape:label=\"QX-PassermarkenEbene\" "
        "style=\"display:none\"><path d=\"M 0,0 L 1,1\"/></g>\n"
        "  <g inkscape:groupmode=\"layer\" inkscape:label=\"Ebene 1\"><g><path d=\"M 0,0 L 5,5\"/></g></g>\n"
        "  <g inkscape:label=\" QX-PassermarkenEbene \" inkscape:groupmode=\"layer\">\n"
        "    <g id=\"inner\"><path d=\"M 1,1 L 2,2\"/><g/></g><!-- </g> -->\n"
        "    <path d=\"M 3,3 L 4,4\"/>\n  </g>\n"
        "  <path id=\"after\" d=\"M 9,9 L 8,8\"/>\n</svg>\n";
    std::size_t begin = 0, end = 0;
    ASSERT_TRUE(findSvgMarksLayer(svg, begin, end));
    EXPECT_EQ(svg.substr(end, 3), "\n  ");
    bool removed = false;
    const std::string rest = svgWithoutMarksLayer(svg, removed);
    EXPECT_TRUE(removed);
    EXPECT_EQ(rest.find("inner"), std::string::npos);
    EXPECT_NE(rest.find("display:none"), std::string::npos);  // the hidden one stays
    EXPECT_NE(rest.find("Ebene 1\"><g><path d=\"M 0,0 L 5,5\"/></g></g>\n  <path id=\"after\""),
              std::string::npos);

    const std::string none = kHead + "</svg>\n";
    EXPECT_EQ(svgWithoutMarksLayer(none, removed), none);
    EXPECT_FALSE(removed);
}

TEST(RegistrationMarksSvg, TheArtworkComesFromInkscapesAnswer) {
    MarkRect art;
    const std::string answer =
        "** (inkscape:8017): WARNING **: 03:51:33.621: Failed to wrap object\n"
        "svg11,37.7953,75.5906,377.953,188.976\nlayer1,0,0,1,1\n";
    ASSERT_TRUE(artworkFromInkscapeQuery(answer, art));
    // 10 mm, 20 mm from the page's top left; 100 × 50 mm; in points with y upwards.
    EXPECT_NEAR(art.left / kMarkPointsPerMm, 10, 1e-3);
    EXPECT_NEAR(art.right / kMarkPointsPerMm, 110, 1e-3);
    EXPECT_NEAR(art.top / kMarkPointsPerMm, -20, 1e-3);
    EXPECT_NEAR(art.bottom / kMarkPointsPerMm, -70, 1e-3);
    EXPECT_FALSE(artworkFromInkscapeQuery("", art));
    EXPECT_FALSE(artworkFromInkscapeQuery("svg1,a,b,c,d\n", art));
}

TEST(RegistrationMarksSvg, TheLayerIsDrawnInUserUnitsWithTheIdentityInRed) {
    SvgDocumentUnits units;
    ASSERT_TRUE(svgDocumentUnits(kHead + "</svg>", units));
    EXPECT_DOUBLE_EQ(units.mmPerUnitX, 1);
    const MarkRect mm10{10 * kMarkPointsPerMm, -20 * kMarkPointsPerMm, 12 * kMarkPointsPerMm,
                        -25 * kMarkPointsPerMm};
    const std::string layer = svgMarksLayer({{mm10, 7}, {mm10, 10}}, units);
    EXPECT_NE(layer.find("inkscape:label=\"QX-PassermarkenEbene\""), std::string::npos);
    EXPECT_NE(layer.find("sodipodi:insensitive=\"true\""), std::string::npos);
    EXPECT_NE(layer.find("fill:#070000;fill-opacity:1;stroke:none\" d=\"M 10,25 L 12,25 L 12,20 L 10,20 Z\""),
              std::string::npos)
        << layer;
    EXPECT_NE(layer.find("fill:#0a0000"), std::string::npos);

    // A drawing in px with a shifted viewBox.
    const std::string px =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"-5 -5 100 100\" width=\"100\" "
        "height=\"100\"></svg>";
    ASSERT_TRUE(svgDocumentUnits(px, units));
    const std::string shifted =
        svgMarksLayer({{{0, 0, 25.4 / 96 * kMarkPointsPerMm, -25.4 / 96 * kMarkPointsPerMm}, 0}}, units);
    EXPECT_NE(shifted.find("d=\"M -5,-4 L -4,-4 L -4,-5 L -5,-5 Z\""), std::string::npos) << shifted;

    // Inserted below everything else, with the namespaces a plain drawing lacks.
    const std::string plain = svgWithMarksLayer(px, layer);
    EXPECT_NE(plain.find("xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\""),
              std::string::npos);
    EXPECT_NE(plain.find("xmlns:sodipodi="), std::string::npos);
    EXPECT_LT(plain.find("xmlns:sodipodi="), plain.find('>'));
    EXPECT_NE(plain.find(">\n<g inkscape:groupmode=\"layer\""), std::string::npos);
    const std::string inkscapes = svgWithMarksLayer(
        kHead + "<defs id=\"d\"/><sodipodi:namedview id=\"v\"><x/></sodipodi:namedview><g id=\"art\"/></svg>",
        "<L/>");
    EXPECT_NE(inkscapes.find("</sodipodi:namedview>\n<L/><g id=\"art\"/>"), std::string::npos) << inkscapes;
    EXPECT_EQ(svgWithMarksLayer("<g/>", layer), "<g/>");
}

TEST(RegistrationMarksSvg, TheSvgImportReadsTheMarksBack) {
    // The default marks around artwork 0..100 mm, in a drawing at the import's own 90 units per
    // inch (as the Inkscape run leaves it).
    const MarksResult marks = registrationMarks(MarksVariant::Standard, MarkSettings{},
                                                {0, 100 * kMarkPointsPerMm, 100 * kMarkPointsPerMm, 0});
    SvgDocumentUnits units;
    units.mmPerUnitX = units.mmPerUnitY = 1 / kSvgUnitsPerMm;
    const std::string svg =
        svgWithMarksLayer(kHead + "  <defs id=\"d\"><g id=\"clip\"/></defs>\n" +
                              "  <g inkscape:groupmode=\"layer\" inkscape:label=\"Art\"><path d=\"M 0,0 L "
                              "354.331,0\"/></g>\n</svg>\n",
                          svgMarksLayer(marks.rectangles, units));
    Texts texts;
    ScriptedInteraction ui;
    JobImportContext ctx{texts, ui};
    Job job;
    JobState state;
    state.markSensorFlag = true;
    ASSERT_TRUE(readSvgText(svg, job, state, ctx));
    EXPECT_TRUE(state.marksLayerFlag);
    EXPECT_TRUE(state.marksMode);  // ten marks
    const JobLayer* layer = RegistrationMarks::marksLayer(job);
    ASSERT_NE(layer, nullptr);
    ASSERT_EQ(layer->objects.size(), 10u);
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(static_cast<int>(layer->objects[i].fillColour & 0xFF), marks.rectangles[i].identity) << i;
    // The import does not turn y (the Inkscape run does): the lower-left mark lies at y = +30 here.
    const MarkMeasurements m = RegistrationMarks::measure(job, 2);
    EXPECT_NEAR(m.markOriginX, -30, 1e-3);
    EXPECT_NEAR(m.markDistanceX, 160, 1e-3);
}

}  // namespace
}  // namespace sartovin
