#include "session/MainWindowModel.h"

#include "session/CutCommand.h"

#include "base/StartMode.h"
#include "job/JobModel.h"
#include "layout/RegistrationMarks.h"
#include "plot/LaserDriver.h"
#include "plot/LaserJob.h"

namespace sartovin {

const std::vector<std::string>& cutterOffsetList() {
    static const std::vector<std::string> offsets{"0.000", "0.175", "0.250", "0.275",
                                                  "0.300", "0.500", "0.750", "1.000"};
    return offsets;
}

MainWindowModel::MainWindowModel(const CTarnelWinCApp& app, Interaction& ui, const Texts& texts,
                                 const std::string& settingsPath)
    : m_app(app), m_ui(ui), m_texts(texts), m_settings(settingsPath), m_media(ui, texts, m_settings) {}

// The layer page detaches itself from the other two pages, so it goes first.
MainWindowModel::~MainWindowModel() {
    m_layers.reset();
    m_options.reset();
    m_layout.reset();
}

bool MainWindowModel::loadPlotters() {
    if (!m_plotters.load(m_app.plotterCatalogPath, m_app.startMode, m_settings, m_ui, m_texts)) return false;
    if (m_plotters.currentIndex() >= 0) selectPlotter(m_plotters.currentIndex());
    return true;
}

void MainWindowModel::openPages() {
    makeReferenceCopy(m_job, m_state.extent, m_reference, m_referenceExtent);
    if (RegistrationMarks::measuredAfterImport(m_app.startMode))
        m_marks = RegistrationMarks::measure(m_job, m_app.startMode);

    m_layout = std::make_unique<LayoutModel>(m_settings, m_texts, m_ui, m_app.startMode, m_job, m_reference,
                                             m_state);
    m_options = std::make_unique<OptionsModel>(m_settings, m_texts, m_ui, m_app.startMode);
    m_tools.load(m_app.toolsCatalogPath, m_ui, m_texts);
    if (const PlotterRecord* plotter = m_plotters.current()) m_layout->setPlotter(*plotter);
    m_layout->open();
    m_options->attach(m_layout.get(), nullptr);
    m_options->open(m_tools.tools());
    m_layers = std::make_unique<LayerSelectionModel>(m_texts, m_app.startMode, m_job, m_state, *m_options,
                                                     *m_layout);
    m_layers->setCatalogs(&m_media.media(), &m_tools.tools());
    bringPagesToPlotter();
    m_layers->rebuildTree();
}

bool MainWindowModel::selectPlotter(int index) {
    if (!m_plotters.select(index)) return false;
    const PlotterRecord& plotter = *m_plotters.current();
    m_settings.setPlotter(plotter.name);
    m_sheetFormats = RegistrationMarks::sheetFormats(plotter, m_texts, m_app.startMode);
    m_sheetFormat = RegistrationMarks::sheetFormatIndex(m_sheetFormats, m_settings.marksFormat());
    RegistrationMarks::applyPlotterChange(m_state, m_job, plotter.name, m_app.startMode);
    m_media.load(m_app.mediaCatalogPath, m_app.startMode, plotter.name);
    if (pagesOpen()) {
        bringPagesToPlotter();
        // Another plotter changes the media, not what the user chose to cut.
        m_layers->refreshTree();
    }
    return true;
}

void MainWindowModel::bringPagesToPlotter() {
    const PlotterRecord* plotter = m_plotters.current();
    if (!plotter) return;
    m_layout->setPlotter(*plotter);
    m_options->setPlotter(*plotter);
    if (const MediumRecord* medium = m_media.current())
        m_options->applyMedium(*medium, m_media.currentIndex());
    m_layout->refresh();
}

bool MainWindowModel::selectMedium(int index) {
    if (!m_media.selectMedium(index)) return false;
    if (pagesOpen()) m_options->applyMedium(*m_media.current(), index);
    return true;
}

void MainWindowModel::copyLayerEntryToOptions() {
    if (!pagesOpen() || m_app.startMode.isLaser() || !m_layers->individualParameters()) return;
    const CutSettings entry = m_layers->currentValues();
    m_options->setInt(OptionField::Speed, entry.speed);
    m_options->setInt(OptionField::Force, entry.force);
    m_options->selectTool(entry.tool);
}

MediumRecord MainWindowModel::mediumValues() const {
    MediumRecord v;
    if (!pagesOpen()) return v;
    const OptionsModel& options = *m_options;
    v.cutForce = options.force();
    v.cutSpeed = options.speed();
    if (options.toolIndex() >= 0 && options.toolIndex() < static_cast<int>(options.tools().size()))
        v.toolIdName = options.tools()[static_cast<std::size_t>(options.toolIndex())].idName;
    v.deltaOffset = options.offsetCorrection();
    v.repeatCount = options.repeatCount();
    const OptionsModel::Laser& laser = options.laser();
    v.vectorForce = options.force();
    v.vectorSpeed = options.speed();
    v.vectorLpi = static_cast<std::int16_t>(laser.vectorLpi);
    v.vectorRepeatCount = options.repeatCount();
    v.rasterForce = static_cast<std::int16_t>(laser.rasterForce);
    v.rasterSpeed = static_cast<std::int16_t>(laser.rasterSpeed);
    v.rasterDpi = static_cast<std::int16_t>(laser.rasterDpi);
    v.rasterRepeatCount = static_cast<std::int16_t>(laser.rasterRepeatCount);
    v.vectorCutOutForce = static_cast<std::int16_t>(laser.cutOutForce);
    v.vectorCutOutSpeed = static_cast<std::int16_t>(laser.cutOutSpeed);
    v.vectorCutOutLpi = static_cast<std::int16_t>(laser.cutOutLpi);
    v.smooth = laser.smooth ? 1 : 0;
    v.cutOut = laser.cutOut ? 1 : 0;
    v.rasterCleanForce = static_cast<std::int16_t>(laser.cleanForce);
    v.rasterCleanSpeed = static_cast<std::int16_t>(laser.cleanSpeed);
    v.clean = laser.clean ? 1 : 0;
    v.raster = laser.raster ? 1 : 0;
    return v;
}

void MainWindowModel::applyCurrentMedium() {
    if (!pagesOpen()) return;
    if (const MediumRecord* medium = m_media.current())
        m_options->applyMedium(*medium, m_media.currentIndex());
    m_layers->setCatalogs(&m_media.media(), &m_tools.tools());
}

bool MainWindowModel::newMedium() {
    if (!pagesOpen()) return false;
    // The layer entry's values reach the options page only once the new name is accepted.
    if (!m_media.newMedium([this] {
            copyLayerEntryToOptions();
            return mediumValues();
        }))
        return false;
    applyCurrentMedium();
    return true;
}

bool MainWindowModel::deleteMedium() {
    if (!pagesOpen()) return false;
    if (!m_media.deleteCurrent()) return false;
    applyCurrentMedium();
    return true;
}

bool MainWindowModel::saveMedium(MediaCatalog::SaveCommand command) {
    if (!pagesOpen()) return false;
    if (!m_media.saveCurrent(mediumValues(), command)) return false;
    applyCurrentMedium();
    return true;
}

std::string MainWindowModel::laserDefinitionFile() const { return laserDefinitionPath(m_app); }

PlotParameters MainWindowModel::plotParameters() const {
    PlotParameters p;
    p.startMode = m_app.startMode;
    p.job = &m_job;
    p.jobState = m_state;
    p.marks = m_marks;

    const LayoutModel& layout = *m_layout;
    p.positionFront = layout.positionFront();
    p.positionRight = layout.positionRight();
    p.jobWidth = layout.jobWidth();
    p.jobHeight = layout.jobHeight();
    p.widthPercent = layout.widthPercent();
    p.heightPercent = layout.heightPercent();
    p.copyTotal = layout.copyTotal();
    p.rows = layout.rows();
    p.columns = layout.columns();
    p.distanceH = layout.distanceH();
    p.distanceV = layout.distanceV();
    p.positionMode = layout.positionMode();
    p.rotation = layout.rotation();
    p.mediumWidth = layout.mediumWidth();
    p.mediumHeight = layout.mediumHeight();

    const OptionsModel& options = *m_options;
    p.gridOn = options.gridOn();
    p.gridDistance = options.gridDistance();
    p.overcutOn = options.overcutOn();
    p.overcut = options.overcut();
    p.qualityEntryCount = static_cast<int>(options.qualityList().size());
    p.qualityIndex = options.qualityIndex();
    p.lineAcceleration = options.qualityValue();
    // Without a following quality entry the curves keep the line acceleration, so nothing switches.
    p.curveAcceleration = options.qualityIndex() + 1 < p.qualityEntryCount ? options.nextQualityValue()
                                                                           : options.qualityValue();
    p.usePlotterSettings = options.usePlotterSettings();
    p.speed = options.speed();
    p.force = options.force();
    p.toolOffset = options.toolOffset();
    p.offsetCorrection = options.offsetCorrection();
    p.repeatCount = options.repeatCount();
    p.endPosition = options.endPosition();
    p.endPositionDistance = options.endPositionDistance();
    p.cutInit = m_settings.cutInit() != 0;
    p.minOvercutAngle = m_settings.minOvercutAngle();

    const LayerSelectionModel& layers = *m_layers;
    p.selectionMode = layers.byLayers() ? SelectionMode::Layers : SelectionMode::Colours;
    p.allObjects = layers.allObjects();
    p.individualParameters = layers.individualParameters();
    p.pauseBetweenPasses = layers.pauseBetweenPasses();
    p.groupCount = static_cast<int>(layers.byLayers() ? m_job.layers.size() : m_job.colourGroups.size());
    p.groupParameters.assign(static_cast<std::size_t>(p.groupCount), GroupParameters{});
    for (const CutGroup& g : layers.cutGroups()) {
        GroupParameters gp{g.speed, g.force, g.toolOffset, g.deltaOffset, g.passes};
        if (g.groupIndex == -2)
            p.frameParameters = gp;
        else if (g.groupIndex >= 0 && g.groupIndex < p.groupCount)
            p.groupParameters[static_cast<std::size_t>(g.groupIndex)] = gp;
    }

    if (const PlotterRecord* plotter = m_plotters.current()) {
        p.modelDescription =
            m_assumedModel.empty() ? modelDescriptionField(plotter->identificationReply) : m_assumedModel;
        p.cuttingWidth = plotter->maxCutWidth;
        p.usbDeviceName = plotter->usbGccName;
        if (isGenericHpglCutter(*plotter)) {
            p.usePlotterSettings = true;
            p.cutInit = false;
        }
    }
    p.offsetList = cutterOffsetList();

    if (m_app.startMode.isLaser()) {
        const OptionsModel::Laser& l = options.laser();
        LaserParameters& laser = p.laser;
        // The engraver's resolution comes from its definition file, checked before every pass,
        // unless the caller names one (the command line's --resolution).
        if (m_laserResolution > 0)
            laser.resolution = m_laserResolution;
        else
            laser.definitionFile = laserDefinitionFile();
        laser.vectorLpi = l.vectorLpi;
        laser.cutOutLpi = l.cutOutLpi;
        laser.cutOutSpeed = l.cutOutSpeed;
        laser.cutOutForce = l.cutOutForce;
        laser.rasterSpeed = l.rasterSpeed;
        laser.rasterForce = l.rasterForce;
        laser.cleanSpeed = l.cleanSpeed;
        laser.cleanForce = l.cleanForce;
        laser.repeatCountRaster = l.rasterRepeatCount;
        laser.raster = l.raster;
        laser.clean = l.clean;
        laser.outlines = l.smooth;
        laser.cutOut = l.cutOut;
        laser.invert = layout.invert();
    }
    return p;
}

PlotRunResult MainWindowModel::generate(PlotContext& context, const GroupSink& sink,
                                        std::string& plotStream) const {
    PlotParameters params = plotParameters();
    const LaserWriter laser = [&context](int group, std::string& output, const PlotParameters& p, int pass) {
        return writeLaser(group, output, p, pass, context);
    };
    return runPlotGroups(params, context, sink, plotStream, laser);
}

}  // namespace sartovin
