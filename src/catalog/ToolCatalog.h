#pragma once
// The tools catalog ("Tools.csv", "ToolsHP.csv"): blade holders and pens with their blade offsets.
// Media name their tool by its "IDName".

#include <string>
#include <vector>

#include "catalog/ToolRecord.h"

namespace sartovin {

class Interaction;
class Texts;

class ToolCatalog {
public:
    /// Loads the tools at `path` in file order and selects the first. When the file cannot be
    /// opened, shows text 312 with an error icon and an empty caption (the dialog default), leaves
    /// the list empty and returns false; the options page still works without tools.
    bool load(const std::string& path, Interaction& ui, const Texts& texts);

    const std::vector<ToolRecord>& tools() const { return m_tools; }
    /// The names the tool list shows: German for language 1000, English for every other language.
    std::vector<std::string> displayNames(int languageId) const;
    /// The name one tool shows in `languageId`.
    static const std::string& displayName(const ToolRecord& tool, int languageId);
    /// Index of the first tool whose "IDName" equals `idName`, or -1.
    int indexOf(const std::string& idName) const;

    int currentIndex() const { return m_current; }
    /// The selected tool, or nullptr when the list is empty.
    const ToolRecord* current() const;
    /// Selects a tool; false (nothing changes) when `index` is out of range.
    bool select(int index);

private:
    std::vector<ToolRecord> m_tools;
    int m_current = -1;
};

}  // namespace sartovin
