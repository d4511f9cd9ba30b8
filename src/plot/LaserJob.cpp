#include "plot/LaserJob.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <memory>

#include "plot/CurveFlattener.h"
#include "plot/DeviceUnits.h"
#include "plot/LaserDriver.h"

namespace sartovin {

namespace {

constexpr char kEsc = '\x1b';
constexpr const char* kJobName = "Sartovin Daten";
// The unused pen slots of the "!v64" vector tables: fourteen further pens at "0400".
constexpr const char* kPenTail = "04000400040004000400040004000400040004000400040004000400";
constexpr double kUnitsPerMm = 40.0;  // HP-GL/2 units of the vector section
// Page colours: the engraved grey, and the background grey that stays untouched.
constexpr std::uint32_t kEngraved = 0x969696;    // RGB(150, 150, 150)
constexpr std::uint32_t kBackground = 0xC8C8C8;  // RGB(200, 200, 200)
// Bytes a render band may take: a whole page at 1000 dpi would need more than a gigabyte.
constexpr std::size_t kBandBytes = std::size_t{32} << 20;
// Widest tile drawn at once, a multiple of 8 so that tiles meet at byte borders of the rows.
constexpr int kTileWidth = 8192;

void appendf(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void appendf(std::string& out, const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n > 0) out.append(buffer, static_cast<std::size_t>(std::min<int>(n, sizeof buffer - 1)));
}

// The tables carry four digits; a negative setting would print as a huge unsigned number.
unsigned tableValue(int v) { return static_cast<unsigned>(std::max(0, v)); }

struct Positions {
    int x = 0;
    int y = 0;
};

Positions cursorPositions(const PlotParameters& p, const LaserArea& area) {
    const int r = p.laser.resolution;
    Positions pos;
    pos.x = laserDots(r, p.positionRight);
    pos.y = p.laser.raster ? laserDots(r, p.positionFront + area.heightMm) : laserDots(r, p.positionFront);
    return pos;
}

void appendPositions(std::string& out, const Positions& pos) {
    if (pos.x < 1)
        appendf(out, "%c*p0X", kEsc);
    else
        appendf(out, "%c*p%dX", kEsc, pos.x);
    appendf(out, "%c*p%dY", kEsc, pos.y);
}

void appendRasterSize(std::string& out, const LaserArea& area) {
    appendf(out, "%c*r%dT", kEsc, area.rowCount);
    appendf(out, "%c*r%dS", kEsc, area.rasterWidth);
    appendf(out, "%c*b%dM", kEsc, 1);
    appendf(out, "%c*r1A", kEsc);
}

// The status window's cancel button, asked before every raster row (as the walk asks per segment).
bool goOnAfterCancelCheck(PlotContext& context) {
    PlotProgress& progress = context.progress;
    if (!progress.cancelRequested()) return true;
    progress.hide();
    context.interaction.pump();
    const MessageAnswer answer =
        context.interaction.messageBox(context.texts.text(TextId::AskCancelJob), kProgramCaption,
                                       MessageIcon::Question, MessageButtons::YesNo, MessageAnswer::No);
    if (answer == MessageAnswer::Yes) return false;
    progress.clearCancel();
    progress.show();
    return true;
}

// The pen's path through the vector section, in 1/40 mm of the area frame (v towards the front).
class VectorPen {
public:
    VectorPen(std::string& out, int u, int v) : m_out(out), m_u(u), m_v(v) {}
    void up(int u, int v) { move("PU", u, v); }
    void down(int u, int v) { move("PD", u, v); }
    /// The pen was moved by commands written directly.
    void movedTo(int u, int v) {
        m_u = u;
        m_v = v;
    }

private:
    void move(const char* command, int u, int v) {
        // HP-GL's y grows towards the far edge, the area's v towards the front.
        appendf(m_out, "%s%d,%d;", command, u - m_u, m_v - v);
        m_u = u;
        m_v = v;
    }
    std::string& m_out;
    int m_u, m_v;
};

}  // namespace

int laserDots(int resolution, double mm) { return static_cast<int>(resolution * mm / 25.4 + 0.99999); }

int laserFrameDistance(const PlotParameters& p) { return p.gridOn ? p.gridDistance : 0; }

LaserArea laserArea(const PlotParameters& p) {
    const double g = laserFrameDistance(p);
    LaserArea a;
    a.widthMm = p.columns * (p.jobWidth + 2 * g) + (p.columns - 1) * p.distanceH;
    a.heightMm = p.rows * (p.jobHeight + 2 * g) + (p.rows - 1) * p.distanceV;
    a.widthDots = std::max(0, laserDots(p.laser.resolution, a.widthMm));
    a.rasterWidth = (a.widthDots + 7) / 8 * 8;
    a.rowCount = std::max(0, laserDots(p.laser.resolution, a.heightMm));
    return a;
}

LaserEnvelope buildLaserEnvelope(const PlotParameters& p) {
    const LaserParameters& l = p.laser;
    const int r = l.resolution;
    const LaserArea area = laserArea(p);
    const Positions pos = cursorPositions(p, area);
    LaserEnvelope e;

    std::string& h = e.header;
    appendf(h, "%c%%-12345X", kEsc);
    appendf(h, "%cE", kEsc);
    appendf(h, "%c!r0A", kEsc);
    appendf(h, "%c!m%dN%s", kEsc, static_cast<int>(std::char_traits<char>::length(kJobName)), kJobName);
    appendf(h, "%c!v64I%.4u%.4u%s", kEsc, tableValue(l.vectorLpi), tableValue(l.cutOutLpi), kPenTail);
    appendf(h, "%c!v64V%.4u%.4u%s", kEsc, tableValue(p.speed * 10), tableValue(l.cutOutSpeed * 10), kPenTail);
    appendf(h, "%c!v64P%.4u%.4u%s", kEsc, tableValue(p.force * 10), tableValue(l.cutOutForce * 10), kPenTail);
    appendf(h, "%c!v16D", kEsc);
    e.modeBytesOffset = h.size();
    h.append(16, '\0');
    appendf(h, "%c*t%dR", kEsc, r);
    appendf(h, "%c&u%dD", kEsc, r);
    appendf(h, "%c!r%dN", kEsc, 0);
    appendf(h, "%c%%1A", kEsc);
    appendPositions(h, pos);
    appendf(h, "%c*r1A", kEsc);
    appendf(h, "%c*rC", kEsc);
    appendf(h, "%c!m1A", kEsc);
    appendf(h, "%c!r%dB", kEsc, l.raster ? 1 : 0);
    appendf(h, "%c!r2M", kEsc);
    appendf(h, "%c!r%dI", kEsc, l.rasterSpeed * 10);
    appendf(h, "%c!r%dP", kEsc, l.rasterForce * 10);
    appendf(h, "%c*t%dR", kEsc, r);
    appendf(h, "%c&u%dD", kEsc, r);
    appendf(h, "%c!m%dS", kEsc, p.usePlotterSettings ? 1 : 0);
    appendf(h, "%c!s0S", kEsc);
    if (l.raster) appendRasterSize(h, area);

    std::string& c = e.cleaningHeader;
    appendf(c, "%c*rC", kEsc);
    appendPositions(c, pos);
    appendf(c, "%c*r1A", kEsc);
    appendf(c, "%c*rC", kEsc);
    appendf(c, "%c!r%dI", kEsc, l.cleanSpeed * 10);
    appendf(c, "%c!r%dP", kEsc, l.cleanForce * 10);
    appendf(c, "%c*t%dR", kEsc, r);
    appendf(c, "%c&u%dD", kEsc, r);
    appendRasterSize(c, area);

    std::string& v = e.vectorStart;
    if (l.raster) {
        appendf(v, "%c*rC", kEsc);
        appendPositions(v, pos);
        appendf(v, "%c*r1A", kEsc);
        appendf(v, "%c*rC", kEsc);
    }
    appendf(v, "%c%%1B;PR;", kEsc);  // HP-GL/2, relative moves

    std::string& t = e.trailer;
    appendf(t, "PU;%c%%1A", kEsc);
    appendf(t, "%c*p0X", kEsc);
    appendf(t, "%c*p0Y", kEsc);
    appendf(t, "%c*r1A", kEsc);
    appendf(t, "%c*rC", kEsc);
    appendf(t, "%cE", kEsc);
    appendf(t, "%c%%-12345X", kEsc);
    return e;
}

void appendRasterRow(const std::uint8_t* packed, std::size_t count, std::string& out) {
    std::size_t pairs = 0;
    for (std::size_t i = 0; i < count;) {
        std::size_t run = 1;
        while (i + run < count && run < 255 && packed[i + run] == packed[i]) ++run;
        ++pairs;
        i += run;
    }
    appendf(out, "%c*b%uW", kEsc, static_cast<unsigned>(2 * pairs + 2));
    for (std::size_t i = 0; i < count;) {
        std::size_t run = 1;
        while (i + run < count && run < 255 && packed[i + run] == packed[i]) ++run;
        out.push_back(static_cast<char>(run));
        out.push_back(static_cast<char>(packed[i]));
        i += run;
    }
    out.append(2, '\0');
}

LaserDrawing::LaserDrawing(const PlotParameters& params, int groupIndex)
    : m_params(params),
      m_area(laserArea(params)),
      m_sx(scaleFactor(params.heightPercent)),
      m_sy(scaleFactor(params.widthPercent)) {
    const int g = laserFrameDistance(params);
    m_g40 = static_cast<int>(g * kUnitsPerMm);
    m_cellWidth40 = nearestUnits((params.jobWidth + 2 * g) * kUnitsPerMm);
    m_cellHeight40 = nearestUnits((params.jobHeight + 2 * g) * kUnitsPerMm);
    collect(groupIndex);
}

void LaserDrawing::collect(int groupIndex) {
    const PlotParameters& p = m_params;
    if (p.job == nullptr) return;
    const Job& job = *p.job;
    const double pitchU = p.jobWidth + 2.0 * laserFrameDistance(p) + p.distanceH;
    const double pitchV = p.jobHeight + 2.0 * laserFrameDistance(p) + p.distanceV;
    int placed = 0;
    for (int r = 0; r < p.rows && placed < p.copyTotal; ++r) {
        for (int c = 0; c < p.columns && placed < p.copyTotal; ++c) {
            // Registration marks belong to one printed sheet: only the first copy is made.
            if (p.jobState.marksMode && placed > 0) break;
            const int column = p.positionMode == kPositionBottomLeft ? p.columns - 1 - c : c;
            m_cells.push_back(
                {nearestUnits(column * pitchU * kUnitsPerMm), nearestUnits(r * pitchV * kUnitsPerMm)});
            ++placed;
        }
    }
    forEachGroupObject(job, p.selectionMode, groupIndex, [&](const JobObject& object) {
        addObject(object);
        return true;
    });
}

void LaserDrawing::addObject(const JobObject& object) {
    if (!object.selected && !m_params.allObjects) return;
    const QualityValues quality = qualityValuesFor(5, 1, true, m_params.startMode);
    CurveFlattener flattener;
    const int baseU = m_cellWidth40 - m_g40;
    const int baseV = m_cellHeight40 - m_g40;
    // Job x runs along (v), job y across (u); both from the copy's inner corner.
    auto toCell = [&](int along, int across) { return Point{baseU - across, baseV - along}; };
    Object drawn;
    drawn.colour = object.colourKind == kColourRgb
                       ? ((object.fillColour & 0xFF) << 16) | (object.fillColour & 0xFF00) |
                             ((object.fillColour >> 16) & 0xFF)
                       : 0;
    drawn.minV = baseV;
    drawn.maxV = 0;
    for (const JobPath& path : object.paths) {
        if (path.segments.empty()) continue;
        SubPath sub;
        sub.closed = path.closed;
        const PathSegment& first = path.segments.front();
        sub.points.push_back(toCell(nearestUnits(first.startX * kUnitsPerMm * m_sx),
                                    nearestUnits(first.startY * kUnitsPerMm * m_sy)));
        for (const PathSegment& s : path.segments) {
            if (s.kind == kSegmentCurve) {
                flattener.flatten(s, quality, kUnitsPerMm, m_sx, m_sy);
                flattener.thin();
                for (const DevicePoint& d : flattener.kept()) sub.points.push_back(toCell(d.x, d.y));
            } else {
                sub.points.push_back(toCell(nearestUnits(s.endX * kUnitsPerMm * m_sx),
                                            nearestUnits(s.endY * kUnitsPerMm * m_sy)));
            }
        }
        // A closed outline is cut closed, also when its last segment stops short of the start.
        if (sub.closed &&
            (sub.points.back().u != sub.points.front().u || sub.points.back().v != sub.points.front().v))
            sub.points.push_back(sub.points.front());
        for (const Point& pt : sub.points) {
            drawn.minV = std::min(drawn.minV, pt.v);
            drawn.maxV = std::max(drawn.maxV, pt.v);
        }
        drawn.pointCount += sub.points.size();
        drawn.paths.push_back(std::move(sub));
    }
    if (!drawn.paths.empty()) m_objects.push_back(std::move(drawn));
}

std::string LaserDrawing::vectorSection() const {
    const LaserParameters& l = m_params.laser;
    std::string out;
    if (!l.outlines && !l.cutOut) return out;
    const int areaHeight40 = nearestUnits(m_area.heightMm * kUnitsPerMm);
    VectorPen pen(out, 0, l.raster ? 0 : areaHeight40);
    for (const Cell& cell : m_cells) {
        const int originU = cell.left + m_g40;
        const int originV = cell.top + m_g40;
        if (l.outlines) {
            out += "SP1;";
            pen.up(originU, originV);
            for (const Object& object : m_objects) {
                for (const SubPath& sub : object.paths) {
                    pen.up(cell.left + sub.points.front().u, cell.top + sub.points.front().v);
                    for (std::size_t i = 1; i < sub.points.size(); ++i)
                        pen.down(cell.left + sub.points[i].u, cell.top + sub.points[i].v);
                }
            }
        }
        if (l.cutOut) {
            out += "SP2;";
            pen.up(originU, originV);
            // From the copy's inner corner out to its cell's corner, then once round the cell.
            appendf(out, "SP2;PU-%d,%d;", m_g40, m_g40);
            appendf(out, "PD%d,0;", m_cellWidth40);
            appendf(out, "PD0,-%d;", m_cellHeight40);
            appendf(out, "PD-%d,0;", m_cellWidth40);
            appendf(out, "PD0,%d;", m_cellHeight40);
            pen.movedTo(cell.left, cell.top);
        }
    }
    return out;
}

bool LaserDrawing::renderRows(int firstRow, int rowCount, std::vector<std::uint8_t>& packed) const {
    const int width = m_area.rasterWidth;
    const std::size_t rowBytes = static_cast<std::size_t>(width) / 8;
    packed.assign(rowBytes * static_cast<std::size_t>(std::max(0, rowCount)), 0);
    if (width <= 0 || rowCount <= 0) return true;
    // Image surfaces are limited to 32 767 pixels a side: a wide area is drawn in tiles.
    for (int x0 = 0; x0 < width; x0 += kTileWidth)
        if (!renderTile(firstRow, rowCount, x0, std::min(kTileWidth, width - x0), packed)) return false;
    return true;
}

bool LaserDrawing::renderTile(int firstRow, int rowCount, int x0, int tileWidth,
                              std::vector<std::uint8_t>& packed) const {
    const std::size_t rowBytes = static_cast<std::size_t>(m_area.rasterWidth) / 8;
    const bool invert = m_params.laser.invert;
    std::unique_ptr<cairo_surface_t, void (*)(cairo_surface_t*)> surface(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, tileWidth, rowCount), cairo_surface_destroy);
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) return false;
    std::unique_ptr<cairo_t, void (*)(cairo_t*)> crHolder(cairo_create(surface.get()), cairo_destroy);
    cairo_t* cr = crHolder.get();
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) return false;
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    auto setColour = [cr](std::uint32_t rgb) {
        cairo_set_source_rgb(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                             (rgb & 0xFF) / 255.0);
    };
    setColour(kBackground);
    cairo_paint(cr);

    // Millimetres to pixels with the engraver's dots per inch / 25.4, the tile's corner at 0.
    const double k = m_params.laser.resolution / 25.4 / kUnitsPerMm;
    cairo_translate(cr, -x0, -firstRow);
    cairo_scale(cr, k, k);
    const double bandTop = firstRow / k - 1 / k;
    const double bandBottom = (firstRow + rowCount) / k + 1 / k;
    const std::uint32_t copyBrush = invert ? kBackground : kEngraved;
    const std::uint32_t objectBrush = invert ? kEngraved : kBackground;
    const bool strokeAndFill = m_params.selectionMode == SelectionMode::Colours;
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_set_line_width(cr, 1 / k);  // the one-pixel pen

    for (const Cell& cell : m_cells) {
        if (cell.top > bandBottom || cell.top + m_cellHeight40 < bandTop) continue;
        cairo_rectangle(cr, cell.left, cell.top, m_cellWidth40, m_cellHeight40);
        setColour(copyBrush);
        cairo_fill(cr);
        for (const Object& object : m_objects) {
            if (cell.top + object.maxV < bandTop || cell.top + object.minV > bandBottom) continue;
            cairo_new_path(cr);
            for (const SubPath& sub : object.paths) {
                cairo_move_to(cr, cell.left + sub.points.front().u, cell.top + sub.points.front().v);
                for (std::size_t i = 1; i < sub.points.size(); ++i)
                    cairo_line_to(cr, cell.left + sub.points[i].u, cell.top + sub.points[i].v);
                if (sub.closed) cairo_close_path(cr);
            }
            if (object.pointCount > 2) {
                setColour(objectBrush);
                if (strokeAndFill) {
                    cairo_fill_preserve(cr);
                    setColour(object.colour);
                    cairo_stroke(cr);
                } else {
                    cairo_fill(cr);
                }
            } else {
                setColour(object.colour);
                cairo_stroke(cr);
            }
        }
    }
    cairo_surface_flush(surface.get());
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) return false;

    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < rowCount; ++y) {
        const auto* pixels =
            reinterpret_cast<const std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        std::uint8_t* row = packed.data() + static_cast<std::size_t>(y) * rowBytes;
        for (int x = 0; x < tileWidth; ++x) {
            const std::uint32_t rgb = pixels[x] & 0xFFFFFF;
            const bool set = invert ? rgb != kBackground : rgb == kEngraved;
            const int column = x0 + x;
            if (set) row[column >> 3] |= static_cast<std::uint8_t>(0x80 >> (column & 7));
        }
    }
    return true;
}

