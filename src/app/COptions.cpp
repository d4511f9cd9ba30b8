#include "app/COptions.h"

#include <QStyle>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include "base/StartMode.h"
#include "widgets/SpinEdit.h"
#include "widgets/UiText.h"

namespace sartovin {

namespace {
// Raster resolutions the laser offers, dots per inch.
const int kRasterDpis[] = {125, 250, 500, 1000};
}  // namespace

SpinEdit* COptions::addEdit(OptionField field) {
    auto* e = new SpinEdit(this);
    e->onEdit = [this, field](const std::string& text) {
        int v = m_model.editInt(field, text);
        emit changed();
        return v;
    };
    e->onStep = [this, field](int request) {
        int v = m_model.spin(field, request);
        emit changed();
        return v;
    };
    m_edits[field] = e;
    return e;
}

SpinEdit* COptions::edit(OptionField field) const {
    auto it = m_edits.find(field);
    return it == m_edits.end() ? nullptr : it->second;
}

COptions::COptions(OptionsModel& model, const Texts& texts, QWidget* parent)
    : QWidget(parent), m_model(model), m_texts(texts) {
    setObjectName("COptions");
    const StartMode mode = model.startMode();
    const bool laser = mode.isLaser();
    auto tip = [&](QWidget* w, TextId id) { w->setToolTip(uiText(texts, id)); };

    // Job-wide options.
    auto* job = new QGroupBox(uiText(texts, TextId::CuttingOptions), this);
    auto* jobGrid = new QGridLayout(job);
    m_grid = new QCheckBox(uiText(texts, TextId::WeedingFrame), job);
    m_grid->setObjectName("grid");
    tip(m_grid, TextId::TipWeedingFrame);
    jobGrid->addWidget(m_grid, 0, 0);
    jobGrid->addWidget(new QLabel(uiText(texts, TextId::FrameDistance), job), 0, 1);
    SpinEdit* gridDistance = addEdit(OptionField::GridDistance);
    gridDistance->setObjectName("gridDistance");
    tip(gridDistance, TextId::TipFrameDistance);
    jobGrid->addWidget(gridDistance, 0, 2);
    m_overcutOn = new QCheckBox(uiText(texts, TextId::Overcut), job);
    m_overcutOn->setObjectName("overcutOn");
    tip(m_overcutOn, TextId::TipOvercut);
    jobGrid->addWidget(m_overcutOn, 1, 0);
    jobGrid->addWidget(new QLabel(uiText(texts, TextId::OvercutLength), job), 1, 1);
    SpinEdit* overcut = addEdit(OptionField::Overcut);
    overcut->setObjectName("overcut");
    tip(overcut, TextId::TipOvercutLength);
    jobGrid->addWidget(overcut, 1, 2);
    auto* qualityLabel = new QLabel(uiText(texts, TextId::Quality), job);
    jobGrid->addWidget(qualityLabel, 2, 0);
    m_quality = new QComboBox(job);
    m_quality->setObjectName("quality");
    tip(m_quality, TextId::TipQuality);
    jobGrid->addWidget(m_quality, 2, 1, 1, 2);
    m_usePlotterSettings = new QCheckBox(uiText(texts, TextId::UsePlotterSettings), job);
    m_usePlotterSettings->setObjectName("usePlotterSettings");
    tip(m_usePlotterSettings, TextId::TipUsePlotterSettings);
    m_usePlotterSettings->setVisible(model.usePlotterSettingsVisible());
    jobGrid->addWidget(m_usePlotterSettings, 3, 0, 1, 3);

    auto* end = new QGroupBox(uiText(texts, TextId::EndPosition), this);
    auto* endLayout = new QGridLayout(end);
    m_endPosition = new QButtonGroup(this);
    const TextId endTexts[] = {TextId::EndAtStart, TextId::EndBehindJob, TextId::EndLeftOfJob};
    const TextId endTips[] = {TextId::TipEndAtStart, TextId::TipEndBehindJob, TextId::TipEndLeftOfJob};
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton(uiText(texts, endTexts[i]), end);
        r->setObjectName(QStringLiteral("endPosition%1").arg(i));
        tip(r, endTips[i]);
        m_endPosition->addButton(r, i);
        endLayout->addWidget(r, i, 0, 1, 2);
    }
    endLayout->addWidget(new QLabel(uiText(texts, TextId::FeedAfterPlotting), end), 3, 0);
    SpinEdit* feed = addEdit(OptionField::EndPositionDistance);
    feed->setObjectName("endPositionDistance");
    tip(feed, TextId::TipFeedAfterPlotting);
    endLayout->addWidget(feed, 3, 1);

