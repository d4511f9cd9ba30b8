#pragma once
// How core code talks to the user and waits. Core code never shows a window, sleeps or spins by
// itself: it asks this interface. The GUI shows real message boxes and processes its events in
// pump(); the command line prints and sleeps; tests script the answers and run on a virtual clock.

#include <string>
#include <vector>

namespace sartovin {

enum class MessageIcon { None, Error, Exclamation, Information, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No, Retry };

/// The caption every message box of the program carries unless a caller says otherwise.
inline constexpr const char* kProgramCaption = "Sartovin";

class Interaction {
public:
    virtual ~Interaction() = default;

    /// Shows a modal message and returns the button the user chose. `proceed` names the answer
    /// that lets the current work go on; an interface that cannot ask anybody (a command line
    /// without a terminal) takes it. It must be one of `buttons`' answers.
    virtual MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                                     MessageButtons buttons, MessageAnswer proceed) = 0;

    /// The same with the first button of `buttons` as the answer that goes on.
    MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons = MessageButtons::Ok);

    /// Asks the user to pick one entry of a list (a small dialog with a drop-down list and OK).
    /// Returns the chosen index, or -1 when nothing was chosen.
    virtual int chooseFromList(const std::string& title, const std::vector<std::string>& items,
                               int preselected) = 0;

    /// Asks for a line of text (a name dialog). Returns false when the user cancelled; `value` holds
    /// the initial text on entry and the answer on return.
    virtual bool askText(const std::string& title, const std::string& prompt, std::string& value) = 0;

    /// Processes whatever the user interface has pending, without waiting.
    virtual void pump() = 0;

    /// Waits `ms` milliseconds while the user interface stays responsive.
    virtual void pause(int ms) = 0;

    /// Marks work that the user may stop from outside the user interface (the command line's
    /// interrupt and terminate signals): while it is on, such a request is noted for
    /// stopRequested() instead of ending the program. Turning it on forgets an earlier request.
    virtual void allowStop(bool on) { (void)on; }
    /// True when the user asked to stop since allowStop(true).
    virtual bool stopRequested() { return false; }
};

/// The answer a caller gets from `buttons` when it takes the first button.
MessageAnswer firstAnswerOf(MessageButtons buttons);

/// True when `answer` is one of the answers `buttons` offers.
bool buttonsOffer(MessageButtons buttons, MessageAnswer answer);

/// Names used in logs and test output ("OK", "Cancel", "Yes", ...).
const char* answerName(MessageAnswer answer);
const char* iconName(MessageIcon icon);

}  // namespace sartovin
