#!/usr/bin/env python3
"""Build the reading indexes of the name-choosing aid.

Reads ENAMDICT (Japanese names) and KANJIDIC2 (kanji readings) as Debian
installs them and writes two code page 932 files with CR LF line ends, no
header line, and fields separated by commas:

  assets/naming/名前読み.txt   real given names by reading:
                               reading,spelling,sex,commonness
  assets/naming/漢字読み.txt   a first line 名前数,N, then the readings of the
                               常用 and 人名用 kanji with the number of real
                               given names that use each:
                               reading,kanji,kind,names,recent

It also writes 漢字音訓.txt, 熟字訓.txt and 漢字別読み.txt, the by-kanji files
described in reading_grounds.py (the second also from EDICT and ENAMDICT's place names).

No field ever holds a comma, a double quote or a blank, so none is quoted.
Both files are sorted by the code page 932 bytes of the reading, the order in
which the program looks a reading up by binary search.  The output depends
only on the input files: running the tool again gives the same bytes.

名前読み.txt
  - reading: the ENAMDICT reading in hiragana (katakana readings are turned
    into hiragana), 1 to MAX_READING_LENGTH kana of ぁ-ん and ー.  Readings
    with any other character are left out, among them those with ゔ, which
    code page 932 cannot hold;
  - spelling: the ENAMDICT headword, 1 to 3 characters, each a kanji, a kana,
    々 or 〆, and each held by code page 932;
  - a (reading, spelling) pair is listed when an entry with that headword and
    reading is tagged as a given name: f (female), m (male) or g (sex
    unknown).  ENAMDICT tags many recent given names only u (unclassified
    person name): 陽翔 read はると is one.  An entry tagged u and not s
    (surname) is listed too when its reading is read as a given name by some
    other entry, which keeps out the Chinese, Korean and foreign names that u
    also covers (see UNCLASSIFIED_AS_GIVEN);
  - sex: f or m when the pair's entries say only that, g when they say both
    or neither, or when one is tagged g (a given name of either sex).  The
    sex is a hint, not a wall: a one-kanji spelling of a reading that the
    rankings in tools/popular_readings.tsv list among the popular readings
    of the other sex is g too (空, read そら, is tagged f only, but そら is
    a popular boys' reading); so is one of one or two characters when the
    reading is popular for the other sex in the reading or the name
    rankings and none of its kanji leans to its tagged sex (旭, 朝日 あさひ;
    see neutral_sexes).  Longer spellings keep their tag: their added
    kanji often say the sex (陽姫 はるき, 亜麻衣 あおい);
  - commonness: how common the spelling is as a name, measured as the number
    of ENAMDICT entries, under any reading, whose headword is the spelling and
    that are tagged as a person's name (s, g, f, m or u).  A spelling that
    many people bear is listed under many readings;
  - lines are sorted by reading, then by falling commonness, then by spelling
    (code points);
  - every listed given name, also those --thin-readings-over leaves out, is
    aligned with its kanji's readings (see name_alignment.py), which gives
    the counts of the kanji index;
  - --thin-readings-over N makes the file smaller: a reading listed with more
    than N spellings keeps only those of commonness 2 or more.  By default
    every spelling is kept.

漢字読み.txt
  - kanji: KANJIDIC2 grades 1-6 and 8 (常用) and 9 and 10 (人名用) that code
    page 932 holds;
  - readings: the nanori (kind n) and the kun readings (kind k) in hiragana,
    and with --on-readings also the on readings (kind o, written only when
    the reading is neither a kun reading nor a nanori of the kanji).
    A kun reading loses its okurigana (the part from the "."); kun readings
    that start or end with "-" are prefixes and suffixes and are left out.
    Readings follow the same rules as above.  A reading a kanji has in
    several kinds is listed once: as k if it is a kun reading, else as n;
  - every other piece that real given names write with the kanji: an on
    reading as kind o, a form changed by rendaku, a small っ or a long vowel
    as kind c;
  - names: how many of the N aligned given names write the reading with the
    kanji (0 for a nanori or kun reading no name was found to use).  The
    program offers a composition by default only when each of its pieces is
    used by at least NATURAL_PAIR_MINIMUM names;
  - recent: in how many spellings of the name rankings (read as their main
    reading) the kanji stands for the reading (see naming_choices.
    ranked_writings).  Such a pair is listed even when neither KANJIDIC2 nor
    the name dictionary gives it (心 read こ in 心春), as kind c;
  - lines are sorted by reading, then by kanji (code points).
"""

