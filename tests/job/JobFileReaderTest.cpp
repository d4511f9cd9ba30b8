#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "JobTestSupport.h"
#include "job/JobColours.h"
#include "job/JobFileReader.h"
#include "job/JobModel.h"
#include "job/JobTextEncoding.h"
#include "platform/Files.h"

namespace sartovin {
namespace {

using test::crlf;
using test::readFile;
using test::writeFile;

class JobFileReaderTest : public ::testing::Test {
protected:
    bool readAi(const std::string& bytes) {
        writeFile(h.dir.file("qxjob.qxj"), bytes);
        return readIllustratorJob(h.dir.file("qxjob.qxj"), job, state, h.ctx);
    }
    bool readCorel(const std::string& utf16) {
        writeFile(h.dir.file("corel.qxj"), utf16);
        return readCorelJob(h.dir.file("corel.qxj"), job, state, h.ctx);
    }
    const JobObject& object(std::size_t layer = 0, std::size_t o = 0) {
        return job.layers.at(layer).objects.at(o);
    }
    const std::vector<PathSegment>& segments(std::size_t p = 0) { return object().paths.at(p).segments; }

    test::ReaderHarness h;
    Job job;
    JobState state;
};

// A 10 × 5 mm rectangle of four corner anchors, as the plug-in writes it (with decimal commas, as a
// host set to a German locale may leave them).
const std::string kRectangle = crlf({
    "Sartovin Daten von AI.",
    "QXSeite",
    "12,5 7,25",
    "QXEbene",
    "  Ebene 1  ",
    "QXObjekt",
    "QXAuswahl",
    "JA",
    "QXKoordinaten",
    "0,000 5,000 10,000 0,000",
    "QXFuellfarbe",
    "Rot",
    "RGB",
    "255 0 0",
    "QXStart",
    "QXGeschlossen",
    "ja",
    "C 0,000 0,000 0,000 0,000 0,000 0,000",
    "C 10,000 0,000 10,000 0,000 10,000 0,000",
    "C 10,000 5,000 10,000 5,000 10,000 5,000",
    "C 0,000 5,000 0,000 5,000 0,000 5,000",
    "QXEnde",
});

TEST_F(JobFileReaderTest, ARectangleOfCornersBecomesFourClosedLines) {
    ASSERT_TRUE(readAi(kRectangle));
    EXPECT_EQ(job.pageWidth, 12.5);
    EXPECT_EQ(job.pageHeight, 7.25);
    ASSERT_EQ(job.layers.size(), 1u);
    EXPECT_EQ(job.layers[0].name, "Ebene 1");
    EXPECT_TRUE(job.layers[0].enabled);
    EXPECT_TRUE(object().selected);
    EXPECT_EQ(object().colourName, "Rot (R=255, G=0, B=0)");
    EXPECT_EQ(object().fillColour, 255u);
    EXPECT_EQ(object().boundsY1, 5);
    ASSERT_EQ(object().paths.size(), 1u);
    EXPECT_TRUE(object().paths[0].closed);
    ASSERT_EQ(segments().size(), 4u);
    const double lengths[4] = {10, 5, 10, 5};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(segments()[i].kind, kSegmentLine) << i;
        EXPECT_EQ(segments()[i].handleState, 2) << i;
        EXPECT_DOUBLE_EQ(segments()[i].length, lengths[i]) << i;
    }
    EXPECT_EQ(segments()[3].endX, 0);  // closed back to the first anchor
    EXPECT_EQ(segments()[3].endY, 0);
    EXPECT_EQ(state.objectTotal, 1);
    EXPECT_EQ(state.pathTotal, 1);
    EXPECT_DOUBLE_EQ(state.extent.spanX, 11);
    EXPECT_DOUBLE_EQ(state.extent.spanY, 6);
    ASSERT_EQ(job.colourGroups.size(), 1u);
    EXPECT_TRUE(h.ui.messages.empty());
    EXPECT_EQ(h.ctx.failure, JobReadFailure::None);
}

TEST_F(JobFileReaderTest, HandlesFillTheControlsAndASmoothAnchorKeepsItsCurves) {
    // A closed path: corner (0,0), smooth (10,0) with handles, corner (10,10), corner (0,10).
    ASSERT_TRUE(readAi(crlf({"QXSeite",
                             "100 100",
                             "QXEbene",
                             "L",
                             "QXObjekt",
                             "QXAuswahl",
                             "nein",
                             "QXKoordinaten",
                             "0 10 12 0",
                             "QXFuellfarbe",
                             "keine",
                             "",
                             "",
                             "QXStart",
                             "QXGeschlossen",
                             "ja",
                             "C 0 0 0 0 0 0",
                             "S 10 0 8 -1 12 1",
                             "C 10 10 10 10 10 10",
                             "C 0 10 0 10 0 10",
                             "QXEnde"})));
    EXPECT_FALSE(object().selected);
    EXPECT_EQ(object().colourName, "keine (R=0, G=0, B=0)");
    EXPECT_EQ(object().fillColour, 0u);
    EXPECT_EQ(object().colourKind, kColourRgb);
    const auto& s = segments();
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].kind, kSegmentCurve);  // arrives at the smooth anchor
    EXPECT_EQ(s[1].kind, kSegmentCurve);  // leaves it
    EXPECT_EQ(s[2].kind, kSegmentLine);
    EXPECT_EQ(s[3].kind, kSegmentLine);  // closing segment: both its anchors are corners
    EXPECT_EQ(s[1].handleState, 1);
    // Segment 0: P1 = outgoing handle of anchor 0, P2 = incoming handle of anchor 1.
    EXPECT_EQ(s[0].ctrl2X, 8);
    EXPECT_EQ(s[0].ctrl2Y, -1);
    EXPECT_EQ(s[0].endX, 10);
    // Segment 1 leaves the smooth anchor along its outgoing handle.
    EXPECT_EQ(s[1].ctrl1X, 12);
    EXPECT_EQ(s[1].ctrl1Y, 1);
    EXPECT_EQ(s[1].ctrl2X, 10);
    EXPECT_EQ(s[1].ctrl2Y, 10);
    EXPECT_GT(s[0].length, 10);
    EXPECT_EQ(s[3].ctrl2X, 0);  // the first anchor's incoming handle, read before it was replaced
    EXPECT_EQ(s[3].endY, 0);
}

