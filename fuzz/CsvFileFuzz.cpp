// Feeds arbitrary bytes to the table reader the catalogs use: header, every row, every typed read.
// The first byte picks the separator and the expected column count, so both catalog shapes and
// the comma default are covered.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "catalog/COXCsvFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t control = data[0];
    std::istringstream in(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    sartovin::COXCsvFile csv(in);
    if (control & 1) csv.setSeparator(';');
    static const int kExpected[] = {4, 6, 18, 19, 21, 0, 1, 2};
    csv.readHeader(kExpected[(control >> 1) & 7]);
    const int nameColumn = csv.columnIndex("Name");
    std::string text;
    std::int16_t s = 0;
    std::int32_t i = 0;
    double d = 0;
    const bool stopAtFirstBadRow = (control & 0x10) != 0;
    for (int rows = 0; rows < 100000; ++rows) {
        bool ok = csv.readLine();
        if (!ok && csv.lastError() != sartovin::COXCsvFile::kTooManyFields &&
            csv.lastError() != sartovin::COXCsvFile::kEofInQuotes)
            break;  // end of input
        if (stopAtFirstBadRow && (!ok || csv.lastLineEmpty())) break;
        for (int c = -1; c <= csv.columnCount(); ++c) {
            csv.readText(c, text);
            csv.readShort(c, s);
            csv.readInt(c, i);
            csv.readDouble(c, d);
        }
        if (nameColumn >= 0) csv.readText(nameColumn, text);
        if (csv.lastError() == sartovin::COXCsvFile::kEofInQuotes) break;
    }
    // Writing the columns back exercises the quoting rules on whatever names were read.
    std::ostringstream out;
    csv.setOutput(out);
    csv.writeHeader();
    for (int c = 0; c < csv.columnCount(); ++c) {
        if (c % 3 == 0)
            csv.writeText(c, csv.columns()[static_cast<std::size_t>(c)].name, c % 2 == 0);
        else if (c % 3 == 1)
            csv.writeInt(c, i, (control & 0x20) != 0);
        else
            csv.writeDouble(c, d);
    }
    csv.writeLine();
    return 0;
}
