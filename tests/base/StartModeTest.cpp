#include "base/StartMode.h"

#include <gtest/gtest.h>

namespace sartovin {
namespace {

struct Row {
    const char* path;
    int mode;
    bool hobby;
};

TEST(StartModeTest, EveryRowOfTheTableFirstMatchWins) {
    const Row rows[] = {
        {"/opt/x/QXPassermarkenAIHP", 14, true}, {"/opt/x/QXPassermarkenAI", 4, false},
        {"/opt/x/SartovinLCAI", 21, false},      {"/opt/x/SartovinAIHP", 11, true},
        {"/opt/x/SartovinAI", 2, false},         {"/opt/x/QXPassermarkenCorel", 3, false},
        {"/opt/x/SartovinIsPasser", 6, false},   {"/opt/x/SartovinIsLC", 22, false},
        {"/opt/x/SartovinIsHP", 12, true},       {"/opt/x/SartovinIs", 5, false},
        {"/opt/x/SartovinLC", 20, false},        {"/opt/x/CorelHPPasser", 13, true},
        {"/opt/x/SartovinHP", 10, true},         {"/opt/x/sartovin", 1, false},
    };
    for (const Row& r : rows) {
        StartModeResult got = startModeFromPath(r.path);
        EXPECT_EQ(got.startMode, r.mode) << r.path;
        EXPECT_EQ(got.hobbyFlag, r.hobby) << r.path;
    }
}

TEST(StartModeTest, WordsAreCaseSensitiveAndTheWholePathCounts) {
    // "AI" and "LC" beat "Passer": the marks word comes later in the table for that pair.
    EXPECT_EQ(startModeFromPath("/opt/SartovinLCAIPasser").startMode, 4);
    EXPECT_EQ(startModeFromPath("/opt/LC/Passer/SartovinAI").startMode, 4);
    EXPECT_EQ(startModeFromPath("/opt/SartovinLCAI").startMode, 21);
    EXPECT_EQ(startModeFromPath("/opt/sartovinai").startMode, 1);
    EXPECT_EQ(startModeFromPath("/AI/bin/sartovin").startMode, 2);
    // "Corel" and "HP" without "Passer" fall through to the hobby CorelDRAW mode.
    EXPECT_EQ(startModeFromPath("/opt/CorelHP").startMode, 10);
}

TEST(StartModeTest, InstalledNamesSelectTheirOwnModes) {
    for (int m : {1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 14, 20, 21, 22}) {
        std::string name = programNameForStartMode(m);
        ASSERT_FALSE(name.empty()) << m;
        EXPECT_EQ(startModeFromPath("/usr/local/bin/" + name).startMode, m) << name;
    }
    EXPECT_EQ(programNameForStartMode(7), "");
}

TEST(StartModeTest, EditionsAndHostsByNumber) {
    EXPECT_EQ(StartMode(1).edition(), Edition::Standard);
    EXPECT_EQ(StartMode(9).edition(), Edition::Standard);
    EXPECT_EQ(StartMode(10).edition(), Edition::Hobby);
    EXPECT_EQ(StartMode(19).edition(), Edition::Hobby);
    EXPECT_EQ(StartMode(20).edition(), Edition::Laser);
    for (int m : {1, 10, 20}) EXPECT_TRUE(StartMode(m).isCorel()) << m;
    for (int m : {2, 11, 21}) EXPECT_TRUE(StartMode(m).isIllustrator()) << m;
    for (int m : {5, 12, 22}) EXPECT_TRUE(StartMode(m).isInkscape()) << m;
    for (int m : {3, 4, 6, 13, 14}) EXPECT_TRUE(StartMode(m).isMarksVariant()) << m;
    int known = 0;
    for (int m = -5; m < 40; ++m) {
        const StartMode mode(m);
        const int hosts = mode.isCorel() + mode.isIllustrator() + mode.isInkscape() + mode.isMarksVariant();
        EXPECT_LE(hosts, 1) << m;  // every mode belongs to at most one host
        known += mode.isKnown();
    }
    EXPECT_EQ(known, 14);
    EXPECT_FALSE(StartMode(7).isKnown());
    EXPECT_TRUE(StartMode(22).isKnown());
}

}  // namespace
}  // namespace sartovin
