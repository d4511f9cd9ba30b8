#pragma once
// The status window of a command-line run: progress as a percentage on standard error, updated in
// place on a terminal and in a few lines otherwise. There is no cancel button.

#include <cstdint>
#include <cstdio>
#include <string>

#include "plot/PlotProgress.h"

namespace sartovin::cli {

class ConsolePlotProgress : public PlotProgress {
public:
    explicit ConsolePlotProgress(std::FILE* out = stderr, bool quiet = false);
    void setRange(std::int64_t low, std::int64_t high) override;
    void setPosition(std::int64_t position) override;
    void setText(const std::string& text) override;
    void show() override { m_shown = true; }
    void hide() override;
    bool cancelRequested() const override { return false; }
    void clearCancel() override {}

private:
    void print();

    std::FILE* m_out = stderr;
    bool m_quiet = false;
    bool m_terminal = false;
    bool m_shown = false;
    bool m_lineOpen = false;
    std::int64_t m_low = 0, m_high = 0, m_position = 0;
    int m_lastPercent = -1;
    std::string m_text;
};

}  // namespace sartovin::cli
