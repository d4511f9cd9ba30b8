#pragma once
// The status window of the plot run: a text, a progress bar and the cancel button. It is created
// once and kept; plot generation sets its range, position and text, the delivery its text, and
// the cancel button sets the request flag the writers poll while they generate.

#include <QDialog>
#include <cstdint>

#include "device/DeliveryStatus.h"
#include "plot/PlotProgress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace sartovin {

class CStatus : public QDialog, public PlotProgress, public DeliveryStatus {
    Q_OBJECT
public:
    /// `owner` is the window the status window is centred over (may be null).
    explicit CStatus(QWidget* owner = nullptr);

    // PlotProgress
    void setRange(std::int64_t low, std::int64_t high) override;
    void setPosition(std::int64_t position) override;
    void setText(const std::string& text) override;
    void show() override;
    void hide() override;
    bool cancelRequested() const override { return m_cancel; }
    void clearCancel() override { m_cancel = false; }
    // DeliveryStatus
    void hideProgress() override;

    /// Shows the window over its owner, the bar visible again.
    void showCentred();

    QLabel* textLabel() const { return m_text; }
    QProgressBar* progressBar() const { return m_bar; }
    QPushButton* cancelButton() const { return m_cancelButton; }

protected:
    /// Closing the window by its frame asks for cancelling, as the button does; the window stays
    /// the run's to hide.
    void reject() override;

private:
    void showPosition();

    QWidget* m_owner = nullptr;
    QLabel* m_text = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancelButton = nullptr;
    bool m_cancel = false;
    std::int64_t m_low = 0;
    std::int64_t m_high = 100;
    std::int64_t m_position = 0;
};

}  // namespace sartovin
