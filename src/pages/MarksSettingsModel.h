#pragma once
// The settings window of the registration-marks variant ("Einstellungen für Passermarken"): the
// values the plug-in draws the marks with, checked against their limits and written to section
// "Passermarks", and the request the waiting plug-in acts on ("SetMarks" or "DeleteMarks").
// Either button ends the program afterwards; the plug-in watches for the window (title text 439)
// to close.

#include <string>
#include <vector>

#include "base/TextIds.h"
#include "platform/Profile.h"

namespace sartovin {

class Settings;
class Texts;
class Interaction;

class MarksSettingsModel {
public:
    /// What the window does after a button.
    enum class Outcome {
        StayOpen,    ///< a value was out of range; its message was shown
        EndProgram,  ///< the window closes and the program ends
    };

    /// `sheetFormats` is the marks sheet format list of the current plotter
    /// (RegistrationMarks::sheetFormats).
    MarksSettingsModel(const Settings& settings, const Texts& texts, Interaction& interaction,
                       std::vector<std::string> sheetFormats);

    /// Shows the stored values (defaults where absent) and selects the stored "Format".
    void open();

    /// The window title (text 439).
    std::string title() const;

    // The edits (whole numbers as typed); checked only by the buttons, so the user can type freely.
    void setLength(int mm) { m_length = mm; }
    void setThickness(int v) { m_thickness = v; }
    void setMargin(int mm) { m_margin = mm; }
    void setXStep(int mm) { m_xStep = mm; }
    void setYStep(int mm) { m_yStep = mm; }
    void setUseHorSegmentMarks(bool on) { m_useHorSegmentMarks = on; }
    void setUseVertSegmentMarks(bool on) { m_useVertSegmentMarks = on; }
    /// The choice "Silhouette Cameo" (true) or "Silhouette SD" (false), stored as "IsCameo".
    void setCameo(bool on) { m_cameo = on; }
    /// Index in the sheet format list; outside the list is ignored.
    void setFormatIndex(int index);

    int length() const { return m_length; }
    int thickness() const { return m_thickness; }
    int margin() const { return m_margin; }
    int xStep() const { return m_xStep; }
    int yStep() const { return m_yStep; }
    bool useHorSegmentMarks() const { return m_useHorSegmentMarks; }
    bool useVertSegmentMarks() const { return m_useVertSegmentMarks; }
    bool cameo() const { return m_cameo; }
    int formatIndex() const { return m_formatIndex; }
    const std::vector<std::string>& sheetFormats() const { return m_formats; }
    /// The segment step edits are enabled with their check boxes.
    bool xStepEnabled() const { return m_useHorSegmentMarks; }
    bool yStepEnabled() const { return m_useVertSegmentMarks; }

    /// "Marken setzen": checks length 10..50 (text 324), thickness 1..2 (325), margin 1..50 (326)
    /// and the step of each segment mark kind in use 200..600 (327), each failure with an
    /// exclamation box and StayOpen. Then clears "SetMarks" and "DeleteMarks", writes the values
    /// and sets "SetMarks" to 1, all in one rewrite of the settings file.
    Outcome placeMarks();
    /// "Marken entfernen": clears both requests, then sets "DeleteMarks" to 1.
    Outcome removeMarks();
    /// "Abbrechen": writes nothing.
    Outcome cancel() { return Outcome::EndProgram; }

private:
    bool check(int value, int lo, int hi, TextId textId);
    static std::vector<ProfileEntry> clearedRequests();

    const Settings& m_settings;
    const Texts& m_texts;
    Interaction& m_interaction;
    std::vector<std::string> m_formats;
    int m_length = 25;
    int m_thickness = 1;
    int m_margin = 5;
    int m_xStep = 500;
    int m_yStep = 500;
    bool m_useHorSegmentMarks = false;
    bool m_useVertSegmentMarks = false;
    bool m_cameo = true;
    int m_formatIndex = 0;
};

}  // namespace sartovin
