#pragma once
// The engraver settings dialog: the resolution and the page size the laser job is made for. OK
// writes the engraver's definition file; the rules are the model's.

#include <QDialog>

#include "base/Texts.h"
#include "pages/EngraverSettingsModel.h"
#include "platform/Interaction.h"

class QComboBox;
class QSpinBox;

namespace sartovin {

class CEngraverSettings : public QDialog {
    Q_OBJECT
public:
    /// `model`, `texts` and `ui` outlive the dialog.
    CEngraverSettings(EngraverSettingsModel& model, const Texts& texts, Interaction& ui,
                      QWidget* parent = nullptr);

    void accept() override;

    QComboBox* resolutionList() const { return m_resolution; }
    QSpinBox* pageWidthEdit() const { return m_width; }
    QSpinBox* pageHeightEdit() const { return m_height; }

private:
    EngraverSettingsModel& m_model;
    const Texts& m_texts;
    Interaction& m_ui;
    QComboBox* m_resolution = nullptr;
    QSpinBox* m_width = nullptr;
    QSpinBox* m_height = nullptr;
};

}  // namespace sartovin
