#pragma once
// The layout page: a thin view of LayoutModel (medium size and format, job size, rotation and
// mirror, position, copies and their distances). Edits hand their text to the model when they
// lose the focus or their spin button moves, and show what the model kept.

#include <QWidget>

#include "layout/LayoutModel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sartovin {

class SpinEdit;
class Texts;

class CGeneralTab : public QWidget {
    Q_OBJECT
public:
    CGeneralTab(LayoutModel& model, const Texts& texts, QWidget* parent = nullptr);

    /// Shows the model's current values.
    void refresh();

    SpinEdit* mediumWidthEdit() const { return m_mediumWidth; }
    SpinEdit* mediumHeightEdit() const { return m_mediumHeight; }
    QLineEdit* jobWidthEdit() const { return m_jobWidth; }
    QLineEdit* widthPercentEdit() const { return m_widthPercent; }
    QComboBox* rotationList() const { return m_rotation; }
    SpinEdit* copiesEdit() const { return m_copies; }
    QPushButton* mediaQueryButton() const { return m_query; }

signals:
    /// The layout changed: the preview redraws.
    void changed();
    /// The button beside the medium size: read the loaded medium from the cutter.
    void mediaQueryRequested();

private:
    QLineEdit* addSizeEdit(SizeField field);
    void done();

    LayoutModel& m_model;
    const Texts& m_texts;
    SpinEdit* m_mediumWidth = nullptr;
    SpinEdit* m_mediumHeight = nullptr;
    QPushButton* m_query = nullptr;
    QLabel* m_formatLabel = nullptr;
    QComboBox* m_format = nullptr;
    QLineEdit* m_jobWidth = nullptr;
    QLineEdit* m_jobHeight = nullptr;
    QLineEdit* m_widthPercent = nullptr;
    QLineEdit* m_heightPercent = nullptr;
    QCheckBox* m_toWidth = nullptr;
    QCheckBox* m_proportional = nullptr;
    QComboBox* m_position = nullptr;
    SpinEdit* m_horizontal = nullptr;
    SpinEdit* m_vertical = nullptr;
    QComboBox* m_rotation = nullptr;
    QCheckBox* m_mirror = nullptr;
    QLabel* m_copiesLabel = nullptr;
    SpinEdit* m_copies = nullptr;
    SpinEdit* m_rows = nullptr;
    SpinEdit* m_distanceH = nullptr;
    SpinEdit* m_distanceV = nullptr;
    QCheckBox* m_sameDistance = nullptr;
    QCheckBox* m_autoDistribute = nullptr;
    QCheckBox* m_invert = nullptr;
};

}  // namespace sartovin
