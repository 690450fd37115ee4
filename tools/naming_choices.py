"""What the name-choosing aid needs beside the reading indexes.

  - the kanji the law allows in a child's given name: KANJIDIC2 grades 1-6
    and 8 (常用漢字) and 9-10 (人名用漢字);
  - the popular given names, readings and kanji, from the rankings in
    tools/popular_names.tsv, tools/popular_readings.tsv and
    tools/popular_kanji.tsv (tab-separated, a header line, "#" lines naming
    each source; see README "人気の名前");
  - the ordinary words of EDICT (common words, marked (P)) of one to three
    kanji, with their readings: a name of two or more kanji spelled like such
    a word but read otherwise (玄人 as はると) is not offered unless it is
    popular; a one-kanji word (六 read りく) only weighs against a composition.

A rank r of a ranking gives max(1, RANK_POINTS - r) points; a name's or a
kanji's popularity is the sum over every ranking (survey and year) it is in.
A source id ending in "H" is a half-year ranking, not an annual one, and is
left out.
"""

import collections
import re

from make_kanji_dictionary import JINMEIYO_GRADES, JOYO_GRADES, kanjidic_characters

RANK_POINTS = 101
SEXES = {"男": "m", "女": "f"}
_EDICT_ENTRY = re.compile(r"(\S+) \[([^\]]*)\] /(.*)")
_KANJI = re.compile(r"[\u3400-\u9fff\uf900-\ufaff]+")


def read_lawful_kanji(kanjidic):
    """{kanji: "常用" or "人名用"} from the KANJIDIC2 grade field."""
    lawful = {}
    for literal, grade, _ in kanjidic_characters(kanjidic):
        if literal and grade in JOYO_GRADES:
            lawful[literal] = "常用"
        elif literal and grade in JINMEIYO_GRADES:
            lawful[literal] = "人名用"
    return lawful


