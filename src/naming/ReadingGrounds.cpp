#include "naming/ReadingGrounds.h"

#include <algorithm>
#include <array>
#include <limits>

#include "data/DataFiles.h"
#include "naming/NameGuide.h"
#include "naming/ReadingPieces.h"

namespace namori {

namespace {

constexpr std::size_t kGroundFields = 4;     // kanji,kind,reading,names
constexpr std::size_t kWholeWordFields = 3;  // spelling,reading,common
constexpr std::size_t kMaxWholeWord = 3;

// What leaning on each ground costs a cut: a dictionary reading or a word read as a whole
// nothing, then a part, a kanji not read, and a piece with no ground far more than any of them.
// On a tie the word wins, as it is offered before the cut through its kanji: the name readings
// of its kanji often come from the word itself (飛 あす and 鳥 か of 飛鳥 あすか).
int Cost(ReadingGround ground) {
    switch (ground) {
        case ReadingGround::On:
        case ReadingGround::Kun:
        case ReadingGround::Nanori:
        case ReadingGround::Kana:
        case ReadingGround::WholeWord:
            return 0;
        case ReadingGround::Part:
            return 2;
        case ReadingGround::Silent:
            return 3;
        case ReadingGround::None:
            break;
    }
    return 20;
}

constexpr std::u16string_view kPlainKana = u"かきくけこさしすせそたちつてとはひふへほ";
constexpr std::u16string_view kVoicedKana = u"がぎぐげござじずぜぞだぢづでどばびぶべぼ";
constexpr std::u16string_view kHalfVoicedKana = u"ぱぴぷぺぽ";
constexpr std::size_t kFirstHaRow = 15;  // は in kPlainKana

// The forms a reading takes inside a name: as it is, voiced at its start after another
// character (さくら → ざくら, はな → ばな, ぱな), its last つ, ち, く or き doubled into っ
// (吉 きち → きっ).
std::vector<std::u16string> SoundForms(const std::u16string& reading, bool afterAnother) {
    std::vector<std::u16string> forms{reading};
    const std::size_t plain = kPlainKana.find(reading[0]);
    if (afterAnother && plain != std::u16string_view::npos) {
        forms.push_back(kVoicedKana[plain] + reading.substr(1));
        if (plain >= kFirstHaRow) {
            forms.push_back(kHalfVoicedKana[plain - kFirstHaRow] + reading.substr(1));
        }
    }
    if (reading.size() > 1 &&
        std::u16string_view(u"つちくき").find(reading.back()) != std::u16string_view::npos) {
        for (std::size_t i = 0, count = forms.size(); i < count; ++i) {
            forms.push_back(forms[i].substr(0, forms[i].size() - 1) + u"っ");
        }
    }
    return forms;
}

// The best ground of kanji (with readings) read as piece.
ReadingGround GroundOf(const std::vector<std::pair<ReadingGround, std::u16string>>& readings,
                       std::u16string_view piece, bool afterAnother) {
    ReadingGround best = ReadingGround::None;
    for (const auto& [kind, reading] : readings) {
        for (const std::u16string& form : SoundForms(reading, afterAnother)) {
            if (form == piece) {
                return kind;
            }
            if (piece.size() < form.size() && (form.starts_with(piece) || form.ends_with(piece))) {
                best = ReadingGround::Part;
            }
        }
    }
    return best;
}

struct Step {
    int cost = std::numeric_limits<int>::max();
    std::size_t fromCharacter = 0;
    std::size_t fromReading = 0;
    ReadingGround ground = ReadingGround::None;
};

}  // namespace

ReadingGroundsIndex::ReadingGroundsIndex(SortedTextFile kanjiReadings, SortedTextFile wholeWords)
    : kanjiReadings_(std::move(kanjiReadings)), wholeWords_(std::move(wholeWords)) {
    kanjiReadings_.ExpectFields(kGroundFields);
    wholeWords_.ExpectFields(kWholeWordFields);
    kanjiReadings_.EndLines();
    wholeWords_.EndLines();
}

ReadingGroundsIndex ReadingGroundsIndex::Open(const std::vector<std::filesystem::path>& folders) {
    return ReadingGroundsIndex(SortedTextFile::ReadFirstFound(folders, kKanjiGroundsFile),
                               SortedTextFile::ReadFirstFound(folders, kWholeWordsFile));
}

ReadingGroundsIndex ReadingGroundsIndex::FromBytes(std::string kanjiReadings,
                                                   std::string wholeWords) {
    return ReadingGroundsIndex(SortedTextFile::Own(std::move(kanjiReadings), kKanjiGroundsFile),
                               SortedTextFile::Own(std::move(wholeWords), kWholeWordsFile));
}

std::vector<std::pair<ReadingGround, std::u16string>> ReadingGroundsIndex::ReadingsOf(
    char16_t kanji) const {
    std::vector<std::pair<ReadingGround, std::u16string>> readings;
    for (auto& record : kanjiReadings_.Find(std::u16string_view(&kanji, 1))) {
        const ReadingGround kind = record[1] == u"音"   ? ReadingGround::On
                                   : record[1] == u"訓" ? ReadingGround::Kun
                                                        : ReadingGround::Nanori;
        if (!record[2].empty()) {
            readings.emplace_back(kind, std::move(record[2]));
        }
    }
    return readings;
}

std::vector<std::u16string> ReadingGroundsIndex::WholeReadingsOf(
    std::u16string_view spelling) const {
    std::vector<std::u16string> readings;
    for (auto& record : wholeWords_.Find(spelling)) {
        readings.push_back(std::move(record[1]));
    }
    return readings;
}

std::vector<CharacterGround> GroundReading(const ReadingGroundsIndex& index,
                                           std::u16string_view spelling,
                                           std::u16string_view reading) {
    const std::size_t n = spelling.size();
    const std::size_t m = reading.size();
    if (n == 0 || m == 0) {
        return {};
    }
    // Each character's readings: a kanji's own, 々 those of the kanji before it.
    std::vector<std::vector<std::pair<ReadingGround, std::u16string>>> readings(n);
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t c = spelling[i] == u'々' && i > 0 ? spelling[i - 1] : spelling[i];
        if (IsKanji(c)) {
            readings[i] = index.ReadingsOf(c);
        }
    }
    // wholeReadings[i][span - 2]: the readings of the word of span kanji from i.
    std::vector<std::array<std::vector<std::u16string>, kMaxWholeWord - 1>> wholeReadings(n);
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t span = 2; span <= kMaxWholeWord && i + span <= n; ++span) {
            const std::u16string_view word = spelling.substr(i, span);
            if (std::all_of(word.begin(), word.end(), IsKanji)) {
                wholeReadings[i][span - 2] = index.WholeReadingsOf(word);
            }
        }
    }
    // best[i][j]: the cheapest way to read the first i characters as the first j kana.
    std::vector<std::vector<Step>> best(n + 1, std::vector<Step>(m + 1));
    best[0][0].cost = 0;
    const auto offer = [&best](std::size_t i, std::size_t j, std::size_t toI, std::size_t toJ,
                               ReadingGround ground, int extra) {
        const int cost = best[i][j].cost + extra;
        if (cost < best[toI][toJ].cost) {
            best[toI][toJ] = {cost, i, j, ground};
        }
    };
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t c = spelling[i];
        const bool kanji = IsKanji(c) || c == u'々';
        for (std::size_t j = 0; j <= m; ++j) {
            if (best[i][j].cost == std::numeric_limits<int>::max()) {
                continue;
            }
            // A kanji of a longer name may go unread; a name's only character may not.
            if (kanji && n > 1) {
                offer(i, j, i + 1, j, ReadingGround::Silent, Cost(ReadingGround::Silent));
            }
            for (std::size_t length = 1; j + length <= m; ++length) {
                const std::u16string_view piece = reading.substr(j, length);
                ReadingGround ground = ReadingGround::None;
                if (IsKana(c)) {
                    ground = length == 1 && Hiragana(c) == piece[0] ? ReadingGround::Kana
                                                                    : ReadingGround::None;
                } else if (kanji) {
                    ground = GroundOf(readings[i], piece, i > 0);
                }
                offer(i, j, i + 1, j + length, ground, Cost(ground));
                for (std::size_t span = 2; span <= kMaxWholeWord && i + span <= n; ++span) {
                    const auto& whole = wholeReadings[i][span - 2];
                    if (std::find(whole.begin(), whole.end(), piece) != whole.end()) {
                        offer(i, j, i + span, j + length, ReadingGround::WholeWord,
                              Cost(ReadingGround::WholeWord));
                    }
                }
            }
        }
    }
    std::vector<CharacterGround> grounds(n);
    for (std::size_t i = n, j = m; i > 0;) {
        const Step& step = best[i][j];
        const bool whole = step.ground == ReadingGround::WholeWord;
        for (std::size_t at = step.fromCharacter; at < i; ++at) {
            grounds[at].character = spelling[at];
            grounds[at].ground = step.ground;
            // A word read as a whole gives its reading to its first character.
            if (!whole || at == step.fromCharacter) {
                grounds[at].piece =
                    std::u16string(reading.substr(step.fromReading, j - step.fromReading));
            }
        }
        i = step.fromCharacter;
        j = step.fromReading;
    }
    return grounds;
}

