#include <gtest/gtest.h>

#include <cstdio>

#include "platform/ConsoleInteraction.h"
#include "platform/ScriptedInteraction.h"

namespace sartovin {
namespace {

TEST(InteractionTest, ScriptedAnswersComeInOrderThenTheProceedAnswer) {
    ScriptedInteraction ui;
    ui.answers = {MessageAnswer::No};
    EXPECT_EQ(ui.messageBox("first", "Sartovin", MessageIcon::Question, MessageButtons::YesNo),
              MessageAnswer::No);
    EXPECT_EQ(
        ui.messageBox("second", "Sartovin", MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No),
        MessageAnswer::No);
    EXPECT_EQ(ui.messageBox("third", "", MessageIcon::Error), MessageAnswer::Ok);
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[2].icon, MessageIcon::Error);
    EXPECT_EQ(ui.messageTexts(), (std::vector<std::string>{"first", "second", "third"}));
    ui.pause(1000);
    ui.pause(250);
    EXPECT_EQ(ui.nowMs, 1250);
}

TEST(InteractionTest, ConsoleWithoutTerminalTakesTheAnswerThatGoesOn) {
    char* buf = nullptr;
    size_t len = 0;
    std::FILE* out = ::open_memstream(&buf, &len);
    std::FILE* in = std::tmpfile();
    {
        ConsoleInteraction ui(0, out, in);
        EXPECT_EQ(ui.messageBox("Cancel?\r\nReally", "Sartovin", MessageIcon::Question, MessageButtons::YesNo,
                                MessageAnswer::No),
                  MessageAnswer::No);
        std::string name;
        EXPECT_FALSE(ui.askText("New Medium", "Name", name));
    }
    std::fclose(out);
    std::string printed(buf, len);
    std::free(buf);
    EXPECT_NE(printed.find("question: Cancel?\nReally\n"), std::string::npos);
    EXPECT_NE(printed.find("answering No"), std::string::npos);
    std::fclose(in);
}

TEST(InteractionTest, ConsoleOnATerminalReadsTheAnswer) {
    std::FILE* in = std::tmpfile();
    std::fputs("x\ny\n2\n", in);
    std::rewind(in);
    std::FILE* out = std::tmpfile();
    ConsoleInteraction ui(1, out, in);
    // "x" is no answer and is asked again.
    EXPECT_EQ(ui.messageBox("Delete?", "", MessageIcon::Question, MessageButtons::YesNo), MessageAnswer::Yes);
    EXPECT_EQ(ui.chooseFromList("Language", {"Deutsch", "English", "France"}, 0), 1);
    std::fclose(in);
    std::fclose(out);
}

}  // namespace
}  // namespace sartovin
