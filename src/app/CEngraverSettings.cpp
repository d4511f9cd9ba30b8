#include "app/CEngraverSettings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "widgets/DialogButtons.h"
#include "widgets/UiText.h"

namespace sartovin {

CEngraverSettings::CEngraverSettings(EngraverSettingsModel& model, const Texts& texts, Interaction& ui,
                                     QWidget* parent)
    : QDialog(parent), m_model(model), m_texts(texts), m_ui(ui) {
    setObjectName("CEngraverSettings");
    setWindowTitle(uiText(texts, TextId::EngraverSettingsTitle));

    m_resolution = new QComboBox(this);
    m_resolution->setObjectName("resolution");
    for (int dpi : EngraverSettingsModel::resolutions()) {
        m_resolution->addItem(QString::number(dpi), dpi);
        if (dpi == model.resolution()) m_resolution->setCurrentIndex(m_resolution->count() - 1);
    }
    auto pageEdit = [this](const char* name, int value) {
        auto* edit = new QSpinBox(this);
        edit->setObjectName(name);
        edit->setRange(EngraverSettingsModel::kMinPage, EngraverSettingsModel::kMaxPage);
        edit->setValue(value);
        return edit;
    };
    m_width = pageEdit("pageWidth", model.pageWidth());
    m_height = pageEdit("pageHeight", model.pageHeight());

    auto* form = new QFormLayout;
    form->addRow(uiText(texts, TextId::EngraverResolution), m_resolution);
    form->addRow(uiText(texts, TextId::EngraverPageWidth), m_width);
    form->addRow(uiText(texts, TextId::EngraverPageHeight), m_height);
    auto* path = new QLabel(toQt(model.path()), this);
    path->setObjectName("path");
    path->setTextInteractionFlags(Qt::TextSelectableByMouse);

    const DialogButtons buttons = okCancelButtons(this, QStringLiteral("OK"), uiText(texts, TextId::CancelButton));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(path);
    layout->addLayout(buttons.row);
}

void CEngraverSettings::accept() {
    m_model.setResolution(m_resolution->currentData().toInt());
    m_model.setPageWidth(m_width->value());
    m_model.setPageHeight(m_height->value());
    // A file that cannot be written is said (text 450 with the path); the dialog closes either
    // way, as the driver's own did.
    m_model.store(m_texts, m_ui);
    QDialog::accept();
}

}  // namespace sartovin
