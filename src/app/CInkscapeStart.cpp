#include "app/CInkscapeStart.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/UiText.h"

namespace sartovin {

namespace {}  // namespace

CInkscapeStart::CInkscapeStart(const std::string& text, const Texts& texts, QWidget* parent)
    : QDialog(parent) {
    setObjectName("CInkscapeStart");
    QString title = uiText(texts, TextId::InkscapeHintTitle);
    setWindowTitle(title.isEmpty() ? QStringLiteral("Sartovin") : title);
    auto* label = new QLabel(toQt(text), this);
    label->setObjectName("hintText");
    label->setWordWrap(true);
    m_hide = new QCheckBox(uiText(texts, TextId::InkscapeHintHide), this);
    m_hide->setObjectName("hideHint");
    QString ok = uiText(texts, TextId::InkscapeHintOk);
    m_ok = new QPushButton(ok.isEmpty() ? QStringLiteral("OK") : ok, this);
    m_ok->setObjectName("okButton");
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_hide);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

bool CInkscapeStart::hideAgain() const { return m_hide->isChecked(); }

}  // namespace sartovin
