#pragma once

namespace namori {

struct JudgementStore;

// Judges the looked-up name: sets totalLength, then computes the luck numbers, the
// five-element verdict and the yin-yang verdict, in this order, into the store.
void RunJudgement(JudgementStore& store);

}  // namespace namori
