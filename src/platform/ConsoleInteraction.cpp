#include "platform/ConsoleInteraction.h"

#include <time.h>
#include <unistd.h>

#include <csignal>

#include <cstdlib>
#include <string>

#include "platform/StringUtil.h"

namespace sartovin {

namespace {

// Set by the signal handler while a stop is allowed.
volatile std::sig_atomic_t g_stopSignal = 0;
struct sigaction g_previousInt {};
struct sigaction g_previousTerm {};

extern "C" void noteStopSignal(int) { g_stopSignal = 1; }

const char* prefixOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return "error: ";
        case MessageIcon::Exclamation:
            return "warning: ";
        case MessageIcon::Question:
            return "question: ";
        default:
            return "";
    }
}

const char* choicesOf(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return "";
        case MessageButtons::OkCancel:
            return " [o]k / [c]ancel";
        case MessageButtons::YesNo:
            return " [y]es / [n]o";
        case MessageButtons::YesNoCancel:
            return " [y]es / [n]o / [c]ancel";
        case MessageButtons::RetryCancel:
            return " [r]etry / [c]ancel";
    }
    return "";
}

// Message texts use "\r\n" line breaks; a terminal wants "\n".
std::string forTerminal(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        out += text[i] == '\r' ? '\n' : text[i];
    }
    return out;
}

}  // namespace

ConsoleInteraction::ConsoleInteraction(int interactive, std::FILE* out, std::FILE* in)
    : m_out(out), m_in(in) {
    m_interactive = interactive < 0 ? ::isatty(::fileno(in)) != 0 : interactive != 0;
}

bool ConsoleInteraction::readLine(std::string& line) {
    line.clear();
    int c;
    while ((c = std::fgetc(m_in)) != EOF && c != '\n') line += static_cast<char>(c);
    return c != EOF || !line.empty();
}

MessageAnswer ConsoleInteraction::messageBox(const std::string& text, const std::string& caption,
                                             MessageIcon icon, MessageButtons buttons,
                                             MessageAnswer proceed) {
    std::fprintf(m_out, "%s%s\n", prefixOf(icon), forTerminal(text).c_str());
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (!m_interactive) {
        std::fprintf(m_out, "(no terminal to ask: answering %s)\n", answerName(proceed));
        return proceed;
    }
    for (;;) {
        std::fprintf(m_out, "%s ", choicesOf(buttons) + 1);
        std::fflush(m_out);
        std::string line;
        if (!readLine(line)) return proceed;
        char c = line.empty() ? '\0' : lowerAscii(line[0]);
        MessageAnswer a;
        switch (c) {
            case 'o':
                a = MessageAnswer::Ok;
                break;
            case 'c':
                a = MessageAnswer::Cancel;
                break;
            case 'y':
            case 'j':
                a = MessageAnswer::Yes;
                break;
            case 'n':
                a = MessageAnswer::No;
                break;
            case 'r':
                a = MessageAnswer::Retry;
                break;
            default:
                continue;
        }
        if (buttonsOffer(buttons, a)) return a;
    }
}

int ConsoleInteraction::chooseFromList(const std::string& title, const std::vector<std::string>& items,
                                       int preselected) {
    if (!m_interactive) return preselected;
    std::fprintf(m_out, "%s\n", title.c_str());
    for (std::size_t i = 0; i < items.size(); ++i)
        std::fprintf(m_out, "  %zu) %s\n", i + 1, items[i].c_str());
    std::fprintf(m_out, "choice [%d]: ", preselected + 1);
    std::fflush(m_out);
    std::string line;
    if (!readLine(line) || line.empty()) return preselected;
    int n = std::atoi(line.c_str());
    return n >= 1 && n <= static_cast<int>(items.size()) ? n - 1 : -1;
}

bool ConsoleInteraction::askText(const std::string& title, const std::string& prompt, std::string& value) {
    if (!m_interactive) return false;
    std::fprintf(m_out, "%s\n%s ", title.c_str(), prompt.c_str());
    std::fflush(m_out);
    std::string line;
    if (!readLine(line)) return false;
    value = line;
    return true;
}

ConsoleInteraction::~ConsoleInteraction() { allowStop(false); }

void ConsoleInteraction::allowStop(bool on) {
    if (on == m_stopAllowed) {
        if (on) g_stopSignal = 0;
        return;
    }
    m_stopAllowed = on;
    if (on) {
        g_stopSignal = 0;
        struct sigaction note {};
        note.sa_handler = noteStopSignal;
        sigemptyset(&note.sa_mask);
        ::sigaction(SIGINT, &note, &g_previousInt);
        ::sigaction(SIGTERM, &note, &g_previousTerm);
    } else {
        ::sigaction(SIGINT, &g_previousInt, nullptr);
        ::sigaction(SIGTERM, &g_previousTerm, nullptr);
    }
}

bool ConsoleInteraction::stopRequested() { return m_stopAllowed && g_stopSignal != 0; }

void ConsoleInteraction::pause(int ms) {
    if (ms <= 0 || m_skipPauses) return;
    timespec ts{ms / 1000, static_cast<long>(ms % 1000) * 1000000L};
    while (::nanosleep(&ts, &ts) != 0) {}
}

}  // namespace sartovin
