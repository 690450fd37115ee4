#include "naming/NameCandidates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "analysis/NamePreparation.h"
#include "analysis/ReferenceTables.h"
#include "data/Cp932.h"
#include "data/DataFileError.h"
#include "data/KanjiDictionaryFile.h"
#include "data/SpiritTableFile.h"
#include "naming/LuckyStrokes.h"
#include "rules/Judgement.h"
#include "support/TempFolder.h"

namespace namori {
namespace {

using testing::U16;

std::string Cp932Lines(std::string_view utf8) {
    std::string text(utf8);
    for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2) {
        text.insert(at, 1, '\r');
    }
    return *EncodeCp932(U16(text));
}

// 流 read る is used by one real name only: compositions with it are rare.
NamingIndex SmallIndex() {
    return NamingIndex::FromBytes(Cp932Lines("はると,陽翔,m,3\nはると,晴人,g,2\nはると,遥翔,f,1\n"),
                                  Cp932Lines("名前数,100\n"
                                             "と,人,n,40\nと,斗,o,20\nと,翔,n,10\n"
                                             "は,羽,k,8\n"
                                             "はる,晴,n,30\nはる,陽,n,20\n"
                                             "る,流,o,1\n"));
}

std::vector<std::u16string> Spellings(const std::vector<NameCandidate>& candidates,
                                      CandidateKind kind) {
    std::vector<std::u16string> spellings;
    for (const NameCandidate& candidate : candidates) {
        if (candidate.kind == kind) {
            spellings.push_back(candidate.spelling);
        }
    }
    return spellings;
}

TEST(GenerateCandidates, RealNamesNaturalCompositionsAndKanaEachOnceRareOnlyWhenAsked) {
    const auto candidates = GenerateCandidates(SmallIndex(), u"はると", SexFilter::Either);
    EXPECT_EQ(Spellings(candidates, CandidateKind::RealName),
              (std::vector<std::u16string>{u"陽翔", u"晴人", u"遥翔"}));
    // 陽翔 and 晴人 are real names already; 羽流… uses 流 read る, which one name uses.
    EXPECT_EQ(Spellings(candidates, CandidateKind::Composition),
              (std::vector<std::u16string>{u"晴斗", u"晴翔", u"陽人", u"陽斗"}));
    EXPECT_EQ(Spellings(candidates, CandidateKind::Kana),
              (std::vector<std::u16string>{u"はると", u"ハルト"}));
    const auto rare = GenerateCandidates(SmallIndex(), u"はると", SexFilter::Either, true);
    EXPECT_EQ(Spellings(rare, CandidateKind::Composition),
              (std::vector<std::u16string>{u"羽流人", u"羽流斗", u"羽流翔", u"晴斗", u"晴翔",
                                           u"陽人", u"陽斗"}));
    for (const NameCandidate& candidate : rare) {
        EXPECT_EQ(candidate.natural, candidate.spelling.rfind(u"羽流", 0) != 0)
            << Utf16ToUtf8(candidate.spelling);
    }
    // The product of the pairs' shares of the 100 names: 晴 30 × 斗 20, 羽 8 × 流 1 × 人 40.
    const auto naturalness = [&rare](std::u16string_view spelling) {
        return std::find_if(
                   rare.begin(), rare.end(),
                   [&](const NameCandidate& candidate) { return candidate.spelling == spelling; })
            ->naturalness;
    };
    EXPECT_DOUBLE_EQ(naturalness(u"晴斗"), 0.3 * 0.2);
    EXPECT_DOUBLE_EQ(naturalness(u"羽流人"), 0.08 * 0.01 * 0.4);
}

TEST(GenerateCandidates, SexFilterKeepsNamesForEither) {
    const auto boys = GenerateCandidates(SmallIndex(), u"はると", SexFilter::Male);
    EXPECT_EQ(Spellings(boys, CandidateKind::RealName),
              (std::vector<std::u16string>{u"陽翔", u"晴人"}));
    const auto girls = GenerateCandidates(SmallIndex(), u"はると", SexFilter::Female);
    EXPECT_EQ(Spellings(girls, CandidateKind::RealName),
              (std::vector<std::u16string>{u"晴人", u"遥翔"}));
    // 陽翔, a boys' name, does not come back for girls as a composition of 陽 and 翔.
    const auto compositions = Spellings(girls, CandidateKind::Composition);
    EXPECT_EQ(std::count(compositions.begin(), compositions.end(), u"陽翔"), 0);
}

TEST(GenerateCandidates, LongReadingsHaveNoKanaCandidateAndBadReadingsNone) {
    NamingIndex index = SmallIndex();
    const auto candidates = GenerateCandidates(index, u"はるはると", SexFilter::Either);
    EXPECT_TRUE(Spellings(candidates, CandidateKind::Kana).empty());
    for (std::u16string_view bad : {u"", u"ハルト", u"haruto", u"はるとはるとはると", u"春"}) {
        EXPECT_TRUE(ReadingProblem(bad).has_value());
        EXPECT_TRUE(GenerateCandidates(index, bad, SexFilter::Either).empty());
    }
    EXPECT_FALSE(ReadingProblem(u"ゆうー").has_value());
}

class JudgeAndRankTest : public ::testing::Test {
  protected:
    void SetUp() override {
        LoadSpiritNumbers(tables_, testing::ShippedDataFolder());
        tables_.dictionary.Assign(ParseKanjiDictionary(
            u"佐,7,藤,18,陽,12,晴,12,翔,12,人,2,斗,4,羽,6,流,10,は,3,る,1,と,2,ハ,2,ル,2,ト,2",
            "test"));
    }
    ReferenceTables tables_;
};

TEST_F(JudgeAndRankTest, RanksNaturalFirstThenByBandFacesMarksAndNaturalness) {
    const auto ranked = JudgeAndRank(
        tables_, u"佐藤", GenerateCandidates(SmallIndex(), u"はると", SexFilter::Either, true),
        false, {{u'遥', 12}});
    ASSERT_EQ(ranked.size(), 12u);
    const auto order = [](CandidateKind kind) {
        return kind == CandidateKind::RealName ? 0 : kind == CandidateKind::Composition ? 1 : 2;
    };
    for (std::size_t i = 1; i < ranked.size(); ++i) {
        const NameCandidate& a = ranked[i - 1];
        const NameCandidate& b = ranked[i];
        SCOPED_TRACE(Utf16ToUtf8(a.spelling) + " before " + Utf16ToUtf8(b.spelling));
        ASSERT_GE(a.natural, b.natural);
        if (a.natural != b.natural) {
            continue;
        }
        ASSERT_LE(a.band, b.band);
        if (a.band != b.band) {
            continue;
        }
        ASSERT_GE(a.score, b.score);
        if (a.score != b.score) {
            continue;
        }
        ASSERT_GE(a.markScore, b.markScore);
        if (a.markScore != b.markScore) {
            continue;
        }
        ASSERT_LE(order(a.kind), order(b.kind));
        if (a.kind == b.kind) {
            ASSERT_GE(a.weight, b.weight);
        }
    }
    EXPECT_FALSE(ranked.back().natural);  // the three 羽流… close the list
    // The judgement is the judge command's, for every candidate: 佐藤 陽翔 = 7, 18 | 12, 12.
    for (const NameCandidate& candidate : ranked) {
        SCOPED_TRACE(Utf16ToUtf8(candidate.spelling));
        ReferenceTables tables = tables_;
        if (candidate.fromReference) {
            std::vector<DictionaryEntry> entries = tables.dictionary.entries();
            entries.push_back({u"遥", 12});
            tables.dictionary.Assign(std::move(entries));
        }
        const Judgement fresh = Judge({u"佐藤", candidate.spelling}, tables);
        ASSERT_TRUE(fresh.ready());
        EXPECT_EQ(candidate.givenName, fresh.name.currentGivenName);
        EXPECT_EQ(candidate.strokes, std::vector<std::int16_t>(
                                         fresh.name.strokeCounts.begin(),
                                         fresh.name.strokeCounts.begin() + fresh.name.positions()));
        EXPECT_EQ(candidate.luck, LuckValues(fresh.luck));
        EXPECT_EQ(candidate.faces, fresh.faces);
    }
    const auto youto = std::find_if(ranked.begin(), ranked.end(),
                                    [](const NameCandidate& c) { return c.spelling == u"陽翔"; });
    ASSERT_NE(youto, ranked.end());
    EXPECT_EQ(youto->strokes, (std::vector<std::int16_t>{7, 18, 12, 12}));
    EXPECT_EQ(youto->luck, (std::array<int, 5>{25, 30, 24, 19, 49}));
    EXPECT_FALSE(youto->fromReference);
    // 遥 is not in the dictionary: its count comes from the reference table, and it is marked.
    const auto haruka = std::find_if(ranked.begin(), ranked.end(),
                                     [](const NameCandidate& c) { return c.spelling == u"遥翔"; });
    ASSERT_NE(haruka, ranked.end());
    EXPECT_TRUE(haruka->fromReference);
    EXPECT_EQ(haruka->strokes[2], 12);
}

TEST_F(JudgeAndRankTest, CandidatesWithCharactersNobodyKnowsAreDropped) {
    const auto ranked =
        JudgeAndRank(tables_, u"佐藤",
                     GenerateCandidates(SmallIndex(), u"はると", SexFilter::Either), false, {});
    EXPECT_EQ(ranked.size(), 8u);  // 遥翔 has no count anywhere
}

TEST_F(JudgeAndRankTest, ComplementIsAppliedAsInTheJudgeCommand) {
    const NamingIndex index =
        NamingIndex::FromBytes(Cp932Lines("あ,亜,f,1\n"), Cp932Lines("名前数,10\nと,斗,o,5\n"));
    const auto ranked = JudgeAndRank(tables_, u"佐藤",
                                     GenerateCandidates(index, u"と", SexFilter::Either), true, {});
    const auto toh = std::find_if(ranked.begin(), ranked.end(),
                                  [](const NameCandidate& c) { return c.spelling == u"斗"; });
    ASSERT_NE(toh, ranked.end());
    EXPECT_EQ(toh->givenName, u"斗１");
    EXPECT_EQ(toh->strokes, (std::vector<std::int16_t>{7, 18, 4, 1}));
}

// Whether reading can be cut into one piece per character of spelling, each a natural pair: used
// by enough real given names, and a large enough share of the writings of its piece.
bool IsNaturalComposition(const NamingIndex& index, std::u16string_view spelling,
                          std::u16string_view reading) {
    if (spelling.empty() || reading.empty()) {
        return spelling.empty() && reading.empty();
    }
    for (std::size_t length = 1; length <= reading.size(); ++length) {
        const std::vector<KanjiPiece> writings = index.KanjiOf(reading.substr(0, length));
        int pieceNames = 0;
        for (const KanjiPiece& piece : writings) {
            pieceNames += piece.names;
        }
        for (const KanjiPiece& piece : writings) {
            // A pair of ranked spellings is as natural as one many real names use.
            if (piece.kanji == spelling[0] &&
                (IsNaturalPair(piece.names, pieceNames) || piece.recent > 0) &&
                IsNaturalComposition(index, spelling.substr(1), reading.substr(length))) {
                return true;
            }
        }
    }
    return false;
}

class ShippedNamingIndex : public JudgeAndRankTest {
  protected:
    void SetUp() override {
        tables_ = ReferenceTables();
        LoadSpiritNumbers(tables_, testing::ShippedDataFolder());
        LoadKanjiDictionary(tables_, testing::ShippedDataFolder());
        reference_ = ReadStrokeReference(testing::ShippedDataFolder());
    }
    const NamingIndex index_ =
        NamingIndex::Open({std::filesystem::path(NAMORI_SOURCE_DIR) / "assets" / "naming"});
    StrokeReference reference_;
};

TEST_F(ShippedNamingIndex, DefaultListsHoldRealSpellingsAndNaturalCompositionsRareOnesFollow) {
    for (const char* reading : {"はると", "あんな", "ゆい", "そうた", "さくら", "ひなた", "りく"}) {
        SCOPED_TRACE(reading);
        const std::u16string wanted = U16(reading);
        const auto ranked =
            JudgeAndRank(tables_, u"佐藤", GenerateCandidates(index_, wanted, SexFilter::Either),
                         false, reference_);
        ASSERT_GE(ranked.size(), 20u);
        for (std::size_t i = 0; i < 20; ++i) {
            const NameCandidate& candidate = ranked[i];
            SCOPED_TRACE(Utf16ToUtf8(candidate.spelling));
            EXPECT_TRUE(candidate.kind != CandidateKind::Composition ||
                        IsNaturalComposition(index_, candidate.spelling, wanted));
        }
        // --all: the same list, then only rare compositions.
        const auto all = JudgeAndRank(tables_, u"佐藤",
                                      GenerateCandidates(index_, wanted, SexFilter::Either, true),
                                      false, reference_);
        ASSERT_GT(all.size(), ranked.size());
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (i < ranked.size()) {
                ASSERT_EQ(all[i].spelling, ranked[i].spelling);
            } else {
                ASSERT_FALSE(all[i].natural);
                ASSERT_EQ(all[i].kind, CandidateKind::Composition);
            }
        }
    }
    const auto real = [this](std::u16string_view reading, SexFilter sex) {
        return Spellings(GenerateCandidates(index_, reading, sex), CandidateKind::RealName);
    };
    const auto haruto = real(u"はると", SexFilter::Either);
    for (std::u16string_view name : {u"陽翔", u"晴人"}) {
        EXPECT_NE(std::find(haruto.begin(), haruto.end(), name), haruto.end());
    }
    const auto anna = real(u"あんな", SexFilter::Either);
    EXPECT_NE(std::find(anna.begin(), anna.end(), u"杏奈"), anna.end());
    // Girls' names that are only given to girls stay out for boys.
    EXPECT_LT(real(u"あんな", SexFilter::Male).size(), anna.size());
}

