#pragma once

namespace namori {

struct JudgementStore;

// Computes 祖運, 主運, 初運, 助運 and 総運 from the name positions. Needs totalLength.
void ComputeLuckNumbers(JudgementStore& store);

}  // namespace namori
