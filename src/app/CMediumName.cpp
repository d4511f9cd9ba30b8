#include "app/CMediumName.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/DialogButtons.h"
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
    const QString ok = uiText(texts, TextId::OkButton);
    const DialogButtons buttons =
        okCancelButtons(this, ok.isEmpty() ? QStringLiteral("OK") : ok, uiText(texts, TextId::CancelButton));
    m_ok = buttons.ok;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_edit);
    layout->addLayout(buttons.row);
    setMinimumWidth(360);
}

std::string CMediumName::name() const { return fromQt(m_edit->text()); }

}  // namespace sartovin
