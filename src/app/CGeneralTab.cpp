#include "app/CGeneralTab.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "base/EditText.h"
#include "base/StartMode.h"
#include "widgets/SpinEdit.h"
#include "widgets/UiText.h"

namespace sartovin {

namespace {
// The spin buttons of the integer edits of this page move by one millimetre or one copy.
int stepped(int value, int request) { return request < 0 ? value + 1 : (request > 0 ? value - 1 : value); }
}  // namespace

QLineEdit* CGeneralTab::addSizeEdit(SizeField field) {
    auto* e = new QLineEdit(this);
    // Wide enough for the largest size the page shows: 50 m of medium, to the hundredth.
    const int wide = e->fontMetrics().horizontalAdvance(QStringLiteral("50000.00")) + 14;
    e->setMinimumWidth(wide);
    e->setMaximumWidth(std::max(90, wide));
    connect(e, &QLineEdit::editingFinished, this, [this, e, field] {
        m_model.changeSizeText(field, fromQt(e->text()));
        done();
    });
    return e;
}

CGeneralTab::CGeneralTab(LayoutModel& model, const Texts& texts, QWidget* parent)
    : QWidget(parent), m_model(model), m_texts(texts) {
    setObjectName("CGeneralTab");
    const StartMode mode = model.startMode();
    auto tip = [&](QWidget* w, TextId id) { w->setToolTip(uiText(texts, id)); };
    auto spin = [&](const char* name, TextId tipId) {
        auto* e = new SpinEdit(this);
        e->setObjectName(name);
        tip(e, tipId);
        return e;
    };

    // Medium.
    auto* medium = new QGroupBox(uiText(texts, TextId::Medium), this);
    auto* mg = new QGridLayout(medium);
    m_mediumWidth = spin("mediumWidth", TextId::TipMediumWidth);
    m_mediumHeight = spin("mediumHeight", TextId::TipMediumLength);
    m_mediumWidth->onEdit = [this](const std::string& t) {
        m_model.setMediumWidthText(t);
        done();
        return m_model.mediumWidth();
    };
    m_mediumWidth->onStep = [this](int r) {
        m_model.setMediumWidth(stepped(m_model.mediumWidth(), r));
        done();
        return m_model.mediumWidth();
    };
    m_mediumHeight->onEdit = [this](const std::string& t) {
        m_model.setMediumHeightText(t);
        done();
        return m_model.mediumHeight();
    };
    m_mediumHeight->onStep = [this](int r) {
        m_model.setMediumHeight(stepped(m_model.mediumHeight(), r));
        done();
        return m_model.mediumHeight();
    };
    mg->addWidget(new QLabel(uiText(texts, TextId::MediumWidth), medium), 0, 0);
    mg->addWidget(m_mediumWidth, 0, 1);
    mg->addWidget(new QLabel(uiText(texts, TextId::MediumLength), medium), 1, 0);
    mg->addWidget(m_mediumHeight, 1, 1);
    m_query = new QPushButton(QStringLiteral("\u21BB"), medium);
    m_query->setObjectName("mediaQuery");
    m_query->setAutoDefault(false);
    m_query->setMaximumWidth(32);
    tip(m_query, TextId::TipReadMediumSize);
    m_query->setVisible(mode.isStandard());
    mg->addWidget(m_query, 0, 2, 2, 1);
    connect(m_query, &QPushButton::clicked, this, &CGeneralTab::mediaQueryRequested);
    m_formatLabel = new QLabel(uiText(texts, TextId::Format), medium);
    m_format = new QComboBox(medium);
    m_format->setObjectName("format");
    tip(m_format, TextId::TipFormat);
    mg->addWidget(m_formatLabel, 2, 0);
    mg->addWidget(m_format, 2, 1, 1, 2);
    connect(m_format, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        m_model.setFormat(i);
        done();
    });

