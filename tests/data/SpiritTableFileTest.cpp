#include "data/SpiritTableFile.h"

#include <gtest/gtest.h>

#include <string>

#include "analysis/ReferenceTables.h"
#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "support/TempFolder.h"

namespace namori {
namespace {

using testing::TempFolder;
using testing::U16;

// Record n with phrase "句n" and mark "◎" (odd) or "△" (even), eleven fields.
std::string Record(int number, const std::string& separator, int recordNumber) {
    std::string fields[] = {std::to_string(recordNumber),
                            "\"句" + std::to_string(number) + "\"",
                            number % 2 ? "\"◎\"" : "\"△\"",
                            "性",
                            "仕",
                            "金",
                            "家",
                            "健",
                            "対",
                            "総",
                            std::to_string(number)};
    std::string text;
    for (const std::string& field : fields) {
        text += (text.empty() ? "" : separator) + field;
    }
    return text + "\n";
}

std::string Table(const std::string& separator, bool numbered = true, bool trailer = true) {
    std::string text;
    for (int number = 1; number <= 81; ++number) {
        text += Record(number, separator, numbered ? number : 0);
    }
    if (trailer) {
        text += "\"表\",\"1.0\",\"性格・仕事\",\"◎吉\",\"Namori\"\n";
    }
    return text;
}

TEST(LoadSpiritNumbers, OneRecordPerLineAndOneFieldPerLineLoadAlike) {
    for (const std::string separator : {",", "\n", " , "}) {
        TempFolder folder;
        folder.WriteCp932("霊数.txt", Table(separator));
        ReferenceTables tables;
        LoadSpiritNumbers(tables, folder.path());
        const SpiritTable& table = tables.spiritTable;
        EXPECT_EQ(table.spiritPhrase[1], u"句1");
        EXPECT_EQ(table.spiritMark[1], Mark::Good);
        EXPECT_EQ(table.spiritPhrase[48], u"句48");
        EXPECT_EQ(table.spiritMark[48], Mark::Bad);
        EXPECT_EQ(table.spiritPhrase[81], u"句81");
        EXPECT_EQ(table.furtherTexts[81][6], u"総");
        EXPECT_EQ(table.trailer[4], u"Namori");
        EXPECT_TRUE(table.spiritPhrase[0].empty());
        EXPECT_EQ(table.spiritMark[0], Mark::None);
    }
}

TEST(LoadSpiritNumbers, RecordNumbersAreIgnored) {
    TempFolder folder;
    folder.WriteCp932("霊数.txt", Table(",", false));
    ReferenceTables tables;
    LoadSpiritNumbers(tables, folder.path());
    EXPECT_EQ(tables.spiritTable.spiritPhrase[37], u"句37");
}

TEST(LoadSpiritNumbers, MisalignedOrMalformedRecordsAreRefusedNamingTheLine) {
    std::string text = Table(",");
    const std::string quoted = "\"句5\"";
    text.replace(text.find(quoted), quoted.size(), "\"才知,明朗\"");
    TempFolder folder;
    folder.WriteCp932("霊数.txt", text);
    ReferenceTables tables;
    LoadSpiritNumbers(tables, folder.path());
    EXPECT_EQ(tables.spiritTable.spiritPhrase[5], u"才知,明朗");

    const auto replaced = [](std::string table, const std::string& from, const std::string& to) {
        return table.replace(table.find(from), from.size(), to);
    };
    std::string extraRecord = Table(",");
    extraRecord.insert(extraRecord.find("\"表\""), Record(82, ",", 82));
    const struct {
        std::string text;
        int line;
    } rows[] = {
        {replaced(text, "\"才知,明朗\"", "才知,明朗"), 5},            // an unquoted comma
        {replaced(Table(","), "\"句5\",", ""), 5},                    // a field missing
        {replaced(Table(","), "\"句61\",", "\"句61\",\"余\","), 61},  // a field too many
        {replaced(Table(","), "\"句3\",\"◎\"", "\"句3\",\"X\""), 3},  // no grade mark
        {extraRecord, 82},
        {replaced(Table(","), ",総,10\n", ",総\n"), 10},  // record 10 without its closing number
        {replaced(Table(","), "\n7,", "\nx,"), 7},        // a record number that is no number
        {Table(",").substr(0, Table(",").find("80,")) +
             Table(",").substr(Table(",").find("\"表\"")),
         80},  // 79 records
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << (&row - rows));
        folder.WriteCp932("霊数.txt", row.text);
        ReferenceTables malformed;
        try {
            LoadSpiritNumbers(malformed, folder.path());
            ADD_FAILURE() << "no error";
        } catch (const DataFileError& error) {
            EXPECT_EQ(error.fileName(), "霊数.txt");
            EXPECT_EQ(error.line(), row.line);
        }
    }
}

TEST(LoadSpiritNumbers, MissingOrShortFilesFailAndKeepTheOldTable) {
    TempFolder folder;
    ReferenceTables tables;
    tables.spiritTable.spiritPhrase[1] = u"前";
    EXPECT_THROW(LoadSpiritNumbers(tables, folder.path()), DataFileError);

    folder.WriteCp932("霊数.txt", Table(",", true, false));  // no trailer
    try {
        LoadSpiritNumbers(tables, folder.path());
        FAIL() << "no error";
    } catch (const DataFileError& error) {
        EXPECT_EQ(error.fileName(), "霊数.txt");
        EXPECT_EQ(error.line(), 82);
    }
    EXPECT_EQ(tables.spiritTable.spiritPhrase[1], u"前");
}

TEST(LoadSpiritNumbers, ReadsUpToTheTrailerWhateverFollows) {
    const std::string table = Table(",");
    const std::string emptyLastField = "\"表\",\"1.0\",\"性格・仕事\",\"◎吉\",";
    const struct {
        std::string bytes;
        const char* lastTrailerText;
    } rows[] = {
        {table + "\xff\xfe garbage \x81", "Namori"},    // bytes that are not code page 932
        {table + "\"more\",\"fields\"\r\n", "Namori"},  // fields past the trailer
        {table.substr(0, table.rfind("\"表\"")) + emptyLastField, ""},
        {table.substr(0, table.rfind("\"表\"")) + emptyLastField + "\r\n", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << (&row - rows));
        TempFolder folder;
        const auto bytes = EncodeCp932(U16(row.bytes.substr(0, row.bytes.find('\xff'))));
        ASSERT_TRUE(bytes.has_value());
        const std::size_t tail = row.bytes.find('\xff');
        folder.WriteBytes(
            "霊数.txt",
            *bytes + (tail == std::string::npos ? std::string() : row.bytes.substr(tail)));
        ReferenceTables tables;
        ASSERT_NO_THROW(LoadSpiritNumbers(tables, folder.path())) << row.bytes.substr(0, 20);
        EXPECT_EQ(tables.spiritTable.trailer[4], U16(row.lastTrailerText));
        EXPECT_EQ(tables.spiritTable.spiritPhrase[81], u"句81");
    }
    // A bad byte before the trailer is read is still an error, on its line.
    TempFolder folder;
    const auto bytes = EncodeCp932(U16(table));
    const std::size_t firstComma = bytes->find(',') + 1;
    folder.WriteBytes("霊数.txt",
                      bytes->substr(0, firstComma) + "\xff" + bytes->substr(firstComma));
    ReferenceTables tables;
    try {
        LoadSpiritNumbers(tables, folder.path());
        FAIL() << "no error";
    } catch (const DataFileError& error) {
        EXPECT_EQ(error.line(), 1);
        EXPECT_NE(std::string(error.what()).find("シフトJIS"), std::string::npos);
    }
}

TEST(LoadSpiritNumbers, FindsTheFileWhateverTheCaseOfItsExtension) {
    TempFolder folder;
    folder.WriteCp932("霊数.TXT", Table(","));
    ReferenceTables tables;
    LoadSpiritNumbers(tables, folder.path());
    EXPECT_EQ(tables.spiritTable.spiritPhrase[2], u"句2");
}

TEST(SpiritTable, LuckNumbersAbove81AreReducedBy80) {
    const struct {
        int luck;
        int row;
    } rows[] = {{0, 0}, {1, 1}, {81, 81}, {82, 2}, {100, 20}, {161, 81}, {162, 2}, {-3, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "row " << (&row - rows));
        EXPECT_EQ(SpiritTable::RowOf(row.luck), row.row) << row.luck;
    }
    SpiritTable table;
    table.spiritMark[20] = Mark::Bad;
    EXPECT_EQ(table.MarkOf(100), Mark::Bad);
}

}  // namespace
}  // namespace namori
