#include "catalog/PlotterCatalog.h"

#include <gtest/gtest.h>

#include "support/ModelEnvironment.h"

namespace sartovin {
namespace {

using test::writeFile;

const char* kHeader19 =
    "Name;MaxCutWidth;MinCutWidth;MaxCutHeight;MinCutHeigth;MaxMediaWidth;MinMediaWidth;MaxMediaHeight;"
    "MinMediaHeight;MinMediaMargin;MaxCutSpeed;MinCutSpeed;MaxCutForce;MinCutForce;QualityDraft;"
    "QualityFair;QualityNormal;QualityFine;QualitySmallLetter";

class PlotterCatalogTest : public ::testing::Test, protected test::ModelEnvironment {
protected:
    bool load(const std::string& csv, StartMode startMode = 1) {
        writeFile(dir.file("Plotter.csv"), csv);
        return catalog.load(dir.file("Plotter.csv"), startMode, settings, ui, texts);
    }

    PlotterCatalog catalog;
};

TEST_F(PlotterCatalogTest, ReadsEveryColumnWithItsWidth) {
    ASSERT_TRUE(load(std::string(kHeader19) +
                     "\r\n"
                     "Jaguar V 132;1320;50;50000;40;1450;60;60000;70;25;100;1;600;5;4;3;2;1.5;1\r\n"));
    ASSERT_EQ(catalog.plotters().size(), 1u);
    const PlotterRecord& p = catalog.plotters()[0];
    EXPECT_EQ(p.name, "Jaguar V 132");
    EXPECT_EQ(p.maxCutWidth, 1320);
    EXPECT_EQ(p.minCutWidth, 50);
    EXPECT_EQ(p.maxCutHeight, 50000);  // 32-bit column
    EXPECT_EQ(p.minCutHeight, 40);
    EXPECT_EQ(p.maxMediaWidth, 1450);
    EXPECT_EQ(p.minMediaWidth, 60);
    EXPECT_EQ(p.maxMediaHeight, 60000);
    EXPECT_EQ(p.minMediaHeight, 70);
    EXPECT_EQ(p.minMediaMargin, 25);
    EXPECT_EQ(p.maxCutSpeed, 100);
    EXPECT_EQ(p.minCutSpeed, 1);
    EXPECT_EQ(p.maxCutForce, 600);
    EXPECT_EQ(p.minCutForce, 5);
    EXPECT_DOUBLE_EQ(p.qualityDraft, 4);
    EXPECT_DOUBLE_EQ(p.qualityFair, 3);
    EXPECT_DOUBLE_EQ(p.qualityNormal, 2);
    EXPECT_DOUBLE_EQ(p.qualityFine, 1.5);
    EXPECT_DOUBLE_EQ(p.qualitySmallLetter, 1);
    EXPECT_EQ(p.deviceName, "");  // only the laser edition names the device at load
    EXPECT_EQ(catalog.currentIndex(), 0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PlotterCatalogTest, ColumnsAreFoundByNameOnlyWithTheCatalogSpelling) {
    // Columns in another order and case; "MinCutHeight" is not the catalog's spelling; a 16-bit
    // field that overflows reads 0; missing columns stay 0.
    ASSERT_TRUE(
        load("maxcutheight;NAME;MinCutHeight;MaxCutWidth;MaxVectorLPI;DPI\n"
             "70000;Puma III 60;50;40000;1525;600\n"));
    const PlotterRecord& p = catalog.plotters()[0];
    EXPECT_EQ(p.name, "Puma III 60");
    EXPECT_EQ(p.maxCutHeight, 70000);
    EXPECT_EQ(p.minCutHeight, 0);
    EXPECT_EQ(p.maxCutWidth, 0);
    EXPECT_EQ(p.maxCutSpeed, 0);
    EXPECT_EQ(p.maxVectorLpi, 0);  // laser columns are read by the laser edition only
    EXPECT_EQ(p.dpi, "");
}

TEST_F(PlotterCatalogTest, LaserEditionReadsTwentyOneColumnsAndNamesTheDevice) {
    ASSERT_TRUE(load(std::string(kHeader19) +
                         ";MaxVectorLPI;DPI\r\n"
                         "Laser C180;457;10;305;10;457;10;305;10;0;100;1;100;1;4;3;2;1.5;1;1525;1200\r\n",
                     21));
    const PlotterRecord& p = catalog.plotters()[0];
    EXPECT_EQ(p.maxVectorLpi, 1525);
    EXPECT_EQ(p.dpi, "1200");
    EXPECT_EQ(p.deviceName, "Laser C180");
    EXPECT_DOUBLE_EQ(p.qualitySmallLetter, 1);
}

TEST_F(PlotterCatalogTest, ConnectionSettingsAreMergedByPortType) {
    settings.setPortType("USB one", 4);
    settings.setUsbGccName("USB one", "Jaguar V");
    settings.setPort("USB one", "COM3");  // not used for a USB printer device
    settings.setPortType("USB bare", 4);
    settings.setPortType("Serial", 1);
    settings.setPort("Serial", "COM2");
    settings.setUsbGccName("Serial", "ignored");
    settings.setPortType("Spooler", 3);
    settings.setPortType("None", 0);
    settings.setPort("None", "COM9");
    ASSERT_TRUE(load(std::string(kHeader19) + "\nUSB one\nUSB bare\nSerial\nSpooler\nNone\nUnconfigured\n"));
    const auto& p = catalog.plotters();
    ASSERT_EQ(p.size(), 6u);
    EXPECT_EQ(p[0].portType, kPortUsbDevice);
    EXPECT_EQ(p[0].usbGccName, "Jaguar V");
    EXPECT_EQ(p[0].port, "");
    EXPECT_EQ(p[1].portType, kPortUsbDevice);
    EXPECT_EQ(p[1].usbGccName, "");
    EXPECT_EQ(p[2].portType, kPortSerial);
    EXPECT_EQ(p[2].port, "COM2");
    EXPECT_EQ(p[2].usbGccName, "");
    EXPECT_EQ(p[3].portType, kPortPrinter);
    EXPECT_EQ(p[3].port, "");
    EXPECT_EQ(p[4].portType, kPortNone);
    EXPECT_EQ(p[4].port, "");
    EXPECT_EQ(p[5].portType, kPortNone);
}

TEST_F(PlotterCatalogTest, SelectsTheFirstExactMatchOfTheStoredPlotter) {
    const std::string csv =
        std::string(kHeader19) + "\nPuma III 60;600\nJaguar IV 61;610\nJaguar IV 61;620\n";
    settings.setPlotter("Jaguar IV 61");
    ASSERT_TRUE(load(csv));
    EXPECT_EQ(catalog.currentIndex(), 1);
    EXPECT_EQ(catalog.current()->maxCutWidth, 610);
    EXPECT_EQ(catalog.names(), (std::vector<std::string>{"Puma III 60", "Jaguar IV 61", "Jaguar IV 61"}));

    settings.setPlotter("jaguar iv 61");  // the match is case-sensitive
    ASSERT_TRUE(load(csv));
    EXPECT_EQ(catalog.currentIndex(), 0);

    settings.setPlotter("");
    ASSERT_TRUE(load(csv));
    EXPECT_EQ(catalog.currentIndex(), 0);
    EXPECT_TRUE(catalog.select(2));
    EXPECT_FALSE(catalog.select(3));
    EXPECT_EQ(catalog.currentIndex(), 2);
}

TEST_F(PlotterCatalogTest, ReadingEndsAtAnEmptyRowOrARowWithTooManyFields) {
    ASSERT_TRUE(load("Name;MaxCutWidth\nA;1\nB;2\n\nC;3\n"));
    EXPECT_EQ(catalog.names(), (std::vector<std::string>{"A", "B"}));
    // The header is read with 19 columns, so only a row wider than that stops the catalog.
    std::string wide = "Wide";
    for (int i = 0; i < 19; ++i) wide += ";1";
    ASSERT_TRUE(load("Name;MaxCutWidth\nA;1\n" + wide + "\nC;3\n"));
    EXPECT_EQ(catalog.names(), (std::vector<std::string>{"A"}));
}

TEST_F(PlotterCatalogTest, ACatalogThatNamesNoPlotterIsRefusedWithItsPath) {
    std::string noise;
    for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 7919 + 13) % 256);
    for (const std::string& bytes :
         {noise, std::string(kHeader19) + "\n", std::string("Name;MaxCutWidth\n;5\n")}) {
        ui.messages.clear();
        EXPECT_FALSE(load(bytes));
        EXPECT_TRUE(catalog.plotters().empty());
        EXPECT_EQ(catalog.current(), nullptr);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text,
                  "Can not use config file " + dir.file("Plotter.csv") + ": it names no cutter !");
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
    }
    // One named row among unnamed ones is enough; the rows stay as they are.
    ui.messages.clear();
    EXPECT_TRUE(load("Name;MaxCutWidth\n;5\nPuma;7\n"));
    EXPECT_EQ(catalog.plotters().size(), 2u);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PlotterCatalogTest, AMissingCatalogShowsMessage305AndLeavesTheListEmpty) {
    ASSERT_TRUE(load(std::string(kHeader19) + "\nA\n"));
    ASSERT_FALSE(catalog.load(dir.file("nowhere/Plotter.csv"), 1, settings, ui, texts));
    EXPECT_TRUE(catalog.plotters().empty());
    EXPECT_EQ(catalog.current(), nullptr);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Can not open config file !");
    EXPECT_EQ(ui.messages[0].caption, "Sartovin");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::Ok);

    texts.setLanguageId(1000);
    catalog.load(dir.file("nowhere/Plotter.csv"), 1, settings, ui, texts);
    EXPECT_EQ(ui.messages.back().text, "Kann Konfigurationsdatei nicht öffnen !");
}

}  // namespace
}  // namespace sartovin
