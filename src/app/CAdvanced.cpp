#include "app/CAdvanced.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "base/Settings.h"
#include "base/StartMode.h"
#include "device/MediaQueryReplies.h"
#include "widgets/SpinEdit.h"
#include "widgets/UiText.h"

namespace sartovin {

namespace {

QRadioButton* radio(QButtonGroup* group, const QString& text, QWidget* parent, QGridLayout* grid, int row,
                    int col) {
    auto* r = new QRadioButton(text, parent);
    group->addButton(r);
    grid->addWidget(r, row, col);
    return r;
}

bool nameHas(const std::string& name, const char* word) { return name.find(word) != std::string::npos; }

}  // namespace

CAdvanced::CAdvanced(const Settings& settings, const Texts& texts, StartMode startMode, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_texts(texts), m_startMode(startMode) {
    setObjectName("CAdvanced");
    auto tip = [&](QWidget* w, TextId id) { w->setToolTip(uiText(texts, id)); };
    auto* group = new QGroupBox(uiText(texts, TextId::CutterSettings), this);
    auto* g = new QGridLayout(group);
    int row = 0;
    auto label = [&](TextId id) {
        auto* l = new QLabel(uiText(texts, id), group);
        g->addWidget(l, row, 0);
        return l;
    };
    m_model = new QLineEdit(group);
    m_model->setObjectName("model");
    m_model->setReadOnly(true);
    label(TextId::CutterModel);
    g->addWidget(m_model, row++, 1, 1, 3);
    m_firmware = new QLineEdit(group);
    m_firmware->setObjectName("firmware");
    m_firmware->setReadOnly(true);
    label(TextId::CutterFirmware);
    g->addWidget(m_firmware, row++, 1, 1, 3);
    m_pressure = new SpinEdit(group);
    m_pressure->setObjectName("pressure");
    tip(m_pressure, TextId::TipCutterForce);
    m_pressure->onEdit = [this](const std::string& t) {
        int v = QString::fromStdString(t).trimmed().toInt();
        if (!m_plotter) return v;
        return snapPressure(v, m_plotter->maxCutForce, m_plotter->minCutForce, 0);
    };
    m_pressure->onStep = [this](int request) {
        int v = m_pressure->value();
        if (!m_plotter) return v;
        return snapPressure(v, m_plotter->maxCutForce, m_plotter->minCutForce, request);
    };
    m_modelControls.push_back(label(TextId::CutterForce));
    g->addWidget(m_pressure, row++, 1);
    m_modelControls.push_back(m_pressure);
    m_speed = new QLineEdit(group);
    m_speed->setObjectName("speed");
    m_speed->setReadOnly(true);
    m_modelControls.push_back(label(TextId::CutterSpeed));
    g->addWidget(m_speed, row++, 1);
    m_modelControls.push_back(m_speed);
    m_offset = new QComboBox(group);
    m_offset->setObjectName("offsetList");
    tip(m_offset, TextId::TipCutterOffset);
    for (const char* e : kOffsetEntries) m_offset->addItem(QString::fromLatin1(e));
    m_modelControls.push_back(label(TextId::CutterOffset));
    g->addWidget(m_offset, row++, 1);
    m_modelControls.push_back(m_offset);
    m_quality = new QComboBox(group);
    m_quality->setObjectName("quality");
    m_modelControls.push_back(label(TextId::CutterQuality));
    g->addWidget(m_quality, row++, 1);
    m_modelControls.push_back(m_quality);

    auto pair = [&](TextId titleId, TextId a, TextId b, QRadioButton*& ra, QRadioButton*& rb) {
        m_modelControls.push_back(label(titleId));
        auto* bg = new QButtonGroup(this);
        ra = radio(bg, uiText(texts, a), group, g, row, 1);
        rb = radio(bg, uiText(texts, b), group, g, row, 2);
        m_modelControls.push_back(ra);
        m_modelControls.push_back(rb);
        ++row;
        return bg;
    };
    pair(TextId::MediumWeight, TextId::MediumWeightLight, TextId::MediumWeightHeavy, m_light, m_heavy);
    pair(TextId::Unroll, TextId::SwitchOn, TextId::SwitchOff, m_unrollOn, m_unrollOff);
    pair(TextId::Smoothing, TextId::SwitchOn, TextId::SwitchOff, m_smoothOn, m_smoothOff);
    QButtonGroup* type =
        pair(TextId::MediumType, TextId::MediumTypeRoll, TextId::MediumTypeSheet, m_roll, m_sheet);
    m_edge = radio(type, uiText(texts, TextId::MediumTypeEdge), group, g, row - 1, 3);
    m_modelControls.push_back(m_edge);
    m_cutInit = new QCheckBox(uiText(texts, TextId::BladeInitialisation), group);
    m_cutInit->setObjectName("cutInit");
    tip(m_cutInit, TextId::TipCutterBladeInit);
    g->addWidget(m_cutInit, row++, 0, 1, 4);
    connect(m_cutInit, &QCheckBox::clicked, this, [this](bool on) { m_settings.setCutInit(on ? 1 : 0); });

    auto button = [&](const QString& text, const char* name, TextId tipId) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        tip(b, tipId);
        return b;
    };
    QPushButton* reload = button(QStringLiteral("\u21BB"), "reload", TextId::TipReadSettings);
    QPushButton* send = button(QStringLiteral("\u2192"), "sendSettings", TextId::TipSendSettings);
    QPushButton* vlcd = button(uiText(texts, TextId::StartVlcd), "startVlcd", TextId::TipStartVlcd);
    QPushButton* test = button(uiText(texts, TextId::TestCut), "testCut", TextId::TipTestCut);
    connect(reload, &QPushButton::clicked, this, &CAdvanced::reloadRequested);
    connect(send, &QPushButton::clicked, this,
            [this] { emit sendRequested(buildSettingsCommands(choice())); });
    connect(vlcd, &QPushButton::clicked, this, &CAdvanced::displayToolRequested);
    connect(test, &QPushButton::clicked, this, &CAdvanced::testCutRequested);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {reload, send, vlcd, test}) buttons->addWidget(b);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->addStretch();
    // Only the standard edition's cutters keep settings of their own.
    setEnabled(startMode.isStandard());
    refresh();
}

