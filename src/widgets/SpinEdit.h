#pragma once
// An integer edit with spin buttons whose checking belongs to a model: leaving the field (or
// Enter) hands the typed text to `onEdit`, every spin step hands the up-down control's request
// (negative upward, positive downward) to `onStep`; each returns the value to show. The control
// itself limits nothing, so what the user sees is always what the model kept.

#include <QDoubleSpinBox>
#include <QSpinBox>
#include <functional>
#include <string>

namespace sartovin {

class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    std::function<int(const std::string& text)> onEdit;
    std::function<int(int request)> onStep;

    /// Shows `value` without running the model's check.
    void showValue(int value);

    void stepBy(int steps) override;
    /// As wide as the values the models allow, not as the control's unlimited range.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

private:
    void commit();
};

/// The same for the offset edit, shown with three decimals.
class OffsetSpinEdit : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit OffsetSpinEdit(QWidget* parent = nullptr);

    std::function<double(const std::string& text)> onEdit;
    std::function<double(int request)> onStep;

    void showValue(double value);

    void stepBy(int steps) override;
    /// As wide as the values the models allow, not as the control's unlimited range.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    /// A decimal point or a decimal comma are both taken, whatever the user's locale; the model
    /// decides what the text means.
    QValidator::State validate(QString& text, int& pos) const override;
    double valueFromText(const QString& text) const override;
    QString textFromValue(double value) const override;

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

private:
    void commit();
};

}  // namespace sartovin
