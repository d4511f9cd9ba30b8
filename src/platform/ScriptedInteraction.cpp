#include "platform/ScriptedInteraction.h"

namespace sartovin {

MessageAnswer ScriptedInteraction::messageBox(const std::string& text, const std::string& caption,
                                              MessageIcon icon, MessageButtons buttons,
                                              MessageAnswer proceed) {
    MessageAnswer answer = proceed;
    if (!answers.empty()) {
        answer = answers.front();
        answers.pop_front();
    }
    messages.push_back({text, caption, icon, buttons, answer});
    return answer;
}

int ScriptedInteraction::chooseFromList(const std::string& title, const std::vector<std::string>& items,
                                        int preselected) {
    int answer = preselected;
    if (!listAnswers.empty()) {
        answer = listAnswers.front();
        listAnswers.pop_front();
    }
    listQuestions.push_back({title, items, preselected, answer});
    return answer;
}

bool ScriptedInteraction::askText(const std::string& title, const std::string& prompt, std::string& value) {
    textPrompts.push_back(title + "|" + prompt);
    if (textAnswers.empty()) return false;
    std::optional<std::string> answer = textAnswers.front();
    textAnswers.pop_front();
    if (!answer) return false;
    value = *answer;
    return true;
}

void ScriptedInteraction::pump() {
    ++pumpCount;
    if (onPump) onPump();
}

void ScriptedInteraction::pause(int ms) {
    if (ms > 0) nowMs += ms;
    if (onPump) onPump();
}

std::vector<std::string> ScriptedInteraction::messageTexts() const {
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(m.text);
    return out;
}

}  // namespace sartovin
