#include "pages/EngraverSettingsModel.h"

#include <algorithm>
#include <iterator>

#include "platform/Profile.h"

namespace sartovin {

namespace {

constexpr int kDefaultResolution = 500;

}  // namespace

EngraverSettingsModel::EngraverSettingsModel(std::string path, const PlotterRecord* plotter)
    : m_path(std::move(path)) {
    LaserDefinition read;
    if (checkLaserDriver(m_path, read) == LaserDriverStatus::Ok) m_definition = read;
    if (snapLaserResolution(m_definition.resolution) == 0) {
        const int proposed = plotter ? snapLaserResolution(parseProfileInt(plotter->dpi)) : 0;
        m_definition.resolution = proposed > 0 ? proposed : kDefaultResolution;
    }
    setResolution(m_definition.resolution);
    if (m_definition.pageWidth <= 0) m_definition.pageWidth = plotter ? plotter->maxCutWidth : 0;
    if (m_definition.pageHeight <= 0) m_definition.pageHeight = plotter ? plotter->maxCutHeight : 0;
    setPageWidth(m_definition.pageWidth);
    setPageHeight(m_definition.pageHeight);
}

std::vector<int> EngraverSettingsModel::resolutions() {
    return {std::begin(kLaserResolutions), std::end(kLaserResolutions)};
}

void EngraverSettingsModel::setResolution(int dpi) {
    const int snapped = snapLaserResolution(dpi);
    m_definition.resolution = snapped > 0 ? snapped : kLaserResolutions[std::size(kLaserResolutions) - 1];
}

int EngraverSettingsModel::setPageWidth(int mm) {
    return m_definition.pageWidth = std::clamp(mm, kMinPage, kMaxPage);
}

int EngraverSettingsModel::setPageHeight(int mm) {
    return m_definition.pageHeight = std::clamp(mm, kMinPage, kMaxPage);
}

bool EngraverSettingsModel::save() const { return writeLaserDefinition(m_path, m_definition); }

bool EngraverSettingsModel::store(const Texts& texts, Interaction& ui) const {
    if (save()) return true;
    ui.messageBox(texts.format(TextId::SettingsNotSaved, {m_path}), kProgramCaption, MessageIcon::Error);
    return false;
}

}  // namespace sartovin
