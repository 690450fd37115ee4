#include "cli/JudgementReport.h"

#include <array>

#include "analysis/JudgementStore.h"
#include "data/Cp932.h"
#include "reading/DetailedReading.h"
#include "rules/Ratings.h"

namespace namori {

namespace {

struct LuckRow {
    const char* name;
    int value;
};

std::array<LuckRow, 5> LuckRowsOf(const JudgementStore& store) {
    return {{{"祖運", store.ancestorLuck},
             {"主運", store.mainLuck},
             {"初運", store.earlyLuck},
             {"助運", store.assistLuck},
             {"総運", store.totalLuck}}};
}

int NamePositionCount(const JudgementStore& store) {
    const int total = store.surnameLength + store.givenNameLength;
    return total < kNamePositions ? total : kNamePositions;
}

}  // namespace

nlohmann::ordered_json JudgementAsJson(const JudgementStore& store) {
    nlohmann::ordered_json chars = nlohmann::ordered_json::array();
    nlohmann::ordered_json strokes = nlohmann::ordered_json::array();
    for (int position = 1; position <= NamePositionCount(store); ++position) {
        chars.push_back(Utf16ToUtf8(store.nameChars[position]));
        strokes.push_back(store.strokeCounts[position]);
    }
    nlohmann::ordered_json luck = nlohmann::ordered_json::array();
    for (const LuckRow& row : LuckRowsOf(store)) {
        luck.push_back({{"name", row.name},
                        {"value", row.value},
                        {"phrase", Utf16ToUtf8(store.spiritTable.PhraseOf(row.value))},
                        {"mark", Utf16ToUtf8(store.spiritTable.MarkOf(row.value))}});
    }
    nlohmann::ordered_json faces = nlohmann::ordered_json::array();
    for (Rating rating : RateJudgement(store)) {
        faces.push_back(std::string(RatingName(rating)));
    }
    nlohmann::ordered_json result;
    result["surname"] = Utf16ToUtf8(store.currentSurname);
    result["givenName"] = Utf16ToUtf8(store.currentGivenName);
    result["chars"] = std::move(chars);
    result["strokes"] = std::move(strokes);
    result["luck"] = std::move(luck);
    result["elementDigits"] = Utf16ToUtf8(store.elementDigits);
    result["elementTriple"] = Utf16ToUtf8(store.elementTriple);
    result["elementVerdict"] = Utf16ToUtf8(store.elementVerdict);
    result["yinYangPattern"] = Utf16ToUtf8(store.yinYangPattern);
    result["yinYangVerdict"] = Utf16ToUtf8(store.yinYangVerdict);
    result["faces"] = std::move(faces);
    return result;
}

nlohmann::ordered_json DetailedJudgementAsJson(const JudgementStore& store,
                                               const DetailedReading& reading) {
    nlohmann::ordered_json result = JudgementAsJson(store);
    for (std::size_t index = 0; index < reading.luck.size(); ++index) {
        const LuckReading& luck = reading.luck[index];
        nlohmann::ordered_json& row = result["luck"][index];
        row["spiritNumber"] = luck.spiritNumber;
        row["rule"] = Utf16ToUtf8(luck.rule);
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

std::string JudgementAsTable(const JudgementStore& store) {
    std::string text = "氏名　" + Utf16ToUtf8(store.currentSurname) + "　" +
                       Utf16ToUtf8(store.currentGivenName) + "\n画数　";
    for (int position = 1; position <= NamePositionCount(store); ++position) {
        if (position == store.surnameLength + 1) {
            text += "｜ ";
        }
        text += Utf16ToUtf8(store.nameChars[position]) +
                std::to_string(store.strokeCounts[position]) + " ";
    }
    text += "\n\n";
    for (const LuckRow& row : LuckRowsOf(store)) {
        std::string number = std::to_string(row.value);
        number.insert(0, number.size() < 3 ? 3 - number.size() : 0, ' ');
        text += std::string(row.name) + "　" + number + "　" +
                Utf16ToUtf8(store.spiritTable.PhraseOf(row.value)) + "　" +
                Utf16ToUtf8(store.spiritTable.MarkOf(row.value)) + "\n";
    }
    text += "\n祖-主-初　" + Utf16ToUtf8(store.elementDigits) + "\n五行　　　" +
            Utf16ToUtf8(store.elementTriple) + " " + Utf16ToUtf8(store.elementVerdict) +
            "\n陰陽　　　" + Utf16ToUtf8(store.yinYangPattern) + "\n運　　　　" +
            Utf16ToUtf8(store.yinYangVerdict) + "\n\n";
    const std::array<Rating, 3> faces = RateJudgement(store);
    text += "５運 " + Utf16ToUtf8(RatingWord(faces[0])) + "　５行 " +
            Utf16ToUtf8(RatingWord(faces[1])) + "　陰陽 " + Utf16ToUtf8(RatingWord(faces[2])) +
            "\n";
    return text;
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
        case NameProblem::Unregistered:
            break;
    }
    return "unregistered";
}

}  // namespace namori
