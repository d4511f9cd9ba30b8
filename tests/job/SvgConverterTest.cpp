// Our own SVG conversion where it needs no Inkscape to compare with: what is left out, what is
// counted, damaged and hostile input. (SvgEqualityTest holds the geometry equal to Inkscape's.)

#include <gtest/gtest.h>

#include <string>

#include "job/JobModel.h"
#include "job/SvgConverter.h"
#include "job/SvgReader.h"
#include "platform/ScriptedInteraction.h"
#include "support/TempDir.h"

using namespace sartovin;

namespace {

const std::string kHead =
    "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
    "xmlns:inkscape=\"http://www.inkscape.org/namespaces/inkscape\" width=\"100mm\" height=\"100mm\" "
    "viewBox=\"0 0 100 100\">";

struct Read {
    SvgConversion conversion;
    Job job;
    JobState state;
    bool ok = false;
};

Read convertAndRead(const std::string& svg) {
    Read r;
    r.ok = convertSvg(svg, r.conversion);
    if (!r.ok) return r;
    Texts texts;
    ScriptedInteraction ui;
    JobImportContext ctx{texts, ui};
    r.ok = readSvgText(r.conversion.text, r.job, r.state, ctx);
    return r;
}

std::size_t objectCount(const Job& job) {
    std::size_t n = 0;
    for (const JobLayer& l : job.layers) n += l.objects.size();
    return n;
}

}  // namespace

TEST(SvgConverter, HiddenThingsAndDefinitionsAreLeftOut) {
    const Read r = convertAndRead(
        kHead +
        "<defs><rect id=\"r\" width=\"5\" height=\"5\"/></defs>"
        "<clipPath id=\"c\"><rect width=\"50\" height=\"50\"/></clipPath>"
        "<g style=\"display:none\"><rect width=\"10\" height=\"10\"/><circle r=\"3\"/></g>"
        "<rect width=\"10\" height=\"10\" display=\"none\"/>"
        "<g class=\"gone\"><rect width=\"10\" height=\"10\"/></g><style>.gone { display: none }</style>"
        "<rect x=\"20\" width=\"10\" height=\"10\" fill=\"#123456\"/>"
        "<image width=\"10\" height=\"10\" href=\"x.png\"/>"
        "<ellipse cx=\"5\" cy=\"5\" rx=\"3\"/><rect width=\"0\" height=\"4\"/><circle r=\"0\"/>"
        "<path d=\"M 1,1\"/><polyline points=\"3,3\"/>"
        "</svg>");
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.conversion.objects, 1);
    EXPECT_EQ(r.job.layers[0].objects[0].colourName, "R=18 G=52 B=86");
}

TEST(SvgConverter, TextIsCountedWhereItWouldBeDrawn) {
    SvgConversion c;
    ASSERT_TRUE(
        convertSvg(kHead + "<text x=\"1\" y=\"10\">one<tspan>two</tspan></text>"
                           "<g><a><text y=\"20\">three</text></a></g>"
                           "<flowRoot><flowRegion><rect width=\"9\" height=\"9\"/></flowRegion></flowRoot>"
                           "<defs><text id=\"t\">in defs</text></defs><use xlink:href=\"#t\"/>"
                           "<text style=\"display:none\">hidden</text>"
                           "<g inkscape:groupmode=\"layer\" style=\"display:none\"><text>hidden</text></g>"
                           "<rect width=\"5\" height=\"5\"/></svg>",
                   c));
    EXPECT_EQ(c.textObjects, 4);
    EXPECT_EQ(c.objects, 1);
}

TEST(SvgConverter, UseElementsAndTheirLoops) {
    // SVG 2's plain href, a use of a use, and uses that would show themselves for ever.
    const Read r = convertAndRead(kHead +
                                  "<rect id=\"a\" width=\"10\" height=\"10\" fill=\"#ff0000\"/>"
                                  "<use id=\"b\" href=\"#a\" x=\"20\"/><use xlink:href=\"#b\" y=\"20\"/>"
                                  "<use id=\"self\" xlink:href=\"#self\"/>"
                                  "<g id=\"loop\"><use xlink:href=\"#loop\"/></g>"
                                  "<use xlink:href=\"#nothing\"/><use xlink:href=\"http://elsewhere/#a\"/>"
                                  "</svg>");
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(objectCount(r.job), 3u);
    const auto& o = r.job.layers[0].objects;
    EXPECT_NEAR(o[1].boundsX1 - o[0].boundsX1, 20, 1e-6);
    EXPECT_NEAR(o[2].boundsX1 - o[0].boundsX1, 20, 1e-6);
    EXPECT_NEAR(o[2].boundsY1 - o[0].boundsY1, -20, 1e-6);  // 20 further down the page: lower
    for (const JobObject& x : o) EXPECT_EQ(x.colourName, "R=255 G=0 B=0");
}

TEST(SvgConverter, DamagedPathDataKeepsWhatCameBeforeItsLastSegment) {
    // As Inkscape: the segments before the damage, less the last one, are drawn.
    const Read r = convertAndRead(kHead + "<path d=\"M 0,0 L 10,0 L 10,10 L 0,10 L 5\"/></svg>");
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(objectCount(r.job), 1u);
    EXPECT_EQ(r.job.layers[0].objects[0].paths[0].segments.size(), 2u);
}

