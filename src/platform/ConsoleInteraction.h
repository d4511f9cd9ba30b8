#pragma once
// The command line's Interaction: messages go to standard error; questions are asked on the
// terminal when standard input is one, otherwise the answer that lets the work go on is taken and
// reported. pause() really sleeps. While core code allows a stop, an interrupt (Ctrl-C) or a
// terminate signal is noted as the user's request to stop instead of ending the program.

#include <cstdio>

#include "platform/Interaction.h"

namespace sartovin {

class ConsoleInteraction : public Interaction {
public:
    /// `interactive` < 0 decides by whether standard input is a terminal.
    explicit ConsoleInteraction(int interactive = -1, std::FILE* out = stderr, std::FILE* in = stdin);

    using Interaction::messageBox;
    MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons, MessageAnswer proceed) override;
    int chooseFromList(const std::string& title, const std::vector<std::string>& items,
                       int preselected) override;
    bool askText(const std::string& title, const std::string& prompt, std::string& value) override;
    void pump() override {}
    void pause(int ms) override;
    void allowStop(bool on) override;
    bool stopRequested() override;

    bool interactive() const { return m_interactive; }
    /// A run without a device (its bytes go to a file) has nothing to wait for: pauses return at once.
    void skipPauses(bool on) { m_skipPauses = on; }

    ~ConsoleInteraction() override;

private:
    bool readLine(std::string& line);

    bool m_interactive = false;
    bool m_skipPauses = false;
    std::FILE* m_out = stderr;
    std::FILE* m_in = stdin;
    bool m_stopAllowed = false;
};

}  // namespace sartovin