    // Job size.
    auto* size = new QGroupBox(this);
    auto* sg = new QGridLayout(size);
    m_jobWidth = addSizeEdit(SizeField::WidthMm);
    m_jobWidth->setObjectName("jobWidth");
    tip(m_jobWidth, TextId::TipJobWidth);
    m_jobHeight = addSizeEdit(SizeField::HeightMm);
    m_jobHeight->setObjectName("jobHeight");
    tip(m_jobHeight, TextId::TipJobLength);
    m_widthPercent = addSizeEdit(SizeField::WidthPercent);
    m_widthPercent->setObjectName("widthPercent");
    tip(m_widthPercent, TextId::TipWidthPercent);
    m_heightPercent = addSizeEdit(SizeField::HeightPercent);
    m_heightPercent->setObjectName("heightPercent");
    tip(m_heightPercent, TextId::TipLengthPercent);
    sg->addWidget(new QLabel(uiText(texts, TextId::JobWidth), size), 0, 0);
    sg->addWidget(m_jobWidth, 0, 1);
    sg->addWidget(new QLabel(uiText(texts, TextId::WidthPercent), size), 0, 2);
    sg->addWidget(m_widthPercent, 0, 3);
    sg->addWidget(new QLabel(uiText(texts, TextId::JobLength), size), 1, 0);
    sg->addWidget(m_jobHeight, 1, 1);
    sg->addWidget(new QLabel(uiText(texts, TextId::LengthPercent), size), 1, 2);
    sg->addWidget(m_heightPercent, 1, 3);
    auto* reset = new QPushButton(uiText(texts, TextId::Reset), size);
    reset->setObjectName("resetSize");
    reset->setAutoDefault(false);
    tip(reset, TextId::TipReset);
    m_proportional = new QCheckBox(uiText(texts, TextId::Proportional), size);
    m_proportional->setObjectName("proportional");
    tip(m_proportional, TextId::TipProportional);
    m_toWidth = new QCheckBox(uiText(texts, TextId::FitToMediumWidth), size);
    m_toWidth->setObjectName("toWidth");
    tip(m_toWidth, TextId::TipFitToMediumWidth);
    sg->addWidget(m_proportional, 2, 0, 1, 2);
    sg->addWidget(reset, 2, 3);
    sg->addWidget(m_toWidth, 3, 0, 1, 4);
    connect(reset, &QPushButton::clicked, this, [this] {
        m_model.resetSize();
        done();
    });
    connect(m_proportional, &QCheckBox::toggled, this, [this](bool on) {
        m_model.setProportional(on);
        done();
    });
    connect(m_toWidth, &QCheckBox::toggled, this, [this](bool on) {
        m_model.setToWidth(on);
        done();
    });

