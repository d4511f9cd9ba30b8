// The catalog templates in data/ as the program ships them: every row reads, and what refers to
// something else finds it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "base/Settings.h"
#include "base/Texts.h"
#include "catalog/COXCsvFile.h"
#include "catalog/MediaCatalog.h"
#include "catalog/PlotterCatalog.h"
#include "catalog/ToolCatalog.h"
#include "platform/ScriptedInteraction.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

std::string dataFile(const std::string& name) { return std::string(SARTOVIN_DATA_DIR) + "/" + name; }

// Reads a template through the class the catalogs use and checks its form: a header with the
// expected columns, CR LF line ends, every row complete and error-free, no empty line.
void expectWellFormed(const std::string& name, int columns) {
    SCOPED_TRACE(name);
    std::string bytes = test::readFile(dataFile(name));
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
        }
    COXCsvFile csv;
    ASSERT_TRUE(csv.open(dataFile(name)));
    csv.setSeparator(';');
    EXPECT_TRUE(csv.readHeader(columns));
    int rows = 0;
    while (csv.readLine()) {
        EXPECT_FALSE(csv.lastLineEmpty()) << "row " << rows;
        EXPECT_EQ(csv.fieldCount(), columns) << "row " << rows;
        ++rows;
    }
    EXPECT_EQ(csv.lastError(), COXCsvFile::kNoError);
    EXPECT_GT(rows, 0);
}

TEST(ShippedCatalogsTest, EveryTemplateIsWellFormed) {
    expectWellFormed("Plotter.csv", 19);
    expectWellFormed("PlotterHP.csv", 19);
    expectWellFormed("PlotterLC.csv", 21);
    expectWellFormed("Media.csv", 6);
    expectWellFormed("MediaHP.csv", 6);
    expectWellFormed("MediaLC.csv", 18);
    expectWellFormed("Tools.csv", 4);
    expectWellFormed("ToolsHP.csv", 4);
}

class ShippedCatalogs : public ::testing::Test {
protected:
    test::TempDir dir;  // no text files: names are shown as the catalogs have them
    Texts texts{dir.path(), 2000};
    Settings settings{dir.file("Sartovin.ini")};
    ScriptedInteraction ui;
};

