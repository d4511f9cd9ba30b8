#pragma once
// The language dialog of start-up and of the language button: one drop-down list and OK.

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;

namespace sartovin {

class CLanguageChoice : public QDialog {
    Q_OBJECT
public:
    /// `items` are shown in order ("Deutsch", "English", "France"); `preselected` is selected
    /// when it names an entry.
    CLanguageChoice(const std::string& title, const std::vector<std::string>& items, int preselected,
                    QWidget* parent = nullptr);

    /// The selected list index after OK; -1 when nothing is selected.
    int selectedIndex() const;
    QComboBox* list() const { return m_list; }

private:
    QComboBox* m_list = nullptr;
};

}  // namespace sartovin
