#include "job/JobFileReader.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <string_view>

#include "job/Bezier.h"
#include "job/JobColours.h"
#include "job/JobModel.h"
#include "job/JobTextEncoding.h"
#include "platform/Files.h"
#include "platform/StringUtil.h"

namespace sartovin {

namespace {

constexpr std::size_t npos = std::string_view::npos;

constexpr std::string_view kPageKey = "QXSeite";
constexpr std::string_view kLayerKey = "QXEbene";
constexpr std::string_view kObjectKey = "QXObjekt";
constexpr std::string_view kSelectionKey = "QXAuswahl";
constexpr std::string_view kBoundsKey = "QXKoordinaten";
constexpr std::string_view kFillKey = "QXFuellfarbe";
constexpr std::string_view kOutlineKey = "QXAussenkante";
constexpr std::string_view kStartKey = "QXStart";
constexpr std::string_view kClosedKey = "QXGeschlossen";
constexpr std::string_view kEndKey = "QXEnde";

// Every search is confined to a region [from, limit) of the text, so that no record ever makes
// the reader look through the rest of the file again: the whole read stays linear in the size.
class Region {
public:
    Region(std::string_view text, std::size_t from, std::size_t limit)
        : m_text(text), m_from(std::min(from, limit)), m_limit(std::min(limit, text.size())) {}

    std::size_t from() const { return m_from; }
    std::size_t limit() const { return m_limit; }

    /// Position of `key` that lies wholly in [from, limit), or npos.
    std::size_t find(std::string_view key, std::size_t from) const {
        if (from >= m_limit || m_limit - from < key.size()) return npos;
        std::size_t p = m_text.substr(from, m_limit - from).find(key);
        return p == npos ? npos : from + p;
    }

    /// The line feed at or after `from` inside the region, or limit when there is none.
    std::size_t lineFeedFrom(std::size_t from) const {
        std::size_t p = find("\n", from);
        return p == npos ? m_limit : p;
    }

    /// The line that follows the line feed at `lineFeed` (trimmed) and the position of the line
    /// feed that ends it (or limit). A line feed at or beyond the limit gives an empty line.
    std::string_view lineAfter(std::size_t lineFeed, std::size_t& end) const {
        if (lineFeed >= m_limit) {
            end = m_limit;
            return {};
        }
        std::size_t start = lineFeed + 1;
        end = lineFeedFrom(start);
        return trimmedView(m_text.substr(start, end - start));
    }

    /// The value line of a keyword at `keyPos`: the line after the one holding the keyword.
    std::string_view valueLine(std::size_t keyPos, std::size_t& end) const {
        return lineAfter(lineFeedFrom(keyPos), end);
    }

    /// Start of the line holding position `pos`, but not before `floor`.
    std::size_t lineStartOf(std::size_t pos, std::size_t floor) const {
        std::size_t p = pos;
        while (p > floor && m_text[p - 1] != '\n') --p;
        return p;
    }

    std::string_view slice(std::size_t from, std::size_t to) const { return m_text.substr(from, to - from); }

private:
    std::string_view m_text;
    std::size_t m_from;
    std::size_t m_limit;
};

// Reads numbers the way "%lf" and "%d" conversions do: white space is skipped, the longest number
// at the front is taken, and the first conversion that fails ends the scan, so every later field
// keeps its default. Values that are not finite (inf, nan, out of range) and lengths beyond any
// drawing (a million kilometres) count as a failed conversion: no coordinate of the model may be
// one, and the spans computed from them must stay finite.
constexpr double kLargestLength = 1e12;
class NumberScanner {
public:
    explicit NumberScanner(std::string_view text) : m_text(text) {}

    void readDouble(double& value) {
        if (!start()) return;
        const char* first = m_text.data() + m_pos;
        const char* last = m_text.data() + m_text.size();
        if (*first == '+' && first + 1 < last && first[1] != '-' && first[1] != '+') ++first;
        double v = 0;
        auto result = std::from_chars(first, last, v, std::chars_format::general);
        if (result.ec != std::errc() || !std::isfinite(v) || std::fabs(v) > kLargestLength) {
            m_failed = true;
            return;
        }
        value = v;
        m_pos = static_cast<std::size_t>(result.ptr - m_text.data());
    }

