#include "catalog/COXCsvFile.h"

#include <gtest/gtest.h>

#include <sstream>

#include "support/TempDir.h"

namespace sartovin {
namespace {

using Csv = COXCsvFile;

// A reader over `text` with the catalogs' separator.
struct Reader {
    explicit Reader(const std::string& text, char separator = ';') : in(text), csv(in) {
        csv.setSeparator(separator);
    }
    std::vector<std::string> row() {
        std::vector<std::string> out;
        for (int i = 0; i < csv.fieldCount(); ++i) {
            std::string v;
            csv.readText(i, v);
            out.push_back(v);
        }
        return out;
    }
    std::istringstream in;
    Csv csv;
};

using Fields = std::vector<std::string>;

TEST(COXCsvFileTest, WhiteSpaceIsDroppedAroundUnquotedFieldsAndKeptInQuotes) {
    Reader r("h1;h2;h3;h4\n  b  ;\"  b  \";a  b ;  \"q\"  x  \n");
    r.csv.readHeader(4);
    ASSERT_TRUE(r.csv.readLine());
    EXPECT_EQ(r.row(), (Fields{"b", "  b  ", "a  b", "q  x"}));
}

TEST(COXCsvFileTest, QuotedFieldsHoldSeparatorsDoubledQuotesAndLineBreaks) {
    Reader r(
        "a;b;c\r\n"
        "a;\"b;c\";d\r\n"
        "\"say \"\"hi\"\"\";\"\";\"\"\"\"\r\n"
        "\"first\r\nsecond\";x;\"\"\r\n"
        "next;1;2\r\n");
    r.csv.readHeader(3);
    ASSERT_TRUE(r.csv.readLine());
    EXPECT_EQ(r.row(), (Fields{"a", "b;c", "d"}));
    ASSERT_TRUE(r.csv.readLine());
    EXPECT_EQ(r.row(), (Fields{"say \"hi\"", "", "\""}));
    // A field spanning lines keeps an LF (the CR of the CR LF is gone), and reading goes on after it.
    ASSERT_TRUE(r.csv.readLine());
    EXPECT_EQ(r.row(), (Fields{"first\nsecond", "x", ""}));
    ASSERT_TRUE(r.csv.readLine());
    EXPECT_EQ(r.row(), (Fields{"next", "1", "2"}));
    EXPECT_FALSE(r.csv.readLine());
    EXPECT_EQ(r.csv.lastError(), Csv::kNoError);
}

TEST(COXCsvFileTest, EndOfFileInsideQuotesIsError5) {
    Reader r("a;b\n1;\"open\nstill open\n");
    r.csv.readHeader(2);
    EXPECT_FALSE(r.csv.readLine());
    EXPECT_EQ(r.csv.lastError(), Csv::kEofInQuotes);
    EXPECT_EQ(r.row(), (Fields{"1", "open\nstill open"}));
    EXPECT_FALSE(r.csv.readLine());
}

TEST(COXCsvFileTest, ARowWithMoreFieldsThanTheHeaderIsError6ButItsFieldsAreKept) {
    Reader r("a;b\n1;2;3\n4;5\n");
    r.csv.readHeader(2);
    EXPECT_FALSE(r.csv.readLine());
    EXPECT_EQ(r.csv.lastError(), Csv::kTooManyFields);
    EXPECT_EQ(r.csv.columnCount(), 3);
    EXPECT_EQ(r.row(), (Fields{"1", "2", "3"}));
    // The next row reads normally; the third value is cleared.
    ASSERT_TRUE(r.csv.readLine());
    EXPECT_EQ(r.csv.lastError(), Csv::kNoError);
    std::string third = "stale";
    EXPECT_TRUE(r.csv.readText(2, third));
    EXPECT_EQ(third, "");
}

TEST(COXCsvFileTest, EmptyRowsAndEndOfFile) {
    Reader r("a;b\r\n1;2\r\n\r\n;\r\n   \r\nlast;row");
    r.csv.readHeader(2);
    ASSERT_TRUE(r.csv.readLine());
    EXPECT_FALSE(r.csv.lastLineEmpty());
    ASSERT_TRUE(r.csv.readLine());  // the empty line is read without error, flagged empty
    EXPECT_TRUE(r.csv.lastLineEmpty());
    std::string v = "stale";
    r.csv.readText(0, v);
    EXPECT_EQ(v, "");
    ASSERT_TRUE(r.csv.readLine());  // a lone separator is two empty fields, not an empty row
    EXPECT_FALSE(r.csv.lastLineEmpty());
    EXPECT_EQ(r.csv.fieldCount(), 2);
    ASSERT_TRUE(r.csv.readLine());  // only blanks: no field at all
    EXPECT_TRUE(r.csv.lastLineEmpty());
    ASSERT_TRUE(r.csv.readLine());  // the last line needs no line end
    EXPECT_EQ(r.row(), (Fields{"last", "row"}));
    EXPECT_FALSE(r.csv.readLine());
    EXPECT_EQ(r.csv.lastError(), Csv::kNoError);
}

TEST(COXCsvFileTest, HeaderSizesTheTableAndColumnsAreFoundWithoutRegardToCase) {
    std::string names;
    for (int i = 1; i <= 21; ++i) names += (i > 1 ? ";" : "") + std::string("Col") + std::to_string(i);
    Reader wide(names + "\r\n");
    EXPECT_FALSE(wide.csv.readHeader(19));
    EXPECT_EQ(wide.csv.columnCount(), 21);
    EXPECT_EQ(wide.csv.columnIndex("col20"), 19);
    EXPECT_EQ(wide.csv.columnIndex("COL21"), 20);

    Reader exact("Name;Value\r\n");
    EXPECT_TRUE(exact.csv.readHeader(2));
    EXPECT_EQ(exact.csv.columnIndex("nAmE"), 0);
    EXPECT_EQ(exact.csv.columnIndex("Missing"), -1);
    EXPECT_EQ(exact.csv.lastError(), Csv::kNoSuchColumn);

    // Fewer names than expected: false, the table still has the expected size.
    Reader narrow("Name\r\n");
    EXPECT_FALSE(narrow.csv.readHeader(6));
    EXPECT_EQ(narrow.csv.columnCount(), 6);

    // A byte-order mark does not become part of the first name.
    Reader bom("\xEF\xBB\xBFName;X\r\nv;1\r\n");
    bom.csv.readHeader(2);
    EXPECT_EQ(bom.csv.columnIndex("Name"), 0);
}

TEST(COXCsvFileTest, BadIndexIsError1) {
    Reader r("a;b\n1;2\n");
    r.csv.readHeader(2);
    r.csv.readLine();
    std::string s;
    std::int16_t i16 = 5;
    double d = 5;
    EXPECT_FALSE(r.csv.readText(-1, s));
    EXPECT_EQ(r.csv.lastError(), Csv::kBadIndex);
    EXPECT_FALSE(r.csv.readShort(2, i16));
    EXPECT_FALSE(r.csv.readDouble(99, d));
    EXPECT_EQ(r.csv.lastError(), Csv::kBadIndex);
    EXPECT_FALSE(r.csv.writeText(2, "x"));
}

TEST(COXCsvFileTest, NumbersAreRangeCheckedByType) {
    Reader r(
        "v\n40000\n-32768\n-32769\n3000000000\n-2147483648\n12abc\nabc\n99999999999999999999\n"
        "0.25\n1e999\n-1e999\n1e-999\n\"  7 \"\n+3\nnan\n");
    r.csv.readHeader(1);
    std::int16_t s = 1;
    std::int32_t i = 1;
    double d = 1;
    auto next = [&] { EXPECT_TRUE(r.csv.readLine()); };

    next();  // 40000
    EXPECT_FALSE(r.csv.readShort(0, s));
    EXPECT_EQ(r.csv.lastError(), Csv::kOutOfRange);
    EXPECT_EQ(s, 0);
    EXPECT_TRUE(r.csv.readInt(0, i));
    EXPECT_EQ(i, 40000);
    next();  // -32768
    EXPECT_TRUE(r.csv.readShort(0, s));
    EXPECT_EQ(s, -32768);
    next();  // -32769
    EXPECT_FALSE(r.csv.readShort(0, s));
    next();  // 3000000000
    EXPECT_FALSE(r.csv.readInt(0, i));
    EXPECT_EQ(i, 0);
    next();  // -2147483648
    EXPECT_TRUE(r.csv.readInt(0, i));
    EXPECT_EQ(i, -2147483647 - 1);
    next();  // 12abc: digits up to the first other character, no error
    EXPECT_TRUE(r.csv.readShort(0, s));
    EXPECT_EQ(s, 12);
    next();  // abc: no number reads as 0, no error
    EXPECT_TRUE(r.csv.readInt(0, i));
    EXPECT_EQ(i, 0);
    EXPECT_EQ(r.csv.lastError(), Csv::kNoError);
    next();  // beyond 64 bits
    EXPECT_FALSE(r.csv.readInt(0, i));
    EXPECT_EQ(r.csv.lastError(), Csv::kOutOfRange);
    next();  // 0.25
    EXPECT_TRUE(r.csv.readDouble(0, d));
    EXPECT_DOUBLE_EQ(d, 0.25);
    next();  // 1e999
    EXPECT_FALSE(r.csv.readDouble(0, d));
    EXPECT_EQ(d, 0);
    EXPECT_EQ(r.csv.lastError(), Csv::kOutOfRange);
    next();  // -1e999
    EXPECT_FALSE(r.csv.readDouble(0, d));
    next();  // 1e-999 is merely tiny
    d = 1;
    EXPECT_TRUE(r.csv.readDouble(0, d));
    EXPECT_EQ(d, 0);
    next();  // quoted with blanks
    EXPECT_TRUE(r.csv.readShort(0, s));
    EXPECT_EQ(s, 7);
    next();  // +3
    EXPECT_TRUE(r.csv.readDouble(0, d));
    EXPECT_EQ(d, 3);
    next();  // nan is no usable value
    EXPECT_FALSE(r.csv.readDouble(0, d));
}

TEST(COXCsvFileTest, WriterQuotesOnlyWhatNeedsIt) {
    std::ostringstream out;
    Csv csv(out);
    csv.setSeparator(';');
    csv.setColumns({"Name", "A", "B", "C", "D", "E", "F", "G"});
    ASSERT_TRUE(csv.writeHeader());
    csv.writeText(0, "plain");
    csv.writeText(1, "semi;colon");
    csv.writeText(2, "say \"hi\"");
    csv.writeText(3, " lead");
    csv.writeText(4, "two\r\nlines");
    csv.writeText(5, "always", true);
    // column 6 stays empty
    csv.writeInt(7, -5);
    ASSERT_TRUE(csv.writeLine());
    csv.writeInt(0, 42, true);
    csv.writeDouble(1, 0.25);
    csv.writeDouble(2, -1.5);
    csv.writeText(7, "");
    ASSERT_TRUE(csv.writeLine());
    EXPECT_EQ(out.str(),
              "Name;A;B;C;D;E;F;G\r\n"
              "plain;\"semi;colon\";\"say \"\"hi\"\"\";\" lead\";\"two\r\nlines\";\"always\";;-5\r\n"
              "0x002a;0.250000;-1.500000;;;;;\r\n");
}

TEST(COXCsvFileTest, DoublesAreQuotedWhenTheSeparatorIsThePoint) {
    std::ostringstream out;
    Csv csv(out);
    csv.setSeparator('.');
    csv.setLineEnd("\n");
    csv.setColumns({"x", "y"});
    csv.writeDouble(0, 0.5);
    csv.writeInt(1, 3);
    csv.writeLine();
    EXPECT_EQ(out.str(), "\"0.500000\".3\n");
}

TEST(COXCsvFileTest, WrittenRowsReadBackUnchanged) {
    const std::vector<std::string> values = {"", " a ", "b;c", "\"", "x\ny", "ü ß é", "\t", "end;"};
    std::ostringstream out;
    Csv writer(out);
    writer.setSeparator(';');
    std::vector<std::string> names;
    for (std::size_t i = 0; i < values.size(); ++i) names.push_back("c" + std::to_string(i));
    writer.setColumns(names);
    writer.writeHeader();
    for (std::size_t i = 0; i < values.size(); ++i) writer.writeText(static_cast<int>(i), values[i]);
    writer.writeLine();

    Reader r(out.str());
    r.csv.readHeader(static_cast<int>(values.size()));
    ASSERT_TRUE(r.csv.readLine());
    EXPECT_EQ(r.row(), values);
    EXPECT_TRUE(r.csv.inputUsesCrLf());
}

TEST(COXCsvFileTest, OpensFilesAndReportsPositions) {
    test::TempDir dir;
    Csv missing;
    EXPECT_FALSE(missing.open(dir.file("none.csv")));
    EXPECT_FALSE(missing.open(dir.path()));  // a folder is no table

    test::writeFile(dir.file("t.csv"), "a;b\n1;2\n");
    Csv csv;
    ASSERT_TRUE(csv.open(dir.file("t.csv")));
    csv.setSeparator(';');
    EXPECT_TRUE(csv.readHeader(2));
    EXPECT_EQ(csv.position(), 4u);
    EXPECT_FALSE(csv.inputUsesCrLf());
    ASSERT_TRUE(csv.readLine());
    EXPECT_EQ(csv.position(), 8u);
    EXPECT_FALSE(csv.readLine());
}

}  // namespace
}  // namespace sartovin
