#pragma once
// Semicolon (or comma) separated tables with a header row, as the plotter, media and tools
// catalogs are kept. Rows are read one at a time and fields are looked up by column name; tables
// are written back row by row (media save).
//
// Bytes are handed through unchanged: the shipped catalogs are UTF-8 and the rest of the program is
// UTF-8, so no conversion happens here (a catalog saved in a single-byte code page keeps its bytes,
// it just shows its accents wrongly). A UTF-8 byte-order mark at the very start is skipped.
// Lines may end in CR LF or LF; the reader sees LF. The writer ends rows with `lineEnd()`, CR LF
// unless the caller chose the line end of the file it rewrites.

#include <cstdint>
#include <fstream>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace sartovin {

class COXCsvFile {
public:
    /// Error codes of `lastError()`.
    enum Error : std::int32_t {
        kNoError = 0,
        kBadIndex = 1,       ///< column index out of range
        kNoSuchColumn = 2,   ///< column name not found
        kOutOfRange = 3,     ///< number out of range for the requested type
        kEofInQuotes = 5,    ///< end of file inside a quoted field
        kTooManyFields = 6,  ///< a row had more fields than the header
    };
    /// The kind of value written last into a column.
    enum ValueKind : int { kKindNone = 0, kKindInt = 2, kKindDouble = 4, kKindText = 6 };

    struct COXColumnData {
        std::string name;
        std::string value;
        int kind = kKindNone;
        bool quoteAlways = false;
    };
    using COXDataArray = std::vector<COXColumnData>;

    COXCsvFile() = default;
    /// Reads from `in` (which must outlive this object).
    explicit COXCsvFile(std::istream& in) : m_in(&in) {}
    /// Writes to `out` (which must outlive this object).
    explicit COXCsvFile(std::ostream& out) : m_out(&out) {}

    /// Opens a file for reading (binary: CR LF is handled here). False when it cannot be opened.
    bool open(const std::string& path);
    /// Reads from `in` from now on, starting a new table (columns and position are reset).
    void setInput(std::istream& in);
    /// Writes to `out` from now on.
    void setOutput(std::ostream& out) { m_out = &out; }

    char separator() const { return m_separator; }
    void setSeparator(char c) { m_separator = c; }
    char quote() const { return m_quote; }
    void setQuote(char c) { m_quote = c; }
    /// Line end the writer puts after each row ("\r\n" unless set).
    const std::string& lineEnd() const { return m_lineEnd; }
    void setLineEnd(std::string lineEnd) { m_lineEnd = std::move(lineEnd); }

    /// Sizes the columns to `expectedColumns`, reads one row and takes its fields as the column
    /// names. True when the row held exactly `expectedColumns` fields; more fields still become
    /// columns (the table grows), fewer leave the rest unnamed; both return false.
    bool readHeader(int expectedColumns);

    /// Reads the next row into the column values (all values cleared first). True when a row was
    /// read without error; false at end of file, and false for a row that ended inside quotes
    /// (error 5) or had more fields than columns (error 6: the extra fields are kept in new columns).
    /// An empty row returns true with `lastLineEmpty()` set.
    bool readLine();

    /// Index of the first column named `name` without regard to case, or -1 (error 2).
    int columnIndex(const std::string& name);

    /// Copies a value; false (error 1) for a bad index.
    bool readText(int index, std::string& out);
    /// Decimal conversion as strtol does (no digits give 0); outside -32768..32767: error 3, out 0.
    bool readShort(int index, std::int16_t& out);
    /// Decimal conversion, outside the 32-bit signed range: error 3, out 0.
    bool readInt(int index, std::int32_t& out);
    /// strtod conversion with "." as the decimal point whatever the process locale; beyond the
    /// largest double (and "inf", "nan"): error 3, out 0. A value too small to hold reads as 0.
    bool readDouble(int index, double& out);

    /// Replaces the columns by `names` (values empty).
    void setColumns(const std::vector<std::string>& names);
    /// Writes the column names as one row.
    bool writeHeader();
    /// Stores a text value; false (error 1) for a bad index.
    bool writeText(int index, const std::string& text, bool quoteAlways = false);
    /// Stores an integer as "%d", or "0x%04x" when `hex` is set.
    bool writeInt(int index, std::int32_t value, bool hex = false);
    /// Stores a floating-point value as "%f".
    bool writeDouble(int index, double value);
    /// Writes the current values joined by the separator with a line end, then clears them.
    /// False when there is no output or it failed.
    bool writeLine();

    /// The text a value is written as: quoted (inner quotes doubled) when it holds the separator,
    /// the quote, CR or LF, begins or ends with white space, or `quoteAlways` is set.
    std::string quoted(const std::string& text, bool quoteAlways) const;

    int columnCount() const { return static_cast<int>(m_columns.size()); }
    const COXDataArray& columns() const { return m_columns; }
    /// The error of the last call that failed; readHeader and readLine start each row from 0.
    std::int32_t lastError() const { return m_lastError; }
    bool lastLineEmpty() const { return m_lastLineEmpty; }
    /// Number of fields the last row held.
    int fieldCount() const { return m_fieldCount; }
    /// Bytes consumed from the input so far (a row's raw text runs from the position before
    /// `readLine` to the position after it; a skipped byte-order mark counts too).
    std::uint64_t position() const { return m_position; }
    /// True when the first line read ended in CR LF (the file's own line end).
    bool inputUsesCrLf() const { return m_inputCrLf; }
    /// True once a line end has been read at all (a one-line file without one tells nothing).
    bool inputLineEndKnown() const { return m_lineEndSeen; }

private:
    bool readPhysicalLine(std::string& line);
    bool parseRow(bool growsFreely);
    void storeField(std::string& field, bool growsFreely, bool& tooMany);
    bool indexOk(int index);

    std::unique_ptr<std::ifstream> m_file;
    std::istream* m_in = nullptr;
    std::ostream* m_out = nullptr;
    char m_separator = ',';
    char m_quote = '"';
    std::string m_lineEnd = "\r\n";
    COXDataArray m_columns;
    int m_fieldCount = 0;
    int m_dirtyValues = 0;  // values set by the last row; the rest are already empty
    std::int32_t m_lastError = kNoError;
    bool m_lastLineEmpty = false;
    std::uint64_t m_position = 0;
    bool m_atStart = true;
    bool m_inputCrLf = false;
    bool m_lineEndSeen = false;
};

}  // namespace sartovin
