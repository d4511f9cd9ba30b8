#pragma once
// The program's main window: the plotter and media lists, the four pages, the preview, and the
// commands (port configuration, new and delete medium, language, about, cut). It shows
// MainWindowModel and calls its operations; every way to the cutter goes through the device
// session (the plot command's steps are runCutCommand's), the start-up import is importFromHost's.
// The window itself holds the widgets and wires them to those.

#include <QDialog>
#include <QTimer>
#include <memory>
#include <string>

#include "app/PreviewFactory.h"
#include "base/CTarnelWinCApp.h"
#include "base/Texts.h"
#include "session/DeviceServices.h"
#include "session/DeviceSession.h"
#include "session/MainWindowModel.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace sartovin {

class CAdvanced;
class CGeneralTab;
class CLayerTab;
class COptions;
class CStatus;
class TestCut;

class CTarnelWinCDlg : public QDialog {
    Q_OBJECT
public:
    /// `app`, `texts`, `ui` and the services outlive the window.
    CTarnelWinCDlg(CTarnelWinCApp& app, Texts& texts, Interaction& ui, DeviceServices services,
                   QWidget* parent = nullptr);
    ~CTarnelWinCDlg() override;

    /// The set-up in its order: texts, USB identification, the plotter catalog, the preview, the
    /// status window, the job from the host, the pages and the start-up timers. False when the
    /// window has to close (the catalog or the preview failed, or the hand-over gave no job);
    /// the user has been told why.
    bool setUp();
    bool closing() const { return m_closing; }
    bool busy() const { return m_busy; }

    MainWindowModel& model() { return *m_model; }
    DeviceSession& devices() { return *m_devices; }
    QComboBox* plotterList() const { return m_plotterList; }
    QComboBox* mediaList() const { return m_mediaList; }
    QTabWidget* tabs() const { return m_tabs; }
    QPushButton* cutButton() const { return m_cut; }
    QPushButton* configurationButton() const { return m_configuration; }
    QToolButton* newMediumButton() const { return m_newMedium; }
    QToolButton* deleteMediumButton() const { return m_deleteMedium; }
    QPushButton* languageButton() const { return m_language; }
    QPushButton* infoButton() const { return m_info; }
    QLabel* statusText() const { return m_statusText; }
    CGeneralTab* generalTab() const { return m_general; }
    COptions* optionsPage() const { return m_options; }
    CLayerTab* layerPage() const { return m_layers; }
    CAdvanced* cutterPage() const { return m_cutter; }
    CStatus* statusWindow() const { return m_status; }
    QWidget* preview() const { return m_preview.widget; }
    const std::string& plotStream() const { return m_plotStream; }

    /// The commands, as their buttons run them.
    void selectPlotter(int index);
    void selectMedium(int index);
    void newMedium();
    void deleteMedium();
    void saveMedium();
    void saveMediumSecond();
    void configurePort();
    /// The engraver settings dialog (laser edition): writes the engraver's definition file.
    void engraverSettings();
    void cut();
    void languageCommand();
    void aboutBox();
    /// The media query of the layout page; `askForPort` opens the port configuration when the
    /// cutter has none.
    void mediaQuery(bool askForPort);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void reject() override;

private:
    void buildControls();
    void createPages();
    bool importJob();
    void portDialog(const PlotterPortList& list, const DeviceSessionHooks::StoreChoice& store);
    void startDisplayTool();
    void testCut();
    void sendCutterSettings(const std::string& commands);
    void fillMediaList();
    void refreshPages(QWidget* except = nullptr);
    void pageChanged(QWidget* page);
    void showPortState();
    void restartPreviewTimer(int ms);
    void redrawPreview();

    CTarnelWinCApp& m_app;
    Texts& m_texts;
    Interaction& m_ui;
    DeviceServices m_services;
    std::unique_ptr<MainWindowModel> m_model;
    std::unique_ptr<DeviceSession> m_devices;
    std::unique_ptr<TestCut> m_testCut;
    std::string m_plotStream;
    bool m_closing = false;
    bool m_busy = false;

    QComboBox* m_plotterList = nullptr;
    QPushButton* m_configuration = nullptr;
    QComboBox* m_mediaList = nullptr;
    QToolButton* m_newMedium = nullptr;
    QToolButton* m_deleteMedium = nullptr;
    QTabWidget* m_tabs = nullptr;
    QGroupBox* m_previewFrame = nullptr;
    PreviewHandle m_preview;
    QLabel* m_statusText = nullptr;
    QPushButton* m_language = nullptr;
    QPushButton* m_info = nullptr;
    QPushButton* m_cut = nullptr;
    QPushButton* m_close = nullptr;
    CGeneralTab* m_general = nullptr;
    COptions* m_options = nullptr;
    CLayerTab* m_layers = nullptr;
    CAdvanced* m_cutter = nullptr;
    CStatus* m_status = nullptr;
    QTimer m_previewTimer;       // the one-shot redraw after set-up, changes and plot runs
    QTimer m_chooseCutterTimer;  // the standard edition's one-shot "Please choose a cutter !"
};

}  // namespace sartovin
