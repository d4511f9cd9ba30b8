#pragma once
// The settings window of the registration-marks variant: the values the plug-in draws the marks
// with and the two requests it waits for. A thin view of MarksSettingsModel; after either request
// or Abbrechen the window closes and the program ends.

#include <QDialog>

#include "pages/MarksSettingsModel.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace sartovin {

class CMarksSettingsDlg : public QDialog {
    Q_OBJECT
public:
    CMarksSettingsDlg(MarksSettingsModel& model, QWidget* parent = nullptr);

    QLineEdit* lengthEdit() const { return m_length; }
    QLineEdit* thicknessEdit() const { return m_thickness; }
    QPushButton* placeButton() const { return m_place; }
    QPushButton* removeButton() const { return m_remove; }

private:
    void takeEdits();
    void showEnabledState();
    void finish(MarksSettingsModel::Outcome outcome);

    MarksSettingsModel& m_model;
    QLineEdit* m_length = nullptr;
    QLineEdit* m_thickness = nullptr;
    QLineEdit* m_margin = nullptr;
    QComboBox* m_format = nullptr;
    QCheckBox* m_useHor = nullptr;
    QLineEdit* m_xStep = nullptr;
    QCheckBox* m_useVert = nullptr;
    QLineEdit* m_yStep = nullptr;
    QRadioButton* m_cameo = nullptr;
    QRadioButton* m_sd = nullptr;
    QPushButton* m_place = nullptr;
    QPushButton* m_remove = nullptr;
};

}  // namespace sartovin
