#pragma once
// What the main window holds and does, without the window: the plotter catalog, the job read at
// start-up with its reference copy, the media and tools of the current plotter, the four page
// models, the plotter and medium selection, and the plot command's generation of the groups.
// The Qt main window shows this model; the command line drives it the same way, so a batch run
// uses exactly the settings, limits and rules the program would.

#include <memory>
#include <string>
#include <vector>

#include "base/CTarnelWinCApp.h"
#include "base/Settings.h"
#include "base/StartMode.h"
#include "base/Texts.h"
#include "catalog/MediaCatalog.h"
#include "catalog/PlotterCatalog.h"
#include "catalog/ToolCatalog.h"
#include "job/Job.h"
#include "job/MarkMeasurements.h"
#include "layout/LayoutModel.h"
#include "pages/LayerSelectionModel.h"
#include "pages/OptionsModel.h"
#include "platform/Interaction.h"
#include "plot/PlotParameters.h"
#include "plot/PlotRun.h"

namespace sartovin {

/// The entries of the cutter page's offset list, in list order; the HP-GL writer sends the index of
/// the tool's offset among them.
const std::vector<std::string>& cutterOffsetList();

class MainWindowModel {
public:
    /// `settingsPath` is normally app.iniPath; a batch run that must not change the user's settings
    /// passes a private copy. `app`, `ui` and `texts` outlive the model.
    MainWindowModel(const CTarnelWinCApp& app, Interaction& ui, const Texts& texts,
                    const std::string& settingsPath);
    ~MainWindowModel();
    MainWindowModel(const MainWindowModel&) = delete;
    MainWindowModel& operator=(const MainWindowModel&) = delete;

    /// Loads the plotter catalog of the edition and applies the selection of the stored plotter.
    /// False (message 305 shown) when the catalog cannot be opened: the window is not set up further.
    bool loadPlotters();

    /// The job that the import fills; the mark sensor flag of its state is already set for the
    /// current plotter.
    Job& job() { return m_job; }
    JobState& jobState() { return m_state; }
    const Job& job() const { return m_job; }
    const JobState& jobState() const { return m_state; }

    /// After a successful import: takes the reference copy at the origin, measures the marks in
    /// the host modes that have them, then opens the pages (layout, options, layers) from the
    /// settings, the current plotter and medium, and reads the marks sheet format.
    void openPages();
    bool pagesOpen() const { return m_layout != nullptr; }

    /// The plotter selection: stores "Plotter", rebuilds the marks sheet formats, settles the mark
    /// sensor flag and marks mode, reloads the plotter's media and applies its medium, and brings
    /// the pages to the new plotter. False for an index outside the list.
    bool selectPlotter(int index);
    /// The medium selection (the media list): applies medium `index` to the options page.
    bool selectMedium(int index);

    /// The values a saved medium takes: the options page as it stands. Needs open pages.
    MediumRecord mediumValues() const;
    /// In the cutter editions with individual parameters on: the speed, force and tool of the
    /// layer page's current entry go to the options page (a new medium starts from them).
    void copyLayerEntryToOptions();
    /// The new-medium button: the catalog asks for the name; once it is accepted the layer entry's
    /// values are copied (copyLayerEntryToOptions) and the medium appended; the new current medium
    /// is applied to the options page. True when a medium was created; nothing changes otherwise.
    bool newMedium();
    /// The delete-medium button: the catalog asks 310 and rewrites the file without the current
    /// medium; the medium then current is applied. True when one was deleted.
    bool deleteMedium();
    /// A save command of the options page: the catalog asks 313 or 366 and rewrites the current
    /// medium's row with the page's values. True when saved.
    bool saveMedium(MediaCatalog::SaveCommand command);

    const PlotterCatalog& plotters() const { return m_plotters; }
    PlotterCatalog& plotters() { return m_plotters; }
    const PlotterRecord* currentPlotter() const { return m_plotters.current(); }
    const MediaCatalog& media() const { return m_media; }
    MediaCatalog& media() { return m_media; }
    const ToolCatalog& tools() const { return m_tools; }
    const MarkMeasurements& marks() const { return m_marks; }
    const std::vector<std::string>& marksSheetFormats() const { return m_sheetFormats; }
    int marksSheetFormat() const { return m_sheetFormat; }

    LayoutModel& layout() { return *m_layout; }
    OptionsModel& options() { return *m_options; }
    LayerSelectionModel& layers() { return *m_layers; }
    const Settings& settings() const { return m_settings; }
    StartMode startMode() const { return m_app.startMode; }

    /// Every value the command writers read, taken from the pages and the current plotter.
    PlotParameters plotParameters() const;

    /// The model description the writers use in place of the one the connected cutter reported
    /// (the command line's --model, for a stream that goes to a file and asks no cutter): a Sable
    /// or an Expert other than the Pro then gets its settings block. Empty: the plotter record's
    /// identification decides.
    void setAssumedModelDescription(std::string description) { m_assumedModel = std::move(description); }

    /// The engraver's definition file "C18.def" in the user's Sartovin folder (laser edition).
    std::string laserDefinitionFile() const;

    /// The laser edition's resolution in dots per inch for every pass instead of the one the
    /// engraver's definition file gives (the command line's --resolution); 0: the file decides.
    void setLaserResolution(int dpi) { m_laserResolution = dpi; }

    /// The generation part of the plot command: every group and pass, each finished group handed
    /// to `sink`. `plotStream` keeps the last group's stream.
    PlotRunResult generate(PlotContext& context, const GroupSink& sink, std::string& plotStream) const;

private:
    void bringPagesToPlotter();
    void applyCurrentMedium();

    const CTarnelWinCApp& m_app;
    Interaction& m_ui;
    const Texts& m_texts;
    Settings m_settings;
    PlotterCatalog m_plotters;
    MediaCatalog m_media;
    ToolCatalog m_tools;
    Job m_job;
    Job m_reference;
    JobState m_state;
    JobExtent m_referenceExtent;
    MarkMeasurements m_marks;
    std::vector<std::string> m_sheetFormats;
    int m_sheetFormat = 0;
    std::unique_ptr<LayoutModel> m_layout;
    std::unique_ptr<OptionsModel> m_options;
    std::unique_ptr<LayerSelectionModel> m_layers;
    std::string m_assumedModel;
    int m_laserResolution = 0;
};

}  // namespace sartovin