void CAdvanced::setPlotter(const PlotterRecord* plotter, const std::vector<std::string>& qualityNames) {
    m_plotter = plotter;
    QSignalBlocker b(m_quality);
    m_quality->clear();
    for (const std::string& q : qualityNames) m_quality->addItem(toQt(q));
    refresh();
}

void CAdvanced::refresh() {
    {
        QSignalBlocker b(m_cutInit);
        m_cutInit->setChecked(m_settings.cutInit() != 0);
    }
    m_offset->setCurrentIndex(0);
    std::string model =
        m_plotter ? modelFieldOfIdentification(m_plotter->identificationReply) : std::string();
    bool known = !model.empty();
    for (QWidget* w : m_modelControls) w->setVisible(known);
    if (!known) {
        m_model->clear();
        m_firmware->clear();
        m_pressure->showValue(0);
        m_speed->clear();
        return;
    }
    const auto& v = m_plotter->deviceSettings;
    m_model->setText(toQt(model));
    m_firmware->setText(toQt(m_plotter->firmware));
    m_pressure->showValue(v[1]);
    int offset = offsetEntryForMicrometres(v[2]);
    m_offset->setCurrentIndex(offset >= 0 ? offset : 0);
    (v[5] == 0 ? m_unrollOff : m_unrollOn)->setChecked(true);
    const std::string& name = m_plotter->name;
    bool speedModels =
        nameHas(name, "Puma") || nameHas(name, "Jaguar") || (nameHas(name, "Expert") && nameHas(name, "Pro"));
    if (speedModels) {
        m_speed->setText(QString::number(v[0]));
        int entry = nameHas(name, "Jaguar") ? jaguarQualityEntry(v[3])
                                            : ((v[3] == 30 || v[3] == 7) ? m_quality->count() - 1 : 0);
        if (entry >= 0 && entry < m_quality->count()) m_quality->setCurrentIndex(entry);
    } else {
        m_speed->clear();
        // The first value is the medium weight on these models: 3 is the light medium.
        (v[0] == 3 ? m_light : m_heavy)->setChecked(true);
    }
    (v[4] == 0 ? m_smoothOff : m_smoothOn)->setChecked(true);
    (v[6] == 0 ? m_roll : (v[6] == 1 ? m_sheet : m_edge))->setChecked(true);
}

CutterSettingsChoice CAdvanced::choice() const {
    CutterSettingsChoice c;
    c.offsetIndex = m_offset->currentIndex();
    c.light = m_light->isChecked();
    c.qualityIndex = m_quality->currentIndex() < 0 ? 0 : m_quality->currentIndex();
    c.smoothingOff = m_smoothOff->isChecked();
    c.unrollOn = m_unrollOn->isChecked();
    c.sheet = m_sheet->isChecked();
    c.pressure = m_pressure->value();
    c.maxForce = m_plotter ? m_plotter->maxCutForce : 0;
    return c;
}

}  // namespace sartovin
