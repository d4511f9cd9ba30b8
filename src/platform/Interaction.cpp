#include "platform/Interaction.h"

namespace sartovin {

MessageAnswer Interaction::messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                                      MessageButtons buttons) {
    return messageBox(text, caption, icon, buttons, firstAnswerOf(buttons));
}

MessageAnswer firstAnswerOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
        case MessageButtons::OkCancel:
            return MessageAnswer::Ok;
        case MessageButtons::YesNo:
        case MessageButtons::YesNoCancel:
            return MessageAnswer::Yes;
        case MessageButtons::RetryCancel:
            return MessageAnswer::Retry;
    }
    return MessageAnswer::Ok;
}

bool buttonsOffer(MessageButtons buttons, MessageAnswer answer) {
    switch (buttons) {
        case MessageButtons::Ok:
            return answer == MessageAnswer::Ok;
        case MessageButtons::OkCancel:
            return answer == MessageAnswer::Ok || answer == MessageAnswer::Cancel;
        case MessageButtons::YesNo:
            return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
        case MessageButtons::YesNoCancel:
            return answer == MessageAnswer::Yes || answer == MessageAnswer::No ||
                   answer == MessageAnswer::Cancel;
        case MessageButtons::RetryCancel:
            return answer == MessageAnswer::Retry || answer == MessageAnswer::Cancel;
    }
    return false;
}

const char* answerName(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Ok:
            return "OK";
        case MessageAnswer::Cancel:
            return "Cancel";
        case MessageAnswer::Yes:
            return "Yes";
        case MessageAnswer::No:
            return "No";
        case MessageAnswer::Retry:
            return "Retry";
    }
    return "?";
}

const char* iconName(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::None:
            return "none";
        case MessageIcon::Error:
            return "error";
        case MessageIcon::Exclamation:
            return "exclamation";
        case MessageIcon::Information:
            return "information";
        case MessageIcon::Question:
            return "question";
    }
    return "?";
}

}  // namespace sartovin