    // Cutting parameters of the medium.
    m_parameters = new QGroupBox(this);
    auto* params = new QGridLayout(m_parameters);
    int row = 0;
    auto addRow = [&](TextId textId, QWidget* w, TextId tipId, bool cutting) {
        auto* label = new QLabel(uiText(texts, textId), m_parameters);
        params->addWidget(label, row, 0);
        params->addWidget(w, row, 1);
        tip(w, tipId);
        if (cutting) {
            m_cuttingControls.push_back(label);
            m_cuttingControls.push_back(w);
        }
        ++row;
    };
    SpinEdit* speed = addEdit(OptionField::Speed);
    speed->setObjectName("speed");
    SpinEdit* force = addEdit(OptionField::Force);
    force->setObjectName("force");
    SpinEdit* repeat = addEdit(OptionField::RepeatCount);
    repeat->setObjectName("repeatCount");
    addRow(laser ? TextId::LaserSpeed : TextId::Speed, speed, TextId::TipSpeed, true);
    addRow(laser ? TextId::LaserPower : TextId::Force, force, TextId::TipForce, true);
    addRow(laser ? TextId::LaserLpi : TextId::Repetitions, repeat, TextId::TipRepetitions, false);
    m_tool = new QComboBox(m_parameters);
    m_tool->setObjectName("tool");
    m_offset = new OffsetSpinEdit(m_parameters);
    m_offset->setObjectName("offset");
    if (!laser) {
        addRow(TextId::Tool, m_tool, TextId::TipTool, true);
        addRow(mode.isHobby() ? TextId::BladeSetting : TextId::Offset, m_offset,
               mode.isHobby() ? TextId::TipBladeSetting : TextId::TipOffset, true);
    } else {
        // The laser has no tools; its offset edit holds 0..25 (the model's range).
        m_tool->hide();
        addRow(TextId::Offset, m_offset, TextId::TipOffset, true);
    }
    if (mode.isHobby()) {
        m_blade = new QSlider(Qt::Horizontal, m_parameters);
        m_blade->setObjectName("bladeSlider");
        m_blade->setRange(1, 10);
        m_blade->setPageStep(1);
        m_blade->setTickPosition(QSlider::TicksBelow);
        tip(m_blade, TextId::TipBladeSetting);
        m_bladePicture = new QLabel(m_parameters);
        m_bladePicture->setObjectName("bladePicture");
        m_bladePicture->setMinimumWidth(60);
        m_bladePicture->setAlignment(Qt::AlignCenter);
        auto* bladeRow = new QHBoxLayout;
        bladeRow->addWidget(m_blade, 1);
        bladeRow->addWidget(m_bladePicture);
        params->addLayout(bladeRow, row++, 0, 1, 2);
        m_cuttingControls.push_back(m_blade);
        connect(m_blade, &QSlider::valueChanged, this, [this](int v) {
            m_model.setOffsetCorrection(v);
            m_offset->showValue(m_model.offsetCorrection());
            showBlade();
            emit changed();
        });
    }
    m_save = new QPushButton(uiText(texts, TextId::Save), m_parameters);
    m_save->setObjectName("saveMedium");
    m_save->setAutoDefault(false);
    params->addWidget(m_save, row++, 1);
    // The second save command asks its own question and reports its own failure; it is off while
    // the cutter's own settings are used.
    m_secondSave = new QPushButton(m_parameters);
    m_secondSave->setObjectName("secondSaveMedium");
    m_secondSave->setIcon(m_secondSave->style()->standardIcon(QStyle::SP_DialogSaveButton));
    m_secondSave->setAutoDefault(false);
    params->addWidget(m_secondSave, row - 1, 0, Qt::AlignRight);
    m_cuttingControls.push_back(m_quality);
    m_cuttingControls.push_back(qualityLabel);

