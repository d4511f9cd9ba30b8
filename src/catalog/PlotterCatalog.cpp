#include "catalog/PlotterCatalog.h"

#include "base/Settings.h"
#include "base/StartMode.h"
#include "base/Texts.h"
#include "catalog/COXCsvFile.h"
#include "platform/Interaction.h"

namespace sartovin {

namespace {

// The column of each record field, looked up once after the header (-1: the catalog lacks it, the
// field keeps its initial value).
struct Columns {
    explicit Columns(COXCsvFile& csv, bool laser)
        : name(csv.columnIndex("Name")),
          maxCutWidth(csv.columnIndex("MaxCutWidth")),
          minCutWidth(csv.columnIndex("MinCutWidth")),
          maxCutHeight(csv.columnIndex("MaxCutHeight")),
          minCutHeight(csv.columnIndex("MinCutHeigth")),  // the catalogs spell it so
          maxMediaWidth(csv.columnIndex("MaxMediaWidth")),
          minMediaWidth(csv.columnIndex("MinMediaWidth")),
          maxMediaHeight(csv.columnIndex("MaxMediaHeight")),
          minMediaHeight(csv.columnIndex("MinMediaHeight")),
          minMediaMargin(csv.columnIndex("MinMediaMargin")),
          maxCutSpeed(csv.columnIndex("MaxCutSpeed")),
          minCutSpeed(csv.columnIndex("MinCutSpeed")),
          maxCutForce(csv.columnIndex("MaxCutForce")),
          minCutForce(csv.columnIndex("MinCutForce")),
          qualityDraft(csv.columnIndex("QualityDraft")),
          qualityFair(csv.columnIndex("QualityFair")),
          qualityNormal(csv.columnIndex("QualityNormal")),
          qualityFine(csv.columnIndex("QualityFine")),
          qualitySmallLetter(csv.columnIndex("QualitySmallLetter")),
          maxVectorLpi(laser ? csv.columnIndex("MaxVectorLPI") : -1),
          dpi(laser ? csv.columnIndex("DPI") : -1) {}
    int name, maxCutWidth, minCutWidth, maxCutHeight, minCutHeight, maxMediaWidth, minMediaWidth,
        maxMediaHeight, minMediaHeight, minMediaMargin, maxCutSpeed, minCutSpeed, maxCutForce, minCutForce,
        qualityDraft, qualityFair, qualityNormal, qualityFine, qualitySmallLetter, maxVectorLpi, dpi;
};

void readField(COXCsvFile& csv, int index, std::int16_t& field) {
    if (index >= 0) csv.readShort(index, field);
}
void readField(COXCsvFile& csv, int index, std::int32_t& field) {
    if (index >= 0) csv.readInt(index, field);
}
void readField(COXCsvFile& csv, int index, double& field) {
    if (index >= 0) csv.readDouble(index, field);
}
void readField(COXCsvFile& csv, int index, std::string& field) {
    if (index >= 0) csv.readText(index, field);
}

}  // namespace

bool PlotterCatalog::load(const std::string& path, StartMode startMode, const Settings& settings,
                          Interaction& ui, const Texts& texts) {
    m_plotters.clear();
    m_current = -1;
    COXCsvFile csv;
    if (!csv.open(path)) {
        ui.messageBox(texts.text(TextId::CannotOpenConfig), kProgramCaption, MessageIcon::Error);
        return false;
    }
    const bool laser = startMode.isLaser();
    csv.setSeparator(';');
    csv.readHeader(laser ? 21 : 19);
    const Columns c(csv, laser);
    while (csv.readLine() && !csv.lastLineEmpty()) {
        PlotterRecord& p = m_plotters.emplace_back();
        readField(csv, c.name, p.name);
        readField(csv, c.maxCutWidth, p.maxCutWidth);
        readField(csv, c.minCutWidth, p.minCutWidth);
        readField(csv, c.maxCutHeight, p.maxCutHeight);
        readField(csv, c.minCutHeight, p.minCutHeight);
        readField(csv, c.maxMediaWidth, p.maxMediaWidth);
        readField(csv, c.minMediaWidth, p.minMediaWidth);
        readField(csv, c.maxMediaHeight, p.maxMediaHeight);
        readField(csv, c.minMediaHeight, p.minMediaHeight);
        readField(csv, c.minMediaMargin, p.minMediaMargin);
        readField(csv, c.maxCutSpeed, p.maxCutSpeed);
        readField(csv, c.minCutSpeed, p.minCutSpeed);
        readField(csv, c.maxCutForce, p.maxCutForce);
        readField(csv, c.minCutForce, p.minCutForce);
        readField(csv, c.qualityDraft, p.qualityDraft);
        readField(csv, c.qualityFair, p.qualityFair);
        readField(csv, c.qualityNormal, p.qualityNormal);
        readField(csv, c.qualityFine, p.qualityFine);
        readField(csv, c.qualitySmallLetter, p.qualitySmallLetter);
        readField(csv, c.maxVectorLpi, p.maxVectorLpi);
        readField(csv, c.dpi, p.dpi);

        // The device's connection, from its settings section (named verbatim after the device).
        int portType = settings.portType(p.name);
        if (portType == kPortUsbDevice) {
            p.portType = kPortUsbDevice;
            std::string usbName = settings.usbGccName(p.name);
            if (!usbName.empty()) p.usbGccName = usbName;
        } else if (portType > 0) {
            p.portType = portType;
            std::string port = settings.port(p.name);
            if (!port.empty()) p.port = port;
        }
        if (laser) p.deviceName = p.name;
    }

    // A file that names no plotter at all (random bytes, another table, a header without rows)
    // would give a plotter without a name or limits that cuts nothing: refuse it and name it.
    bool usable = false;
    for (const PlotterRecord& p : m_plotters) usable = usable || !p.name.empty();
    if (!usable) {
        m_plotters.clear();
        ui.messageBox(texts.format(TextId::CatalogUnusable, {path}), kProgramCaption, MessageIcon::Error);
        return false;
    }

    if (!m_plotters.empty()) {
        int stored = indexOf(settings.plotter());
        m_current = stored >= 0 ? stored : 0;
    }
    return true;
}

std::vector<std::string> PlotterCatalog::names() const {
    std::vector<std::string> out;
    out.reserve(m_plotters.size());
    for (const auto& p : m_plotters) out.push_back(p.name);
    return out;
}

const PlotterRecord* PlotterCatalog::current() const {
    return m_current >= 0 ? &m_plotters[static_cast<std::size_t>(m_current)] : nullptr;
}

PlotterRecord* PlotterCatalog::current() {
    return m_current >= 0 ? &m_plotters[static_cast<std::size_t>(m_current)] : nullptr;
}

bool PlotterCatalog::select(int index) {
    if (index < 0 || index >= static_cast<int>(m_plotters.size())) return false;
    m_current = index;
    return true;
}

int PlotterCatalog::indexOf(const std::string& name) const {
    if (name.empty()) return -1;
    for (std::size_t i = 0; i < m_plotters.size(); ++i)
        if (m_plotters[i].name == name) return static_cast<int>(i);
    return -1;
}

}  // namespace sartovin