import argparse
import collections
import re
import sys
import unicodedata
from pathlib import Path

from make_kanji_dictionary import (DEFAULT_ENAMDICT, DEFAULT_KANJIDIC, JINMEIYO_GRADES,
                                   JOYO_GRADES, NAME_LENGTHS, REPO_ROOT, encode_cp932,
                                   kanjidic_characters)
from name_alignment import Aligner, count_pairs, read_all_kanji_readings, to_hiragana
from naming_choices import (is_misread_word, kanji_leans, kanji_sex_counts, popular_kanji,
                            popular_names, popular_readings, ranked_spellings, ranked_writings,
                            read_lawful_kanji, read_ordinary_words, read_ranking, stated_readings)
from reading_grounds import compound_lines, grounds_lines, names_by_kanji_lines

DEFAULT_NAMES = REPO_ROOT / "assets" / "naming" / "名前読み.txt"
DEFAULT_KANJI = REPO_ROOT / "assets" / "naming" / "漢字読み.txt"
DEFAULT_LAWFUL = REPO_ROOT / "assets" / "naming" / "名前漢字.txt"
DEFAULT_POPULAR = REPO_ROOT / "assets" / "naming" / "人気名前.txt"
DEFAULT_WORDS = REPO_ROOT / "assets" / "naming" / "普通語読み.txt"
DEFAULT_GROUNDS = REPO_ROOT / "assets" / "naming" / "漢字音訓.txt"
DEFAULT_COMPOUNDS = REPO_ROOT / "assets" / "naming" / "熟字訓.txt"
DEFAULT_NAMES_BY_KANJI = REPO_ROOT / "assets" / "naming" / "漢字別読み.txt"
DEFAULT_POPULAR_NAMES = REPO_ROOT / "tools" / "popular_names.tsv"
DEFAULT_POPULAR_KANJI = REPO_ROOT / "tools" / "popular_kanji.tsv"
DEFAULT_POPULAR_READINGS = REPO_ROOT / "tools" / "popular_readings.tsv"
DEFAULT_EDICT = Path("/usr/share/edict/edict")
# Characters a given name may hold beside the lawful kanji and the kana.
LAWFUL_MARKS = set("ー々ゝゞヽヾ")

MAX_READING_LENGTH = 8
GIVEN_NAME_TAGS = {"f", "m", "g"}
OTHER_SEX = {"f": "m", "m": "f"}
PERSON_TAGS = {"s", "g", "f", "m", "u"}
UNCLASSIFIED_TAG = "u"
SURNAME_TAG = "s"
# Whether entries tagged only u count as given names when their reading is a
# given-name reading elsewhere (see the module description).
UNCLASSIFIED_AS_GIVEN = True

NANORI, KUN, ON, CHANGED = "n", "k", "o", "c"
# A pair used by at least this many real given names can count as natural; the program uses the
# same number (kNaturalPairMinimum) and also asks for a share of the piece's writings
# (kNaturalPairShare), which it computes from the counts written here.
NATURAL_PAIR_MINIMUM = 5
# First field of the kanji index's first line, which gives the number of given names aligned.
ALIGNED_NAMES_LABEL = "名前数"

_READING = re.compile(r"[ぁ-んー]{1,%d}" % MAX_READING_LENGTH)
_EXTRA_SPELLING_CHARACTERS = set("々〆")
_ENTRY = re.compile(r"(\S+) (?:\[([^\]]*)\] )?/(.*)")
_TAG_GROUP = re.compile(r"/\(([a-z]+(?:,[a-z]+)*)\)")


