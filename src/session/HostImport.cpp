#include "session/HostImport.h"

#include "base/Settings.h"
#include "job/HostHandOver.h"
#include "platform/RecentFiles.h"
#include "platform/SystemFolders.h"
#include "session/DrawingImport.h"
#include "session/MainWindowModel.h"

namespace sartovin {

namespace {
const char* kJobFileName = "qxjob.qxj";
}  // namespace

bool importFromHost(const CTarnelWinCApp& app, MainWindowModel& model, WindowList& windows,
                    ProcessList& processes, const Texts& texts, Interaction& ui,
                    const HostImportHooks& hooks) {
    Job& job = model.job();
    JobState& state = model.jobState();
    const StartMode mode = app.startMode;
    if (mode.isInkscape()) {
        InkscapeHandOver handOver(windows, processes, ui, texts, Settings(app.iniPath));
        handOver.m_tempFolder = tempFolder();
        handOver.m_inputFileName = app.inputFileName;
        handOver.m_selectedIds = app.selectedObjectIds;
        handOver.m_userDataFolder = userDataFolder();
        handOver.m_lastSavedSvg = [] { return findLastSavedSvg(); };
        svgConverterChoiceOf(Settings(app.iniPath).svgConverter(), handOver.m_converter);
        handOver.m_hintDialog = hooks.hintDialog;
        handOver.m_progress = hooks.showText;
        return handOver.importSvg(job, state);
    }
    if (!app.inputFileName.empty()) {
        // A drawing named on the command line is read as what it is.
        JobImportContext ctx{texts, ui};
        ctx.selectedIds = app.selectedObjectIds;
        DrawingImportOptions options;
        svgConverterChoiceOf(Settings(app.iniPath).svgConverter(), options.svgConverter);
        options.processes = &processes;
        options.tempFolder = tempFolder();
        DrawingImportResult imported;
        if (importDrawing(app.inputFileName, options, job, state, ctx, imported)) return true;
        if (ctx.failure == JobReadFailure::TooLarge)
            ui.messageBox(drawingTooLargeMessage(texts, app.inputFileName), kProgramCaption, MessageIcon::Error);
        else if (ctx.failure != JobReadFailure::NoSegments && !imported.why.empty())
            ui.messageBox(imported.why + ":\n" + app.inputFileName, kProgramCaption, MessageIcon::Error);
        return false;
    }
    const std::string jobPath = tempFolder() + "/" + kJobFileName;
    HostHandOver handOver(windows, processes, ui, texts, Settings(app.iniPath));
    // CorelDRAW runs under Wine here: the program that starts its export macro is the user's to
    // configure, and the Wine prefix maps the drive letters of its program path.
    handOver.m_corelMacroStarter = Settings(app.iniPath).corelMacroStarter();
    handOver.m_winePrefix = environmentValue("WINEPREFIX");
    if (handOver.m_winePrefix.empty() && !environmentValue("HOME").empty())
        handOver.m_winePrefix = environmentValue("HOME") + "/.wine";
    handOver.m_progressStep = hooks.showStep;
    if (mode.isCorel()) return handOver.corelHandOver(jobPath, job, state);
    return handOver.illustratorHandOver(jobPath, job, state);
}

}  // namespace sartovin
