#pragma once
// An Interaction for tests: it records every message, answers from a queue, and keeps a virtual
// clock that pause() advances, so device pauses cost no real time.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/Interaction.h"

namespace sartovin {

class ScriptedInteraction : public Interaction {
public:
    struct Message {
        std::string text;
        std::string caption;
        MessageIcon icon = MessageIcon::None;
        MessageButtons buttons = MessageButtons::Ok;
        MessageAnswer answer = MessageAnswer::Ok;
    };
    struct ListQuestion {
        std::string title;
        std::vector<std::string> items;
        int preselected = -1;
        int answer = -1;
    };

    using Interaction::messageBox;
    MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons, MessageAnswer proceed) override;
    int chooseFromList(const std::string& title, const std::vector<std::string>& items,
                       int preselected) override;
    bool askText(const std::string& title, const std::string& prompt, std::string& value) override;
    void pump() override;
    void pause(int ms) override;

    /// Answers used in order by message boxes; when the queue is empty a box gets `proceed`.
    std::deque<MessageAnswer> answers;
    /// Answers for chooseFromList; when empty the preselected index is returned.
    std::deque<int> listAnswers;
    /// Answers for askText in order: a text is typed and confirmed, nullopt cancels. An empty
    /// queue cancels.
    std::deque<std::optional<std::string>> textAnswers;

    std::vector<Message> messages;
    std::vector<ListQuestion> listQuestions;
    std::vector<std::string> textPrompts;

    /// Virtual time in milliseconds, advanced only by pause().
    long long nowMs = 0;
    int pumpCount = 0;
    /// Called on every pump() and pause(): lets a test act "while" core code waits.
    std::function<void()> onPump;

    /// The texts of all recorded messages, for compact assertions.
    std::vector<std::string> messageTexts() const;
};

}  // namespace sartovin