def valid_reading(reading):
    """A reading in the form both files use, or None.

    Katakana become hiragana; anything outside ぁ-ん and ー, or a reading
    that is empty or longer than MAX_READING_LENGTH, gives None."""
    reading = to_hiragana(reading)
    return reading if _READING.fullmatch(reading) else None


def reading_key(reading):
    """Readings sort by their code page 932 bytes, the order the program's binary search uses."""
    return encode_cp932(reading)


def valid_spelling(spelling):
    if len(spelling) not in NAME_LENGTHS or encode_cp932(spelling) is None:
        return False
    for ch in spelling:
        name = unicodedata.name(ch, "")
        if not (name.startswith(("CJK UNIFIED IDEOGRAPH", "CJK COMPATIBILITY IDEOGRAPH",
                                 "HIRAGANA", "KATAKANA"))
                or ch in _EXTRA_SPELLING_CHARACTERS):
            return False
    return True


def read_enamdict(path):
    """Return (headword, reading, set of tags) for every ENAMDICT entry.

    An entry without a bracketed reading is written in kana and is read as
    written.  Tags are those of the parenthesised groups that open a gloss.
    Lines that are not valid EUC-JP are skipped and counted in the returned
    counter under "undecodable"."""
    problems = collections.Counter()
    entries = []
    with open(path, "rb") as stream:
        for raw in stream:
            try:
                line = raw.decode("euc_jp").rstrip("\r\n")
            except UnicodeDecodeError:
                problems["undecodable"] += 1
                continue
            match = _ENTRY.match(line)
            if not match:
                problems["unparsed"] += 1
                continue
            headword, reading, glosses = match.groups()
            tags = set()
            for group in _TAG_GROUP.findall("/" + glosses):
                tags.update(group.split(","))
            entries.append((headword, reading or headword, tags))
    return entries, problems


def given_names(entries, unclassified_as_given=UNCLASSIFIED_AS_GIVEN, popular_readings=()):
    """The lines of the given-name index as (reading, spelling, sex, commonness).

    popular_readings holds (reading, sex "m"/"f") pairs of the readings rankings.
    Also returns a counter of the entries left out, by reason."""
    commonness = collections.Counter(h for h, _, tags in entries if tags & PERSON_TAGS)
    # A spelling that real names of both sexes use (under any reading) is no sex's alone.
    spelling_sexes = collections.defaultdict(set)
    for headword, _, tags in entries:
        spelling_sexes[headword] |= tags & {"f", "m"}
    given_readings = {to_hiragana(r) for _, r, tags in entries if tags & GIVEN_NAME_TAGS}
    sexes = collections.defaultdict(set)
    left_out = collections.Counter()
    for headword, raw_reading, tags in entries:
        if tags & GIVEN_NAME_TAGS:
            pair_sexes = tags & GIVEN_NAME_TAGS
        elif (unclassified_as_given and UNCLASSIFIED_TAG in tags
              and SURNAME_TAG not in tags and to_hiragana(raw_reading) in given_readings):
            pair_sexes = {UNCLASSIFIED_TAG}
        else:
            continue
        reading = valid_reading(raw_reading)
        if reading is None:
            left_out["reading not 1-%d kana of ぁ-ん and ー" % MAX_READING_LENGTH] += 1
            continue
        if not valid_spelling(headword):
            left_out["spelling not 1-3 kanji or kana in code page 932"] += 1
            continue
        sexes[reading, headword] |= pair_sexes
    lines = []
    for (reading, spelling), seen in sexes.items():
        definite = seen - {"g", UNCLASSIFIED_TAG}
        sex = definite.pop() if (len(definite) == 1 and "g" not in seen
                                 and len(spelling_sexes[spelling]) < 2) else "g"
        if sex != "g" and len(spelling) == 1 and (reading, OTHER_SEX[sex]) in popular_readings:
            sex = "g"
        lines.append((reading, spelling, sex, commonness[spelling]))
    lines.sort(key=lambda line: (reading_key(line[0]), -line[3], line[1]))
    return lines, left_out


