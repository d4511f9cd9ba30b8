#include "aiplugin/JobExport.h"

#include "aiplugin/HostStrings.h"

namespace sartovin {

namespace {

PointRect pointRect(const AIRealRect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

JobExport::Outcome JobExport::writeJobFile() {
    PointRect page;
    std::vector<ExportLayer> layers;
    bool hasLayers = false;
    m_error = collect(page, layers, hasLayers);
    if (m_error != kSPNoError) return Outcome::HostError;
    if (!hasLayers) return Outcome::NoLayers;

    const std::string temp = m_system.tempFolder();
    if (temp.empty()) return Outcome::FileFailed;
    m_jobPath = temp + (temp.back() == '\\' ? "" : "\\") + kJobFileName;
    const auto bytes = formatIllustratorJob(page, layers);
    if (!bytes || !m_system.writeNewFile(m_jobPath, *bytes)) return Outcome::FileFailed;
    return Outcome::Written;
}

SPErr JobExport::collect(PointRect& page, std::vector<ExportLayer>& layers, bool& hasLayers) {
    const AILayerSuite* layerSuite = m_suites.layer;
    AIRealRect pageRect{};
    SPErr err = m_suites.document->GetDocumentPageRect(&pageRect);
    if (err != kSPNoError) return err;
    page = pointRect(pageRect);

    AILayerHandle layer = nullptr;
    if ((err = layerSuite->GetFirstLayer(&layer)) != kSPNoError) return err;
    hasLayers = layer != nullptr;
    for (; layer;) {
        AIBoolean visible = false;
        AIArtHandle group = nullptr, first = nullptr;
        if ((err = layerSuite->GetLayerVisible(layer, &visible)) != kSPNoError) return err;
        if (visible) {
            if ((err = m_suites.art->GetFirstArtOfLayer(layer, &group)) != kSPNoError) return err;
            if (group && (err = m_suites.art->GetArtFirstChild(group, &first)) != kSPNoError) return err;
        }
        if (visible && first) {
            AIBoolean editable = false;
            if ((err = layerSuite->SetCurrentLayer(layer)) != kSPNoError) return err;
            if ((err = layerSuite->GetLayerEditable(layer, &editable)) != kSPNoError) return err;
            if ((err = layerSuite->SetLayerEditable(layer, true)) != kSPNoError) return err;

            ExportLayer exported;
            AIUnicodeString title{nullptr};
            err = layerSuite->GetLayerTitle(layer, title);
            if (err == kSPNoError) {
                exported.title = utf8Of(m_suites.unicodeString, title);
                m_suites.unicodeString->Destroy(title);
                err = walkArt(first, exported.paths);
            }
            // The layer's lock comes back whatever the walk found.
            const SPErr restored = layerSuite->SetLayerEditable(layer, editable);
            if (err == kSPNoError) err = restored;
            if (err != kSPNoError) return err;
            layers.push_back(std::move(exported));
        }
        AILayerHandle next = nullptr;
        if ((err = layerSuite->GetNextLayer(layer, &next)) != kSPNoError) return err;
        layer = next;
    }
    return kSPNoError;
}

SPErr JobExport::walkArt(AIArtHandle first, std::vector<ExportPath>& out) {
    const AIArtSuite* art = m_suites.art;
    for (AIArtHandle a = first; a;) {
        short type = kUnknownArt;
        SPErr err = art->GetArtType(a, &type);
        if (err != kSPNoError) return err;
        if (type == kGroupArt || type == kCompoundPathArt) {
            AIArtHandle child = nullptr;
            if ((err = art->GetArtFirstChild(a, &child)) != kSPNoError) return err;
            if (child && (err = walkArt(child, out)) != kSPNoError) return err;
        } else if (type == kPathArt) {
            bool written = false;
            if ((err = writePath(a, a, a, true, out, written)) != kSPNoError) return err;
        } else if (type == kTextFrameArt) {
            if ((err = walkTextFrame(a, out)) != kSPNoError) return err;
        }
        // Placed images, raster, mesh, symbols and plug-in art have no paths to cut.
        AIArtHandle next = nullptr;
        if ((err = art->GetArtSibling(a, &next)) != kSPNoError) return err;
        a = next;
    }
    return kSPNoError;
}

SPErr JobExport::walkTextFrame(AIArtHandle frame, std::vector<ExportPath>& out) {
    // The outlines are made from a copy, so the document keeps its text.
    AIArtHandle copy = nullptr, outline = nullptr;
    SPErr err = m_suites.art->DuplicateArt(frame, kPlaceBelow, frame, &copy);
    if (err != kSPNoError) return err;
    err = m_suites.textFrame->CreateOutline(copy, &outline);
    if (err == kSPNoError && outline) err = walkGlyphs(outline, frame, out);
    if (outline) m_suites.art->DisposeArt(outline);
    if (copy) m_suites.art->DisposeArt(copy);
    return err;
}

SPErr JobExport::walkGlyphs(AIArtHandle outline, AIArtHandle frame, std::vector<ExportPath>& out) {
    const AIArtSuite* art = m_suites.art;
    // The whole text is one object: the first glyph path written opens it, every further one is a
    // sub-path of it.
    bool startsObject = true;
    AIArtHandle child = nullptr;
    SPErr err = art->GetArtFirstChild(outline, &child);
    while (err == kSPNoError && child) {
        short type = kUnknownArt;
        if ((err = art->GetArtType(child, &type)) != kSPNoError) break;
        if (type == kCompoundPathArt) {
            AIArtHandle path = nullptr;
            err = art->GetArtFirstChild(child, &path);
            while (err == kSPNoError && path) {
                short pathType = kUnknownArt;
                if ((err = art->GetArtType(path, &pathType)) != kSPNoError) break;
                bool written = false;
                if (pathType == kPathArt) err = writePath(path, frame, child, startsObject, out, written);
                if (written) startsObject = false;
                if (err == kSPNoError) err = art->GetArtSibling(path, &path);
            }
        } else if (type == kPathArt) {
            bool written = false;
            err = writePath(child, frame, child, startsObject, out, written);
            if (written) startsObject = false;
        }
        if (err == kSPNoError) err = art->GetArtSibling(child, &child);
    }
    return err;
}

SPErr JobExport::writePath(AIArtHandle path, AIArtHandle boundsArt, AIArtHandle styleArt, bool startsObject,
                           std::vector<ExportPath>& out, bool& written) {
    const AIArtSuite* art = m_suites.art;
    const AIPathSuite* paths = m_suites.path;
    written = false;
    AIBoolean hasLength = false;
    SPErr err = paths->PathHasLength(path, &hasLength);
    if (err != kSPNoError) return err;
    if (!hasLength) return kSPNoError;

    ExportPath p;
    p.filled = art->ArtHasFill(path);
    p.stroked = art->ArtHasStroke(path);
    AIRealRect bounds{};
    if ((err = art->GetArtTransformBounds(boundsArt, nullptr, kTestBoundsFlags, &bounds)) != kSPNoError)
        return err;
    p.testBounds = pointRect(bounds);
    if (!p.filled && !p.stroked && unpaintedBoundsSkipped(*p.testBounds)) return kSPNoError;
    const std::int32_t flags = p.stroked ? kStrokedObjectBoundsFlags : kObjectBoundsFlags;
    if ((err = art->GetArtTransformBounds(boundsArt, nullptr, flags, &bounds)) != kSPNoError) return err;
    p.bounds = pointRect(bounds);

    short count = 0;
    if ((err = paths->GetPathSegmentCount(path, &count)) != kSPNoError) return err;
    std::vector<AIPathSegment> segments(count > 0 ? static_cast<std::size_t>(count) : 0);
    if (count > 0 && (err = paths->GetPathSegments(path, 0, count, segments.data())) != kSPNoError)
        return err;
    AIBoolean closed = false;
    if ((err = paths->GetPathClosed(path, &closed)) != kSPNoError) return err;
    p.closed = closed;
    for (short i = 0; i < count && !p.selected; ++i) {
        short selected = kSegmentNotSelected;
        if ((err = paths->GetPathSegmentSelected(path, i, &selected)) != kSPNoError) return err;
        p.selected = selected != kSegmentNotSelected;
    }
    for (const AIPathSegment& s : segments) {
        ExportAnchor a;
        a.x = s.p.h, a.y = s.p.v;
        a.inX = s.in.h, a.inY = s.in.v;
        a.outX = s.out.h, a.outY = s.out.v;
        a.smooth = !s.corner;
        p.anchors.push_back(a);
    }
    // Every path knows its colour, so whichever path ends up opening the object can write it.
    if ((err = fillColour(styleArt, p.fill)) != kSPNoError) return err;
    p.startsObject = startsObject;
    out.push_back(std::move(p));
    written = true;
    return kSPNoError;
}

SPErr JobExport::fillColour(AIArtHandle styleArt, ExportColour& colour) {
    AIPathStyle style{};
    SPErr err = m_suites.pathStyle->GetPathStyle(styleArt, &style);
    if (err != kSPNoError) return err;
    if (!style.fillPaint) {
        colour.kind = ExportColourKind::None;
        return kSPNoError;
    }
    const AIColor& c = style.fill.color;
    switch (c.kind) {
        case kGrayColor:
            colour.kind = ExportColourKind::Grey;
            colour.components[0] = c.c.g.gray;
            break;
        case kFourColor:
            colour.kind = ExportColourKind::Cmyk;
            colour.components[0] = c.c.f.cyan;
            colour.components[1] = c.c.f.magenta;
            colour.components[2] = c.c.f.yellow;
            colour.components[3] = c.c.f.black;
            break;
        case kThreeColor:
            colour.kind = ExportColourKind::Rgb;
            colour.components[0] = c.c.rgb.red;
            colour.components[1] = c.c.rgb.green;
            colour.components[2] = c.c.rgb.blue;
            break;
        default:
            colour.kind = ExportColourKind::Other;
            break;
    }
    AISwatchListRef list = nullptr;
    if ((err = m_suites.swatchList->GetSwatchList(nullptr, &list)) != kSPNoError) return err;
    AISwatchRef swatch = list ? m_suites.swatchList->GetSwatchByColor(list, &c) : nullptr;
    if (swatch) {
        AIUnicodeString name{nullptr};
        if ((err = m_suites.swatchList->GetSwatchName(swatch, name)) != kSPNoError) return err;
        colour.swatchName = utf8Of(m_suites.unicodeString, name);
        m_suites.unicodeString->Destroy(name);
    }
    return kSPNoError;
}

}  // namespace sartovin
