#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace namori {

struct Judgement;
struct ReferenceTables;

// How many of the 吉数表's patterns a 鑑定書 lists.
inline constexpr int kReadingLuckyPatternLines = 3;

// For a judgement with an unfavourable luck number or face: the best stroke patterns of the 吉数表
// for its surname and given-name length (at most limit), one line each as the 鑑定書 prints them,
// with example kanji a child's name may use, or one line saying that no pattern exists. Nothing
// when every number and face is fine, or when the naming data cannot be read (the reading is
// complete without them).
std::vector<std::u16string> ReadingLuckyPatterns(const ReferenceTables& tables,
                                                 const Judgement& judgement, bool complement,
                                                 const std::vector<std::filesystem::path>& folders,
                                                 int limit);

}  // namespace namori
