#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/DataFiles.h"
#include "naming/NamingIndex.h"
#include "naming/SortedTextFile.h"

namespace namori {

// What a kanji is worth in a given name: whether the law allows it (常用 or 人名用), how many
// real given names use it, its points in the published kanji rankings, the sex whose real names
// use it far more than the other's ('f', 'm', or 'g' for neither), and in how many spellings of
// the name rankings of each sex it is.
struct NameKanjiUse {
    bool lawful = false;
    int names = 0;
    int popularity = 0;
    char lean = 'g';
    int recentFemale = 0;
    int recentMale = 0;
};

// Whether use leans to the sex given as 'f' or 'm' and the name rankings of the other sex do not
// hold it: 雄 leans to boys, but 陽 is in the rankings of both.
bool LeansTo(const NameKanjiUse& use, char sex);

// Whether the name rankings of the sex given as 'f' or 'm' ('g': of either) hold a name with
// the kanji: what parents write today.
bool UsedRecently(const NameKanjiUse& use, char sex);

// What decides which names are worth offering beside the reading indexes: the kanji the law
// allows in a child's given name, the popular given names, the ordinary words whose spelling a
// name should not borrow with another reading, and the kanji parents avoid.
class NameGuide {
  public:
    // Maps the three naming files found in folders (the first folder holding each) and reads the
    // user-editable avoided-kanji file. Throws DataFileError when one is missing or malformed.
    static NameGuide Open(const std::vector<std::filesystem::path>& folders);
    // The same from the files' bytes (code page 932) and the avoided kanji, for tests and tools.
    static NameGuide FromBytes(std::string lawfulKanji, std::string popularNames,
                               std::string ordinaryWords, std::u16string avoidedKanji);

    NameKanjiUse UseOf(char16_t kanji) const;
    // Whether spelling holds a kanji parents avoid.
    bool Avoided(std::u16string_view spelling) const;
    // Popular given names read as reading, the most popular first.
    std::vector<ListedName> PopularOf(std::u16string_view reading) const;
    // Whether spelling is an ordinary word whose readings do not include reading (玄人 as はると).
    bool MisreadWord(std::u16string_view spelling, std::u16string_view reading) const;
    // Whether spelling is an ordinary word, whatever its reading.
    bool IsWord(std::u16string_view spelling) const;

  private:
    NameGuide(SortedTextFile lawfulKanji, SortedTextFile popularNames, SortedTextFile ordinaryWords,
              std::u16string avoidedKanji);

    SortedTextFile lawfulKanji_;
    SortedTextFile popularNames_;
    SortedTextFile ordinaryWords_;
    std::u16string avoidedKanji_;
};

// Whether c is a CJK ideograph (unified, extension A or compatibility).
bool IsKanji(char16_t c);

// The kanji of givenName that the law does not allow in a child's given name, each once, in
// their order; empty when the name may be registered.
std::u16string UnlawfulKanji(std::u16string_view givenName, const NameGuide& guide);

// The same with the guide of folders; nothing when its files cannot be read.
std::optional<std::u16string> FindUnlawfulKanji(std::u16string_view givenName,
                                                const std::vector<std::filesystem::path>& folders);

}  // namespace namori
