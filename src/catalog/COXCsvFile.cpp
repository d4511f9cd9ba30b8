#include "catalog/COXCsvFile.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/Files.h"
#include "platform/StringUtil.h"

namespace sartovin {

namespace {

// The C library's integer conversion, base 10: leading white space, a sign, digits up to the first
// other character; no digits give 0. `overflow` is set when the digits do not fit 64 bits.
long long parseDecimal(const std::string& text, bool& overflow) {
    overflow = false;
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    unsigned long long magnitude = 0;
    const unsigned long long limit =
        negative ? static_cast<unsigned long long>(std::numeric_limits<long long>::max()) + 1
                 : static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        unsigned digit = static_cast<unsigned>(text[i] - '0');
        if (magnitude > (limit - digit) / 10) {
            overflow = true;
            magnitude = limit;
        } else if (!overflow) {
            magnitude = magnitude * 10 + digit;
        }
    }
    if (negative)
        return magnitude == limit ? std::numeric_limits<long long>::min()
                                  : -static_cast<long long>(magnitude);
    return static_cast<long long>(magnitude);
}

// Whether the number text [first, last) that did not fit a double is too small (rather than too
// large): its decimal exponent, counted from the first non-zero digit, is not positive.
bool isTiny(const char* first, const char* last) {
    long long exponent = 0;
    bool seenPoint = false, seenDigit = false;
    const char* p = first;
    for (; p < last && *p != 'e' && *p != 'E'; ++p) {
        if (*p == '.') {
            seenPoint = true;
        } else if (!seenDigit && *p == '0') {
            if (seenPoint) --exponent;
        } else {
            if (!seenDigit) seenDigit = true;
            if (!seenPoint) ++exponent;
        }
    }
    if (p < last) {
        bool overflow = false;
        long long e = parseDecimal(std::string(p + 1, last), overflow);
        if (overflow || e > (1LL << 40) || e < -(1LL << 40)) return e < 0;
        exponent += e;
    }
    return exponent <= 0;
}

// The C library's double conversion with "." as the decimal point whatever the process locale
// (the GUI runs under the user's locale, where strtod would want a comma). No number gives 0.
// `overflow` is set when the value is beyond the largest double (or not a number at all, "nan").
double parseDouble(const std::string& text, bool& overflow) {
    overflow = false;
    std::size_t i = 0;
    while (i < text.size() && isSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) return 0;  // "--1" is no number
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    double value = 0;
    auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::invalid_argument) return 0;
    if (result.ec == std::errc::result_out_of_range) {
        // Either too large or too small; a tiny value is no error and reads as 0.
        if (isTiny(first, result.ptr)) return 0;
        overflow = true;
        return 0;
    }
    if (!std::isfinite(value)) {
        overflow = true;
        return 0;
    }
    return negative ? -value : value;
}

// The decimal conversion of `text` into an integer of type T; false (and `out` 0) when the value
// does not fit it.
template <typename T>
bool decimalAs(const std::string& text, T& out) {
    bool overflow = false;
    const long long v = parseDecimal(text, overflow);
    if (overflow || v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max()) {
        out = 0;
        return false;
    }
    out = static_cast<T>(v);
    return true;
}

}  // namespace

bool COXCsvFile::open(const std::string& path) {
    // A folder opens as a stream on this platform but reads nothing; it is no table.
    if (!fileExists(path)) return false;
    auto file = std::make_unique<std::ifstream>(path, std::ios::in | std::ios::binary);
    if (!file->is_open()) return false;
    m_file = std::move(file);
    setInput(*m_file);
    return true;
}

void COXCsvFile::setInput(std::istream& in) {
    m_in = &in;
    m_columns.clear();
    m_fieldCount = 0;
    m_dirtyValues = 0;
    m_lastError = kNoError;
    m_lastLineEmpty = false;
    m_position = 0;
    m_atStart = true;
    m_inputCrLf = false;
    m_lineEndSeen = false;
}

