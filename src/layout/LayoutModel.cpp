#include "layout/LayoutModel.h"

#include <algorithm>
#include <cmath>

#include "base/EditText.h"
#include "base/Settings.h"
#include "base/StartMode.h"
#include "base/Texts.h"
#include "layout/LayoutTexts.h"
#include "layout/SheetFormats.h"
#include "platform/Interaction.h"

namespace sartovin {

namespace {

// Upper bound for the fit counts, so that a zero-sized job cannot produce absurd counts and
// maxColumns × maxRows stays well inside 32 bits.
constexpr int kMaxFitCount = 10000;

// Largest count c ≥ 1 with c × size + (c − 1) × distance + c × frame ≤ usable.
int fitCount(double usable, double size, double distance, double frame) {
    double per = size + distance + frame;
    if (per <= 0) return kMaxFitCount;
    double c = std::floor((usable + distance) / per + kFitTolerance);
    if (!(c >= 1)) return 1;
    return c > kMaxFitCount ? kMaxFitCount : static_cast<int>(c);
}

// Largest distance that still lets `count` copies fit; 0 when none does.
int fitDistance(int count, double usable, double size, double frame) {
    double free = usable - count * (size + frame);
    double d = count > 1 ? free / (count - 1) : free;
    d = std::floor(d + kFitTolerance);
    if (!(d > 0)) return 0;
    return d > 1e9 ? 1000000000 : static_cast<int>(d);
}

}  // namespace

LayoutModel::LayoutModel(const Settings& settings, const Texts& texts, Interaction& interaction,
                         StartMode startMode, Job& live, const Job& reference, JobState& state)
    : m_settings(settings),
      m_texts(texts),
      m_interaction(interaction),
      m_startMode(startMode),
      m_live(live),
      m_reference(reference),
      m_state(state) {}

bool LayoutModel::hobby() const { return m_startMode.isHobby(); }

bool LayoutModel::cameo() const { return hasCameoFormats(m_plotter.name); }

Allowances LayoutModel::allowances() const { return allowancesOf(m_settings, m_state.marksMode); }

double LayoutModel::frameAllowance() const { return allowances().frame; }

double LayoutModel::overcutAllowance() const { return allowances().overcut; }

double LayoutModel::largestJobWidth() const { return largestJobLength(m_usableWidth, allowances()); }

double LayoutModel::largestJobHeight() const { return largestJobLength(m_usableHeight, allowances()); }

SizeLimits LayoutModel::sizeLimits() const {
    const double minWidth = minJobWidth(), minHeight = minJobHeight();
    return {minWidth, std::max(minWidth, largestJobWidth()), minHeight,
            std::max(minHeight, largestJobHeight())};
}

// ---- life cycle -------------------------------------------------------------------------------

void LayoutModel::setPlotter(const PlotterRecord& plotter) {
    m_plotter = plotter;
    if (!m_open) return;
    int w = clampToLimits(m_mediumWidth, m_plotter.minMediaWidth, m_plotter.maxMediaWidth);
    int h = clampToLimits(m_mediumHeight, m_plotter.minMediaHeight, m_plotter.maxMediaHeight);
    if (w != m_mediumWidth) m_settings.setMediumWidth(w);
    if (h != m_mediumHeight) m_settings.setMediumHeight(h);
    applyMediumWidth(w);
    applyMediumHeight(h);
    // The format list depends on the plotter's name: keep the stored entry only when it exists.
    m_format = m_settings.format();
    if (m_format < 0 || m_format >= formatCount()) m_format = 0;
    refresh();
}

void LayoutModel::open() {
    // 1. The stored keys; a rotation beyond the list becomes "keine Rotation".
    applyMediumWidth(clampToLimits(m_settings.mediumWidth(m_plotter.maxMediaWidth), m_plotter.minMediaWidth,
                                   m_plotter.maxMediaWidth));
    applyMediumHeight(clampToLimits(m_settings.mediumHeight(m_plotter.maxMediaHeight),
                                    m_plotter.minMediaHeight, m_plotter.maxMediaHeight));
    m_rotation = rotationOf(m_settings.rotate());
    m_previousRotation = kRotateNone;  // the live job is still as imported
    m_mirror = m_settings.mirror() != 0;
    m_distanceH = std::max(0, m_settings.copyDistanceHoricontal());
    m_distanceV = std::max(0, m_settings.copyDistanceVertical());
    m_sameDistance = m_settings.sameDistance() != 0;
    m_toWidth = m_settings.toWidth() != 0;
    m_format = m_settings.format();
    if (m_format < 0 || m_format >= formatCount()) m_format = 0;
    int initialPosition = m_startMode.isStandard() ? 1 : (m_startMode.isHobby() ? 7 : 0);
    m_positionMode = m_settings.center(initialPosition);
    if (m_positionMode < 0 || m_positionMode >= positionCount()) m_positionMode = initialPosition;

    // 2. The imported size from the extent's working spans, as it is (also when it exceeds the
    // medium: only a size entry limits it).
    m_size.importedWidth = m_state.extent.spanY;
    m_size.importedHeight = m_state.extent.spanX;
    m_size.resetToImported();

    // 3. One copy at the plotter's margin, proportional sizing.
    m_columns = m_rows = m_copyTotal = m_requestedTotal = 1;
    m_maxCopies = 100;
    m_autoDistribute = false;
    m_positionRight = m_positionFront = m_plotter.minMediaMargin;
    m_proportional = true;
    m_open = true;

    // 4. "SameDistance", then "ToWidth", then the rotation.
    if (m_sameDistance) m_distanceH = m_distanceV = std::min(m_distanceH, m_distanceV);
    updateCopies();
    if (m_toWidth && toWidthEnabled()) fitToWidth();
    applyTransform();
    m_previewNeedsRedraw = true;
}

void LayoutModel::refresh() {
    reapplySize();
    updateCopies();
    m_previewNeedsRedraw = true;
}

void LayoutModel::extentChanged() {
    m_size.importedWidth = m_state.extent.spanY;
    m_size.importedHeight = m_state.extent.spanX;
    reapplyPercentages();
    updateCopies();
    m_previewNeedsRedraw = true;
}

void LayoutModel::reapplyPercentages() {
    if (m_proportional || m_state.marksMode) {
        changeSize(SizeField::WidthPercent, m_size.widthPercent);
        return;
    }
    // Without proportional sizing each dimension keeps its own percentage. A percentage of exactly
    // 100 is applied to its own dimension only: the 100 % rule of the size routine would reset the
    // other dimension's scale as well.
    const double widthPercent = m_size.widthPercent, heightPercent = m_size.heightPercent;
    if (widthPercent == 100.0)
        m_size.width = m_size.importedWidth;
    else
        changeSize(SizeField::WidthPercent, widthPercent);
    if (heightPercent == 100.0)
        m_size.height = m_size.importedHeight;
    else
        changeSize(SizeField::HeightPercent, heightPercent);
}

// ---- medium -------------------------------------------------------------------------------------

void LayoutModel::applyMediumWidth(int w) {
    m_mediumWidth = w;
    m_usableWidth = usableLength(w, m_plotter.minMediaMargin);
}

void LayoutModel::applyMediumHeight(int h) {
    m_mediumHeight = h;
    m_usableHeight = usableLength(h, m_plotter.minMediaMargin);
}

void LayoutModel::selectLastFormat() {
    if (!formatListVisible()) return;
    m_format = formatCount() - 1;
    m_settings.setFormat(m_format);
}

void LayoutModel::setMediumWidth(int width) {
    applyMediumWidth(clampToLimits(width, m_plotter.minMediaWidth, m_plotter.maxMediaWidth));
    m_settings.setMediumWidth(m_mediumWidth);
    mediumEdited(SizeField::WidthMm);
}

void LayoutModel::setMediumHeight(int height) {
    applyMediumHeight(clampToLimits(height, m_plotter.minMediaHeight, m_plotter.maxMediaHeight));
    m_settings.setMediumHeight(m_mediumHeight);
    mediumEdited(SizeField::HeightMm);
}

// A medium size typed by hand: the job is limited to the new medium and the format list shows its
// last entry.
void LayoutModel::mediumEdited(SizeField dimension) {
    if (m_state.marksMode)
        m_size.resetToImported();
    else
        changeSize(dimension, dimension == SizeField::WidthMm ? m_size.width : m_size.height);
    selectLastFormat();
    updateCopies();
    m_previewNeedsRedraw = true;
}

void LayoutModel::setMediumWidthText(const std::string& text) { setMediumWidth(parseEditInt(text)); }

void LayoutModel::setMediumHeightText(const std::string& text) { setMediumHeight(parseEditInt(text)); }

// ---- format list --------------------------------------------------------------------------------

bool LayoutModel::formatListVisible() const { return hobby(); }

int LayoutModel::formatCount() const { return formatListVisible() ? sheetFormatCount(cameo()) : 0; }

std::vector<std::string> LayoutModel::formatList() const {
    if (!formatListVisible()) return {};
    return sartovin::formatList(m_texts, cameo());
}

void LayoutModel::setFormat(int index) {
    int count = formatCount();
    if (index < 0 || index >= count) return;
    m_format = index;
    m_settings.setFormat(index);
    if (index == count - 1) return;  // the last entry keeps the size typed by hand
    const SheetFormat& f = sheetFormats(cameo())[index];
    applyMediumWidth(clampToLimits(f.width, m_plotter.minMediaWidth, m_plotter.maxMediaWidth));
    applyMediumHeight(clampToLimits(f.height, m_plotter.minMediaHeight, m_plotter.maxMediaHeight));
    m_settings.setMediumWidth(m_mediumWidth);
    m_settings.setMediumHeight(m_mediumHeight);
    reapplySize();
    updateCopies();
    m_previewNeedsRedraw = true;
}

// ---- job size -----------------------------------------------------------------------------------

bool LayoutModel::changeSize(SizeField field, double value) {
    m_previewNeedsRedraw = true;
    // Registration-mark jobs are never scaled.
    if (m_state.marksMode)
        m_size.resetToImported();
    else if (!changeJobSize(m_size, field, value, sizeLimits(), m_proportional))
        return false;
    if (m_open) updateCopies();
    return true;
}

bool LayoutModel::changeSizeText(SizeField field, const std::string& text) {
    return changeSize(field, parseEditDouble(text));
}

void LayoutModel::resetSize() {
    m_size.resetToImported();
    updateCopies();
    m_previewNeedsRedraw = true;
}

void LayoutModel::reapplySize() {
    if (m_state.marksMode) {
        m_size.resetToImported();
        return;
    }
    changeSize(SizeField::WidthMm, m_size.width);
    if (!m_proportional) changeSize(SizeField::HeightMm, m_size.height);
}

void LayoutModel::setProportional(bool on) {
    m_proportional = on;
    m_settings.setProportional(on ? 1 : 0);
}

bool LayoutModel::sizeEditsEnabled() const { return !m_state.marksMode; }

bool LayoutModel::toWidthEnabled() const { return !m_state.marksMode; }

void LayoutModel::setToWidth(bool on) {
    m_toWidth = on;
    m_settings.setToWidth(on ? 1 : 0);
    if (on && toWidthEnabled()) fitToWidth();
    updateCopies();
    m_previewNeedsRedraw = true;
}

// The width is fitted as the job lies now: open() fits before it applies the stored rotation, so
// with a quarter turn the fitted size ends up as the job's length.
void LayoutModel::fitToWidth() {
    m_proportional = true;
    m_settings.setProportional(1);
    m_sameDistance = false;
    m_settings.setSameDistance(0);
    m_positionRight = 0;
    m_distanceH = 0;
    m_settings.setCopyDistanceHoricontal(0);
    changeSize(SizeField::WidthMm, largestJobWidth());
}

// ---- rotation and mirror ------------------------------------------------------------------------

void LayoutModel::setRotation(int rotation) {
    m_rotation = rotationOf(rotation);
    m_settings.setRotate(m_rotation);
    applyTransform();
    m_previewNeedsRedraw = true;
}

void LayoutModel::setMirror(bool on) {
    m_mirror = on;
    m_settings.setMirror(on ? 1 : 0);
    applyTransform();
    m_previewNeedsRedraw = true;
}

void LayoutModel::applyTransform() {
    JobExtent& ext = m_state.extent;
    JobTransform(m_rotation, m_mirror, ext.importedSpanX, ext.importedSpanY).apply(m_reference, m_live);
    setWorkingExtent(ext, m_rotation);
    if (m_extentAdjuster) m_extentAdjuster(ext);
    m_size.importedWidth = ext.spanY;
    m_size.importedHeight = ext.spanX;
    if (!sameRotationGroup(m_previousRotation, m_rotation)) m_size.exchangeDimensions();
    reapplyPercentages();
    m_previousRotation = m_rotation;
    updateCopies();
}

std::vector<std::string> LayoutModel::rotationList() const { return sartovin::rotationList(m_texts); }

// ---- copies -------------------------------------------------------------------------------------

double LayoutModel::occupiedH() const {
    return m_columns * (m_size.width + frameAllowance()) + (m_columns - 1) * double(m_distanceH);
}

double LayoutModel::occupiedV() const {
    return m_rows * (m_size.height + frameAllowance()) + (m_rows - 1) * double(m_distanceV);
}

void LayoutModel::computeMaxima() {
    const double frame = frameAllowance();
    m_maxColumns = fitCount(m_usableWidth, m_size.width, m_distanceH, frame);
    m_maxRows = fitCount(m_usableHeight, m_size.height, m_distanceV, frame);
    m_maxCopies = m_maxColumns * m_maxRows;
}

void LayoutModel::clampDistances() {
    const double frame = frameAllowance();
    m_maxDistanceH = fitDistance(m_columns, m_usableWidth, m_size.width, frame);
    m_maxDistanceV = fitDistance(m_rows, m_usableHeight, m_size.height, frame);
    if (m_sameDistance) {
        m_maxDistanceH = m_maxDistanceV = std::min(m_maxDistanceH, m_maxDistanceV);
        m_distanceV = m_distanceH;
    }
    m_distanceH = std::clamp(m_distanceH, 0, m_maxDistanceH);
    m_distanceV = std::clamp(m_distanceV, 0, m_maxDistanceV);
}

void LayoutModel::distributeAuto() {
    m_copyTotal = std::clamp(m_copyTotal, 1, std::max(1, m_maxCopies));
    m_columns = std::min(m_copyTotal, m_maxColumns);
    m_rows = (m_copyTotal + m_columns - 1) / m_columns;
}

void LayoutModel::updateCopies() {
    computeMaxima();
    if (m_autoDistribute) {
        distributeAuto();
    } else {
        m_columns = std::clamp(m_columns, 1, m_maxColumns);
        m_rows = std::clamp(m_rows, 1, m_maxRows);
        m_copyTotal = m_columns * m_rows;
    }
    clampDistances();
    // Smaller distances may let more copies fit; the counts chosen above still fit.
    computeMaxima();
    updatePositions();
}

void LayoutModel::setCopiesEdit(int value) {
    if (m_autoDistribute) {
        m_copyTotal = std::clamp(value, 1, std::max(1, m_maxCopies));
        m_requestedTotal = m_copyTotal;
    } else {
        m_columns = std::clamp(value, 1, m_maxColumns);
        if (m_rows * m_columns < m_copyTotal) m_rows = std::clamp(m_copyTotal / m_columns, 1, m_maxRows);
        m_copyTotal = m_columns * m_rows;
    }
    updateCopies();
    m_previewNeedsRedraw = true;
}

void LayoutModel::setRowsEdit(int value) {
    if (m_autoDistribute) return;  // the control is disabled
    m_rows = std::clamp(value, 1, m_maxRows);
    m_copyTotal = m_columns * m_rows;
    updateCopies();
    m_previewNeedsRedraw = true;
}

void LayoutModel::setDistanceH(int distance) {
    m_distanceH = std::clamp(distance, 0, m_maxDistanceH);
    m_settings.setCopyDistanceHoricontal(m_distanceH);
    if (m_sameDistance) {
        m_distanceV = m_distanceH;
        m_settings.setCopyDistanceVertical(m_distanceV);
    }
    updateCopies();
    m_previewNeedsRedraw = true;
}

void LayoutModel::setDistanceV(int distance) {
    if (m_sameDistance) return;
    m_distanceV = std::clamp(distance, 0, m_maxDistanceV);
    m_settings.setCopyDistanceVertical(m_distanceV);
    updateCopies();
    m_previewNeedsRedraw = true;
}

void LayoutModel::setSameDistance(bool on) {
    m_sameDistance = on;
    if (on) m_distanceH = m_distanceV = std::min(m_distanceH, m_distanceV);
    m_settings.setSameDistance(on ? 1 : 0);
    updateCopies();
    m_previewNeedsRedraw = true;
}

void LayoutModel::setAutoDistribute(bool on) {
    if (on == m_autoDistribute) return;
    m_autoDistribute = on;
    m_copyTotal = m_columns * m_rows;
    if (on) {
        m_requestedTotal = m_copyTotal;
        updateCopies();
    } else {
        updateCopies();
        if (m_copyTotal != m_requestedTotal) {
            m_interaction.messageBox(m_texts.text(TextId::CopyCountChanged), kProgramCaption,
                                     MessageIcon::Information);
        }
        m_requestedTotal = m_copyTotal;
    }
    m_previewNeedsRedraw = true;
}

// ---- position -----------------------------------------------------------------------------------

int LayoutModel::positionCount() const { return hobby() ? 9 : 4; }

std::vector<std::string> LayoutModel::positionList() const {
    return sartovin::positionList(m_texts, positionCount());
}

int LayoutModel::freeSpaceH() const {
    double free = std::floor(m_usableWidth - occupiedH() + kFitTolerance);
    return free > 0 ? static_cast<int>(free) : 0;
}

int LayoutModel::freeSpaceV() const {
    double free = std::floor(m_usableHeight - occupiedV() + kFitTolerance);
    return free > 0 ? static_cast<int>(free) : 0;
}

void LayoutModel::updatePositions() {
    const int fh = freeSpaceH(), fv = freeSpaceV();
    const int margin = m_plotter.minMediaMargin;
    auto edited = [](int& v, int free) { v = std::clamp(v, 0, free); };
    int& right = m_positionRight;
    int& front = m_positionFront;
    switch (m_positionMode) {
        case 0:
            edited(right, fh), edited(front, fv);
            break;
        case 1:
            right = margin, front = margin;
            break;
        case 2:
            right = fh - margin, front = margin;
            break;
        case 3:
            right = fh / 2, edited(front, fv);
            break;
        case 4:
            edited(right, fh), front = fv / 2;
            break;
        case 5:
            right = fh / 2, front = fv / 2;
            break;
        case 6:
            right = margin, front = fv - margin;
            break;
        case 7:
            right = fh - margin, front = fv - margin;
            break;
        case 8:
            right = fh / 2, front = fv - margin;
            break;
        default:
            break;
    }
    // Halves are integer divisions on both sides, so left + right may fall one short of free.
    m_positionLeft =
        (m_positionMode == 3 || m_positionMode == 5 || m_positionMode == 8) ? fh / 2 : fh - right;
    m_positionBack = (m_positionMode == 4 || m_positionMode == 5) ? fv / 2 : fv - front;
}

void LayoutModel::setPositionMode(int mode) {
    if (mode < 0 || mode >= positionCount()) return;
    m_positionMode = mode;
    m_settings.setCenter(mode);
    updatePositions();
    m_previewNeedsRedraw = true;
}

bool LayoutModel::horizontalPositionEnabled() const { return m_positionMode == 0 || m_positionMode == 4; }

bool LayoutModel::verticalPositionEnabled() const { return m_positionMode == 0 || m_positionMode == 3; }

void LayoutModel::setHorizontalPosition(int value) {
    if (!horizontalPositionEnabled()) return;
    const int fh = freeSpaceH();
    int v = std::clamp(value, 0, fh);
    m_positionRight = hobby() ? fh - v : v;  // the hobby edition's edit shows the left distance
    updatePositions();
    m_previewNeedsRedraw = true;
}

void LayoutModel::setVerticalPosition(int value) {
    if (!verticalPositionEnabled()) return;
    const int fv = freeSpaceV();
    int v = std::clamp(value, 0, fv);
    m_positionFront = hobby() ? fv - v : v;  // the hobby edition's edit shows the back distance
    updatePositions();
    m_previewNeedsRedraw = true;
}

int LayoutModel::horizontalPositionValue() const { return hobby() ? m_positionLeft : m_positionRight; }

int LayoutModel::verticalPositionValue() const { return hobby() ? m_positionBack : m_positionFront; }

// ---- invert and texts ---------------------------------------------------------------------------

void LayoutModel::setInvert(bool on) {
    m_invert = on;
    m_previewNeedsRedraw = true;
}

std::string LayoutModel::jobWidthText() const { return wholeNumberText(m_size.width); }
std::string LayoutModel::jobHeightText() const { return wholeNumberText(m_size.height); }
std::string LayoutModel::widthPercentText() const { return wholeNumberText(m_size.widthPercent); }
std::string LayoutModel::heightPercentText() const { return wholeNumberText(m_size.heightPercent); }
std::string LayoutModel::mediumWidthText() const { return formatNumber("%d", m_mediumWidth); }
std::string LayoutModel::mediumHeightText() const { return formatNumber("%d", m_mediumHeight); }

}  // namespace sartovin
