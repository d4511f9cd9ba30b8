#include "app/CLayerTab.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/StartMode.h"
#include "widgets/SpinEdit.h"
#include "widgets/UiText.h"

namespace sartovin {

namespace {
constexpr int kEntryRole = Qt::UserRole + 1;
}  // namespace

SpinEdit* CLayerTab::addEdit(LayerField field, const char* name) {
    auto* e = new SpinEdit(this);
    e->setObjectName(name);
    e->onEdit = [this, field](const std::string& t) {
        int v = m_model.editValue(field, t);
        refresh();
        return v;
    };
    e->onStep = [this, field](int r) {
        int v = m_model.spinValue(field, r);
        refresh();
        return v;
    };
    return e;
}

SpinEdit* CLayerTab::edit(LayerField field) const {
    switch (field) {
        case LayerField::Speed:
            return m_speed;
        case LayerField::Force:
            return m_force;
        case LayerField::RepeatCount:
            return m_repeat;
    }
    return nullptr;
}

CLayerTab::CLayerTab(LayerSelectionModel& model, const Texts& texts, StartMode startMode, QWidget* parent)
    : QWidget(parent), m_model(model), m_texts(texts) {
    setObjectName("CLayerTab");
    auto tip = [&](QWidget* w, TextId id) { w->setToolTip(uiText(texts, id)); };

    auto* choice = new QGroupBox(this);
    auto* cl = new QVBoxLayout(choice);
    m_byLayers = new QRadioButton(uiText(texts, TextId::LayerSelection), choice);
    m_byLayers->setObjectName("byLayers");
    tip(m_byLayers, TextId::TipByLayers);
    m_byColours = new QRadioButton(uiText(texts, TextId::SelectColour), choice);
    m_byColours->setObjectName("byColours");
    tip(m_byColours, TextId::TipByColours);
    auto* kind = new QButtonGroup(this);
    kind->addButton(m_byLayers);
    kind->addButton(m_byColours);
    m_allObjects = new QRadioButton(uiText(texts, TextId::AllObjects), choice);
    m_allObjects->setObjectName("allObjects");
    tip(m_allObjects, TextId::TipAllObjects);
    // The host that marked the objects names the second choice.
    const TextId onlyMarked = startMode.isIllustrator() ? TextId::OnlyIllustratorMarked
                              : startMode.isInkscape()  ? TextId::OnlyInkscapeMarked
                                                        : TextId::OnlyCorelMarked;
    m_onlySelected = new QRadioButton(uiText(texts, onlyMarked), choice);
    m_onlySelected->setObjectName("onlySelected");
    tip(m_onlySelected, TextId::TipOnlySelected);
    auto* objects = new QButtonGroup(this);
    objects->addButton(m_allObjects);
    objects->addButton(m_onlySelected);
    m_shrink = new QCheckBox(uiText(texts, TextId::ShrinkToSelection), choice);
    m_shrink->setObjectName("shrink");
    tip(m_shrink, TextId::TipShrinkToSelection);
    m_pause = new QCheckBox(uiText(texts, TextId::PauseBetweenGroups), choice);
    m_pause->setObjectName("pause");
    tip(m_pause, TextId::TipPauseBetweenGroups);
    m_individual = new QCheckBox(uiText(texts, TextId::IndividualParameters), choice);
    m_individual->setObjectName("individualParameters");
    tip(m_individual, TextId::TipIndividualParameters);
    m_useMarks = new QCheckBox(uiText(texts, TextId::UseRegistrationMarks), choice);
    m_useMarks->setObjectName("useMarks");
    tip(m_useMarks, TextId::TipUseRegistrationMarks);
    for (QWidget* w : std::initializer_list<QWidget*>{m_byLayers, m_byColours, m_allObjects, m_onlySelected,
                                                      m_shrink, m_pause, m_individual, m_useMarks})
        cl->addWidget(w);
    cl->addStretch();

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName("layerTree");
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    tip(m_tree, TextId::TipLayerTree);

    auto* values = new QGroupBox(this);
    auto* vg = new QGridLayout(values);
    m_preset = new QComboBox(values);
    m_preset->setObjectName("preset");
    m_tool = new QComboBox(values);
    m_tool->setObjectName("tool");
    m_speed = addEdit(LayerField::Speed, "speed");
    m_force = addEdit(LayerField::Force, "force");
    m_repeat = addEdit(LayerField::RepeatCount, "repeatCount");
    vg->addWidget(new QLabel(uiText(texts, TextId::Medium), values), 0, 0);
    vg->addWidget(m_preset, 0, 1);
    vg->addWidget(new QLabel(uiText(texts, TextId::Speed), values), 1, 0);
    vg->addWidget(m_speed, 1, 1);
    vg->addWidget(new QLabel(uiText(texts, TextId::Force), values), 2, 0);
    vg->addWidget(m_force, 2, 1);
    vg->addWidget(new QLabel(uiText(texts, TextId::Repetitions), values), 3, 0);
    vg->addWidget(m_repeat, 3, 1);
    vg->addWidget(new QLabel(uiText(texts, TextId::Tool), values), 4, 0);
    vg->addWidget(m_tool, 4, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(m_tree, 1);
    right->addWidget(values);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(choice, 1);
    layout->addLayout(right, 1);

    connect(m_byLayers, &QRadioButton::toggled, this, [this](bool on) {
        if (m_building) return;
        m_model.setByLayers(on);
        refresh();
        emit changed();
    });
    connect(m_allObjects, &QRadioButton::toggled, this, [this](bool on) {
        if (m_building) return;
        m_model.setAllObjects(on);
        emit changed();
    });
    connect(m_shrink, &QCheckBox::toggled, this, [this](bool on) {
        if (m_building) return;
        m_model.setShrinkToSelection(on);
        emit changed();
    });
    connect(m_pause, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_building) m_model.setPauseBetweenPasses(on);
    });
    connect(m_individual, &QCheckBox::toggled, this, [this](bool on) {
        if (m_building) return;
        m_model.setIndividualParameters(on);
        refresh();
        emit changed();
    });
    connect(m_useMarks, &QCheckBox::toggled, this, [this](bool on) {
        if (m_building) return;
        m_model.setUseMarks(on);
        if (m_model.takePlotterSelectionRequest()) emit plotterSelectionRequested();
    });
    connect(m_tree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int) {
        if (m_building) return;
        int entry = item->data(0, kEntryRole).toInt();
        std::size_t before = m_model.entries().size();
        m_model.setChecked(entry, item->checkState(0) == Qt::Checked);
        // The item that reports the change must outlive its signal: a tree whose entries stay
        // is updated in place, a changed one is rebuilt once the signal has returned.
        if (m_model.entries().size() == before)
            showChecks();
        else
            QMetaObject::invokeMethod(this, &CLayerTab::refresh, Qt::QueuedConnection);
        emit changed();
    });
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item, QTreeWidgetItem*) {
        if (m_building || !item) return;
        m_model.selectEntry(item->data(0, kEntryRole).toInt());
        showValues();
    });
    connect(m_preset, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        m_model.setPreset(i);
        refresh();
    });
    connect(m_tool, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        m_model.setTool(i);
        refresh();
    });
    refresh();
}