def read_ranking(path):
    """The rows of a ranking file as dicts by its header's field names; "#" lines are skipped."""
    rows = []
    header = None
    with open(path, encoding="utf-8") as stream:
        for number, line in enumerate(stream, 1):
            line = line.rstrip("\r\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if header is None:
                header = fields
                continue
            if len(fields) != len(header):
                raise ValueError("%s:%d: %d fields, expected %d" % (path, number, len(fields),
                                                                    len(header)))
            rows.append(dict(zip(header, fields)))
    return rows


def annual(row):
    return not row["source"].endswith("H")


def points(rank):
    return max(1, RANK_POINTS - int(rank))


def popular_names(rows, valid_reading, valid_spelling):
    """{(reading, spelling, sex "m"/"f"): points}, and a counter of the rows left out by reason.

    A ranking row ranks the spelling for its main reading only: the first reading a report gives
    for a name (the first of its rows of one source and rank). A further reading it lists is in
    the result with 0 points unless another row ranks the spelling for it: a parent meets the
    spelling so, but it is not what the rank counts (葵 is ranked for あおい, not for めい)."""
    scores = collections.Counter()
    left_out = collections.Counter()
    previous = None
    for row in rows:
        reading = valid_reading(row["reading"]) if row["reading"] else None
        group = (row["spelling"], row["sex"], row["source"], row["rank"])
        main = group != previous
        previous = group
        if not annual(row):
            left_out["half-year ranking"] += 1
        elif reading is None:
            left_out["no reading given"] += 1
        elif not valid_spelling(row["spelling"]):
            left_out["spelling not lawful, or not 1-3 characters"] += 1
        elif row["sex"] not in SEXES:
            left_out["sex not 男 or 女"] += 1
        else:
            scores[reading, row["spelling"], SEXES[row["sex"]]] += points(row["rank"]) if main else 0
    return scores, left_out


def align_with_one_free_piece(aligner, spelling, reading):
    """The pieces of reading, one per character of spelling, where one character may read any
    piece the others leave (陽葵 ひまり: 陽=ひ, 葵=まり), or None."""
    pieces = aligner.align(spelling, reading)
    if pieces is not None or len(spelling) < 2:
        return pieces
    for free in range(len(spelling)):
        for start in range(len(reading)):
            for end in range(start + 1, len(reading) + 1):
                before = aligner.align(spelling[:free], reading[:start]) if free else (
                    [] if start == 0 else None)
                after = aligner.align(spelling[free + 1:], reading[end:]) \
                    if free + 1 < len(spelling) else ([] if end == len(reading) else None)
                if before is not None and after is not None:
                    return list(before) + [reading[start:end]] + list(after)
    return None


def ranked_writings(rows, aligner, valid_reading, kanji):
    """{(piece, kanji): n}: in how many spellings of the name rankings, each read as its main
    reading, kanji stands for piece. A one-kanji name reads the whole reading (碧 あおい); a
    longer one is split into its kanji's readings, one kanji reading whatever the others leave
    (心春 こはる: 心=こ). These are the readings parents write today, which the name dictionary,
    of older names, often lacks."""
    names = set()
    previous = None
    for row in rows:
        group = (row["spelling"], row["sex"], row["source"], row["rank"])
        main = group != previous
        previous = group
        reading = valid_reading(row["reading"]) if row["reading"] else None
        if main and reading and annual(row):
            names.add((reading, row["spelling"]))
    writings = collections.Counter()
    for reading, spelling in sorted(names):
        pieces = [reading] if len(spelling) == 1 else align_with_one_free_piece(
            aligner, spelling, reading)
        for character, piece in zip(spelling, pieces or ()):
            if character in kanji:
                writings[piece, character] += 1
    return writings


def ranked_spellings(rows):
    """{spelling: set of sexes "m"/"f"} of every ranking row, whatever its reading, year or rank."""
    sexes = collections.defaultdict(set)
    for row in rows:
        if row["sex"] in SEXES:
            sexes[row["spelling"]].add(SEXES[row["sex"]])
    return sexes


def stated_readings(rows, valid_reading):
    """{spelling: set of readings} that the ranking rows give, main or further, any year."""
    readings = collections.defaultdict(set)
    for row in rows:
        reading = valid_reading(row["reading"]) if row["reading"] else None
        if reading is not None:
            readings[row["spelling"]].add(reading)
    return readings


def kanji_sex_counts(lines):
    """{kanji: Counter of sexes "f"/"m"} over the given-name lines (reading, spelling, sex, ...)
    given to one sex."""
    counts = collections.defaultdict(collections.Counter)
    for line in lines:
        if line[2] in ("f", "m"):
            for c in set(line[1]):
                if _KANJI.fullmatch(c):
                    counts[c][line[2]] += 1
    return counts


# A kanji leans to one sex when the share of that sex's names using it is at least this many
# times the share of the other sex's: 雄, 男, 夫 and 治 to boys. The name dictionary tags far
# more girls' names than boys', and many of today's boys' kanji (陽, 颯, 海) turn up mostly in its
# girls' entries, so a lean to girls needs a far larger ratio (妃, 姫, 子, 美, 紗).
LEAN_TO_BOYS = 4
LEAN_TO_GIRLS = 20
LEAN_MINIMUM = 20


def kanji_leans(counts):
    """{kanji: "f" or "m"} of the kanji that lean to one sex, from kanji_sex_counts."""
    totals = collections.Counter()
    for kanji_counts in counts.values():
        totals.update(kanji_counts)
    leans = {}
    for kanji, kanji_counts in counts.items():
        share = {sex: kanji_counts[sex] / max(totals[sex], 1) for sex in ("f", "m")}
        if kanji_counts["m"] >= LEAN_MINIMUM and share["m"] >= LEAN_TO_BOYS * share["f"]:
            leans[kanji] = "m"
        elif kanji_counts["f"] >= LEAN_MINIMUM and share["f"] >= LEAN_TO_GIRLS * share["m"]:
            leans[kanji] = "f"
    return leans


def popular_readings(rows, valid_reading):
    """{(reading, sex "m"/"f")} of the readings of the annual rankings."""
    return {(valid_reading(row["reading"]), SEXES[row["sex"]]) for row in rows
            if annual(row) and valid_reading(row["reading"]) and row["sex"] in SEXES}


def popular_kanji(rows):
    """{kanji: points} over both sexes."""
    scores = collections.Counter()
    for row in rows:
        if annual(row):
            scores[row["kanji"]] += points(row["rank"])
    return scores


def read_ordinary_words(edict, to_hiragana):
    """{spelling: set of readings} for the common EDICT words of one to three kanji."""
    words = collections.defaultdict(set)
    with open(edict, "rb") as stream:
        for raw in stream:
            try:
                line = raw.decode("euc_jp")
            except UnicodeDecodeError:
                continue
            match = _EDICT_ENTRY.match(line)
            if not match or "(P)" not in match.group(3):
                continue
            headwords = [h.split("(")[0] for h in match.group(1).split(";")]
            readings = [to_hiragana(r.split("(")[0]) for r in match.group(2).split(";")]
            for headword in headwords:
                if len(headword) in (1, 2, 3) and _KANJI.fullmatch(headword):
                    words[headword].update(readings)
    return words


def is_misread_word(spelling, reading, words):
    """Whether spelling, of two or more kanji, is an ordinary word that is not read as reading.

    A single kanji is left alone: names read it by its nanori (陽 as はる), which a dictionary of
    words does not give."""
    readings = words.get(spelling) if len(spelling) > 1 else None
    return bool(readings) and reading not in readings
