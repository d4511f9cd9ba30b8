#include "support/SerialCutter.h"

#include <chrono>

namespace sartovin::test {

SerialCutter::~SerialCutter() { stop(); }

void SerialCutter::poll() {
    std::string arrived = m_pty.readFromProgram(4096, 0);
    std::string reply;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_received += arrived;
        // Answer the commands in the order they came.
        for (;;) {
            std::size_t best = std::string::npos;
            const std::pair<const std::string, std::string>* hit = nullptr;
            for (const auto& entry : answers) {
                std::size_t at = m_received.find(entry.first, m_unanswered);
                if (at != std::string::npos && (best == std::string::npos || at < best)) {
                    best = at;
                    hit = &entry;
                }
            }
            if (!hit) break;
            m_unanswered = best + hit->first.size();
            m_afterAnswers = m_unanswered;
            reply += hit->second;
        }
    }
    if (flood) reply += std::string(200, 'F');
    if (!reply.empty()) m_pty.sendToProgram(reply);
}

void SerialCutter::startAnswering() {
    if (m_running.exchange(true)) return;
    m_thread = std::thread([this] {
        while (m_running) {
            poll();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
}

void SerialCutter::stop() {
    m_running = false;
    if (m_thread.joinable()) m_thread.join();
}

std::string SerialCutter::received() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_received;
}

std::string SerialCutter::receivedAfterAnswers() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_received.substr(m_afterAnswers);
}

std::string settingsBlock(const std::string& stream) {
    const std::string close = "\x1b.C1;0;:";
    std::size_t start = stream.find("\x1b.C1;");
    if (start == std::string::npos) return {};
    std::size_t end = stream.find(close, start);
    return end == std::string::npos ? stream.substr(start) : stream.substr(start, end + close.size() - start);
}

}  // namespace sartovin::test
