#include "app/QtInteraction.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app/CLanguageChoice.h"
#include "app/CMediumName.h"
#include "base/Texts.h"
#include "widgets/UiText.h"

namespace sartovin {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

struct ButtonAnswer {
    QMessageBox::StandardButton button;
    MessageAnswer answer;
};

std::vector<ButtonAnswer> buttonsOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return {{QMessageBox::Ok, MessageAnswer::Ok}};
        case MessageButtons::OkCancel:
            return {{QMessageBox::Ok, MessageAnswer::Ok}, {QMessageBox::Cancel, MessageAnswer::Cancel}};
        case MessageButtons::YesNo:
            return {{QMessageBox::Yes, MessageAnswer::Yes}, {QMessageBox::No, MessageAnswer::No}};
        case MessageButtons::YesNoCancel:
            return {{QMessageBox::Yes, MessageAnswer::Yes},
                    {QMessageBox::No, MessageAnswer::No},
                    {QMessageBox::Cancel, MessageAnswer::Cancel}};
        case MessageButtons::RetryCancel:
            return {{QMessageBox::Retry, MessageAnswer::Retry}, {QMessageBox::Cancel, MessageAnswer::Cancel}};
    }
    return {{QMessageBox::Ok, MessageAnswer::Ok}};
}

}  // namespace

QWidget* QtInteraction::parentWindow() const {
    if (m_parent && m_parent->isVisible()) return m_parent;
    return QApplication::activeWindow();
}

MessageAnswer QtInteraction::messageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                                        MessageButtons buttons, MessageAnswer proceed) {
    // A box without a caption of its own gets the program's name, as the platform's default
    // caption would name the program.
    QMessageBox box(qtIcon(icon), toQt(caption.empty() ? std::string(kProgramCaption) : caption), toQt(text),
                    QMessageBox::NoButton, parentWindow());
    std::vector<ButtonAnswer> offered = buttonsOf(buttons);
    QMessageBox::StandardButtons set;
    for (const ButtonAnswer& b : offered) set |= b.button;
    box.setStandardButtons(set);
    box.setDefaultButton(offered.front().button);
    // Escape or closing the box gives the last button's answer (Cancel / No), never the one that
    // goes on unasked.
    box.setEscapeButton(offered.back().button);
    int result = box.exec();
    for (const ButtonAnswer& b : offered)
        if (result == b.button) return b.answer;
    return offered.size() > 1 ? offered.back().answer : proceed;
}

int QtInteraction::chooseFromList(const std::string& title, const std::vector<std::string>& items,
                                  int preselected) {
    CLanguageChoice dialog(title, items, preselected, parentWindow());
    if (dialog.exec() != QDialog::Accepted) return -1;
    return dialog.selectedIndex();
}

bool QtInteraction::askText(const std::string& title, const std::string& prompt, std::string& value) {
    static const Texts kNoTexts;
    CMediumName dialog(title, prompt, value, m_texts ? *m_texts : kNoTexts, parentWindow());
    if (dialog.exec() != QDialog::Accepted) return false;
    value = dialog.name();
    return true;
}

void QtInteraction::pump() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtInteraction::pause(int ms) {
    if (ms <= 0) {
        pump();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace sartovin
