#include "app/CTarnelWinCDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/BusyControls.h"
#include "app/CAdvanced.h"
#include "app/CEngraverSettings.h"
#include "app/CGeneralTab.h"
#include "app/CInkscapeStart.h"
#include "app/CLayerTab.h"
#include "app/COptions.h"
#include "app/CPlotterConfig.h"
#include "app/CStatus.h"
#include "app/WaitCursor.h"
#include "base/LanguageCommand.h"
#include "base/Settings.h"
#include "base/StartMode.h"
#include "plot/TestCut.h"
#include "session/CutCommand.h"
#include "session/HostImport.h"
#include "widgets/UiText.h"

namespace sartovin {

namespace {

constexpr int kStartupSteps = 6;
constexpr int kStartupRedrawMs = 2000;
constexpr int kChooseCutterMs = 2000;
constexpr int kAfterPlotRedrawMs = 200;
constexpr int kChangeRedrawMs = 100;

}  // namespace

CTarnelWinCDlg::CTarnelWinCDlg(CTarnelWinCApp& app, Texts& texts, Interaction& ui, DeviceServices services,
                               QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      m_app(app),
      m_texts(texts),
      m_ui(ui),
      m_services(services),
      m_model(std::make_unique<MainWindowModel>(app, ui, texts, app.iniPath)),
      m_devices(std::make_unique<DeviceSession>(app.startMode, texts, ui, std::move(services), app.iniPath)) {
    setObjectName("CTarnelWinCDlg");
    setWindowTitle(QStringLiteral("Sartovin"));
    setSizeGripEnabled(true);
    m_previewTimer.setSingleShot(true);
    m_chooseCutterTimer.setSingleShot(true);
    connect(&m_previewTimer, &QTimer::timeout, this, &CTarnelWinCDlg::redrawPreview);
    connect(&m_chooseCutterTimer, &QTimer::timeout, this, [this] {
        // One-shot: the timer has already stopped itself; the message must not come twice.
        m_ui.messageBox(m_texts.text(TextId::ChooseCutter), kProgramCaption, MessageIcon::Exclamation);
        if (m_general) m_general->refresh();
        m_plotterList->setFocus();
    });
    buildControls();

    DeviceSessionHooks hooks;
    hooks.portDialog = [this](const PlotterPortList& list, const DeviceSessionHooks::StoreChoice& store) {
        portDialog(list, store);
    };
    hooks.mediaQueryEnabled = [this](bool enabled) {
        if (m_general) m_general->mediaQueryButton()->setEnabled(enabled);
    };
    hooks.engraverSettings = [this] { engraverSettings(); };
    hooks.afterMediaQuery = [this] {
        refreshPages();
        restartPreviewTimer(kChangeRedrawMs);
    };
    m_devices->setHooks(std::move(hooks));

    // A settings write that fails is said once the action that wrote is over, so an action that
    // writes many keys gives one message; what start-up could not store is said when the window
    // is up.
    Settings::setWriteFailureListener([this] {
        QMetaObject::invokeMethod(this, [this] { reportUnsavedSettings(m_texts, m_ui); }, Qt::QueuedConnection);
    });
    QMetaObject::invokeMethod(this, [this] { reportUnsavedSettings(m_texts, m_ui); }, Qt::QueuedConnection);
}

// The pages and the preview show the model's pages; they go before the model does.
CTarnelWinCDlg::~CTarnelWinCDlg() {
    Settings::setWriteFailureListener({});
    m_previewTimer.stop();
    m_chooseCutterTimer.stop();
    // Removing the pages changes the current page; nothing may ask the cutter any more.
    if (m_tabs) m_tabs->disconnect(this);
    delete m_tabs;
    m_tabs = nullptr;
    // The preview draws from the model's pages as well.
    delete m_preview.widget;
    m_preview.widget = nullptr;
    delete m_status;
    m_status = nullptr;
}

void CTarnelWinCDlg::buildControls() {
    auto tip = [this](QWidget* w, TextId id) { w->setToolTip(uiText(m_texts, id)); };
    auto button = [this](TextId textId, const char* name) {
        auto* b = new QPushButton(uiText(m_texts, textId), this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };

    auto* output = new QGroupBox(uiText(m_texts, TextId::Output), this);
    output->setObjectName("outputGroup");
    auto* og = new QGridLayout(output);
    m_plotterList = new QComboBox(output);
    m_plotterList->setObjectName("plotterList");
    m_plotterList->setMinimumWidth(200);
    tip(m_plotterList, TextId::TipPlotter);
    m_configuration = button(TextId::Configuration, "configuration");
    tip(m_configuration, TextId::TipPortConfiguration);
    m_mediaList = new QComboBox(output);
    m_mediaList->setObjectName("mediaList");
    m_mediaList->setMinimumWidth(200);
    tip(m_mediaList, TextId::TipMedium);
    m_newMedium = new QToolButton(output);
    m_newMedium->setObjectName("newMedium");
    m_newMedium->setIcon(style()->standardIcon(QStyle::SP_FileDialogNewFolder));
    tip(m_newMedium, TextId::TipNewMedium);
    m_deleteMedium = new QToolButton(output);
    m_deleteMedium->setObjectName("deleteMedium");
    m_deleteMedium->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    tip(m_deleteMedium, TextId::TipDeleteMedium);
    og->addWidget(new QLabel(uiText(m_texts, TextId::OutputDevice), output), 0, 0);
    og->addWidget(m_plotterList, 0, 1);
    og->addWidget(m_configuration, 0, 2, 1, 2);
    og->addWidget(new QLabel(uiText(m_texts, TextId::Medium), output), 1, 0);
    og->addWidget(m_mediaList, 1, 1);
    og->addWidget(m_newMedium, 1, 2);
    og->addWidget(m_deleteMedium, 1, 3);
    og->setColumnStretch(1, 1);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("pages");
    m_previewFrame = new QGroupBox(uiText(m_texts, TextId::Preview), this);
    m_previewFrame->setObjectName("previewFrame");
    new QVBoxLayout(m_previewFrame);

    m_statusText = new QLabel(this);
    m_statusText->setObjectName("statusText");
    m_language = button(TextId::Language, "language");
    tip(m_language, TextId::TipLanguage);
    m_info = button(TextId::Info, "info");
    tip(m_info, TextId::TipInfo);
    m_cut = button(m_app.startMode.isLaser() ? TextId::Engrave : TextId::Cut, "cut");
    tip(m_cut, TextId::TipCut);
    m_close = button(TextId::Close, "close");
    tip(m_close, TextId::TipClose);

    // The pages keep their width and the preview takes what the window grows by; the user may
    // move the border between them.
    auto* leftSide = new QWidget(this);
    auto* left = new QVBoxLayout(leftSide);
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(output);
    left->addWidget(m_tabs, 1);
    auto* middle = new QSplitter(Qt::Horizontal, this);
    middle->setObjectName("splitter");
    middle->setChildrenCollapsible(false);
    middle->addWidget(leftSide);
    middle->addWidget(m_previewFrame);
    middle->setStretchFactor(0, 0);
    middle->setStretchFactor(1, 1);
    middle->setSizes({660, 560});
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_statusText, 1);
    for (QPushButton* b : {m_language, m_info, m_cut, m_close}) bottom->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(middle, 1);
    layout->addLayout(bottom);
    // The window's size, within the screen's free area (a laptop's 1366 x 768 keeps Cut and Close
    // in view); the frame and a panel take their share.
    QSize size(1240, 780);
    if (const QScreen* s = screen())
        size = size.boundedTo(s->availableGeometry().size() - QSize(16, 48)).expandedTo(minimumSizeHint());
    resize(size);

    connect(m_plotterList, qOverload<int>(&QComboBox::activated), this, &CTarnelWinCDlg::selectPlotter);
    connect(m_mediaList, qOverload<int>(&QComboBox::activated), this, &CTarnelWinCDlg::selectMedium);
    connect(m_configuration, &QPushButton::clicked, this, &CTarnelWinCDlg::configurePort);
    connect(m_newMedium, &QToolButton::clicked, this, &CTarnelWinCDlg::newMedium);
    connect(m_deleteMedium, &QToolButton::clicked, this, &CTarnelWinCDlg::deleteMedium);
    connect(m_language, &QPushButton::clicked, this, &CTarnelWinCDlg::languageCommand);
    connect(m_info, &QPushButton::clicked, this, &CTarnelWinCDlg::aboutBox);
    connect(m_cut, &QPushButton::clicked, this, &CTarnelWinCDlg::cut);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this](int index) {
        // The cutter page shows what the cutter holds now.
        if (m_cutter && m_tabs->widget(index) == m_cutter && m_app.startMode.isStandard()) {
            if (const PlotterRecord* p = m_model->currentPlotter(); p && DeviceDelivery::portPresent(*p))
                mediaQuery(false);
            m_cutter->refresh();
        }
    });
}

