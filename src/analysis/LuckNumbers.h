#pragma once

namespace namori {

struct JudgementStore;

// Computes 祖運, 主運, 初運, 助運 and 総運 from the name positions. Needs totalLength.
void ComputeLuckNumbers(JudgementStore& store);

// The element of a decimal digit: 1 2 木, 3 4 火, 5 6 土, 7 8 金, 9 0 水.
char16_t ElementOfDigit(int digit);

}  // namespace namori