    void readInt(int& value) {
        if (!start()) return;
        std::size_t p = m_pos;
        bool negative = false;
        if (m_text[p] == '+' || m_text[p] == '-') {
            negative = m_text[p] == '-';
            ++p;
        }
        std::size_t digits = p;
        long long v = 0;
        while (p < m_text.size() && m_text[p] >= '0' && m_text[p] <= '9') {
            // Saturate: a count of digits beyond any integer gives the nearest integer limit.
            if (v < LLONG_MAX / 10) v = v * 10 + (m_text[p] - '0');
            ++p;
        }
        if (p == digits) {
            m_failed = true;
            return;
        }
        if (negative) v = -v;
        value = static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
        m_pos = p;
    }

private:
    bool start() {
        if (m_failed) return false;
        while (m_pos < m_text.size() && isSpace(m_text[m_pos])) ++m_pos;
        if (m_pos >= m_text.size()) m_failed = true;
        return !m_failed;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    bool m_failed = false;
};

std::int16_t toInt16(int v) { return static_cast<std::int16_t>(std::clamp(v, -32768, 32767)); }

// Skips the first character (one UTF-8 sequence) of a line.
std::string_view afterFirstCharacter(std::string_view line) {
    if (line.empty()) return line;
    std::size_t n = 1;
    while (n < line.size() && (static_cast<unsigned char>(line[n]) & 0xC0) == 0x80) ++n;
    return line.substr(n);
}

class JobTextParser {
public:
    JobTextParser(std::string_view text, JobFileVariant variant, Job& job, JobState& state)
        : m_text(text), m_variant(variant), m_job(job), m_state(state) {}

    bool run() {
        Region all(m_text, 0, m_text.size());
        std::size_t page = all.find(kPageKey, 0);
        if (page == npos) return false;
        std::size_t end = 0;
        NumberScanner size(all.valueLine(page, end));
        size.readDouble(m_job.pageWidth);
        size.readDouble(m_job.pageHeight);

        std::size_t layer = all.find(kLayerKey, 0);
        while (layer != npos) {
            std::size_t next = all.find(kLayerKey, layer + kLayerKey.size());
            readLayer(Region(m_text, layer, next == npos ? m_text.size() : next));
            layer = next;
        }
        return true;
    }

private:
    void readLayer(const Region& region) {
        JobLayer layer;
        std::size_t end = 0;
        layer.name = std::string(region.valueLine(region.from(), end));
        layer.enabled = true;
        const bool marks = layer.name == kMarksLayerName;
        if (marks) m_state.marksLayerFlag = true;

        std::size_t object = region.find(kObjectKey, end);
        while (object != npos) {
            std::size_t next = region.find(kObjectKey, object + kObjectKey.size());
            layer.objects.push_back(
                readObject(Region(m_text, object, next == npos ? region.limit() : next), marks));
            object = next;
        }
        m_job.layers.push_back(std::move(layer));
    }

    JobObject readObject(const Region& region, bool marksLayer) {
        JobObject object;
        ++m_state.objectTotal;
        std::size_t pos = region.from() + kObjectKey.size();
        std::size_t end = 0;

        if (std::size_t key = region.find(kSelectionKey, pos); key != npos) {
            object.selected = !contains(region.valueLine(key, end), "nein");
            pos = end;
        }
        if (std::size_t key = region.find(kBoundsKey, pos); key != npos) {
            NumberScanner numbers(region.valueLine(key, end));
            numbers.readDouble(object.boundsX1);
            numbers.readDouble(object.boundsY1);
            numbers.readDouble(object.boundsX2);
            numbers.readDouble(object.boundsY2);
            pos = end;
        }
        widenExtent(m_state.extent, object);

        std::string_view name;
        std::string_view model;
        std::string_view values;
        if (std::size_t key = region.find(kFillKey, pos); key != npos) {
            name = region.valueLine(key, end);
            if (m_variant == JobFileVariant::Illustrator) model = region.lineAfter(end, end);
            values = region.lineAfter(end, end);
            pos = end;
        }
        setColour(object, name, model, values, marksLayer);

        if (m_variant == JobFileVariant::Corel) {
            if (std::size_t key = region.find(kOutlineKey, pos); key != npos) {
                NumberScanner numbers(region.valueLine(key, end));
                int red = 0, green = 0, blue = 0;
                numbers.readInt(red);
                numbers.readInt(green);
                numbers.readInt(blue);
                numbers.readDouble(object.outlineValue1);
                numbers.readDouble(object.outlineValue2);
                object.outlineRed = toInt16(red);
                object.outlineGreen = toInt16(green);
                object.outlineBlue = toInt16(blue);
                pos = end;
            }
        }
        readPaths(region, pos, object);
        return object;
    }

