#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/Settings.h"
#include "base/Texts.h"
#include "platform/ScriptedInteraction.h"
#include "support/TempDir.h"

namespace sartovin {
namespace {

using test::TempDir;
using test::writeFile;

// Failed writes are remembered per file, whichever Settings object made them, and said once a run:
// after the action that wrote, and again only where the user asked for that one store.
TEST(SettingsWriteFailureTest, AFileThatCannotBeWrittenIsSaidOnceAndAStoreTheUserAskedForAlways) {
    TempDir dir;
    writeFile(dir.file("2000.txt"), "[2000]\n2450=Not saved in %s !\n");
    Texts texts(dir.path(), 2000);
    ScriptedInteraction ui;
    const std::string locked = dir.file("locked.ini");
    const std::string open = dir.file("open.ini");
    writeFile(locked, "[State]\nRotate=1\n");
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    int heard = 0;
    Settings::setWriteFailureListener([&] { ++heard; });

    // One action, several keys, two objects of the file: one message, naming it.
    EXPECT_FALSE(Settings(locked).setRotate(0));
    EXPECT_FALSE(Settings(locked).writeStrings({{"State", "Mirror", "1"}, {"State", "Grid", "1"}}));
    EXPECT_TRUE(Settings(open).setRotate(0));
    EXPECT_TRUE(Settings(locked).setRotate(1));  // unchanged: nothing to write, nothing failed
    EXPECT_EQ(heard, 2);
    EXPECT_TRUE(reportUnsavedSettings(texts, ui));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"Not saved in " + locked + " !"});
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Error);

    // Later changes of the run are not said again; a store the user asked for is.
    EXPECT_FALSE(Settings(locked).setMirror(1));
    EXPECT_FALSE(reportUnsavedSettings(texts, ui));
    reportSettingsNotSaved(Settings(locked), texts, ui);
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_FALSE(reportUnsavedSettings(texts, ui));
    EXPECT_TRUE(Settings::anyWriteFailed());

    Settings::setWriteFailureListener({});
    ::chmod(locked.c_str(), 0644);
}

}  // namespace
}  // namespace sartovin
