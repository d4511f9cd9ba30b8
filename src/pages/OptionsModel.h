#pragma once
// The model of the options page (COptions): the cutting parameters of the current medium (force,
// speed, tool, offset, repetitions), the job-wide options (weeding frame, overcut, quality, end
// position, use of the cutter's own settings) and, in the laser edition, the laser parameters.
// Every change is checked against its range, kept here for plot generation and written at once to
// section "State" of the settings file.

#include <cstdint>
#include <string>
#include <vector>

#include "base/StartMode.h"
#include "catalog/MediumRecord.h"
#include "catalog/PlotterRecord.h"
#include "catalog/ToolRecord.h"

namespace sartovin {

class Settings;
class Texts;
class Interaction;
class LayoutModel;
class LayerSelectionModel;

/// The integer edits of the options page.
enum class OptionField {
    GridDistance,         ///< "GridDistance" 0..100 mm
    Overcut,              ///< "Overcut" 0..10 (1/10 mm)
    Speed,                ///< "Speed", the plotter's MinCutSpeed..MaxCutSpeed (laser: vector speed)
    Force,                ///< "Force", the plotter's MinCutForce..MaxCutForce (laser: vector force)
    RepeatCount,          ///< "RepeatCount" 1..20; laser: the same edit holds "VectorLPI" 1..1525
    EndPositionDistance,  ///< "EndPositionDistance", mm as entered
    RasterSpeed,          ///< "RasterSpeed", the plotter's speed range
    RasterForce,          ///< "RasterForce", the plotter's force range
    RasterRepeatCount,    ///< "RepeatCountRaster" 1..100
    CutOutSpeed,          ///< "CutOutVectorSpeed" 0..100 %
    CutOutForce,          ///< "CutOutVectorForce" 0..100 %
    CutOutLpi,            ///< "CutOutVectorLPI" 1..1525
    CleanSpeed,           ///< "RasterCleanSpeed" 1..100
    CleanForce,           ///< "RasterCleanForce" 1..100
    CleanRepeatCount,     ///< "RasterCleanRepeat" 1..100
};

/// Range and spin step of an integer edit.
struct EditRange {
    int min = 0;
    int max = 0;
    int step = 1;
};

/// One entry of the quality list.
struct QualityEntry {
    int code = 0;      ///< 0 small letters, 1 fine, 2 normal, 3 production, 4 draft
    std::string text;  ///< texts 120 to 124
};

class OptionsModel {
public:
    OptionsModel(const Settings& settings, const Texts& texts, Interaction& interaction, StartMode startMode);

    /// The layout page re-applies its size rules when the frame or overcut change; the layer page
    /// rebuilds its tree when the frame changes and loses its individual parameters when the
    /// cutter's own settings are used. Either may be null.
    void attach(LayoutModel* layout, LayerSelectionModel* layers);

    /// Opens the page: the tools list (first entry selected) and the stored job-wide options.
    void open(const std::vector<ToolRecord>& tools);

    /// The current plotter: speed and force ranges and the quality values. Rebuilds the quality
    /// list and clamps speed and force into the new ranges.
    void setPlotter(const PlotterRecord& plotter);

    /// Loads a medium (on a plotter change and from the media list): force, speed,
    /// repetitions, tool by "ToolIDName" and the correction "DeltaOffset", each through the same
    /// checks as typing; laser values in the laser edition. Rebuilds the quality list.
    /// `index` is the medium's index in the media list.
    void applyMedium(const MediumRecord& medium, int index);
    int currentMedium() const { return m_currentMedium; }
    const std::string& mediumName() const { return m_mediumName; }
    /// The options group caption: text 71, a blank and the medium name.
    std::string parametersCaption() const;
    /// The save button's tooltip: text 242, a blank and the medium name.
    std::string saveTooltip() const;

    // ---- integer edits ---------------------------------------------------------------------

