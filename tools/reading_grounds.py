"""The lines of the three by-kanji files make_naming_index.py writes beside the reading indexes.

漢字音訓.txt  kanji,kind,reading,names: the KANJIDIC2 readings of every 常用 and 人名用 kanji by
              kind (音 on, 訓 kun, 名乗り nanori), in hiragana; a kun reading is listed both
              whole without its "." (と.ぶ gives とぶ) and as its stem (と).  names is how many
              real given names write the reading with the kanji (0 when none was found to).
熟字訓.txt    spelling,reading,common: words of two or three name kanji that are read as a
              whole, not kanji by kanji: EDICT words and ENAMDICT place names (飛鳥 あすか)
              whose reading no cut into the kanji's on and kun readings gives; a place name
              only when it is also borne as a given name.  common is 1 for an
              EDICT word marked (P).
漢字別読み.txt kanji,reading,sex,weight: for each kanji, the readings of the real and popular
              given names that hold it, each sex's MAX_READINGS_PER_KANJI heaviest; weight is the
              names' commonness and ranking points, and SPELLING_WEIGHT for each spelling.

All three are sorted by the code page 932 bytes of their first field, so the program finds a
kanji's lines by binary search.
"""

import collections
import re

GROUND_ON, GROUND_KUN, GROUND_NANORI = "音", "訓", "名乗り"
MAX_READINGS_PER_KANJI = 40
# What each spelling adds to its reading's weight beside its commonness: ENAMDICT counts a
# spelling's entries, not its bearers, so a reading many spellings with the kanji share (陽翔,
# 悠翔, 晴翔 … for はると) is a reading the kanji is often given.
SPELLING_WEIGHT = 5
# The kanji alone as a name (翔 しょう, 凛 りん) is one spelling but the kanji's own name reading:
# it weighs as much as many spellings, so a search by the kanji always tries it.
ALONE_WEIGHT = 100
MAX_COMPOUND_LENGTH = 3

_EDICT_ENTRY = re.compile(r"(\S+) \[([^\]]*)\] /(.*)")
_VOICED = dict(zip("かきくけこさしすせそたちつてとはひふへほ", "がぎぐげござじずぜぞだぢづでどばびぶべぼ"))
_SEMI_VOICED = dict(zip("はひふへほ", "ぱぴぷぺぽ"))


def grounds_lines(readings, pairs, valid_reading, encode_cp932):
    """(kanji, kind, reading, names) for every reading of the kanji of readings
    ({kanji: (nanori, kun, on)}), sorted by kanji bytes, then kind and reading."""
    lines = set()
    for kanji, (nanori, kun, on) in readings.items():
        if encode_cp932(kanji) is None:
            continue
        found = []
        for raw in on:
            found.append((GROUND_ON, raw.strip("-")))
        for raw in kun:
            bare = raw.strip("-")
            found.append((GROUND_KUN, bare.replace(".", "")))
            found.append((GROUND_KUN, bare.split(".", 1)[0]))
        for raw in nanori:
            found.append((GROUND_NANORI, raw))
        for kind, raw in found:
            reading = valid_reading(raw)
            if reading:
                lines.add((kanji, kind, reading, pairs.get((reading, kanji), 0)))
    order = {GROUND_ON: 0, GROUND_KUN: 1, GROUND_NANORI: 2}
    return sorted(lines, key=lambda line: (encode_cp932(line[0]), order[line[1]], line[2]))


def _sound_forms(reading):
    """A reading as it sounds in a compound too: voiced at the start, a final つ/ち/く/き as っ."""
    forms = {reading}
    first = reading[0]
    for table in (_VOICED, _SEMI_VOICED):
        if first in table:
            forms.add(table[first] + reading[1:])
    if len(reading) > 1 and reading[-1] in "つちくき":
        forms |= {form[:-1] + "っ" for form in list(forms)}
    return forms


def _read_kanji_by_kanji(spelling, reading, own):
    """Whether reading cuts into one of each kanji's on or kun readings, in order."""
    if not spelling:
        return not reading
    for form in own.get(spelling[0], ()):
        if reading.startswith(form) and _read_kanji_by_kanji(spelling[1:], reading[len(form):],
                                                           own):
            return True
    return False


def compound_lines(edict_path, enamdict_entries, readings, lawful, valid_reading, to_hiragana,
                   encode_cp932):
    """(spelling, reading, common) of the words read as a whole; see the module description."""
    own = {}
    for kanji, (nanori, kun, on) in readings.items():
        forms = set()
        # Name readings are left out: many come from such words (飛 あす, 鳥 か of 飛鳥).
        for raw in [k.strip("-").split(".", 1)[0] for k in kun] + [o.strip("-") for o in on]:
            reading = to_hiragana(raw)
            if reading:
                forms |= _sound_forms(reading)
        own[kanji] = forms
    found = {}

    def consider(spelling, raw_reading, common):
        if not 2 <= len(spelling) <= MAX_COMPOUND_LENGTH or any(c not in lawful for c in spelling):
            return
        reading = valid_reading(raw_reading)
        if reading is None or encode_cp932(spelling) is None:
            return
        if _read_kanji_by_kanji(spelling, reading, own):
            return
        found[spelling, reading] = max(found.get((spelling, reading), 0), common)

    with open(edict_path, "rb") as stream:
        for raw in stream:
            try:
                match = _EDICT_ENTRY.match(raw.decode("euc_jp"))
            except UnicodeDecodeError:
                continue
            if match:
                common = 1 if "(P)" in match.group(3) else 0
                for reading in match.group(2).split(";"):
                    consider(match.group(1), reading.split("(")[0], common)
    for headword, reading, tags in enamdict_entries:
        if "p" in tags and tags & {"f", "m", "g"}:
            consider(headword, reading, 0)
    return sorted(((s, r, c) for (s, r), c in found.items()),
                  key=lambda line: (encode_cp932(line[0]), line[1]))


def names_by_kanji_lines(names, popular, lawful, encode_cp932):
    """(kanji, reading, sex, weight) from the given-name lines (reading, spelling, sex,
    commonness) and the popular names {(reading, spelling, sex): points}."""
    weights = collections.Counter()
    for reading, spelling, sex, commonness in names:
        for kanji in set(spelling) & lawful:
            weights[kanji, reading, sex] += commonness + (
                ALONE_WEIGHT if spelling == kanji else SPELLING_WEIGHT)
    for (reading, spelling, sex), points in popular.items():
        for kanji in set(spelling) & lawful:
            weights[kanji, reading, sex] += points
    kept = collections.defaultdict(list)
    for (kanji, reading, sex), weight in weights.items():
        kept[kanji, sex].append((kanji, reading, sex, weight))
    lines = []
    for group in kept.values():
        group.sort(key=lambda line: (-line[3], encode_cp932(line[1])))
        lines.extend(group[:MAX_READINGS_PER_KANJI])
    return sorted((line for line in lines if encode_cp932(line[0]) is not None),
                  key=lambda line: (encode_cp932(line[0]), -line[3], encode_cp932(line[1]),
                                    line[2]))
