#include "app/CMediumName.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/UiText.h"

namespace sartovin {

namespace {}  // namespace

CMediumName::CMediumName(const std::string& title, const std::string& prompt, const std::string& initial,
                         const Texts& texts, QWidget* parent)
    : QDialog(parent) {
    setObjectName("CMediumName");
    setWindowTitle(toQt(title));
    auto* label = new QLabel(toQt(prompt), this);
    label->setWordWrap(true);
    m_edit = new QLineEdit(toQt(initial), this);
    m_edit->setObjectName("mediumName");
    m_ok = new QPushButton(
        uiText(texts, TextId::OkButton).isEmpty() ? QStringLiteral("OK") : uiText(texts, TextId::OkButton),
        this);
    m_ok->setObjectName("okButton");
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(uiText(texts, TextId::CancelButton), this);
    cancel->setObjectName("cancelButton");
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

std::string CMediumName::name() const { return fromQt(m_edit->text()); }

}  // namespace sartovin
