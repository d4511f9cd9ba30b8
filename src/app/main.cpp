// SartovinIsHP: the program with windows. The name it is started under decides the edition, the
// host program and whether it is the registration-marks variant; a drawing named on the command
// line is the job.

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "app/CMarksSettingsDlg.h"
#include "app/CTarnelWinCDlg.h"
#include "app/DrawingChooser.h"
#include "app/QtInteraction.h"
#include "base/CTarnelWinCApp.h"
#include "base/Settings.h"
#include "base/StartMode.h"
#include "base/Startup.h"
#include "base/Texts.h"
#include "pages/MarksSettingsModel.h"
#include "platform/Files.h"
#include "platform/SystemFolders.h"
#include "platform/SystemProcessList.h"
#include "platform/X11WindowList.h"
#include "session/MainWindowModel.h"
#include "session/OtherRun.h"
#include "session/SystemDeviceServices.h"

using namespace sartovin;

namespace {

// The path the program was started under, symbolic links kept: their names select the start
// mode, while /proc/self/exe would name the one binary behind them.
std::string invocationPath(const char* argv0) {
    QString name = QString::fromLocal8Bit(argv0);
    if (!name.contains('/')) {
        QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty()) return found.toStdString();
        return executablePath();
    }
    return QDir::cleanPath(QDir::current().absoluteFilePath(name)).toStdString();
}

int runMarksWindow(CTarnelWinCApp& app, Texts& texts, Interaction& ui) {
    MainWindowModel model(app, ui, texts, app.iniPath);
    model.loadPlotters();
    Settings settings(app.iniPath);
    MarksSettingsModel marks(settings, texts, ui, model.marksSheetFormats());
    marks.open();
    CMarksSettingsDlg dialog(marks);
    dialog.exec();
    reportUnsavedSettings(texts, ui);
    return 0;
}

// One job per run: when this edition already runs with a window, that window comes to the front
// and the user hears how to cut the drawing as it is now, instead of a second window opening over
// the first.
bool broughtAnotherRunForward(const std::string& programPath, const Texts& texts, Interaction& ui) {
    X11WindowList windows;
    SystemProcessList processes;
    const ThisRun self{static_cast<int>(::getpid()), executablePath(), baseName(programPath)};
    const std::optional<WindowInfo> other = windowOfAnotherRun(windows, processes, self);
    if (!other) return false;
    const bool raised = windows.activate(*other);
    ui.messageBox(texts.text(raised ? TextId::AlreadyOpenRaised : TextId::AlreadyOpen), kProgramCaption,
                  MessageIcon::Information);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sartovin"));
    QApplication::setOrganizationName(QStringLiteral("Halvoria graphics"));

    QtInteraction ui;
    CTarnelWinCApp app;
    std::string programPath = invocationPath(argv[0]);
    runStartup(app, programPath, ui, startupOptionsOfThisProgram());
    // The first argument that is no option names the drawing; "--id=ID" (or "--id ID"), as Inkscape
    // hands its selection to extensions, names a selected object.
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i].startsWith(QStringLiteral("--id="))) {
            app.selectedObjectIds.insert(args[i].mid(5).toStdString());
        } else if (args[i] == QStringLiteral("--id") && i + 1 < args.size()) {
            app.selectedObjectIds.insert(args[++i].toStdString());
        } else if (!args[i].startsWith('-') && app.inputFileName.empty()) {
            app.inputFileName = QFileInfo(args[i]).absoluteFilePath().toStdString();
        }
    }
    app.selectedObjectIds.erase(std::string());
    Texts texts(app.dataFolder, app.languageId);
    ui.setTexts(&texts);

    if (app.startMode.isMarksVariant()) return runMarksWindow(app, texts, ui);
    if (broughtAnotherRunForward(programPath, texts, ui)) return 0;
    // Started from the applications menu without a drawing: the user picks one; no choice, no run.
    if (needsDrawingChoice(app) && !chooseDrawing(app, texts, nullptr)) return 0;

    SystemDeviceServices system;
    CTarnelWinCDlg window(app, texts, ui, system.services());
    ui.setParentWindow(&window);
    window.show();
    if (window.setUp()) window.exec();
    // A write of the last moments, whose report the closed window did not get to.
    reportUnsavedSettings(texts, ui);
    return 0;
}
