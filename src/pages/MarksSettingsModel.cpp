#include "pages/MarksSettingsModel.h"

#include "base/Settings.h"
#include "base/Texts.h"
#include "layout/RegistrationMarks.h"
#include "platform/Interaction.h"

namespace sartovin {

namespace {}  // namespace

MarksSettingsModel::MarksSettingsModel(const Settings& settings, const Texts& texts, Interaction& interaction,
                                       std::vector<std::string> sheetFormats)
    : m_settings(settings), m_texts(texts), m_interaction(interaction), m_formats(std::move(sheetFormats)) {}

void MarksSettingsModel::open() {
    m_length = m_settings.marksLength();
    m_thickness = m_settings.marksThickness();
    m_margin = m_settings.marksMargin();
    m_xStep = m_settings.xStep();
    m_yStep = m_settings.yStep();
    m_useHorSegmentMarks = m_settings.useHorSegmentMarks() != 0;
    m_useVertSegmentMarks = m_settings.useVertSegmentMarks() != 0;
    m_cameo = m_settings.isCameo() != 0;
    m_formatIndex = RegistrationMarks::sheetFormatIndex(m_formats, m_settings.marksFormat());
}

std::string MarksSettingsModel::title() const { return m_texts.text(TextId::MarksSettingsTitle); }

void MarksSettingsModel::setFormatIndex(int index) {
    if (index >= 0 && index < static_cast<int>(m_formats.size())) m_formatIndex = index;
}

bool MarksSettingsModel::check(int value, int lo, int hi, TextId textId) {
    if (value >= lo && value <= hi) return true;
    m_interaction.messageBox(m_texts.text(textId), kProgramCaption, MessageIcon::Exclamation);
    return false;
}

std::vector<ProfileEntry> MarksSettingsModel::clearedRequests() {
    // A stale 1 from an earlier run would make the waiting plug-in act on the wrong request.
    return {{Settings::kMarks, "SetMarks", "0"}, {Settings::kMarks, "DeleteMarks", "0"}};
}

MarksSettingsModel::Outcome MarksSettingsModel::placeMarks() {
    if (!check(m_length, 10, 50, TextId::MarksLengthRange)) return Outcome::StayOpen;
    if (!check(m_thickness, 1, 2, TextId::MarksThicknessRange)) return Outcome::StayOpen;
    if (!check(m_margin, 1, 50, TextId::MarksMarginRange)) return Outcome::StayOpen;
    if (m_useHorSegmentMarks && !check(m_xStep, 200, 600, TextId::MarksSegmentRange))
        return Outcome::StayOpen;
    if (m_useVertSegmentMarks && !check(m_yStep, 200, 600, TextId::MarksSegmentRange))
        return Outcome::StayOpen;

    // One rewrite: the plug-in sees all values with the request, or (when the write fails) none.
    std::vector<ProfileEntry> writes = clearedRequests();
    auto value = [&](const char* key, int v) { writes.push_back({Settings::kMarks, key, std::to_string(v)}); };
    value("Length", m_length);
    value("Thickness", m_thickness);
    value("Margin", m_margin);
    if (m_formatIndex >= 0 && m_formatIndex < static_cast<int>(m_formats.size()))
        writes.push_back({Settings::kMarks, "Format", m_formats[m_formatIndex]});
    value("UseHorSegmentMarks", m_useHorSegmentMarks ? 1 : 0);
    value("UseVertSegmentMarks", m_useVertSegmentMarks ? 1 : 0);
    value("XStep", m_xStep);
    value("YStep", m_yStep);
    value("IsCameo", m_cameo ? 1 : 0);
    // The request goes last.
    value("SetMarks", 1);
    m_settings.writeStrings(writes);
    return Outcome::EndProgram;
}

MarksSettingsModel::Outcome MarksSettingsModel::removeMarks() {
    std::vector<ProfileEntry> writes = clearedRequests();
    writes.push_back({Settings::kMarks, "DeleteMarks", "1"});
    m_settings.writeStrings(writes);
    return Outcome::EndProgram;
}

}  // namespace sartovin
