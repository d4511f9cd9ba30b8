#pragma once
// The plotter catalog: one row per device model ("Plotter.csv", "PlotterHP.csv" or "PlotterLC.csv"),
// each merged with that device's connection settings from its section of the settings file.

#include <string>
#include <vector>

#include "base/StartMode.h"
#include "catalog/PlotterRecord.h"

namespace sartovin {

class Interaction;
class Settings;
class Texts;

class PlotterCatalog {
public:
    /// Loads the catalog at `path` for the edition of `startMode` (laser editions, 20 and above,
    /// also read "MaxVectorLPI" and "DPI" and take the name as `deviceName`), merges "PortType",
    /// "Port" and "USBGCCName" of each device's settings section, and selects the device named by
    /// "Plotter" in "State" (first exact match, else the first entry). When the file cannot be
    /// opened, shows text 305 with an error icon, leaves the catalog empty and returns false.
    bool load(const std::string& path, StartMode startMode, const Settings& settings, Interaction& ui,
              const Texts& texts);

    /// The devices in catalog order. Only the connection fields change after loading.
    const std::vector<PlotterRecord>& plotters() const { return m_plotters; }
    std::vector<PlotterRecord>& plotters() { return m_plotters; }
    /// The names for the plotter list, in catalog order (duplicates included).
    std::vector<std::string> names() const;

    /// Index of the current device, -1 when the catalog is empty.
    int currentIndex() const { return m_current; }
    /// The current device, or nullptr when the catalog is empty.
    const PlotterRecord* current() const;
    PlotterRecord* current();
    /// Makes `index` the current device; false (nothing changes) when it is out of range.
    bool select(int index);
    /// Index of the first device named exactly `name`, or -1.
    int indexOf(const std::string& name) const;

private:
    std::vector<PlotterRecord> m_plotters;
    int m_current = -1;
};

}  // namespace sartovin
