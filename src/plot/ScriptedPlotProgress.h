#pragma once
// A PlotProgress for tests: records what generation shows and lets a test press "cancel".

#include <string>
#include <vector>

#include "plot/PlotProgress.h"

namespace sartovin {

class ScriptedPlotProgress : public PlotProgress {
public:
    void setRange(std::int64_t low, std::int64_t high) override;
    void setPosition(std::int64_t position) override;
    void setText(const std::string& text) override;
    void show() override;
    void hide() override;
    bool cancelRequested() const override { return cancel; }
    void clearCancel() override { cancel = false; }

    bool cancel = false;  ///< the cancel button's flag; a test sets it
    bool visible = false;
    std::int64_t low = 0, high = 0, position = 0;
    std::int64_t positionUpdates = 0;
    std::vector<std::string> texts;  ///< every text shown, in order
    int showCount = 0, hideCount = 0;
};

}  // namespace sartovin