def offered_names(lines, aligner, lawful_spelling, words, popular):
    """The given names worth offering: lawful and not an ordinary word read otherwise; a
    popular spelling always.  A name not read as its kanji are read (see name_alignment) is
    kept too, so that every real name can be found; the program bands it まれ.  Also returns
    a counter of the names left out (or kept so), by reason."""
    kept = []
    left_out = collections.Counter()
    for line in lines:
        reading, spelling = line[0], line[1]
        if not lawful_spelling(spelling):
            left_out["a character the law does not allow in a given name"] += 1
        elif (reading, spelling) in popular:
            kept.append(line)
        elif aligner.align(spelling, reading) is None:
            # Kept all the same: a real name must be reachable (湊人 みなと); the program lists a
            # spelling it cannot split into its kanji's readings among the rare ones.
            left_out["not read as its kanji are read (kept, listed as rare)"] += 1
            kept.append(line)
        elif is_misread_word(spelling, reading, words):
            left_out["an ordinary word read otherwise"] += 1
        else:
            kept.append(line)
    return kept, left_out


def neutral_sexes(lines, other_sex_readings, leans):
    """The lines with the sex of a one- or two-character spelling set to g when its reading is
    popular (in the reading or the name rankings) for the other sex and none of its kanji leans
    to the sex it is tagged with: 旭 and 朝日 あさひ are tagged f only, but 朝陽 あさひ is a
    popular boys' name and neither 旭, 朝 nor 日 is a girls' kanji."""
    result = []
    for line in lines:
        reading, spelling, sex = line[0], line[1], line[2]
        if (sex != "g" and len(spelling) <= 2 and (reading, OTHER_SEX[sex]) in other_sex_readings
                and not any(leans.get(c) == sex for c in spelling)):
            line = (reading, spelling, "g") + tuple(line[3:])
        result.append(line)
    return result


def ranked_elsewhere(lines, ranked, stated, popular):
    """{(reading, spelling, sex): 0} for the real names whose spelling some ranking lists (for
    any year or rank) and that the rankings do not list for this reading: a parent meets such a
    spelling often, so the program never bands it below よくある (颯太 そうた).

    stated holds the readings the rankings give for a spelling.  A reading they do not give for a
    spelling whose readings they do give is no reading of the ranked name: 藍 is ranked as らん,
    so 藍 あおい is a real name like any other."""
    listed = {}
    for line in lines:
        reading, spelling = line[0], line[1]
        if stated.get(spelling) and reading not in stated[spelling]:
            continue
        for sex in sorted(ranked.get(spelling, ())):
            if (reading, spelling, sex) not in popular:
                listed[reading, spelling, sex] = 0
    return listed


def thin_rare_spellings(lines, most):
    """Drop the spellings of commonness 1 of readings with more than most spellings."""
    spellings = collections.Counter(line[0] for line in lines)
    return [line for line in lines if line[3] > 1 or spellings[line[0]] <= most]


def read_kanji_readings(path):
    """Map every 常用 and 人名用 KANJIDIC2 literal to its nanori, kun and on readings.

    Returns ({kanji: (nanori list, kun list, on list)}, header fields)."""
    readings = {}
    header = {}
    for literal, grade, element in kanjidic_characters(path, header):
        if literal and grade in JOYO_GRADES | JINMEIYO_GRADES:
            nanori = [n.text for n in element.iter("nanori") if n.text]
            kun = [r.text for r in element.iter("reading") if r.get("r_type") == "ja_kun" and r.text]
            on = [r.text for r in element.iter("reading") if r.get("r_type") == "ja_on" and r.text]
            readings[literal] = (nanori, kun, on)
    return readings, header


def kun_stem(kun):
    """A kun reading without its okurigana, or None for a prefix or suffix."""
    if kun.startswith("-") or kun.endswith("-"):
        return None
    return kun.split(".", 1)[0]


