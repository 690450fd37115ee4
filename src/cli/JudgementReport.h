#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "analysis/NamePreparation.h"
#include "rules/Ratings.h"

namespace namori {

struct JudgementStore;

// The judged name of the store as one JSON object (keys in a fixed order).
nlohmann::ordered_json JudgementAsJson(const JudgementStore& store);

// A name that could not be judged, as one JSON object.
nlohmann::ordered_json RefusalAsJson(std::u16string_view surname, std::u16string_view givenName,
                                     const NamePreparation& preparation);

// The judged name of the store as a readable Japanese table.
std::string JudgementAsTable(const JudgementStore& store);

// The word that names a refusal in JSON: "empty", "tooLong", "unsupportedCharacter",
// "unregistered".
std::string ProblemWord(NameProblem problem);

}  // namespace namori