TEST(SvgConverter, LayersKeepTheirLabelsAndOrder) {
    const Read r = convertAndRead(
        kHead +
        "<g inkscape:groupmode=\"layer\" inkscape:label=\"A &amp; B\"><rect width=\"5\" height=\"5\"/></g>"
        "<g inkscape:groupmode=\"layer\"><rect width=\"5\" height=\"5\"/><rect width=\"5\" height=\"5\"/></g>"
        "<g inkscape:groupmode=\"layer\" inkscape:label=\"QX-PassermarkenEbene\"><rect width=\"5\" "
        "height=\"5\"/></g>"
        "</svg>");
    ASSERT_TRUE(r.ok);
    ASSERT_EQ(r.job.layers.size(), 3u);
    EXPECT_EQ(r.job.layers[0].name, "A & B");
    EXPECT_EQ(r.job.layers[1].name, "QX-Ebene2");
    EXPECT_EQ(r.job.layers[1].objects.size(), 2u);
    EXPECT_TRUE(r.state.marksLayerFlag);
}

TEST(SvgConverter, EntitiesOfTheDocumentButNoOutsideFiles) {
    // Older Illustrator versions write their styles as entities of the document's own DTD.
    const std::string own =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE svg [ <!ENTITY st0 \"fill:#00FF00;\"> ]>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\">"
        "<rect style=\"&st0;\" width=\"5\" height=\"5\"/></svg>";
    Read r = convertAndRead(own);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.job.layers[0].objects[0].colourName, "R=0 G=255 B=0");

    // An entity naming a file on this machine is never read.
    test::TempDir dir;
    test::writeFile(dir.file("secret.txt"), "fill:#ff0000");
    const std::string outside =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE svg [ <!ENTITY x SYSTEM \"file://" + dir.file("secret.txt") +
        "\"> ]>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"10\">"
        "<rect style=\"&x;\" width=\"5\" height=\"5\"/></svg>";
    SvgConversion c;
    if (convertSvg(outside, c)) {
        EXPECT_EQ(c.text.find("ff0000"), std::string::npos) << c.text;
    }

    // Entities that expand beyond all measure are refused.
    std::string bomb = "<?xml version=\"1.0\"?>\n<!DOCTYPE svg [ <!ENTITY a0 \"aaaaaaaaaaaaaaaaaaaa\">";
    for (int i = 1; i < 12; ++i) {
        std::string value;
        for (int k = 0; k < 10; ++k) value += "&a" + std::to_string(i - 1) + ";";
        bomb += " <!ENTITY a" + std::to_string(i) + " \"" + value + "\">";
    }
    bomb +=
        " ]>\n<svg xmlns=\"http://www.w3.org/2000/svg\"><rect id=\"&a11;\" width=\"5\" height=\"5\"/></svg>";
    EXPECT_FALSE(convertSvg(bomb, c));
}

TEST(SvgConverter, WhatIsNoSvgDocument) {
    SvgConversion c;
    EXPECT_FALSE(convertSvg("", c));
    EXPECT_EQ(c.failure, SvgConvertFailure::NotXml);
    EXPECT_FALSE(convertSvg("<svg><g><path d=\"M 0", c));
    EXPECT_EQ(c.failure, SvgConvertFailure::NotXml);
    EXPECT_FALSE(convertSvg("<html><body/></html>", c));
    EXPECT_EQ(c.failure, SvgConvertFailure::NotSvg);
    // An svg element of another namespace is not ours.
    EXPECT_FALSE(convertSvg("<svg xmlns=\"urn:other\"/>", c));
    // Empty but well-formed: converted, with nothing in it.
    ASSERT_TRUE(convertSvg("<svg/>", c));
    EXPECT_EQ(c.objects, 0);
}

TEST(SvgConverter, SeeminglyEndlessNestingAndHugeValues) {
    // Deeply nested groups (beyond the parser's default limit of 256) are converted; coordinates
    // far beyond any cutter leave their object out.
    std::string deep = kHead;
    for (int i = 0; i < 1000; ++i) deep += "<g transform=\"translate(0.01,0)\">";
    deep += "<rect width=\"5\" height=\"5\"/>";
    for (int i = 0; i < 1000; ++i) deep += "</g>";
    deep += "<rect x=\"1e300\" width=\"1e300\" height=\"5\"/></svg>";
    const Read r = convertAndRead(deep);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.conversion.objects, 1);
}

TEST(SvgConverter, WhatItWritesTheReaderAlwaysTakes) {
    // Every cut-off piece of the corpus drawings that still converts reads without the reader's
    // question about unknown objects or its refusals.
    for (const char* name : {"shapes-px.svg", "transforms-mm.svg", "use-in.svg", "layers-styles.svg"}) {
        const std::string whole =
            test::readFile(std::string(SARTOVIN_SOURCE_DIR) + "/tests/job/fixtures/corpus/" + name);
        ASSERT_FALSE(whole.empty()) << name;
        for (std::size_t n = 0; n <= whole.size(); n += 13) {
            SvgConversion c;
            if (!convertSvg(whole.substr(0, n) + (n < whole.size() ? "</svg>" : ""), c)) continue;
            Texts texts;
            ScriptedInteraction ui;
            JobImportContext ctx{texts, ui};
            Job job;
            JobState state;
            const bool ok = readSvgText(c.text, job, state, ctx);
            EXPECT_TRUE(ok || ctx.failure == JobReadFailure::NoSegments) << name << " at " << n;
            for (const std::string& m : ui.messageTexts())
                EXPECT_TRUE(m != kSvgUnknownObjects && m != kSvgMatrixRefused && m != kSvgNotReadable)
                    << name;
        }
    }
}
