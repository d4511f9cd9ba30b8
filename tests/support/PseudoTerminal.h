#pragma once
// A pseudo-terminal pair for the serial port tests: the program under test opens the slave path
// as its "serial port", the test plays the device on the master side.

#include <string>

namespace sartovin::test {

class PseudoTerminal {
public:
    PseudoTerminal();  ///< throws std::runtime_error when no pty can be made
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    /// The path the program opens, e.g. "/dev/pts/3".
    const std::string& slavePath() const { return m_slavePath; }

    /// Reads what arrived at the device side until `count` bytes are there or `timeoutMs` passed.
    std::string readFromProgram(std::size_t count, int timeoutMs = 2000);
    /// Sends bytes to the program as the device would.
    void sendToProgram(const std::string& bytes);
    /// The device side hangs up (closes the master).
    void hangUp();

private:
    int m_master = -1;
    std::string m_slavePath;
};

}  // namespace sartovin::test
