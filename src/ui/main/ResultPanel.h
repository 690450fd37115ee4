#pragma once

namespace namori {

struct JudgementStore;
struct MainWindowControls;

// Draws the name diagram (characters, stroke counts, bracket segments) and fills the five rows
// of the luck table from the judgement store.
void ShowResultPanel(const MainWindowControls& controls, const JudgementStore& store);

// Writes the four verdict cells, has the result panel drawn, and shows one face in each of the
// three slots, rating the luck marks as the luck table shows them.
void ShowVerdictSummary(const MainWindowControls& controls, const JudgementStore& store);

// Judges the looked-up name and shows the result.
void RunJudgement(const MainWindowControls& controls, JudgementStore& store);

}  // namespace namori
