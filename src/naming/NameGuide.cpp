#include "naming/NameGuide.h"

#include "data/AvoidedKanjiFile.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"

namespace namori {

namespace {

// kanji,kind,names,popularity[,lean,recent female,recent male]
constexpr std::size_t kLawfulKanjiFields = 4;
constexpr std::size_t kLawfulKanjiFieldsWithSexes = 7;
constexpr std::size_t kPopularNameFields = 4;   // reading,spelling,sex,points
constexpr std::size_t kOrdinaryWordFields = 3;  // spelling,reading,readings

}  // namespace

NameGuide::NameGuide(SortedTextFile lawfulKanji, SortedTextFile popularNames,
                     SortedTextFile ordinaryWords, std::u16string avoidedKanji)
    : lawfulKanji_(std::move(lawfulKanji)),
      popularNames_(std::move(popularNames)),
      ordinaryWords_(std::move(ordinaryWords)),
      avoidedKanji_(std::move(avoidedKanji)) {
    lawfulKanji_.ExpectFields(kLawfulKanjiFields, kLawfulKanjiFieldsWithSexes);
    popularNames_.ExpectFields(kPopularNameFields);
    ordinaryWords_.ExpectFields(kOrdinaryWordFields);
    // A truncated or foreign file shows at its ends; the lines between are checked when read.
    lawfulKanji_.EndLines();
    popularNames_.EndLines();
    ordinaryWords_.EndLines();
}

NameGuide NameGuide::Open(const std::vector<std::filesystem::path>& folders) {
    return NameGuide(SortedTextFile::ReadFirstFound(folders, kLawfulKanjiFile),
                     SortedTextFile::ReadFirstFound(folders, kPopularNamesFile),
                     SortedTextFile::ReadFirstFound(folders, kOrdinaryWordsFile),
                     ReadAvoidedKanji(FolderHolding(folders, kAvoidedKanjiFile)));
}

NameGuide NameGuide::FromBytes(std::string lawfulKanji, std::string popularNames,
                               std::string ordinaryWords, std::u16string avoidedKanji) {
    return NameGuide(SortedTextFile::Own(std::move(lawfulKanji), kLawfulKanjiFile),
                     SortedTextFile::Own(std::move(popularNames), kPopularNamesFile),
                     SortedTextFile::Own(std::move(ordinaryWords), kOrdinaryWordsFile),
                     std::move(avoidedKanji));
}

NameKanjiUse NameGuide::UseOf(char16_t kanji) const {
    NameKanjiUse use;
    for (const auto& record : lawfulKanji_.Find(std::u16string_view(&kanji, 1))) {
        use.lawful = true;
        use.names = SortedTextFile::WholeNumber(record[2]);
        use.popularity = SortedTextFile::WholeNumber(record[3]);
        if (record.size() == kLawfulKanjiFieldsWithSexes) {
            use.lean = record[4] == u"f" ? 'f' : record[4] == u"m" ? 'm' : 'g';
            use.recentFemale = SortedTextFile::WholeNumber(record[5]);
            use.recentMale = SortedTextFile::WholeNumber(record[6]);
        }
    }
    return use;
}

bool LeansTo(const NameKanjiUse& use, char sex) {
    return sex != 'g' && use.lean == sex && !UsedRecently(use, sex == 'f' ? 'm' : 'f');
}

bool UsedRecently(const NameKanjiUse& use, char sex) {
    return (sex != 'm' && use.recentFemale > 0) || (sex != 'f' && use.recentMale > 0);
}

bool NameGuide::Avoided(std::u16string_view spelling) const {
    return spelling.find_first_of(avoidedKanji_) != std::u16string_view::npos;
}

std::vector<ListedName> NameGuide::PopularOf(std::u16string_view reading) const {
    return ListedNamesOf(popularNames_, reading);
}

bool NameGuide::MisreadWord(std::u16string_view spelling, std::u16string_view reading) const {
    const auto words = ordinaryWords_.Find(spelling);
    for (const auto& record : words) {
        if (record[1] == reading) {
            return false;
        }
    }
    return !words.empty();
}

bool NameGuide::IsWord(std::u16string_view spelling) const {
    return !ordinaryWords_.Find(spelling).empty();
}

bool IsKanji(char16_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0xF900 && c <= 0xFAFF);
}

std::u16string UnlawfulKanji(std::u16string_view givenName, const NameGuide& guide) {
    std::u16string unlawful;
    for (char16_t c : givenName) {
        if (IsKanji(c) && unlawful.find(c) == std::u16string::npos && !guide.UseOf(c).lawful) {
            unlawful.push_back(c);
        }
    }
    return unlawful;
}

std::optional<std::u16string> FindUnlawfulKanji(std::u16string_view givenName,
                                                const std::vector<std::filesystem::path>& folders) {
    try {
        return UnlawfulKanji(givenName, NameGuide::Open(folders));
    } catch (const DataFileError&) {
        return std::nullopt;
    }
}

}  // namespace namori
