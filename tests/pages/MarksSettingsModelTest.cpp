// The marks settings window's rules: sheet formats, stored values, limits and the requests it writes.

#include "pages/MarksSettingsModel.h"

#include <gtest/gtest.h>

#include "layout/RegistrationMarks.h"
#include "support/CatalogRecords.h"
#include "support/ModelEnvironment.h"

namespace sartovin {
namespace {

class MarksSettingsTest : public ::testing::Test, protected test::ModelEnvironment {
protected:
    std::string key(const char* name) const { return settings.readString("Passermarks", name, "<absent>"); }
};

TEST_F(MarksSettingsTest, SheetFormatsPerEditionAndPlotter) {
    auto hobby = RegistrationMarks::sheetFormats(test::testPlotter("Silhouette Cameo"), texts, 13);
    ASSERT_EQ(hobby.size(), 9u);
    EXPECT_EQ(hobby[0], "A4 Portrait");
    EXPECT_EQ(hobby[3], "A5 Landscape");
    EXPECT_EQ(hobby[8], "12\" x 12\"");
    EXPECT_EQ(RegistrationMarks::sheetFormats(test::testPlotter("CC330"), texts, 13).size(), 8u);
    auto standard = RegistrationMarks::sheetFormats(test::testPlotter("Puma IV"), texts, 4);
    EXPECT_EQ(standard.size(), 6u);
    EXPECT_EQ(RegistrationMarks::sheetFormatIndex(standard, "Letter Portrait"), 2);
    EXPECT_EQ(RegistrationMarks::sheetFormatIndex(standard, "B5"), 0);
    // Without text files the words the plug-in knows in German are used.
    Texts missing(dir.file("none/"), 2000);
    EXPECT_EQ(RegistrationMarks::sheetFormats(test::testPlotter("CC330"), missing, 13)[1], "A4 quer");
}

TEST_F(MarksSettingsTest, ShowsTheStoredValues) {
    settings.setMarksValue("Length", 30);
    settings.setMarksValue("IsCameo", 0);
    settings.setMarksFormat("Letter Landscape");
    MarksSettingsModel m(settings, texts, ui,
                         RegistrationMarks::sheetFormats(test::testPlotter("CC330"), texts, 13));
    m.open();
    EXPECT_EQ(m.title(), "Registration mark settings");
    EXPECT_EQ(m.length(), 30);
    EXPECT_EQ(m.thickness(), 1);
    EXPECT_EQ(m.margin(), 5);
    EXPECT_EQ(m.xStep(), 500);
    EXPECT_FALSE(m.cameo());
    EXPECT_EQ(m.formatIndex(), 5);
    EXPECT_FALSE(m.xStepEnabled());
}

TEST_F(MarksSettingsTest, OutOfRangeValuesAreReportedAndNothingIsWritten) {
    MarksSettingsModel m(settings, texts, ui, {"A4 Portrait"});
    m.open();
    struct Case {
        void (*spoil)(MarksSettingsModel&);
        const char* message;
    } cases[] = {
        {[](MarksSettingsModel& x) { x.setLength(9); }, "The length of the marks have to be 10mm to 50mm !"},
        {[](MarksSettingsModel& x) { x.setLength(51); }, "The length of the marks have to be 10mm to 50mm !"},
        {[](MarksSettingsModel& x) { x.setThickness(3); },
         "The thickness of the marks have to be 1 mm to 2 mm !"},
        {[](MarksSettingsModel& x) { x.setMargin(0); }, "The margin of the marks have to be 1 mm to 50 mm !"},
        {[](MarksSettingsModel& x) { x.setUseVertSegmentMarks(true), x.setYStep(601); },
         "The size of the segments have to be 200 mm to 600 mm !"},
    };
    for (const Case& c : cases) {
        MarksSettingsModel fresh(settings, texts, ui, {"A4 Portrait"});
        fresh.open();
        c.spoil(fresh);
        ui.messages.clear();
        EXPECT_EQ(fresh.placeMarks(), MarksSettingsModel::Outcome::StayOpen);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, c.message);
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(ui.messages[0].caption, "Sartovin");
    }
    EXPECT_EQ(key("SetMarks"), "<absent>");
    EXPECT_EQ(key("Length"), "<absent>");
    // A step of an unused segment mark kind is not checked.
    m.setXStep(100);
    ui.messages.clear();
    EXPECT_EQ(m.placeMarks(), MarksSettingsModel::Outcome::EndProgram);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MarksSettingsTest, PlacingWritesTheValuesAndClearsAStaleRequest) {
    settings.setMarksValue("DeleteMarks", 1);
    MarksSettingsModel m(settings, texts, ui, {"A4 Portrait", "A4 Landscape"});
    m.open();
    m.setLength(40);
    m.setThickness(2);
    m.setMargin(8);
    m.setFormatIndex(1);
    m.setUseHorSegmentMarks(true);
    m.setXStep(300);
    m.setCameo(false);
    EXPECT_EQ(m.placeMarks(), MarksSettingsModel::Outcome::EndProgram);
    EXPECT_EQ(key("Length"), "40");
    EXPECT_EQ(key("Thickness"), "2");
    EXPECT_EQ(key("Margin"), "8");
    EXPECT_EQ(key("Format"), "A4 Landscape");
    EXPECT_EQ(key("UseHorSegmentMarks"), "1");
    EXPECT_EQ(key("UseVertSegmentMarks"), "0");
    EXPECT_EQ(key("XStep"), "300");
    EXPECT_EQ(key("YStep"), "500");
    EXPECT_EQ(key("IsCameo"), "0");
    EXPECT_EQ(key("SetMarks"), "1");
    EXPECT_EQ(key("DeleteMarks"), "0");
}

TEST_F(MarksSettingsTest, RemovingAsksOnlyForDeletion) {
    settings.setMarksValue("SetMarks", 1);
    MarksSettingsModel m(settings, texts, ui, {"A4 Portrait"});
    m.open();
    m.setLength(3);  // not checked: nothing of the geometry is written
    EXPECT_EQ(m.removeMarks(), MarksSettingsModel::Outcome::EndProgram);
    EXPECT_EQ(key("DeleteMarks"), "1");
    EXPECT_EQ(key("SetMarks"), "0");
    EXPECT_EQ(key("Length"), "<absent>");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(m.cancel(), MarksSettingsModel::Outcome::EndProgram);
}

}  // namespace
}  // namespace sartovin