    // Laser processes.
    QGroupBox* laserBox = nullptr;
    if (laser) {
        laserBox = new QGroupBox(uiText(texts, TextId::LaserRaster), this);
        auto* lg = new QGridLayout(laserBox);
        int lr = 0;
        auto laserRow = [&](TextId textId, OptionField field, const char* name) {
            lg->addWidget(new QLabel(uiText(texts, textId), laserBox), lr, 0);
            SpinEdit* e = addEdit(field);
            e->setObjectName(name);
            lg->addWidget(e, lr++, 1);
        };
        laserRow(TextId::LaserPower, OptionField::RasterForce, "rasterForce");
        laserRow(TextId::LaserSpeed, OptionField::RasterSpeed, "rasterSpeed");
        laserRow(TextId::Repetitions, OptionField::RasterRepeatCount, "rasterRepeatCount");
        lg->addWidget(new QLabel(uiText(texts, TextId::LaserResolution), laserBox), lr, 0);
        m_rasterDpi = new QComboBox(laserBox);
        m_rasterDpi->setObjectName("rasterDpi");
        for (int dpi : kRasterDpis) m_rasterDpi->addItem(QString::number(dpi), dpi);
        lg->addWidget(m_rasterDpi, lr++, 1);
        lg->addWidget(
            new QLabel(QStringLiteral("<b>%1</b>").arg(uiText(texts, TextId::LaserCutOut)), laserBox), lr++,
            0, 1, 2);
        laserRow(TextId::LaserPower, OptionField::CutOutForce, "cutOutForce");
        laserRow(TextId::LaserSpeed, OptionField::CutOutSpeed, "cutOutSpeed");
        laserRow(TextId::LaserLpi, OptionField::CutOutLpi, "cutOutLpi");
        lg->addWidget(
            new QLabel(QStringLiteral("<b>%1</b>").arg(uiText(texts, TextId::LaserClean)), laserBox), lr++, 0,
            1, 2);
        laserRow(TextId::LaserPower, OptionField::CleanForce, "cleanForce");
        laserRow(TextId::LaserSpeed, OptionField::CleanSpeed, "cleanSpeed");
        laserRow(TextId::Repetitions, OptionField::CleanRepeatCount, "cleanRepeatCount");
        auto* switches = new QHBoxLayout;
        m_smooth = new QCheckBox(uiText(texts, TextId::LaserSmoothEdges), laserBox);
        m_cutOut = new QCheckBox(uiText(texts, TextId::LaserCutOut), laserBox);
        m_clean = new QCheckBox(uiText(texts, TextId::LaserClean), laserBox);
        m_raster = new QCheckBox(uiText(texts, TextId::LaserRasterSwitch), laserBox);
        for (QCheckBox* c : {m_smooth, m_cutOut, m_clean, m_raster}) switches->addWidget(c);
        lg->addLayout(switches, lr++, 0, 1, 2);
        // The engraver's own settings (resolution and page), kept in its definition file.
        m_details = new QPushButton(uiText(texts, TextId::LaserDetails), laserBox);
        m_details->setObjectName("details");
        m_details->setAutoDefault(false);
        lg->addWidget(m_details, lr++, 0, 1, 2, Qt::AlignLeft);
        connect(m_details, &QPushButton::clicked, this, &COptions::detailsRequested);
        connect(m_smooth, &QCheckBox::toggled, this, [this](bool on) { m_model.setSmooth(on); });
        connect(m_cutOut, &QCheckBox::toggled, this, [this](bool on) { m_model.setCutOut(on); });
        connect(m_clean, &QCheckBox::toggled, this, [this](bool on) { m_model.setClean(on); });
        connect(m_raster, &QCheckBox::toggled, this, [this](bool on) { m_model.setRaster(on); });
        connect(m_rasterDpi, qOverload<int>(&QComboBox::activated), this,
                [this](int i) { m_model.setRasterDpi(m_rasterDpi->itemData(i).toInt()); });
    }

    // Test cut and the display tool (cutter editions).
    QGroupBox* testBox = nullptr;
    if (!laser) {
        testBox = new QGroupBox(uiText(texts, TextId::TestCut), this);
        auto* tl = new QHBoxLayout(testBox);
        m_testCutMode = new QCheckBox(uiText(texts, TextId::TestCutSideBySide), testBox);
        m_testCutMode->setObjectName("testCutMode");
        tip(m_testCutMode, TextId::TipTestCutSideBySide);
        m_testCut = new QPushButton(uiText(texts, TextId::TestCut), testBox);
        m_testCut->setObjectName("testCut");
        m_testCut->setAutoDefault(false);
        tip(m_testCut, TextId::TipTestCut);
        tl->addWidget(m_testCutMode);
        tl->addWidget(m_testCut);
        if (mode.isStandard()) {
            m_vlcd = new QPushButton(uiText(texts, TextId::StartVlcd), testBox);
            m_vlcd->setObjectName("startVlcd");
            m_vlcd->setAutoDefault(false);
            tip(m_vlcd, TextId::TipStartVlcd);
            tl->addWidget(m_vlcd);
            connect(m_vlcd, &QPushButton::clicked, this, &COptions::displayToolRequested);
        }
        tl->addStretch();
        connect(m_testCutMode, &QCheckBox::toggled, this, [this](bool on) {
            m_model.setTestCutMode(on);
            emit testCutModeChanged(on);
        });
        connect(m_testCut, &QPushButton::clicked, this, &COptions::testCutRequested);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(job);
    left->addWidget(end);
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(m_parameters);
    if (laserBox) right->addWidget(laserBox);
    if (testBox) right->addWidget(testBox);
    right->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);

