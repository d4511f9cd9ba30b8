#pragma once
// The main window while a command runs: its busy flag set and the controls that must not be used
// meanwhile greyed out. When the scope ends, on every way out (a finished, failed or cancelled run,
// an early return, an exception), the flag and each control's own enabled state come back.

#include <QPointer>
#include <QWidget>
#include <initializer_list>
#include <utility>
#include <vector>

namespace sartovin {

class BusyControls {
public:
    BusyControls(bool& busy, std::initializer_list<QWidget*> controls) : m_busy(busy), m_wasBusy(busy) {
        m_busy = true;
        for (QWidget* w : controls) {
            if (!w) continue;
            // The control's own state, not what a greyed parent makes of it.
            m_controls.emplace_back(w, !w->testAttribute(Qt::WA_ForceDisabled));
            w->setEnabled(false);
        }
    }
    ~BusyControls() {
        for (auto& [w, enabled] : m_controls)
            if (w) w->setEnabled(enabled);
        m_busy = m_wasBusy;
    }
    BusyControls(const BusyControls&) = delete;
    BusyControls& operator=(const BusyControls&) = delete;

private:
    bool& m_busy;
    bool m_wasBusy;
    std::vector<std::pair<QPointer<QWidget>, bool>> m_controls;
};

}  // namespace sartovin
