#pragma once
// The layout page's model (CGeneralTab): medium size, job size, rotation and mirror, copies and
// their distances, and the job's position on the medium. It holds the page's state, reads and
// stores its settings keys and composes the rules of this folder: SizeRules (medium, allowances,
// size routine), SheetFormats, JobTransform (rotation and mirror from the reference copy),
// CopyGrid (copies and distances), JobPlacement (position list) and LayoutTexts. The dialog only
// shows these values and calls these operations.
//
// Coordinates follow the plotter: the origin is the right corner of the front medium edge; job
// "width" runs along the head movement (the drawing's y span), job "height" (length) along the
// medium transport (the drawing's x span). Lengths are millimetres.
//
// The model works on the live job, the untransformed reference copy and the job state that the
// main window owns; they must outlive the model. The weeding frame and overcut switches are read
// from the settings file when a rule needs them (the options page writes them at once).

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/StartMode.h"
#include "catalog/PlotterRecord.h"
#include "job/Job.h"
#include "layout/CopyGrid.h"
#include "layout/JobPlacement.h"
#include "layout/JobTransform.h"
#include "layout/SizeRules.h"

namespace sartovin {

class Settings;
class Texts;
class Interaction;

class LayoutModel {
public:
    /// `live` is rewritten from `reference` on every rotation or mirror change; `state` holds the
    /// extent and the marks flags. None of them is owned.
    LayoutModel(const Settings& settings, const Texts& texts, Interaction& interaction, StartMode startMode,
                Job& live, const Job& reference, JobState& state);

    // ---- life cycle -------------------------------------------------------------------------

    /// Makes `plotter` the current plotter: its cutting and medium limits and its name (the
    /// format list of the hobby edition depends on it). After open() the medium size is clamped
    /// into the new limits and the size, copies and positions are re-applied.
    void setPlotter(const PlotterRecord& plotter);

    /// Opens the page once after import: reads the stored keys, takes the imported size from the
    /// extent, resets copies and positions, then applies "SameDistance", "ToWidth" and the
    /// rotation (which rewrites the live job from the reference).
    void open();
    bool isOpen() const { return m_open; }

    /// Re-applies the size, copies and positions after an outside change (weeding frame or
    /// overcut switched on the options page, marks mode changed by a plotter change).
    void refresh();

    /// The job extent changed (the layer page shrank it to the selection): the imported size is
    /// taken from the new spans and the size re-applied from the width percentage.
    void extentChanged();

    /// A hook run right after a rotation or mirror change has set the extent's working spans and
    /// before the imported size is taken from them (the layer page narrows them to the selection).
    void setExtentAdjuster(std::function<void(JobExtent&)> adjuster) {
        m_extentAdjuster = std::move(adjuster);
    }

    // ---- medium -----------------------------------------------------------------------------

    /// Medium width (mm), clamped to [minMediaWidth, maxMediaWidth]; stores "MediumWidth" and, in
    /// the hobby edition, selects the format list's last entry.
    void setMediumWidth(int width);
    /// Medium length (mm), clamped to [minMediaHeight, maxMediaHeight]; stores "MediumHeight".
    void setMediumHeight(int height);
    /// Edit texts as typed (decimal integer, anything else reads 0 and is clamped).
    void setMediumWidthText(const std::string& text);
    void setMediumHeightText(const std::string& text);

    int mediumWidth() const { return m_mediumWidth; }
    int mediumHeight() const { return m_mediumHeight; }
    double usableWidth() const { return m_usableWidth; }
    double usableHeight() const { return m_usableHeight; }

    // ---- format list (hobby edition only) ---------------------------------------------------

    /// Whether the format list is shown (start modes 10 to 19).
    bool formatListVisible() const;
    /// The entries: ten when the plotter's name contains "Cameo", else seven; empty when hidden.
    std::vector<std::string> formatList() const;
    int formatCount() const;
    /// Picks a format: stores "Format" and sets the medium size of that entry (the last entry
    /// keeps the size). Indices outside the list are ignored.
    void setFormat(int index);
    int format() const { return m_format; }

    // ---- job size ---------------------------------------------------------------------------