bool LaserDrawing::rasterRows(std::string& out, PlotContext& context) const {
    const int rows = m_area.rowCount;
    const std::size_t rowBytes = static_cast<std::size_t>(m_area.rasterWidth) / 8;
    const std::size_t tileBytesPerRow =
        static_cast<std::size_t>(std::min(kTileWidth, m_area.rasterWidth)) * 4;
    const int bandRows =
        std::max(1, static_cast<int>(kBandBytes / std::max<std::size_t>(1, tileBytesPerRow)));
    PlotProgress& progress = context.progress;
    progress.setText(context.texts.text(TextId::LaserRasterRows));
    progress.setRange(0, rows);
    progress.setPosition(0);
    std::vector<std::uint8_t> packed;
    for (int first = 0; first < rows; first += bandRows) {
        const int count = std::min(bandRows, rows - first);
        if (!renderRows(first, count, packed)) {
            progress.hide();
            context.interaction.messageBox(
                context.texts.format(TextId::LaserCannotDraw,
                                     {std::to_string(m_area.rasterWidth), std::to_string(m_area.rowCount)}),
                kProgramCaption, MessageIcon::Error);
            return false;
        }
        for (int i = 0; i < count; ++i) {
            if (!goOnAfterCancelCheck(context)) return false;
            appendRasterRow(packed.data() + static_cast<std::size_t>(i) * rowBytes, rowBytes, out);
            const int row = first + i + 1;
            if (row % 5 == 0) {
                progress.setPosition(row);
                context.interaction.pump();
            }
        }
    }
    progress.setPosition(rows);
    return true;
}

