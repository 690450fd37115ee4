#include "reading/DetailedReading.h"

#include <algorithm>
#include <string_view>

#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/DataFiles.h"
#include "data/ReadingTextsFile.h"
#include "reading/ElementPairs.h"
#include "reading/ReadingConclusion.h"
#include "reading/ReadingTextKinds.h"
#include "rules/FiveElements.h"
#include "rules/Judgement.h"
#include "rules/Ratings.h"
#include "rules/VerdictWords.h"

namespace namori {

namespace {

// The key of the note that closes the reading.
constexpr std::u16string_view kClosingNote = u"closing";
constexpr std::u16string_view kCaveatNote = u"caveat";
constexpr std::u16string_view kBasisNote = u"basis";
constexpr std::u16string_view kTraditionalBasisNote = u"basis-traditional";
constexpr std::u16string_view kComplementBasisNote = u"basis-complement";
constexpr std::u16string_view kLuckyNote = u"lucky";
constexpr std::u16string_view kElementClashNote = u"element-clash";
constexpr std::array<std::u16string_view, 7> kNotes{
    kClosingNote,         kCaveatNote, kBasisNote,       kTraditionalBasisNote,
    kComplementBasisNote, kLuckyNote,  kElementClashNote};
// The slot whose number reads 恋愛・結婚 (助運, in kLuckFields' order).
constexpr std::size_t kRomanceSlot = 3;
// The slots whose texts speak of the child by name: 主運 and 助運 (their first aspects, 性格
// and 対人) and 初運 (the early years).
constexpr std::array<std::size_t, 2> kPersonSlots{1, 3};
constexpr std::size_t kYouthSlot = 2;
constexpr std::u16string_view kRomanceTitle = u"恋愛・結婚";

// What each place (in kLuckFields' order) governs: the spirit-number table's aspects it reads
// (indexes into the seven, kNoAspect for none), or the kind of "鑑定解説.txt" that reads its
// number there, with the name the reading gives that text. Every aspect is read in one place
// only.
constexpr int kNoAspect = -1;
struct LuckPlace {
    std::u16string_view rule;  // which characters it adds up, true for every shape of name
    std::array<int, 3> aspects;
    std::u16string_view placeKind;
    std::u16string_view placeTitle;
};
constexpr std::array<LuckPlace, 5> kLuckPlaces{{
    {u"名字の字の画数の合計", {kNoAspect, kNoAspect, kNoAspect}, u"family-line", u"家の流れ"},
    {u"名字の最後の字と名前の最初の字の合計", {0, 1, kNoAspect}, {}, {}},  // 性格, 仕事
    {u"名前の字の画数の合計", {kNoAspect, kNoAspect, kNoAspect}, u"youth", u"若い時期"},
    {u"主運に入らない字の合計", {5, 3, kNoAspect}, {}, {}},  // 対人, 家庭
    {u"名字と名前の字の画数の合計", {2, 4, 6}, {}, {}},      // 金運, 健康, 総評
}};
// The aspects of a number when the table's trailer does not name seven.
constexpr std::array<std::u16string_view, SpiritTable::kFurtherTexts> kAspectNames{
    u"性格", u"仕事", u"金運", u"家庭", u"健康", u"対人", u"総評"};
// The trailer's field that names the aspects ("性格・仕事・…") and the one that explains the marks.
constexpr int kAspectNamesField = 2;
constexpr int kMarkLegendField = 3;

std::array<std::u16string, SpiritTable::kFurtherTexts> AspectNames(const SpiritTable& table) {
    std::array<std::u16string, SpiritTable::kFurtherTexts> names;
    std::u16string_view list = table.trailer[kAspectNamesField];
    std::size_t count = 0;
    while (count < names.size()) {
        const std::size_t end = std::min(list.find(u'・'), list.size());
        names[count++] = std::u16string(list.substr(0, end));
        if (end == list.size()) {
            break;
        }
        list.remove_prefix(end + 1);
    }
    const bool named = count == names.size() && list.find(u'・') == std::u16string_view::npos &&
                       std::none_of(names.begin(), names.end(),
                                    [](const std::u16string& name) { return name.empty(); });
    if (!named) {
        std::copy(kAspectNames.begin(), kAspectNames.end(), names.begin());
    }
    return names;
}

void Fill(std::u16string& text, std::u16string_view placeholder, std::u16string_view value) {
    for (std::size_t at = text.find(placeholder); at != std::u16string::npos;
         at = text.find(placeholder, at + value.size())) {
        text.replace(at, placeholder.size(), value);
    }
}

std::u16string SlotKey(std::size_t slot) {
    return std::u16string(1, static_cast<char16_t>(u'1' + slot));
}

std::u16string FaceKey(std::size_t slot, Rating rating) {
    return SlotKey(slot) + u"-" + std::u16string(ByEnum(kRatingKeys, rating));
}

std::u16string NumberKey(int number) {
    const std::string digits = std::to_string(number);
    return std::u16string(digits.begin(), digits.end());
}

// How a luck number was counted for this name, with its sum: "名字の最後の字と名前の最初の字の合計
// 「本」5＋「蓮」13＝18". The terms are the positions the judgement added up, so the sum is the
// number printed beside it, whatever the name's shape.
std::u16string CountingRule(const NamePositions& name, std::size_t slot, unsigned positions) {
    const std::array<unsigned, 5> all = LuckPositions(name);
    std::u16string rule(kLuckPlaces[slot].rule);
    if (slot == 3) {
        const unsigned shared = positions & all[1];
        const bool surname =
            name.surnameLength > 0 && (shared & (1u << (name.surnameLength - 1))) != 0;
        const bool givenName = (shared & (1u << name.surnameLength)) != 0;
        if (surname || givenName) {
            rule += surname && givenName ? u"（１字の名字と１字の名前は、主運に入る字も数えます）"
                    : surname ? u"（１字の名字は、主運に入るその字も数えます）"
                              : u"（１字の名前は、主運に入るその字も数えます）";
        }
    }
    if (slot == 4 && positions != (all[0] | all[2])) {
        rule += u"（霊数は数えません）";
    }
    int sum = 0;
    for (int position = 0; position < name.positions(); ++position) {
        if ((positions & (1u << position)) == 0) {
            continue;
        }
        const std::u16string character(name.nameChars[position]);
        rule += sum == 0 ? u"　" : u"＋";
        rule += character == std::u16string(1, kComplementCharacter) ? u"霊数"
                                                                     : u"「" + character + u"」";
        rule += NumberKey(name.strokeCounts[position]);
        sum += name.strokeCounts[position];
    }
    return rule + u"＝" + NumberKey(sum);
}

// The characters at positions as the texts name them: each part's run in brackets, joined by と
// ("「藤」と「陽」", "「佐藤」と「陽翔」"), the complement as 霊数.
std::u16string CountedCharacters(const NamePositions& name, unsigned positions) {
    std::u16string text;
    std::u16string run;
    const auto endRun = [&] {
        if (!run.empty()) {
            text += (text.empty() ? u"" : u"と") + (u"「" + run + u"」");
            run.clear();
        }
    };
    for (int position = 0; position < name.positions(); ++position) {
        if ((positions & (1u << position)) == 0 || position == name.surnameLength) {
            endRun();
        }
        if ((positions & (1u << position)) == 0) {
            continue;
        }
        const std::u16string_view character = name.nameChars[position];
        if (character == std::u16string_view(&kComplementCharacter, 1)) {
            endRun();
            text += (text.empty() ? u"" : u"と") + std::u16string(u"霊数");
        } else {
            run += character;
        }
    }
    endRun();
    return text;
}

// A part of the name as typed, without the complement.
std::u16string WithoutComplement(std::u16string part) {
    std::erase(part, kComplementCharacter);
    return part;
}

// A character as the yin-yang texts name an end of the name: 「佐」, or 霊数.
std::u16string EndCharacter(const std::vector<NameCharacter>& part, bool first) {
    if (part.empty()) {
        return {};
    }
    const std::u16string& character = first ? part.front().character : part.back().character;
    return character == std::u16string(1, kComplementCharacter) ? u"霊数"
                                                                : u"「" + character + u"」";
}

// A text about the child that opens with the child's name: "陽翔さんは明るく…", or, for a text
// that starts by naming a time of life, "陽翔さんの幼いころは…".
std::u16string AddressedTo(std::u16string_view givenName, const std::u16string& text) {
    if (givenName.empty()) {
        return text;
    }
    const bool timeOfLife = text.starts_with(u"幼いころは") || text.starts_with(u"子どものころは");
    return std::u16string(givenName) + (timeOfLife ? u"さんの" : u"さんは") + text;
}

// The characters between the two ends, as the yin-yang texts name them: 「藤陽」.
// The characters between the two ends, each quoted on its own (「水」と「心」): quoted together
// they would read as a word of the name.
std::u16string InnerCharacters(const DetailedReading& reading) {
    std::vector<std::u16string> inner;
    std::size_t position = 0;
    const std::size_t count = reading.surnameChars.size() + reading.givenNameChars.size();
    for (const auto* part : {&reading.surnameChars, &reading.givenNameChars}) {
        for (const NameCharacter& character : *part) {
            if (position != 0 && position + 1 != count &&
                character.character != std::u16string(1, kComplementCharacter)) {
                inner.push_back(u"「" + character.character + u"」");
            }
            ++position;
        }
    }
    std::u16string text;
    for (std::size_t i = 0; i < inner.size(); ++i) {
        text += (i == 0 ? u"" : i + 1 == inner.size() ? u"と" : u"、") + inner[i];
    }
    return text;
}

}  // namespace

std::u16string ReadingDateText(int year, int month, int day) {
    return NumberKey(year) + u"年" + NumberKey(month) + u"月" + NumberKey(day) + u"日";
}

DetailedReading ReadingOf(const Judgement& judgement, const SpiritTable& table) {
    DetailedReading reading;
    const NamePositions& name = judgement.name;
    reading.surname = name.currentSurname;
    reading.givenName = name.currentGivenName;
    for (int position = 0; position < name.positions(); ++position) {
        auto& part = position < name.surnameLength ? reading.surnameChars : reading.givenNameChars;
        part.push_back({std::u16string(name.nameChars[position]), name.strokeCounts[position]});
    }

    const std::array<std::u16string, SpiritTable::kFurtherTexts> aspectNames = AspectNames(table);
    const std::array<int, 5> values = LuckValues(judgement.luck);
    const std::array<unsigned, 5> positions = LuckPositions(name);
    for (std::size_t index = 0; index < values.size(); ++index) {
        LuckReading& luck = reading.luck[index];
        luck.name = kLuckFields[index].name;
        luck.rule = CountingRule(name, index, positions[index]);
        luck.characters = CountedCharacters(name, positions[index]);
        luck.value = values[index];
        luck.spiritNumber = SpiritTable::RowOf(luck.value);
        luck.phrase = table.spiritPhrase[luck.spiritNumber];
        luck.mark = table.spiritMark[luck.spiritNumber];
        for (int aspect : kLuckPlaces[index].aspects) {
            if (aspect != kNoAspect) {
                luck.aspects.push_back(
                    {aspectNames[aspect], table.furtherTexts[luck.spiritNumber][aspect]});
            }
        }
    }
    reading.markLegend = table.trailer[kMarkLegendField];

    reading.elementDigits = judgement.elements.elementDigits;
    reading.elementTriple = judgement.elements.elementTriple;
    reading.elementVerdict = judgement.elements.elementVerdict;
    for (char16_t element : judgement.elements.elementTriple) {
        const std::u16string text(1, element);
        const bool seen = std::any_of(reading.elements.begin(), reading.elements.end(),
                                      [&](const ElementReading& e) { return e.element == text; });
        if (!seen) {
            reading.elements.push_back({text, {}});
        }
    }
    reading.yinYangPattern = judgement.yinYang.yinYangPattern;
    reading.yinYangVerdict = judgement.yinYang.yinYangVerdict;

    const std::array<Rating, 3>& ratings = judgement.faces;
    for (std::size_t slot = 0; slot < ratings.size(); ++slot) {
        reading.faces[slot].title = kFaceNames[slot];
        reading.faces[slot].rating = ratings[slot];
    }
    return reading;
}

void ExplainReading(DetailedReading& reading, const ReadingTexts& texts) {
    const std::u16string surname = WithoutComplement(reading.surname);
    const std::u16string givenName = WithoutComplement(reading.givenName);
    for (std::size_t index = 0; index < reading.luck.size(); ++index) {
        LuckReading& luck = reading.luck[index];
        luck.meaning = texts.Of(kLuckKind, luck.name);
        Fill(luck.meaning, u"{数}", NumberKey(luck.value));
        Fill(luck.meaning, u"{字}", luck.characters);
        Fill(luck.meaning, u"{名字}", surname);
        Fill(luck.meaning, u"{名前}", givenName);
        const LuckPlace& place = kLuckPlaces[index];
        // A phrase is glossed where it first appears: a number that recurs is read once.
        const bool glossed = std::any_of(
            reading.luck.begin(), reading.luck.begin() + index,
            [&](const LuckReading& earlier) { return earlier.spiritNumber == luck.spiritNumber; });
        if (luck.spiritNumber > 0 && !glossed) {
            luck.phraseGloss = texts.Of(kPhraseKind, NumberKey(luck.spiritNumber));
            Fill(luck.phraseGloss, u"{運}", luck.name + NumberKey(luck.value));
        }
        if (!place.placeKind.empty() && luck.spiritNumber > 0) {
            const std::u16string& text = texts.Of(place.placeKind, NumberKey(luck.spiritNumber));
            // 初運 speaks of the child's early years: of this child, by name.
            luck.aspects.push_back({std::u16string(place.placeTitle),
                                    index == kYouthSlot ? AddressedTo(givenName, text) : text});
        }
    }
    // The first aspects of 主運 and 助運, 性格 and 対人, describe the person: this child, by name.
    for (std::size_t slot : kPersonSlots) {
        if (!reading.luck[slot].aspects.empty()) {
            ReadingAspect& person = reading.luck[slot].aspects.front();
            person.text = AddressedTo(givenName, person.text);
        }
    }
    LuckReading& romance = reading.luck[kRomanceSlot];
    if (romance.spiritNumber > 0) {
        romance.aspects.push_back({std::u16string(kRomanceTitle),
                                   texts.Of(kRomanceKind, NumberKey(romance.spiritNumber))});
    }
    for (ElementReading& element : reading.elements) {
        // The luck numbers of 祖運, 主運 and 初運 that fall on this element: "祖運25と主運30".
        std::u16string numbers;
        for (std::size_t slot = 0; slot < reading.elementTriple.size() && slot < 3; ++slot) {
            if (reading.elementTriple[slot] == element.element[0]) {
                const LuckReading& luck = reading.luck[slot];
                numbers += (numbers.empty() ? u"" : u"と") + luck.name + NumberKey(luck.value);
            }
        }
        element.meaning = texts.Of(kElementKind, element.element);
        Fill(element.meaning, u"{運}", numbers);
    }
    reading.elementPairs = ElementPairsOf(
        reading.elementTriple,
        {reading.luck[0].value, reading.luck[1].value, reading.luck[2].value}, texts);
    reading.elementVerdictMeaning =
        texts.Of(kElementVerdictKind, ByEnum(kElementVerdictKeys, reading.elementVerdict));
    // A 相剋 in a triple the table does not name reads as a fault to a parent who sees another
    // triple with the same 相剋 named: say that only the listed orders count.
    if (reading.elementVerdict == ElementVerdict::NoMisfortune &&
        HasCheckingPair(reading.elementTriple)) {
        reading.elementVerdictMeaning += texts.Of(kNoteKind, kElementClashNote);
    }
    Fill(reading.elementVerdictMeaning, u"{並び}", reading.elementTriple);
    reading.yinYangMeaning =
        texts.Of(kYinYangVerdictKind, ByEnum(kYinYangVerdictKeys, reading.yinYangVerdict));
    Fill(reading.yinYangMeaning, u"{並び}", reading.yinYangPattern);
    const auto& top = reading.surnameChars.empty() ? reading.givenNameChars : reading.surnameChars;
    const auto& bottom =
        reading.givenNameChars.empty() ? reading.surnameChars : reading.givenNameChars;
    Fill(reading.yinYangMeaning, u"{上端}", EndCharacter(top, true));
    Fill(reading.yinYangMeaning, u"{下端}", EndCharacter(bottom, false));
    Fill(reading.yinYangMeaning, u"{内側}", InnerCharacters(reading));
    // The end whose mark differs from its neighbour's, as the pattern that sets one end apart has.
    const std::u16string& marks = reading.yinYangPattern;
    const bool topApart = marks.size() >= 2 && marks[0] != marks[1];
    Fill(reading.yinYangMeaning, u"{端}",
         topApart ? u"上端の" + EndCharacter(top, true) : u"下端の" + EndCharacter(bottom, false));
    for (std::size_t slot = 0; slot < reading.faces.size(); ++slot) {
        FaceReading& face = reading.faces[slot];
        face.slotMeaning = texts.Of(kFaceSlotKind, SlotKey(slot));
        face.text = texts.Of(kFaceKind, FaceKey(slot, face.rating));
    }
    reading.conclusion = ConclusionOf(reading, texts);
    reading.closingNote = texts.Of(kNoteKind, kClosingNote);
    Fill(reading.closingNote, u"{名前}", givenName);
    reading.caveat = texts.Of(kNoteKind, kCaveatNote);
    Fill(reading.caveat, u"{名前}", givenName);
    const bool complemented = reading.surname.starts_with(kComplementCharacter) ||
                              reading.givenName.ends_with(kComplementCharacter);
    reading.countingBasis =
        texts.Of(kNoteKind, reading.counting == StrokeCounting::Traditional ? kTraditionalBasisNote
                                                                            : kBasisNote);
    if (complemented) {
        reading.countingBasis += texts.Of(kNoteKind, kComplementBasisNote);
    }
    std::u16string counts;
    for (const auto* part : {&reading.surnameChars, &reading.givenNameChars}) {
        for (const NameCharacter& character : *part) {
            if (character.character != std::u16string(1, kComplementCharacter)) {
                counts += (counts.empty() ? u"" : u"・") + character.character +
                          NumberKey(character.strokes);
            }
        }
    }
    Fill(reading.countingBasis, u"{画数}", counts);
    reading.luckyNote = texts.Of(kNoteKind, kLuckyNote);
    Fill(reading.luckyNote, u"{名字}", surname);
}

ReadingTexts LoadReadingTexts(const std::vector<std::filesystem::path>& folders) {
    ReadingTexts texts = ReadReadingTexts(FolderHolding(folders, kReadingTextsFile));
    std::vector<std::pair<std::u16string, std::u16string>> needed = ConclusionTextKeys();
    for (std::u16string_view note : kNotes) {
        needed.emplace_back(kNoteKind, note);
    }
    for (std::u16string_view relation : kElementRelationKeys) {
        needed.emplace_back(kElementPairKind, relation);
    }
    for (int number = 1; number <= SpiritTable::kNumbers; ++number) {
        needed.emplace_back(kPhraseKind, NumberKey(number));
        needed.emplace_back(kRomanceKind, NumberKey(number));
    }
    for (std::size_t index = 0; index < kLuckPlaces.size(); ++index) {
        const LuckPlace& place = kLuckPlaces[index];
        needed.emplace_back(kLuckKind, kLuckFields[index].name);
        for (int number = 1; !place.placeKind.empty() && number <= SpiritTable::kNumbers;
             ++number) {
            needed.emplace_back(place.placeKind, NumberKey(number));
        }
    }
    for (char16_t element : kElementOrder) {
        needed.emplace_back(kElementKind, std::u16string(1, element));
    }
    for (std::u16string_view key : kElementVerdictKeys) {
        needed.emplace_back(kElementVerdictKind, key);
    }
    for (std::u16string_view key : kYinYangVerdictKeys) {
        needed.emplace_back(kYinYangVerdictKind, key);
    }
    for (std::size_t slot = 0; slot < kFaceNames.size(); ++slot) {
        needed.emplace_back(kFaceSlotKind, SlotKey(slot));
        for (Rating rating : {Rating::Favourable, Rating::Middling, Rating::Unfavourable}) {
            needed.emplace_back(kFaceKind, FaceKey(slot, rating));
        }
    }
    for (const auto& [kind, key] : needed) {
        if (texts.Of(kind, key).empty()) {
            throw DataFileError(
                std::string(kReadingTextsFile), 0,
                "「" + Utf16ToUtf8(key) + "」（" + Utf16ToUtf8(kind) + "）の解説がありません");
        }
    }
    return texts;
}

}  // namespace namori
