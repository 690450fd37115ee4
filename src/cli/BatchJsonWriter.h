#pragma once

#include <array>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace namori {

struct JudgementStore;

// Writes judgements as JSON lines byte for byte like JudgementAsJson(store).dump(), but fast
// enough for batch runs: the parts that depend only on a luck number, a digit triple, a
// yin-yang pattern or the faces are rendered by the JSON library once and then reused.
class BatchJsonWriter {
  public:
    // Appends the judgement of store and a line feed to output.
    void Append(const JudgementStore& store, std::string& output);

  private:
    const std::string& LuckRow(const JudgementStore& store, int row, int value);
    const std::string& Members(std::u16string_view key, const JudgementStore& store, bool elements);
    const std::string& Escaped(std::u16string_view text);

    std::array<std::unordered_map<int, std::string>, 5> luckRows_;
    std::unordered_map<std::u16string, std::string> members_;
    std::unordered_map<std::u16string, std::string> escaped_;
};

}  // namespace namori
