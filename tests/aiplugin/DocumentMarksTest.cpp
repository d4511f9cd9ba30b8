// The marks commands: the marks program started and waited for, its answer acted on in the
// document, and the drawn marks read back by the cutting program from the exported job.

#include "PluginFixture.h"
#include "layout/RegistrationMarks.h"

namespace sartovin::test {
namespace {

constexpr AIReal k = 2.834645f;

class MarksTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        install(true, false, true);
        ASSERT_EQ(host.startup(), kSPNoError);
        FakeLayer& art = host.addLayer("Ebene 1");
        host.addPath(art.group, rectangleAnchors(0, 0, 100 * k, 100 * k), true);
    }

    // The marks program: its window stays open for `openMs` of the plug-in's waiting, and it answers
    // with `keys` (section "Passermarks") when it is started.
    void marksProgram(const std::string& ini, std::vector<std::pair<std::string, std::string>> keys,
                      long long openMs = 2000) {
        system.onStart = [this, ini, keys](const std::string&) {
            m_startedAt = system.clockMs;
            for (const auto& [key, value] : keys) setKey(ini, "Passermarks", key, value);
        };
        system.onWindowCheck = [this, openMs](const std::string&, const std::string&) {
            return system.clockMs < m_startedAt + 3000 + openMs;
        };
    }

    long long m_startedAt = 0;

    std::vector<FakeArt*> marks() {
        std::vector<FakeArt*> out;
        if (FakeLayer* l = host.layerTitled("QX-PassermarkenEbene"))
            for (auto& a : l->group.children) out.push_back(a.get());
        return out;
    }
};

TEST_F(MarksTest, StandardMarksAreDrawnAfterTheWindowClosedAndTheCutterFindsThem) {
    setKey(standardIni, "State", "Language", "2000");
    marksProgram(standardIni, {{"SetMarks", "1"}}, 4000);
    ASSERT_EQ(host.choose("Registermarks"), kSPNoError);
    EXPECT_EQ(system.started, std::vector<std::string>{"C:\\Program Files\\Sartovin\\QXPassermarkenAI.exe"});
    // Three seconds before the first look, then every 100 ms while the window is open.
    ASSERT_FALSE(system.titlesAsked.empty());
    EXPECT_EQ(system.titlesAsked[0], "Registration mark settings");
    EXPECT_EQ(system.titlesAsked.size(), 41u);

    // The new layer goes below all others, locked, with ten rectangles.
    ASSERT_EQ(host.layers.size(), 2u);
    FakeLayer& layer = *host.layers.back();
    EXPECT_EQ(layer.title, "QX-PassermarkenEbene");
    EXPECT_FALSE(layer.editable);
    ASSERT_EQ(marks().size(), 10u);
    for (FakeArt* m : marks()) {
        EXPECT_TRUE(m->fillPaint);
        EXPECT_FALSE(m->strokePaint);
        ASSERT_EQ(m->fill.kind, kFourColor);
        EXPECT_EQ(m->fill.c.f.cyan, 1);
        EXPECT_EQ(m->fill.c.f.yellow, 1);
    }

    // Exported and read by the cutting program: a marks job with the marks where they belong.
    ASSERT_EQ(host.choose("Plot / Cut"), kSPNoError);
    Job job;
    JobState state;
    ASSERT_TRUE(readJob(job, state, true));
    EXPECT_TRUE(state.marksLayerFlag);
    EXPECT_TRUE(state.marksMode);
    const MarkMeasurements m = RegistrationMarks::measure(job, 2);
    EXPECT_NEAR(m.markOriginX, -30, 1e-3);  // the lower-left corner point at (−30, −30) mm
    EXPECT_NEAR(m.markOriginY, -30, 1e-3);
    EXPECT_NEAR(m.firstMarkWidth, 3, 1e-3);
    EXPECT_NEAR(m.markDistanceX, 160, 1e-3);
    EXPECT_NEAR(m.markLineLength, 25, 1e-3);
    EXPECT_NEAR(m.markStrokeX, 1, 1e-3);
}

