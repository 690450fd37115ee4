#include "analysis/StrokeCounting.h"

#include <gtest/gtest.h>

#include "data/KanjiDictionaryFile.h"
#include "support/TempFolder.h"

namespace namori {
namespace {

// Counts under the traditional rules as published; the shipped tables must give each of them.
// Sources:
//   [EI] 英信堂「漢字の画数について」 eishindow.com/news/news.php?page=1&tcnt=530
//   [EM] 「画数の数え方」 www.emusu.net/sp/kazoe.html (サンズイ・シメスヘンの例)
//   [ND] 命名辞典「画数の数え方」 namedic.jp/fortune/kaku/
//   [NS] 南山青林「姓名判断ミニ講座」 nanzanseirin.com/menu/259335
//   [SK] 白川家山「画数の数え方」 blog.livedoor.jp/meimeishirakawakazan/archives/11247037.html
//   [TU] 東洋運勢学会「正しい字画の算定」 touyou-unseigakkai.com/unseigaku/23/indexf2.html
//   [DS] 任天堂『DS占い生活』 www.nintendo.co.jp/ds/ynuj/kakusu/index.html
TEST(TraditionalCounting, PublishedCounts) {
    const struct {
        char16_t kanji;
        int strokes;
    } rows[] = {
        // A radical counted as the character it came from.
        {u'池', 7},   // [EI] 氵 4
        {u'慎', 14},  // [EI] 忄 4
        {u'河', 9},   // [EM] 氵 4
        {u'祐', 10},  // [EM] 礻 5
        {u'江', 7},   // [ND] 氵 4
        {u'悦', 11},  // [DS] 忄 4
        {u'理', 12},  // [ND] 王偏 5
        {u'琴', 13},  // [NS] the left 王 only as 玉
        {u'英', 11},  // [NS] 艹 6
        {u'瑛', 14},  // [NS] 玉 5, the inner 艹 4
        {u'藤', 21},  // [SK]
        {u'郎', 14},  // [ND] [SK] 阝 on the right 7
        // The old form.
        {u'廣', 15},  // [TU]
        {u'広', 15},  // [NS] [ND]
        {u'龍', 16},  // [TU]
        {u'竜', 16},  // [ND]
        {u'澤', 17},  // [TU]
        {u'沢', 17},  // [NS] [EI]
        {u'邊', 22},  // [TU]
        {u'辺', 22},  // [NS]
        {u'桜', 21},  // [NS] [ND]
        {u'恵', 12},  // [NS] [TU] 惠
        {u'国', 11},  // [NS]
        {u'浜', 18},  // [NS] 濱, 氵 4
        // Counted as written: the radical is another one.
        {u'初', 7},   // [NS] 刀
        {u'酒', 10},  // [NS] [ND] 酉
        // A numeral counts as its number.
        {u'四', 4},   // [TU] [ND]
        {u'七', 7},   // [TU]
        {u'九', 9},   // [TU]
        {u'十', 10},  // [TU]
    };
    ReferenceTables tables;
    LoadKanjiDictionary(tables, testing::ShippedDataFolder());
    UseTraditionalCounts(tables, {testing::ShippedDataFolder()});
    for (const auto& row : rows) {
        EXPECT_EQ(tables.dictionary.StrokesOf(std::u16string(1, row.kanji)), row.strokes)
            << static_cast<int>(row.kanji);
    }
}

}  // namespace
}  // namespace namori
