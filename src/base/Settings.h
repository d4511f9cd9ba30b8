#pragma once
// Typed access to the settings file. There is no cache: every read goes to the file and every
// setter writes its key at once. Defaults are those a reader gets for an absent key.
//
// A write that fails is remembered for the file (by every Settings object of that file alike), so
// that the front end can say once, after the user's action, that the settings were not saved,
// however many keys the action wrote: see reportUnsavedSettings.

#include <functional>
#include <string>
#include <vector>

#include "platform/Profile.h"

namespace sartovin {

class Settings {
public:
    explicit Settings(std::string iniPath) : m_iniPath(std::move(iniPath)) {}

    const std::string& iniPath() const { return m_iniPath; }

    // Generic access (any section).
    int readInt(const std::string& section, const std::string& key, int defaultValue) const;
    std::string readString(const std::string& section, const std::string& key,
                           const std::string& defaultValue = std::string(),
                           std::size_t maxChars = 6000) const;
    bool writeString(const std::string& section, const std::string& key, const std::string& value) const;
    bool writeInt(const std::string& section, const std::string& key, int value) const;  // "%d"
    /// Writes several values in one rewrite (all or none), for a user action that stores several keys.
    bool writeStrings(const std::vector<ProfileEntry>& entries) const;

    // Section "State".
    int languageChoice() const { return stateInt("LanguageChoice", -2); }
    bool setLanguageChoice(int v) const { return setStateInt("LanguageChoice", v); }
    int language() const { return stateInt("Language", 1000); }
    bool setLanguage(int v) const { return setStateInt("Language", v); }
    std::string plotter() const { return readString(kState, "Plotter"); }
    bool setPlotter(const std::string& v) const { return writeString(kState, "Plotter", v); }
    int format() const { return stateInt("Format", 0); }
    bool setFormat(int v) const { return setStateInt("Format", v); }
    /// Medium size, mm; the default comes from the plotter (maxMediaWidth / maxMediaHeight).
    int mediumWidth(int plotterDefault) const { return stateInt("MediumWidth", plotterDefault); }
    bool setMediumWidth(int v) const { return setStateInt("MediumWidth", v); }
    int mediumHeight(int plotterDefault) const { return stateInt("MediumHeight", plotterDefault); }
    bool setMediumHeight(int v) const { return setStateInt("MediumHeight", v); }
    int rotate() const { return stateInt("Rotate", 1); }
    bool setRotate(int v) const { return setStateInt("Rotate", v); }
    int mirror() const { return stateInt("Mirror", 0); }
    bool setMirror(int v) const { return setStateInt("Mirror", v); }
    int copyDistanceHoricontal() const { return stateInt("CopyDistanceHoricontal", 0); }
    bool setCopyDistanceHoricontal(int v) const { return setStateInt("CopyDistanceHoricontal", v); }
    int copyDistanceVertical() const { return stateInt("CopyDistanceVertical", 0); }
    bool setCopyDistanceVertical(int v) const { return setStateInt("CopyDistanceVertical", v); }
    int sameDistance() const { return stateInt("SameDistance", 1); }
    bool setSameDistance(int v) const { return setStateInt("SameDistance", v); }
    int toWidth() const { return stateInt("ToWidth", 0); }
    bool setToWidth(int v) const { return setStateInt("ToWidth", v); }
    bool setProportional(int v) const { return setStateInt("Proportional", v); }  // written only
    /// "Center" is written by the position list; `defaultValue` is the edition's initial entry.
    int center(int defaultValue) const { return stateInt("Center", defaultValue); }
    bool setCenter(int v) const { return setStateInt("Center", v); }
    int hideInkscapeHint() const { return stateInt("HideInkscapeHint", 0); }
    bool setHideInkscapeHint(bool v) const { return writeString(kState, "HideInkscapeHint", v ? "1" : "0"); }
    /// Which converter turns SVG drawings into paths: 0 ours unless the drawing holds text (then
    /// Inkscape), 1 always ours, 2 always Inkscape.
    int svgConverter() const { return stateInt("SvgConverter", 0); }
    int grid() const { return stateInt("Grid", 0); }
    bool setGrid(int v) const { return setStateInt("Grid", v); }
    int gridDistance() const { return stateInt("GridDistance", 0); }
    bool setGridDistance(int v) const { return setStateInt("GridDistance", v); }
    int usePlotterSettings() const { return stateInt("UsePlotterSettings", 0); }
    bool setUsePlotterSettings(int v) const { return setStateInt("UsePlotterSettings", v); }
    /// The stored quality index, -1 when absent.
    int qualityIndexRaw() const { return stateInt("QualityIndex", -1); }
    /// The quality entry to select in a list of `count` entries: the stored index when it is valid,
    /// else the second-to-last entry (the first when the list has fewer than two).
    int qualityIndex(int count) const;
    bool setQualityIndex(int v) const { return setStateInt("QualityIndex", v); }
    int overcut() const { return stateInt("Overcut", 0); }
    bool setOvercut(int v) const { return setStateInt("Overcut", v); }
    int useOvercut() const { return stateInt("UseOvercut", 0); }
    bool setUseOvercut(int v) const { return setStateInt("UseOvercut", v); }
    int repeatCount() const { return stateInt("RepeatCount", 1); }
    bool setRepeatCount(int v) const { return setStateInt("RepeatCount", v); }
    int endPosition() const { return stateInt("EndPosition", 0); }
    bool setEndPosition(int v) const { return setStateInt("EndPosition", v); }
    int endPositionDistance() const { return stateInt("EndPositionDistance", 0); }
    bool setEndPositionDistance(int v) const { return setStateInt("EndPositionDistance", v); }
    bool setSpeed(int v) const { return setStateInt("Speed", v); }
    bool setForce(int v) const { return setStateInt("Force", v); }
    /// Writes "Offset" with three decimals.
    bool setOffset(double v) const;
    /// The last laser parameters ("VectorLPI", "RasterSpeed", ...), written only.
    bool setLaserValue(const std::string& key, int v) const { return setStateInt(key, v); }
    /// Corner angle limit for overcuts, whole degrees: absent 7, clamped to 1..90.
    int minOvercutAngle() const;
    int cutInit() const { return stateInt("CutInit", 1); }
    bool setCutInit(int v) const { return setStateInt("CutInit", v); }
    std::string aiVersion() const { return readString(kState, "AIVersion"); }
    bool setAiVersion(const std::string& v) const { return writeString(kState, "AIVersion", v); }
    /// The program that runs the CorelDRAW export macro ("CorelMacroStarter"); empty: none is
    /// configured and a CorelDRAW start finds no job file.
    std::string corelMacroStarter() const { return readString(kState, "CorelMacroStarter"); }
    int installGridPlotter() const { return stateInt("InstallGridPlotter", 0); }
    int installLaserCutter() const { return stateInt("InstallLaserCutter", 0); }
    int installHobbyPlotter() const { return stateInt("InstallHobbyPlotter", 0); }