bool CTarnelWinCDlg::setUp() {
    // 3. The attached USB cutters.
    m_devices->identifyUsb();
    // 4. The plotter catalog and the stored plotter.
    if (!m_model->loadPlotters()) {
        m_closing = true;
        return false;
    }
    {
        QSignalBlocker b(m_plotterList);
        m_plotterList->clear();
        for (const std::string& name : m_model->plotters().names()) m_plotterList->addItem(toQt(name));
        m_plotterList->setCurrentIndex(m_model->plotters().currentIndex());
    }
    fillMediaList();
    // 5. The preview.
    m_preview = createPreview(m_previewFrame);
    if (!m_preview.widget) {
        m_ui.messageBox(m_texts.text(TextId::CannotCreateView), kProgramCaption, MessageIcon::Error);
        m_closing = true;
        return false;
    }
    m_previewFrame->layout()->addWidget(m_preview.widget);
    // 8. The status window with the start-up progress.
    if (!m_status) {
        m_status = new CStatus(this);
        m_status->cancelButton()->setText(uiText(m_texts, TextId::CancelButton));
    }
    m_status->setText(std::string("....\n") + m_texts.text(TextId::Starting));
    m_status->setRange(0, kStartupSteps);
    m_status->setPosition(0);
    m_status->showCentred();
    m_ui.pump();
    // 9. The job from the host.
    if (!importJob()) {
        m_status->hide();
        m_closing = true;
        return false;
    }
    m_status->hide();
    // 10. The pages.
    m_model->openPages();
    createPages();
    showPortState();
    // 11. The preview's first drawing and the focus.
    restartPreviewTimer(kStartupRedrawMs);
    m_plotterList->setFocus();
    // 12.
    if (!m_app.startMode.isStandard()) {
        if (m_model->plotters().currentIndex() >= 0) selectPlotter(m_model->plotters().currentIndex());
    } else {
        m_chooseCutterTimer.start(kChooseCutterMs);
    }
    // The connected cutter says what it is (its model decides the settings block of the writers).
    m_devices->identifyCutter(*m_model);
    showPortState();
    return true;
}