// The surname's patterns against judgements of names written with the dictionary's kanji of
// those counts: every real two-kanji given name of the index's readings judges all favourable
// exactly when its counts are a pattern.
TEST_F(ShippedNamingIndex, LuckyPatternsAgreeWithJudgementsOfNamesBuiltFromThem) {
    const LuckyPatterns found = FindLuckyPatterns(tables_, u"佐藤", 2, false);
    ASSERT_TRUE(found.surnameProblem.ready());
    ASSERT_GT(found.patterns.size(), 10u);
    std::set<std::vector<std::int16_t>> patterns;
    for (const LuckyPattern& pattern : found.patterns) {
        patterns.insert(pattern.counts);
        // A name of the pattern's first example kanji judges as the pattern says.
        std::u16string name;
        for (std::int16_t count : pattern.counts) {
            const auto kanji = KanjiOfStrokes(tables_.dictionary, count);
            if (!kanji.empty()) {
                name.push_back(kanji.front());
            }
        }
        if (name.size() != pattern.counts.size()) {
            EXPECT_EQ(pattern.spellings, 0);
            continue;
        }
        SCOPED_TRACE(Utf16ToUtf8(name));
        const Judgement judged = Judge({u"佐藤", name}, tables_);
        ASSERT_TRUE(judged.ready());
        EXPECT_EQ(pattern.luck, LuckValues(judged.luck));
        for (Rating face : judged.faces) {
            EXPECT_EQ(face, Rating::Favourable);
        }
    }
    for (std::size_t i = 1; i < found.patterns.size(); ++i) {
        ASSERT_GE(found.patterns[i - 1].markScore, found.patterns[i].markScore);
    }
    // And the other way: names not built from the patterns.
    int favourable = 0;
    int judgedNames = 0;
    for (const char* reading : {"はると", "ゆい", "そうた", "ひなた", "あんな", "けんた"}) {
        for (const ListedName& real : index_.RealNamesOf(U16(reading))) {
            const Judgement judged = Judge({u"佐藤", real.spelling}, tables_);
            if (real.spelling.size() != 2 || !judged.ready()) {
                continue;
            }
            const auto& faces = judged.faces;
            const bool allFavourable = std::all_of(
                faces.begin(), faces.end(), [](Rating face) { return face == Rating::Favourable; });
            const std::vector<std::int16_t> counts{judged.name.strokeCounts[2],
                                                   judged.name.strokeCounts[3]};
            const bool inRange = counts[0] <= kMaxPatternStrokes && counts[1] <= kMaxPatternStrokes;
            EXPECT_EQ(allFavourable && inRange, patterns.count(counts) == 1)
                << Utf16ToUtf8(real.spelling);
            favourable += allFavourable;
            ++judgedNames;
        }
    }
    EXPECT_GT(judgedNames, 50);
    EXPECT_GT(favourable, 0);
    // A surname the dictionary lacks is refused with its characters named.
    const LuckyPatterns unknown = FindLuckyPatterns(tables_, u"鬱鬱", 1, false);
    EXPECT_FALSE(unknown.surnameProblem.ready());
    EXPECT_NE(unknown.surnameProblem.message.find(u"鬱"), std::u16string::npos);
}

