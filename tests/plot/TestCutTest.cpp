#include "plot/TestCut.h"

#include "PlotFixture.h"
#include "platform/Profile.h"

namespace sartovin::test {
namespace {

struct TestCutFixture {
    TempDir dir;
    PlotEnvironment env;
    std::vector<std::string> sent;
    bool sendWorks = true;
    bool virtualDisplay = false;
    std::vector<bool> controlStates;
    TestCut cut{dir.file("TestCut.qxdat"),
                env.ui,
                env.texts,
                [this](const std::string& b) {
                    sent.push_back(b);
                    return sendWorks;
                },
                [this] { return virtualDisplay; },
                [this](bool on) { controlStates.push_back(on); }};

    void writePattern(const std::string& data) {
        writeFile(dir.file("TestCut.qxdat"),
                  "[Sartovin]\nXSize=400\nYSize=400\nXDistance=200\nYMovement=600\n"
                  "TestCutData=" +
                      data + "\n");
    }
};

PlotParameters standardParameters() {
    static const Job job;
    PlotParameters p = baseParameters(job, 5);
    p.modelDescription = "Jaguar";
    return p;
}

TEST(TestCut, StandardEditionCutsThePatternSideBySide) {
    TestCutFixture f;
    f.writePattern("PD;PR0,40;PU;");
    PlotParameters p = standardParameters();
    f.cut.setTestCutMode(true);
    ASSERT_TRUE(f.cut.testCut(p));
    // Count 0: the initialisation comes first, with the offset in two decimals.
    EXPECT_EQ(f.sent.back(), "IN;VS20;FS80;AS3.0;TO0.30;SP1;PR;PD;PR0,40;PU;PU;PR600,200;");
    EXPECT_EQ(f.controlStates, (std::vector<bool>{false, true}));
    p.repeatCount = 2;
    ASSERT_TRUE(f.cut.testCut(p));
    EXPECT_EQ(f.sent.back(),
              "PU;PR-600,0;IN;VS20;FS80;AS3.0;TO0.30;SP1;PR;PD;PR0,40;PU;PD;PR0,40;PU;PU;PR600,200;");
    p.usePlotterSettings = true;
    ASSERT_TRUE(f.cut.testCut(p));
    EXPECT_EQ(f.sent.back().substr(0, 22), "PU;PR-600,0;IN;SP1;PR;");
    EXPECT_EQ(f.cut.count(), 3);

    // Off after three test cuts: back (400 + 200) × 3 = 1800 across, and to YSize + XDistance
    // behind the row along the feed.
    ASSERT_TRUE(f.cut.setTestCutMode(false));
    EXPECT_EQ(f.sent.back(), "PU;PR0,-1800;");
    EXPECT_FALSE(f.cut.modeOn());
    const std::size_t before = f.sent.size();
    f.cut.setTestCutMode(true);
    f.cut.setTestCutMode(false);  // nothing cut, nothing to return from
    EXPECT_EQ(f.sent.size(), before);
}

TEST(TestCut, InternalSettingsBlockIsSentFirst) {
    TestCutFixture f;
    f.writePattern("PD;PR0,40;PU;");
    PlotParameters p = standardParameters();
    p.modelDescription = "Sable";
    p.offsetList = {"0.000", "0.175", "0.250"};
    p.qualityIndex = 3;
    ASSERT_TRUE(f.cut.testCut(p));
    ASSERT_EQ(f.sent.size(), 2u);
    EXPECT_EQ(f.sent[0], esc(".C1;16;2:") + esc(".C1;18;3:") + esc(".C1;22;80:") + esc(".C1;0;:"));
    EXPECT_EQ(f.sent[1].substr(0, 10), "IN;VS20;FS");
    p.toolOffset = 0.3;  // not in the list: index 0
    ASSERT_TRUE(f.cut.testCut(p));
    EXPECT_EQ(f.sent[2].substr(0, 10), esc(".C1;16;0:"));
}

TEST(TestCut, NothingIsSentOrCountedWithoutPatternOrChannel) {
    TestCutFixture f;
    PlotParameters p = standardParameters();
    EXPECT_FALSE(f.cut.testCut(p));  // no file: empty pattern
    EXPECT_TRUE(f.sent.empty());
    EXPECT_EQ(f.cut.count(), 0);

    f.writePattern("PD;PR0,40;PU;");
    f.sendWorks = false;
    EXPECT_FALSE(f.cut.testCut(p));
    EXPECT_EQ(f.cut.count(), 0);

    f.virtualDisplay = true;
    f.sent.clear();
    EXPECT_FALSE(f.cut.testCut(p));
    EXPECT_TRUE(f.sent.empty());
    EXPECT_EQ(f.env.ui.messages.back().text, "Please stop the VLCD application first.");
}

TEST(TestCut, MovesBeyondTheDeviceRangeOfABrokenPatternFileAreClampedNotWrapped) {
    TestCutFixture f;
    writeFile(f.dir.file("TestCut.qxdat"),
              "[Sartovin]\nXSize=2000000000\nYSize=-2000000000\nXDistance=2000000000\n"
              "YMovement=-2147483648\nTestCutData=PD;PR0,40;PU;\n");
    PlotParameters p = standardParameters();
    p.usePlotterSettings = true;
    f.cut.setTestCutMode(true);
    ASSERT_TRUE(f.cut.testCut(p));
    EXPECT_EQ(f.sent.back(), "IN;SP1;PR;PD;PR0,40;PU;PU;PR-2147483648,2000000000;");
    ASSERT_TRUE(f.cut.testCut(p));
    // Back along the feed by 2147483648: one more than a device coordinate holds.
    EXPECT_EQ(f.sent.back().substr(0, 18), "PU;PR2147483647,0;");
    ASSERT_TRUE(f.cut.setTestCutMode(false));
    EXPECT_EQ(f.sent.back(), "PU;PR2147483647,-2147483648;");
}

TEST(TestCut, HobbyEditionCutsAtTheCurrentPosition) {
    TestCutFixture f;
    static const Job job;
    PlotParameters p = baseParameters(job, 12);
    p.speed = 3;
    p.force = 12;
    p.toolOffset = 18.7;
    f.env.ui.answers = {MessageAnswer::Ok, MessageAnswer::Cancel};
    ASSERT_TRUE(f.cut.testCut(p));
    EXPECT_EQ(f.env.ui.messages[0].text, kHobbyTestCutQuestion);
    EXPECT_EQ(f.env.ui.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(f.sent.back(),
              "!103FX12,0,FC18,12,&100,100,100,\\0,0,L0,"
              "O30,30,E140,0," +
                  kEtx + "E-70,140," + kEtx + "E-70,-140," + kEtx + "O-30,-30,E200,0," + kEtx + "E0,200," +
                  kEtx + "E-200,0," + kEtx + "E0,-200," + kEtx + "H,");
    EXPECT_FALSE(f.cut.testCut(p));
    EXPECT_EQ(f.sent.size(), 1u);
}

TEST(TestCut, ShippedPatternIsASquareWithATriangleEndingAtItsFarSide) {
    const std::string file = std::string(SARTOVIN_DATA_DIR) + "/TestCut.qxdat";
    const int xSize = GetPrivateProfileInt("Sartovin", "XSize", 0, file);
    const int ySize = GetPrivateProfileInt("Sartovin", "YSize", 0, file);
    EXPECT_EQ(xSize, 400);
    EXPECT_EQ(ySize, 400);
    EXPECT_GT(GetPrivateProfileInt("Sartovin", "XDistance", 0, file), 0);
    EXPECT_GT(GetPrivateProfileInt("Sartovin", "YMovement", 0, file), ySize);
    const std::string data = GetPrivateProfileString("Sartovin", "TestCutData", "", file, 4001);
    ASSERT_FALSE(data.empty());
    // Walk the relative pattern: it stays inside XSize × YSize, cuts with the pen down, and ends
    // XSize across from its start so that the next test cut lies XDistance beside it.
    int x = 0, y = 0, cuts = 0;
    bool down = false;
    std::size_t i = 0;
    while (i < data.size()) {
        std::size_t end = data.find(';', i);
        ASSERT_NE(end, std::string::npos);
        const std::string cmd = data.substr(i, end - i);
        if (cmd == "PD")
            down = true;
        else if (cmd == "PU")
            down = false;
        else {
            int dx = 0, dy = 0;
            ASSERT_EQ(std::sscanf(cmd.c_str(), "PR%d,%d", &dx, &dy), 2) << cmd;
            x += dx;
            y += dy;
            cuts += down;
            EXPECT_GE(x, 0);
            EXPECT_LE(x, ySize);
            EXPECT_GE(y, 0);
            EXPECT_LE(y, xSize);
        }
        i = end + 1;
    }
    EXPECT_EQ(cuts, 7);
    EXPECT_FALSE(down);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, xSize);
}

}  // namespace
}  // namespace sartovin::test
