#include "aiplugin/CommandRunner.h"

#include <cstdio>

#include "aiplugin/DocumentMarks.h"
#include "aiplugin/ErrorReport.h"
#include "aiplugin/HostStrings.h"
#include "aiplugin/JobExport.h"
#include "base/TextIds.h"

namespace sartovin {

namespace {

bool isHobby(PluginCommand c) { return c == PluginCommand::HobbyPlotCut || c == PluginCommand::HobbyMarks; }
bool isMarks(PluginCommand c) { return c == PluginCommand::Marks || c == PluginCommand::HobbyMarks; }

}  // namespace

const char* programFileOf(PluginCommand command) {
    switch (command) {
        case PluginCommand::PlotCut:
            return "SartovinAI.exe";
        case PluginCommand::Marks:
            return "QXPassermarkenAI.exe";
        case PluginCommand::Laser:
            return "SartovinLCAI.exe";
        case PluginCommand::HobbyPlotCut:
            return "SartovinAIHP.exe";
        case PluginCommand::HobbyMarks:
            return "QXPassermarkenAIHP.exe";
        default:
            return "";
    }
}

std::string CommandRunner::programPath(PluginCommand command) {
    const std::string folder = m_environment.programFolder(isHobby(command));
    return folder.empty() ? std::string() : folder + programFileOf(command);
}

void CommandRunner::breathe(int passes) {
    for (int i = 0; i < passes; ++i) {
        m_system.dispatchMessages();
        m_system.sleep(100);
    }
}

SPErr CommandRunner::run(AIMenuItemHandle item) {
    std::int32_t major = 0, minor = 0;
    SPErr err = m_suites.runtime->GetAppMajorVersion(&major);
    if (err == kSPNoError) err = m_suites.runtime->GetAppMinorVersion(&minor);
    if (err != kSPNoError) return err;

    unsigned char text[256] = {};
    if ((err = m_suites.menu->GetItemText(item, text)) != kSPNoError) return err;
    const PluginCommand command = PluginMenus::identify(m_suites, m_self, fromLengthPrefixed(text));
    if (command == PluginCommand::None) return kSPNoError;

    const std::string folder = m_environment.programFolder(isHobby(command));
    const std::string settings = m_environment.settingsFile(isHobby(command));
    char version[32];
    std::snprintf(version, sizeof version, "%d.%d", static_cast<int>(major), static_cast<int>(minor));
    // The cutting program checks the host's version before it reads the job.
    if (!settings.empty()) m_system.writeProfileString("State", "AIVersion", version, settings);

    breathe(10);
    const std::string program = folder.empty() ? std::string() : folder + programFileOf(command);
    if (program.empty() || !m_system.fileExists(program)) return kSPNoError;

    if (!isMarks(command)) {
        JobExport exporter(m_suites, m_system);
        switch (exporter.writeJobFile()) {
            case JobExport::Outcome::Written:
                break;
            case JobExport::Outcome::NoLayers:
                return kSPNoError;
            case JobExport::Outcome::HostError:
                return exporter.error();
            case JobExport::Outcome::FileFailed:
                // Started now, the program would cut an old job or none.
                return kJobFileError;
        }
    } else if (!settings.empty()) {
        // Only the window about to open may answer: a request left from an earlier run (or a run
        // cancelled with "Abbrechen", which writes nothing) must not act on the document.
        m_system.writeProfileString(kMarksSection, kMarksKeySet, "0", settings);
        m_system.writeProfileString(kMarksSection, kMarksKeyDelete, "0", settings);
    }

    if (!m_system.startProgram(program)) return kSPNoError;
    if (isMarks(command)) return handOver(command, folder, program, settings);
    return kSPNoError;
}

SPErr CommandRunner::handOver(PluginCommand command, const std::string& folder, const std::string& program,
                              const std::string& settings) {
    if (settings.empty()) return kSPNoError;
    breathe(30);
    // The window's title is in the language the program runs in: the "Language" it writes at every
    // start, which may differ from the menu's language when the user never chose one.
    const int menuOffset =
        m_globals ? (isHobby(command) ? m_globals->hobbyOffset : m_globals->standardOffset) : 0;
    const int language =
        m_system.profileInt("State", "Language", languageNumberOfOffset(menuOffset), settings);
    const std::string title =
        m_environment.programText(folder, static_cast<int>(TextId::MarksSettingsTitle), language);
    while (m_system.windowOpen(title, program)) {
        m_system.dispatchMessages();
        m_system.sleep(100);
    }

    DocumentMarks marks(m_suites, m_system);
    for (int pass = 0; pass < 50; ++pass) {
        if (m_system.profileInt(kMarksSection, kMarksKeyDelete, 0, settings) == 1) {
            bool deleted = false;
            return marks.deleteMarksLayer(deleted);
        }
        if (m_system.profileInt(kMarksSection, kMarksKeySet, 0, settings) == 1) {
            breathe(10);
            const MarkSettings values = readMarkSettings(
                [&](const char* key, int def) {
                    return m_system.profileInt(kMarksSection, key, def, settings);
                },
                [&](const char* key, const char* def) {
                    return m_system.profileString(kMarksSection, key, def, settings);
                });
            const std::string tooLarge = m_environment.programText(
                folder, static_cast<int>(TextId::DrawingTooLargeForMarks), language);
            bool drawn = false;
            return marks.draw(
                command == PluginCommand::HobbyMarks ? MarksVariant::Hobby : MarksVariant::Standard, values,
                tooLarge, drawn);
        }
        m_system.dispatchMessages();
        m_system.sleep(100);
    }
    return kSPNoError;
}

}  // namespace sartovin
