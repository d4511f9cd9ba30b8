#include "app/CMarksSettingsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/EditText.h"
#include "widgets/UiText.h"

namespace sartovin {

CMarksSettingsDlg::CMarksSettingsDlg(MarksSettingsModel& model, QWidget* parent)
    : QDialog(parent), m_model(model) {
    setObjectName("CMarksSettingsDlg");
    setWindowTitle(toQt(model.title()));
    auto number = [this](int v, const char* name) {
        auto* e = new QLineEdit(QString::number(v), this);
        e->setObjectName(name);
        e->setMaximumWidth(80);
        return e;
    };

    auto* look = new QGroupBox(QStringLiteral("Erscheinungsbild"), this);
    auto* lg = new QGridLayout(look);
    m_length = number(model.length(), "length");
    m_thickness = number(model.thickness(), "thickness");
    m_margin = number(model.margin(), "margin");
    m_format = new QComboBox(look);
    m_format->setObjectName("format");
    for (const std::string& f : model.sheetFormats()) m_format->addItem(toQt(f));
    m_format->setCurrentIndex(model.formatIndex() < m_format->count() ? model.formatIndex() : -1);
    lg->addWidget(new QLabel(QStringLiteral("Länge"), look), 0, 0);
    lg->addWidget(m_length, 0, 1);
    lg->addWidget(new QLabel(QStringLiteral("mm"), look), 0, 2);
    lg->addWidget(new QLabel(QStringLiteral("Strichstärke"), look), 1, 0);
    lg->addWidget(m_thickness, 1, 1);
    lg->addWidget(new QLabel(QStringLiteral("1/10 mm"), look), 1, 2);
    lg->addWidget(new QLabel(QStringLiteral("Abstand"), look), 2, 0);
    lg->addWidget(m_margin, 2, 1);
    lg->addWidget(new QLabel(QStringLiteral("mm"), look), 2, 2);
    lg->addWidget(new QLabel(QStringLiteral("Format"), look), 3, 0);
    lg->addWidget(m_format, 3, 1, 1, 2);

    auto* segments = new QGroupBox(this);
    auto* sg = new QGridLayout(segments);
    m_useHor = new QCheckBox(QStringLiteral("Hor. Segmentmarken benutzen"), segments);
    m_useHor->setObjectName("useHor");
    m_useHor->setChecked(model.useHorSegmentMarks());
    m_xStep = number(model.xStep(), "xStep");
    m_useVert = new QCheckBox(QStringLiteral("Vert. Segmentmarken benutzen"), segments);
    m_useVert->setObjectName("useVert");
    m_useVert->setChecked(model.useVertSegmentMarks());
    m_yStep = number(model.yStep(), "yStep");
    sg->addWidget(m_useHor, 0, 0, 1, 3);
    sg->addWidget(new QLabel(QStringLiteral("X - Abstand (Breite)"), segments), 1, 0);
    sg->addWidget(m_xStep, 1, 1);
    sg->addWidget(new QLabel(QStringLiteral("mm"), segments), 1, 2);
    sg->addWidget(m_useVert, 2, 0, 1, 3);
    sg->addWidget(new QLabel(QStringLiteral("Y - Abstand (Länge)"), segments), 3, 0);
    sg->addWidget(m_yStep, 3, 1);
    sg->addWidget(new QLabel(QStringLiteral("mm"), segments), 3, 2);
    m_cameo = new QRadioButton(QStringLiteral("Silhouette Cameo"), segments);
    m_cameo->setObjectName("cameo");
    m_sd = new QRadioButton(QStringLiteral("Silhouette SD"), segments);
    m_sd->setObjectName("sd");
    (model.cameo() ? m_cameo : m_sd)->setChecked(true);
    sg->addWidget(m_cameo, 4, 0);
    sg->addWidget(m_sd, 4, 1, 1, 2);

    auto* note =
        new QLabel(QStringLiteral("Bitte achten Sie darauf, dass sich vor dem Drucken alle Objekte und "
                                  "die Passermarken auf der Zeichenfläche befinden !"),
                   this);
    note->setWordWrap(true);
    m_place = new QPushButton(QStringLiteral("Marken setzen"), this);
    m_place->setObjectName("placeMarks");
    m_remove = new QPushButton(QStringLiteral("Marken entfernen"), this);
    m_remove->setObjectName("removeMarks");
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"), this);
    cancel->setObjectName("cancelButton");
    for (QPushButton* b : {m_place, m_remove, cancel}) b->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_place);
    buttons->addWidget(m_remove);
    buttons->addStretch();
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(look);
    layout->addWidget(segments);
    layout->addWidget(note);
    layout->addLayout(buttons);

    connect(m_useHor, &QCheckBox::toggled, this, [this](bool on) {
        m_model.setUseHorSegmentMarks(on);
        showEnabledState();
    });
    connect(m_useVert, &QCheckBox::toggled, this, [this](bool on) {
        m_model.setUseVertSegmentMarks(on);
        showEnabledState();
    });
    connect(m_place, &QPushButton::clicked, this, [this] {
        takeEdits();
        finish(m_model.placeMarks());
    });
    connect(m_remove, &QPushButton::clicked, this, [this] { finish(m_model.removeMarks()); });
    connect(cancel, &QPushButton::clicked, this, [this] { finish(m_model.cancel()); });
    showEnabledState();
}

void CMarksSettingsDlg::takeEdits() {
    m_model.setLength(parseEditInt(fromQt(m_length->text())));
    m_model.setThickness(parseEditInt(fromQt(m_thickness->text())));
    m_model.setMargin(parseEditInt(fromQt(m_margin->text())));
    m_model.setXStep(parseEditInt(fromQt(m_xStep->text())));
    m_model.setYStep(parseEditInt(fromQt(m_yStep->text())));
    m_model.setUseHorSegmentMarks(m_useHor->isChecked());
    m_model.setUseVertSegmentMarks(m_useVert->isChecked());
    m_model.setCameo(m_cameo->isChecked());
    m_model.setFormatIndex(m_format->currentIndex());
}

void CMarksSettingsDlg::showEnabledState() {
    m_xStep->setEnabled(m_model.xStepEnabled());
    m_yStep->setEnabled(m_model.yStepEnabled());
}

void CMarksSettingsDlg::finish(MarksSettingsModel::Outcome outcome) {
    if (outcome == MarksSettingsModel::Outcome::EndProgram) accept();
}

}  // namespace sartovin
