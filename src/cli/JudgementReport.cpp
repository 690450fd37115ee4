#include "cli/JudgementReport.h"

#include <array>

#include "data/Cp932.h"
#include "reading/DetailedReading.h"
#include "rules/Judgement.h"
#include "rules/VerdictWords.h"

namespace namori {

namespace {

// The luck numbers' names and values, in the order every report shows them.
std::array<std::pair<std::string, int>, 5> LuckRowsOf(const Judgement& judgement) {
    std::array<std::pair<std::string, int>, 5> rows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        rows[i] = {Utf16ToUtf8(kLuckFields[i].name), judgement.luck.*kLuckFields[i].value};
    }
    return rows;
}

}  // namespace

nlohmann::ordered_json JudgementAsJson(const Judgement& judgement, const SpiritTable& table) {
    nlohmann::ordered_json chars = nlohmann::ordered_json::array();
    nlohmann::ordered_json strokes = nlohmann::ordered_json::array();
    const NamePositions& namePositions = judgement.name;
    for (int position = 0; position < namePositions.positions(); ++position) {
        chars.push_back(Utf16ToUtf8(namePositions.nameChars[position]));
        strokes.push_back(namePositions.strokeCounts[position]);
    }
    nlohmann::ordered_json luck = nlohmann::ordered_json::array();
    for (const auto& [name, value] : LuckRowsOf(judgement)) {
        luck.push_back({{"name", name},
                        {"value", value},
                        {"phrase", Utf16ToUtf8(table.PhraseOf(value))},
                        {"mark", Utf16ToUtf8(MarkSymbol(table.MarkOf(value)))}});
    }
    nlohmann::ordered_json faces = nlohmann::ordered_json::array();
    for (Rating rating : judgement.faces) {
        faces.push_back(std::string(RatingName(rating)));
    }
    nlohmann::ordered_json result;
    result["surname"] = Utf16ToUtf8(namePositions.currentSurname);
    result["givenName"] = Utf16ToUtf8(namePositions.currentGivenName);
    result["chars"] = std::move(chars);
    result["strokes"] = std::move(strokes);
    result["luck"] = std::move(luck);
    result["elementDigits"] = Utf16ToUtf8(judgement.elements.elementDigits);
    result["elementTriple"] = Utf16ToUtf8(judgement.elements.elementTriple);
    result["elementVerdict"] =
        Utf16ToUtf8(ByEnum(kElementVerdictWords, judgement.elements.elementVerdict));
    result["yinYangPattern"] = Utf16ToUtf8(judgement.yinYang.yinYangPattern);
    result["yinYangVerdict"] =
        Utf16ToUtf8(ByEnum(kYinYangVerdictWords, judgement.yinYang.yinYangVerdict));
    result["faces"] = std::move(faces);
    return result;
}

nlohmann::ordered_json DetailedJudgementAsJson(const Judgement& judgement, const SpiritTable& table,
                                               const DetailedReading& reading) {
    nlohmann::ordered_json result = JudgementAsJson(judgement, table);
    for (std::size_t index = 0; index < reading.luck.size(); ++index) {
        const LuckReading& luck = reading.luck[index];
        nlohmann::ordered_json& row = result["luck"][index];
        row["spiritNumber"] = luck.spiritNumber;
        row["rule"] = Utf16ToUtf8(luck.rule);
        row["phraseGloss"] = Utf16ToUtf8(luck.phraseGloss);
        row["meaning"] = Utf16ToUtf8(luck.meaning);
        nlohmann::ordered_json aspects = nlohmann::ordered_json::array();
        for (const ReadingAspect& aspect : luck.aspects) {
            aspects.push_back(
                {{"name", Utf16ToUtf8(aspect.name)}, {"text", Utf16ToUtf8(aspect.text)}});
        }
        row["aspects"] = std::move(aspects);
    }
    nlohmann::ordered_json elements = nlohmann::ordered_json::array();
    for (const ElementReading& element : reading.elements) {
        elements.push_back(
            {{"element", Utf16ToUtf8(element.element)}, {"meaning", Utf16ToUtf8(element.meaning)}});
    }
    result["elements"] = std::move(elements);
    result["elementPairs"] = Utf16ToUtf8(reading.elementPairs);
    result["elementVerdictExplanation"] = Utf16ToUtf8(reading.elementVerdictMeaning);
    result["yinYangVerdictExplanation"] = Utf16ToUtf8(reading.yinYangMeaning);
    nlohmann::ordered_json faces = nlohmann::ordered_json::array();
    for (const FaceReading& face : reading.faces) {
        faces.push_back({{"name", Utf16ToUtf8(face.title)},
                         {"rating", std::string(RatingName(face.rating))},
                         {"meaning", Utf16ToUtf8(face.slotMeaning)},
                         {"text", Utf16ToUtf8(face.text)}});
    }
    result["faceExplanations"] = std::move(faces);
    result["markLegend"] = Utf16ToUtf8(reading.markLegend);
    result["conclusion"] = Utf16ToUtf8(reading.conclusion);
    result["note"] = Utf16ToUtf8(reading.closingNote);
    result["caveat"] = Utf16ToUtf8(reading.caveat);
    result["countingBasis"] = Utf16ToUtf8(reading.countingBasis);
    if (!reading.furigana.empty()) {
        result["furigana"] = Utf16ToUtf8(reading.furigana);
    }
    nlohmann::ordered_json lucky = nlohmann::ordered_json::array();
    for (const std::u16string& line : reading.luckyPatterns) {
        lucky.push_back(Utf16ToUtf8(line));
    }
    result["luckyPatterns"] = std::move(lucky);
    if (reading.unlawfulKanji) {
        result["givenNameLawful"] = reading.unlawfulKanji->empty();
        result["unlawfulKanji"] = Utf16ToUtf8(*reading.unlawfulKanji);
    }
    return result;
}

