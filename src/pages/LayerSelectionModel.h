#pragma once
// The model of the layers page (CLayerTab): what of the job is cut and in which passes. The user
// cuts everything at once, or ticks layers (or fill colours) in a check-box tree, each one pass of
// the plot with its own cutting parameters, optionally pausing between passes; chooses all objects
// or only those selected in the host program, can shrink the job size to that selection, and
// switches the use of registration marks.

#include <cstdint>
#include <string>
#include <vector>

#include "base/StartMode.h"
#include "catalog/MediumRecord.h"
#include "catalog/ToolRecord.h"
#include "job/Job.h"
#include "pages/OptionsModel.h"

namespace sartovin {

class Settings;
class Texts;
class Interaction;
class LayoutModel;

/// One entry of the check-box tree.
struct LayerEntry {
    enum class Kind { Root, Layer, Colour, Frame };
    Kind kind = Kind::Root;
    int index = -1;    ///< layer or colour-group index; -2 for the frame entry, -1 for the root
    std::string name;  ///< the layer's or colour group's name, text 61 for the frame entry
    std::string text;  ///< what the tree shows
    bool checked = false;
    std::int32_t listKey = 0;  ///< 1100 + index for layers and colours
};

/// One group of the plot run, in cutting order.
struct CutGroup {
    int groupIndex = -1;  ///< -1 the whole job, -2 the weeding frame, else layer / colour index
    std::string name;
    bool skipped = false;  ///< not enabled (or nothing to cut): the run passes over it
    int passes = 1;        ///< how often the group is cut
    int speed = 0;
    int force = 0;
    double toolOffset = 0;   ///< mm, of the group's tool
    double deltaOffset = 0;  ///< mm, the correction of the group's preset medium
};

/// The three edits of the page that keep per-entry values.
enum class LayerField { Speed, Force, RepeatCount };

class LayerSelectionModel {
public:
    /// The live job, the job state, the options page and the layout page outlive the model. The
    /// model installs itself as the layout's extent adjuster and as the options' layer page.
    LayerSelectionModel(const Texts& texts, StartMode startMode, Job& live, JobState& state,
                        OptionsModel& options, LayoutModel& layout);
    /// Detaches itself from the layout and the options page.
    ~LayerSelectionModel();
    LayerSelectionModel(const LayerSelectionModel&) = delete;
    LayerSelectionModel& operator=(const LayerSelectionModel&) = delete;

    /// The media list (presets) and the tools list the entries' indices refer to; not owned.
    void setCatalogs(const std::vector<MediumRecord>* media, const std::vector<ToolRecord>* tools);

    /// Builds the tree (on start, on switching between layers and colours, when the weeding
    /// frame is switched on the options page): every colour group enabled again, layers keep
    /// their flags; root text 85 or 89; one entry per layer (colour group) holding objects, never
    /// the marks layer; the frame entry (text 61) with individual parameters and the weeding
    /// frame on. The first entry below the root is selected.
    void rebuildTree();
    /// The same entries without starting afresh, for every other change (individual parameters,
    /// another plotter and its media): ticks, per-entry values and the selected entry are kept; the
    /// frame entry comes or goes and the entries' preset names follow the media list.
    void refreshTree();
    const std::vector<LayerEntry>& entries() const { return m_entries; }

    /// Ticks or unticks an entry: the layer's or colour's enabled flag, or for the frame entry the
    /// options' weeding frame. The preview is marked for redrawing and the layout re-applied.
    void setChecked(int entry, bool on);

    /// Selects an entry; its five values are shown. Indices outside the tree are ignored.
    void selectEntry(int entry);
    int currentEntry() const { return m_current; }
    /// The five values of the selected entry (the frame values for the frame entry; the options'
    /// values when the root is selected).
    CutSettings currentValues() const;
    const CutSettings& frameValues() const { return m_frame; }