    // Rotation, mirror, position.
    auto* place = new QGroupBox(uiText(texts, TextId::Position), this);
    auto* pg = new QGridLayout(place);
    m_position = new QComboBox(place);
    m_position->setObjectName("position");
    tip(m_position, TextId::TipPosition);
    for (const std::string& s : model.positionList()) m_position->addItem(toQt(s));
    m_horizontal = spin("horizontalPosition", TextId::TipPositionHorizontal);
    m_vertical = spin("verticalPosition", TextId::TipPositionVertical);
    m_horizontal->onEdit = [this](const std::string& t) {
        m_model.setHorizontalPosition(parseEditInt(t));
        done();
        return m_model.horizontalPositionValue();
    };
    m_horizontal->onStep = [this](int r) {
        m_model.setHorizontalPosition(stepped(m_model.horizontalPositionValue(), r));
        done();
        return m_model.horizontalPositionValue();
    };
    m_vertical->onEdit = [this](const std::string& t) {
        m_model.setVerticalPosition(parseEditInt(t));
        done();
        return m_model.verticalPositionValue();
    };
    m_vertical->onStep = [this](int r) {
        m_model.setVerticalPosition(stepped(m_model.verticalPositionValue(), r));
        done();
        return m_model.verticalPositionValue();
    };
    pg->addWidget(m_position, 0, 0, 1, 2);
    pg->addWidget(new QLabel(uiText(texts, TextId::PositionHorizontal), place), 1, 0);
    pg->addWidget(m_horizontal, 1, 1);
    pg->addWidget(new QLabel(uiText(texts, TextId::PositionVertical), place), 2, 0);
    pg->addWidget(m_vertical, 2, 1);
    m_rotation = new QComboBox(place);
    m_rotation->setObjectName("rotation");
    tip(m_rotation, TextId::TipRotation);
    for (const std::string& s : model.rotationList()) m_rotation->addItem(toQt(s));
    m_mirror = new QCheckBox(uiText(texts, TextId::Mirror), place);
    m_mirror->setObjectName("mirror");
    tip(m_mirror, TextId::TipMirror);
    pg->addWidget(new QLabel(uiText(texts, TextId::Rotation), place), 3, 0);
    pg->addWidget(m_rotation, 3, 1);
    pg->addWidget(m_mirror, 4, 0, 1, 2);
    m_invert = new QCheckBox(uiText(texts, TextId::Invert), place);
    m_invert->setObjectName("invert");
    tip(m_invert, TextId::TipInvert);
    m_invert->setVisible(mode.isLaser());
    pg->addWidget(m_invert, 5, 0, 1, 2);
    connect(m_position, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        m_model.setPositionMode(i);
        done();
    });
    connect(m_rotation, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        m_model.setRotation(i);
        done();
    });
    connect(m_mirror, &QCheckBox::toggled, this, [this](bool on) {
        m_model.setMirror(on);
        done();
    });
    connect(m_invert, &QCheckBox::toggled, this, [this](bool on) {
        m_model.setInvert(on);
        done();
    });

    // Copies.
    auto* copies = new QGroupBox(uiText(texts, TextId::Copies), this);
    auto* cg = new QGridLayout(copies);
    m_copies = spin("copies", TextId::TipCopies);
    m_rows = spin("rows", TextId::TipVerticalCopies);
    m_distanceH = spin("distanceH", TextId::TipDistanceHorizontal);
    m_distanceV = spin("distanceV", TextId::TipDistanceVertical);
    m_copies->onEdit = [this](const std::string& t) {
        m_model.setCopiesEdit(parseEditInt(t));
        done();
        return m_model.copiesEditValue();
    };
    m_copies->onStep = [this](int r) {
        m_model.setCopiesEdit(stepped(m_model.copiesEditValue(), r));
        done();
        return m_model.copiesEditValue();
    };
    m_rows->onEdit = [this](const std::string& t) {
        m_model.setRowsEdit(parseEditInt(t));
        done();
        return m_model.rows();
    };
    m_rows->onStep = [this](int r) {
        m_model.setRowsEdit(stepped(m_model.rows(), r));
        done();
        return m_model.rows();
    };
    m_distanceH->onEdit = [this](const std::string& t) {
        m_model.setDistanceH(parseEditInt(t));
        done();
        return m_model.distanceH();
    };
    m_distanceH->onStep = [this](int r) {
        m_model.setDistanceH(stepped(m_model.distanceH(), r));
        done();
        return m_model.distanceH();
    };
    m_distanceV->onEdit = [this](const std::string& t) {
        m_model.setDistanceV(parseEditInt(t));
        done();
        return m_model.distanceV();
    };
    m_distanceV->onStep = [this](int r) {
        m_model.setDistanceV(stepped(m_model.distanceV(), r));
        done();
        return m_model.distanceV();
    };
    m_copiesLabel = new QLabel(uiText(texts, TextId::Copies), copies);
    cg->addWidget(m_copiesLabel, 0, 0);
    cg->addWidget(m_copies, 0, 1);
    cg->addWidget(new QLabel(uiText(texts, TextId::VerticalCopies), copies), 1, 0);
    cg->addWidget(m_rows, 1, 1);
    cg->addWidget(new QLabel(uiText(texts, TextId::CopyDistances), copies), 2, 0);
    auto* distances = new QHBoxLayout;
    distances->addWidget(m_distanceH);
    distances->addWidget(m_distanceV);
    cg->addLayout(distances, 2, 1);
    m_sameDistance = new QCheckBox(uiText(texts, TextId::SameDistances), copies);
    m_sameDistance->setObjectName("sameDistance");
    tip(m_sameDistance, TextId::TipSameDistances);
    m_autoDistribute = new QCheckBox(uiText(texts, TextId::DistributeAutomatically), copies);
    m_autoDistribute->setObjectName("autoDistribute");
    tip(m_autoDistribute, TextId::TipDistributeAutomatically);
    cg->addWidget(m_sameDistance, 3, 0, 1, 2);
    cg->addWidget(m_autoDistribute, 4, 0, 1, 2);
    connect(m_sameDistance, &QCheckBox::toggled, this, [this](bool on) {
        m_model.setSameDistance(on);
        done();
    });
    connect(m_autoDistribute, &QCheckBox::toggled, this, [this](bool on) {
        m_model.setAutoDistribute(on);
        done();
    });

    auto* left = new QVBoxLayout;
    left->addWidget(medium);
    left->addWidget(size);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(place);
    right->addWidget(copies);
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
    refresh();
}