bool writeLaser(int groupIndex, std::string& output, const PlotParameters& params, int pass,
                PlotContext& context) {
    output.clear();
    PlotParameters p = params;
    if (!p.laser.definitionFile.empty()) {
        LaserDefinition definition;
        int resolution = 0;
        if (!checkLaserDriverForPass(p.laser.definitionFile, context.interaction, context.texts,
                                     context.progress, definition, resolution))
            return false;
        p.laser.resolution = resolution;
    } else if (p.laser.resolution <= 0) {
        context.progress.hide();
        context.interaction.messageBox(
            context.texts.format(TextId::LaserDefinitionNoResolution, {std::to_string(p.laser.resolution)}),
            kProgramCaption, MessageIcon::Error);
        return false;
    }

    PlotProgress& progress = context.progress;
    progress.setText(context.texts.text(TextId::LaserDrawing));
    progress.show();
    context.interaction.pump();

    const LaserEnvelope envelope = buildLaserEnvelope(p);
    const LaserDrawing drawing(p, groupIndex);
    std::string rows;
    if (p.laser.raster && !drawing.rasterRows(rows, context)) {
        output.clear();
        progress.hide();
        return false;
    }

    output.reserve(envelope.header.size() + rows.size() * (1 + std::max(0, p.laser.repeatCountRaster)) +
                   4096);
    output += envelope.header;
    output += rows;
    // The cleaning pass goes over the engraved rows again; without raster engraving there are none.
    if (p.laser.clean && p.laser.raster) {
        for (int i = 0; i < p.laser.repeatCountRaster; ++i) {
            output += envelope.cleaningHeader;
            output += rows;
        }
    }
    output += envelope.vectorStart;
    output += drawing.vectorSection();
    output += envelope.trailer;
    if (pass >= p.repeatCount) progress.hide();
    return true;
}

}  // namespace sartovin
