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

CopyRoom LayoutModel::copyRoom() const {
    return {m_usableWidth, m_usableHeight, m_size.width, m_size.height, frameAllowance()};
}

// ---- life cycle -------------------------------------------------------------------------------

void LayoutModel::setPlotter(const PlotterRecord& plotter) {
    m_plotter = plotter;
    if (!m_open) return;
    // A size nobody stored is the plotter's own, as at opening: it follows the new plotter.
    const bool widthStored = m_settings.mediumWidth(-1) >= 0;
    const bool heightStored = m_settings.mediumHeight(-1) >= 0;
    int w = clampToLimits(widthStored ? m_mediumWidth : m_plotter.maxMediaWidth, m_plotter.minMediaWidth,
                          m_plotter.maxMediaWidth);
    int h = clampToLimits(heightStored ? m_mediumHeight : m_plotter.maxMediaHeight, m_plotter.minMediaHeight,
                          m_plotter.maxMediaHeight);
    if (widthStored && w != m_mediumWidth) m_settings.setMediumWidth(w);
    if (heightStored && h != m_mediumHeight) m_settings.setMediumHeight(h);
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
    m_toWidth = m_settings.toWidth() != 0;
    m_format = m_settings.format();
    if (m_format < 0 || m_format >= formatCount()) m_format = 0;
    const int initialPosition = initialPositionMode(m_startMode);
    m_positionMode = m_settings.center(initialPosition);
    if (m_positionMode < 0 || m_positionMode >= positionCount()) m_positionMode = initialPosition;

    // 2. The imported size from the extent's working spans, as it is (also when it exceeds the
    // medium: only a size entry limits it).
    m_size.importedWidth = m_state.extent.spanY;
    m_size.importedHeight = m_state.extent.spanX;
    m_size.resetToImported();

    // 3. One copy at the plotter's margin, proportional sizing; 4. "SameDistance", then "ToWidth",
    // then the rotation.
    m_copies.reset(m_settings.copyDistanceHoricontal(), m_settings.copyDistanceVertical(),
                   m_settings.sameDistance() != 0);
    m_position.right = m_position.front = m_plotter.minMediaMargin;
    m_proportional = true;
    m_open = true;
    updateCopies();
    // The rotation before the fit: the fit is for the job as it lies on the medium.
    applyTransform();
    keepFit();
    reduceToMedium();
    m_previewNeedsRedraw = true;
}

// A drawing larger than the largest job is made to fit on opening, proportionally, and the user is
// told; a registration-mark job keeps its size (its marks are measured as drawn).
void LayoutModel::reduceToMedium() {
    if (m_state.marksMode) return;
    const double maxWidth = largestJobWidth(), maxHeight = largestJobHeight();
    const double width = m_size.width, height = m_size.height;
    if (width <= maxWidth + kFitTolerance && height <= maxHeight + kFitTolerance) return;
    if (!(width > 0) || !(height > 0) || !(maxWidth > 0) || !(maxHeight > 0)) return;
    // Whole millimetres below the limit, so that the rounded size the page shows fits as well. The
    // reduction keeps the proportions even where the shorter side ends below the plotter's
    // smallest job size: a long narrow drawing would otherwise stay larger than the medium.
    const double factor = std::min(maxWidth / width, maxHeight / height);
    const bool byWidth = maxWidth / width <= maxHeight / height;
    const SizeLimits limits{0, maxWidth, 0, maxHeight};
    if (byWidth)
        changeJobSize(m_size, SizeField::WidthMm, std::floor(width * factor + 1e-6), limits, true);
    else
        changeJobSize(m_size, SizeField::HeightMm, std::floor(height * factor + 1e-6), limits, true);
    updateCopies();
    if (m_size.width > maxWidth + kFitTolerance || m_size.height > maxHeight + kFitTolerance) return;
    m_interaction.messageBox(m_texts.format(TextId::DrawingReducedToMedium,
                                            {wholeNumberText(width), wholeNumberText(height),
                                             wholeNumberText(m_size.width), wholeNumberText(m_size.height)}),
                             kProgramCaption, MessageIcon::Information);
}

bool LayoutModel::jobLeavesMedium() const {
    const JobArea a = jobArea();
    return a.width > m_usableWidth + kLeaveTolerance || a.height > m_usableHeight + kLeaveTolerance;
}

LayoutModel::JobArea LayoutModel::jobArea() const {
    const double frame = frameAllowance();
    const int columns = m_copies.columns(), rows = m_copies.rows();
    return {columns * (m_size.width + frame) + (columns - 1) * m_copies.distanceH(),
            rows * (m_size.height + frame) + (rows - 1) * m_copies.distanceV()};
}

void LayoutModel::refresh() {
    reapplySize();
    keepFit();
    updateCopies();
    m_previewNeedsRedraw = true;
}

