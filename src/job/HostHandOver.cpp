#include "job/HostHandOver.h"

#include "job/JobFileReader.h"
#include "job/JobModel.h"
#include "platform/Files.h"
#include "platform/StringUtil.h"

namespace sartovin {

namespace {

const char* versionName(CorelVersion v) {
    switch (v) {
        case CorelVersion::X3:
            return "X3";
        case CorelVersion::X4:
            return "X4";
        case CorelVersion::X5:
            return "X5";
        default:
            return "";
    }
}

// The file part of a program path, whichever separator it uses.
std::string fileNameOf(const std::string& path) {
    std::size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

CorelVersion corelVersionOfTitle(const std::string& title) {
    if (title.find("CorelDRAW X5") != std::string::npos) return CorelVersion::X5;
    if (title.find("CorelDRAW X4") != std::string::npos) return CorelVersion::X4;
    if (title.find("CorelDRAW X3") != std::string::npos) return CorelVersion::X3;
    return CorelVersion::None;
}

std::string corelMacroPath(const std::string& programPath, const std::string& winePrefix) {
    const std::string lower = lowerAscii(programPath);
    std::size_t cut = lower.find("programs\\coreldrw.exe");
    const bool windowsPath = cut != std::string::npos;
    if (!windowsPath) cut = lower.find("programs/coreldrw.exe");
    const std::string folder = cut == std::string::npos ? std::string() : programPath.substr(0, cut);
    if (!windowsPath) return folder + "Draw/GMS/Sartovin.GMS";
    std::string path = folder + "Draw\\GMS\\Sartovin.GMS";
    // Wine keeps every drive letter as a link "dosdevices/c:" in its prefix.
    if (path.size() >= 3 && isAsciiLetter(path[0]) && path[1] == ':' && path[2] == '\\') {
        std::string prefix = winePrefix;
        if (!prefix.empty() && prefix.back() != '/') prefix += '/';
        std::string rest = path.substr(3);
        for (char& c : rest)
            if (c == '\\') c = '/';
        return prefix + "dosdevices/" + lowerAscii(path[0]) + ":/" + rest;
    }
    return path;
}

bool HostHandOver::corelHandOver(const std::string& jobPath, Job& job, JobState& state) {
    // Only a file written now may be read.
    removeFile(jobPath);

    CorelVersion version = CorelVersion::None;
    std::string lastTitle;
    int pid = 0;
    int counted = 0;
    for (const WindowInfo& w : m_windows.topLevelWindows()) {
        CorelVersion v = corelVersionOfTitle(w.title);
        if (v == CorelVersion::None || w.title == lastTitle) continue;
        lastTitle = w.title;
        version = v;
        pid = w.pid;
        if (++counted == 2) break;
    }
    if (counted != 1) {
        m_ui.messageBox(m_texts.text(counted == 0 ? TextId::NoCorelDraw : TextId::TwoCorelDraws),
                        kProgramCaption, MessageIcon::Error);
        return false;
    }

    // The program path: the executable, or for a Windows program run by Wine the path it was
    // started with.
    std::string program = m_processes.executableOf(pid);
    for (const std::string& arg : m_processes.commandLineOf(pid)) {
        if (containsNoCase(program, "coreldrw.exe")) break;
        if (containsNoCase(arg, "coreldrw.exe")) program = arg;
    }
    const std::string macro = corelMacroPath(program, m_winePrefix);
    if (!fileExists(macro)) {
        m_ui.messageBox(m_texts.format(TextId::CorelMacroMissing, {macro}), "", MessageIcon::Error);
        return false;
    }

    // Without a program to run the macro no job file can come: say what to set up instead of
    // ending without a word.
    if (m_corelMacroStarter.empty()) {
        m_ui.messageBox(m_texts.format(TextId::CorelMacroStarterMissing, {m_settings.iniPath()}),
                        kProgramCaption, MessageIcon::Exclamation);
        return false;
    }
    if (m_progressStep) m_progressStep(1);
    m_ui.pump();
    {
        int starter = m_processes.start(m_corelMacroStarter, {versionName(version), "Datentransfer"}, {}, "");
        // The maker's call blocks until the macro has run; the wait keeps the window alive.
        for (int i = 0; starter > 0 && i < 1200 && m_processes.isRunning(starter); ++i) {
            m_ui.pump();
            m_ui.pause(100);
        }
        if (starter > 0 && m_processes.isRunning(starter)) m_processes.stop(starter);
    }
    m_ui.pump();
    JobImportContext ctx{m_texts, m_ui};
    if (readCorelJob(jobPath, job, state, ctx)) return true;
    if (ctx.failure == JobReadFailure::TooLarge)
        m_ui.messageBox(drawingTooLargeMessage(m_texts, jobPath), kProgramCaption, MessageIcon::Error);
    return false;
}

bool HostHandOver::illustratorHandOver(const std::string& jobPath, Job& job, JobState& state) {
    bool found = false;
    for (const WindowInfo& w : m_windows.topLevelWindows()) {
        std::size_t slash = w.title.rfind('\\');
        if (w.title.find("Adobe Illustrator", slash == std::string::npos ? 0 : slash) != std::string::npos) {
            found = true;
            break;
        }
    }
    if (!found) {
        for (const ProcessInfo& p : m_processes.processes()) {
            // A Windows program run by Wine shows its own name in its command line only.
            std::vector<std::string> args = m_processes.commandLineOf(p.pid);
            if (p.name.find("Illustrator") != std::string::npos ||
                (!args.empty() && fileNameOf(args[0]).find("Illustrator") != std::string::npos)) {
                found = true;
                break;
            }
        }
    }
    if (!found || m_settings.aiVersion().empty()) {
        m_ui.messageBox(m_texts.text(TextId::NoIllustrator), kProgramCaption, MessageIcon::Error);
        return false;
    }
    m_ui.pump();
    m_ui.pause(100);
    if (m_progressStep) m_progressStep(1);
    m_ui.pump();
    JobImportContext ctx{m_texts, m_ui};
    if (readIllustratorJob(jobPath, job, state, ctx)) return true;
    if (ctx.failure == JobReadFailure::TooLarge)
        m_ui.messageBox(drawingTooLargeMessage(m_texts, jobPath), kProgramCaption, MessageIcon::Error);
    return false;
}

}  // namespace sartovin