    /// Range and spin step of an edit in this edition with the current plotter.
    EditRange range(OptionField field) const;
    /// The edit check: reads the text as a decimal integer, clamps it to the range, keeps it and
    /// writes its key as "%d". Returns the value shown back in the edit.
    int editInt(OptionField field, const std::string& text);
    /// The same for a value.
    int setInt(OptionField field, int value);
    /// A spin step: a negative request (upward) adds the step, a positive one subtracts it; then
    /// the edit check. Returns the new value.
    int spin(OptionField field, int request);
    /// The current value of an edit.
    int value(OptionField field) const;
    std::string text(OptionField field) const;

    /// Range/step helpers shared with the layer page.
    static int checkRange(int value, const EditRange& r);
    static int spinStep(int current, int request, const EditRange& r);

    // ---- check boxes and choices -----------------------------------------------------------

    /// "Grid" (weeding frame). Stores "Grid", re-applies the layout and rebuilds the layer tree.
    void setGridOn(bool on);
    /// The same from the layer page's frame entry: the tree keeps its entries.
    void setGridFromFrameEntry(bool on);
    /// "Overcut". Stores "UseOvercut" and re-applies the layout.
    void setOvercutOn(bool on);
    /// "Use Plotter Settings" (cutter editions only): stores "UsePlotterSettings"; switching it
    /// on clears the layer page's individual parameters first, with text 368 when they were set.
    void setUsePlotterSettings(bool on);
    /// End position radio buttons 0 start position, 1 behind the job, 2 left beside the job;
    /// stores "EndPosition", and for 2 also "EndPositionDistance". Other values are ignored.
    void setEndPosition(int position);
    /// "Testcut on / off" (the test cut itself is generated elsewhere).
    void setTestCutMode(bool on) { m_testCutMode = on; }

    // ---- quality -----------------------------------------------------------------------------

    /// Rebuilds the quality list of the current plotter: one entry per quality column with a
    /// value other than 0, in code order (small letters, fine, normal, production, draft); a
    /// plotter without any gets the single entry "normal". Selects the stored "QualityIndex" when
    /// valid, else the second-to-last entry (the first when there are fewer than two).
    void rebuildQualityList();
    const std::vector<QualityEntry>& qualityList() const { return m_qualityList; }
    int qualityIndex() const { return m_qualityIndex; }
    /// The user picks a quality entry: qualityValue / nextQualityValue follow, "QualityIndex" is
    /// stored. Indices outside the list are ignored.
    void setQualityIndex(int index);
    /// The catalog value of a quality code (0 "QualitySmallLetter" .. 4 "QualityDraft"; any other
    /// code "QualityFine").
    static double qualityValueOf(const PlotterRecord& plotter, int code);

    // ---- tool and offset ---------------------------------------------------------------------

    /// The tool list's texts (German names for language 1000, else English).
    std::vector<std::string> toolNames() const;
    /// Selects a tool: toolOffset = its offset, the correction back to 0.000 and checked.
    /// Indices outside the list are ignored.
    void selectTool(int index);
    /// The tool whose "IDName" equals `idName`, or -1.
    int toolIndexOf(const std::string& idName) const;
    int toolIndex() const { return m_toolIndex; }
    const std::vector<ToolRecord>& tools() const { return m_tools; }
    /// The offset edit of the standard edition, mm: kept within −toolOffset .. 1 − toolOffset.
    /// In the hobby edition it is the blade setting 1..10, in the laser edition 0..25. Stores
    /// "Offset" with three decimals. Returns the value kept.
    double setOffsetCorrection(double value);
    double editOffset(const std::string& text);
    /// Spin on the offset edit (0.01 mm in the standard edition, 1 otherwise; negative request adds).
    double spinOffset(int request);
    /// Bounds of the offset edit in this edition.
    double offsetMin() const;
    double offsetMax() const;
    std::string offsetText() const;  ///< "%.3f"
    /// The hobby edition's picture for the blade setting: 0 for the pen picture (a pen tool is
    /// chosen), else the setting 1..10.
    int bladePicture() const;

    // ---- values read by plot generation -----------------------------------------------------

