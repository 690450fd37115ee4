#include "analysis/Judgement.h"

#include "analysis/JudgementStore.h"
#include "analysis/LuckNumbers.h"
#include "rules/FiveElements.h"
#include "rules/YinYang.h"

namespace namori {

void RunJudgement(JudgementStore& store) {
    store.totalLength = static_cast<std::int16_t>(store.givenNameLength + store.surnameLength);
    ComputeLuckNumbers(store);
    JudgeFiveElements(store);
    JudgeYinYang(store);
}

}  // namespace namori