bool COXCsvFile::readPhysicalLine(std::string& line) {
    line.clear();
    if (!m_in || !*m_in) return false;
    std::getline(*m_in, line, '\n');
    bool hadLineEnd = !m_in->eof();
    if (line.empty() && !hadLineEnd) return false;
    m_position += line.size() + (hadLineEnd ? 1 : 0);
    if (m_atStart) {
        m_atStart = false;
        if (line.size() >= 3 && line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    }
    bool crlf = !line.empty() && line.back() == '\r';
    if (hadLineEnd && !m_lineEndSeen) {
        m_lineEndSeen = true;
        m_inputCrLf = crlf;
    }
    if (crlf && hadLineEnd) line.pop_back();
    return true;
}

void COXCsvFile::storeField(std::string& field, bool growsFreely, bool& tooMany) {
    if (m_fieldCount >= static_cast<int>(m_columns.size())) {
        m_columns.emplace_back();
        if (!growsFreely) tooMany = true;
    }
    m_columns[static_cast<std::size_t>(m_fieldCount)].value = std::move(field);
    field.clear();
    ++m_fieldCount;
    m_dirtyValues = m_fieldCount;
}

bool COXCsvFile::parseRow(bool growsFreely) {
    for (int i = 0; i < m_dirtyValues && i < static_cast<int>(m_columns.size()); ++i)
        m_columns[static_cast<std::size_t>(i)].value.clear();
    m_dirtyValues = 0;
    m_fieldCount = 0;
    m_lastError = kNoError;
    m_lastLineEmpty = true;

    std::string line;
    if (!readPhysicalLine(line)) return false;

    std::string field;
    std::string pending;  // white space after text, added only when more text follows
    bool inQuotes = false, hasText = false, fieldStarted = false, sawSeparator = false;
    bool tooMany = false, eofInQuotes = false;
    std::size_t i = 0;
    for (;;) {
        if (i == line.size()) {  // the line end
            if (!inQuotes) break;
            // A quoted field goes on over the line end; the LF stays in the value.
            if (!readPhysicalLine(line)) {
                eofInQuotes = true;
                break;
            }
            field += '\n';
            i = 0;
            continue;
        }
        char c = line[i++];
        if (inQuotes) {
            if (c == m_quote) {
                if (i < line.size() && line[i] == m_quote) {
                    field += c;
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                field += c;
            }
        } else if (c == m_quote) {
            if (hasText) field += pending;
            pending.clear();
            inQuotes = true;
            hasText = fieldStarted = true;
        } else if (c == m_separator) {
            storeField(field, growsFreely, tooMany);
            pending.clear();
            hasText = fieldStarted = false;
            sawSeparator = true;
        } else if (isBlank(c)) {
            // White space around unquoted text is dropped. CR counts, so a stray CR before the line
            // end of a hand-edited file does not end up in a value.
            if (hasText) pending += c;
        } else {
            field += pending;
            pending.clear();
            field += c;
            hasText = fieldStarted = true;
        }
    }
    if (fieldStarted || sawSeparator) storeField(field, growsFreely, tooMany);
    m_lastLineEmpty = m_fieldCount == 0;
    if (eofInQuotes) {
        m_lastError = kEofInQuotes;
        return false;
    }
    if (tooMany) {
        m_lastError = kTooManyFields;
        return false;
    }
    return true;
}

bool COXCsvFile::readHeader(int expectedColumns) {
    m_columns.assign(static_cast<std::size_t>(expectedColumns > 0 ? expectedColumns : 0), COXColumnData{});
    m_dirtyValues = 0;
    bool ok = parseRow(true);
    for (auto& column : m_columns) {
        column.name = std::move(column.value);
        column.value.clear();
    }
    m_dirtyValues = 0;
    return ok && m_fieldCount == expectedColumns;
}

bool COXCsvFile::readLine() { return parseRow(false); }

int COXCsvFile::columnIndex(const std::string& name) {
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (equalsNoCase(m_columns[i].name, name)) return static_cast<int>(i);
    m_lastError = kNoSuchColumn;
    return -1;
}

bool COXCsvFile::indexOk(int index) {
    if (index >= 0 && index < static_cast<int>(m_columns.size())) return true;
    m_lastError = kBadIndex;
    return false;
}

bool COXCsvFile::readText(int index, std::string& out) {
    if (!indexOk(index)) return false;
    out = m_columns[static_cast<std::size_t>(index)].value;
    return true;
}

bool COXCsvFile::readShort(int index, std::int16_t& out) {
    if (!indexOk(index)) return false;
    if (decimalAs(m_columns[static_cast<std::size_t>(index)].value, out)) return true;
    m_lastError = kOutOfRange;
    return false;
}

bool COXCsvFile::readInt(int index, std::int32_t& out) {
    if (!indexOk(index)) return false;
    if (decimalAs(m_columns[static_cast<std::size_t>(index)].value, out)) return true;
    m_lastError = kOutOfRange;
    return false;
}

bool COXCsvFile::readDouble(int index, double& out) {
    if (!indexOk(index)) return false;
    bool overflow = false;
    double v = parseDouble(m_columns[static_cast<std::size_t>(index)].value, overflow);
    if (overflow) {
        m_lastError = kOutOfRange;
        out = 0;
        return false;
    }
    out = v;
    return true;
}

void COXCsvFile::setColumns(const std::vector<std::string>& names) {
    m_columns.clear();
    for (const auto& name : names) m_columns.push_back(COXColumnData{name, "", kKindNone, false});
    m_dirtyValues = 0;
    m_fieldCount = 0;
}

std::string COXCsvFile::quoted(const std::string& text, bool quoteAlways) const {
    bool needs = quoteAlways;
    if (!needs && !text.empty()) {
        needs = text.find(m_separator) != std::string::npos || text.find(m_quote) != std::string::npos ||
                text.find('\r') != std::string::npos || text.find('\n') != std::string::npos ||
                text.front() == ' ' || text.front() == '\t' || text.back() == ' ' || text.back() == '\t';
    }
    if (!needs) return text;
    std::string out;
    out.reserve(text.size() + 2);
    out += m_quote;
    for (char c : text) {
        if (c == m_quote) out += m_quote;
        out += c;
    }
    out += m_quote;
    return out;
}

bool COXCsvFile::writeHeader() {
    if (!m_out) return false;
    std::string row;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (i) row += m_separator;
        row += quoted(m_columns[i].name, false);
    }
    row += m_lineEnd;
    m_out->write(row.data(), static_cast<std::streamsize>(row.size()));
    return m_out->good();
}

bool COXCsvFile::writeText(int index, const std::string& text, bool quoteAlways) {
    if (!indexOk(index)) return false;
    auto& column = m_columns[static_cast<std::size_t>(index)];
    column.value = text;
    column.kind = kKindText;
    column.quoteAlways = quoteAlways;
    return true;
}

bool COXCsvFile::writeInt(int index, std::int32_t value, bool hex) {
    if (!indexOk(index)) return false;
    auto& column = m_columns[static_cast<std::size_t>(index)];
    if (hex) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "0x%04x", static_cast<unsigned>(value));
        column.value = buf;
    } else {
        column.value = std::to_string(value);
    }
    column.kind = kKindInt;
    column.quoteAlways = false;
    return true;
}

