#include "aiplugin/DocumentMarks.h"

#include <algorithm>

#include "aiplugin/HostStrings.h"
#include "job/IllustratorJobWriter.h"

namespace sartovin {

SPErr DocumentMarks::isMarksLayer(AILayerHandle layer, bool& marks) {
    AIUnicodeString title{nullptr};
    SPErr err = m_suites.layer->GetLayerTitle(layer, title);
    if (err != kSPNoError) return err;
    marks = utf8Of(m_suites.unicodeString, title) == kMarksLayerTitle;
    m_suites.unicodeString->Destroy(title);
    return kSPNoError;
}

SPErr DocumentMarks::artworkBounds(MarkRect& bounds, bool& found) {
    const AIArtSuite* art = m_suites.art;
    found = false;
    AILayerHandle layer = nullptr;
    SPErr err = m_suites.layer->GetFirstLayer(&layer);
    while (err == kSPNoError && layer) {
        AIBoolean visible = false;
        bool marks = false;
        if ((err = m_suites.layer->GetLayerVisible(layer, &visible)) != kSPNoError) break;
        if (visible && (err = isMarksLayer(layer, marks)) != kSPNoError) break;
        AIArtHandle group = nullptr, a = nullptr;
        if (visible && !marks) {
            if ((err = art->GetFirstArtOfLayer(layer, &group)) != kSPNoError) break;
            if (group && (err = art->GetArtFirstChild(group, &a)) != kSPNoError) break;
        }
        for (; err == kSPNoError && a; err = art->GetArtSibling(a, &a)) {
            AIRealRect r{};
            short type = kUnknownArt;
            if ((err = art->GetArtType(a, &type)) != kSPNoError) break;
            if ((err = art->GetArtTransformBounds(a, nullptr, 0, &r)) != kSPNoError) break;
            if (type == kPathArt && !art->ArtHasFill(a) && !art->ArtHasStroke(a) &&
                unpaintedBoundsSkipped({r.left, r.top, r.right, r.bottom}))
                continue;
            if (!found) {
                bounds = {r.left, r.top, r.right, r.bottom};
                found = true;
            } else {
                bounds.left = std::min<double>(bounds.left, r.left);
                bounds.right = std::max<double>(bounds.right, r.right);
                bounds.top = std::max<double>(bounds.top, r.top);
                bounds.bottom = std::min<double>(bounds.bottom, r.bottom);
            }
        }
        if (err != kSPNoError) break;
        err = m_suites.layer->GetNextLayer(layer, &layer);
    }
    return err;
}

SPErr DocumentMarks::deleteMarksLayer(bool& deleted) {
    deleted = false;
    AILayerHandle layer = nullptr;
    SPErr err = m_suites.layer->GetFirstLayer(&layer);
    while (err == kSPNoError && layer) {
        AIBoolean visible = false;
        bool marks = false;
        if ((err = m_suites.layer->GetLayerVisible(layer, &visible)) != kSPNoError) break;
        if (visible && (err = isMarksLayer(layer, marks)) != kSPNoError) break;
        if (visible && marks) {
            err = m_suites.layer->DeleteLayer(layer);
            deleted = err == kSPNoError;
            break;
        }
        err = m_suites.layer->GetNextLayer(layer, &layer);
    }
    return err;
}

SPErr DocumentMarks::draw(MarksVariant variant, const MarkSettings& settings, const std::string& tooLargeText,
                          bool& drawn) {
    drawn = false;
    MarkRect bounds;
    bool found = false;
    SPErr err = artworkBounds(bounds, found);
    if (err != kSPNoError || !found) return err;
    const MarksResult marks = registrationMarks(variant, settings, bounds);
    if (!marks.fits) {
        m_system.errorBox(tooLargeText, "Sartovin");
        return kSPNoError;
    }

    bool deleted = false;
    if ((err = deleteMarksLayer(deleted)) != kSPNoError) return err;
    AILayerHandle layer = nullptr;
    if ((err = m_suites.layer->InsertLayer(nullptr, kPlaceBelowAll, &layer)) != kSPNoError) return err;
    if ((err = m_suites.layer->SetLayerEditable(layer, true)) != kSPNoError) return err;
    AIUnicodeString title{nullptr};
    const std::string name = kMarksLayerTitle;
    if ((err = m_suites.unicodeString->Initialize(title, name.c_str(), name.size(),
                                                  kAIUTF8CharacterEncoding)) != kSPNoError)
        return err;
    err = m_suites.layer->SetLayerTitle(layer, title);
    m_suites.unicodeString->Destroy(title);
    if (err != kSPNoError) return err;
    // New rectangles go into the current layer.
    if ((err = m_suites.layer->SetCurrentLayer(layer)) != kSPNoError) return err;
    short model = kDocCMYKColor;
    if ((err = m_suites.document->GetDocumentColorModel(&model)) != kSPNoError) return err;
    for (const MarkRectangle& mark : marks.rectangles)
        if ((err = addRectangle(mark, model)) != kSPNoError) return err;
    if ((err = m_suites.layer->SetLayerEditable(layer, false)) != kSPNoError) return err;
    drawn = true;
    return kSPNoError;
}

SPErr DocumentMarks::addRectangle(const MarkRectangle& mark, short colourModel) {
    AIArtHandle rect = nullptr;
    const MarkRect& r = mark.rect;
    SPErr err = m_suites.shapeConstruction->NewRect(static_cast<AIReal>(r.top), static_cast<AIReal>(r.left),
                                                    static_cast<AIReal>(r.bottom),
                                                    static_cast<AIReal>(r.right), false, &rect);
    if (err != kSPNoError) return err;
    AIPathStyle style{};
    if ((err = m_suites.pathStyle->GetPathStyle(rect, &style)) != kSPNoError) return err;
    // The identity goes into the colour of the rectangle's own kind; a kind without plain values
    // takes the document's colour model.
    AIColorTag kind = style.fill.color.kind;
    if (kind != kGrayColor && kind != kFourColor && kind != kThreeColor)
        kind = colourModel == kDocGrayColor  ? kGrayColor
               : colourModel == kDocRGBColor ? kThreeColor
                                             : kFourColor;
    const AIReal v = static_cast<AIReal>(mark.identity);
    style.fillPaint = true;
    style.strokePaint = false;
    style.fill.color = AIColor{};
    style.fill.color.kind = kind;
    if (kind == kFourColor) {
        style.fill.color.c.f = {1, 1, 1, v / 100};
    } else if (kind == kThreeColor) {
        style.fill.color.c.rgb = {v / 255, 0, 0};
    } else {
        style.fill.color.c.g.gray = v / 100;
    }
    return m_suites.pathStyle->SetPathStyle(rect, &style);
}

}  // namespace sartovin