TEST_F(MarksTest, TheWindowTitleIsLookedUpInTheLanguageTheProgramRuns) {
    // The menus are German (the user's choice), the program writes "Language" at every start.
    setKey(standardIni, "State", "LanguageChoice", "-3");
    setKey(standardIni, "State", "Language", "1000");
    host.shutdown();
    host.menuItems.clear();
    ASSERT_EQ(host.startup(), kSPNoError);
    marksProgram(standardIni, {});
    ASSERT_EQ(host.choose("Passermarken"), kSPNoError);
    ASSERT_FALSE(system.titlesAsked.empty());
    EXPECT_EQ(system.titlesAsked[0], "Einstellungen für Passermarken");

    system.titlesAsked.clear();
    setKey(standardIni, "State", "Language", "3000");
    ASSERT_EQ(host.choose("Passermarken"), kSPNoError);
    EXPECT_EQ(system.titlesAsked[0], "Réglages des repères");
}

TEST_F(MarksTest, ARequestLeftFromAnEarlierRunDoesNothing) {
    setKey(standardIni, "Passermarks", "SetMarks", "1");
    marksProgram(standardIni, {});  // the user cancels: the window writes nothing
    const long long before = system.clockMs;
    ASSERT_EQ(host.choose("Registermarks"), kSPNoError);
    EXPECT_TRUE(marks().empty());
    EXPECT_EQ(key(standardIni, "Passermarks", "SetMarks"), "0");
    // Three seconds, the open window, then five seconds of looking for an answer.
    EXPECT_EQ(system.clockMs - before, 1000 + 3000 + 2000 + 5000);
}

TEST_F(MarksTest, DeleteRemovesTheMarksLayerAndSetReplacesIt) {
    marksProgram(standardIni, {{"SetMarks", "1"}});
    ASSERT_EQ(host.choose("Registermarks"), kSPNoError);
    ASSERT_EQ(marks().size(), 10u);
    // Drawn again with other values: still one marks layer, drawn around the artwork only.
    marksProgram(standardIni, {{"SetMarks", "1"}, {"Margin", "10"}});
    ASSERT_EQ(host.choose("Registermarks"), kSPNoError);
    ASSERT_EQ(host.layers.size(), 2u);
    ASSERT_EQ(marks().size(), 10u);
    EXPECT_NEAR(marks().back()->segments[0].p.h / k, -10 - 25 - 3, 1e-3);  // row 1: L − m − len − 3 mm

    marksProgram(standardIni, {{"DeleteMarks", "1"}});
    ASSERT_EQ(host.choose("Registermarks"), kSPNoError);
    EXPECT_EQ(host.layerTitled("QX-PassermarkenEbene"), nullptr);
    EXPECT_EQ(host.layers.size(), 1u);
}

TEST_F(MarksTest, TheIdentityGoesIntoTheColourOfTheDocument) {
    struct Case {
        short model;
        AIColorTag newKind;
        AIColorTag expected;
    };
    for (const Case c :
         {Case{kDocRGBColor, kPattern, kThreeColor}, Case{kDocGrayColor, kNoneColor, kGrayColor},
          Case{kDocCMYKColor, kThreeColor, kThreeColor}}) {
        host.colorModel = c.model;
        host.newArtColourKind = c.newKind;
        marksProgram(standardIni, {{"SetMarks", "1"}});
        ASSERT_EQ(host.choose("Registermarks"), kSPNoError);
        ASSERT_EQ(marks().size(), 10u);
        // Drawn in table order, each new rectangle on top: row 1 is the last child.
        const FakeArt* first = marks().back();
        ASSERT_EQ(first->fill.kind, c.expected);
        if (c.expected == kThreeColor) {
            EXPECT_NEAR(first->fill.c.rgb.red * 255, 1, 1e-4);
            EXPECT_EQ(first->fill.c.rgb.green, 0);
        } else {
            EXPECT_NEAR(first->fill.c.g.gray * 100, 1, 1e-4);
        }
        // Whatever the model, the cutting program reads the identities back.
        ASSERT_EQ(host.choose("Plot / Cut"), kSPNoError);
        Job job;
        JobState state;
        ASSERT_TRUE(readJob(job, state, true));
        EXPECT_TRUE(state.marksMode);
        EXPECT_NEAR(RegistrationMarks::measure(job, 2).markOriginX, -30, 1e-3) << c.model;
    }
}

