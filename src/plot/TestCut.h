#pragma once
// The test cut: a small pattern cut with the current options to check blade depth, force and
// offset. The standard edition cuts the pattern of "TestCut.qxdat" (section "Sartovin"), several
// test cuts side by side across the medium while the test-cut mode is on; the hobby edition asks
// the user to bring the head into place with the cutter's arrow keys and cuts a fixed pattern.
// Everything is sent at once through the direct send, not through the plot run.

#include <functional>
#include <string>

#include "base/Texts.h"
#include "platform/Interaction.h"
#include "plot/PlotParameters.h"

namespace sartovin {

/// The question the hobby edition asks before its test cut (German in every language).
inline constexpr const char* kHobbyTestCutQuestion =
    "Bitte den Plotter mit den Pfeiltasten an die gewünschte Position fahren\r\n\r\n"
    "dann 'OK' für Testschnitt an der aktuellen Position.";

class TestCut {
public:
    /// Delivers a command text at once; true when it was handed to the channel (it reports its
    /// own failures).
    using DirectSend = std::function<bool(const std::string& bytes)>;
    /// True when the cutter maker's virtual display program is running (it is then brought to
    /// the top by the callee).
    using FindVirtualDisplay = std::function<bool()>;
    /// Enables (true) or disables the options page's test-cut control.
    using EnableControl = std::function<void(bool)>;

    /// `patternFile` is the path of "TestCut.qxdat" in the program folder.
    TestCut(std::string patternFile, Interaction& interaction, const Texts& texts, DirectSend send,
            FindVirtualDisplay findVirtualDisplay, EnableControl enableControl = {});

    /// The test-cut button: cuts one test pattern with the values of `params`. True when the
    /// pattern was sent. Shows text 316 and sends nothing while the virtual display runs. The
    /// laser edition has no test cut.
    bool testCut(const PlotParameters& params);

    /// The mode switch. Switching off after test cuts sends the head back across the medium and
    /// leaves it behind the test cuts along the feed; true unless that send failed.
    bool setTestCutMode(bool on);

    bool modeOn() const { return m_modeOn; }
    /// Test cuts done since the mode was switched on.
    int count() const { return m_count; }

private:
    bool standardTestCut(const PlotParameters& params);
    bool hobbyTestCut(const PlotParameters& params);

    std::string m_patternFile;
    Interaction& m_interaction;
    const Texts& m_texts;
    DirectSend m_send;
    FindVirtualDisplay m_findVirtualDisplay;
    EnableControl m_enableControl;
    bool m_modeOn = false;
    int m_count = 0;
    int m_xSize = 0;      // extent of the pattern across the medium, units
    int m_ySize = 0;      // extent along the feed
    int m_xDistance = 0;  // gap between neighbouring test cuts across the medium
    int m_yMovement = 0;  // feed after a test cut
};

}  // namespace sartovin
