#include "pages/EngraverSettingsModel.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/Profile.h"
#include "platform/ScriptedInteraction.h"
#include "support/TempDir.h"

namespace sartovin::test {
namespace {

TEST(EngraverSettingsModel, ProposesThePlottersValuesAndKeepsTheFilesOwn) {
    TempDir dir;
    const std::string path = dir.file("C18.def");
    PlotterRecord laser;
    laser.dpi = "1200";
    laser.maxCutWidth = 457;
    laser.maxCutHeight = 305;
    EngraverSettingsModel proposed(path, &laser);
    EXPECT_EQ(proposed.resolution(), 1000);
    EXPECT_EQ(proposed.pageWidth(), 457);
    EXPECT_EQ(proposed.pageHeight(), 305);

    // The list's values only; pages within their range.
    proposed.setResolution(600);
    EXPECT_EQ(proposed.resolution(), 500);
    proposed.setResolution(50);
    EXPECT_EQ(proposed.resolution(), 125);
    EXPECT_EQ(proposed.setPageWidth(5), EngraverSettingsModel::kMinPage);
    EXPECT_EQ(proposed.setPageHeight(99999), EngraverSettingsModel::kMaxPage);
    ASSERT_TRUE(proposed.save());
    EXPECT_EQ(GetPrivateProfileInt("C18", "RESOLUTION", 0, path), 125);

    // An existing file wins over the plotter's values; a plotter without a resolution gives 500.
    EngraverSettingsModel reread(path, &laser);
    EXPECT_EQ(reread.resolution(), 125);
    EXPECT_EQ(reread.pageWidth(), EngraverSettingsModel::kMinPage);
    EngraverSettingsModel bare(dir.file("other.def"), nullptr);
    EXPECT_EQ(bare.resolution(), 500);
    EXPECT_EQ(bare.pageWidth(), EngraverSettingsModel::kMinPage);
}

TEST(EngraverSettingsModel, AFileThatCannotBeWrittenIsSaidAndKeepsItsValues) {
    TempDir dir;
    const std::string path = dir.file("C18.def");
    EngraverSettingsModel model(path, nullptr);
    ASSERT_TRUE(model.save());
    const std::string before = readFile(path);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    model.setResolution(250);
    model.setPageWidth(600);
    Texts texts(SARTOVIN_DATA_DIR "/", 2000);
    ScriptedInteraction ui;
    EXPECT_FALSE(model.store(texts, ui));
    ::chmod(path.c_str(), 0644);
    ASSERT_EQ(ui.messageTexts(), std::vector<std::string>{"The settings could not be saved in " + path + " !"});
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(readFile(path), before);

    EXPECT_TRUE(model.store(texts, ui));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(GetPrivateProfileInt("C18", "RESOLUTION", 0, path), 250);
    EXPECT_EQ(GetPrivateProfileInt("C18", "PageWidth", 0, path), 600);
}

}  // namespace
}  // namespace sartovin::test
