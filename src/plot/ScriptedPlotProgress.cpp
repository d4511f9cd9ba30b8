#include "plot/ScriptedPlotProgress.h"

namespace sartovin {

void ScriptedPlotProgress::setRange(std::int64_t lo, std::int64_t hi) {
    low = lo;
    high = hi;
}

void ScriptedPlotProgress::setPosition(std::int64_t p) {
    position = p;
    ++positionUpdates;
}

void ScriptedPlotProgress::setText(const std::string& text) { texts.push_back(text); }

void ScriptedPlotProgress::show() {
    visible = true;
    ++showCount;
}

void ScriptedPlotProgress::hide() {
    visible = false;
    ++hideCount;
}

}  // namespace sartovin