    bool gridOn() const { return m_gridOn; }
    int gridDistance() const { return m_gridDistance; }
    bool overcutOn() const { return m_overcutOn; }
    int overcut() const { return m_overcut; }
    double qualityValue() const { return m_qualityValue; }
    double nextQualityValue() const { return m_nextQualityValue; }
    bool usePlotterSettings() const { return m_usePlotterSettings; }
    std::int16_t speed() const { return static_cast<std::int16_t>(m_speed); }
    std::int16_t force() const { return static_cast<std::int16_t>(m_force); }
    double toolOffset() const { return m_toolOffset; }
    double offsetCorrection() const { return m_offsetCorrection; }
    std::int16_t repeatCount() const { return static_cast<std::int16_t>(m_repeatCount); }
    int endPosition() const { return m_endPosition; }
    int endPositionDistance() const { return m_endPositionDistance; }
    bool testCutMode() const { return m_testCutMode; }

    /// Laser parameters (laser edition).
    struct Laser {
        int vectorLpi = 1;  ///< the repetitions edit of the laser edition; vector force, speed
                            ///< and repeat count are force(), speed() and repeatCount()
        int rasterForce = 0, rasterSpeed = 0, rasterDpi = 0, rasterRepeatCount = 1;
        int cutOutForce = 0, cutOutSpeed = 0, cutOutLpi = 1;
        int cleanForce = 1, cleanSpeed = 1, cleanRepeatCount = 1;
        bool smooth = false, cutOut = false, clean = false, raster = false;
    };
    const Laser& laser() const { return m_laser; }
    void setSmooth(bool on) { m_laser.smooth = on; }
    void setCutOut(bool on) { m_laser.cutOut = on; }
    void setClean(bool on) { m_laser.clean = on; }
    void setRaster(bool on) { m_laser.raster = on; }
    /// Raster resolution (list 1212), dots per inch.
    void setRasterDpi(int dpi) { m_laser.rasterDpi = dpi; }

    // ---- enabled state -------------------------------------------------------------------------

    bool gridDistanceEnabled() const { return m_gridOn; }
    bool overcutEnabled() const { return m_overcutOn; }
    /// The check box exists in the cutter editions only.
    bool usePlotterSettingsVisible() const;
    /// Speed, force, offset and quality controls (edits, spins, labels), the tool list and the
    /// second save button: disabled while the cutter's own settings are used.
    bool cuttingParametersEnabled() const;
    bool secondSaveEnabled() const { return cuttingParametersEnabled(); }
    /// The layer page's "individual parameters" box.
    bool individualParametersAllowed() const { return cuttingParametersEnabled(); }
    bool endPositionDistanceEnabled() const { return m_endPosition != 0; }
    bool laserControlsVisible() const;

    StartMode startMode() const { return m_startMode; }
    const PlotterRecord& plotter() const { return m_plotter; }

private:
    bool standard() const;
    bool hobby() const;
    bool laserEdition() const;
    int& slot(OptionField field);
    int slotValue(OptionField field) const;
    void store(OptionField field, int v) const;
    double clampOffset(double v) const;
    void applyQualitySelection();
    void refreshLayout();

    const Settings& m_settings;
    const Texts& m_texts;
    Interaction& m_interaction;
    StartMode m_startMode = 1;
    LayoutModel* m_layout = nullptr;
    LayerSelectionModel* m_layers = nullptr;
    PlotterRecord m_plotter;
    std::vector<ToolRecord> m_tools;
    int m_toolIndex = -1;
    int m_currentMedium = -1;
    std::string m_mediumName;

    bool m_gridOn = false;
    int m_gridDistance = 0;
    bool m_overcutOn = false;
    int m_overcut = 0;
    std::vector<QualityEntry> m_qualityList;
    int m_qualityIndex = 0;
    double m_qualityValue = 0;
    double m_nextQualityValue = 0;
    bool m_usePlotterSettings = false;
    int m_speed = 0;
    int m_force = 0;
    double m_toolOffset = 0;
    double m_offsetCorrection = 0;
    int m_repeatCount = 1;
    int m_endPosition = 0;
    int m_endPositionDistance = 0;
    bool m_testCutMode = false;
    Laser m_laser;
};

}  // namespace sartovin