std::u16string_view GroundWord(ReadingGround ground) {
    switch (ground) {
        case ReadingGround::On:
            return u"音";
        case ReadingGround::Kun:
            return u"訓";
        case ReadingGround::Nanori:
            return u"名乗り";
        case ReadingGround::Part:
            return u"部分";
        case ReadingGround::WholeWord:
            return u"熟字訓";
        case ReadingGround::Silent:
            return u"置き字";
        case ReadingGround::Kana:
            return u"かな";
        case ReadingGround::None:
            break;
    }
    return u"根拠なし";
}

std::u16string GroundsText(const std::vector<CharacterGround>& grounds) {
    std::u16string text;
    for (std::size_t i = 0; i < grounds.size(); ++i) {
        if (i > 0) {
            text += u"・";
        }
        const CharacterGround& ground = grounds[i];
        text += ground.character;
        // A word read as a whole shows once: 飛鳥=あすか（熟字訓）.
        while (ground.ground == ReadingGround::WholeWord && i + 1 < grounds.size() &&
               grounds[i + 1].ground == ReadingGround::WholeWord && grounds[i + 1].piece.empty()) {
            text += grounds[++i].character;
        }
        text += u"=" + ground.piece + u"（" + std::u16string(GroundWord(ground.ground)) + u"）";
    }
    return text;
}

bool HasUngroundedReading(const std::vector<CharacterGround>& grounds) {
    return std::any_of(grounds.begin(), grounds.end(), [](const CharacterGround& ground) {
        return ground.ground == ReadingGround::None;
    });
}

}  // namespace namori