void CGeneralTab::done() {
    refresh();
    emit changed();
}

void CGeneralTab::refresh() {
    m_mediumWidth->showValue(m_model.mediumWidth());
    m_mediumHeight->showValue(m_model.mediumHeight());
    bool formats = m_model.formatListVisible();
    m_formatLabel->setVisible(formats);
    m_format->setVisible(formats);
    {
        QSignalBlocker b(m_format);
        m_format->clear();
        for (const std::string& f : m_model.formatList()) m_format->addItem(toQt(f));
        m_format->setCurrentIndex(m_model.format() < m_format->count() ? m_model.format() : -1);
    }
    m_jobWidth->setText(toQt(m_model.jobWidthText()));
    m_jobHeight->setText(toQt(m_model.jobHeightText()));
    m_widthPercent->setText(toQt(m_model.widthPercentText()));
    m_heightPercent->setText(toQt(m_model.heightPercentText()));
    bool sizeEnabled = m_model.sizeEditsEnabled();
    for (QLineEdit* e : {m_jobWidth, m_jobHeight, m_widthPercent, m_heightPercent})
        e->setEnabled(sizeEnabled);
    {
        QSignalBlocker b1(m_proportional), b2(m_toWidth), b3(m_mirror), b4(m_sameDistance),
            b5(m_autoDistribute), b6(m_invert), b7(m_position), b8(m_rotation);
        m_proportional->setChecked(m_model.proportional());
        m_toWidth->setChecked(m_model.toWidth());
        m_toWidth->setEnabled(m_model.toWidthEnabled());
        m_mirror->setChecked(m_model.mirror());
        m_sameDistance->setChecked(m_model.sameDistance());
        m_sameDistance->setEnabled(m_model.sameDistanceEnabled());
        m_autoDistribute->setChecked(m_model.autoDistribute());
        m_invert->setChecked(m_model.invert());
        m_position->setCurrentIndex(m_model.positionMode());
        m_rotation->setCurrentIndex(m_model.rotation());
    }
    m_horizontal->showValue(m_model.horizontalPositionValue());
    m_vertical->showValue(m_model.verticalPositionValue());
    m_horizontal->setEnabled(m_model.horizontalPositionEnabled());
    m_vertical->setEnabled(m_model.verticalPositionEnabled());
    m_copiesLabel->setText(
        uiText(m_texts, m_model.copiesEditIsTotal() ? TextId::TotalCopies : TextId::Copies));
    m_copies->showValue(m_model.copiesEditValue());
    m_rows->showValue(m_model.rows());
    m_rows->setEnabled(m_model.rowsEnabled());
    m_distanceH->showValue(m_model.distanceH());
    m_distanceV->showValue(m_model.distanceV());
    m_distanceH->setEnabled(m_model.distanceHEnabled());
    m_distanceV->setEnabled(m_model.distanceVEnabled());
}

}  // namespace sartovin
