// Feeds arbitrary bytes to the test cut as its pattern file ("TestCut.qxdat", read with the INI
// reader): a few test cuts side by side and the way back when the mode is switched off. The first
// byte picks the options. Besides the sanitizers, the moves are checked: exact, or clamped to the
// device range, never wrapped.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "FuzzInputFile.h"
#include "base/Texts.h"
#include "platform/Profile.h"
#include "platform/ScriptedInteraction.h"
#include "plot/TestCut.h"

using namespace sartovin;

namespace {

std::string move(long long dx, long long dy) {
    auto clamp = [](long long v) {
        return std::to_string(std::clamp<long long>(v, std::numeric_limits<std::int32_t>::min(),
                                                    std::numeric_limits<std::int32_t>::max()));
    };
    return "PU;PR" + clamp(dx) + "," + clamp(dy) + ";";
}

bool endsWith(const std::string& s, const std::string& end) {
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t control = data[0];
    const std::string& path = fuzz::inputFile(".qxdat");
    if (!fuzz::writeInput(path, std::string(reinterpret_cast<const char*>(data + 1), size - 1))) return 0;

    const Texts texts("/nonexistent/", 2000);
    ScriptedInteraction ui;
    std::vector<std::string> sent;
    TestCut cut(path, ui, texts,
                [&](const std::string& bytes) {
                    sent.push_back(bytes);
                    return true;
                },
                {});
    PlotParameters p;
    p.modelDescription = (control & 1) ? "Sable" : "Jaguar";
    p.usePlotterSettings = (control & 2) != 0;
    p.repeatCount = 1 + (control >> 2) % 3;
    const int cuts = 1 + (control >> 4) % 3;

    const long long xSize = GetPrivateProfileInt("Sartovin", "XSize", 0, path);
    const long long ySize = GetPrivateProfileInt("Sartovin", "YSize", 0, path);
    const long long xDistance = GetPrivateProfileInt("Sartovin", "XDistance", 0, path);
    const long long yMovement = GetPrivateProfileInt("Sartovin", "YMovement", 0, path);
    // The pattern is at most 4000 characters, sent once per repeat.
    const std::size_t longest = 4000 * static_cast<std::size_t>(p.repeatCount) + 256;

    cut.setTestCutMode(true);
    for (int i = 0; i < cuts; ++i) {
        const std::size_t before = sent.size();
        if (!cut.testCut(p)) {
            fuzz::require(cut.count() == i);
            break;
        }
        const std::string& text = sent.back();
        fuzz::require(sent.size() > before && text.size() <= longest);
        if (i > 0) fuzz::require(text.compare(0, move(-yMovement, 0).size(), move(-yMovement, 0)) == 0);
        fuzz::require(endsWith(text, move(yMovement, xDistance)));
    }
    const int done = cut.count();
    const std::size_t before = sent.size();
    fuzz::require(cut.setTestCutMode(false));
    if (done > 0)
        fuzz::require(sent.size() == before + 1 &&
                      sent.back() == move(-((yMovement - ySize) - xDistance), -((xSize + xDistance) * done)));
    else
        fuzz::require(sent.size() == before);
    return 0;
}