TEST_F(JobFileReaderTest, AnOpenPathsLastAnchorIsAPointOfLengthZero) {
    ASSERT_TRUE(readAi(crlf({"QXSeite", "10 10", "QXEbene", "L", "QXObjekt", "QXStart", "QXGeschlossen",
                             "nein", "S 0 0 -1 -1 1 1", "S 5 5 4 4 6 6", "QXEnde"})));
    const auto& s = segments();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_FALSE(object().paths[0].closed);
    EXPECT_GT(s[0].length, 0);
    EXPECT_EQ(s[1].length, 0);
    EXPECT_EQ(s[1].endX, 5);
    EXPECT_EQ(s[1].endY, 5);
    EXPECT_EQ(s[1].ctrl1X, 5);
    EXPECT_EQ(s[1].ctrl2Y, 5);
}

TEST_F(JobFileReaderTest, SelectionIsOnlyClearedByNein) {
    auto selectedFor = [&](const char* line) {
        EXPECT_TRUE(
            readAi(crlf({"QXSeite", "1 1", "QXEbene", "L", "QXObjekt", "QXAuswahl", line, "QXKoordinaten",
                         "0 0 1 1", "QXStart", "C 0 0 0 0 0 0", "C 1 1 1 1 1 1", "QXEnde"})));
        return object().selected;
    };
    EXPECT_TRUE(selectedFor("JA"));
    EXPECT_TRUE(selectedFor(""));
    EXPECT_TRUE(selectedFor("vielleicht"));
    EXPECT_FALSE(selectedFor("nein"));
    EXPECT_FALSE(selectedFor("  nein  "));
}