def kanji_readings(readings, pairs, with_on=False, recent=None):
    """The lines of the kanji index as (reading, kanji, kind, names, recent).

    pairs counts the real given names that write a reading with a kanji
    (see name_alignment).  Every nanori and kun reading is listed, and every
    other reading that real names use: an on reading as kind o, a form
    changed by a sound change (rendaku, small っ, long vowel) as kind c.
    recent counts the ranked spellings that write a reading with a kanji; a pair only they use
    is listed too.  Also returns the kanji left out because code page 932 cannot hold them."""
    kinds = {}
    skipped = []
    for kanji, (nanori, kun, on) in readings.items():
        if encode_cp932(kanji) is None:
            skipped.append(kanji)
            continue
        # On readings are marked like kun readings that start or end with "-".
        for raw in on if with_on else ():
            reading = valid_reading(raw) if raw.strip("-") == raw else None
            if reading:
                kinds.setdefault((reading, kanji), ON)
        for raw in nanori:
            reading = valid_reading(raw)
            if reading and kinds.get((reading, kanji)) != KUN:
                kinds[reading, kanji] = NANORI
        for raw in kun:
            stem = kun_stem(raw)
            reading = valid_reading(stem) if stem else None
            if reading:
                kinds[reading, kanji] = KUN
    recent = recent or {}
    for (piece, kanji) in list(pairs) + list(recent):
        reading = valid_reading(piece)
        if reading and (reading, kanji) not in kinds and kanji in readings \
                and encode_cp932(kanji) is not None:
            on = {to_hiragana(raw) for raw in readings[kanji][2]}
            kinds[reading, kanji] = ON if reading in on else CHANGED
    lines = sorted(((reading, kanji, kind, pairs.get((reading, kanji), 0),
                     recent.get((reading, kanji), 0))
                    for (reading, kanji), kind in kinds.items()),
                   key=lambda line: (reading_key(line[0]), line[1]))
    return lines, sorted(skipped)


