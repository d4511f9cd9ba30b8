#include "pages/LayerSelectionModel.h"

#include <algorithm>

#include "base/EditText.h"
#include "base/StartMode.h"
#include "base/Texts.h"
#include "job/JobModel.h"
#include "layout/JobTransform.h"
#include "layout/LayoutModel.h"

namespace sartovin {

namespace {

// Layers and colours are told apart in the tree by keys from 1100 on.
constexpr std::int32_t kListKeyBase = 1100;

bool isMarks(const JobLayer& layer) { return layer.name == kMarksLayerName; }

}  // namespace

LayerSelectionModel::LayerSelectionModel(const Texts& texts, StartMode startMode, Job& live, JobState& state,
                                         OptionsModel& options, LayoutModel& layout)
    : m_texts(texts),
      m_startMode(startMode),
      m_live(live),
      m_state(state),
      m_options(options),
      m_layout(layout) {
    m_layout.setExtentAdjuster([this](JobExtent& e) { narrowExtent(e); });
    m_options.attach(&layout, this);
}

LayerSelectionModel::~LayerSelectionModel() {
    m_layout.setExtentAdjuster({});
    m_options.attach(&m_layout, nullptr);
}

void LayerSelectionModel::setCatalogs(const std::vector<MediumRecord>* media,
                                      const std::vector<ToolRecord>* tools) {
    m_media = media;
    m_tools = tools;
}

// ---- values of the entries ----------------------------------------------------------------------

CutSettings LayerSelectionModel::defaultSettings() const {
    CutSettings s;
    s.preset = std::max(0, m_options.currentMedium());
    s.force = m_options.force();
    s.speed = m_options.speed();
    s.repetitions = m_options.repeatCount();
    s.tool = std::max(0, m_options.toolIndex());
    return s;
}

void LayerSelectionModel::initialiseSettings(CutSettings& s) const {
    // Import leaves the five values at 0; a pass count of 0 means the page never set them.
    if (s.repetitions <= 0) s = defaultSettings();
}

CutSettings* LayerSelectionModel::settingsOf(const LayerEntry& e) {
    switch (e.kind) {
        case LayerEntry::Kind::Layer:
            return e.index >= 0 && e.index < static_cast<int>(m_live.layers.size())
                       ? &m_live.layers[e.index].settings
                       : nullptr;
        case LayerEntry::Kind::Colour:
            return e.index >= 0 && e.index < static_cast<int>(m_live.colourGroups.size())
                       ? &m_live.colourGroups[e.index].settings
                       : nullptr;
        case LayerEntry::Kind::Frame:
            return &m_frame;
        case LayerEntry::Kind::Root:
            return nullptr;
    }
    return nullptr;
}

const CutSettings* LayerSelectionModel::settingsOf(const LayerEntry& e) const {
    return const_cast<LayerSelectionModel*>(this)->settingsOf(e);
}

LayerSelectionModel::Naming& LayerSelectionModel::namingOf(const LayerEntry& e) {
    if (e.kind == LayerEntry::Kind::Layer) {
        if (m_layerNaming.size() < m_live.layers.size())
            m_layerNaming.resize(m_live.layers.size(), Naming::Plain);
        return m_layerNaming[e.index];
    }
    if (e.kind == LayerEntry::Kind::Colour) {
        if (m_colourNaming.size() < m_live.colourGroups.size())
            m_colourNaming.resize(m_live.colourGroups.size(), Naming::Plain);
        return m_colourNaming[e.index];
    }
    return m_frameNaming;
}

std::string LayerSelectionModel::presetName(int preset) const {
    if (m_media && preset >= 0 && preset < static_cast<int>(m_media->size())) return (*m_media)[preset].name;
    return {};
}

void LayerSelectionModel::renameEntry(LayerEntry& e) {
    if (e.kind == LayerEntry::Kind::Root) return;
    const CutSettings* s = settingsOf(e);
    const std::string preset = s ? presetName(s->preset) : std::string();
    switch (namingOf(e)) {
        case Naming::Plain:
            e.text = e.name;
            break;
        case Naming::Preset:
            e.text = fillPlaceholders("%s ( %s )", {e.name, preset});
            break;
        case Naming::Marked:
            e.text = fillPlaceholders("%s (*** %s ***)", {e.name, preset});
            break;
    }
}

// ---- the tree -----------------------------------------------------------------------------------

void LayerSelectionModel::rebuildTree() { buildTree(true); }

void LayerSelectionModel::refreshTree() { buildTree(false); }

void LayerSelectionModel::buildTree(bool fresh) {
    // A refresh keeps the selected entry where it still exists.
    LayerEntry::Kind keptKind = LayerEntry::Kind::Root;
    int keptIndex = -1;
    if (!fresh && m_current >= 0 && m_current < static_cast<int>(m_entries.size())) {
        keptKind = m_entries[static_cast<std::size_t>(m_current)].kind;
        keptIndex = m_entries[static_cast<std::size_t>(m_current)].index;
    }
    m_entries.clear();
    if (fresh) {
        bool redraw = false;
        for (ColourGroup& g : m_live.colourGroups) {
            if (!g.enabled) redraw = true;
            g.enabled = true;
        }
        for (const JobLayer& layer : m_live.layers)
            if (!isMarks(layer) && !layer.enabled) redraw = true;
        if (redraw) m_layout.requestPreviewRedraw();
    }

    LayerEntry root;
    root.kind = LayerEntry::Kind::Root;
    root.text = root.name = m_texts.text(m_byLayers ? TextId::LayerRoot : TextId::FillColoursRoot);
    m_entries.push_back(root);

    if (m_byLayers) {
        for (std::size_t i = 0; i < m_live.layers.size(); ++i) {
            JobLayer& layer = m_live.layers[i];
            if (layer.objects.empty() || isMarks(layer)) continue;
            LayerEntry e;
            e.kind = LayerEntry::Kind::Layer;
            e.index = static_cast<int>(i);
            e.name = layer.name;
            e.checked = layer.enabled;
            e.listKey = layer.listKey = kListKeyBase + static_cast<std::int32_t>(i);
            initialiseSettings(layer.settings);
            m_entries.push_back(e);
        }
    } else {
        for (std::size_t i = 0; i < m_live.colourGroups.size(); ++i) {
            ColourGroup& group = m_live.colourGroups[i];
            if (group.members.empty()) continue;
            LayerEntry e;
            e.kind = LayerEntry::Kind::Colour;
            e.index = static_cast<int>(i);
            e.name = group.name;
            e.checked = group.enabled;
            e.listKey = group.listKey = kListKeyBase + static_cast<std::int32_t>(i);
            initialiseSettings(group.settings);
            m_entries.push_back(e);
        }
    }
    if (m_individualParameters && m_options.gridOn()) {
        LayerEntry e;
        e.kind = LayerEntry::Kind::Frame;
        e.index = -2;
        e.name = m_texts.text(TextId::WeedingFrame);
        e.checked = true;
        initialiseSettings(m_frame);
        m_entries.push_back(e);
    }
    for (LayerEntry& e : m_entries) renameEntry(e);
    m_current = m_entries.size() > 1 ? 1 : 0;
    if (!fresh)
        for (std::size_t i = 0; i < m_entries.size(); ++i)
            if (m_entries[i].kind == keptKind && m_entries[i].index == keptIndex)
                m_current = static_cast<int>(i);
}

void LayerSelectionModel::setChecked(int entry, bool on) {
    if (entry < 0 || entry >= static_cast<int>(m_entries.size())) return;
    LayerEntry& e = m_entries[entry];
    switch (e.kind) {
        case LayerEntry::Kind::Root:
            return;
        case LayerEntry::Kind::Layer:
            m_live.layers[e.index].enabled = on;
            break;
        case LayerEntry::Kind::Colour:
            m_live.colourGroups[e.index].enabled = on;
            break;
        case LayerEntry::Kind::Frame:
            m_options.setGridFromFrameEntry(on);
            break;
    }
    e.checked = on;
    m_layout.requestPreviewRedraw();
    if (m_layout.isOpen()) m_layout.refresh();
}

void LayerSelectionModel::selectEntry(int entry) {
    if (entry < 0 || entry >= static_cast<int>(m_entries.size())) return;
    m_current = entry;
}

CutSettings LayerSelectionModel::currentValues() const {
    if (m_current >= 0 && m_current < static_cast<int>(m_entries.size()))
        if (const CutSettings* s = settingsOf(m_entries[m_current])) return *s;
    return defaultSettings();
}

// ---- editing the entry's values -----------------------------------------------------------------

void LayerSelectionModel::setPreset(int mediumIndex) {
    if (!m_media || mediumIndex < 0 || mediumIndex >= static_cast<int>(m_media->size())) return;
    if (m_current < 0 || m_current >= static_cast<int>(m_entries.size())) return;
    LayerEntry& e = m_entries[m_current];
    CutSettings* s = settingsOf(e);
    if (!s) return;
    const MediumRecord& m = (*m_media)[mediumIndex];
    s->preset = mediumIndex;
    s->force = OptionsModel::checkRange(m.cutForce, range(LayerField::Force));
    s->speed = OptionsModel::checkRange(m.cutSpeed, range(LayerField::Speed));
    s->repetitions = OptionsModel::checkRange(m.repeatCount, range(LayerField::RepeatCount));
    if (m_tools) {
        for (std::size_t i = 0; i < m_tools->size(); ++i)
            if ((*m_tools)[i].idName == m.toolIdName) s->tool = static_cast<std::int32_t>(i);
    }
    namingOf(e) = Naming::Preset;
    renameEntry(e);
}

void LayerSelectionModel::setTool(int toolIndex) {
    if (!m_tools || toolIndex < 0 || toolIndex >= static_cast<int>(m_tools->size())) return;
    if (m_current < 0 || m_current >= static_cast<int>(m_entries.size())) return;
    if (CutSettings* s = settingsOf(m_entries[m_current])) s->tool = toolIndex;
}

EditRange LayerSelectionModel::range(LayerField field) const {
    switch (field) {
        case LayerField::Speed:
            return m_options.range(OptionField::Speed);
        case LayerField::Force:
            return m_options.range(OptionField::Force);
        case LayerField::RepeatCount:
            return {1, 20, 1};
    }
    return {};
}

int LayerSelectionModel::setValue(LayerField field, int value) {
    const int v = OptionsModel::checkRange(value, range(field));
    if (m_current < 0 || m_current >= static_cast<int>(m_entries.size())) return v;
    LayerEntry& e = m_entries[m_current];
    CutSettings* s = settingsOf(e);
    if (!s) return v;
    switch (field) {
        case LayerField::Speed:
            s->speed = v;
            break;
        case LayerField::Force:
            s->force = v;
            break;
        case LayerField::RepeatCount:
            s->repetitions = v;
            break;
    }
    // An entry whose values differ from its preset is shown in the marked form.
    namingOf(e) = Naming::Marked;
    renameEntry(e);
    return v;
}

int LayerSelectionModel::editValue(LayerField field, const std::string& text) {
    return setValue(field, parseEditInt(text));
}

int LayerSelectionModel::spinValue(LayerField field, int request) {
    const CutSettings cur = currentValues();
    int current = field == LayerField::Speed   ? cur.speed
                  : field == LayerField::Force ? cur.force
                                               : cur.repetitions;
    return setValue(field, OptionsModel::spinStep(current, request, range(field)));
}

// ---- switches -----------------------------------------------------------------------------------

void LayerSelectionModel::setByLayers(bool byLayers) {
    m_byLayers = byLayers;
    rebuildTree();
}

bool LayerSelectionModel::individualParametersEnabled() const {
    return m_options.individualParametersAllowed();
}

void LayerSelectionModel::setIndividualParameters(bool on) {
    if (on && !individualParametersEnabled()) return;
    m_individualParameters = on;
    refreshTree();
}

bool LayerSelectionModel::clearIndividualParameters() {
    if (!m_individualParameters) return false;
    m_individualParameters = false;
    refreshTree();
    return true;
}

void LayerSelectionModel::setAllObjects(bool all) {
    m_allObjects = all;
    m_layout.requestPreviewRedraw();
    if (m_shrinkToSelection) recomputeExtent();
}

void LayerSelectionModel::setShrinkToSelection(bool on) {
    if (on == m_shrinkToSelection) return;
    m_shrinkToSelection = on;
    recomputeExtent();
}

void LayerSelectionModel::setUseMarks(bool on) {
    m_useMarks = on;
    m_plotterSelectionRequested = true;
}

bool LayerSelectionModel::takePlotterSelectionRequest() {
    bool requested = m_plotterSelectionRequested;
    m_plotterSelectionRequested = false;
    return requested;
}

bool LayerSelectionModel::onlySelectedAvailable() const {
    if (m_startMode.isCorel() || m_startMode.isIllustrator()) return true;
    // Inkscape hands its selection over only when there is one: without it the choice would cut
    // nothing.
    if (!m_startMode.isInkscape()) return false;
    for (const JobLayer& layer : m_live.layers)
        for (const JobObject& object : layer.objects)
            if (object.selected) return true;
    return false;
}

void LayerSelectionModel::narrowExtent(JobExtent& extent) const {
    if (!shrinkActive()) return;
    JobExtent chosen;
    // With no object selected the whole drawing stays: an empty selection has no extent.
    if (!extentOfObjects(m_live, true, m_state.marksMode, chosen)) return;
    extent.spanX = chosen.spanX;
    extent.spanY = chosen.spanY;
    extent.minX = chosen.minX;
    extent.minY = chosen.minY;
    extent.maxX = chosen.maxX;
    extent.maxY = chosen.maxY;
}

void LayerSelectionModel::recomputeExtent() {
    // Start from the full working extent as the layout sets it for the current rotation, so that
    // switching the selection off restores the whole drawing; the imported spans stay the
    // reference's.
    JobExtent& ext = m_state.extent;
    setWorkingExtent(ext, m_layout.rotation());
    narrowExtent(ext);
    m_layout.requestPreviewRedraw();
    if (m_layout.isOpen()) m_layout.extentChanged();
}

// ---- the plot run's groups ----------------------------------------------------------------------

double LayerSelectionModel::toolOffsetOf(int tool) const {
    if (m_tools && tool >= 0 && tool < static_cast<int>(m_tools->size())) return (*m_tools)[tool].offset;
    return m_options.toolOffset();
}

double LayerSelectionModel::deltaOffsetOf(int preset) const {
    if (m_media && preset >= 0 && preset < static_cast<int>(m_media->size()))
        return (*m_media)[preset].deltaOffset;
    return m_options.offsetCorrection();
}

std::vector<CutGroup> LayerSelectionModel::cutGroups() const {
    std::vector<CutGroup> groups;
    if (!m_individualParameters) {
        CutGroup g;
        g.groupIndex = -1;
        g.passes = std::max<int>(1, m_options.repeatCount());
        g.speed = m_options.speed();
        g.force = m_options.force();
        g.toolOffset = m_options.toolOffset();
        g.deltaOffset = m_options.offsetCorrection();
        groups.push_back(g);
        return groups;
    }
    auto fill = [&](CutGroup& g, CutSettings s) {
        initialiseSettings(s);
        g.passes = std::max<int>(1, s.repetitions);
        g.speed = s.speed;
        g.force = s.force;
        g.toolOffset = toolOffsetOf(s.tool);
        g.deltaOffset = deltaOffsetOf(s.preset);
    };
    if (m_byLayers) {
        for (std::size_t i = 0; i < m_live.layers.size(); ++i) {
            const JobLayer& layer = m_live.layers[i];
            CutGroup g;
            g.groupIndex = static_cast<int>(i);
            g.name = layer.name;
            // The marks layer is never cut and an empty layer has nothing to send.
            g.skipped = !layer.enabled || isMarks(layer) || layer.objects.empty();
            fill(g, layer.settings);
            groups.push_back(g);
        }
    } else {
        for (std::size_t i = 0; i < m_live.colourGroups.size(); ++i) {
            const ColourGroup& colour = m_live.colourGroups[i];
            CutGroup g;
            g.groupIndex = static_cast<int>(i);
            g.name = colour.name;
            g.skipped = !colour.enabled || colour.members.empty();
            fill(g, colour.settings);
            groups.push_back(g);
        }
    }
    if (m_options.gridOn()) {
        CutGroup g;
        g.groupIndex = -2;
        g.name = m_texts.text(TextId::WeedingFrame);
        fill(g, m_frame);
        groups.push_back(g);
    }
    return groups;
}

}  // namespace sartovin
