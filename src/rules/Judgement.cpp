#include "rules/Judgement.h"

#include "analysis/NameLookup.h"

namespace namori {

Judgement JudgePositions(const NamePositions& name, const SpiritTable& spiritTable) {
    Judgement judgement;
    static_cast<NamePositions&>(judgement) = name;
    static_cast<LuckNumbers&>(judgement) = ComputeLuckNumbers(name);
    static_cast<FiveElementResult&>(judgement) = JudgeFiveElements(judgement);
    static_cast<YinYangResult&>(judgement) = JudgeYinYang(name);
    judgement.faces =
        RateJudgement(judgement, spiritTable, judgement.elementVerdict, judgement.yinYangVerdict);
    return judgement;
}

Judgement Judge(const NameInput& name, const ReferenceTables& tables) {
    NamePreparation check = CheckName(name.surname, name.givenName);
    if (!check.ready()) {
        Judgement refused;
        refused.currentSurname = name.surname;
        refused.currentGivenName = name.givenName;
        refused.preparation = std::move(check);
        return refused;
    }
    const NamePositions positions = LookUpName(name, tables.dictionary);
    NamePreparation unregistered = UnregisteredProblem(UnregisteredChars(positions));
    if (!unregistered.ready()) {
        Judgement refused;
        static_cast<NamePositions&>(refused) = positions;
        refused.preparation = std::move(unregistered);
        return refused;
    }
    return JudgePositions(positions, tables.spiritTable);
}

}  // namespace namori