bool CTarnelWinCDlg::importJob() {
    HostImportHooks hooks;
    hooks.hintDialog = [this](const std::string& text) {
        // The status window stays on top: the hint must not open behind it.
        const bool statusShown = m_status->isVisible();
        m_status->hide();
        CInkscapeStart hint(text, m_texts, this);
        InkscapeHintAnswer answer;
        answer.proceed = hint.exec() == QDialog::Accepted;
        answer.hideAgain = hint.hideAgain();
        if (statusShown) m_status->showCentred();
        return answer;
    };
    hooks.showText = [this](const std::string& text) {
        m_status->setText(text);
        m_status->showCentred();
        m_ui.pump();
    };
    hooks.showStep = [this](int step) {
        m_status->setPosition(step);
        m_ui.pump();
    };
    return importFromHost(m_app, *m_model, m_services.windows, m_services.processes, m_texts, m_ui, hooks);
}

void CTarnelWinCDlg::createPages() {
    m_general = new CGeneralTab(m_model->layout(), m_texts);
    m_options = new COptions(m_model->options(), m_texts);
    m_layers = new CLayerTab(m_model->layers(), m_texts, m_app.startMode);
    m_cutter = new CAdvanced(m_model->settings(), m_texts, m_app.startMode);
    {
        QSignalBlocker b(m_tabs);
        m_tabs->addTab(m_general, uiText(m_texts, TextId::PageGeneral));
        m_tabs->addTab(m_options, uiText(m_texts, TextId::PageOptions));
        m_tabs->addTab(m_layers, uiText(m_texts, TextId::PageLayer));
        m_tabs->addTab(m_cutter, uiText(m_texts, TextId::PageCutter));
        m_tabs->setCurrentIndex(0);
    }
    // Enter belongs to the shown page, never to a default button of the window.
    for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);

    connect(m_general, &CGeneralTab::changed, this, [this] { pageChanged(m_general); });
    connect(m_general, &CGeneralTab::mediaQueryRequested, this, [this] { mediaQuery(true); });
    connect(m_options, &COptions::changed, this, [this] { pageChanged(m_options); });
    connect(m_options, &COptions::saveRequested, this, &CTarnelWinCDlg::saveMedium);
    connect(m_options, &COptions::secondSaveRequested, this, &CTarnelWinCDlg::saveMediumSecond);
    connect(m_options, &COptions::testCutRequested, this, &CTarnelWinCDlg::testCut);
    connect(m_options, &COptions::testCutModeChanged, this, [this](bool on) {
        if (m_testCut) m_testCut->setTestCutMode(on);
    });
    connect(m_options, &COptions::displayToolRequested, this, &CTarnelWinCDlg::startDisplayTool);
    connect(m_options, &COptions::detailsRequested, this, &CTarnelWinCDlg::engraverSettings);
    connect(m_layers, &CLayerTab::changed, this, [this] { pageChanged(m_layers); });
    connect(m_layers, &CLayerTab::plotterSelectionRequested, this,
            [this] { selectPlotter(m_model->plotters().currentIndex()); });
    connect(m_cutter, &CAdvanced::reloadRequested, this, [this] {
        m_cutter->firmwareField()->setText(uiText(m_texts, TextId::UpdatingData));
        m_ui.pump();
        mediaQuery(true);
    });
    connect(m_cutter, &CAdvanced::sendRequested, this, &CTarnelWinCDlg::sendCutterSettings);
    connect(m_cutter, &CAdvanced::displayToolRequested, this, &CTarnelWinCDlg::startDisplayTool);
    connect(m_cutter, &CAdvanced::testCutRequested, this, &CTarnelWinCDlg::testCut);

    m_testCut = m_devices->makeTestCut(*m_model, m_app.dataFolder + "TestCut.qxdat", [this](bool on) {
        if (m_options && m_options->testCutButton()) m_options->testCutButton()->setEnabled(on);
    });

    m_preview.setSources(&m_model->layout(), &m_model->options(), &m_model->job(), &m_model->jobState(),
                         m_app.startMode);
    m_preview.updateLayout();
    // The preview opens on the whole job on its medium; the window's layout is settled first so
    // the view knows its size.
    if (layout()) layout()->activate();
    m_preview.showWholeJob();
    refreshPages();
}

