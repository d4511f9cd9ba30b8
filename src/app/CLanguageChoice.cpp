#include "app/CLanguageChoice.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/UiText.h"

namespace sartovin {

CLanguageChoice::CLanguageChoice(const std::string& title, const std::vector<std::string>& items,
                                 int preselected, QWidget* parent)
    : QDialog(parent) {
    setObjectName("CLanguageChoice");
    setWindowTitle(toQt(title));
    m_list = new QComboBox(this);
    m_list->setObjectName("languageList");
    for (const std::string& item : items) m_list->addItem(toQt(item));
    m_list->setCurrentIndex(preselected >= 0 && preselected < m_list->count() ? preselected : -1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    setMinimumWidth(300);
}

int CLanguageChoice::selectedIndex() const { return m_list->currentIndex(); }

}  // namespace sartovin