def write_lines(path, lines):
    """Write comma-separated lines in code page 932 with CR LF; returns the size."""
    data = b"".join(encode_cp932(",".join(str(field) for field in line) + "\r\n")
                    for line in lines)
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)
    return len(data)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--kanjidic", type=Path, default=DEFAULT_KANJIDIC,
                        help="KANJIDIC2 XML, gzipped (default: %(default)s)")
    parser.add_argument("--enamdict", type=Path, default=DEFAULT_ENAMDICT,
                        help="ENAMDICT in EUC-JP (default: %(default)s)")
    parser.add_argument("--names", type=Path, default=DEFAULT_NAMES,
                        help="given-name index to write (default: %(default)s)")
    parser.add_argument("--kanji", type=Path, default=DEFAULT_KANJI,
                        help="kanji reading index to write (default: %(default)s)")
    parser.add_argument("--edict", type=Path, default=DEFAULT_EDICT,
                        help="EDICT in EUC-JP, for the ordinary-word check (default: %(default)s)")
    parser.add_argument("--popular-names", type=Path, default=DEFAULT_POPULAR_NAMES,
                        help="given-name rankings (default: %(default)s)")
    parser.add_argument("--popular-kanji", type=Path, default=DEFAULT_POPULAR_KANJI,
                        help="kanji rankings (default: %(default)s)")
    parser.add_argument("--popular-readings", type=Path, default=DEFAULT_POPULAR_READINGS,
                        help="reading rankings (default: %(default)s)")
    parser.add_argument("--lawful", type=Path, default=DEFAULT_LAWFUL,
                        help="lawful name kanji to write (default: %(default)s)")
    parser.add_argument("--popular", type=Path, default=DEFAULT_POPULAR,
                        help="popular given names to write (default: %(default)s)")
    parser.add_argument("--words", type=Path, default=DEFAULT_WORDS,
                        help="ordinary words to write (default: %(default)s)")
    parser.add_argument("--grounds", type=Path, default=DEFAULT_GROUNDS,
                        help="kanji readings by kind to write (default: %(default)s)")
    parser.add_argument("--compounds", type=Path, default=DEFAULT_COMPOUNDS,
                        help="words read as a whole to write (default: %(default)s)")
    parser.add_argument("--names-by-kanji", type=Path, default=DEFAULT_NAMES_BY_KANJI,
                        help="readings of the names holding each kanji to write "
                             "(default: %(default)s)")
    parser.add_argument("--tagged-given-names-only", action="store_true",
                        help="list only entries tagged f, m or g, none tagged only u")
    parser.add_argument("--thin-readings-over", type=int, metavar="N",
                        help="for readings with more than N spellings, list only "
                             "spellings of commonness 2 or more")
    parser.add_argument("--on-readings", action="store_true",
                        help="list the on readings of the kanji too, as kind o")
    args = parser.parse_args(argv)
    if args.thin_readings_over is not None and args.thin_readings_over < 1:
        parser.error("--thin-readings-over must be at least 1")

    entries, problems = read_enamdict(args.enamdict)
    names, names_left_out = given_names(
        entries, not args.tagged_given_names_only,
        popular_readings(read_ranking(args.popular_readings), valid_reading))
    readings, header = read_kanji_readings(args.kanjidic)
    # Every real given name is aligned, also those --thin-readings-over leaves out of the file.
    aligner = Aligner(read_all_kanji_readings(args.kanjidic))
    pairs, aligned, unaligned, examples = count_pairs(
        [(line[0], line[1]) for line in names], aligner, set(readings))
    lawful = read_lawful_kanji(args.kanjidic)

    def lawful_spelling(spelling):
        return valid_spelling(spelling) and all(
            c in lawful or c in LAWFUL_MARKS or "ぁ" <= to_hiragana(c) <= "ゖ" for c in spelling)

    ranking_rows = read_ranking(args.popular_names)
    popular, popular_left_out = popular_names(ranking_rows, valid_reading, lawful_spelling)
    leans = kanji_leans(kanji_sex_counts(names))
    readings_by_sex = popular_readings(read_ranking(args.popular_readings), valid_reading)
    readings_by_sex |= {(reading, sex) for reading, _, sex in popular}
    names = neutral_sexes(names, readings_by_sex, leans)
    popular.update(ranked_elsewhere([line for line in names if lawful_spelling(line[1])],
                                    ranked_spellings(ranking_rows),
                                    stated_readings(ranking_rows, valid_reading), popular))
    popular_spellings = {(reading, spelling) for reading, spelling, _ in popular}
    words = read_ordinary_words(args.edict, to_hiragana)
    names, offered_left_out = offered_names(names, aligner, lawful_spelling, words,
                                            popular_spellings)
    if args.thin_readings_over is not None:
        names = thin_rare_spellings(names, args.thin_readings_over)
    names_size = write_lines(args.names, names)
    recent_writings = ranked_writings(ranking_rows, aligner, valid_reading, set(readings))
    kanji, kanji_skipped = kanji_readings(readings, pairs, args.on_readings, recent_writings)
    kanji_size = write_lines(args.kanji, [(ALIGNED_NAMES_LABEL, aligned)] + kanji)
    names_of_kanji = collections.Counter()
    for (_, character), count in pairs.items():
        names_of_kanji[character] += count
    kanji_points = popular_kanji(read_ranking(args.popular_kanji))
    recent = collections.defaultdict(collections.Counter)
    for spelling, sexes in ranked_spellings(ranking_rows).items():
        for c in set(spelling):
            for sex in sexes:
                recent[c][sex] += 1
    lawful_lines = sorted(((k, kind, names_of_kanji[k], kanji_points[k], leans.get(k, "g"),
                            recent[k]["f"], recent[k]["m"])
                           for k, kind in lawful.items() if encode_cp932(k) is not None),
                          key=lambda line: reading_key(line[0]))
    lawful_size = write_lines(args.lawful, lawful_lines)
    popular_lines = sorted(((r, s, sex, n) for (r, s, sex), n in popular.items()),
                           key=lambda line: (reading_key(line[0]), -line[3], line[1], line[2]))
    popular_size = write_lines(args.popular, popular_lines)
    word_lines = sorted(((w, r, len(rs)) for w, rs in words.items() for r in sorted(rs)
                         if valid_reading(r) and encode_cp932(w) is not None),
                        key=lambda line: (reading_key(line[0]), line[1]))
    words_size = write_lines(args.words, word_lines)
    ground_lines = grounds_lines(readings, pairs, valid_reading, encode_cp932)
    grounds_size = write_lines(args.grounds, ground_lines)
    compounds = compound_lines(args.edict, entries, readings, lawful, valid_reading, to_hiragana,
                               encode_cp932)
    compounds_size = write_lines(args.compounds, compounds)
    by_kanji = names_by_kanji_lines(names, popular, set(lawful), encode_cp932)
    by_kanji_size = write_lines(args.names_by_kanji, by_kanji)

    print("ENAMDICT: %d entries%s; KANJIDIC2 %s (%s): %d 常用 and 人名用 kanji"
          % (len(entries),
             "".join(", %d lines skipped (%s)" % (n, why) for why, n in sorted(problems.items())),
             header.get("database_version", "?"), header.get("date_of_creation", "?"),
             len(readings)))
    sexes = collections.Counter(line[2] for line in names)
    print("%s: %d lines, %d readings, %d spellings, %d bytes (f %d, m %d, g %d)"
          % (args.names, len(names), len({line[0] for line in names}),
             len({line[1] for line in names}), names_size, sexes["f"], sexes["m"], sexes["g"]))
    for why, n in sorted(names_left_out.items()):
        print("  entries left out, %s: %d" % (why, n))
    kinds = collections.Counter(line[2] for line in kanji)
    print("%s: %d lines, %d readings, %d kanji, %d bytes (nanori %d, kun %d, on %d, "
          "changed sound %d)"
          % (args.kanji, len(kanji) + 1, len({line[0] for line in kanji}),
             len({line[1] for line in kanji}), kanji_size, kinds[NANORI], kinds[KUN],
             kinds[ON], kinds[CHANGED]))
    print("  given names aligned: %d of %d; not aligned: %s"
          % (aligned, aligned + sum(unaligned.values()),
             ", ".join("%d (%s)" % (n, why) for why, n in sorted(unaligned.items()))))
    print("    e.g. %s" % "; ".join(examples))
    used = [line for line in kanji if line[3] > 0]
    print("  pairs used by real names: %d (%d by %d or more names)"
          % (len(used), sum(1 for line in used if line[3] >= NATURAL_PAIR_MINIMUM),
             NATURAL_PAIR_MINIMUM))
    print("  pairs of ranked spellings: %d (%d not used by the name dictionary's names)"
          % (sum(1 for line in kanji if line[4] > 0),
             sum(1 for line in kanji if line[4] > 0 and line[3] == 0)))
    print("  kanji not in code page 932: %s" % ("".join(kanji_skipped) or "none"))
    for why, n in sorted(offered_left_out.items()):
        print("  given names not offered, %s: %d" % (why, n))
    print("%s: %d lawful kanji, %d bytes" % (args.lawful, len(lawful_lines), lawful_size))
    print("%s: %d popular names, %d bytes; rows left out: %s"
          % (args.popular, len(popular_lines), popular_size,
             ", ".join("%d (%s)" % (n, why) for why, n in sorted(popular_left_out.items()))))
    print("%s: %d lines, %d bytes" % (args.words, len(word_lines), words_size))
    for path, lines, size in ((args.grounds, ground_lines, grounds_size),
                              (args.compounds, compounds, compounds_size),
                              (args.names_by_kanji, by_kanji, by_kanji_size)):
        print("%s: %d lines, %d bytes" % (path, len(lines), size))
    return 0


if __name__ == "__main__":
    sys.exit(main())
