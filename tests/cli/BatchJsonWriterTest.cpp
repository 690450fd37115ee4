#include "cli/BatchJsonWriter.h"

#include <gtest/gtest.h>

#include <random>

#include "analysis/ReferenceTables.h"
#include "cli/JudgementReport.h"
#include "data/Cp932.h"
#include "data/KanjiDictionaryFile.h"
#include "data/SpiritTableFile.h"
#include "rules/Judgement.h"
#include "support/TempFolder.h"

namespace namori {
namespace {

// The fast batch writer must give exactly the bytes of the plain JSON rendering, also when
// its caches are warm and for names whose numbers go past 81.
TEST(BatchJsonWriter, WritesTheSameBytesAsThePlainRendering) {
    ReferenceTables tables;
    LoadSpiritNumbers(tables, testing::ShippedDataFolder());
    LoadKanjiDictionary(tables, testing::ShippedDataFolder());
    std::vector<DictionaryEntry> entries = tables.dictionary.entries();
    entries.push_back({u"\"", 30});  // characters that JSON must escape
    entries.push_back({u"\\", 29});
    entries.push_back({u"龍", 60});  // pushes the numbers past 81
    tables.dictionary.Assign(entries);

    const char* names[][2] = {{"白鳥", "杏奈"},     {"林", "翔"}, {"佐々木", "由美子"},
                              {"龍龍龍", "龍龍龍"}, {"\"", "\\"}, {"白鳥", "杏奈"},
                              {"ア", "ゆうき"},     {"林", "翔"}};
    BatchJsonWriter writer;
    for (int round = 0; round < 2; ++round) {
        for (const auto& name : names) {
            const bool complement = round == 1;
            const std::u16string surname = Utf8ToUtf16(name[0]);
            const std::u16string givenName = Utf8ToUtf16(name[1]);
            const Judgement judgement = Judge({surname, givenName, complement}, tables);
            ASSERT_TRUE(judgement.ready()) << name[0] << name[1];
            std::string line;
            writer.Append(judgement, tables.spiritTable, line);
            EXPECT_EQ(line, JudgementAsJson(judgement, tables.spiritTable).dump() + "\n");
        }
    }
    // Varied names from the dictionary, as a real batch has them.
    std::mt19937 random(11);
    for (int name = 0; name < 3000; ++name) {
        std::u16string parts[2];
        for (std::u16string& part : parts) {
            for (std::size_t length = 1 + random() % 3; part.size() < length;) {
                part += entries[random() % entries.size()].kanji;
            }
        }
        const Judgement judgement = Judge({parts[0], parts[1], name % 2 == 0}, tables);
        if (!judgement.ready()) {
            continue;
        }
        std::string line;
        writer.Append(judgement, tables.spiritTable, line);
        ASSERT_EQ(line, JudgementAsJson(judgement, tables.spiritTable).dump() + "\n") << name;
    }
}

}  // namespace
}  // namespace namori