TEST_F(JobFileReaderTest, CmykIsPackedOnTheMarksLayerAndShownAsRgbElsewhere) {
    auto object = [](const char* model, const char* values) {
        std::string o =
            crlf({"QXObjekt", "QXAuswahl", "nein", "QXKoordinaten", "0 0 1 1", "QXFuellfarbe", "Passer"});
        o += crlf({model, values, "QXStart", "C 0 0 0 0 0 0", "C 1 0 1 0 1 0", "QXEnde"});
        return o;
    };
    std::string file = crlf({"QXSeite", "100 100", "QXEbene", "QX-PassermarkenEbene"});
    file += object("CMYK", "0 0 0 100");
    file += object("CMYK", "100 100 100 7");
    file += object("CMYK", "100 100");  // identity missing: K = 100
    file += object("CMYK", "junk");     // nothing parses: C = M = Y = 0, K = 100
    file += object("RGB", "255 255 255");
    file += crlf({"QXEbene", "Motiv"});
    file += object("CMYK", "0 0 0 100");
    file += object("CMYK", "");  // nothing: paper white, shown as grey 230
    file += object("RGB", "250 215 211");
    ASSERT_TRUE(readAi(file));
    ASSERT_EQ(job.layers.size(), 2u);
    EXPECT_TRUE(state.marksLayerFlag);
    EXPECT_FALSE(state.marksMode);  // no sensor
    const auto& marks = job.layers[0].objects;
    EXPECT_EQ(marks[0].fillColour, 100u);
    EXPECT_EQ(marks[0].colourKind, kColourCmyk);
    EXPECT_EQ(marks[0].colourName, "Passer (C=0%, M=0%, Y=0%, K=100%)");
    EXPECT_EQ(marks[1].fillColour, (100u << 24) | (100u << 16) | (100u << 8) | 7u);
    EXPECT_EQ(marks[2].fillColour, (100u << 24) | (100u << 16) | 100u);
    EXPECT_EQ(marks[2].colourName, "Passer (C=100%, M=100%, Y=0%, K=100%)");
    EXPECT_EQ(marks[3].fillColour, 100u);
    EXPECT_EQ(marks[4].colourKind, kColourRgb);
    EXPECT_EQ(marks[4].fillColour, packRgb({230, 230, 230}));
    const auto& art = job.layers[1].objects;
    EXPECT_EQ(art[0].fillColour, 0u);
    EXPECT_EQ(art[0].colourKind, kColourRgb);
    EXPECT_EQ(art[0].colourName, "Passer (C=0%, M=0%, Y=0%, K=100%)");
    EXPECT_EQ(art[1].fillColour, packRgb({230, 230, 230}));
    EXPECT_EQ(art[2].fillColour, packRgb({210, 210, 210}));
    EXPECT_EQ(art[2].colourName, "Passer (R=250, G=215, B=211)");
    // Only the ordinary layer forms colour groups.
    ASSERT_EQ(job.colourGroups.size(), 3u);
    EXPECT_EQ(job.colourGroups[0].members[0].layer, 1);
}

TEST_F(JobFileReaderTest, MarksModeFollowsTheSensorAndTheNumberOfMarks) {
    auto marksFile = [](int marks) {
        std::string file = crlf({"QXSeite", "100 100", "QXEbene", "QX-PassermarkenEbene"});
        for (int i = 0; i < marks; ++i)
            file += crlf({"QXObjekt", "QXKoordinaten", "-10 -10 -5 -5", "QXFuellfarbe", "P", "CMYK",
                          "100 100 100 1", "QXStart", "C -10 -10 -10 -10 -10 -10", "C -5 -5 -5 -5 -5 -5",
                          "QXEnde"});
        file += crlf({"QXEbene", "Motiv", "QXObjekt", "QXKoordinaten", "0 10 10 0", "QXStart",
                      "C 0 0 0 0 0 0", "C 10 10 10 10 10 10", "QXEnde"});
        return file;
    };
    state.markSensorFlag = true;
    ASSERT_TRUE(readAi(marksFile(6)));
    EXPECT_FALSE(state.marksMode);
    EXPECT_DOUBLE_EQ(state.extent.minX, -10.5);
    ASSERT_TRUE(readAi(marksFile(7)));
    EXPECT_TRUE(state.marksMode);
    EXPECT_DOUBLE_EQ(state.extent.minX, -10);
    EXPECT_DOUBLE_EQ(state.extent.spanX, 20);
    EXPECT_EQ(state.objectTotal, 8);
}

