#include "rules/Judgement.h"

#include "analysis/NameLookup.h"

namespace namori {

namespace {

// Fills the luck numbers, the verdicts and the faces of judgement from its name positions.
void Evaluate(Judgement& judgement, const SpiritTable& spiritTable) {
    static_cast<LuckNumbers&>(judgement) = ComputeLuckNumbers(judgement);
    static_cast<FiveElementResult&>(judgement) = JudgeFiveElements(judgement);
    static_cast<YinYangResult&>(judgement) = JudgeYinYang(judgement);
    judgement.faces =
        RateJudgement(judgement, spiritTable, judgement.elementVerdict, judgement.yinYangVerdict);
}

}  // namespace

Judgement JudgePositions(const NamePositions& name, const SpiritTable& spiritTable) {
    Judgement judgement;
    static_cast<NamePositions&>(judgement) = name;
    Evaluate(judgement, spiritTable);
    return judgement;
}

// Made in place, without copies: a batch judges millions of names, and copying the name
// positions costs as much as the rules.
Judgement Judge(const NameInput& name, const ReferenceTables& tables) {
    Judgement judgement;
    if (NamePreparation check = CheckName(name.surname, name.givenName); !check.ready()) {
        judgement.currentSurname = name.surname;
        judgement.currentGivenName = name.givenName;
        judgement.preparation = std::move(check);
        return judgement;
    }
    LookUpName(name, tables.dictionary, judgement);
    if (std::vector<std::u16string> missing = UnregisteredChars(judgement); !missing.empty()) {
        judgement.preparation = UnregisteredProblem(std::move(missing));
        return judgement;
    }
    Evaluate(judgement, tables.spiritTable);
    return judgement;
}

}  // namespace namori
