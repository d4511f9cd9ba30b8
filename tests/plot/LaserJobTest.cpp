#include "plot/LaserJob.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdlib>

#include "PlotFixture.h"
#include "plot/LaserDriver.h"
#include "support/TempDir.h"

namespace sartovin::test {
namespace {

// A laser pass of a job of `width` × `height` mm (across × along) at `resolution` dpi, with the
// parameters of the "Acryl 3mm" medium.
PlotParameters laserParameters(const Job& job, double width, double height, int resolution) {
    PlotParameters p = baseParameters(job, 21);
    p.jobWidth = width;
    p.jobHeight = height;
    p.speed = 30;
    p.force = 60;
    p.allObjects = true;
    LaserParameters& l = p.laser;
    l.resolution = resolution;
    l.vectorLpi = 500;
    l.cutOutLpi = 1000;
    l.cutOutSpeed = 3;
    l.cutOutForce = 100;
    l.rasterSpeed = 80;
    l.rasterForce = 60;
    l.cleanSpeed = 100;
    l.cleanForce = 10;
    l.repeatCountRaster = 2;
    l.raster = true;
    l.cutOut = true;
    return p;
}

std::string laser(PlotEnvironment& env, const PlotParameters& p, int group = -1) {
    std::string first, second;
    EXPECT_TRUE(writeLaser(group, first, p, 1, env.context));
    EXPECT_TRUE(writeLaser(group, second, p, 1, env.context));
    EXPECT_EQ(first, second);
    return first;
}

// The raster rows of a pass turned back into a bitmap: one string of '#' (set) and '.' per row.
std::vector<std::string> decodeRows(const std::string& block, int width) {
    std::vector<std::string> rows;
    std::size_t at = 0;
    while ((at = block.find(esc("*b"), at)) != std::string::npos) {
        std::size_t w = at + 3;
        while (w < block.size() && std::isdigit(static_cast<unsigned char>(block[w]))) ++w;
        if (w == block.size() || block[w] != 'W') {  // "*b1M" of the headers
            at = w;
            continue;
        }
        const int announced = std::atoi(block.substr(at + 3, w - at - 3).c_str());
        std::string bits;
        std::size_t i = w + 1;
        for (int n = 0; n + 2 < announced; n += 2, i += 2) {
            const int count = static_cast<unsigned char>(block[i]);
            const auto value = static_cast<unsigned char>(block[i + 1]);
            EXPECT_GE(count, 1);
            for (int k = 0; k < count; ++k)
                for (int b = 7; b >= 0; --b) bits.push_back((value >> b) & 1 ? '#' : '.');
        }
        EXPECT_EQ(block.substr(i, 2), std::string(2, '\0'));
        EXPECT_EQ(static_cast<int>(bits.size()), (width + 7) / 8 * 8);
        rows.push_back(bits);
        at = i + 2;
    }
    return rows;
}

// The vector section played back in the area frame (u right, v towards the front, 1/40 mm): the
// points every pen reaches, pen down, per "SP" pen.
struct VectorPlay {
    std::vector<std::pair<int, int>> pen1, pen2;
};
VectorPlay playVectors(const std::string& block, int startU, int startV) {
    VectorPlay play;
    const std::size_t begin = block.find(esc("%1B;PR;"));
    const std::size_t end = block.find("PU;" + esc("%1A"));
    std::string s = block.substr(begin + 8, end - begin - 8);
    int u = startU, v = startV, pen = 0;
    std::size_t i = 0;
    while (i < s.size()) {
        const std::size_t semi = s.find(';', i);
        const std::string cmd = s.substr(i, semi - i);
        i = semi + 1;
        if (cmd.rfind("SP", 0) == 0) {
            pen = std::atoi(cmd.c_str() + 2);
            continue;
        }
        const std::size_t comma = cmd.find(',');
        u += std::atoi(cmd.substr(2, comma - 2).c_str());
        v -= std::atoi(cmd.substr(comma + 1).c_str());
        if (cmd.rfind("PD", 0) == 0) (pen == 1 ? play.pen1 : play.pen2).emplace_back(u, v);
    }
    return play;
}

TEST(LaserJob, EnvelopePositionsAndSizes) {
    Job job;
    PlotParameters p = laserParameters(job, 10, 10, 500);
    p.positionRight = 10;
    EXPECT_EQ(laserDots(500, 10), 197);
    EXPECT_NE(buildLaserEnvelope(p).header.find(esc("*p197X")), std::string::npos);
    p.positionRight = 0;
    LaserEnvelope e = buildLaserEnvelope(p);
    EXPECT_NE(e.header.find(esc("*p0X") + esc("*p"), 0), std::string::npos);
    EXPECT_NE(e.cleaningHeader.find(esc("*p0X")), std::string::npos);
    EXPECT_NE(e.vectorStart.find(esc("*p0X")), std::string::npos);

    // 1001 dots across are sent as 1008: R = 1000, 25.4254 mm gives trunc(1001.0 + 0.99999).
    p.laser.resolution = 1000;
    p.jobWidth = 25.4254;
    EXPECT_EQ(laserArea(p).widthDots, 1001);
    EXPECT_NE(buildLaserEnvelope(p).header.find(esc("*r1008S")), std::string::npos);

    // The 16 mode bytes are zeros right after "!v16D".
    e = buildLaserEnvelope(p);
    EXPECT_EQ(e.header.substr(e.modeBytesOffset - 6, 6), esc("!v16D"));
    EXPECT_EQ(e.header.substr(e.modeBytesOffset, 16), std::string(16, '\0'));
    EXPECT_EQ(e.header[e.modeBytesOffset + 16], '\x1b');

    // Raster off: the header ends after "!s0S", the front position without the job height, and
    // no row records in the block.
    p.laser.raster = false;
    p.positionFront = 10;
    p.laser.resolution = 500;
    e = buildLaserEnvelope(p);
    EXPECT_EQ(e.header.substr(e.header.size() - 5), esc("!s0S"));
    EXPECT_NE(e.header.find(esc("!r0B")), std::string::npos);
    EXPECT_NE(e.header.find(esc("*p197Y")), std::string::npos);
    EXPECT_EQ(e.vectorStart, esc("%1B;PR;"));
    PlotEnvironment env;
    EXPECT_EQ(laser(env, p).find(esc("*b")), std::string::npos);
}

TEST(LaserJob, RowsAreRunLengthCoded) {
    std::string out;
    const std::vector<std::uint8_t> same(300, 0x5A);
    appendRasterRow(same.data(), same.size(), out);
    EXPECT_EQ(out, esc("*b6W") + std::string("\xff\x5a\x2d\x5a\0\0", 6));
    out.clear();
    const std::uint8_t mixed[] = {0, 0, 0xff, 1};
    appendRasterRow(mixed, 4, out);
    EXPECT_EQ(out, esc("*b8W") + std::string("\x02\x00\x01\xff\x01\x01\0\0", 8));
}

TEST(LaserJob, WholeSmallJobByteForByte) {
    // A 2 × 2 mm copy without objects at 125 dpi: 10 × 10 dots, each row ten set pixels (0xFF
    // 0xC0 in 16 bits), the copy rectangle cut with pen 2; one cleaning pass.
    Job job;
    job.layers.push_back(layerWith("Ebene 1", {}));
    PlotParameters p = laserParameters(job, 2, 2, 125);
    p.laser.clean = true;
    p.laser.repeatCountRaster = 1;
    PlotEnvironment env;
    const std::string tail = "0400040004000400040004000400040004000400040004000400040004000400";
    std::string header = esc("%-12345X") + esc("E") + esc("!r0A") + esc("!m14NSartovin Daten") +
                         esc("!v64I05001000") + tail.substr(0, 56) + esc("!v64V03000030") +
                         tail.substr(0, 56) + esc("!v64P06001000") + tail.substr(0, 56) + esc("!v16D") +
                         std::string(16, '\0') + esc("*t125R") + esc("&u125D") + esc("!r0N") + esc("%1A") +
                         esc("*p0X") + esc("*p10Y") + esc("*r1A") + esc("*rC") + esc("!m1A") + esc("!r1B") +
                         esc("!r2M") + esc("!r800I") + esc("!r600P") + esc("*t125R") + esc("&u125D") +
                         esc("!m0S") + esc("!s0S") + esc("*r10T") + esc("*r16S") + esc("*b1M") + esc("*r1A");
    std::string row = esc("*b6W") + std::string("\x01\xff\x01\xc0\0\0", 6);
    std::string rows;
    for (int i = 0; i < 10; ++i) rows += row;
    std::string cleaning = esc("*rC") + esc("*p0X") + esc("*p10Y") + esc("*r1A") + esc("*rC") +
                           esc("!r1000I") + esc("!r100P") + esc("*t125R") + esc("&u125D") + esc("*r10T") +
                           esc("*r16S") + esc("*b1M") + esc("*r1A");
    std::string vectorStart =
        esc("*rC") + esc("*p0X") + esc("*p10Y") + esc("*r1A") + esc("*rC") + esc("%1B;PR;");
    std::string vectors = "SP2;PU0,0;SP2;PU-0,0;PD80,0;PD0,-80;PD-80,0;PD0,80;";
    std::string trailer = "PU;" + esc("%1A") + esc("*p0X") + esc("*p0Y") + esc("*r1A") + esc("*rC") +
                          esc("E") + esc("%-12345X");
    EXPECT_EQ(laser(env, p), header + rows + cleaning + rows + vectorStart + vectors + trailer);
    const std::vector<std::string> shown = {env.texts.text(TextId::LaserDrawing),
                                            env.texts.text(TextId::LaserRasterRows)};
    EXPECT_EQ(std::vector<std::string>(env.progress.texts.begin(), env.progress.texts.begin() + 2), shown);
}

TEST(LaserJob, EngravedAreaIsTheCopyOutsideTheObjectsOrTheObjectsInverted) {
    // 254 dpi is 10 dots per mm. The copy is 20 mm across and 10 mm along; the object covers job
    // x 2..6 (along) and y 5..15 (across): in the copy u 5..15 mm, v 4..8 mm from the far edge.
    Job job;
    job.layers.push_back(layerWith("Ebene 1", {rectangle(2, 5, 6, 15, 0x0000ff)}));
    PlotParameters p = laserParameters(job, 20, 10, 254);
    p.laser.cutOut = false;
    PlotEnvironment env;
    for (bool invert : {false, true}) {
        SCOPED_TRACE(invert ? "inverted" : "plain");
        p.laser.invert = invert;
        const std::vector<std::string> rows = decodeRows(laser(env, p), 200);
        ASSERT_EQ(rows.size(), 100u);
        int wrong = 0;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 200; ++x) {
                // Pixels right on an edge belong to either side.
                const bool onEdge =
                    x == 50 || x == 150 || x == 49 || x == 149 || y == 40 || y == 80 || y == 39 || y == 79;
                if (onEdge) continue;
                const bool inObject = x > 50 && x < 149 && y > 40 && y < 79;
                if ((rows[y][x] == '#') != (inObject == invert)) ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(LaserJob, CutLinesLandOnTheEngravedCopies) {
    // Two copies side by side, 5 mm apart, each in a 2 mm frame allowance, one hole per copy; the
    // pen 2 rectangles are played back from the cursor and compared with the decoded raster.
    Job job;
    job.layers.push_back(layerWith("Ebene 1", {rectangle(2, 5, 6, 15)}));
    {
        PlotParameters p = laserParameters(job, 20, 10, 254);
        p.laser.outlines = true;
        p.columns = 2;
        p.copyTotal = 2;
        p.distanceH = 5;
        p.gridOn = true;
        p.gridDistance = 2;
        PlotEnvironment env;
        const std::string block = laser(env, p);
        const std::vector<std::string> rows = decodeRows(block, 530);
        ASSERT_EQ(rows.size(), 140u);
        const VectorPlay play = playVectors(block, 0, 0);
        ASSERT_EQ(play.pen2.size(), 8u);
        // Each rectangle in dots: its corners are the first and last engraved dots' edges.
        for (int copy = 0; copy < 2; ++copy) {
            int minU = 1 << 30, maxU = -1, minV = 1 << 30, maxV = -1;
            for (int k = 0; k < 4; ++k) {
                const auto [u, v] = play.pen2[static_cast<std::size_t>(copy * 4 + k)];
                minU = std::min(minU, u / 4), maxU = std::max(maxU, u / 4);
                minV = std::min(minV, v / 4), maxV = std::max(maxV, v / 4);
            }
            EXPECT_EQ(minU, copy * 290);
            EXPECT_EQ(maxU, copy * 290 + 240);
            EXPECT_EQ(minV, 0);
            EXPECT_EQ(maxV, 140);
            // Inside the rectangle the edge rows and columns are engraved, just outside they are not.
            EXPECT_EQ(rows[70][static_cast<std::size_t>(minU)], '#');
            EXPECT_EQ(rows[70][static_cast<std::size_t>(maxU - 1)], '#');
            if (copy == 0) {
                EXPECT_EQ(rows[70][static_cast<std::size_t>(maxU)], '.');
            }
            EXPECT_EQ(rows[0][static_cast<std::size_t>(minU + 5)], '#');
            EXPECT_EQ(rows[139][static_cast<std::size_t>(minU + 5)], '#');
        }
        // The pen 1 outline of the first copy runs round the hole: u 7..17 mm, v 6..10 mm.
        ASSERT_GE(play.pen1.size(), 4u);
        for (std::size_t k = 0; k < 4; ++k) {
            const auto [u, v] = play.pen1[k];
            EXPECT_TRUE(u == 280 || u == 680) << u;
            EXPECT_TRUE(v == 240 || v == 400) << v;
        }
        EXPECT_EQ(rows[80][69], '#');
        EXPECT_EQ(rows[80][71], '.');
    }
}

TEST(LaserJob, AWideAreaIsDrawnWholeAcrossItsTiles) {
    // 1 100 mm across at 10 dots per mm is wider than one drawing tile (8 192 dots): every dot of
    // the copy is engraved, the hole's edges fall where they belong in the far tile.
    Job job;
    job.layers.push_back(layerWith("Ebene 1", {rectangle(0.5, 100, 1.5, 300)}));  // u 800..1000 mm
    PlotParameters p = laserParameters(job, 1100, 2, 254);
    p.laser.cutOut = false;
    PlotEnvironment env;
    const std::vector<std::string> rows = decodeRows(laser(env, p), 11000);
    ASSERT_EQ(rows.size(), 20u);
    const std::string& row = rows[10];
    EXPECT_EQ(row.find('.'), 8000u);
    EXPECT_EQ(row.find('#', 8000), 10000u);
    EXPECT_EQ(row.find('.', 10000), std::string::npos);
    EXPECT_EQ(rows[0].find('.'), std::string::npos);
}

TEST(LaserJob, CancelAsksBeforeARowAndSendsNothing) {
    Job job;
    job.layers.push_back(layerWith("Ebene 1", {}));
    PlotParameters p = laserParameters(job, 20, 10, 254);
    PlotEnvironment env;
    env.progress.cancel = true;
    env.ui.answers = {MessageAnswer::No, MessageAnswer::Yes};
    std::string out = "old";
    EXPECT_TRUE(writeLaser(-1, out, p, 1, env.context));  // No: goes on
    EXPECT_FALSE(out.empty());
    env.progress.cancel = true;
    EXPECT_FALSE(writeLaser(-1, out, p, 1, env.context));
    EXPECT_TRUE(out.empty());
    ASSERT_EQ(env.ui.messages.size(), 2u);
    EXPECT_EQ(env.ui.messages[1].text, env.texts.text(TextId::AskCancelJob));
    EXPECT_EQ(env.ui.messages[1].buttons, MessageButtons::YesNo);
}

TEST(LaserJob, DefinitionFileDecidesTheResolution) {
    EXPECT_EQ(snapLaserResolution(1200), 1000);
    EXPECT_EQ(snapLaserResolution(999), 760);
    EXPECT_EQ(snapLaserResolution(500), 500);
    EXPECT_EQ(snapLaserResolution(249), 125);
    EXPECT_EQ(snapLaserResolution(124), 0);

    Job job;
    job.layers.push_back(layerWith("Ebene 1", {}));
    PlotEnvironment env;
    PlotParameters p = laserParameters(job, 2, 2, 0);
    p.laser.definitionFile = env.dir.file("C18.def");
    std::string out;

    // Missing: 374 with the path, error icon, nothing produced.
    EXPECT_FALSE(writeLaser(-1, out, p, 1, env.context));
    EXPECT_TRUE(out.empty());
    ASSERT_EQ(env.ui.messages.size(), 1u);
    EXPECT_EQ(env.ui.messages[0].text,
              env.texts.format(TextId::LaserDefinitionMissing, {p.laser.definitionFile}));
    EXPECT_EQ(env.ui.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(env.ui.messages[0].caption, "Sartovin");

    // Present, 600 dpi: snapped to 500.
    ASSERT_TRUE(writeLaserDefinition(p.laser.definitionFile, {600, 0, 457, 305}));
    EXPECT_TRUE(writeLaser(-1, out, p, 1, env.context));
    EXPECT_NE(out.find(esc("*t500R")), std::string::npos);
    LaserDefinition read;
    EXPECT_EQ(checkLaserDriver(p.laser.definitionFile, read), LaserDriverStatus::Ok);
    EXPECT_EQ(read.pageWidth, 457);

    // A resolution below the list: 470, nothing produced.
    ASSERT_TRUE(writeLaserDefinition(p.laser.definitionFile, {100, 0, 457, 305}));
    EXPECT_FALSE(writeLaser(-1, out, p, 1, env.context));
    EXPECT_EQ(env.ui.messages.back().text,
              env.texts.format(TextId::LaserDefinitionNoResolution, {p.laser.definitionFile}));

    // A definition that cannot be opened for reading and writing (here a folder): 375.
    p.laser.definitionFile = env.dir.file("folder/C18.def");
    ASSERT_EQ(::mkdir(env.dir.file("folder").c_str(), 0700), 0);
    ASSERT_EQ(::mkdir(p.laser.definitionFile.c_str(), 0700), 0);
    EXPECT_FALSE(writeLaser(-1, out, p, 1, env.context));
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(env.ui.messages.back().text,
              env.texts.format(TextId::LaserDefinitionNotWritable, {p.laser.definitionFile}));
}

}  // namespace
}  // namespace sartovin::test
