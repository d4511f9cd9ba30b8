#include "pages/OptionsModel.h"

#include <algorithm>
#include <cmath>

#include "base/EditText.h"
#include "base/Settings.h"
#include "base/StartMode.h"
#include "base/Texts.h"
#include "layout/LayoutModel.h"
#include "pages/LayerSelectionModel.h"
#include "platform/Interaction.h"
#include "platform/StringUtil.h"

namespace sartovin {

namespace {

// Laser line densities top out at what the laser's driver accepts.
constexpr int kMaxLpi = 1525;

// The standard edition's offset correction is typed in thousandths; a spin moves it by 0.01 mm.
constexpr double kOffsetSpinStep = 0.01;

}  // namespace

OptionsModel::OptionsModel(const Settings& settings, const Texts& texts, Interaction& interaction,
                           StartMode startMode)
    : m_settings(settings), m_texts(texts), m_interaction(interaction), m_startMode(startMode) {}

void OptionsModel::attach(LayoutModel* layout, LayerSelectionModel* layers) {
    m_layout = layout;
    m_layers = layers;
}

bool OptionsModel::standard() const { return m_startMode.isStandard(); }
bool OptionsModel::hobby() const { return m_startMode.isHobby(); }
bool OptionsModel::laserEdition() const { return m_startMode.isLaser(); }

void OptionsModel::open(const std::vector<ToolRecord>& tools) {
    m_tools = tools;
    m_gridOn = m_settings.grid() != 0;
    m_gridDistance = checkRange(m_settings.gridDistance(), range(OptionField::GridDistance));
    m_overcutOn = m_settings.useOvercut() != 0;
    m_overcut = checkRange(m_settings.overcut(), range(OptionField::Overcut));
    m_usePlotterSettings = !laserEdition() && m_settings.usePlotterSettings() != 0;
    // In the laser edition the repetitions edit holds the line density; the count itself comes
    // with the medium.
    m_repeatCount = std::clamp(m_settings.repeatCount(), 1, 20);
    m_endPosition = std::clamp(m_settings.endPosition(), 0, 2);
    m_endPositionDistance = m_settings.endPositionDistance();
    m_toolIndex = -1;
    if (!m_tools.empty()) selectTool(0);
}

void OptionsModel::setPlotter(const PlotterRecord& plotter) {
    m_plotter = plotter;
    // Speed and force keep their values when they still fit, as the edits would show them.
    m_speed = checkRange(m_speed, range(OptionField::Speed));
    m_force = checkRange(m_force, range(OptionField::Force));
    if (laserEdition()) {
        m_laser.rasterSpeed = checkRange(m_laser.rasterSpeed, range(OptionField::RasterSpeed));
        m_laser.rasterForce = checkRange(m_laser.rasterForce, range(OptionField::RasterForce));
    }
    rebuildQualityList();
}

void OptionsModel::applyMedium(const MediumRecord& medium, int index) {
    m_currentMedium = index;
    m_mediumName = medium.name;
    if (laserEdition()) {
        setInt(OptionField::Force, medium.vectorForce);
        setInt(OptionField::Speed, medium.vectorSpeed);
        setInt(OptionField::RepeatCount, medium.vectorLpi);  // the laser's repetitions edit
        m_repeatCount = std::clamp<int>(medium.vectorRepeatCount, 1, 20);
        setInt(OptionField::RasterForce, medium.rasterForce);
        setInt(OptionField::RasterSpeed, medium.rasterSpeed);
        m_laser.rasterDpi = medium.rasterDpi;
        setInt(OptionField::RasterRepeatCount, medium.rasterRepeatCount);
        setInt(OptionField::CutOutForce, medium.vectorCutOutForce);
        setInt(OptionField::CutOutSpeed, medium.vectorCutOutSpeed);
        setInt(OptionField::CutOutLpi, medium.vectorCutOutLpi);
        setInt(OptionField::CleanForce, medium.rasterCleanForce);
        setInt(OptionField::CleanSpeed, medium.rasterCleanSpeed);
        m_laser.smooth = medium.smooth != 0;
        m_laser.cutOut = medium.cutOut != 0;
        m_laser.clean = medium.clean != 0;
        m_laser.raster = medium.raster != 0;
    } else {
        setInt(OptionField::Force, medium.cutForce);
        setInt(OptionField::Speed, medium.cutSpeed);
        setInt(OptionField::RepeatCount, medium.repeatCount);
        int tool = toolIndexOf(medium.toolIdName);
        if (tool >= 0) selectTool(tool);
        setOffsetCorrection(medium.deltaOffset);
    }
    rebuildQualityList();
}

std::string OptionsModel::parametersCaption() const {
    return m_texts.text(TextId::CuttingParameterFor) + " " + m_mediumName;
}

std::string OptionsModel::saveTooltip() const {
    return m_texts.text(TextId::TipSaveFor) + " " + m_mediumName;
}

// ---- integer edits ------------------------------------------------------------------------------

EditRange OptionsModel::range(OptionField field) const {
    const int speedStep = standard() ? 3 : 1;
    const int forceStep = standard() ? 5 : 1;
    auto ordered = [](int lo, int hi) { return std::pair<int, int>(lo, std::max(lo, hi)); };
    switch (field) {
        case OptionField::GridDistance:
            return {0, 100, 1};
        case OptionField::Overcut:
            return {0, 10, 1};
        case OptionField::Speed:
        case OptionField::RasterSpeed: {
            auto [lo, hi] = ordered(m_plotter.minCutSpeed, m_plotter.maxCutSpeed);
            return {lo, hi, field == OptionField::Speed ? speedStep : 1};
        }
        case OptionField::Force:
        case OptionField::RasterForce: {
            auto [lo, hi] = ordered(m_plotter.minCutForce, m_plotter.maxCutForce);
            return {lo, hi, field == OptionField::Force ? forceStep : 1};
        }
        case OptionField::RepeatCount:
            return laserEdition() ? EditRange{1, kMaxLpi, 1} : EditRange{1, 20, 1};
        case OptionField::EndPositionDistance:
            return {INT32_MIN, INT32_MAX, 1};
        case OptionField::RasterRepeatCount:
            return {1, 100, 1};
        case OptionField::CutOutSpeed:
        case OptionField::CutOutForce:
            return {0, 100, 1};
        case OptionField::CutOutLpi:
            return {1, kMaxLpi, 1};
        case OptionField::CleanSpeed:
        case OptionField::CleanForce:
        case OptionField::CleanRepeatCount:
            return {1, 100, 1};
    }
    return {};
}

int OptionsModel::checkRange(int value, const EditRange& r) { return std::clamp(value, r.min, r.max); }

int OptionsModel::spinStep(int current, int request, const EditRange& r) {
    // The spin button reports upward as a negative delta.
    long long v = current;
    if (request < 0)
        v += r.step;
    else if (request > 0)
        v -= r.step;
    v = std::clamp<long long>(v, r.min, r.max);
    return static_cast<int>(v);
}

int& OptionsModel::slot(OptionField field) {
    switch (field) {
        case OptionField::GridDistance:
            return m_gridDistance;
        case OptionField::Overcut:
            return m_overcut;
        case OptionField::Speed:
            return m_speed;
        case OptionField::Force:
            return m_force;
        case OptionField::RepeatCount:
            return laserEdition() ? m_laser.vectorLpi : m_repeatCount;
        case OptionField::EndPositionDistance:
            return m_endPositionDistance;
        case OptionField::RasterSpeed:
            return m_laser.rasterSpeed;
        case OptionField::RasterForce:
            return m_laser.rasterForce;
        case OptionField::RasterRepeatCount:
            return m_laser.rasterRepeatCount;
        case OptionField::CutOutSpeed:
            return m_laser.cutOutSpeed;
        case OptionField::CutOutForce:
            return m_laser.cutOutForce;
        case OptionField::CutOutLpi:
            return m_laser.cutOutLpi;
        case OptionField::CleanSpeed:
            return m_laser.cleanSpeed;
        case OptionField::CleanForce:
            return m_laser.cleanForce;
        case OptionField::CleanRepeatCount:
            return m_laser.cleanRepeatCount;
    }
    return m_speed;
}

int OptionsModel::slotValue(OptionField field) const { return const_cast<OptionsModel*>(this)->slot(field); }

void OptionsModel::store(OptionField field, int v) const {
    switch (field) {
        case OptionField::GridDistance:
            m_settings.setGridDistance(v);
            break;
        case OptionField::Overcut:
            m_settings.setOvercut(v);
            break;
        case OptionField::Speed:
            m_settings.setSpeed(v);
            break;
        case OptionField::Force:
            m_settings.setForce(v);
            break;
        case OptionField::RepeatCount:
            if (laserEdition())
                m_settings.setLaserValue("VectorLPI", v);
            else
                m_settings.setRepeatCount(v);
            break;
        case OptionField::EndPositionDistance:
            m_settings.setEndPositionDistance(v);
            break;
        case OptionField::RasterSpeed:
            m_settings.setLaserValue("RasterSpeed", v);
            break;
        case OptionField::RasterForce:
            m_settings.setLaserValue("RasterForce", v);
            break;
        case OptionField::RasterRepeatCount:
            m_settings.setLaserValue("RepeatCountRaster", v);
            break;
        case OptionField::CutOutSpeed:
            m_settings.setLaserValue("CutOutVectorSpeed", v);
            break;
        case OptionField::CutOutForce:
            m_settings.setLaserValue("CutOutVectorForce", v);
            break;
        case OptionField::CutOutLpi:
            m_settings.setLaserValue("CutOutVectorLPI", v);
            break;
        case OptionField::CleanSpeed:
            m_settings.setLaserValue("RasterCleanSpeed", v);
            break;
        case OptionField::CleanForce:
            m_settings.setLaserValue("RasterCleanForce", v);
            break;
        case OptionField::CleanRepeatCount:
            m_settings.setLaserValue("RasterCleanRepeat", v);
            break;
    }
}

int OptionsModel::setInt(OptionField field, int value) {
    const int v = checkRange(value, range(field));
    slot(field) = v;
    store(field, v);
    // The frame distance and the overcut length enter the layout's size and copy rules.
    if (field == OptionField::GridDistance || field == OptionField::Overcut) refreshLayout();
    return v;
}

int OptionsModel::editInt(OptionField field, const std::string& text) {
    return setInt(field, parseEditInt(text));
}

int OptionsModel::spin(OptionField field, int request) {
    return setInt(field, spinStep(slotValue(field), request, range(field)));
}

int OptionsModel::value(OptionField field) const { return slotValue(field); }

std::string OptionsModel::text(OptionField field) const { return formatNumber("%d", slotValue(field)); }

// ---- check boxes --------------------------------------------------------------------------------

void OptionsModel::refreshLayout() {
    if (m_layout && m_layout->isOpen()) m_layout->refresh();
}

void OptionsModel::setGridOn(bool on) {
    setGridFromFrameEntry(on);
    if (m_layers) m_layers->rebuildTree();
}

void OptionsModel::setGridFromFrameEntry(bool on) {
    m_gridOn = on;
    m_settings.setGrid(on ? 1 : 0);
    refreshLayout();
}

void OptionsModel::setOvercutOn(bool on) {
    m_overcutOn = on;
    m_settings.setUseOvercut(on ? 1 : 0);
    refreshLayout();
}

bool OptionsModel::usePlotterSettingsVisible() const { return !laserEdition(); }

bool OptionsModel::cuttingParametersEnabled() const { return !m_usePlotterSettings; }

bool OptionsModel::laserControlsVisible() const { return laserEdition(); }

void OptionsModel::setUsePlotterSettings(bool on) {
    if (laserEdition()) return;  // the laser edition has no such box
    if (on && m_layers && m_layers->clearIndividualParameters()) {
        m_interaction.messageBox(m_texts.text(TextId::IndividualParametersOff), kProgramCaption,
                                 MessageIcon::Information);
    }
    m_usePlotterSettings = on;
    m_settings.setUsePlotterSettings(on ? 1 : 0);
}

void OptionsModel::setEndPosition(int position) {
    if (position < 0 || position > 2) return;
    m_endPosition = position;
    m_settings.setEndPosition(position);
    if (position == 2) m_settings.setEndPositionDistance(m_endPositionDistance);
}

// ---- quality ------------------------------------------------------------------------------------

double OptionsModel::qualityValueOf(const PlotterRecord& p, int code) {
    switch (code) {
        case 0:
            return p.qualitySmallLetter;
        case 2:
            return p.qualityNormal;
        case 3:
            return p.qualityFair;
        case 4:
            return p.qualityDraft;
        default:
            return p.qualityFine;
    }
}

void OptionsModel::rebuildQualityList() {
    m_qualityList.clear();
    for (int code = 0; code <= 4; ++code) {
        if (qualityValueOf(m_plotter, code) != 0)
            m_qualityList.push_back({code, m_texts.text(textIdAt(TextId::QualityFirst, code))});
    }
    // A catalog row without quality values still needs an entry the writers can use.
    if (m_qualityList.empty()) m_qualityList.push_back({2, m_texts.text(textIdAt(TextId::QualityFirst, 2))});
    m_qualityIndex = m_settings.qualityIndex(static_cast<int>(m_qualityList.size()));
    applyQualitySelection();
}

void OptionsModel::applyQualitySelection() {
    const auto& list = m_qualityList;
    m_qualityValue = qualityValueOf(m_plotter, list[m_qualityIndex].code);
    const std::size_t next = static_cast<std::size_t>(m_qualityIndex) + 1;
    m_nextQualityValue = next < list.size() ? qualityValueOf(m_plotter, list[next].code) : 0.0;
}

void OptionsModel::setQualityIndex(int index) {
    if (index < 0 || index >= static_cast<int>(m_qualityList.size())) return;
    m_qualityIndex = index;
    applyQualitySelection();
    m_settings.setQualityIndex(index);
}

// ---- tool and offset ----------------------------------------------------------------------------

std::vector<std::string> OptionsModel::toolNames() const {
    std::vector<std::string> names;
    const bool german = m_texts.languageId() == 1000;
    for (const ToolRecord& t : m_tools) names.push_back(german ? t.displayNameGerman : t.displayNameEnglish);
    return names;
}

int OptionsModel::toolIndexOf(const std::string& idName) const {
    for (std::size_t i = 0; i < m_tools.size(); ++i)
        if (m_tools[i].idName == idName) return static_cast<int>(i);
    return -1;
}

void OptionsModel::selectTool(int index) {
    if (index < 0 || index >= static_cast<int>(m_tools.size())) return;
    m_toolIndex = index;
    m_toolOffset = m_tools[index].offset;
    setOffsetCorrection(0.0);
}

double OptionsModel::offsetMin() const {
    if (standard()) return -m_toolOffset;
    return hobby() ? 1.0 : 0.0;
}

double OptionsModel::offsetMax() const {
    if (standard()) return 1.0 - m_toolOffset;
    return hobby() ? 10.0 : 25.0;
}

double OptionsModel::clampOffset(double v) const {
    if (!std::isfinite(v)) v = 0;
    // Blade setting and laser offset are whole steps; the correction is kept as the edit shows it.
    v = standard() ? std::round(v * 1000.0) / 1000.0 : std::round(v);
    // The bounds are compared as the edit shows them, to the thousandth.
    const double lo = std::round(offsetMin() * 1000.0) / 1000.0;
    const double hi = std::round(offsetMax() * 1000.0) / 1000.0;
    return std::clamp(v, lo, hi);
}

double OptionsModel::setOffsetCorrection(double value) {
    m_offsetCorrection = clampOffset(value);
    m_settings.setOffset(m_offsetCorrection);
    return m_offsetCorrection;
}

double OptionsModel::editOffset(const std::string& text) {
    return setOffsetCorrection(parseEditDouble(text));
}

double OptionsModel::spinOffset(int request) {
    const double step = standard() ? kOffsetSpinStep : 1.0;
    double v = m_offsetCorrection;
    if (request < 0)
        v += step;
    else if (request > 0)
        v -= step;
    return setOffsetCorrection(v);
}

std::string OptionsModel::offsetText() const { return formatNumber("%.3f", m_offsetCorrection); }

int OptionsModel::bladePicture() const {
    if (m_toolIndex >= 0 && m_toolIndex < static_cast<int>(m_tools.size())) {
        const ToolRecord& t = m_tools[m_toolIndex];
        if (containsNoCase(t.idName, "pen") || containsNoCase(t.displayNameEnglish, "pen") ||
            containsNoCase(t.displayNameGerman, "stift"))
            return 0;
    }
    return static_cast<int>(m_offsetCorrection);
}

}  // namespace sartovin
