#pragma once
// A main window as a user meets it, on fakes of everything outside the program: a private
// settings folder, a spooler with scripted printers, a device tree without USB devices or serial
// ports (tests add them), no other windows. Messages go
// to a ScriptedInteraction, which records them and answers from its queue.

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "app/CTarnelWinCDlg.h"
#include "base/Startup.h"
#include "base/Texts.h"
#include "platform/ScriptedInteraction.h"
#include "platform/Spooler.h"
#include "platform/UsbPrinterDevices.h"
#include "support/FakeDesktop.h"
#include "support/FakeDeviceTree.h"
#include "support/FakeDevices.h"
#include "support/FakeSpooler.h"
#include "support/QtTestApplication.h"
#include "support/TempDir.h"

namespace sartovin::test {

/// The program's folders in a temporary place, a started-up application state and the fakes.
class MainWindowHarness {
public:
    /// `programName` decides the start mode ("SartovinAI" is the standard edition from
    /// Illustrator); `languageId` is stored as the user's choice; `drawing` is the job file.
    explicit MainWindowHarness(const std::string& programName = "SartovinAI", int languageId = 2000,
                               const std::string& drawing = SARTOVIN_SOURCE_DIR "/examples/lettering.qxj")
        : m_config("XDG_CONFIG_HOME", m_dir.file("config")),
          m_data("XDG_DATA_DIRS", m_dir.file("share")),
          m_temp("Temp", m_dir.file("temp")),
          m_usb(tree.sysRoot(), tree.devRoot()) {
        QDir().mkpath(QString::fromStdString(m_dir.file("temp")));
        QDir().mkpath(QString::fromStdString(m_dir.file("config/Sartovin")));
        QDir().mkpath(QString::fromStdString(m_dir.file("config/Sartovin-Hobbyplotter")));
        const char* product =
            programName.find("HP") != std::string::npos ? "Sartovin-Hobbyplotter" : "Sartovin";
        writeFile(m_dir.file("config/") + product + "/Sartovin.ini",
                  "[State]\nLanguageChoice=-3\nLanguage=" + std::to_string(languageId) + "\n");
        StartupOptions options;
        options.languageDialogAvailable = false;
        runStartup(app, std::string(SARTOVIN_BINARY_DIR) + "/bin/" + programName, ui, options);
        app.inputFileName = drawing;
        texts = Texts(app.dataFolder, app.languageId);
    }

    /// Creates the window and runs its set-up; the window is shown like the program shows it.
    CTarnelWinCDlg& open() {
        DeviceServices services{spooler, gccUsb,    deviceFiles,    m_usb,
                                windows, processes, tree.sysRoot(), tree.devRoot()};
        window = std::make_unique<CTarnelWinCDlg>(app, texts, ui, services);
        window->show();
        setUpResult = window->setUp();
        return *window;
    }

    /// Writes a settings line for the next open (before open()).
    void setting(const std::string& section, const std::string& key, const std::string& value) {
        Settings(app.iniPath).writeString(section, key, value);
    }
    std::string readSetting(const std::string& section, const std::string& key) const {
        return Settings(app.iniPath).readString(section, key);
    }

    /// Runs `action` on the modal dialog that the next command opens, once it is up.
    static void onNextModal(std::function<void(QWidget*)> action) {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                poll->stop();
                poll->deleteLater();
                action(modal);
            }
        });
        poll->start(20);
    }

    TempDir m_dir;
    ScopedEnv m_config;
    ScopedEnv m_data;
    ScopedEnv m_temp;
    FakeDeviceTree tree;
    UsbPrinterDevices m_usb;
    ScriptedInteraction ui;
    CTarnelWinCApp app;
    Texts texts;
    FakeSpooler spooler;
    FakeGccUsbPorts gccUsb;
    FakeDeviceFiles deviceFiles;
    FakeWindows windows;
    FakeProcesses processes;
    std::unique_ptr<CTarnelWinCDlg> window;
    bool setUpResult = false;
};

/// The program's QApplication for the window tests (offscreen).
}  // namespace sartovin::test
