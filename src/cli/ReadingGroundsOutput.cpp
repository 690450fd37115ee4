#include "cli/ReadingGroundsOutput.h"

#include "data/Cp932.h"

namespace namori {

nlohmann::ordered_json GroundsAsJson(const std::vector<CharacterGround>& grounds) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const CharacterGround& ground : grounds) {
        list.push_back({{"character", Utf16ToUtf8(std::u16string(1, ground.character))},
                        {"piece", Utf16ToUtf8(ground.piece)},
                        {"ground", Utf16ToUtf8(std::u16string(GroundWord(ground.ground)))}});
    }
    return list;
}

void AddGroundsToJson(const std::vector<CharacterGround>& grounds, nlohmann::ordered_json& result) {
    result["readingGrounds"] = GroundsAsJson(grounds);
    if (HasUngroundedReading(grounds)) {
        result["readingGroundsNote"] = Utf16ToUtf8(std::u16string(kUngroundedReadingNote));
    }
}

std::string GroundsLines(const std::vector<CharacterGround>& grounds) {
    std::string lines = "読みの根拠: " + Utf16ToUtf8(GroundsText(grounds)) + "\n";
    if (HasUngroundedReading(grounds)) {
        lines += Utf16ToUtf8(std::u16string(kUngroundedReadingNote)) + "\n";
    }
    return lines;
}

}  // namespace namori
