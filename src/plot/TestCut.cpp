#include "plot/TestCut.h"

#include "platform/Profile.h"
#include "plot/DeviceUnits.h"
#include "plot/HpglWriter.h"

namespace sartovin {

namespace {

constexpr char kEsc = 27;
constexpr char kEtx = 3;
constexpr const char* kSection = "Sartovin";
// "TestCutData" holds at most 4000 characters.
constexpr std::size_t kPatternBuffer = 4001;

// The pattern file's sizes may be anything: the moves are worked out in 64 bits and clamped to
// the device range, never wrapped.
void appendRelativeMove(std::string& out, long long dx, long long dy) {
    out += "PU;PR";
    appendPair(out, clampToDevice(static_cast<double>(dx)), clampToDevice(static_cast<double>(dy)));
    out += ';';
}

}  // namespace

TestCut::TestCut(std::string patternFile, Interaction& interaction, const Texts& texts, DirectSend send,
                 FindVirtualDisplay findVirtualDisplay, EnableControl enableControl)
    : m_patternFile(std::move(patternFile)),
      m_interaction(interaction),
      m_texts(texts),
      m_send(std::move(send)),
      m_findVirtualDisplay(std::move(findVirtualDisplay)),
      m_enableControl(std::move(enableControl)) {}

bool TestCut::testCut(const PlotParameters& params) {
    if (m_findVirtualDisplay && m_findVirtualDisplay()) {
        // The virtual display holds the cutter's port.
        m_interaction.messageBox(m_texts.text(TextId::StopVlcdFirst), kProgramCaption,
                                 MessageIcon::Exclamation, MessageButtons::Ok);
        return false;
    }
    if (m_enableControl) m_enableControl(false);
    bool sent = false;
    if (params.startMode.isStandard())
        sent = standardTestCut(params);
    else if (!params.startMode.isLaser())
        sent = hobbyTestCut(params);
    m_interaction.pump();
    if (m_enableControl) m_enableControl(true);
    return sent;
}

bool TestCut::standardTestCut(const PlotParameters& p) {
    if (m_count == 0) {
        m_xSize = GetPrivateProfileInt(kSection, "XSize", 0, m_patternFile);
        m_ySize = GetPrivateProfileInt(kSection, "YSize", 0, m_patternFile);
        m_xDistance = GetPrivateProfileInt(kSection, "XDistance", 0, m_patternFile);
        m_yMovement = GetPrivateProfileInt(kSection, "YMovement", 0, m_patternFile);
    }
    std::string text;
    // Back along the feed to the row of test cuts.
    if (m_count > 0) appendRelativeMove(text, -static_cast<long long>(m_yMovement), 0);

    if (p.usePlotterSettings) {
        text += "IN;SP1;PR;";
    } else {
        if (takesInternalSettings(p.modelDescription)) {
            // Internal settings first: 16 the offset list index, 18 the quality, 22 the force;
            // ESC.C1;0;: closes the block.
            const int index = offsetListIndex(p.offsetList, p.toolOffset);
            std::string block;
            const std::pair<int, int> settings[] = {
                {16, index >= 0 ? index : 0}, {18, p.qualityIndex}, {22, p.force}};
            for (const auto& [setting, value] : settings) {
                block += kEsc;
                block += ".C1;";
                appendInt(block, setting);
                block += ';';
                appendInt(block, value);
                block += ':';
            }
            block += kEsc;
            block += ".C1;0;:";
            if (!m_send(block)) return false;
        }
        text += "IN;VS";
        appendInt(text, p.speed);
        text += ";FS";
        appendInt(text, p.force);
        text += ";AS";
        appendFixed(text, p.lineAcceleration, 1);
        text += ";TO";
        appendFixed(text, p.toolOffset + p.offsetCorrection, 2);
        text += ";SP1;PR;";
    }

    const std::string pattern =
        GetPrivateProfileString(kSection, "TestCutData", "", m_patternFile, kPatternBuffer);
    if (pattern.empty()) return false;
    for (int i = 0; i < p.repeatCount; ++i) text += pattern;
    appendRelativeMove(text, m_yMovement, m_xDistance);
    // Counted only when the cutter got it: the return move of the mode switch relies on the count.
    if (!m_send(text)) return false;
    ++m_count;
    return true;
}

bool TestCut::hobbyTestCut(const PlotParameters& p) {
    if (m_interaction.messageBox(kHobbyTestCutQuestion, kProgramCaption, MessageIcon::Question,
                                 MessageButtons::OkCancel, MessageAnswer::Ok) != MessageAnswer::Ok)
        return false;
    std::string text;
    // GP-GL, 20 units per mm: "!" speed as 100 + cm/s, "FX" force, "FC" blade offset.
    text += '!';
    appendInt(text, p.speed + 100);
    text += "FX";
    appendInt(text, p.force);
    text += ",0,FC";
    appendInt(text, truncUnits(p.toolOffset));
    text += ',';
    appendInt(text, p.force);
    text += ",&100,100,100,\\0,0,L0,";
    // From 1.5 mm inside the corner a triangle of 7 mm base and 7 mm height ...
    text += "O30,30,E140,0,";
    text += kEtx;
    text += "E-70,140,";
    text += kEtx;
    text += "E-70,-140,";
    text += kEtx;
    // ... then back to the corner and a 10 mm square around it.
    text += "O-30,-30,E200,0,";
    text += kEtx;
    text += "E0,200,";
    text += kEtx;
    text += "E-200,0,";
    text += kEtx;
    text += "E0,-200,";
    text += kEtx;
    text += "H,";
    return m_send(text);
}

bool TestCut::setTestCutMode(bool on) {
    if (on) {
        m_modeOn = true;
        m_count = 0;
        return true;
    }
    bool ok = true;
    // Only test cuts moved the head; without one there is nothing to return from.
    if (m_count > 0) {
        std::string text;
        const long long yMovement = m_yMovement, xSize = m_xSize;
        appendRelativeMove(text, -((yMovement - m_ySize) - m_xDistance), -((xSize + m_xDistance) * m_count));
        ok = m_send(text);
        m_interaction.pump();
    }
    m_modeOn = false;
    return ok;
}

}  // namespace sartovin