// A missing, truncated, foreign or malformed index is reported with the file, the line and
// the problem in Japanese, never read past or crashed on.
TEST(NamingIndexFile, FaultsAreReportedAsDataFileErrors) {
    const std::string names = Cp932Lines("あんな,杏奈,f,9\nはると,陽翔,m,3\nはると,晴人,g,2\n");
    const std::string kanji = Cp932Lines("名前数,100\nと,人,n,40\nはる,晴,n,30\n");
    struct Row {
        const char* what;
        std::string names;
        std::string kanji;
        const char* reading;  // looked up after opening
        const char* message;  // part of the error; nullptr: none expected
    };
    const std::vector<Row> rows = {
        {"sound", names, kanji, "はると", nullptr},
        {"empty kanji index", names, "", "はると", "「漢字読み.txt」"},
        {"kanji index of its count line only", names, Cp932Lines("名前数,100\n"), "はると",
         "空です"},
        {"empty names index", "", kanji, "はると", "「名前読み.txt」の1行目: ファイルが空です"},
        {"names index of line ends only", "\r\n\r\n", kanji, "はると",
         "「名前読み.txt」の1行目: ファイルが空です"},
        {"names out of order", Cp932Lines("はると,陽翔,m,3\nあんな,杏奈,f,9\nはると,晴人,g,2\n"),
         kanji, "はると", "「名前読み.txt」の2行目: 読みの順"},
        {"no count line", names, Cp932Lines("と,人,n,40\n"), "はると", "名前数"},
        {"count line of no number", names, Cp932Lines("名前数,多い\n"), "はると", "名前数"},
        {"truncated in a line", names.substr(0, names.size() - 5), kanji, "はると",
         "「名前読み.txt」の3行目"},
        {"truncated in a character", names, kanji.substr(0, kanji.size() - 8), "はると",
         "漢字読み.txt"},
        {"garbage", std::string("\x81\xff\x00\x01zz\n\n\x82", 9), kanji, "はると", "名前読み.txt"},
        {"a line in the middle without its count",
         Cp932Lines("あんな,杏奈,f,9\nはると,陽翔,m\nはると,晴人,g,2\n"), kanji, "はると",
         "「名前読み.txt」の2行目"},
        {"a kanji line of five fields whose count is no number", names,
         Cp932Lines("名前数,100\nと,人,n,40\nはると,陽,c,多い,1\n"), "はると", "「漢字読み.txt」"},
        {"a line in the middle of too many fields",
         Cp932Lines("あんな,杏奈,f,9\nはると,陽翔,m,3,3\nはると,晴人,g,2\n"), kanji, "はると",
         "「名前読み.txt」の2行目"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        testing::TempFolder folder;
        folder.WriteBytes("名前読み.txt", row.names);
        folder.WriteBytes("漢字読み.txt", row.kanji);
        std::string message;
        std::size_t found = 0;
        try {
            const NamingIndex index = NamingIndex::Open({folder.path()});
            found =
                index.RealNamesOf(U16(row.reading)).size() + index.KanjiOf(U16(row.reading)).size();
        } catch (const DataFileError& error) {
            message = error.what();
        }
        if (row.message == nullptr) {
            EXPECT_EQ(message, "");
            EXPECT_EQ(found, 2u);
        } else {
            EXPECT_NE(message.find(row.message), std::string::npos) << message;
        }
    }
    testing::TempFolder empty;
    try {
        NamingIndex::Open({empty.path()});
        ADD_FAILURE() << "a missing index opened";
    } catch (const DataFileError& error) {
        EXPECT_NE(std::string(error.what()).find("ファイルが見つかりません"), std::string::npos);
    }
}

// Each index file is found on its own: a user's edited copy of one is read with the other.
TEST(NamingIndexFile, EachFileComesFromTheFirstFolderHoldingIt) {
    for (const bool namesEdited : {true, false}) {
        testing::TempFolder user, installed;
        installed.WriteBytes("名前読み.txt", Cp932Lines("はると,陽翔,m,3\n"));
        installed.WriteBytes("漢字読み.txt", Cp932Lines("名前数,100\nと,人,n,40\n"));
        user.WriteBytes(namesEdited ? "名前読み.txt" : "漢字読み.txt",
                        Cp932Lines(namesEdited ? "はると,晴翔,m,3\nはると,春翔,m,1\n"
                                               : "名前数,100\nと,斗,n,40\nと,登,n,9\n"));
        const NamingIndex index = NamingIndex::Open({user.path(), installed.path()});
        EXPECT_EQ(index.RealNamesOf(u"はると").size(), namesEdited ? 2u : 1u);
        EXPECT_EQ(index.KanjiOf(u"と").size(), namesEdited ? 1u : 2u);
    }
}

// Files rewritten in place while the index is open are never read half old and half new: the
// kanji index, read whole, answers as before; the names index, read where it lies, is refused.
TEST(NamingIndexFile, RewritingTheFilesWhileOpenChangesNothingRead) {
    testing::TempFolder folder;
    folder.WriteBytes("名前読み.txt", Cp932Lines("あんな,杏奈,f,9\nはると,陽翔,m,3\n"));
    folder.WriteBytes("漢字読み.txt", Cp932Lines("名前数,100\nと,人,n,40\n"));
    const NamingIndex index = NamingIndex::Open({folder.path()});
    folder.WriteBytes("名前読み.txt", "");
    folder.WriteBytes("漢字読み.txt", "");
    EXPECT_THROW(index.RealNamesOf(u"はると"), DataFileError);
    EXPECT_EQ(index.KanjiOf(u"と").size(), 1u);
}

}  // namespace
}  // namespace namori
