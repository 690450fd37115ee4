#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace namori {

// The explanation texts of the detailed reading, as "鑑定解説.txt" holds them: one text per kind
// of thing explained ("luck", "element", "element-verdict", …) and key within the kind (the
// label the judgement shows, such as "主運" or "災害運").
class ReadingTexts {
  public:
    // The text of kind and key; empty when the file has none.
    const std::u16string& Of(std::u16string_view kind, std::u16string_view key) const;

    // Adds a text; false when kind and key already have one.
    bool Add(std::u16string kind, std::u16string key, std::u16string text);

    using Entries =
        std::map<std::pair<std::u16string, std::u16string>, std::u16string, std::less<>>;
    // Every text by kind and key, for checks over the whole file.
    const Entries& entries() const { return texts_; }

  private:
    Entries texts_;
};

// Reads "鑑定解説.txt" of folder: records of three fields (kind, key, text) in the shared field
// syntax. Throws DataFileError when the file is missing, unreadable or malformed, or when a kind
// and key occur twice (naming the line).
ReadingTexts ReadReadingTexts(const std::filesystem::path& folder);

}  // namespace namori
