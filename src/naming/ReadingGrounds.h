#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "naming/SortedTextFile.h"

namespace namori {

// How one character of a name comes to be read as its piece of the reading, from the best
// grounded to none: an on, kun or name reading of the kanji's dictionary entry, a part of one
// (心 ここ of こころ), a word read as a whole (飛鳥 あすか), a kanji that is not read (美 in
// 美空 そら), a kana read as itself, or no link to the kanji's readings at all.
enum class ReadingGround { On, Kun, Nanori, Part, WholeWord, Silent, Kana, None };

struct CharacterGround {
    char16_t character = 0;
    std::u16string piece;  // the part of the reading this character stands for
    ReadingGround ground = ReadingGround::None;
};

// The readings of the lawful kanji by kind, and the words read as a whole rather than kanji by
// kanji; both looked up by binary search.
class ReadingGroundsIndex {
  public:
    // Reads the two files from the first of folders holding each. Throws DataFileError when one
    // is missing, empty or malformed at its ends.
    static ReadingGroundsIndex Open(const std::vector<std::filesystem::path>& folders);
    // The same from the files' bytes (code page 932), for tests and tools.
    static ReadingGroundsIndex FromBytes(std::string kanjiReadings, std::string wholeWords);

    // The on, kun and name readings of kanji (hiragana), each with its kind.
    std::vector<std::pair<ReadingGround, std::u16string>> ReadingsOf(char16_t kanji) const;
    // The readings the dictionaries give spelling as a whole word, not kanji by kanji.
    std::vector<std::u16string> WholeReadingsOf(std::u16string_view spelling) const;

  private:
    ReadingGroundsIndex(SortedTextFile kanjiReadings, SortedTextFile wholeWords);

    SortedTextFile kanjiReadings_;
    SortedTextFile wholeWords_;
};

// How each character of spelling is read in reading: the cut that leans least on loose
// grounds (a part, a kanji not read, none), each character's ground named. Empty when spelling
// or reading is empty.
std::vector<CharacterGround> GroundReading(const ReadingGroundsIndex& index,
                                           std::u16string_view spelling,
                                           std::u16string_view reading);

// 音, 訓, 名乗り, 部分, 熟字訓, 置き字, かな or 根拠なし.
std::u16string_view GroundWord(ReadingGround ground);

// The grounds as one line: 陽=はる（名乗り）・翔=と（訓）; a kanji not read shows 美=（置き字）.
std::u16string GroundsText(const std::vector<CharacterGround>& grounds);

// Whether some character's reading has no ground in the dictionaries.
bool HasUngroundedReading(const std::vector<CharacterGround>& grounds);

// Said beside a reading with no ground: the office may ask how it is read, never that it will
// be refused.
inline constexpr std::u16string_view kUngroundedReadingNote =
    u"根拠なしの読み: 辞書の音訓・名乗りとのつながりが見つかりません。"
    u"出生届の際、役所から読み方の根拠（辞書などの資料）の説明を求められることがあります。";

}  // namespace namori