TEST_F(JobFileReaderTest, ATextObjectHoldsOneSubPathPerGlyphAndQXGeschlossenIsOptional) {
    ASSERT_TRUE(readAi(crlf({"QXSeite",
                             "100 100",
                             "QXEbene",
                             "Text",
                             "QXObjekt",
                             "QXAuswahl",
                             "ja",
                             "QXKoordinaten",
                             "0 10 20 0",
                             "QXFuellfarbe",
                             "unbenannt",
                             "RGB",
                             "0 0 0",
                             "QXStart",
                             "QXGeschlossen",
                             "ja",
                             "C 0 0 0 0 0 0",
                             "C 5 10 5 10 5 10",
                             "C 10 0 10 0 10 0",
                             "QXEnde",
                             "QXStart",
                             "C 2 2 2 2 2 2",
                             "C 8 2 8 2 8 2",
                             "QXEnde",
                             "QXStart",
                             "QXGeschlossen",
                             "ja",
                             "S 15 5 15 3 15 7",
                             "S 18 5 18 7 18 3",
                             "QXEnde"})));
    ASSERT_EQ(object().paths.size(), 3u);
    EXPECT_EQ(state.pathTotal, 3);
    EXPECT_EQ(state.objectTotal, 1);
    EXPECT_EQ(object().paths[0].segments.size(), 3u);
    // Without "QXGeschlossen" the segment lines start right away and the path is open.
    EXPECT_FALSE(object().paths[1].closed);
    ASSERT_EQ(object().paths[1].segments.size(), 2u);
    EXPECT_EQ(object().paths[1].segments[0].startX, 2);
    EXPECT_EQ(object().paths[1].segments[0].kind, kSegmentLine);
    // Two smooth anchors make a closed round shape of curves.
    EXPECT_TRUE(object().paths[2].closed);
    EXPECT_EQ(object().paths[2].segments[1].kind, kSegmentCurve);
    EXPECT_EQ(object().paths[2].segments[1].endX, 15);
}

TEST_F(JobFileReaderTest, Windows1252TextBecomesUtf8) {
    std::string file = crlf({"QXSeite", "10 10", "QXEbene"});
    file +=
        "Gr\xf6\xdf"
        "e \x80 \x81\r\n";  // "Größe €" and a byte the code page leaves undefined
    file += crlf({"QXObjekt", "QXFuellfarbe",
                  "Fl\xe4"
                  "che",
                  "RGB", "1 2 3", "QXStart", "C 0 0 0 0 0 0", "C 1 1 1 1 1 1", "QXEnde"});
    ASSERT_TRUE(readAi(file));
    EXPECT_EQ(job.layers[0].name, "Gr\u00f6\u00dfe \u20ac \u0081");
    EXPECT_EQ(object().colourName, "Fl\u00e4che (R=1, G=2, B=3)");
}

// The Corel macro writes UTF-16; its segment lines carry their own lengths.
const char* kCorelText =
    "QXSeite\r\n210,0 297,0\r\nQXEbene\r\nEbene 1\r\n"
    "QXObjekt\r\nQXAuswahl\r\nnein\r\nQXKoordinaten\r\n0 0 10 10\r\nQXFuellfarbe\r\nGelb\r\n255 255 0\r\n"
    "QXAussenkante\r\n1 2 3 0,5 0,25\r\n"
    "QXStart\r\nQXGeschlossen\r\nja\r\n"
    "L 0 0 10 0 10\r\n"
    "K 10 0 10 10 12 2 0,1 0,2 12 8 0,3 0,4 10,5\r\n"
    "k 10 10 0 0 14,142\r\n"
    "QXEnde\r\n";

TEST_F(JobFileReaderTest, CorelVariantReadsItsLettersAndDeletesTheFile) {
    for (bool bom : {true, false}) {
        SCOPED_TRACE(bom ? "with byte-order mark" : "without byte-order mark");
        std::string bytes = (bom ? std::string("\xff\xfe") : std::string()) + utf8ToUtf16le(kCorelText);
        ASSERT_TRUE(readCorel(bytes));
        EXPECT_FALSE(fileExists(h.dir.file("corel.qxj")));
        EXPECT_EQ(job.pageWidth, 210);
        EXPECT_EQ(object().colourName, "Gelb (R=255, G=255, B=0)");
        EXPECT_EQ(object().fillColour, 255u + 255u * 256);
        EXPECT_EQ(object().outlineRed, 1);
        EXPECT_EQ(object().outlineBlue, 3);
        EXPECT_EQ(object().outlineValue1, 0.5);
        EXPECT_EQ(object().outlineValue2, 0.25);
        EXPECT_FALSE(object().selected);
        const auto& s = segments();
        ASSERT_EQ(s.size(), 3u);
        EXPECT_EQ(s[0].kind, kSegmentLine);
        EXPECT_EQ(s[0].endX, 10);
        EXPECT_EQ(s[0].length, 10);
        EXPECT_EQ(s[1].kind, kSegmentCurve);
        EXPECT_EQ(s[1].startX, 10);
        EXPECT_EQ(s[1].endY, 10);
        EXPECT_EQ(s[1].ctrl1X, 12);
        EXPECT_EQ(s[1].ctrl1Y, 2);
        EXPECT_EQ(s[1].aux2, 0.1);
        EXPECT_EQ(s[1].aux1, 0.2);
        EXPECT_EQ(s[1].ctrl2Y, 8);
        EXPECT_EQ(s[1].aux4, 0.3);
        EXPECT_EQ(s[1].aux3, 0.4);
        EXPECT_EQ(s[1].length, 10.5);
        EXPECT_EQ(s[2].kind, kSegmentLine);  // lower-case k is a straight segment
        EXPECT_EQ(s[2].length, 14.142);
        EXPECT_EQ(s[2].handleState, 0);
    }
}