    void setColour(JobObject& object, std::string_view name, std::string_view model, std::string_view values,
                   bool marksLayer) {
        NumberScanner numbers(values);
        object.colourName = std::string(name);
        if (m_variant == JobFileVariant::Illustrator && contains(model, "CMYK")) {
            int c = 0, m = 0, y = 0;
            // A mark whose identity cannot be read counts as plain black.
            int k = marksLayer ? 100 : 0;
            numbers.readInt(c);
            numbers.readInt(m);
            numbers.readInt(y);
            numbers.readInt(k);
            object.colourName += cmykSuffix(c, m, y, k);
            if (marksLayer) {
                object.fillColour = packCmyk(c, m, y, k);
                object.colourKind = kColourCmyk;
            } else {
                object.fillColour = packRgb(cmykToDisplayRgb(c, m, y, k));
                object.colourKind = kColourRgb;
            }
            return;
        }
        RgbValue rgb;
        numbers.readInt(rgb.red);
        numbers.readInt(rgb.green);
        numbers.readInt(rgb.blue);
        object.colourName += rgbSuffix(rgb.red, rgb.green, rgb.blue);
        object.fillColour = packRgb(shadeLightColour(rgb));
        object.colourKind = kColourRgb;
    }

    void readPaths(const Region& region, std::size_t pos, JobObject& object) {
        std::size_t start = region.find(kStartKey, pos);
        while (start != npos) {
            std::size_t nextStart = region.find(kStartKey, start + kStartKey.size());
            std::size_t bound = nextStart == npos ? region.limit() : nextStart;
            // A sub-path ends at its "QXEnde". Without one it runs to the end of its object's
            // region, or up to the next "QXStart" when another sub-path follows, so that no line is
            // ever read twice.
            std::size_t finish = Region(m_text, start, bound).find(kEndKey, start + kStartKey.size());
            if (finish == npos) finish = bound;
            object.paths.push_back(readPath(Region(m_text, start, finish)));
            ++m_state.pathTotal;
            start = nextStart;
        }
    }

    JobPath readPath(const Region& region) {
        JobPath path;
        std::size_t end = 0;
        std::size_t firstFeed = region.lineFeedFrom(region.from());
        std::string_view first = region.lineAfter(firstFeed, end);
        std::size_t segmentsFrom = firstFeed >= region.limit() ? region.limit() : firstFeed + 1;
        if (contains(first, kClosedKey)) {
            path.closed = contains(region.lineAfter(end, end), "ja");
            segmentsFrom = end >= region.limit() ? region.limit() : end + 1;
        }
        // The segment lines stop before the line that holds the closing keyword; at the very end
        // of the text the last line counts whole.
        std::size_t segmentsTo = region.limit() >= m_text.size()
                                     ? m_text.size()
                                     : region.lineStartOf(region.limit(), segmentsFrom);
        std::vector<std::string_view> lines;
        std::string_view block = region.slice(segmentsFrom, std::max(segmentsFrom, segmentsTo));
        while (!block.empty()) {
            std::size_t feed = block.find('\n');
            std::string_view line = trimmedView(block.substr(0, feed));
            // Blank lines carry no segment; no writer emits them inside a sub-path.
            if (!line.empty()) lines.push_back(line);
            if (feed == npos) break;
            block.remove_prefix(feed + 1);
        }
        if (m_variant == JobFileVariant::Corel) {
            readCorelSegments(lines, path);
            // A closed Corel sub-path lists its segments without the way back to its start.
            closeSubPath(path);
        } else {
            readIllustratorSegments(lines, path);
        }
        return path;
    }

    static void readCorelSegments(const std::vector<std::string_view>& lines, JobPath& path) {
        path.segments.reserve(lines.size());
        for (std::string_view line : lines) {
            PathSegment s;
            NumberScanner n(trimmedView(afterFirstCharacter(line)));
            if (line.front() == 'K') {
                s.kind = kSegmentCurve;
                for (double* field : {&s.startX, &s.startY, &s.endX, &s.endY, &s.ctrl1X, &s.ctrl1Y, &s.aux2,
                                      &s.aux1, &s.ctrl2X, &s.ctrl2Y, &s.aux4, &s.aux3, &s.length})
                    n.readDouble(*field);
            } else {
                s.kind = kSegmentLine;
                for (double* field : {&s.startX, &s.startY, &s.endX, &s.endY, &s.length})
                    n.readDouble(*field);
            }
            path.segments.push_back(s);
        }
    }