TEST_F(ShippedCatalogs, PlottersHaveSoundLimits) {
    struct Case {
        const char* file;
        StartMode startMode;
        std::vector<std::string> mustContain;
    };
    for (const Case& c :
         {Case{"Plotter.csv", 1, {"Puma", "Jaguar", "Expert", "Expert LX", "Expert Pro", "Bengal", "Sable"}},
          Case{"PlotterHP.csv", 10, {"Cameo", "CC100", "CC200", "CC330"}},
          Case{"PlotterLC.csv", 20, {"Laser"}}}) {
        SCOPED_TRACE(c.file);
        PlotterCatalog catalog;
        ASSERT_TRUE(catalog.load(dataFile(c.file), c.startMode, settings, ui, texts));
        for (const auto& word : c.mustContain) {
            EXPECT_TRUE(
                std::any_of(catalog.plotters().begin(), catalog.plotters().end(),
                            [&](const PlotterRecord& p) { return p.name.find(word) != std::string::npos; }))
                << word;
        }
        std::set<std::string> names;
        for (const PlotterRecord& p : catalog.plotters()) {
            SCOPED_TRACE(p.name);
            EXPECT_TRUE(names.insert(p.name).second) << "duplicate name";
            EXPECT_GT(p.minCutWidth, 0);
            EXPECT_LE(p.minCutWidth, p.maxCutWidth);
            EXPECT_LE(p.maxCutWidth, p.maxMediaWidth);
            EXPECT_GT(p.minCutHeight, 0);
            EXPECT_LE(p.minCutHeight, p.maxCutHeight);
            EXPECT_LE(p.minMediaWidth, p.maxMediaWidth);
            EXPECT_LE(p.minMediaHeight, p.maxMediaHeight);
            EXPECT_GE(p.minCutSpeed, 1);
            EXPECT_LT(p.minCutSpeed, p.maxCutSpeed);
            EXPECT_GE(p.minCutForce, 1);
            EXPECT_LT(p.minCutForce, p.maxCutForce);
            // Quality values run from draft (fastest) down to small letters.
            EXPECT_GT(p.qualityDraft, p.qualityFair);
            EXPECT_GT(p.qualityFair, p.qualityNormal);
            EXPECT_GT(p.qualityNormal, p.qualityFine);
            EXPECT_GT(p.qualityFine, p.qualitySmallLetter);
            EXPECT_GT(p.qualitySmallLetter, 0);
            if (c.startMode.isLaser()) {
                EXPECT_GT(p.maxVectorLpi, 0);
                EXPECT_FALSE(p.dpi.empty());
                EXPECT_EQ(p.deviceName, p.name);
            }
        }
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ShippedCatalogs, EveryMediumFindsItsToolAndFitsItsPlotters) {
    struct Case {
        const char* media;
        const char* tools;
        const char* plotters;
        StartMode startMode;
        std::vector<std::string> names;
    };
    for (const Case& c :
         {Case{"Media.csv",
               "Tools.csv",
               "Plotter.csv",
               1,
               {"Standardfolie", "Hochleistungsfolie", "Reflexfolie", "Flexfolie (Textil)",
                "Flockfolie (Textil)", "Sandstrahlfolie", "Schablonenfolie", "Papier 120g", "Karton 300g",
                "Zeichenstift"}},
          Case{"MediaHP.csv",
               "ToolsHP.csv",
               "PlotterHP.csv",
               10,
               {"Vinylfolie", "Bügelfolie", "Papier", "Fotokarton", "Transparentpapier", "Magnetfolie"}}}) {
        SCOPED_TRACE(c.media);
        MediaCatalog media(ui, texts, settings);
        ASSERT_TRUE(media.load(dataFile(c.media), c.startMode, "Any"));
        EXPECT_EQ(media.names(), c.names);
        ToolCatalog tools;
        ASSERT_TRUE(tools.load(dataFile(c.tools), ui, texts));
        PlotterCatalog plotters;
        ASSERT_TRUE(plotters.load(dataFile(c.plotters), c.startMode, settings, ui, texts));
        for (const MediumRecord& m : media.media()) {
            SCOPED_TRACE(m.name);
            EXPECT_GE(tools.indexOf(m.toolIdName), 0) << m.toolIdName;
            EXPECT_GE(m.repeatCount, 1);
            // Every shipped plotter of the edition can cut every shipped medium.
            for (const PlotterRecord& p : plotters.plotters()) {
                EXPECT_GE(m.cutSpeed, p.minCutSpeed) << p.name;
                EXPECT_LE(m.cutSpeed, p.maxCutSpeed) << p.name;
                EXPECT_GE(m.cutForce, p.minCutForce) << p.name;
                EXPECT_LE(m.cutForce, p.maxCutForce) << p.name;
            }
            if (!c.startMode.isStandard()) {
                // Hobby blade settings are whole units 1..10.
                EXPECT_EQ(m.deltaOffset, std::trunc(m.deltaOffset));
                EXPECT_GE(m.deltaOffset, 1);
                EXPECT_LE(m.deltaOffset, 10);
            }
        }
        for (const ToolRecord& t : tools.tools()) {
            EXPECT_FALSE(t.displayNameGerman.empty());
            EXPECT_FALSE(t.displayNameEnglish.empty());
            if (!c.startMode.isStandard()) {
                EXPECT_EQ(t.offset, std::trunc(t.offset)) << t.idName;
            }
        }
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ShippedCatalogs, CutterToolOffsetsAreThoseOfTheCuttersOffsetList) {
    ToolCatalog tools;
    ASSERT_TRUE(tools.load(dataFile("Tools.csv"), ui, texts));
    const std::set<std::string> offsets = {"0.000", "0.175", "0.250", "0.275",
                                           "0.300", "0.500", "0.750", "1.000"};
    bool pen = false;
    for (const ToolRecord& t : tools.tools()) {
        char text[32];
        std::snprintf(text, sizeof text, "%.3f", t.offset);
        EXPECT_TRUE(offsets.count(text)) << t.idName << " " << text;
        pen = pen || t.offset == 0;
    }
    EXPECT_TRUE(pen);
    EXPECT_EQ(tools.tools().size(), 8u);
}

TEST_F(ShippedCatalogs, LaserMediaLoad) {
    MediaCatalog media(ui, texts, settings);
    ASSERT_TRUE(media.load(dataFile("MediaLC.csv"), 20, "Laser C180"));
    EXPECT_EQ(media.names(), (std::vector<std::string>{"Acryl 3mm", "Holz 4mm", "Karton 1mm", "Leder",
                                                       "Eloxiertes Aluminium", "Stempelgummi"}));
    for (const MediumRecord& m : media.media()) {
        SCOPED_TRACE(m.name);
        for (int v : {m.vectorForce, m.vectorSpeed, m.rasterForce, m.rasterSpeed, m.rasterCleanForce})
            EXPECT_TRUE(v >= 0 && v <= 100);
        EXPECT_TRUE(m.vectorLpi >= 1 && m.vectorLpi <= 1525);
        EXPECT_TRUE(m.vectorCutOutLpi >= 1 && m.vectorCutOutLpi <= 1525);
        for (int flag : {m.smooth, m.cutOut, m.clean, m.raster}) EXPECT_TRUE(flag == 0 || flag == 1);
    }
    EXPECT_EQ(settings.medium("Laser C180"), "Acryl 3mm");
}

}  // namespace
}  // namespace sartovin