// ---- selection -------------------------------------------------------------------------------

void CTarnelWinCDlg::selectPlotter(int index) {
    WaitCursor wait;
    if (m_model->selectPlotter(index)) {
        QSignalBlocker b(m_plotterList);
        m_plotterList->setCurrentIndex(index);
    }
    fillMediaList();
    refreshPages();
    showPortState();
    restartPreviewTimer(kChangeRedrawMs);
}

void CTarnelWinCDlg::selectMedium(int index) {
    m_model->selectMedium(index);
    refreshPages();
    restartPreviewTimer(kChangeRedrawMs);
}

void CTarnelWinCDlg::fillMediaList() {
    QSignalBlocker b(m_mediaList);
    m_mediaList->clear();
    for (const std::string& name : m_model->media().names()) m_mediaList->addItem(toQt(name));
    m_mediaList->setCurrentIndex(m_model->media().currentIndex());
}

void CTarnelWinCDlg::newMedium() {
    if (!m_model->pagesOpen()) return;
    if (m_model->newMedium()) {
        fillMediaList();
        refreshPages();
        showPortState();
    }
}

void CTarnelWinCDlg::deleteMedium() {
    if (!m_model->pagesOpen()) return;
    if (m_model->deleteMedium()) {
        fillMediaList();
        refreshPages();
    }
}

void CTarnelWinCDlg::saveMedium() {
    if (!m_model->pagesOpen()) return;
    if (m_model->saveMedium(MediaCatalog::SaveCommand::SaveButton)) {
        fillMediaList();
        refreshPages();
    }
}

void CTarnelWinCDlg::saveMediumSecond() {
    if (!m_model->pagesOpen()) return;
    if (m_model->saveMedium(MediaCatalog::SaveCommand::SecondSave)) {
        fillMediaList();
        refreshPages();
    }
}

void CTarnelWinCDlg::refreshPages(QWidget* except) {
    if (!m_model->pagesOpen()) return;
    if (m_general && except != m_general) m_general->refresh();
    if (m_options && except != m_options) m_options->refresh();
    if (m_layers && except != m_layers) {
        std::vector<std::string> tools;
        for (const ToolRecord& t : m_model->tools().tools())
            tools.push_back(ToolCatalog::displayName(t, m_texts.languageId()));
        m_layers->setCatalogNames(m_model->media().names(), tools);
        m_layers->refresh();
    }
    if (m_cutter) {
        std::vector<std::string> qualities;
        for (const QualityEntry& q : m_model->options().qualityList()) qualities.push_back(q.text);
        m_cutter->setPlotter(m_model->currentPlotter(), qualities);
    }
}

void CTarnelWinCDlg::pageChanged(QWidget* page) {
    refreshPages(page);
    restartPreviewTimer(kChangeRedrawMs);
}

