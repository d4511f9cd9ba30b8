#include <gtest/gtest.h>

#include <filesystem>

#include "JobReportFixture.h"
#include "job/JobTextEncoding.h"
#include "platform/Files.h"

namespace sartovin {
namespace {

using test::readFile;
using test::writeFile;

using InspectCommandTest = test::JobReportFixture;

const char* kSmallJob =
    "Sartovin Daten von AI.\r\nQXSeite\r\n10 20\r\nQXEbene\r\nA \"q\" \\ \t\x01 Gr\xfcn\r\n"
    "QXObjekt\r\nQXAuswahl\r\nja\r\nQXKoordinaten\r\n0 2 2 0\r\nQXFuellfarbe\r\nF\r\nRGB\r\n1 2 3\r\n"
    "QXStart\r\nQXGeschlossen\r\nja\r\nC 0 0 0 0 0 0\r\nC 2 2 2 2 2 2\r\nQXEnde\r\n";

TEST_F(InspectCommandTest, JsonShowsTheWholeModelWithEscapedStrings) {
    writeFile(dir.file("small.qxj"), kSmallJob);
    auto r = inspect({"--json", dir.file("small.qxj")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string segment1 =
        R"j({"kind":1,"start":[0,0],"ctrl1":[0,0],"ctrl2":[2,2],"end":[2,2],"length":2.8284271247461903,"handleState":2})j";
    const std::string segment2 =
        R"j({"kind":1,"start":[2,2],"ctrl1":[2,2],"ctrl2":[0,0],"end":[0,0],"length":2.8284271247461903,"handleState":2})j";
    const std::string expected =
        R"j({"pageWidth":10,"pageHeight":20,"objectTotal":1,"pathTotal":1,"marksLayer":false,"marksMode":false,)j"
        R"j("extent":{"minX":-0.5,"minY":-0.5,"maxX":2.5,"maxY":2.5,"spanX":3,"spanY":3},)j"
        R"j("layers":[{"name":"A \"q\" \\ \t\u0001 Grün","enabled":true,"objects":[{"selected":true,)j"
        R"j("colourName":"F (R=1, G=2, B=3)","fillColour":197121,"colourKind":1,"bounds":[0,2,2,0],)j"
        R"j("paths":[{"closed":true,"segments":[)j" +
        segment1 + "," + segment2 +
        R"j(]}]}]}],)j"
        R"j("colourGroups":[{"name":"F (R=1, G=2, B=3)","colour":197121,"colourKind":1,"members":[[0,0]]}]})j"
        "\n";
    EXPECT_EQ(r.out, expected);
}

TEST_F(InspectCommandTest, SummaryOfTheExamples) {
    auto r = inspect({std::string(SARTOVIN_SOURCE_DIR) + "/examples/stickers.qxj"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Illustrator variant"), std::string::npos);
    EXPECT_NE(r.out.find("3 layers, 13 objects, 13 paths"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("layer \"Kreise\": 4 objects"), std::string::npos);
    EXPECT_NE(r.out.find("\"Rot (R=255, G=0, B=0)\": RGB 255/0/0, 2 objects"), std::string::npos) << r.out;

    // The mark sensor is known for the hobby Illustrator mode, or when asked for.
    std::string marks = std::string(SARTOVIN_SOURCE_DIR) + "/examples/marks.qxj";
    EXPECT_NE(inspect({marks}).out.find("marks layer yes, marks mode off"), std::string::npos);
    EXPECT_NE(inspect({"--start-mode", "11", marks}).out.find("marks mode on"), std::string::npos);
    EXPECT_NE(inspect({"--mark-sensor", marks}).out.find("marks mode on"), std::string::npos);
    EXPECT_NE(inspect({"--start-mode", "2", marks}).out.find("marks mode off"), std::string::npos);
}

TEST_F(InspectCommandTest, CorelFilesAreReadFromACopyAndKeptForTheUser) {
    std::string text =
        "QXSeite\r\n100 50\r\nQXEbene\r\nE\r\nQXObjekt\r\nQXKoordinaten\r\n0 0 10 0\r\n"
        "QXFuellfarbe\r\nRot\r\n255 0 0\r\nQXAussenkante\r\n0 0 0 0 0\r\nQXStart\r\n"
        "L 0 0 10 0 10\r\nQXEnde\r\n";
    std::string bom = "\xff\xfe" + utf8ToUtf16le(text);
    writeFile(dir.file("bom.qxj"), bom);
    writeFile(dir.file("plain.qxj"), utf8ToUtf16le(text));

    auto r = inspect({dir.file("bom.qxj")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Corel variant"), std::string::npos);
    EXPECT_EQ(readFile(dir.file("bom.qxj")), bom);
    r = inspect({"--json", dir.file("plain.qxj")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find(R"("end":[10,0],"length":10,"handleState":0)"), std::string::npos) << r.out;
    r = inspect({"--start-mode", "10", dir.file("plain.qxj")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(fileExists(dir.file("plain.qxj")));
    // No copy is left behind in the temporary folder.
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        EXPECT_NE(entry.path().filename().string().rfind("sartovin-inspect", 0), 0u) << entry.path();

    // Asked to read a UTF-16 file as the Illustrator variant, the reader finds no page record.
    r = inspect({"--start-mode", "2", dir.file("plain.qxj")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("QXSeite"), std::string::npos) << r.err;
}

TEST_F(InspectCommandTest, FailuresAndUsage) {
    auto r = inspect({dir.file("missing.qxj")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("cannot read"), std::string::npos);

    writeFile(dir.file("empty.qxj"), "QXSeite\r\n1 1\r\nQXEbene\r\nL\r\nQXObjekt\r\n");
    r = inspect({dir.file("empty.qxj")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("No objects for cutting found !"), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty());

    EXPECT_EQ(inspect({}).exitCode, 2);
    EXPECT_EQ(inspect({"--start-mode", "7", dir.file("empty.qxj")}).exitCode, 2);
    EXPECT_EQ(inspect({"--start-mode", "x", dir.file("empty.qxj")}).exitCode, 2);
    EXPECT_EQ(inspect({"a.qxj", "b.qxj"}).exitCode, 2);
}

}  // namespace
}  // namespace sartovin
