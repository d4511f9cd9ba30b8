#pragma once
// The layers page: a thin view of LayerSelectionModel. The check-box tree shows the model's
// entries; ticking, selecting and the edits of the selected entry call the model.

#include <QWidget>

#include "base/StartMode.h"
#include "pages/LayerSelectionModel.h"

class QCheckBox;
class QComboBox;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace sartovin {

class SpinEdit;

class CLayerTab : public QWidget {
    Q_OBJECT
public:
    CLayerTab(LayerSelectionModel& model, const Texts& texts, StartMode startMode, QWidget* parent = nullptr);

    /// Rebuilds the tree from the model's entries and shows the selected entry's values.
    void refresh();
    /// The names of the preset list (the current plotter's media) and of the tool list.
    void setCatalogNames(const std::vector<std::string>& media, const std::vector<std::string>& tools);

    QTreeWidget* tree() const { return m_tree; }
    /// The tree item of model entry `entry`, or null.
    QTreeWidgetItem* itemOf(int entry) const;
    QCheckBox* individualBox() const { return m_individual; }
    QRadioButton* byColoursButton() const { return m_byColours; }
    QCheckBox* useMarksBox() const { return m_useMarks; }
    SpinEdit* edit(LayerField field) const;

signals:
    /// What is cut changed: the layout and the preview follow.
    void changed();
    /// "Use Registration Marks" asks for the plotter selection to run again.
    void plotterSelectionRequested();

private:
    void showValues();
    void showChecks();
    SpinEdit* addEdit(LayerField field, const char* name);

    LayerSelectionModel& m_model;
    const Texts& m_texts;
    QRadioButton* m_byLayers = nullptr;
    QRadioButton* m_byColours = nullptr;
    QRadioButton* m_allObjects = nullptr;
    QRadioButton* m_onlySelected = nullptr;
    QCheckBox* m_shrink = nullptr;
    QCheckBox* m_pause = nullptr;
    QCheckBox* m_individual = nullptr;
    QCheckBox* m_useMarks = nullptr;
    QTreeWidget* m_tree = nullptr;
    QComboBox* m_preset = nullptr;
    QComboBox* m_tool = nullptr;
    SpinEdit* m_speed = nullptr;
    SpinEdit* m_force = nullptr;
    SpinEdit* m_repeat = nullptr;
    bool m_building = false;
};

}  // namespace sartovin