void LayoutModel::extentChanged() {
    m_size.importedWidth = m_state.extent.spanY;
    m_size.importedHeight = m_state.extent.spanX;
    reapplyPercentages();
    keepFit();
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
    keepFit();
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
    if (on == m_toWidth) return;
    m_toWidth = on;
    m_settings.setToWidth(on ? 1 : 0);
    if (on) {
        keepFit();
    } else if (m_beforeFit) {
        // The switches and distances the fit set aside come back; the job keeps its fitted size.
        m_proportional = m_beforeFit->proportional;
        m_copies.setSameDistance(m_beforeFit->sameDistance);
        m_copies.setDistanceH(m_beforeFit->distanceH);
        m_beforeFit.reset();
    }
    updateCopies();
    m_previewNeedsRedraw = true;
}

void LayoutModel::keepFit() {
    if (m_toWidth && m_open && toWidthEnabled()) fitToWidth();
}

// The fit is a state of its own: only "ToWidth" is stored. What it changes in the copy layout is
// remembered, to come back when the fit is turned off.
void LayoutModel::fitToWidth() {
    if (!m_beforeFit) m_beforeFit = BeforeFit{m_proportional, m_copies.sameDistance(), m_copies.distanceH()};
    m_proportional = true;
    m_copies.closeColumns();
    m_position.right = 0;
    changeSize(SizeField::WidthMm, largestJobWidth());
}

// ---- rotation and mirror ------------------------------------------------------------------------

void LayoutModel::setRotation(int rotation) {
    m_rotation = rotationOf(rotation);
    m_settings.setRotate(m_rotation);
    applyTransform();
    keepFit();
    updateCopies();
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

void LayoutModel::updateCopies() {
    m_copies.update(copyRoom());
    updatePositions();
}

void LayoutModel::setCopiesEdit(int value) {
    m_copies.setCopiesEdit(value);
    updateCopies();
    m_previewNeedsRedraw = true;
}

void LayoutModel::setRowsEdit(int value) {
    if (!m_copies.setRowsEdit(value)) return;
    updateCopies();
    m_previewNeedsRedraw = true;
}

void LayoutModel::setDistanceH(int distance) {
    m_copies.setDistanceH(distance);
    m_settings.setCopyDistanceHoricontal(m_copies.distanceH());
    if (m_copies.sameDistance()) m_settings.setCopyDistanceVertical(m_copies.distanceV());
    updateCopies();
    m_previewNeedsRedraw = true;
}

void LayoutModel::setDistanceV(int distance) {
    if (!m_copies.setDistanceV(distance)) return;
    m_settings.setCopyDistanceVertical(m_copies.distanceV());
    updateCopies();
    m_previewNeedsRedraw = true;
}

void LayoutModel::setSameDistance(bool on) {
    m_copies.setSameDistance(on);
    m_settings.setSameDistance(on ? 1 : 0);
    updateCopies();
    m_previewNeedsRedraw = true;
}

void LayoutModel::setAutoDistribute(bool on) {
    if (on == m_copies.autoDistribute()) return;
    m_copies.setAutoDistribute(on);
    updateCopies();
    // Back to manual distribution the copies fill whole rows, so the total may have grown.
    if (!on && m_copies.copyTotal() != m_copies.requestedTotal())
        m_interaction.messageBox(m_texts.text(TextId::CopyCountChanged), kProgramCaption,
                                 MessageIcon::Information);
    m_previewNeedsRedraw = true;
}

// ---- position -----------------------------------------------------------------------------------

int LayoutModel::positionCount() const { return sartovin::positionCount(m_startMode); }

std::vector<std::string> LayoutModel::positionList() const {
    return sartovin::positionList(m_texts, positionCount());
}

int LayoutModel::freeSpaceH() const { return m_copies.freeSpaceH(copyRoom()); }

int LayoutModel::freeSpaceV() const { return m_copies.freeSpaceV(copyRoom()); }

void LayoutModel::updatePositions() {
    placeJob(m_position, m_positionMode, freeSpaceH(), freeSpaceV(), m_plotter.minMediaMargin);
}

void LayoutModel::setPositionMode(int mode) {
    if (mode < 0 || mode >= positionCount()) return;
    m_positionMode = mode;
    m_settings.setCenter(mode);
    updatePositions();
    m_previewNeedsRedraw = true;
}

bool LayoutModel::horizontalPositionEnabled() const { return horizontalPositionEdited(m_positionMode); }

bool LayoutModel::verticalPositionEnabled() const { return verticalPositionEdited(m_positionMode); }

// The position edits of the hobby edition show the left and back distances; the model keeps the
// right and front ones.
int LayoutModel::editedDistance(int value, int free) const {
    const int v = std::clamp(value, 0, free);
    return hobby() ? free - v : v;
}

void LayoutModel::setHorizontalPosition(int value) {
    if (!horizontalPositionEnabled()) return;
    m_position.right = editedDistance(value, freeSpaceH());
    updatePositions();
    m_previewNeedsRedraw = true;
}

void LayoutModel::setVerticalPosition(int value) {
    if (!verticalPositionEnabled()) return;
    m_position.front = editedDistance(value, freeSpaceV());
    updatePositions();
    m_previewNeedsRedraw = true;
}

int LayoutModel::horizontalPositionValue() const { return hobby() ? m_position.left : m_position.right; }

int LayoutModel::verticalPositionValue() const { return hobby() ? m_position.back : m_position.front; }

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