TEST_F(JobFileReaderTest, ACorelSubPathMarkedClosedIsClosed) {
    // The same object without the last segment: "ja" still says the outline is closed.
    std::string text = kCorelText;
    text.erase(text.find("k 10 10 0 0 14,142\r\n"), std::string("k 10 10 0 0 14,142\r\n").size());
    ASSERT_TRUE(readCorel(utf8ToUtf16le(text)));
    const auto& s = segments();
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[2].kind, kSegmentLine);
    EXPECT_EQ(s[2].startX, 10);
    EXPECT_EQ(s[2].startY, 10);
    EXPECT_EQ(s[2].endX, 0);
    EXPECT_EQ(s[2].endY, 0);
    EXPECT_NEAR(s[2].length, std::hypot(10, 10), 1e-12);
}

TEST_F(JobFileReaderTest, CorelOddByteCountAndUnpairedSurrogates) {
    std::string bytes = utf8ToUtf16le(kCorelText) + "\x41";  // a stray last byte
    // A lone high surrogate in the layer name.
    bytes.insert(bytes.find(utf8ToUtf16le("Ebene 1")), std::string("\x00\xd8", 2));
    ASSERT_TRUE(readCorel(bytes));
    EXPECT_EQ(job.layers[0].name, "\ufffdEbene 1");
    EXPECT_EQ(segments().size(), 3u);
}

TEST_F(JobFileReaderTest, MissingFilesAndTextsWithoutPageRecordFailSilently) {
    EXPECT_FALSE(readIllustratorJob(h.dir.file("none.qxj"), job, state, h.ctx));
    EXPECT_EQ(h.ctx.failure, JobReadFailure::CannotOpen);
    EXPECT_FALSE(readCorelJob(h.dir.file("none.qxj"), job, state, h.ctx));
    EXPECT_FALSE(readAi(crlf({"QXEbene", "L", "QXObjekt", "QXStart", "C 0 0 0 0 0 0", "QXEnde"})));
    EXPECT_EQ(h.ctx.failure, JobReadFailure::NoPageRecord);
    EXPECT_FALSE(readAi(""));
    EXPECT_TRUE(h.ui.messages.empty());
}

TEST_F(JobFileReaderTest, AJobWithoutSegmentsShowsTheNoObjectsMessage) {
    EXPECT_FALSE(readAi(
        crlf({"QXSeite", "10 10", "QXEbene", "L", "QXObjekt", "QXStart", "QXGeschlossen", "ja", "QXEnde"})));
    EXPECT_EQ(h.ctx.failure, JobReadFailure::NoSegments);
    ASSERT_EQ(h.ui.messageTexts(), std::vector<std::string>{test::kNoObjectsText});
    EXPECT_EQ(h.ui.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(state.pathTotal, 1);
}

TEST_F(JobFileReaderTest, MalformedNumbersKeepTheirDefaultsAndTheReadGoesOn) {
    ASSERT_TRUE(
        readAi(crlf({"QXSeite", "abc 7", "QXEbene", "L", "QXObjekt", "QXKoordinaten", "1 2 x 4", "QXObjekt",
                     "QXKoordinaten", "-1e308 1e308 5 5", "QXFuellfarbe", "F", "RGB", "12 1.5 99", "QXStart",
                     "C 1 2 3 zz 5 6", "C nan 1e999 inf 2 2 2", "C +3 -4 3 -4 3 -4", "QXEnde"})));
    EXPECT_EQ(job.pageWidth, 0);
    EXPECT_EQ(job.pageHeight, 0);  // scanning stops at the first field that does not parse
    EXPECT_EQ(object().boundsX1, 1);
    EXPECT_EQ(object().boundsY1, 2);
    EXPECT_EQ(object().boundsX2, 0);
    EXPECT_EQ(object().boundsY2, 0);
    // Lengths beyond any drawing count as unreadable, so the spans stay finite.
    EXPECT_EQ(object(0, 1).boundsX1, 0);
    EXPECT_EQ(object(0, 1).boundsX2, 0);
    EXPECT_TRUE(std::isfinite(state.extent.spanX));
    EXPECT_EQ(object(0, 1).colourName, "F (R=12, G=1, B=0)");
    const auto& s = object(0, 1).paths.at(0).segments;
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[0].ctrl2X, 0);  // the incoming handle of anchor 1 failed at once
    EXPECT_EQ(s[1].startX, 0);  // nothing that is not finite enters the model
    EXPECT_EQ(s[2].startX, 3);
    EXPECT_EQ(s[2].startY, -4);
}

