#pragma once

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "naming/ReadingGrounds.h"

namespace namori {

// The grounds of a reading for --json: one object per character (character, piece, ground).
nlohmann::ordered_json GroundsAsJson(const std::vector<CharacterGround>& grounds);

// Adds readingGrounds to result, and readingGroundsNote when a character has no ground.
void AddGroundsToJson(const std::vector<CharacterGround>& grounds, nlohmann::ordered_json& result);

// The lines the judge command's table ends with for a name whose reading is given:
// 読みの根拠: 陽=はる（名乗り）・翔=と（訓）, and the note when a character has no ground.
std::string GroundsLines(const std::vector<CharacterGround>& grounds);

}  // namespace namori
