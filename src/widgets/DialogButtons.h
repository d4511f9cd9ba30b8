#pragma once
// The OK and Cancel buttons of the program's small dialogs, right-aligned in one row: OK is the
// default button and accepts the dialog, Cancel rejects it. Tests find them by their object names
// "okButton" and "cancelButton".

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QString>

namespace sartovin {

struct DialogButtons {
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QHBoxLayout* row = nullptr;  ///< for the dialog's layout to take
};

/// Makes the two buttons of `dialog` with the labels given and connects them to its accept()
/// (the dialog's own, when it overrides it) and reject().
inline DialogButtons okCancelButtons(QDialog* dialog, const QString& okLabel, const QString& cancelLabel) {
    DialogButtons b;
    b.ok = new QPushButton(okLabel, dialog);
    b.ok->setObjectName("okButton");
    b.ok->setDefault(true);
    b.cancel = new QPushButton(cancelLabel, dialog);
    b.cancel->setObjectName("cancelButton");
    QObject::connect(b.ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(b.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    b.row = new QHBoxLayout;
    b.row->addStretch();
    b.row->addWidget(b.ok);
    b.row->addWidget(b.cancel);
    return b;
}

}  // namespace sartovin