void CTarnelWinCDlg::showPortState() {
    const PlotterRecord* p = m_model->currentPlotter();
    QString text;
    if (p) {
        if (p->portType == kPortUsbDevice && !p->usbGccName.empty())
            text = QStringLiteral("USB - ") + toQt(p->usbGccName);
        else
            text = toQt(p->port);
    }
    m_statusText->setText(text);
}

// ---- preview ---------------------------------------------------------------------------------

void CTarnelWinCDlg::restartPreviewTimer(int ms) {
    if (m_model->pagesOpen()) m_model->layout().requestPreviewRedraw();
    m_previewTimer.start(ms);
}

void CTarnelWinCDlg::redrawPreview() {
    if (!m_preview.widget) return;
    m_preview.updateLayout();
    m_preview.requestRedraw(0);
    if (m_model->pagesOpen()) m_model->layout().clearPreviewRedraw();
}

// ---- devices ---------------------------------------------------------------------------------

void CTarnelWinCDlg::portDialog(const PlotterPortList& list, const DeviceSessionHooks::StoreChoice& store) {
    CPlotterConfig dialog(list, m_texts, store, this);
    dialog.exec();
}

void CTarnelWinCDlg::engraverSettings() {
    EngraverSettingsModel model(m_model->laserDefinitionFile(), m_model->currentPlotter());
    CEngraverSettings dialog(model, m_texts, m_ui, this);
    dialog.exec();
}

void CTarnelWinCDlg::configurePort() {
    m_devices->configurePort(*m_model);
    showPortState();
}

void CTarnelWinCDlg::mediaQuery(bool askForPort) {
    if (m_busy) return;
    m_devices->queryMedium(*m_model, askForPort);
    showPortState();
}

void CTarnelWinCDlg::sendCutterSettings(const std::string& commands) {
    if (m_busy || !m_model->currentPlotter()) return;
    {
        WaitCursor wait;
        BusyControls greyed(m_busy, {m_cutter});
        m_cutter->firmwareField()->setText(uiText(m_texts, TextId::UpdatingData));
        m_ui.pump();
        m_devices->sendCutterSettings(*m_model, commands);
    }
    m_cutter->refresh();
    showPortState();
}

void CTarnelWinCDlg::startDisplayTool() {
    if (const PlotterRecord* plotter = m_model->currentPlotter())
        m_devices->startDisplayTool(*plotter, m_app.programFolder);
}

void CTarnelWinCDlg::testCut() {
    if (!m_testCut || m_busy) return;
    m_devices->testCut(*m_model, *m_testCut);
}

// ---- the plot command ------------------------------------------------------------------------

void CTarnelWinCDlg::cut() {
    if (m_busy || !m_model->currentPlotter() || !m_model->pagesOpen()) return;
    CutCommandResult result;
    {
        BusyControls greyed(m_busy, {m_cut, m_tabs, m_plotterList, m_mediaList, m_configuration, m_newMedium,
                                     m_deleteMedium, m_language, m_close});
        m_chooseCutterTimer.stop();
        PlotContext context{m_ui, m_texts, *m_status};
        runCutCommand(*m_model, *m_devices, context, m_status, m_plotStream, result);
    }
    showPortState();
    // Every run that reached the port ends with what the cutter got, where the port is shown.
    if (result.started) m_statusText->setText(toQt(result.outcome));
    if (result.started && !m_previewTimer.isActive()) restartPreviewTimer(kAfterPlotRedrawMs);
}

// ---- the other commands ----------------------------------------------------------------------

void CTarnelWinCDlg::languageCommand() { runLanguageCommand(m_app, m_texts, m_ui); }

void CTarnelWinCDlg::aboutBox() {
    m_ui.messageBox(m_texts.format(TextId::AboutText, {SARTOVIN_VERSION}), kProgramCaption, MessageIcon::Information);
}

// ---- window events ---------------------------------------------------------------------------

void CTarnelWinCDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            // Escape never closes the main window.
            event->accept();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Enter has been offered to the page's focused control already (an edit takes its
            // value then); it never presses a button of the window.
            event->accept();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}

void CTarnelWinCDlg::reject() {
    // Only the window's own close request ends it, never a key.
    if (m_busy) return;
    QDialog::reject();
}

void CTarnelWinCDlg::closeEvent(QCloseEvent* event) {
    if (m_busy) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CTarnelWinCDlg::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    if (m_model->pagesOpen() && m_previewTimer.isActive()) m_previewTimer.start();
}

}  // namespace sartovin