bool COXCsvFile::writeDouble(int index, double value) {
    if (!indexOk(index)) return false;
    auto& column = m_columns[static_cast<std::size_t>(index)];
    // "%f", but always with a decimal point, whatever locale the process runs under.
    char buf[400];
    auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 6);
    column.value.assign(buf, result.ec == std::errc() ? result.ptr : buf);
    column.kind = kKindDouble;
    column.quoteAlways = false;
    return true;
}

bool COXCsvFile::writeLine() {
    std::string row;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (i) row += m_separator;
        const auto& column = m_columns[i];
        switch (column.kind) {
            case kKindInt:
                row += column.value;
                break;
            case kKindDouble:
                row += (column.value.find(m_separator) != std::string::npos ||
                        column.value.find(m_quote) != std::string::npos)
                           ? quoted(column.value, true)
                           : column.value;
                break;
            default:  // text, or a value left from reading
                row += quoted(column.value, column.quoteAlways);
                break;
        }
    }
    row += m_lineEnd;
    for (auto& column : m_columns) {
        column.value.clear();
        column.kind = kKindNone;
        column.quoteAlways = false;
    }
    m_dirtyValues = 0;
    if (!m_out) return false;
    m_out->write(row.data(), static_cast<std::streamsize>(row.size()));
    return m_out->good();
}

}  // namespace sartovin
