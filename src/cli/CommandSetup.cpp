#include "cli/CommandSetup.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/Decimal.h"
#include "platform/Files.h"
#include "platform/SystemFolders.h"

namespace sartovin::cli {

bool takeCommonOptions(Args& args, CommonOptions& o, const char* command, bool withPlotter) {
    takeOption(args, "--program-path", o.programPath);
    if (withPlotter) takeOption(args, "--plotter", o.plotter);
    std::string text;
    if (!takeOption(args, "--start-mode", text)) return true;
    int mode = 0;
    if (!parseInt(text, mode) || !StartMode(mode).isKnown()) {
        std::fprintf(stderr, "sartovin %s: '%s' is not a start mode\n", command, text.c_str());
        return false;
    }
    o.startMode = mode;
    return true;
}

bool takeNumber(Args& args, const char* name, std::optional<int>& value, const char* command) {
    std::string text;
    if (!takeOption(args, name, text)) return true;
    int v = 0;
    if (!parseInt(text, v)) {
        std::fprintf(stderr, "sartovin %s: %s wants a whole number, not '%s'\n", command, name, text.c_str());
        return false;
    }
    value = v;
    return true;
}

bool takeDecimal(Args& args, const char* name, std::optional<double>& value, const char* command) {
    std::string text;
    if (!takeOption(args, name, text)) return true;
    double v = 0;
    std::size_t used = 0;
    if (!parseDecimal(text, v, &used) || used != text.size() || !std::isfinite(v)) {
        std::fprintf(stderr, "sartovin %s: %s wants a number, not '%s'\n", command, name, text.c_str());
        return false;
    }
    value = v;
    return true;
}

bool takeOutputOptions(Args& args, OutputOptions& o, const char* command) {
    std::string file;
    if (takeOption(args, "--output", file)) o.file = file;
    bool hasModel = takeOption(args, "--model", o.model);
    if (hasModel && !o.file) {
        std::fprintf(stderr, "sartovin %s: --model stands for the cutter's own answer and needs --output\n",
                     command);
        return false;
    }
    return true;
}

CommandSetup::~CommandSetup() {
    m_devices.reset();
    model.reset();
    if (!m_settingsCopy.empty()) removePrivateFile(m_settingsCopy);
}

int CommandSetup::setUp(const CommonOptions& o, SettingsUse settings) {
    std::string programPath = o.programPath;
    if (o.startMode)
        programPath = folderOf(programPath.empty() ? executablePath() : programPath) +
                      programNameForStartMode(*o.startMode);
    startupForCommand(app, programPath, ui);
    texts = std::make_unique<Texts>(app.dataFolder, app.languageId);

    std::string settingsPath = app.iniPath;
    if (settings == SettingsUse::PrivateCopy) {
        // Copies that crashed runs left go first; this run's own is held while it lives.
        removeAbandonedPrivateFiles(tempFolder(), "sartovin-settings");
        m_settingsCopy = writePrivateTempFile(tempFolder(), "sartovin-settings",
                                              readWholeFile(app.iniPath).value_or(std::string()));
        m_settingsCopyHeld = holdInUse(m_settingsCopy);
        if (m_settingsCopy.empty()) {
            std::fprintf(stderr, "sartovin %s: cannot make a private copy of %s\n", m_command,
                         app.iniPath.c_str());
            return 1;
        }
        settingsPath = m_settingsCopy;
    }
    model = std::make_unique<MainWindowModel>(app, ui, *texts, settingsPath);
    if (!model->loadPlotters()) {
        std::fprintf(stderr, "sartovin %s: cannot open the plotter catalog %s\n", m_command,
                     app.plotterCatalogPath.c_str());
        return 1;
    }
    if (model->plotters().plotters().empty() || !model->currentPlotter()) {
        std::fprintf(stderr, "sartovin %s: the plotter catalog %s lists no plotter\n", m_command,
                     app.plotterCatalogPath.c_str());
        return 1;
    }
    if (!o.plotter.empty()) {
        int index = model->plotters().indexOf(o.plotter);
        if (index < 0 && !o.startMode) {
            // A plotter that another edition drives picks that edition, as its program name would.
            if (std::optional<int> mode = editionDriving(
                    o.plotter, folderOf(o.programPath.empty() ? executablePath() : o.programPath))) {
                m_devices.reset();
                model.reset();
                if (!m_settingsCopy.empty()) removeFile(m_settingsCopy);
                m_settingsCopy.clear();
                CommonOptions other = o;
                other.startMode = *mode;
                return setUp(other, settings);
            }
        }
        if (index < 0) {
            std::fprintf(stderr, "sartovin %s: no plotter named '%s'; the catalog has:\n", m_command,
                         o.plotter.c_str());
            for (const auto& name : model->plotters().names()) std::fprintf(stderr, "  %s\n", name.c_str());
            return 2;
        }
        model->selectPlotter(index);
    }
    return 0;
}

std::optional<int> CommandSetup::editionDriving(const std::string& plotter, const std::string& folder) {
    // One program of each edition; the host does not matter for the catalog.
    for (int mode : {2, 11, 21}) {
        if (StartMode(mode).edition() == app.startMode.edition()) continue;
        CTarnelWinCApp other;
        startupForCommand(other, folder + programNameForStartMode(mode), ui);
        Texts otherTexts(other.dataFolder, other.languageId);
        MainWindowModel catalog(other, ui, otherTexts, other.iniPath);
        if (catalog.loadPlotters() && catalog.plotters().indexOf(plotter) >= 0) return mode;
    }
    return std::nullopt;
}

DeviceSession& CommandSetup::devices() {
    if (!m_devices) {
        m_system = std::make_unique<SystemDeviceServices>();
        m_devices =
            std::make_unique<DeviceSession>(app.startMode, *texts, ui, m_system->services(), app.iniPath);
        DeviceSessionHooks hooks;
        hooks.portDialog = [this](const PlotterPortList& list, const DeviceSessionHooks::StoreChoice& store) {
            if (int index = choosePort(ui, *texts, list); index >= 0) store(index);
        };
        m_devices->setHooks(std::move(hooks));
    }
    return *m_devices;
}

}  // namespace sartovin::cli
