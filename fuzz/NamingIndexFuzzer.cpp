// Arbitrary bytes as the two index files of the name-choosing aid: the real-name index, then
// (after the bytes FF FE, which code page 932 never holds) the kanji index. Opening either
// succeeds or throws DataFileError; so does every lookup, which never reads outside the file.
// The candidates of a lookup are each spelled once, non-empty, of one to three characters for
// compositions, with a naturalness between 0 and 1.

#include <cstdint>
#include <set>
#include <string>

#include "FuzzSupport.h"
#include "data/DataFileError.h"
#include "naming/NameCandidates.h"
#include "naming/NamingIndex.h"

namespace {

using namespace namori;
using fuzzing::Require;

constexpr std::u16string_view kReadings[] = {u"はると", u"あ",     u"と",
                                             u"はる",   u"ゆうー", u"あんな"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzzing::BytesOf(data, size);
    const std::size_t split = bytes.find("\xff\xfe");
    const std::string names(bytes.substr(0, split));
    const std::string kanji = split == std::string_view::npos
                                  // 名前数,10 and と,人,n,1: an empty index is refused
                                  ? std::string(
                                        "\x96\xbc\x91\x4f\x90\x94,10\r\n"
                                        "\x82\xc6,\x90\x6c,n,1\r\n",
                                        22)
                                  : std::string(bytes.substr(split + 2));
    try {
        const NamingIndex index = NamingIndex::FromBytes(names, kanji);
        Require(index.alignedNames() >= 1, "an index opened without names to count from");
        for (std::u16string_view reading : kReadings) {
            try {
                std::set<std::u16string> seen;
                for (const NameCandidate& candidate :
                     GenerateCandidates(index, reading, SexFilter::Either, true)) {
                    Require(seen.insert(candidate.spelling).second, "a spelling listed twice");
                    Require(candidate.naturalness >= 0 && candidate.naturalness <= 1,
                            "a naturalness outside 0..1");
                    Require(candidate.kind != CandidateKind::Composition ||
                                (candidate.spelling.size() >= 1 && candidate.spelling.size() <= 3),
                            "a composition of no or more than three kanji");
                }
            } catch (const DataFileError&) {
                // A malformed line met by this lookup; the next may still be answered.
            }
        }
    } catch (const DataFileError&) {
        // Refused when opened.
    }
    return 0;
}
