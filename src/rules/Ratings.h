#pragma once

#include <array>

#include "data/SpiritTable.h"
#include "rules/FiveElements.h"
#include "rules/YinYang.h"

namespace namori {

struct LuckNumbers;

enum class Rating { Favourable, Middling, Unfavourable };

// Rates the marks of 主運, 初運, 助運 and 総運: unfavourable when any is △, else middling when
// any is ○, else favourable.
Rating RateLuckMarks(const std::array<Mark, 4>& marks);

// Unfavourable for the three misfortunes, favourable otherwise.
Rating RateFiveElements(ElementVerdict elementVerdict);

// Favourable for the lucky pattern, middling for the neutral one, unfavourable for the five
// unlucky categories.
Rating RateYinYang(YinYangVerdict yinYangVerdict);

// A mark as a rating: △ unfavourable, ○ middling, ◎ (or no mark) favourable.
Rating RatingOfMark(Mark mark);

// A face's points when names are ranked: favourable 2, middling 1, unfavourable 0.
int RatingPoints(Rating rating);

// The three faces of a judgement: the luck numbers' marks in table, the five-element verdict,
// the yin-yang verdict.
std::array<Rating, 3> RateJudgement(const LuckNumbers& luck, const SpiritTable& table,
                                    ElementVerdict elementVerdict, YinYangVerdict yinYangVerdict);

}  // namespace namori
