#include "app/CPlotterConfig.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/WaitCursor.h"
#include "widgets/DialogButtons.h"
#include "widgets/UiText.h"

namespace sartovin {

CPlotterConfig::CPlotterConfig(const PlotterPortList& list, const Texts& texts, Store store, QWidget* parent)
    : QDialog(parent), m_texts(texts), m_store(std::move(store)) {
    setObjectName("CPlotterConfig");
    setWindowTitle(uiText(texts, TextId::PortConfigurationTitle));
    m_group = new QGroupBox(uiText(texts, TextId::PortGroup), this);
    m_combo = new QComboBox(m_group);
    m_combo->setObjectName("portList");
    for (int i = 0; i < static_cast<int>(list.items().size()); ++i)
        m_combo->addItem(toQt(list.describeItem(i, texts)));
    int pre = list.preselected();
    m_combo->setCurrentIndex(pre >= 0 && pre < m_combo->count() ? pre : (m_combo->count() ? 0 : -1));
    auto* groupLayout = new QVBoxLayout(m_group);
    groupLayout->addWidget(m_combo);
    if (list.noCutterFound()) {
        m_noCutter = new QLabel(uiText(texts, TextId::NoCutterFound), m_group);
        m_noCutter->setObjectName("noCutterFound");
        m_noCutter->setWordWrap(true);
        groupLayout->addWidget(m_noCutter);
    }

    const DialogButtons buttons = okCancelButtons(this, QStringLiteral("OK"), uiText(texts, TextId::CancelButton));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_group);
    layout->addLayout(buttons.row);
    setMinimumWidth(480);
}

void CPlotterConfig::accept() {
    int index = m_combo->currentIndex();
    if (index < 0) {
        reject();
        return;
    }
    {
        // While the choice is stored (and the cutter asked) the dialog says so and takes no input.
        WaitCursor wait;
        QString oldTitle = windowTitle();
        setWindowTitle(uiText(m_texts, TextId::UpdatingPortData));
        setEnabled(false);
        if (m_store) m_store(index);
        setEnabled(true);
        setWindowTitle(oldTitle);
    }
    QDialog::accept();
}

}  // namespace sartovin
