#pragma once
// The port configuration dialog: one drop-down list of every connection found (USB printer
// devices, GCC USB ports, serial ports, printers), the stored one preselected. OK hands the chosen
// item to the store callback while the dialog shows that it stores. Which items are listed, which
// is preselected, when no dialog is needed and what an item stores are the list's and the device
// session's rules.

#include <QDialog>
#include <functional>

#include "base/Texts.h"
#include "device/PlotterPortList.h"

class QComboBox;
class QGroupBox;
class QLabel;

namespace sartovin {

class CPlotterConfig : public QDialog {
    Q_OBJECT
public:
    /// Stores the item at the given index of the list.
    using Store = std::function<void(int index)>;

    /// `list` and `texts` outlive the dialog.
    CPlotterConfig(const PlotterPortList& list, const Texts& texts, Store store, QWidget* parent = nullptr);

    QComboBox* list() const { return m_combo; }
    /// The note that no cutter was found; null when one was.
    QLabel* noCutterNote() const { return m_noCutter; }

    void accept() override;

private:
    const Texts& m_texts;
    Store m_store;
    QComboBox* m_combo = nullptr;
    QGroupBox* m_group = nullptr;
    QLabel* m_noCutter = nullptr;
};

}  // namespace sartovin
