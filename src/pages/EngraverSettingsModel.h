#pragma once
// The model of the engraver settings dialog: the values of the engraver's definition file
// "C18.def" (resolution and page size), read from the file when it exists, else proposed from the
// plotter record, and written back on OK.

#include <string>
#include <vector>

#include "base/Texts.h"
#include "catalog/PlotterRecord.h"
#include "platform/Interaction.h"
#include "plot/LaserDriver.h"

namespace sartovin {

class EngraverSettingsModel {
public:
    /// Page sizes the dialog accepts, mm.
    static constexpr int kMinPage = 10;
    static constexpr int kMaxPage = 3000;

    /// Reads `path` when it can be read; otherwise proposes the plotter's resolution ("DPI",
    /// snapped to the list, 500 when it gives none) and its largest cutting width and length.
    EngraverSettingsModel(std::string path, const PlotterRecord* plotter);

    /// The resolutions offered, highest first.
    static std::vector<int> resolutions();

    int resolution() const { return m_definition.resolution; }
    /// Takes the list value at or below `dpi` (the lowest for anything smaller).
    void setResolution(int dpi);
    int pageWidth() const { return m_definition.pageWidth; }
    int pageHeight() const { return m_definition.pageHeight; }
    /// Page sizes are kept within kMinPage..kMaxPage; the value kept is returned.
    int setPageWidth(int mm);
    int setPageHeight(int mm);

    const std::string& path() const { return m_path; }
    /// Writes the definition file. False when it cannot be written (the old file stays whole).
    bool save() const;
    /// Saves; when the file cannot be written, says so naming it (text 450). False then.
    bool store(const Texts& texts, Interaction& ui) const;

private:
    std::string m_path;
    LaserDefinition m_definition;
};

}  // namespace sartovin
