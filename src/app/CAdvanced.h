#pragma once
// The cutter page: what the cutter reported about itself (model, firmware, its own settings) as the
// plotter record holds it, the choices sent back to it, and the buttons that ask the cutter again,
// send the settings, start the display tool and cut a test pattern. The exchange itself is the
// device code's; this page shows the record and builds the choice.

#include <QWidget>
#include <string>
#include <vector>

#include "base/Settings.h"
#include "base/StartMode.h"
#include "catalog/PlotterRecord.h"
#include "device/CutterSettingsRules.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace sartovin {

class SpinEdit;
class Texts;

class CAdvanced : public QWidget {
    Q_OBJECT
public:
    CAdvanced(const Settings& settings, const Texts& texts, StartMode startMode, QWidget* parent = nullptr);

    /// The current cutter (may be null) and the quality list of the options page.
    void setPlotter(const PlotterRecord* plotter, const std::vector<std::string>& qualityNames);
    /// Shows the stored settings of the current cutter.
    void refresh();
    /// The tab's choices as the send-settings button sends them.
    CutterSettingsChoice choice() const;

    QLineEdit* modelField() const { return m_model; }
    QLineEdit* firmwareField() const { return m_firmware; }
    QComboBox* offsetList() const { return m_offset; }
    SpinEdit* pressureEdit() const { return m_pressure; }

signals:
    void reloadRequested();
    void sendRequested(const std::string& commands);
    void displayToolRequested();
    void testCutRequested();

private:
    Settings m_settings;  // a copy: it is only the file's path
    const Texts& m_texts;
    StartMode m_startMode = 1;
    const PlotterRecord* m_plotter = nullptr;
    QLineEdit* m_model = nullptr;
    QLineEdit* m_firmware = nullptr;
    SpinEdit* m_pressure = nullptr;
    QLineEdit* m_speed = nullptr;
    QComboBox* m_offset = nullptr;
    QComboBox* m_quality = nullptr;
    QRadioButton* m_light = nullptr;
    QRadioButton* m_heavy = nullptr;
    QRadioButton* m_unrollOn = nullptr;
    QRadioButton* m_unrollOff = nullptr;
    QRadioButton* m_smoothOn = nullptr;
    QRadioButton* m_smoothOff = nullptr;
    QRadioButton* m_roll = nullptr;
    QRadioButton* m_sheet = nullptr;
    QRadioButton* m_edge = nullptr;
    QCheckBox* m_cutInit = nullptr;
    std::vector<QWidget*> m_modelControls;  // hidden while no model is known
};

}  // namespace sartovin