    /// The one size routine. In marks mode, and for a percentage of exactly 100, the job returns
    /// to its imported size and 100 %. Otherwise the size is limited to [minJobWidth, largest job
    /// width] (length likewise) and its percentage formed from the sizes rounded to whole mm; with
    /// proportional sizing the other dimension follows, and a change that would push it out of
    /// its limits is refused (returns false, nothing changes).
    bool changeSize(SizeField field, double value);
    /// The same from an edit's text (a decimal number; anything else reads 0).
    bool changeSizeText(SizeField field, const std::string& text);
    /// The reset button: imported size, 100 %.
    void resetSize();
    /// "Proportional"; stored.
    void setProportional(bool on);
    /// "An Materialbreite anpassen": while it is on (and enabled) proportional is on, sameDistance
    /// off, positionRight and distanceH are 0 and the job's width as it lies on the medium is the
    /// largest job width, fitted again on every change of rotation, medium or allowances. Only
    /// "ToWidth" is stored; turned off, the copy switches and distances set aside come back.
    void setToWidth(bool on);

    double importedWidth() const { return m_size.importedWidth; }
    double importedHeight() const { return m_size.importedHeight; }
    double jobWidth() const { return m_size.width; }
    double jobHeight() const { return m_size.height; }
    double widthPercent() const { return m_size.widthPercent; }
    double heightPercent() const { return m_size.heightPercent; }
    bool proportional() const { return m_proportional; }
    bool toWidth() const { return m_toWidth; }
    double minJobWidth() const { return m_plotter.minCutWidth; }
    double minJobHeight() const { return m_plotter.minCutHeight; }
    /// usableWidth − frame allowance − overcut allowance − 1.
    double largestJobWidth() const;
    /// usableHeight − frame allowance − overcut allowance − 1.
    double largestJobHeight() const;
    /// 2 × "GridDistance" when "Grid" is on and marks mode is off, else 0.
    double frameAllowance() const;
    /// 2 when "UseOvercut" is on, else 0.
    double overcutAllowance() const;

    /// The room the copies take with their frames and distances, across and along the medium.
    struct JobArea {
        double width = 0, height = 0;
    };
    JobArea jobArea() const;
    /// True when the copies take more room than the usable medium (by more than half a millimetre,
    /// as sizes are shown rounded): a registration-mark job is never reduced, and a medium made
    /// smaller than a job whose proportions cannot follow keeps the job as it was.
    bool jobLeavesMedium() const;
    static constexpr double kLeaveTolerance = 0.5;

    // ---- rotation and mirror ----------------------------------------------------------------

    /// Rotation list index (0 none, 1 90° right, 2 90° left, 3 180°; others read as 0); stores
    /// "Rotate" and recomputes the live job from the reference.
    void setRotation(int rotation);
    /// "Spiegeln"; stores "Mirror" and recomputes the live job from the reference.
    void setMirror(bool on);
    int rotation() const { return m_rotation; }
    int previousRotation() const { return m_previousRotation; }
    bool mirror() const { return m_mirror; }

    // ---- copies -----------------------------------------------------------------------------

    /// The copies edit: columns in manual distribution, the requested total in automatic one.
    void setCopiesEdit(int value);
    /// The vertical copies edit (rows); manual distribution only.
    void setRowsEdit(int value);
    /// Horizontal distance, clamped to [0, maxDistanceH]; with sameDistance the vertical one
    /// follows. Stores "CopyDistanceHoricontal" (and "CopyDistanceVertical" when it follows).
    void setDistanceH(int distance);
    /// Vertical distance, clamped to [0, maxDistanceV]; ignored while sameDistance is on (the
    /// control is disabled then). Stores "CopyDistanceVertical".
    void setDistanceV(int distance);
    /// "gleiche Abstände": both distances become the smaller one; stored as "SameDistance".
    void setSameDistance(bool on);
    /// "automatisch verteilen". Switching it off shows text 328 (information) when columns × rows
    /// differs from the total the user had asked for.
    void setAutoDistribute(bool on);

    int columns() const { return m_copies.columns(); }
    int rows() const { return m_copies.rows(); }
    int copyTotal() const { return m_copies.copyTotal(); }
    int maxCopies() const { return m_copies.maxCopies(); }
    int maxColumns() const { return m_copies.maxColumns(); }
    int maxRows() const { return m_copies.maxRows(); }
    int distanceH() const { return m_copies.distanceH(); }
    int distanceV() const { return m_copies.distanceV(); }
    int maxDistanceH() const { return m_copies.maxDistanceH(); }
    int maxDistanceV() const { return m_copies.maxDistanceV(); }
    bool sameDistance() const { return m_copies.sameDistance(); }
    bool autoDistribute() const { return m_copies.autoDistribute(); }

    // ---- position ---------------------------------------------------------------------------

