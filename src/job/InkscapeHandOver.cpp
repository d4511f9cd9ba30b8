#include "job/InkscapeHandOver.h"

#include <cctype>

#include "job/InkscapeAdapter.h"
#include "job/JobModel.h"
#include "job/SvgConverter.h"
#include "job/SvgReader.h"
#include "platform/Files.h"
#include "platform/PrivateFolder.h"
#include "platform/SystemFolders.h"
#include "platform/SystemProcessList.h"

namespace sartovin {

namespace {

constexpr const char* kWindowTitleMark = " - Inkscape";

bool looksLikeSvg(const std::string& path) { return path.find(".svg") != std::string::npos; }

// Reads the converted copy and deletes it.
bool readAndDeleteCopy(const std::string& copy, Job& job, JobState& state, JobImportContext& ctx) {
    std::optional<std::string> text = readWholeFile(copy);
    removeFile(copy);
    if (!text) {
        ctx.failure = JobReadFailure::CannotOpen;
        ctx.ui.messageBox(kSvgNotReadable, kProgramCaption, MessageIcon::Exclamation);
        return false;
    }
    return readSvgText(*text, job, state, ctx);
}

// Copies the drawing, converts it and reads it; the caller has checked program and file.
bool convertAndRead(const std::string& program, const InkscapeVersion& version, const std::string& drawing,
                    const std::string& copy, Job& job, JobState& state, JobImportContext& ctx,
                    ProcessList& processes, const std::string& tempFolder, int waitPasses) {
    removeFile(copy);
    MakeSureDirectoryPathExists(tempFolder + "/");
    // Inkscape dissolves the groups: a selected group lives on in the ids of its members, selected
    // text in the mark its outlines get.
    std::set<std::string> selectedTexts;
    if (!ctx.selectedIds.empty())
        ctx.selectedIds = selectionWithMembers(readWholeFile(drawing).value_or(""), ctx.selectedIds, &selectedTexts);
    if (!copyFileNoOverwrite(drawing, copy)) {
        ctx.failure = JobReadFailure::CannotOpen;
        ctx.ui.messageBox(ctx.texts.text(TextId::NoSvgFile), kProgramCaption, MessageIcon::Error);
        return false;
    }
    InkscapeAdapter adapter(processes, ctx.ui, tempFolder);
    adapter.m_waitPasses = waitPasses;
    adapter.m_selectedTexts = selectedTexts;
    bool startFailed = false;
    if (!adapter.convert(program, version, copy, startFailed)) {
        removeFile(copy);
        if (startFailed) {
            ctx.ui.messageBox(ctx.texts.text(TextId::NoInkscape), kProgramCaption, MessageIcon::Error);
        } else {
            ctx.ui.messageBox(kSvgNotReadable, kProgramCaption, MessageIcon::Exclamation);
        }
        ctx.failure = JobReadFailure::CannotOpen;
        return false;
    }
    return readAndDeleteCopy(copy, job, state, ctx);
}

}  // namespace

bool convertAndReadSvg(const std::string& bytes, bool askAboutText, bool& textNeedsInkscape, Job& job,
                       JobState& state, JobImportContext& ctx) {
    textNeedsInkscape = false;
    SvgConversion conversion;
    if (!convertSvg(bytes, conversion, ctx.selectedIds)) {
        beginImport(state);
        ctx.failure = JobReadFailure::CannotOpen;
        ctx.ui.messageBox(kSvgNotReadable, kProgramCaption, MessageIcon::Exclamation);
        return false;
    }
    if (conversion.textObjects > 0) {
        textNeedsInkscape = true;
        if (!askAboutText) return false;
        // Nobody to ask (a batch run) means no: an unattended cut must not lose the lettering.
        const std::string question =
            ctx.texts.format(TextId::SvgTextNeedsInkscape, {std::to_string(conversion.textObjects)});
        if (ctx.ui.messageBox(question, kProgramCaption, MessageIcon::Exclamation, MessageButtons::OkCancel,
                              MessageAnswer::Cancel) != MessageAnswer::Ok) {
            beginImport(state);
            ctx.failure = JobReadFailure::TextLeftOut;
            return false;
        }
    }
    return readSvgText(conversion.text, job, state, ctx);
}

bool svgConverterChoiceOf(int value, SvgConverterChoice& choice) {
    if (value < 0 || value > 2) return false;
    choice = static_cast<SvgConverterChoice>(value);
    return true;
}

bool svgConverterChoiceOf(const std::string& word, SvgConverterChoice& choice) {
    if (word == "auto")
        choice = SvgConverterChoice::Automatic;
    else if (word == "own")
        choice = SvgConverterChoice::Own;
    else if (word == "inkscape")
        choice = SvgConverterChoice::Inkscape;
    else
        return false;
    return true;
}

bool InkscapeHandOver::fail(TextId textId) {
    m_ui.messageBox(m_texts.text(textId), kProgramCaption, MessageIcon::Error);
    return false;
}

std::string InkscapeHandOver::findRunningInkscape() {
    if (m_windows.available()) {
        // Two windows are accepted (Inkscape may show a second one, a dialog); windows with the
        // same title are one.
        std::string lastTitle;
        int ownerPid = 0;
        int counted = 0;
        for (const WindowInfo& w : m_windows.topLevelWindows()) {
            if (w.title.find(kWindowTitleMark) == std::string::npos || w.title == lastTitle) continue;
            lastTitle = w.title;
            ownerPid = w.pid;
            if (++counted == 2) break;
        }
        if (counted > 0) {
            std::string exe = ownerPid > 0 ? m_processes.executableOf(ownerPid) : std::string();
            return exe.empty() ? m_processes.findOnPath("inkscape") : exe;
        }
        // No window on this display: an Inkscape drawing on a Wayland desktop has none here,
        // so the process list still answers.
    }
    bool running = false;
    for (const ProcessInfo& p : m_processes.processes()) {
        if (p.name != "inkscape") continue;
        running = true;
        if (!p.executable.empty()) return p.executable;
    }
    return running ? m_processes.findOnPath("inkscape") : std::string();
}

bool InkscapeHandOver::importSvg(Job& job, JobState& state) {
    beginImport(state);

    // A running Inkscape and its program; not running and no program path both end with 341. A
    // drawing named on the command line needs none: it is read as the command line reads it.
    const std::string program = findRunningInkscape();
    if (program.empty() && !m_inputFileName.empty()) {
        JobImportContext ctx{m_texts, m_ui};
        ctx.selectedIds = m_selectedIds;
        if (importSvgFile(m_inputFileName, m_converter, job, state, ctx, m_processes, m_tempFolder)) return true;
        if (ctx.failure == JobReadFailure::TooLarge)
            m_ui.messageBox(drawingTooLargeMessage(m_texts, m_inputFileName), kProgramCaption, MessageIcon::Error);
        return false;
    }
    if (program.empty()) return fail(TextId::NoInkscape);

    std::string drawing = m_inputFileName;
    if (drawing.empty() && m_lastSavedSvg) drawing = m_lastSavedSvg();
    if (!looksLikeSvg(drawing)) return fail(TextId::NoSvgFile);

    JobImportContext ctx{m_texts, m_ui};
    ctx.selectedIds = m_selectedIds;
    if (drawingTooLarge(drawing, ctx)) {
        m_ui.messageBox(drawingTooLargeMessage(m_texts, drawing), kProgramCaption, MessageIcon::Error);
        return false;
    }
    if (m_converter != SvgConverterChoice::Inkscape) {
        // The drawing, as Inkscape would get it, converted by ours; only text sends it on to
        // Inkscape (which runs here, so the automatic choice does not ask).
        const std::optional<std::string> bytes = readWholeFile(drawing);
        if (!bytes) return fail(TextId::NoSvgFile);
        bool textNeedsInkscape = false;
        const bool askAboutText = m_converter == SvgConverterChoice::Own;
        if (convertAndReadSvg(*bytes, askAboutText, textNeedsInkscape, job, state, ctx)) return true;
        if (!textNeedsInkscape || askAboutText) return false;
    }

    // Inkscape's files (the copy it converts, its profile, its output) lie in a folder of this
    // run's own, removed afterwards.
    PrivateFolder runFolder(m_tempFolder);
    if (!runFolder.valid()) return fail(TextId::NoSvgFile);
    const std::string copy = runFolder.path() + "/" + kSvgCopyName;
    InkscapeAdapter adapter(m_processes, m_ui, runFolder.path());
    const InkscapeVersion version = adapter.queryVersion(program);

    // The hint explains the Inkscape settings the conversion needs; with our own profile (1.x)
    // they are always in order, so it is shown only until the user hides it.
    std::string preferences;
    if (version.hasActions())
        preferences = inkscapePreferencesText();
    else
        preferences = readWholeFile(m_userDataFolder + "inkscape/preferences.xml").value_or("");
    if (!inkscapePreferencesInOrder(preferences) || m_settings.hideInkscapeHint() == 0) {
        const std::string hint = m_texts.text(TextId::InkscapeHint);
        InkscapeHintAnswer answer;
        if (m_hintDialog) {
            answer = m_hintDialog(hint);
        } else {
            answer.proceed =
                m_ui.messageBox(hint, kProgramCaption, MessageIcon::Information, MessageButtons::OkCancel,
                                MessageAnswer::Ok) == MessageAnswer::Ok;
        }
        if (answer.hideAgain) m_settings.setHideInkscapeHint(true);
        if (!answer.proceed) return false;
    }

    if (m_progress) m_progress(m_texts.text(TextId::Starting));
    return convertAndRead(program, version, drawing, copy, job, state, ctx, m_processes, runFolder.path(),
                          m_waitPasses);
}

bool importSvgFile(const std::string& path, SvgConverterChoice choice, Job& job, JobState& state,
                   JobImportContext& ctx, ProcessList& processes, const std::string& givenTempFolder) {
    if (drawingTooLarge(path, ctx)) {
        beginImport(state);
        return false;
    }
    std::string program;
    if (choice != SvgConverterChoice::Own) program = processes.findOnPath("inkscape");
    if (choice != SvgConverterChoice::Inkscape) {
        const std::optional<std::string> bytes = readWholeFile(path);
        if (!bytes) {
            beginImport(state);
            ctx.failure = JobReadFailure::CannotOpen;
            ctx.ui.messageBox(kSvgNotReadable, kProgramCaption, MessageIcon::Exclamation);
            return false;
        }
        // Without an Inkscape to hand text to, the user decides whether to go on without it.
        const bool askAboutText = program.empty();
        bool textNeedsInkscape = false;
        if (convertAndReadSvg(*bytes, askAboutText, textNeedsInkscape, job, state, ctx)) return true;
        if (!textNeedsInkscape || askAboutText) return false;
    }
    // Never a copy in the root folder: an empty folder means the usual temporary folder.
    const std::string tempFolder = givenTempFolder.empty() ? sartovin::tempFolder() : givenTempFolder;
    if (!looksLikeSvg(path)) {
        ctx.ui.messageBox(ctx.texts.text(TextId::NoSvgFile), kProgramCaption, MessageIcon::Error);
        ctx.failure = JobReadFailure::CannotOpen;
        return false;
    }
    if (program.empty()) {
        ctx.ui.messageBox(ctx.texts.text(TextId::NoInkscape), kProgramCaption, MessageIcon::Error);
        ctx.failure = JobReadFailure::CannotOpen;
        return false;
    }
    PrivateFolder runFolder(tempFolder);
    if (!runFolder.valid()) {
        ctx.ui.messageBox(ctx.texts.text(TextId::NoSvgFile), kProgramCaption, MessageIcon::Error);
        ctx.failure = JobReadFailure::CannotOpen;
        return false;
    }
    InkscapeAdapter adapter(processes, ctx.ui, runFolder.path());
    const InkscapeVersion version = adapter.queryVersion(program);
    return convertAndRead(program, version, path, runFolder.path() + "/" + kSvgCopyName, job, state, ctx,
                          processes, runFolder.path(), 500);
}

bool importSvgFile(const std::string& path, SvgConverterChoice choice, Job& job, JobState& state,
                   JobImportContext& ctx) {
    SystemProcessList processes;
    return importSvgFile(path, choice, job, state, ctx, processes, tempFolder());
}

bool hasSvgName(const std::string& path) {
    if (path.size() < 4) return false;
    std::string end = path.substr(path.size() - 4);
    for (char& c : end) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return end == ".svg";
}

}  // namespace sartovin
