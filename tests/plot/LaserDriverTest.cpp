#include "plot/LaserDriver.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/ModelEnvironment.h"

namespace sartovin::test {
namespace {

// The procedure after an engraver was chosen, with a settings "dialog" that writes the file when
// told to.
struct DefinitionProcedure : ModelEnvironment {
    std::string path = dir.file("Sartovin/C18.def");
    int opened = 0;
    int writeOnOpening = 1;  // the dialog writes the file on this opening (0: never)
    bool run(bool withDialog = true) {
        auto dialog = [this] {
            if (++opened == writeOnOpening) writeLaserDefinition(path, {500, 0, 457, 305});
        };
        return ensureLaserDefinition(path, ui, texts, withDialog ? std::function<void()>(dialog) : nullptr);
    }
    std::string missing() const { return texts.format(TextId::LaserDefinitionMissing, {path}); }
    std::string opening() const { return texts.text(TextId::LaserDriverSettingsOpen); }
};

TEST(LaserDefinition, MissingFileOpensTheSettingsUntilOneIsWritten) {
    DefinitionProcedure p;
    EXPECT_TRUE(p.run());
    EXPECT_EQ(p.ui.messageTexts(), std::vector<std::string>{p.opening()});
    EXPECT_EQ(p.ui.messages[0].icon, MessageIcon::Information);
    // Once there, nothing is asked.
    EXPECT_TRUE(p.run());
    EXPECT_EQ(p.opened, 1);
    EXPECT_EQ(p.ui.messages.size(), 1u);

    // No file after the first showing: 374 with Retry, the settings again, then the file.
    DefinitionProcedure retry;
    retry.writeOnOpening = 2;
    retry.ui.answers = {MessageAnswer::Ok, MessageAnswer::Retry};
    EXPECT_TRUE(retry.run());
    EXPECT_EQ(retry.ui.messageTexts(),
              (std::vector<std::string>{retry.opening(), retry.missing(), retry.opening()}));
    EXPECT_EQ(retry.ui.messages[1].buttons, MessageButtons::RetryCancel);
    EXPECT_EQ(retry.ui.messages[1].icon, MessageIcon::Error);
    EXPECT_EQ(retry.ui.messages[1].caption, "Sartovin");

    // Cancel ends it without a file.
    DefinitionProcedure cancel;
    cancel.writeOnOpening = 0;
    cancel.ui.answers = {MessageAnswer::Ok, MessageAnswer::Cancel};
    EXPECT_FALSE(cancel.run());
    EXPECT_EQ(cancel.opened, 1);
    LaserDefinition d;
    EXPECT_EQ(checkLaserDriver(cancel.path, d), LaserDriverStatus::Missing);
}

TEST(LaserDefinition, WithoutAWindowOrAccessTheUserIsToldOnce) {
    DefinitionProcedure p;
    EXPECT_FALSE(p.run(false));
    EXPECT_EQ(p.ui.messageTexts(), std::vector<std::string>{p.missing()});

    // A definition that exists but cannot be opened for reading and writing: 375, no dialog.
    ASSERT_EQ(::mkdir(p.dir.file("Sartovin").c_str(), 0700), 0);
    ASSERT_EQ(::mkdir(p.path.c_str(), 0700), 0);
    EXPECT_FALSE(p.run());
    EXPECT_EQ(p.opened, 0);
    EXPECT_EQ(p.ui.messages.back().text, p.texts.format(TextId::LaserDefinitionNotWritable, {p.path}));
    EXPECT_EQ(p.ui.messages.back().icon, MessageIcon::Error);
}

}  // namespace
}  // namespace sartovin::test
