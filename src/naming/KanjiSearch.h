#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "naming/NameCandidates.h"
#include "naming/NameGuide.h"
#include "naming/NamingIndex.h"
#include "naming/SortedTextFile.h"

namespace namori {

// A reading that real or popular given names holding a kanji are read as, for one sex ('m',
// 'f' or 'g'), weighed by how common and popular those names are.
struct KanjiReading {
    std::u16string reading;
    char sex = 'g';
    int weight = 0;
};

// For each lawful kanji, the readings of the given names that hold it, the heaviest first;
// looked up by binary search.
class NamesByKanjiIndex {
  public:
    // Reads the file from the first of folders holding it. Throws DataFileError when it is
    // missing, empty or malformed at its ends.
    static NamesByKanjiIndex Open(const std::vector<std::filesystem::path>& folders);
    // The same from the file's bytes (code page 932), for tests and tools.
    static NamesByKanjiIndex FromBytes(std::string bytes);

    // Throws DataFileError when a line read is malformed.
    std::vector<KanjiReading> ReadingsOf(char16_t kanji) const;

  private:
    explicit NamesByKanjiIndex(SortedTextFile file);

    SortedTextFile file_;
};

// What a search by a kanji asks for.
struct KanjiQuery {
    char16_t kanji = 0;
    std::u16string reading;  // only names read so; empty: any reading
    SexFilter sex = SexFilter::Either;
    int characters = 0;  // only names of this many characters; 0: any
    bool rare = false;
};

// Why text cannot be searched by: not one kanji, or a kanji the law does not allow in a
// child's given name. Nothing when it can.
std::optional<std::u16string> KanjiProblem(std::u16string_view text, const NameGuide& guide);

// The names holding the kanji: for the reading asked for, or else for each of the heaviest
// readings of the names that hold it, the reading search's candidates (GenerateCandidates, with
// its bands, lawful and avoided-kanji rules) that hold the kanji, each with its reading. Rank
// them with JudgeAndRank as the reading search's.
std::vector<NameCandidate> GenerateKanjiCandidates(const NamingIndex& index,
                                                   const NamesByKanjiIndex& byKanji,
                                                   const NameGuide& guide, const KanjiQuery& query);

// Keeps the first of the ranked candidates of each spelling: a search without a reading finds a
// spelling under each reading it has (陽翔 はると, ひなと, あきと …), and the first is the one
// ranked highest, the most popular reading among equals.
void KeepFirstReadingOfEachSpelling(std::vector<NameCandidate>& ranked);

}  // namespace namori
