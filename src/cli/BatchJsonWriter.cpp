#include "cli/BatchJsonWriter.h"

#include <nlohmann/json.hpp>

#include "analysis/JudgementStore.h"
#include "cli/JudgementReport.h"
#include "data/Cp932.h"

namespace namori {

namespace {

// Caches are emptied when they grow past this, so that a long run of varied names cannot
// take unbounded memory.
constexpr std::size_t kCacheLimit = 100000;

template <typename Map>
void Bound(Map& map) {
    if (map.size() > kCacheLimit) {
        map.clear();
    }
}

// The members of a rendered object without its braces, to splice into a larger object.
std::string WithoutBraces(const std::string& object) {
    return object.substr(1, object.size() - 2);
}

}  // namespace

const std::string& BatchJsonWriter::Escaped(std::u16string_view text) {
    const std::u16string key(text);
    auto found = escaped_.find(key);
    if (found == escaped_.end()) {
        Bound(escaped_);
        found = escaped_.emplace(key, nlohmann::ordered_json(Utf16ToUtf8(text)).dump()).first;
    }
    return found->second;
}

const std::string& BatchJsonWriter::LuckRow(const JudgementStore& store, int row, int value) {
    auto& rows = luckRows_[row];
    auto found = rows.find(value);
    if (found == rows.end()) {
        Bound(rows);
        const nlohmann::ordered_json luck = JudgementAsJson(store)["luck"][row];
        found = rows.emplace(value, luck.dump()).first;
    }
    return found->second;
}

const std::string& BatchJsonWriter::Members(std::u16string_view key, const JudgementStore& store,
                                            bool elements) {
    std::u16string fullKey(1, elements ? u'E' : u'Y');
    fullKey += key;
    auto found = members_.find(fullKey);
    if (found == members_.end()) {
        Bound(members_);
        const nlohmann::ordered_json all = JudgementAsJson(store);
        nlohmann::ordered_json part;
        for (const char* name : elements
                                    ? std::array{"elementDigits", "elementTriple", "elementVerdict"}
                                    : std::array{"yinYangPattern", "yinYangVerdict", ""}) {
            if (*name != '\0') {
                part[name] = all[name];
            }
        }
        found = members_.emplace(fullKey, WithoutBraces(part.dump())).first;
    }
    return found->second;
}

void BatchJsonWriter::Append(const JudgementStore& store, std::string& output) {
    const int positions = std::min(store.surnameLength + store.givenNameLength, kNamePositions);
    output += "{\"surname\":";
    output += Escaped(store.currentSurname);
    output += ",\"givenName\":";
    output += Escaped(store.currentGivenName);
    output += ",\"chars\":[";
    for (int position = 1; position <= positions; ++position) {
        output += position > 1 ? "," : "";
        output += Escaped(store.nameChars[position]);
    }
    output += "],\"strokes\":[";
    for (int position = 1; position <= positions; ++position) {
        output += position > 1 ? "," : "";
        output += std::to_string(store.strokeCounts[position]);
    }
    output += "],\"luck\":[";
    const std::array<int, 5> luck = {store.ancestorLuck, store.mainLuck, store.earlyLuck,
                                     store.assistLuck, store.totalLuck};
    for (int row = 0; row < 5; ++row) {
        output += row > 0 ? "," : "";
        output += LuckRow(store, row, luck[row]);
    }
    output += "],";
    output += Members(store.elementDigits, store, true);
    output += ',';
    output += Members(store.yinYangPattern, store, false);
    // The faces follow from the marks of four luck numbers and the two verdicts.
    std::u16string facesKey = u"F";
    for (int value : {store.mainLuck, store.earlyLuck, store.assistLuck, store.totalLuck}) {
        facesKey += store.spiritTable.MarkOf(value);
        facesKey += u'|';
    }
    facesKey += store.elementVerdict + u'|' + store.yinYangVerdict;
    auto faces = members_.find(facesKey);
    if (faces == members_.end()) {
        Bound(members_);
        nlohmann::ordered_json part;
        part["faces"] = JudgementAsJson(store)["faces"];
        faces = members_.emplace(facesKey, WithoutBraces(part.dump())).first;
    }
    output += ',';
    output += faces->second;
    output += "}\n";
}

}  // namespace namori
