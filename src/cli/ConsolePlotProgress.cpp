#include "cli/ConsolePlotProgress.h"

#include <unistd.h>

#include "platform/StringUtil.h"

namespace sartovin::cli {

ConsolePlotProgress::ConsolePlotProgress(std::FILE* out, bool quiet)
    : m_out(out), m_quiet(quiet), m_terminal(::isatty(::fileno(out)) != 0) {}

void ConsolePlotProgress::setRange(std::int64_t low, std::int64_t high) {
    m_low = low;
    m_high = high;
    m_lastPercent = -1;
}

void ConsolePlotProgress::setPosition(std::int64_t position) {
    m_position = position;
    print();
}

void ConsolePlotProgress::setText(const std::string& text) {
    // The status texts carry line ends for the window; a console line has none.
    std::string t(trimmedView(text, isXmlSpace));
    if (t == m_text) return;
    m_text = t;
    m_lastPercent = -1;
    print();
}

void ConsolePlotProgress::hide() {
    if (m_lineOpen) std::fputc('\n', m_out);
    m_lineOpen = false;
    m_shown = false;
}

void ConsolePlotProgress::print() {
    if (m_quiet || m_text.empty()) return;
    int percent = -1;
    if (m_high > m_low) {
        std::int64_t p = (m_position - m_low) * 100 / (m_high - m_low);
        percent = static_cast<int>(p < 0 ? 0 : p > 100 ? 100 : p);
    }
    // Off a terminal only every quarter is worth a line.
    if (!m_terminal && percent >= 0 && percent % 25 != 0 && percent != 100) return;
    if (percent == m_lastPercent && m_lineOpen) return;
    m_lastPercent = percent;
    if (m_terminal)
        std::fputc('\r', m_out);
    else if (m_lineOpen)
        std::fputc('\n', m_out);
    if (percent >= 0)
        std::fprintf(m_out, "%s %3d%%", m_text.c_str(), percent);
    else
        std::fprintf(m_out, "%s", m_text.c_str());
    m_lineOpen = true;
    std::fflush(m_out);
}

}  // namespace sartovin::cli