TEST_F(JobFileReaderTest, SubPathsWithoutQXEndeStopAtTheNextSubPathOrObject) {
    ASSERT_TRUE(readAi(
        crlf({"QXSeite", "10 10", "QXEbene", "L", "QXObjekt", "QXStart", "C 0 0 0 0 0 0", "C 1 0 1 0 1 0",
              "QXStart", "C 5 5 5 5 5 5", "C 6 5 6 5 6 5", "C 7 5 7 5 7 5", "QXObjekt", "QXStart",
              "C 9 9 9 9 9 9", "C 9 8 9 8 9 8", "QXEnde", "QXEnde", "QXEnde"})));
    ASSERT_EQ(job.layers[0].objects.size(), 2u);
    ASSERT_EQ(object(0, 0).paths.size(), 2u);
    EXPECT_EQ(object(0, 0).paths[0].segments.size(), 2u);
    EXPECT_EQ(object(0, 0).paths[1].segments.size(), 3u);
    EXPECT_EQ(object(0, 1).paths[0].segments.size(), 2u);
    EXPECT_EQ(state.pathTotal, 3);
}

TEST_F(JobFileReaderTest, EveryPrefixOfAValidFileAndGarbageReadWithoutHarm) {
    // Truncated files: every prefix returns true or false, never crashes.
    for (std::size_t n = 0; n <= kRectangle.size(); ++n) {
        readAi(kRectangle.substr(0, n));
        std::string corel = utf8ToUtf16le(kCorelText);
        readCorel(corel.substr(0, std::min(corel.size(), n * 2 + (n % 2))));
    }
    // The last byte of the text counts: a file cut after its last anchor still has it.
    ASSERT_TRUE(readAi(kRectangle.substr(0, kRectangle.find("QXEnde"))));
    EXPECT_EQ(segments().size(), 4u);

    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919 + 13) & 0xFF);
    EXPECT_FALSE(readAi(garbage));
    EXPECT_FALSE(readCorel(garbage));
    std::string withNul = kRectangle;
    withNul.insert(withNul.find("C 10"), std::string("\0\0X\0\r\n", 6));
    EXPECT_TRUE(readAi(withNul));
    EXPECT_EQ(segments().size(), 5u);  // the NUL line is a segment line of its own
    using namespace std::string_literals;
    EXPECT_TRUE(readAi("QXSeite\n1 1\nQXEbene\n\0\nQXObjekt\nQXStart\n\0\0\nQXEnde"s));
    EXPECT_EQ(job.layers[0].name, "\0"s);
}

TEST_F(JobFileReaderTest, ManyUnclosedSubPathsReadInLinearTime) {
    std::string file = crlf({"QXSeite", "10 10", "QXEbene", "L", "QXObjekt"});
    for (int i = 0; i < 40000; ++i) file += "QXStart\r\nC 1 2 3 4 5 6\r\n";
    for (int i = 0; i < 20000; ++i) file += "QXObjekt\r\nQXAuswahl\r\n";
    auto begin = std::chrono::steady_clock::now();
    ASSERT_TRUE(readAi(file));
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    EXPECT_EQ(state.pathTotal, 40000);
    EXPECT_EQ(state.objectTotal, 20001);
    // A quadratic search would need minutes here; the linear one takes well under a second even
    // with sanitizers.
    EXPECT_LT(seconds, 10.0);
}

}  // namespace
}  // namespace sartovin