    /// The position list: four entries, nine in the hobby edition (texts 100 onward).
    std::vector<std::string> positionList() const;
    int positionCount() const;
    /// Selects a placement (indices outside the list are ignored); stored as "Center".
    void setPositionMode(int mode);
    /// The horizontal position edit: positionRight, or positionLeft in the hobby edition;
    /// clamped to [0, free space].
    void setHorizontalPosition(int value);
    /// The vertical position edit: positionFront, or positionBack in the hobby edition.
    void setVerticalPosition(int value);

    int positionMode() const { return m_positionMode; }
    int positionRight() const { return m_position.right; }
    int positionLeft() const { return m_position.left; }
    int positionFront() const { return m_position.front; }
    int positionBack() const { return m_position.back; }
    /// Free space across (head direction) and along the medium, whole mm, never negative.
    int freeSpaceH() const;
    int freeSpaceV() const;

    // ---- invert -----------------------------------------------------------------------------

    /// "Invertieren", handed to plot generation.
    void setInvert(bool on);
    bool invert() const { return m_invert; }

    // ---- what the dialog shows ----------------------------------------------------------------

    std::string jobWidthText() const;       ///< "%.0f"
    std::string jobHeightText() const;      ///< "%.0f"
    std::string widthPercentText() const;   ///< "%.0f"
    std::string heightPercentText() const;  ///< "%.0f"
    std::string mediumWidthText() const;
    std::string mediumHeightText() const;
    /// The value of the horizontal / vertical position edit (left/back in the hobby edition).
    int horizontalPositionValue() const;
    int verticalPositionValue() const;
    /// The copies edit: the total in automatic distribution, else the columns.
    int copiesEditValue() const { return autoDistribute() ? copyTotal() : columns(); }
    /// The copies edit is labelled as the total (automatic distribution).
    bool copiesEditIsTotal() const { return autoDistribute(); }
    /// The rotation list texts (110 to 113).
    std::vector<std::string> rotationList() const;

    bool sizeEditsEnabled() const;  ///< false in marks mode (the job is never scaled)
    bool toWidthEnabled() const;    ///< false in marks mode
    bool rowsEnabled() const { return !autoDistribute(); }
    bool distanceHEnabled() const { return !autoDistribute(); }
    bool distanceVEnabled() const { return !autoDistribute() && !sameDistance(); }
    bool sameDistanceEnabled() const { return !autoDistribute(); }
    bool horizontalPositionEnabled() const;
    bool verticalPositionEnabled() const;

    /// The preview has to be redrawn; set by every change.
    bool previewNeedsRedraw() const { return m_previewNeedsRedraw; }
    void requestPreviewRedraw() { m_previewNeedsRedraw = true; }
    void clearPreviewRedraw() { m_previewNeedsRedraw = false; }

    StartMode startMode() const { return m_startMode; }
    const PlotterRecord& plotter() const { return m_plotter; }

private:
    bool hobby() const;
    bool cameo() const;
    void applyMediumWidth(int w);
    void applyMediumHeight(int h);
    void mediumEdited(SizeField dimension);
    void selectLastFormat();
    Allowances allowances() const;
    SizeLimits sizeLimits() const;
    CopyRoom copyRoom() const;
    void reapplySize();
    void reapplyPercentages();
    void fitToWidth();
    /// On opening: a job larger than the largest job size is reduced proportionally to fit, with
    /// a message.
    void reduceToMedium();
    /// Fits again while "ToWidth" is on (and allowed), after anything that changes the room.
    void keepFit();
    void applyTransform();
    void updateCopies();
    void updatePositions();
    int editedDistance(int value, int free) const;

    const Settings& m_settings;
    const Texts& m_texts;
    Interaction& m_interaction;
    StartMode m_startMode = 1;
    Job& m_live;
    const Job& m_reference;
    JobState& m_state;
    PlotterRecord m_plotter;
    std::function<void(JobExtent&)> m_extentAdjuster;
    bool m_open = false;

    std::int32_t m_mediumWidth = 0, m_mediumHeight = 0;
    double m_usableWidth = 0, m_usableHeight = 0;  ///< medium less the plotter's margins
    std::int32_t m_format = 0;
    JobSize m_size;
    bool m_proportional = true;
    bool m_toWidth = false;
    struct BeforeFit {
        bool proportional;
        bool sameDistance;
        int distanceH;
    };
    std::optional<BeforeFit> m_beforeFit;  ///< what the fit set aside, while it is on
    std::int16_t m_rotation = kRotateRight;
    std::int16_t m_previousRotation = kRotateNone;
    bool m_mirror = false;
    CopyGrid m_copies;
    JobPosition m_position;
    std::int32_t m_positionMode = 0;
    bool m_invert = false;
    bool m_previewNeedsRedraw = false;
};

}  // namespace sartovin
