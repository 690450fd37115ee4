#include "rules/Judgement.h"

#include "analysis/NameLookup.h"

namespace namori {

namespace {

// Fills the luck numbers, the verdicts and the faces of judgement from its name positions.
void Evaluate(Judgement& judgement, const SpiritTable& spiritTable) {
    judgement.luck = ComputeLuckNumbers(judgement.name);
    judgement.elements = JudgeFiveElements(judgement.luck);
    judgement.yinYang = JudgeYinYang(judgement.name);
    judgement.faces = RateJudgement(judgement.luck, spiritTable, judgement.elements.elementVerdict,
                                    judgement.yinYang.yinYangVerdict);
}

}  // namespace

Judgement JudgePositions(const NamePositions& name, const SpiritTable& spiritTable) {
    Judgement judgement;
    judgement.name = name;
    Evaluate(judgement, spiritTable);
    return judgement;
}

// Made in place, without copies: a batch judges millions of names, and copying the name
// positions costs as much as the rules.
Judgement Judge(const NameInput& name, const ReferenceTables& tables) {
    Judgement judgement;
    if (NamePreparation check = CheckName(name.surname, name.givenName); !check.ready()) {
        judgement.name.currentSurname = name.surname;
        judgement.name.currentGivenName = name.givenName;
        judgement.preparation = std::move(check);
        return judgement;
    }
    LookUpName(name, tables.dictionary, judgement.name);
    if (std::vector<std::u16string> missing = UnregisteredChars(judgement.name); !missing.empty()) {
        judgement.preparation = UnregisteredProblem(std::move(missing));
        return judgement;
    }
    Evaluate(judgement, tables.spiritTable);
    return judgement;
}

}  // namespace namori
