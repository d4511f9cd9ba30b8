#pragma once
// A cutter on a serial line, played on the device side of a pseudo-terminal: the program opens
// path() as its serial port; the cutter answers every command it has scripted an answer for and
// keeps all bytes it receives. It answers either when the test calls poll() (from the program's
// message pump, for code that runs in the test) or on its own thread (for a program run as its own
// process).

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "support/PseudoTerminal.h"

namespace sartovin::test {

class SerialCutter {
public:
    SerialCutter() = default;
    ~SerialCutter();
    SerialCutter(const SerialCutter&) = delete;
    SerialCutter& operator=(const SerialCutter&) = delete;

    const std::string& path() const { return m_pty.slavePath(); }

    /// Command → answer; set before the cutter is asked.
    std::map<std::string, std::string> answers;
    /// Answers every look with 200 more bytes, without end.
    bool flood = false;

    /// One look at the line: takes what arrived and answers the commands among it.
    void poll();
    /// Answers on its own thread until stop() or destruction.
    void startAnswering();
    void stop();

    /// Every byte the cutter received so far, the answered commands included.
    std::string received() const;
    /// What arrived after the last answered command (a job sent after the queries).
    std::string receivedAfterAnswers() const;

private:
    PseudoTerminal m_pty;
    mutable std::mutex m_mutex;
    std::string m_received;
    std::size_t m_unanswered = 0;  // where in m_received the commands not yet answered start
    std::size_t m_afterAnswers = 0;
    std::atomic<bool> m_running{false};
    std::thread m_thread;
};

/// The cutter settings block of an HP-GL stream: from the first "ESC.C1;" to the "ESC.C1;0;:" that
/// closes it; "" when the stream has none.
std::string settingsBlock(const std::string& stream);

}  // namespace sartovin::test
