#pragma once
// The port configuration dialog: one drop-down list of every connection found (USB printer
// devices, GCC USB ports, COM ports, printers), the stored one preselected; OK stores the choice
// in the cutter's settings section and its record. Which items are listed, which is preselected,
// what the dialog does on opening and what an item stores are PlotterPortList's rules.

#include <QDialog>
#include <functional>

#include "base/StartMode.h"
#include "device/PlotterPortList.h"

class QComboBox;
class QGroupBox;
class QPushButton;

namespace sartovin {

class CPlotterConfig : public QDialog {
    Q_OBJECT
public:
    /// `record` is the current cutter's catalog record; it receives the choice. `afterStore` (may be
    /// empty) runs once a choice was stored: the media query of the layout page.
    CPlotterConfig(StartMode startMode, PlotterRecord& record, const Settings& settings, const Texts& texts,
                   Interaction& ui, const PortSources& sources, std::function<void()> afterStore = {},
                   QWidget* parent = nullptr);

    /// Opens the dialog as its list asks: stores a single or preselected item at once, cancels an
    /// empty list, or waits for the user. Returns QDialog::Accepted when a choice was stored.
    int run();

    const PlotterPortList& portList() const { return m_list; }
    QComboBox* list() const { return m_combo; }

    void accept() override;

private:
    void store(int index);

    StartMode m_startMode = 1;
    PlotterRecord& m_record;
    Settings m_settings;  // a copy: it is only the file's path
    const Texts& m_texts;
    Interaction& m_ui;
    PlotterPortList m_list;
    std::function<void()> m_afterStore;
    QComboBox* m_combo = nullptr;
    QGroupBox* m_group = nullptr;
};

}  // namespace sartovin