void CLayerTab::setCatalogNames(const std::vector<std::string>& media,
                                const std::vector<std::string>& tools) {
    QSignalBlocker b1(m_preset), b2(m_tool);
    m_preset->clear();
    for (const std::string& n : media) m_preset->addItem(toQt(n));
    m_tool->clear();
    for (const std::string& n : tools) m_tool->addItem(toQt(n));
    showValues();
}

QTreeWidgetItem* CLayerTab::itemOf(int entry) const {
    QTreeWidgetItemIterator it(m_tree);
    for (; *it; ++it)
        if ((*it)->data(0, kEntryRole).toInt() == entry) return *it;
    return nullptr;
}

void CLayerTab::refresh() {
    m_building = true;
    m_byLayers->setChecked(m_model.byLayers());
    m_byColours->setChecked(!m_model.byLayers());
    m_allObjects->setChecked(m_model.allObjects());
    m_onlySelected->setChecked(!m_model.allObjects());
    m_onlySelected->setEnabled(m_model.onlySelectedAvailable());
    m_shrink->setChecked(m_model.shrinkToSelection());
    m_pause->setChecked(m_model.pauseBetweenPasses());
    m_individual->setChecked(m_model.individualParameters());
    m_individual->setEnabled(m_model.individualParametersEnabled());
    m_useMarks->setChecked(m_model.useMarks());

    m_tree->clear();
    QTreeWidgetItem* root = nullptr;
    QTreeWidgetItem* current = nullptr;
    const std::vector<LayerEntry>& entries = m_model.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const LayerEntry& e = entries[i];
        QTreeWidgetItem* item = nullptr;
        if (e.kind == LayerEntry::Kind::Root || !root) {
            item = new QTreeWidgetItem(m_tree);
            if (e.kind == LayerEntry::Kind::Root) root = item;
        } else {
            item = new QTreeWidgetItem(root);
        }
        item->setText(0, toQt(e.text));
        item->setData(0, kEntryRole, static_cast<int>(i));
        if (e.kind != LayerEntry::Kind::Root) {
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(0, e.checked ? Qt::Checked : Qt::Unchecked);
        }
        if (static_cast<int>(i) == m_model.currentEntry()) current = item;
    }
    m_tree->expandAll();
    if (current) m_tree->setCurrentItem(current);
    m_building = false;
    showValues();
}

void CLayerTab::showChecks() {
    m_building = true;
    const std::vector<LayerEntry>& entries = m_model.entries();
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        int entry = (*it)->data(0, kEntryRole).toInt();
        if (entry >= 0 && entry < static_cast<int>(entries.size()) &&
            entries[static_cast<std::size_t>(entry)].kind != LayerEntry::Kind::Root) {
            (*it)->setCheckState(
                0, entries[static_cast<std::size_t>(entry)].checked ? Qt::Checked : Qt::Unchecked);
            (*it)->setText(0, toQt(entries[static_cast<std::size_t>(entry)].text));
        }
    }
    m_building = false;
}

void CLayerTab::showValues() {
    CutSettings v = m_model.currentValues();
    bool individual = m_model.individualParameters();
    for (QWidget* w : std::initializer_list<QWidget*>{m_preset, m_tool, m_speed, m_force, m_repeat})
        w->setEnabled(individual);
    QSignalBlocker b1(m_preset), b2(m_tool);
    m_preset->setCurrentIndex(v.preset < m_preset->count() ? v.preset : -1);
    m_tool->setCurrentIndex(v.tool < m_tool->count() ? v.tool : -1);
    m_speed->showValue(v.speed);
    m_force->showValue(v.force);
    m_repeat->showValue(v.repetitions);
}

}  // namespace sartovin
