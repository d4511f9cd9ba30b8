#include <gtest/gtest.h>

#include "JobTestSupport.h"
#include "job/IllustratorJobWriter.h"
#include "job/JobFileReader.h"
#include "job/JobModel.h"
#include "platform/Files.h"

namespace sartovin {
namespace {

using test::crlf;

constexpr double k = kPointsPerMm;

ExportAnchor corner(double xMm, double yMm) {
    ExportAnchor a;
    a.x = a.inX = a.outX = xMm * k;
    a.y = a.inY = a.outY = yMm * k;
    return a;
}

ExportPath rectangle(double x, double y, double w, double h) {
    ExportPath p;
    p.anchors = {corner(x, y), corner(x + w, y), corner(x + w, y + h), corner(x, y + h)};
    p.closed = true;
    p.filled = true;
    p.bounds = {x * k, (y + h) * k, (x + w) * k, y * k};
    p.fill.kind = ExportColourKind::Rgb;
    p.fill.components[0] = 1;
    p.fill.swatchName = "Rot";
    return p;
}

const PointRect kA4{0, 297 * k, 210 * k, 0};

TEST(IllustratorJobWriterTest, ASmallDocumentIsWrittenByteForByte) {
    ExportLayer layer;
    layer.title = "Ebene 1";
    layer.paths.push_back(rectangle(10, 20, 30, 15));
    layer.paths[0].selected = true;

    // A text frame of two glyphs whose first glyph has no length: the second carries the header.
    ExportPath dot;
    dot.anchors = {corner(5, 5)};
    dot.filled = true;
    dot.fill.kind = ExportColourKind::Cmyk;
    ExportPath glyph;
    glyph.anchors = {corner(1, 1), corner(2, 3)};
    glyph.anchors[1].smooth = true;
    glyph.anchors[1].inX = 1.5 * k;
    glyph.anchors[1].outY = 3.25 * k;
    glyph.filled = true;
    glyph.startsObject = false;
    glyph.bounds = {0, 4 * k, 3 * k, 0};
    glyph.fill.kind = ExportColourKind::Cmyk;
    glyph.fill.components[0] = 0.125;  // 12.5 + 0.4999 → 12
    glyph.fill.components[3] = 1;
    layer.paths.push_back(dot);
    layer.paths.push_back(glyph);

    ExportLayer empty;
    empty.title = "Leer";
    ExportPath unfilled = rectangle(0, 0, 1, 1);
    unfilled.fill.kind = ExportColourKind::None;
    unfilled.closed = false;
    empty.paths.push_back(unfilled);

    auto bytes = formatIllustratorJob(kA4, {layer, empty});
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, crlf({"Sartovin Daten von AI.",
                            "QXSeite",
                            "210.000 297.000",
                            "QXEbene",
                            "Ebene 1",
                            "QXObjekt",
                            "QXAuswahl",
                            "ja",
                            "QXKoordinaten",
                            "10.000 35.000 40.000 20.000",
                            "QXFuellfarbe",
                            "Rot",
                            "RGB",
                            "255 0 0",
                            "QXStart",
                            "QXGeschlossen",
                            "ja",
                            "C 10.000 20.000 10.000 20.000 10.000 20.000",
                            "C 40.000 20.000 40.000 20.000 40.000 20.000",
                            "C 40.000 35.000 40.000 35.000 40.000 35.000",
                            "C 10.000 35.000 10.000 35.000 10.000 35.000",
                            "QXEnde",
                            "QXObjekt",
                            "QXAuswahl",
                            "nein",
                            "QXKoordinaten",
                            "0.000 4.000 3.000 0.000",
                            "QXFuellfarbe",
                            "unbenannt",
                            "CMYK",
                            "12 0 0 100",
                            "QXStart",
                            "QXGeschlossen",
                            "nein",
                            "C 1.000 1.000 1.000 1.000 1.000 1.000",
                            "S 2.000 3.000 1.500 3.000 2.000 3.250",
                            "QXEnde",
                            "QXEbene",
                            "Leer",
                            "QXObjekt",
                            "QXAuswahl",
                            "nein",
                            "QXKoordinaten",
                            "0.000 1.000 1.000 0.000",
                            "QXFuellfarbe",
                            "keine",
                            "",
                            "",
                            "QXStart",
                            "QXGeschlossen",
                            "nein",
                            "C 0.000 0.000 0.000 0.000 0.000 0.000",
                            "C 1.000 0.000 1.000 0.000 1.000 0.000",
                            "C 1.000 1.000 1.000 1.000 1.000 1.000",
                            "C 0.000 1.000 0.000 1.000 0.000 1.000",
                            "QXEnde"}));
}

TEST(IllustratorJobWriterTest, ColourLinesForEveryKindOfFill) {
    auto colourLines = [](ExportColourKind kind, double a, double b, double c, double d) {
        ExportPath p = rectangle(0, 0, 1, 1);
        p.fill.kind = kind;
        p.fill.swatchName.clear();
        p.fill.components[0] = a;
        p.fill.components[1] = b;
        p.fill.components[2] = c;
        p.fill.components[3] = d;
        std::string text = *formatIllustratorJob(kA4, {ExportLayer{"L", {p}}});
        std::size_t from = text.find("QXFuellfarbe\r\n") + 14;
        return text.substr(from, text.find("QXStart") - from);
    };
    // × 255 (or × 100) + 0.4999, truncated: one half stays below the next step.
    EXPECT_EQ(colourLines(ExportColourKind::Rgb, 0.5, 0.002, 1, 0), "unbenannt\r\nRGB\r\n127 1 255\r\n");
    EXPECT_EQ(colourLines(ExportColourKind::Cmyk, 0.005, 0.006, 1, 0.5),
              "unbenannt\r\nCMYK\r\n0 1 100 50\r\n");
    EXPECT_EQ(colourLines(ExportColourKind::Grey, 0.07, 0, 0, 0), "unbenannt\r\nCMYK\r\n0 0 0 7\r\n");
    EXPECT_EQ(colourLines(ExportColourKind::Other, 0.3, 0.3, 0.3, 0.3), "unbenannt\r\nRGB\r\n0 0 0\r\n");
    EXPECT_EQ(colourLines(ExportColourKind::Rgb, -3, 7, 0, 0), "unbenannt\r\nRGB\r\n0 255 0\r\n");
}

TEST(IllustratorJobWriterTest, SkipRulesForPathsThatCannotBeCut) {
    ExportPath line;
    line.anchors = {corner(0, 0), corner(0, 0)};
    EXPECT_TRUE(exportPathSkipped(line));  // no length
    line.anchors[1] = corner(0, 10);
    EXPECT_FALSE(exportPathHasLength(ExportPath{}));
    EXPECT_TRUE(exportPathHasLength(line));

    // Unpainted and unstroked: judged by its plain bounds.
    line.bounds = {0, 100, 0, 0};
    EXPECT_FALSE(exportPathSkipped(line));  // a 100-point vertical line is written
    line.bounds = {0, 20000, 0, 0};
    EXPECT_TRUE(exportPathSkipped(line));  // a guide across the pasteboard is not
    line.bounds = {0, 0, 20000, 0};
    EXPECT_TRUE(exportPathSkipped(line));
    line.bounds = {0, 0, 0, 0};
    EXPECT_TRUE(exportPathSkipped(line));
    line.bounds = {0, 20000, 1, 0};
    EXPECT_FALSE(exportPathSkipped(line));
    line.stroked = true;
    line.bounds = {0, 20000, 0, 0};
    EXPECT_FALSE(exportPathSkipped(line));  // a stroked line is art
    line.stroked = false;
    line.testBounds = PointRect{0, 100, 0, 0};
    EXPECT_FALSE(exportPathSkipped(line));  // the plain bounds decide when given
}

TEST(IllustratorJobWriterTest, NamesAreWrittenInTheCodePageOnOneLine) {
    ExportPath p = rectangle(0, 0, 1, 1);
    p.fill.swatchName = "Gr\u00fcn\nneu";
    ExportLayer layer{"Ebene \u20ac \u4e2d\r\nzwei", {p}};
    auto bytes = formatIllustratorJob(kA4, {layer});
    ASSERT_TRUE(bytes);
    EXPECT_NE(bytes->find("QXEbene\r\nEbene \x80 ?  zwei\r\nQXObjekt"), std::string::npos);
    EXPECT_NE(bytes->find("QXFuellfarbe\r\nGr\xfcn neu\r\nRGB"), std::string::npos);

    ExportLayer longTitle{std::string(1500, 'x'), {p}};
    bytes = formatIllustratorJob(kA4, {longTitle});
    EXPECT_NE(bytes->find("\r\n" + std::string(999, 'x') + "\r\nQXObjekt"), std::string::npos);
}

TEST(IllustratorJobWriterTest, AWrittenFileReadsBackAndReplacesTheOldOne) {
    test::ReaderHarness h;
    std::string path = h.dir.file("qxjob.qxj");
    test::writeFile(path, "old content that is much longer than nothing");
    ExportPath circleish = rectangle(0, 0, 20, 20);
    circleish.anchors[1].smooth = true;
    circleish.anchors[1].inX = 15 * k;
    circleish.anchors[1].outY = 5 * k;
    ExportPath skipped;
    ExportLayer layer{"Motiv", {skipped, circleish}};
    ASSERT_TRUE(writeIllustratorJob(path, kA4, {layer}));
    Job job;
    JobState state;
    ASSERT_TRUE(readIllustratorJob(path, job, state, h.ctx));
    EXPECT_DOUBLE_EQ(job.pageWidth, 210);
    ASSERT_EQ(job.layers.size(), 1u);
    ASSERT_EQ(job.layers[0].objects.size(), 1u);
    const auto& segs = job.layers[0].objects[0].paths[0].segments;
    ASSERT_EQ(segs.size(), 4u);
    EXPECT_EQ(segs[0].kind, kSegmentCurve);
    EXPECT_EQ(segs[1].kind, kSegmentCurve);
    EXPECT_EQ(segs[2].kind, kSegmentLine);
    EXPECT_DOUBLE_EQ(segs[0].ctrl2X, 15);
    EXPECT_DOUBLE_EQ(segs[1].ctrl1Y, 5);
    EXPECT_EQ(job.layers[0].objects[0].colourName, "Rot (R=255, G=0, B=0)");

    EXPECT_FALSE(writeIllustratorJob(h.dir.file("missing/folder/qxjob.qxj"), kA4, {layer}));
}

}  // namespace
}  // namespace sartovin