TEST_F(MarksTest, SegmentMarksOnlyWhereTheyFit) {
    host.layers.front()->group.children.clear();
    host.addPath(host.layers.front()->group, rectangleAnchors(0, 0, 300 * k, 400 * k), true);
    marksProgram(standardIni, {{"SetMarks", "1"}, {"UseVertSegmentMarks", "1"}, {"YStep", "500"}});
    ASSERT_EQ(host.choose("Registermarks"), kSPNoError);
    EXPECT_EQ(marks().size(), 10u);
    marksProgram(standardIni, {{"SetMarks", "1"}, {"UseVertSegmentMarks", "1"}, {"YStep", "200"}});
    ASSERT_EQ(host.choose("Registermarks"), kSPNoError);
    EXPECT_EQ(marks().size(), 14u);  // one cross each side at 200 mm
}

TEST_F(MarksTest, HobbyMarksOnTheSheetFormat) {
    marksProgram(hobbyIni, {{"SetMarks", "1"}, {"Format", "Letter Paysage"}, {"Thickness", "10"}});
    ASSERT_EQ(host.choose("Hobbyplotter - Registermarks"), kSPNoError);
    EXPECT_EQ(system.started.back(), "C:\\Program Files\\Sartovin-Hobbyplotter\\QXPassermarkenAIHP.exe");
    ASSERT_EQ(marks().size(), 7u);

    ASSERT_EQ(host.choose("Hobbyplotter - Plot / Cut"), kSPNoError);
    Job job;
    JobState state;
    ASSERT_TRUE(readJob(job, state, true));
    EXPECT_TRUE(state.marksMode);
    const MarkMeasurements m = RegistrationMarks::measure(job, 11);
    EXPECT_TRUE(m.extraMark);
    EXPECT_NEAR(m.markOriginX, -78.5, 1e-3);  // (257 − 100) / 2 left of the artwork
    EXPECT_NEAR(m.markDistanceX, 257, 1e-3);
    EXPECT_NEAR(m.markDistanceY, 184, 1e-3);
}

TEST_F(MarksTest, HobbyMarksForADrawingTooLargeForItsSheet) {
    host.addPath(host.layers.front()->group, rectangleAnchors(0, 0, 300 * k, 10 * k), true);
    marksProgram(hobbyIni, {{"SetMarks", "1"}});  // "A4 hoch": 188 mm wide
    ASSERT_EQ(host.choose("Hobbyplotter - Registermarks"), kSPNoError);
    EXPECT_TRUE(marks().empty());
    EXPECT_EQ(system.errorBoxes,
              std::vector<std::string>{
                  "Sartovin: The drawing is too large for the chosen format of the registration "
                  "marks !"});
}

TEST_F(MarksTest, NoAnswerOrNoArtworkDrawsNothing) {
    marksProgram(standardIni, {});
    ASSERT_EQ(host.choose("Registermarks"), kSPNoError);
    EXPECT_TRUE(marks().empty());

    // Hidden art and unpainted guides are no artwork.
    host.layers.front()->visible = false;
    FakeLayer& guides = host.addLayer("Hilfslinien");
    host.addPath(guides.group, {corner(-500, 0), corner(20000, 0)}, false, false);
    marksProgram(standardIni, {{"SetMarks", "1"}});
    ASSERT_EQ(host.choose("Registermarks"), kSPNoError);
    EXPECT_TRUE(marks().empty());

    // Without the program nothing is started and nothing waited for.
    std::remove(system.local("C:\\Program Files\\Sartovin\\QXPassermarkenAI.exe").c_str());
    system.started.clear();
    ASSERT_EQ(host.choose("Registermarks"), kSPNoError);
    EXPECT_TRUE(system.started.empty());
}

}  // namespace
}  // namespace sartovin::test
