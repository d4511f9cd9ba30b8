#pragma once
// The name dialog of the new-medium command: a prompt, one line, OK and Cancel. What a name may be
// (not empty, not taken) is the media catalog's rule: it asks again through this dialog.

#include <QDialog>
#include <string>

class QLineEdit;
class QLabel;
class QPushButton;

namespace sartovin {

class Texts;

class CMediumName : public QDialog {
    Q_OBJECT
public:
    /// `title` and `prompt` are texts 93 and 94; the cancel button shows text 92.
    CMediumName(const std::string& title, const std::string& prompt, const std::string& initial,
                const Texts& texts, QWidget* parent = nullptr);

    std::string name() const;
    QLineEdit* edit() const { return m_edit; }
    QPushButton* okButton() const { return m_ok; }

private:
    QLineEdit* m_edit = nullptr;
    QPushButton* m_ok = nullptr;
};

}  // namespace sartovin
