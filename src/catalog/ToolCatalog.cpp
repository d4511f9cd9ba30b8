#include "catalog/ToolCatalog.h"

#include "base/Texts.h"
#include "catalog/COXCsvFile.h"
#include "platform/Interaction.h"

namespace sartovin {

namespace {}

bool ToolCatalog::load(const std::string& path, Interaction& ui, const Texts& texts) {
    m_tools.clear();
    m_current = -1;
    COXCsvFile csv;
    if (!csv.open(path)) {
        // This message has always carried the dialog's default (empty) caption.
        ui.messageBox(texts.text(TextId::CannotReadTools), "", MessageIcon::Error);
        return false;
    }
    csv.setSeparator(';');
    csv.readHeader(4);
    const int idName = csv.columnIndex("IDName");
    const int german = csv.columnIndex("DisplayNameGerman");
    const int english = csv.columnIndex("DisplayNameEnglish");
    const int offset = csv.columnIndex("Offset");
    while (csv.readLine() && !csv.lastLineEmpty()) {
        ToolRecord& tool = m_tools.emplace_back();
        if (idName >= 0) csv.readText(idName, tool.idName);
        if (german >= 0) csv.readText(german, tool.displayNameGerman);
        if (english >= 0) csv.readText(english, tool.displayNameEnglish);
        if (offset >= 0) csv.readDouble(offset, tool.offset);
    }
    if (!m_tools.empty()) m_current = 0;
    return true;
}

const std::string& ToolCatalog::displayName(const ToolRecord& tool, int languageId) {
    return languageId == 1000 ? tool.displayNameGerman : tool.displayNameEnglish;
}

std::vector<std::string> ToolCatalog::displayNames(int languageId) const {
    std::vector<std::string> out;
    out.reserve(m_tools.size());
    for (const auto& tool : m_tools) out.push_back(displayName(tool, languageId));
    return out;
}

int ToolCatalog::indexOf(const std::string& idName) const {
    for (std::size_t i = 0; i < m_tools.size(); ++i)
        if (m_tools[i].idName == idName) return static_cast<int>(i);
    return -1;
}

const ToolRecord* ToolCatalog::current() const {
    return m_current >= 0 ? &m_tools[static_cast<std::size_t>(m_current)] : nullptr;
}

bool ToolCatalog::select(int index) {
    if (index < 0 || index >= static_cast<int>(m_tools.size())) return false;
    m_current = index;
    return true;
}

}  // namespace sartovin
