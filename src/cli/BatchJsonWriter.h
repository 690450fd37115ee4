#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace namori {

struct Judgement;
struct SpiritTable;

// Writes judgements as JSON lines byte for byte like JudgementAsJson(judgement, table).dump(), but
// fast enough for batch runs of varied names: the texts of the name are escaped directly, and the
// parts that depend only on a luck number, a digit triple, a yin-yang pattern or the faces are
// rendered by the JSON library once and then reused.
class BatchJsonWriter {
  public:
    // Appends judgement (phrases and marks from table) and a line feed to output.
    void Append(const Judgement& judgement, const SpiritTable& table, std::string& output);

  private:
    const std::string& LuckRow(const Judgement& judgement, const SpiritTable& table, int row,
                               int value);
    // The members (or, for a luck row from 0, that row's object) rendered for key, from cache.
    const std::string& Cached(std::vector<std::string>& cache, int key, const Judgement& judgement,
                              const SpiritTable& table, std::initializer_list<const char*> members,
                              int luckRow = -1);
    static std::string Render(const Judgement& judgement, const SpiritTable& table,
                              std::initializer_list<const char*> members, int luckRow);

    std::array<std::vector<std::string>, 5> luckRows_;
    std::vector<std::string> elementMembers_;
    std::vector<std::string> yinYangMembers_;
    std::vector<std::string> faceMembers_;
    std::string scratch_;
};

// Appends text to output as a JSON string, escaped as the JSON library escapes it.
void AppendJsonString(std::u16string_view text, std::string& output);

}  // namespace namori