    connect(m_grid, &QCheckBox::toggled, this, [this](bool on) {
        m_model.setGridOn(on);
        showEnabledState();
        emit changed();
    });
    connect(m_overcutOn, &QCheckBox::toggled, this, [this](bool on) {
        m_model.setOvercutOn(on);
        showEnabledState();
        emit changed();
    });
    connect(m_usePlotterSettings, &QCheckBox::toggled, this, [this](bool on) {
        m_model.setUsePlotterSettings(on);
        showEnabledState();
        emit changed();
    });
    connect(m_quality, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        m_model.setQualityIndex(i);
        emit changed();
    });
    connect(m_tool, qOverload<int>(&QComboBox::activated), this, [this](int i) {
        m_model.selectTool(i);
        m_offset->showValue(m_model.offsetCorrection());
        showBlade();
        emit changed();
    });
    connect(m_endPosition, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.setEndPosition(id);
        showEnabledState();
    });
    m_offset->onEdit = [this](const std::string& text) {
        double v = m_model.editOffset(text);
        showBlade();
        return v;
    };
    m_offset->onStep = [this](int request) {
        double v = m_model.spinOffset(request);
        showBlade();
        return v;
    };
    connect(m_save, &QPushButton::clicked, this, &COptions::saveRequested);
    connect(m_secondSave, &QPushButton::clicked, this, &COptions::secondSaveRequested);
    refresh();
}

void COptions::showBlade() {
    if (!m_blade) return;
    {
        QSignalBlocker block(m_blade);
        m_blade->setValue(static_cast<int>(m_model.offsetCorrection() + 0.5));
    }
    int picture = m_model.bladePicture();
    // A picture of the setting: the pen when a pen is the tool, else the blade's number.
    m_bladePicture->setText(picture == 0 ? QStringLiteral("\u270E")
                                         : QStringLiteral("<b>%1</b>").arg(picture));
}

void COptions::showEnabledState() {
    bool cutting = m_model.cuttingParametersEnabled();
    for (QWidget* w : m_cuttingControls) w->setEnabled(cutting);
    m_secondSave->setEnabled(m_model.secondSaveEnabled());
    edit(OptionField::GridDistance)->setEnabled(m_model.gridDistanceEnabled());
    edit(OptionField::Overcut)->setEnabled(m_model.overcutEnabled());
    edit(OptionField::EndPositionDistance)->setEnabled(m_model.endPositionDistanceEnabled());
}

void COptions::refresh() {
    for (auto& [field, e] : m_edits) e->showValue(m_model.value(field));
    {
        QSignalBlocker b1(m_grid), b2(m_overcutOn), b3(m_usePlotterSettings), b4(m_quality), b5(m_tool);
        m_grid->setChecked(m_model.gridOn());
        m_overcutOn->setChecked(m_model.overcutOn());
        m_usePlotterSettings->setChecked(m_model.usePlotterSettings());
        m_quality->clear();
        for (const QualityEntry& q : m_model.qualityList()) m_quality->addItem(toQt(q.text), q.code);
        m_quality->setCurrentIndex(m_model.qualityIndex());
        m_tool->clear();
        for (const std::string& name : m_model.toolNames()) m_tool->addItem(toQt(name));
        m_tool->setCurrentIndex(m_model.toolIndex());
    }
    if (QAbstractButton* b = m_endPosition->button(m_model.endPosition())) b->setChecked(true);
    m_offset->showValue(m_model.offsetCorrection());
    if (m_smooth) {
        const OptionsModel::Laser& l = m_model.laser();
        QSignalBlocker b1(m_smooth), b2(m_cutOut), b3(m_clean), b4(m_raster);
        m_smooth->setChecked(l.smooth);
        m_cutOut->setChecked(l.cutOut);
        m_clean->setChecked(l.clean);
        m_raster->setChecked(l.raster);
        int dpiIndex = m_rasterDpi->findData(l.rasterDpi);
        if (dpiIndex >= 0) m_rasterDpi->setCurrentIndex(dpiIndex);
    }
    m_parameters->setTitle(toQt(m_model.parametersCaption()));
    m_save->setToolTip(toQt(m_model.saveTooltip()));
    m_secondSave->setToolTip(toQt(m_model.saveTooltip()));
    showBlade();
    showEnabledState();
}

}  // namespace sartovin
