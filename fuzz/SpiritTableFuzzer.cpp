// Arbitrary bytes as the spirit number file. A file that loads fills every row 1..81 and the
// trailer; a file that does not leaves the table in memory as it was. Rows of any luck number
// stay inside the table.

#include <climits>
#include <cstdint>
#include <cstring>

#include "FuzzSupport.h"
#include "analysis/ReferenceTables.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/SpiritTableFile.h"

namespace {

using namespace namori;
using fuzzing::Require;

// A lone surrogate: no code page 932 file decodes to it, so a row still holding it was not read.
const std::u16string kUnread(1, u'\xD800');
// No grade: a mark still holding it was not read.
constexpr Mark kUnreadMark = static_cast<Mark>(0xFF);

SpiritTable UnreadTable() {
    SpiritTable table;
    for (int number = 0; number <= SpiritTable::kNumbers; ++number) {
        table.spiritPhrase[number] = kUnread;
        table.spiritMark[number] = kUnreadMark;
        table.furtherTexts[number].fill(kUnread);
    }
    table.trailer.fill(kUnread);
    return table;
}

bool SameTable(const SpiritTable& a, const SpiritTable& b) {
    return a.spiritPhrase == b.spiritPhrase && a.spiritMark == b.spiritMark &&
           a.furtherTexts == b.furtherTexts && a.trailer == b.trailer;
}

void CheckRow(const SpiritTable& table, int luckNumber) {
    const int row = SpiritTable::RowOf(luckNumber);
    Require(row >= 0 && row <= SpiritTable::kNumbers, "a luck number has no row of the table");
    Require(luckNumber < 1 || row >= 1, "a positive luck number has the empty row");
    Require(luckNumber > SpiritTable::kNumbers || luckNumber < 0 || row == luckNumber,
            "a luck number of the table has another row");
    Require(table.MarkOf(luckNumber) == table.spiritMark[row], "a mark is taken from another row");
    Require(&table.PhraseOf(luckNumber) == &table.spiritPhrase[row],
            "a phrase is taken from another row");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::ScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const SpiritTable kUnreadTable = UnreadTable();
    fuzzing::WriteScratchFile(kSpiritTableFile, fuzzing::BytesOf(data, size));
    // One set of tables for the process: building one costs more than reading a small file.
    static ReferenceTables tables;
    tables.spiritTable = kUnreadTable;
    try {
        LoadSpiritNumbers(tables, fuzzing::ScratchFolder());
    } catch (const DataFileError& error) {
        Require(error.fileName() == kSpiritTableFile, "the error names another file");
        Require(SameTable(tables.spiritTable, kUnreadTable), "a failed load changed the table");
        return 0;
    }
    const SpiritTable& table = tables.spiritTable;
    Require(table.spiritPhrase[0].empty() && table.spiritMark[0] == Mark::None,
            "row 0 is not empty");
    for (int number = 1; number <= SpiritTable::kNumbers; ++number) {
        Require(table.spiritPhrase[number] != kUnread, "a phrase was not read");
        Require(table.spiritMark[number] != kUnreadMark && table.spiritMark[number] != Mark::None,
                "a mark was not read");
        for (const std::u16string& further : table.furtherTexts[number]) {
            Require(further != kUnread, "a further text was not read");
        }
    }
    for (const std::u16string& trailerText : table.trailer) {
        Require(trailerText != kUnread, "a trailer text was not read");
    }
    int fromInput = 0;
    std::memcpy(&fromInput, data, size < sizeof fromInput ? size : sizeof fromInput);
    for (int luckNumber : {INT_MIN, -1, 0, 1, 2, 80, 81, 82, 161, 162, 1000, INT_MAX, fromInput}) {
        CheckRow(table, luckNumber);
    }
    return 0;
}