    /// The preset list: loads the medium's force, speed, repetitions and tool into the entry.
    void setPreset(int mediumIndex);
    /// The tool list: the entry's tool index.
    void setTool(int toolIndex);
    /// Speed, force and repetitions of the entry, checked as on the options page; the entry's text
    /// becomes the marked form "%s (*** %s ***)". Return the value kept.
    int editValue(LayerField field, const std::string& text);
    int setValue(LayerField field, int value);
    int spinValue(LayerField field, int request);
    EditRange range(LayerField field) const;

    /// "Layer Selection" (true) / "Select color" (false); rebuilds the tree.
    void setByLayers(bool byLayers);
    bool byLayers() const { return m_byLayers; }
    /// "unterschiedliche Schneideparameter ...": one pass per entry. Refused while the options
    /// use the cutter's own settings. Refreshes the tree (the frame entry comes and goes).
    void setIndividualParameters(bool on);
    bool individualParameters() const { return m_individualParameters; }
    bool individualParametersEnabled() const;
    /// Clears individual parameters for the options page; true when they were set.
    bool clearIndividualParameters();

    /// "All Objects" (true) / only the objects selected in the host (false).
    void setAllObjects(bool all);
    bool allObjects() const { return m_allObjects; }
    /// "Shrink jobsize to object selection".
    void setShrinkToSelection(bool on);
    bool shrinkToSelection() const { return m_shrinkToSelection; }
    /// "Pause zwischen Ebenen / Farben".
    void setPauseBetweenPasses(bool on) { m_pauseBetweenPasses = on; }
    bool pauseBetweenPasses() const { return m_pauseBetweenPasses; }
    /// "Use Registration Marks": asks the main window to run the plotter selection again.
    void setUseMarks(bool on);
    bool useMarks() const { return m_useMarks; }
    /// True once after setUseMarks: the main window re-runs the plotter selection.
    bool takePlotterSelectionRequest();
    /// Whether "only marked objects" can be chosen: always from Illustrator and CorelDRAW, from
    /// Inkscape when it handed over a selection. Its radio button names the host.
    bool onlySelectedAvailable() const;

    /// The groups the plot run cuts, in order. Without individual parameters one group (-1) with
    /// the options' values and "RepeatCount" passes; with them one group per layer (colour group)
    /// in job order, not enabled ones skipped, plus the frame group (-2) when the weeding frame is
    /// on.
    std::vector<CutGroup> cutGroups() const;

private:
    enum class Naming { Plain, Preset, Marked };
    void buildTree(bool fresh);
    CutSettings* settingsOf(const LayerEntry& e);
    const CutSettings* settingsOf(const LayerEntry& e) const;
    Naming& namingOf(const LayerEntry& e);
    CutSettings defaultSettings() const;
    void initialiseSettings(CutSettings& s) const;
    void renameEntry(LayerEntry& e);
    std::string presetName(int preset) const;
    void recomputeExtent();
    void narrowExtent(JobExtent& extent) const;
    bool shrinkActive() const { return m_shrinkToSelection && !m_allObjects; }
    double toolOffsetOf(int tool) const;
    double deltaOffsetOf(int preset) const;

    const Texts& m_texts;
    StartMode m_startMode = 1;
    Job& m_live;
    JobState& m_state;
    OptionsModel& m_options;
    LayoutModel& m_layout;
    const std::vector<MediumRecord>* m_media = nullptr;
    const std::vector<ToolRecord>* m_tools = nullptr;

    std::vector<LayerEntry> m_entries;
    int m_current = -1;
    CutSettings m_frame;
    std::vector<Naming> m_layerNaming;
    std::vector<Naming> m_colourNaming;
    Naming m_frameNaming = Naming::Plain;

    bool m_byLayers = true;
    bool m_allObjects = true;
    bool m_shrinkToSelection = false;
    bool m_pauseBetweenPasses = false;
    bool m_individualParameters = false;
    bool m_useMarks = false;
    bool m_plotterSelectionRequested = false;
};

}  // namespace sartovin
