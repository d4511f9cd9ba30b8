#include "catalog/MediaCatalog.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>

#include "catalog/ToolCatalog.h"
#include "support/CatalogRecords.h"
#include "support/ModelEnvironment.h"

namespace sartovin {
namespace {

using test::readFile;
using test::writeFile;

const std::string kHeader = "Name;CutForce;CutSpeed;ToolIDName;DeltaOffset;RepeatCount\r\n";
// A file as users have them: rows written by hand, by older versions and by this one.
const std::string kRows =
    "Standardfolie;80;40;KNIFE-0250;0.000000;1\r\n"
    "\"Reflexfolie\";200;15;KNIFE-0500;0.000000;1\r\n"
    "  Papier 120g ; 70;40;KNIFE-0250;0.01;1\r\n"
    "Karton 300g;350;10;KNIFE-0750;0.000000;2\r\n";
const std::string kPlotter = "Jaguar V 132";

class MediaCatalogTest : public ::testing::Test, protected test::ModelEnvironment {
protected:
    bool load(const std::string& bytes, StartMode startMode = 1) {
        writeFile(path, bytes);
        return catalog.load(path, startMode, kPlotter);
    }

    // The name fields are ignored by the commands that take values.
    static MediumRecord values() {
        MediumRecord v = test::cutterMedium("ignored", 90, 25, "KNIFE-0300", 3, 0.05);
        v.catalogName = "ignored";
        return v;
    }

