#include "widgets/SpinEdit.h"

#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <algorithm>
#include <climits>

#include "base/EditText.h"
#include "platform/Decimal.h"
#include "widgets/UiText.h"

namespace sartovin {

SpinEdit::SpinEdit(QWidget* parent) : QSpinBox(parent) {
    setRange(INT_MIN, INT_MAX);
    setKeyboardTracking(false);
    setAccelerated(false);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setLocale(QLocale::c());
    setGroupSeparatorShown(false);
    setMinimumWidth(60);
    connect(this, &QAbstractSpinBox::editingFinished, this, &SpinEdit::commit);
}

void SpinEdit::showValue(int value) {
    QSignalBlocker block(this);
    setValue(value);
}

void SpinEdit::commit() {
    if (!onEdit) return;
    showValue(onEdit(fromQt(lineEdit()->text())));
}

void SpinEdit::stepBy(int steps) {
    if (!onStep) return;
    // A step starts from what the field shows: text typed but not yet taken is taken first.
    if (onEdit && lineEdit()->text() != textFromValue(value())) commit();
    // The up arrow asks upward, which the up-down control reports as a negative request.
    int request = steps > 0 ? -1 : 1;
    for (int i = 0; i < (steps > 0 ? steps : -steps); ++i) showValue(onStep(request));
    selectAll();
}

OffsetSpinEdit::OffsetSpinEdit(QWidget* parent) : QDoubleSpinBox(parent) {
    setDecimals(3);
    setRange(-1e6, 1e6);
    setKeyboardTracking(false);
    setLocale(QLocale::c());
    setGroupSeparatorShown(false);
    setMinimumWidth(60);
    connect(this, &QAbstractSpinBox::editingFinished, this, &OffsetSpinEdit::commit);
}

void OffsetSpinEdit::showValue(double value) {
    QSignalBlocker block(this);
    setValue(value);
}

void OffsetSpinEdit::commit() {
    if (!onEdit) return;
    showValue(onEdit(fromQt(lineEdit()->text())));
}

QValidator::State OffsetSpinEdit::validate(QString& text, int&) const {
    for (QChar c : text)
        if (!c.isDigit() && c != '.' && c != ',' && c != '-' && c != '+' && c != ' ')
            return QValidator::Invalid;
    return QValidator::Acceptable;
}

double OffsetSpinEdit::valueFromText(const QString& text) const { return parseEditDouble(fromQt(text)); }

QString OffsetSpinEdit::textFromValue(double value) const { return toQt(formatDecimal(value, decimals())); }

void OffsetSpinEdit::stepBy(int steps) {
    if (!onStep) return;
    if (onEdit && lineEdit()->text() != textFromValue(value())) commit();
    int request = steps > 0 ? -1 : 1;
    for (int i = 0; i < (steps > 0 ? steps : -steps); ++i) showValue(onStep(request));
    selectAll();
}

namespace {
constexpr int kEditWidth = 100;
QSize narrowed(QSize s) {
    s.setWidth(std::min(s.width(), kEditWidth));
    return s;
}
}  // namespace

QSize SpinEdit::sizeHint() const { return narrowed(QSpinBox::sizeHint()); }
QSize SpinEdit::minimumSizeHint() const { return narrowed(QSpinBox::minimumSizeHint()); }
QSize OffsetSpinEdit::sizeHint() const { return narrowed(QDoubleSpinBox::sizeHint()); }
QSize OffsetSpinEdit::minimumSizeHint() const { return narrowed(QDoubleSpinBox::minimumSizeHint()); }

}  // namespace sartovin
