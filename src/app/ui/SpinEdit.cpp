#include "app/ui/SpinEdit.h"

#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <climits>

#include "app/ui/UiText.h"

namespace sartovin {

SpinEdit::SpinEdit(QWidget* parent) : QSpinBox(parent) {
    setRange(INT_MIN, INT_MAX);
    setKeyboardTracking(false);
    setAccelerated(false);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setLocale(QLocale::c());
    setGroupSeparatorShown(false);
    setMinimumWidth(70);
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
    setMinimumWidth(80);
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

void OffsetSpinEdit::stepBy(int steps) {
    if (!onStep) return;
    int request = steps > 0 ? -1 : 1;
    for (int i = 0; i < (steps > 0 ? steps : -steps); ++i) showValue(onStep(request));
    selectAll();
}

}  // namespace sartovin
