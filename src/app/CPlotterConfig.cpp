#include "app/CPlotterConfig.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/UiText.h"

namespace sartovin {

namespace {}  // namespace

CPlotterConfig::CPlotterConfig(StartMode startMode, PlotterRecord& record, const Settings& settings,
                               const Texts& texts, Interaction& ui, const PortSources& sources,
                               std::function<void()> afterStore, QWidget* parent)
    : QDialog(parent),
      m_startMode(startMode),
      m_record(record),
      m_settings(settings),
      m_texts(texts),
      m_ui(ui),
      m_list(startMode, record.port, record.usbGccName, sources),
      m_afterStore(std::move(afterStore)) {
    setObjectName("CPlotterConfig");
    setWindowTitle(uiText(texts, TextId::PortConfigurationTitle));
    m_group = new QGroupBox(uiText(texts, TextId::PortGroup), this);
    m_combo = new QComboBox(m_group);
    m_combo->setObjectName("portList");
    for (const std::string& item : m_list.items()) m_combo->addItem(toQt(item));
    int pre = m_list.preselected();
    m_combo->setCurrentIndex(pre >= 0 && pre < m_combo->count() ? pre : (m_combo->count() ? 0 : -1));
    auto* groupLayout = new QVBoxLayout(m_group);
    groupLayout->addWidget(m_combo);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName("okButton");
    ok->setDefault(true);
    auto* cancel = new QPushButton(uiText(texts, TextId::CancelButton), this);
    cancel->setObjectName("cancelButton");
    connect(ok, &QPushButton::clicked, this, &CPlotterConfig::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_group);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

int CPlotterConfig::run() {
    switch (m_list.opening()) {
        case PlotterPortList::Opening::StoreAtOnce:
            store(m_list.itemToStoreAtOnce());
            return QDialog::Accepted;
        case PlotterPortList::Opening::Cancel:
            return QDialog::Rejected;
        case PlotterPortList::Opening::WaitForUser:
            break;
    }
    return exec();
}

void CPlotterConfig::accept() {
    int index = m_combo->currentIndex();
    if (index < 0) {
        reject();
        return;
    }
    store(index);
    QDialog::accept();
}

void CPlotterConfig::store(int index) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString oldTitle = windowTitle();
    setWindowTitle(uiText(m_texts, TextId::UpdatingPortData));
    setEnabled(false);
    storePortChoice(m_list.choiceFor(index), m_record.name, m_record, m_settings, m_texts, m_ui);
    if (m_afterStore) m_afterStore();
    setEnabled(true);
    setWindowTitle(oldTitle);
    QApplication::restoreOverrideCursor();
}

}  // namespace sartovin
