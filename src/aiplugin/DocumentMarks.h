#pragma once
// The registration marks in the document: the extent of the visible artwork, the marks layer
// "QX-PassermarkenEbene" deleted or drawn anew around it (geometry: layout/RegistrationMarkDrawing).

#include <string>

#include "aiplugin/PluginSystem.h"
#include "aiplugin/SuiteTable.h"
#include "layout/RegistrationMarkDrawing.h"

namespace sartovin {

class DocumentMarks {
public:
    DocumentMarks(const SuiteTable& suites, PluginSystem& system) : m_suites(suites), m_system(system) {}

    /// The bounds (points, y upwards) of every top-level art object of the visible layers, leaving
    /// out unpainted guides (as the job export does) and the marks layer itself. `found` is false
    /// when there is no such art.
    SPErr artworkBounds(MarkRect& bounds, bool& found);

    /// Deletes the first visible layer titled "QX-PassermarkenEbene"; `deleted` tells whether there
    /// was one.
    SPErr deleteMarksLayer(bool& deleted);

    /// Draws a new marks layer around the artwork, replacing the old one, so that the drawing never
    /// carries two sets of marks. Nothing is drawn for a document without artwork. Hobby marks that
    /// do not fit their sheet format show `tooLargeText` in an error box and draw nothing.
    SPErr draw(MarksVariant variant, const MarkSettings& settings, const std::string& tooLargeText,
               bool& drawn);

private:
    SPErr isMarksLayer(AILayerHandle layer, bool& marks);
    SPErr addRectangle(const MarkRectangle& mark, short colourModel);

    const SuiteTable& m_suites;
    PluginSystem& m_system;
};

}  // namespace sartovin
