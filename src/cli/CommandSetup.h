#pragma once
// The one set-up of the commands that work on a plotter (plot, preview, ports, query, testcut),
// and the option parsing all commands share, so a bad option reads the same in every command:
// start-up as the program named by the start mode, the texts, the main window's model on the
// user's settings file or a private copy of it, the plotter catalog and the chosen plotter, and
// the device session on this computer's devices with the port configuration on the terminal.

#include <memory>
#include <optional>
#include <string>

#include "base/CTarnelWinCApp.h"
#include "base/StartMode.h"
#include "base/Texts.h"
#include "cli/Cli.h"
#include "platform/ConsoleInteraction.h"
#include "platform/UniqueFd.h"
#include "session/DeviceSession.h"
#include "session/MainWindowModel.h"
#include "session/SystemDeviceServices.h"

namespace sartovin::cli {

/// The options of every command that starts up as the program would.
struct CommonOptions {
    std::string programPath;             ///< --program-path: start up as if started from there
    std::optional<StartMode> startMode;  ///< --start-mode: none, the program name decides
    std::string plotter;                 ///< --plotter: a catalog name; empty, the stored plotter
};

/// Takes --program-path and --start-mode, and --plotter when `withPlotter`. False, with
/// "sartovin COMMAND: 'TEXT' is not a start mode" on stderr, for a start mode that is none.
bool takeCommonOptions(Args& args, CommonOptions& options, const char* command, bool withPlotter = true);
/// Takes "--name N": false, with "sartovin COMMAND: --name wants a whole number, not 'TEXT'", for
/// anything but a whole number.
bool takeNumber(Args& args, const char* name, std::optional<int>& value, const char* command);
/// Takes "--name X": false, with "sartovin COMMAND: --name wants a number, not 'TEXT'", for
/// anything but a finite decimal number (with a point).
bool takeDecimal(Args& args, const char* name, std::optional<double>& value, const char* command);

/// Where the device bytes of plot and testcut go instead of the cutter.
struct OutputOptions {
    std::optional<std::string> file;  ///< --output FILE: written there; no cutter is asked
    std::string model;                ///< --model DESCRIPTION: stands for the cutter's answer
};

/// Takes --output and --model. False, with "sartovin COMMAND: --model stands for the cutter's own
/// answer and needs --output", for --model without --output: a connected cutter answers itself.
bool takeOutputOptions(Args& args, OutputOptions& options, const char* command);

/// Which settings file the model works on.
enum class SettingsUse {
    UserFile,     ///< the user's own: what the command changes stays
    PrivateCopy,  ///< a private copy, removed afterwards: the run changes nothing the user keeps
};

class CommandSetup {
public:
    explicit CommandSetup(const char* command) : m_command(command) {}
    ~CommandSetup();
    CommandSetup(const CommandSetup&) = delete;
    CommandSetup& operator=(const CommandSetup&) = delete;

    /// Start-up, texts, the model and the plotter. 0 when the plotter is selected, else the exit
    /// status (1 the files, 2 the options) after saying why on stderr.
    int setUp(const CommonOptions& options, SettingsUse settings);

    /// The device session on this computer's devices, made on first use; port choices go to the
    /// user's settings file, the port configuration asks on the terminal.
    DeviceSession& devices();

    const char* command() const { return m_command; }
    PlotterRecord& plotter() { return *model->plotters().current(); }

    ConsoleInteraction ui;
    CTarnelWinCApp app;
    std::unique_ptr<Texts> texts;
    std::unique_ptr<MainWindowModel> model;

private:
    /// The start mode (2, 11 or 21) of another edition whose catalog lists `plotter`, looking for
    /// its programs in `folder`; none when no other edition drives it.
    std::optional<int> editionDriving(const std::string& plotter, const std::string& folder);

    const char* m_command;
    std::string m_settingsCopy;
    UniqueFd m_settingsCopyHeld;  // keeps other runs from taking the copy for an abandoned one
    std::unique_ptr<SystemDeviceServices> m_system;
    std::unique_ptr<DeviceSession> m_devices;
};

}  // namespace sartovin::cli