    // The section named after a plotter (its catalog name, verbatim).
    int portType(const std::string& plotter) const { return readInt(plotter, "PortType", 0); }
    bool setPortType(const std::string& plotter, int v) const { return writeInt(plotter, "PortType", v); }
    std::string port(const std::string& plotter) const { return readString(plotter, "Port"); }
    bool setPort(const std::string& plotter, const std::string& v) const {
        return writeString(plotter, "Port", v);
    }
    std::string usbGccName(const std::string& plotter) const { return readString(plotter, "USBGCCName"); }
    bool setUsbGccName(const std::string& plotter, const std::string& v) const {
        return writeString(plotter, "USBGCCName", v);
    }
    /// The medium last chosen for a plotter (read with a 400-character buffer).
    std::string medium(const std::string& plotter) const { return readString(plotter, "Medium", "", 400); }
    bool setMedium(const std::string& plotter, const std::string& v) const {
        return writeString(plotter, "Medium", v);
    }

    // Section "Passermarks".
    std::string marksFormat() const { return readString(kMarks, "Format"); }
    bool setMarksFormat(const std::string& v) const { return writeString(kMarks, "Format", v); }
    int marksLength() const { return readInt(kMarks, "Length", 25); }
    int marksThickness() const { return readInt(kMarks, "Thickness", 1); }
    int marksMargin() const { return readInt(kMarks, "Margin", 5); }
    int useHorSegmentMarks() const { return readInt(kMarks, "UseHorSegmentMarks", 0); }
    int useVertSegmentMarks() const { return readInt(kMarks, "UseVertSegmentMarks", 0); }
    int xStep() const { return readInt(kMarks, "XStep", 500); }
    int yStep() const { return readInt(kMarks, "YStep", 500); }
    int isCameo() const { return readInt(kMarks, "IsCameo", 1); }
    int setMarks() const { return readInt(kMarks, "SetMarks", 0); }
    int deleteMarks() const { return readInt(kMarks, "DeleteMarks", 0); }
    bool setMarksValue(const std::string& key, int v) const { return writeInt(kMarks, key, v); }

    static constexpr const char* kState = "State";
    static constexpr const char* kMarks = "Passermarks";

    // ---- failed writes, for the whole run ----
    /// Counts this file's failures so far as reported: the caller has said so itself.
    void markFailureReported() const;
    /// True when any settings write of this run has failed.
    static bool anyWriteFailed();
    /// The files with a failed write that nobody has reported yet, each file once per run: a file
    /// whose failure was reported is not named again, so a program whose settings cannot be
    /// written says so once and not on every change. The files returned count as reported.
    static std::vector<std::string> takeUnreportedFailures();
    /// Called (from the writing thread) after each failed write; the window uses it to report
    /// after the action that wrote. An empty function removes it.
    static void setWriteFailureListener(std::function<void()> listener);

private:
    bool noted(bool ok) const;
    int stateInt(const std::string& key, int def) const { return readInt(kState, key, def); }
    bool setStateInt(const std::string& key, int v) const { return writeInt(kState, key, v); }

    std::string m_iniPath;
};

class Texts;
class Interaction;

/// Says, for every settings file with a failed write not reported yet, that the settings could not
/// be saved there (one message a file, naming it). True when it said something.
bool reportUnsavedSettings(const Texts& texts, Interaction& ui);
/// Says that the settings could not be saved in this file, after a store the user asked for
/// (whatever was said before); the file's failures count as reported.
void reportSettingsNotSaved(const Settings& settings, const Texts& texts, Interaction& ui);

}  // namespace sartovin