    static void readIllustratorSegments(const std::vector<std::string_view>& lines, JobPath& path) {
        std::vector<PathSegment>& segments = path.segments;
        segments.reserve(lines.size());
        double firstInX = 0, firstInY = 0;
        for (std::string_view line : lines) {
            double x = 0, y = 0, inX = 0, inY = 0, outX = 0, outY = 0;
            NumberScanner n(afterFirstCharacter(line));
            for (double* field : {&x, &y, &inX, &inY, &outX, &outY}) n.readDouble(*field);
            if (!segments.empty()) {
                PathSegment& previous = segments.back();
                previous.endX = x;
                previous.endY = y;
                previous.ctrl2X = inX;
                previous.ctrl2Y = inY;
                previous.length = segmentLength(previous);
            } else {
                firstInX = inX;
                firstInY = inY;
            }
            PathSegment s;
            s.startX = x;
            s.startY = y;
            s.ctrl2X = inX;
            s.ctrl2Y = inY;
            s.ctrl1X = outX;
            s.ctrl1Y = outY;
            s.kind = kSegmentCurve;
            s.handleState = (inX == x && outX == x && inY == y && outY == y) ? 2 : 1;
            segments.push_back(s);
        }
        if (segments.empty()) return;

        PathSegment& last = segments.back();
        if (path.closed) {
            last.endX = segments.front().startX;
            last.endY = segments.front().startY;
            last.ctrl2X = firstInX;
            last.ctrl2Y = firstInY;
            last.length = segmentLength(last);
        } else {
            // The file gives no end for the last anchor of an open path. It becomes a point on its
            // own anchor, controls included, so that the preview draws nothing there and plot
            // generation skips it as a zero-length segment.
            last.endX = last.ctrl1X = last.ctrl2X = last.startX;
            last.endY = last.ctrl1Y = last.ctrl2Y = last.startY;
            last.length = 0;
        }

        const std::size_t count = segments.size();
        bool allCorners = std::all_of(segments.begin(), segments.end(),
                                      [](const PathSegment& s) { return s.handleState == 2; });
        if (allCorners) {
            for (PathSegment& s : segments) s.kind = kSegmentLine;
            return;
        }
        for (std::size_t i = 0; i + 1 < count; ++i) {
            if (segments[i].handleState == 2 && segments[i + 1].handleState == 2)
                segments[i].kind = kSegmentLine;
        }
        if (path.closed && segments[count - 1].handleState == 2 && segments[0].handleState == 2)
            segments[count - 1].kind = kSegmentLine;
    }

    std::string_view m_text;
    JobFileVariant m_variant;
    Job& m_job;
    JobState& m_state;
};

}  // namespace

bool parseJobText(std::string text, JobFileVariant variant, Job& job, JobState& state,
                  JobImportContext& ctx) {
    release(job);
    beginImport(state);
    ctx.failure = JobReadFailure::None;
    // Either decimal separator is accepted: the host may have written its numbers with commas.
    std::replace(text.begin(), text.end(), ',', '.');
    JobTextParser parser(text, variant, job, state);
    if (!parser.run()) {
        ctx.failure = JobReadFailure::NoPageRecord;
        return false;
    }
    return finishImport(job, state, ctx, kJobFileMarksObjects);
}

bool readIllustratorJob(const std::string& path, Job& job, JobState& state, JobImportContext& ctx) {
    if (drawingTooLarge(path, ctx)) return false;
    auto bytes = readWholeFile(path);
    if (!bytes) {
        ctx.failure = JobReadFailure::CannotOpen;
        return false;
    }
    auto text = windows1252ToUtf8(*bytes);
    if (!text) {
        ctx.failure = JobReadFailure::BadEncoding;
        return false;
    }
    return parseJobText(std::move(*text), JobFileVariant::Illustrator, job, state, ctx);
}

bool readCorelJob(const std::string& path, Job& job, JobState& state, JobImportContext& ctx) {
    if (drawingTooLarge(path, ctx)) return false;
    auto bytes = readWholeFile(path);
    if (!bytes) {
        ctx.failure = JobReadFailure::CannotOpen;
        return false;
    }
    removeFile(path);
    return parseJobText(utf16leToUtf8(*bytes), JobFileVariant::Corel, job, state, ctx);
}

}  // namespace sartovin
