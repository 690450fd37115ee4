#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "analysis/NamePreparation.h"
#include "analysis/ReferenceTables.h"
#include "rules/Ratings.h"

namespace namori {

struct Judgement;
struct SpiritTable;

// A judged name as one JSON object (keys in a fixed order), phrases and marks from table.
nlohmann::ordered_json JudgementAsJson(const Judgement& judgement, const SpiritTable& table);

struct DetailedReading;

// A judged name with its detailed reading: JudgementAsJson's object, each luck number with the
// number that grades it, what it stands for and its seven aspects, and the explanations of the
// elements, the verdicts and the faces.
nlohmann::ordered_json DetailedJudgementAsJson(const Judgement& judgement, const SpiritTable& table,
                                               const DetailedReading& reading);

// A name that could not be judged, as one JSON object.
nlohmann::ordered_json RefusalAsJson(std::u16string_view surname, std::u16string_view givenName,
                                     const NamePreparation& preparation);

// A judged name as a readable Japanese table.
// The line a table ends with when strokes were counted the traditional way; empty for the
// default counting, whose output stays as it always was.
std::string CountingNoteLine(StrokeCounting counting);

// Adds "counting": "traditional" to an output object when strokes were counted so.
void AddCounting(nlohmann::ordered_json& object, StrokeCounting counting);

std::string JudgementAsTable(const Judgement& judgement, const SpiritTable& table);

// The word that names a refusal in JSON: "empty", "tooLong", "unsupportedCharacter",
// "unregistered".
std::string ProblemWord(NameProblem problem);

}  // namespace namori
