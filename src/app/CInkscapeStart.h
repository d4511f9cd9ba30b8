#pragma once
// The hint shown before Inkscape converts the drawing (text 344), with the choice not to see it
// again. OK goes on; closing the window ends the import.

#include <QDialog>
#include <string>

class QCheckBox;
class QPushButton;

namespace sartovin {

class Texts;

class CInkscapeStart : public QDialog {
    Q_OBJECT
public:
    CInkscapeStart(const std::string& text, const Texts& texts, QWidget* parent = nullptr);

    /// "Do not show this hint again" is ticked.
    bool hideAgain() const;
    QCheckBox* hideBox() const { return m_hide; }
    QPushButton* okButton() const { return m_ok; }

private:
    QCheckBox* m_hide = nullptr;
    QPushButton* m_ok = nullptr;
};

}  // namespace sartovin
