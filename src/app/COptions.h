#pragma once
// The options page: a thin view of OptionsModel. Every edit hands its text or spin step to the
// model and shows what the model kept; check boxes, lists and radio buttons call the model's
// operations. What the other pages and the preview must follow is announced by `changed`.

#include <QWidget>
#include <map>

#include "pages/OptionsModel.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace sartovin {

class SpinEdit;
class OffsetSpinEdit;

class COptions : public QWidget {
    Q_OBJECT
public:
    COptions(OptionsModel& model, const Texts& texts, QWidget* parent = nullptr);

    /// Shows the model's current values (after a plotter or medium change).
    void refresh();

    SpinEdit* edit(OptionField field) const;
    OffsetSpinEdit* offsetEdit() const { return m_offset; }
    QCheckBox* gridBox() const { return m_grid; }
    QCheckBox* overcutBox() const { return m_overcutOn; }
    QCheckBox* usePlotterSettingsBox() const { return m_usePlotterSettings; }
    QComboBox* qualityList() const { return m_quality; }
    QComboBox* toolList() const { return m_tool; }
    QSlider* bladeSlider() const { return m_blade; }
    QPushButton* saveButton() const { return m_save; }
    /// The second save command (a disk button beside the tool list).
    QPushButton* secondSaveButton() const { return m_secondSave; }
    QPushButton* testCutButton() const { return m_testCut; }
    /// Laser edition: button 1221 "Details", the engraver settings.
    QPushButton* detailsButton() const { return m_details; }

signals:
    /// A value changed that the layout, the layer page or the preview depend on.
    void changed();
    void saveRequested();
    void secondSaveRequested();
    void testCutRequested();
    void testCutModeChanged(bool on);
    void displayToolRequested();
    void detailsRequested();

private:
    SpinEdit* addEdit(OptionField field);
    void showEnabledState();
    void showBlade();

    OptionsModel& m_model;
    const Texts& m_texts;
    std::map<OptionField, SpinEdit*> m_edits;
    QGroupBox* m_parameters = nullptr;
    QCheckBox* m_grid = nullptr;
    QCheckBox* m_overcutOn = nullptr;
    QCheckBox* m_usePlotterSettings = nullptr;
    QComboBox* m_quality = nullptr;
    QComboBox* m_tool = nullptr;
    OffsetSpinEdit* m_offset = nullptr;
    QSlider* m_blade = nullptr;
    QLabel* m_bladePicture = nullptr;
    QButtonGroup* m_endPosition = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_secondSave = nullptr;
    QCheckBox* m_testCutMode = nullptr;
    QPushButton* m_testCut = nullptr;
    QPushButton* m_vlcd = nullptr;
    QComboBox* m_rasterDpi = nullptr;
    QPushButton* m_details = nullptr;
    QCheckBox* m_smooth = nullptr;
    QCheckBox* m_cutOut = nullptr;
    QCheckBox* m_clean = nullptr;
    QCheckBox* m_raster = nullptr;
    std::vector<QWidget*> m_cuttingControls;  // off while the cutter's own settings are used
};

}  // namespace sartovin