nlohmann::ordered_json RefusalAsJson(std::u16string_view surname, std::u16string_view givenName,
                                     const NamePreparation& preparation) {
    nlohmann::ordered_json result;
    result["surname"] = Utf16ToUtf8(surname);
    result["givenName"] = Utf16ToUtf8(givenName);
    result["error"] = ProblemWord(preparation.problem);
    result["message"] = Utf16ToUtf8(preparation.message);
    if (preparation.problem == NameProblem::Unregistered) {
        nlohmann::ordered_json unregistered = nlohmann::ordered_json::array();
        for (const std::u16string& character : preparation.unregistered) {
            unregistered.push_back(Utf16ToUtf8(character));
        }
        result["unregistered"] = std::move(unregistered);
    }
    return result;
}

std::string JudgementAsTable(const Judgement& judgement, const SpiritTable& table) {
    const NamePositions& namePositions = judgement.name;
    std::string text = "氏名　" + Utf16ToUtf8(namePositions.currentSurname) + "　" +
                       Utf16ToUtf8(namePositions.currentGivenName) + "\n画数　";
    for (int position = 0; position < namePositions.positions(); ++position) {
        if (position == namePositions.surnameLength) {
            text += "｜ ";
        }
        text += Utf16ToUtf8(namePositions.nameChars[position]) +
                std::to_string(namePositions.strokeCounts[position]) + " ";
    }
    text += "\n\n";
    for (const auto& [name, value] : LuckRowsOf(judgement)) {
        std::string number = std::to_string(value);
        number.insert(0, number.size() < 3 ? 3 - number.size() : 0, ' ');
        text += name + "　" + number + "　" + Utf16ToUtf8(table.PhraseOf(value)) + "　" +
                Utf16ToUtf8(MarkSymbol(table.MarkOf(value))) + "\n";
    }
    const FiveElementResult& elements = judgement.elements;
    text += "\n祖-主-初　" + Utf16ToUtf8(elements.elementDigits) + "\n五行　　　" +
            Utf16ToUtf8(elements.elementTriple) + " " +
            Utf16ToUtf8(ByEnum(kElementVerdictWords, elements.elementVerdict)) + "\n陰陽　　　" +
            Utf16ToUtf8(judgement.yinYang.yinYangPattern) + "\n運　　　　" +
            Utf16ToUtf8(ByEnum(kYinYangVerdictWords, judgement.yinYang.yinYangVerdict)) + "\n\n";
    for (std::size_t slot = 0; slot < kFaceNames.size(); ++slot) {
        text += (slot > 0 ? "　" : "") + Utf16ToUtf8(kFaceNames[slot]) + " " +
                Utf16ToUtf8(RatingWord(judgement.faces[slot]));
    }
    return text + "\n";
}

std::string ProblemWord(NameProblem problem) {
    switch (problem) {
        case NameProblem::None:
            return "";
        case NameProblem::Empty:
            return "empty";
        case NameProblem::TooLong:
            return "tooLong";
        case NameProblem::UnsupportedCharacter:
            return "unsupportedCharacter";
        case NameProblem::Blank:
            return "blank";
        case NameProblem::Unregistered:
            break;
    }
    return "unregistered";
}

std::string CountingNoteLine(StrokeCounting counting) {
    return counting == StrokeCounting::Traditional
               ? "画数の数え方: 旧字体（旧字体の字形で、部首は元の字の画数で数える）\n"
               : "";
}

void AddCounting(nlohmann::ordered_json& object, StrokeCounting counting) {
    if (counting == StrokeCounting::Traditional) {
        object["counting"] = "traditional";
    }
}

}  // namespace namori