    std::string path = dir.file("Media.csv");
    MediaCatalog catalog{ui, texts, settings};
};

TEST_F(MediaCatalogTest, LoadsTranslatedNamesBesideTheCatalogNames) {
    ASSERT_TRUE(load(kHeader + kRows));
    EXPECT_EQ(catalog.names(),
              (std::vector<std::string>{"Standard vinyl", "Reflexfolie", "Papier 120g", "Karton 300g"}));
    const auto& m = catalog.media();
    EXPECT_EQ(m[0].catalogName, "Standardfolie");
    EXPECT_EQ(m[2].catalogName, "Papier 120g");
    EXPECT_EQ(m[2].cutForce, 70);
    EXPECT_EQ(m[2].cutSpeed, 40);
    EXPECT_EQ(m[2].toolIdName, "KNIFE-0250");
    EXPECT_DOUBLE_EQ(m[2].deltaOffset, 0.01);
    EXPECT_EQ(m[3].repeatCount, 2);

    // Only the current language's "Medien" section counts.
    texts.setLanguageId(1000);
    ASSERT_TRUE(catalog.load(path, 1, kPlotter));
    EXPECT_EQ(catalog.names(),
              (std::vector<std::string>{"Standardfolie", "Reflexfolie", "Papier 120 g/m²", "Karton 300g"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MediaCatalogTest, SelectsAndAppliesTheStoredMedium) {
    settings.setMedium(kPlotter, "Karton 300g");
    ASSERT_TRUE(load(kHeader + kRows));
    EXPECT_EQ(catalog.currentIndex(), 3);
    EXPECT_EQ(catalog.groupCaption(), "Cutting Parameter for Karton 300g");
    EXPECT_EQ(catalog.saveTooltip(), "Save the cutting configuration for Karton 300g");

    // Applying another medium remembers it for this plotter only.
    ASSERT_TRUE(catalog.selectMedium(0));
    EXPECT_EQ(settings.medium(kPlotter), "Standard vinyl");
    EXPECT_EQ(settings.medium("Puma III 60"), "");
    EXPECT_EQ(catalog.current()->cutForce, 80);
    EXPECT_FALSE(catalog.selectMedium(4));
    EXPECT_EQ(catalog.currentIndex(), 0);

    settings.setMedium(kPlotter, "karton 300g");  // the match is case-sensitive
    ASSERT_TRUE(catalog.load(path, 1, kPlotter));
    EXPECT_EQ(catalog.currentIndex(), 0);
    EXPECT_EQ(settings.medium(kPlotter), "Standard vinyl");

    // A name stored under another language still finds its medium by the catalog name.
    settings.setMedium(kPlotter, "Papier 120g");
    texts.setLanguageId(1000);
    ASSERT_TRUE(catalog.load(path, 1, kPlotter));
    EXPECT_EQ(catalog.currentIndex(), 2);
    EXPECT_EQ(catalog.current()->name, "Papier 120 g/m²");

    // The name English shows, stored before the user switched to German, finds its medium; and the
    // name German shows, back in English.
    settings.setMedium(kPlotter, "Standard vinyl");
    ASSERT_TRUE(catalog.load(path, 1, kPlotter));
    EXPECT_EQ(catalog.currentIndex(), 0);
    EXPECT_EQ(catalog.current()->name, "Standardfolie");
    settings.setMedium(kPlotter, "Papier 120 g/m²");
    texts.setLanguageId(2000);
    ASSERT_TRUE(catalog.load(path, 1, kPlotter));
    EXPECT_EQ(catalog.currentIndex(), 2);
}

TEST_F(MediaCatalogTest, ReadingStopsAtTheFirstEmptyOrFaultyRow) {
    ASSERT_TRUE(load(kHeader + kRows.substr(0, kRows.find("Karton")) + "\r\nKarton 300g;1;1;K;0;1\r\n"));
    EXPECT_EQ(catalog.media().size(), 3u);
    ASSERT_TRUE(load(kHeader + "A;1;1;K;0;1\r\nB;1;1;K;0;1;extra\r\nC;1;1;K;0;1\r\n"));
    EXPECT_EQ(catalog.names(), (std::vector<std::string>{"A"}));
}

TEST_F(MediaCatalogTest, MissingFilesShowTheirMessagesWithTheDefaultCaption) {
    ASSERT_TRUE(load(kHeader + kRows));
    EXPECT_FALSE(catalog.load(dir.file("gone.csv"), 1, kPlotter));
    EXPECT_TRUE(catalog.media().empty());
    EXPECT_EQ(catalog.current(), nullptr);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Can not open medium file for reading !");
    EXPECT_EQ(ui.messages[0].caption, "");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);

    ToolCatalog tools;
    EXPECT_FALSE(tools.load(dir.file("gone-tools.csv"), ui, texts));
    EXPECT_TRUE(tools.tools().empty());
    EXPECT_EQ(tools.current(), nullptr);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "Can not open tool file for reading !");
    EXPECT_EQ(ui.messages[1].caption, "");
    EXPECT_EQ(ui.messages[1].icon, MessageIcon::Error);

    // Nothing to delete or save in an empty list, and nobody is asked.
    EXPECT_FALSE(catalog.deleteCurrent());
    EXPECT_FALSE(catalog.saveCurrent(values()));
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(MediaCatalogTest, ToolNamesFollowTheLanguage) {
    writeFile(dir.file("Tools.csv"),
              "IDName;DisplayNameGerman;DisplayNameEnglish;Offset\r\n"
              "KNIFE-0250;Messer 0,25 mm;Blade 0.25 mm;0.250\r\nPEN;Stift;Pen;0\r\n\r\nLATE;x;y;1\r\n");
    ToolCatalog tools;
    ASSERT_TRUE(tools.load(dir.file("Tools.csv"), ui, texts));
    ASSERT_EQ(tools.tools().size(), 2u);
    EXPECT_EQ(tools.currentIndex(), 0);
    EXPECT_DOUBLE_EQ(tools.tools()[0].offset, 0.25);
    EXPECT_EQ(tools.displayNames(1000), (std::vector<std::string>{"Messer 0,25 mm", "Stift"}));
    EXPECT_EQ(tools.displayNames(2000), (std::vector<std::string>{"Blade 0.25 mm", "Pen"}));
    EXPECT_EQ(tools.displayNames(3000), tools.displayNames(2000));
    EXPECT_EQ(tools.indexOf("PEN"), 1);
    EXPECT_EQ(tools.indexOf("LATE"), -1);
}

TEST_F(MediaCatalogTest, NewMediumAsksUntilTheNameIsUsableAndAppendsItsRow) {
    ASSERT_TRUE(load(kHeader + kRows));
    // An empty name, a name that exists in other letter case (its catalog name, even though the
    // list shows it translated), then a good one.
    ui.textAnswers = {std::string("   "), std::string("STANDARDFOLIE"), std::string(" Neue Folie ")};
    ui.answers = {MessageAnswer::Ok};
    ASSERT_TRUE(catalog.newMedium(values()));

    ASSERT_EQ(ui.textPrompts.size(), 3u);
    EXPECT_EQ(ui.textPrompts[0], "New Medium|Please enter a name for the new medium ...");
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "Please enter a name for the new medium !");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(ui.messages[0].caption, "Sartovin");
    EXPECT_EQ(ui.messages[1].text, "The choosen name exist, please enter a new name !");
    EXPECT_EQ(ui.messages[1].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(ui.messages[1].caption, "Sartovin");

    EXPECT_EQ(readFile(path), kHeader + kRows + "\"Neue Folie\";90;25;KNIFE-0300;0.050000;3\r\n");
    ASSERT_EQ(catalog.media().size(), 5u);
    EXPECT_EQ(catalog.currentIndex(), 4);
    EXPECT_EQ(catalog.current()->name, "Neue Folie");
    EXPECT_EQ(catalog.current()->repeatCount, 3);
    EXPECT_EQ(settings.medium(kPlotter), "Neue Folie");
}

TEST_F(MediaCatalogTest, NewMediumStopsOnCancel) {
    const std::string file = kHeader + "Bügelfolie;12;5;HB-STD;3;1\r\n";
    ASSERT_TRUE(load(file));
    ui.textAnswers = {std::nullopt};
    EXPECT_FALSE(catalog.newMedium(values()));
    EXPECT_TRUE(ui.messages.empty());

    // Accented capitals count as the same letters; Cancel on 314 ends the command.
    ui.textAnswers = {std::string("BÜGELFOLIE")};
    ui.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(catalog.newMedium(values()));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "The choosen name exist, please enter a new name !");
    EXPECT_EQ(readFile(path), file);
    EXPECT_EQ(ui.textPrompts.size(), 2u);
}

TEST_F(MediaCatalogTest, NewMediumGoesBeforeRowsTheListDoesNotShowAndKeepsTheFileLineEnds) {
    // LF line ends, an empty line with a row behind it, no line end at the very end.
    const std::string file =
        "Name;CutForce;CutSpeed;ToolIDName;DeltaOffset;RepeatCount\nA;1;2;T;0;1\n\nHidden;1;2;T;0;1";
    ASSERT_TRUE(load(file));
    ui.textAnswers = {std::string("N;ew \"x\"")};
    ASSERT_TRUE(catalog.newMedium(values()));
    EXPECT_EQ(readFile(path),
              "Name;CutForce;CutSpeed;ToolIDName;DeltaOffset;RepeatCount\nA;1;2;T;0;1\n"
              "\"N;ew \"\"x\"\"\";90;25;KNIFE-0300;0.050000;3\n\nHidden;1;2;T;0;1");
    EXPECT_EQ(catalog.names(), (std::vector<std::string>{"A", "N;ew \"x\""}));
    EXPECT_EQ(catalog.currentIndex(), 1);

    // A last row without a line end gets one before the new row.
    ASSERT_TRUE(load(kHeader + "A;1;2;T;0;1"));
    ui.textAnswers = {std::string("B")};
    ASSERT_TRUE(catalog.newMedium(values()));
    EXPECT_EQ(readFile(path), kHeader + "A;1;2;T;0;1\r\n\"B\";90;25;KNIFE-0300;0.050000;3\r\n");
}

TEST_F(MediaCatalogTest, NewMediumInAnEmptyFileWritesTheHeaderFirst) {
    ASSERT_TRUE(load(""));
    EXPECT_TRUE(catalog.media().empty());
    ui.textAnswers = {std::string("Erste")};
    ASSERT_TRUE(catalog.newMedium(values()));
    EXPECT_EQ(readFile(path), kHeader + "\"Erste\";90;25;KNIFE-0300;0.050000;3\r\n");
    EXPECT_EQ(catalog.currentIndex(), 0);
}

TEST_F(MediaCatalogTest, DeleteAsksAndKeepsEveryOtherByte) {
    const std::string tail = "\r\nAfter the gap;1;1;K;0;1\r\n";
    settings.setMedium(kPlotter, "Reflexfolie");
    ASSERT_TRUE(load(kHeader + kRows + tail));
    ASSERT_EQ(catalog.currentIndex(), 1);

    ui.answers = {MessageAnswer::No};
    EXPECT_FALSE(catalog.deleteCurrent());
    EXPECT_EQ(readFile(path), kHeader + kRows + tail);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Do you want delete this medium ?");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(ui.messages[0].caption, "Sartovin");

    ui.answers = {MessageAnswer::Yes};
    ASSERT_TRUE(catalog.deleteCurrent());
    std::string expected = kRows;
    expected.erase(expected.find("\"Reflexfolie\""),
                   std::string("\"Reflexfolie\";200;15;KNIFE-0500;0.000000;1\r\n").size());
    EXPECT_EQ(readFile(path), kHeader + expected + tail);
    EXPECT_EQ(catalog.names(), (std::vector<std::string>{"Standard vinyl", "Papier 120g", "Karton 300g"}));
    EXPECT_EQ(catalog.currentIndex(), 0);
}

TEST_F(MediaCatalogTest, SaveWritesTheCatalogNameAndLeavesOtherRowsAlone) {
    ASSERT_TRUE(load(kHeader + kRows));
    ASSERT_EQ(catalog.current()->name, "Standard vinyl");  // translated in the list
    ui.answers = {MessageAnswer::Yes};
    ASSERT_TRUE(catalog.saveCurrent(values()));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Do you want to save the changed settings for this medium ?");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::YesNo);

    std::string expected = kRows;
    expected.replace(0, expected.find("\r\n"), "\"Standardfolie\";90;25;KNIFE-0300;0.050000;3");
    EXPECT_EQ(readFile(path), kHeader + expected);
    EXPECT_EQ(catalog.currentIndex(), 0);
    EXPECT_EQ(catalog.current()->name, "Standard vinyl");
    EXPECT_EQ(catalog.current()->cutForce, 90);

    // The second save command asks its own question; No changes nothing.
    ui.answers = {MessageAnswer::No};
    EXPECT_FALSE(catalog.saveCurrent(MediumRecord{}, MediaCatalog::SaveCommand::SecondSave));
    EXPECT_EQ(ui.messages.back().text, "Store these values as the medium's settings ?");
    EXPECT_EQ(readFile(path), kHeader + expected);
}

TEST_F(MediaCatalogTest, RewritesKeepColumnsThisProgramDoesNotKnowAndAddMissingOnes) {
    // A hand-made file: an extra "Comment" column, no "RepeatCount".
    const std::string file =
        "Name;Comment;CutForce;CutSpeed;ToolIDName;DeltaOffset\r\n"
        "Folie A;\"blau; matt\";80;40;KNIFE-0250;0\r\n"
        "Folie B;rot;90;30;KNIFE-0250;0\r\n";
    ASSERT_TRUE(load(file));
    ASSERT_TRUE(catalog.selectMedium(1));
    ui.answers = {MessageAnswer::Yes};
    ASSERT_TRUE(catalog.saveCurrent(values()));
    EXPECT_EQ(readFile(path),
              "Name;Comment;CutForce;CutSpeed;ToolIDName;DeltaOffset;RepeatCount\r\n"
              "Folie A;\"blau; matt\";80;40;KNIFE-0250;0\r\n"
              "\"Folie B\";rot;90;25;KNIFE-0300;0.050000;3\r\n");
    EXPECT_EQ(catalog.media()[0].repeatCount, 0);
    EXPECT_EQ(catalog.media()[1].repeatCount, 3);
}

TEST_F(MediaCatalogTest, AFailedRewriteLeavesTheFileAndTheListAsTheyWere) {
    // A file name so long that no sibling can be made beside it: the atomic rewrite must fail,
    // whatever the permissions (tests may run as root).
    path = dir.file(std::string(246, 'M') + ".csv");
    const std::string file = kHeader + kRows;
    ASSERT_TRUE(load(file));
    ASSERT_EQ(readFile(path), file);
    catalog.selectMedium(2);

    ui.answers = {MessageAnswer::Yes};
    EXPECT_FALSE(catalog.deleteCurrent());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "Can not open medium file for writing !");
    EXPECT_EQ(ui.messages[1].icon, MessageIcon::Error);
    EXPECT_EQ(ui.messages[1].caption, "Sartovin");

    ui.answers = {MessageAnswer::Yes};
    EXPECT_FALSE(catalog.saveCurrent(values(), MediaCatalog::SaveCommand::SecondSave));
    ASSERT_EQ(ui.messages.size(), 4u);
    EXPECT_EQ(ui.messages[3].text, "The medium file could not be written !");
    EXPECT_EQ(ui.messages[3].icon, MessageIcon::Exclamation);
    EXPECT_EQ(ui.messages[3].caption, "Sartovin");

    ui.textAnswers = {std::string("Neu")};
    EXPECT_FALSE(catalog.newMedium(values()));
    EXPECT_EQ(ui.messages.back().text, "Can not open medium file for writing !");

    EXPECT_EQ(readFile(path), file);
    EXPECT_EQ(catalog.media().size(), 4u);
    EXPECT_EQ(catalog.currentIndex(), 2);
    EXPECT_EQ(catalog.current()->cutForce, 70);
}

TEST_F(MediaCatalogTest, AWriteProtectedFileIsReportedAndKept) {
    const std::string file = kHeader + kRows;
    ASSERT_TRUE(load(file));
    ::chmod(path.c_str(), 0444);
    ui.answers = {MessageAnswer::Yes};
    EXPECT_FALSE(catalog.saveCurrent(values()));
    EXPECT_EQ(ui.messages.back().text, "Can not open medium file for writing !");
    ui.answers = {MessageAnswer::Yes};
    EXPECT_FALSE(catalog.saveCurrent(values(), MediaCatalog::SaveCommand::SecondSave));
    EXPECT_EQ(ui.messages.back().text, "The medium file could not be written !");
    EXPECT_EQ(readFile(path), file);
}

TEST_F(MediaCatalogTest, NewMediumReportsAFileThatVanished) {
    ASSERT_TRUE(load(kHeader + kRows));
    std::remove(path.c_str());
    ui.textAnswers = {std::string("Neu")};
    EXPECT_FALSE(catalog.newMedium(values()));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Can not open medium file for writing !");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(catalog.media().size(), 4u);
}

TEST_F(MediaCatalogTest, LaserMediaHaveEighteenColumns) {
    const std::string header =
        "Name;VectorForce;VectorSpeed;VectorLPI;VectorRepeatCount;RasterForce;RasterSpeed;RasterDPI;"
        "RasterRepeatCount;VectorCutOutForce;VectorCutOutSpeed;VectorCutOutLPI;Smooth;CutOut;"
        "RasterCleanForce;RasterCleanSpeed;Clean;Raster\r\n";
    const std::string row = "Acryl 3mm;60;30;500;1;60;80;500;1;100;3;1000;1;1;10;100;0;1\r\n";
    ASSERT_TRUE(load(header + row, 21));
    ASSERT_EQ(catalog.media().size(), 1u);
    const MediumRecord& m = catalog.media()[0];
    EXPECT_EQ(m.vectorForce, 60);
    EXPECT_EQ(m.vectorLpi, 500);
    EXPECT_EQ(m.rasterSpeed, 80);
    EXPECT_EQ(m.vectorCutOutLpi, 1000);
    EXPECT_EQ(m.rasterCleanForce, 10);
    EXPECT_EQ(m.clean, 0);
    EXPECT_EQ(m.raster, 1);
    EXPECT_EQ(MediaCatalog::columnsFor(21).size(), 18u);

    MediumRecord v = m;
    v.vectorForce = 65;
    v.raster = 0;
    v.cutForce = 999;  // cutter fields have no column here
    ui.textAnswers = {std::string("Acryl 5mm")};
    ASSERT_TRUE(catalog.newMedium(v));
    EXPECT_EQ(readFile(path),
              header + row + "\"Acryl 5mm\";65;30;500;1;60;80;500;1;100;3;1000;1;1;10;100;0;0\r\n");
}

}  // namespace
}  // namespace sartovin
