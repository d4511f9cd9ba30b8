#pragma once
// The program's Interaction with Qt: modal message boxes with the caption, icon and buttons the
// core asks for, the language dialog for list questions, the medium-name dialog for text
// questions, and the event loop for pumping and pausing.

#include <QPointer>
#include <QWidget>

#include "platform/Interaction.h"

namespace sartovin {

class Texts;

class QtInteraction : public Interaction {
public:
    /// `texts` (may be null until start-up has settled the language) gives the buttons' captions
    /// of the program's own dialogs.
    explicit QtInteraction(const Texts* texts = nullptr) : m_texts(texts) {}

    void setTexts(const Texts* texts) { m_texts = texts; }
    /// The window message boxes and dialogs are centred on; the active window when none is set.
    void setParentWindow(QWidget* parent) { m_parent = parent; }

    using Interaction::messageBox;
    MessageAnswer messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons, MessageAnswer proceed) override;
    int chooseFromList(const std::string& title, const std::vector<std::string>& items,
                       int preselected) override;
    bool askText(const std::string& title, const std::string& prompt, std::string& value) override;
    void pump() override;
    void pause(int ms) override;

private:
    QWidget* parentWindow() const;

    const Texts* m_texts = nullptr;
    QPointer<QWidget> m_parent;
};

}  // namespace sartovin
