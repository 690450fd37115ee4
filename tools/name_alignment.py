"""Which kanji real given names write which piece of their reading with.

Each given name (spelling, reading) is cut into one piece of the reading per
character of the spelling:

  - a kanji takes one of its KANJIDIC2 readings: a nanori, a kun reading
    (without okurigana, with it, and as the noun form of a verb, めぐ.む →
    めぐみ) or an on reading in hiragana;
  - a piece may show the sound changes of names: rendaku on a piece that is
    not the first (か→が, さ→ざ, た→だ, ち→ぢ/じ, つ→づ/ず, は→ば/ぱ), a small っ
    for a final ち, つ, く or き before the next piece (一 いち → いっ in いっき),
    and a long vowel (こ → こう, ゆう → ゆ, ゆ → ゆー);
  - a kana is read as itself (katakana as the hiragana), 々 as the character
    before it (with rendaku: 時々 ときどき).

Among all cuts the one with the fewest sound changes wins, then the one with
the fewest on readings, then the first in the order of shorter pieces first,
so the result depends only on the input.
"""

import collections
import functools

from make_kanji_dictionary import kanjidic_characters

_KATAKANA_TO_HIRAGANA = {code: code - 0x60 for code in range(ord("ァ"), ord("ヶ") + 1)}

NANORI, KUN, ON = "n", "k", "o"
KIND_COST = {NANORI: 0, KUN: 0, ON: 1}  # on readings are the second choice

_RENDAKU = {}
for _plain, _voiced in zip("かきくけこさしすせそたちつてとはひふへほ",
                           "がぎぐげござじずぜぞだぢづでどばびぶべぼ"):
    _RENDAKU[_plain] = [_voiced]
for _plain, _half in zip("はひふへほ", "ぱぴぷぺぽ"):
    _RENDAKU[_plain].append(_half)
_RENDAKU["ち"].append("じ")
_RENDAKU["つ"].append("ず")
_SOKUON_ENDS = set("ちつくき")
_O_ROW = set("おこごそぞとどのほぼぽもよょろを")
_U_ROW = set("うくぐすずつづぬふぶぷむゆゅる")
_NOUN_FORM = dict(zip("うくぐすつぬぶむる", "いきぎしちにびみり"))


def to_hiragana(text):
    return text.translate(_KATAKANA_TO_HIRAGANA)


def read_all_kanji_readings(path):
    """{kanji: {reading in hiragana: kind}} for every KANJIDIC2 literal.

    A reading a kanji has in several kinds keeps the cheapest kind."""
    readings = {}
    for literal, _, element in kanjidic_characters(path):
        forms = {}

        def add(reading, kind):
            if reading and (reading not in forms or KIND_COST[kind] < KIND_COST[forms[reading]]):
                forms[reading] = kind

        for nanori in element.iter("nanori"):
            add(to_hiragana(nanori.text or ""), NANORI)
        for reading in element.iter("reading"):
            text = reading.text or ""
            if reading.get("r_type") == "ja_kun" and not text.startswith("-"):
                stem, _, okurigana = text.rstrip("-").partition(".")
                add(stem, KUN)
                if okurigana:
                    add(stem + okurigana, KUN)
                    if okurigana[-1] in _NOUN_FORM:
                        add(stem + okurigana[:-1] + _NOUN_FORM[okurigana[-1]], KUN)
            elif reading.get("r_type") == "ja_on":
                add(to_hiragana(text.strip("-")), ON)
        if literal:
            readings[literal] = forms
    return readings


def piece_forms(reading, first):
    """Every form a base reading may take in a name, with the number of sound changes."""
    forms = {reading: 0}

    def add(form, changes):
        if form and (form not in forms or changes < forms[form]):
            forms[form] = changes

    starts = [(reading, 0)]
    if not first:
        for voiced in _RENDAKU.get(reading[0], ()):
            starts.append((voiced + reading[1:], 1))
    for form, changes in starts:
        add(form, changes)
        if len(form) >= 2 and form[-1] in _SOKUON_ENDS:
            add(form[:-1] + "っ", changes + 1)
        if form[-1] in _O_ROW or form[-1] in _U_ROW:
            add(form + "う", changes + 1)
        if len(form) >= 2 and form[-1] == "う":
            add(form[:-1], changes + 1)
        add(form + "ー", changes + 1)
    return forms


class Aligner:
    """Aligns spellings with readings using the readings of every kanji."""

    def __init__(self, kanji_readings):
        self._readings = kanji_readings
        self._forms = {}

    def knows(self, character):
        """Whether character can be read: a kana, 々, ー or a kanji KANJIDIC2 has readings for."""
        hiragana = to_hiragana(character)
        return (character == "々" or "ぁ" <= hiragana <= "ゖ" or hiragana == "ー"
                or bool(self._readings.get(character)))

    def _candidates(self, character, previous, first):
        """(piece form, cost) pairs for one character of a spelling."""
        if character == "々":
            character = previous
        if character is None:
            return {}
        hiragana = to_hiragana(character)
        if "ぁ" <= hiragana <= "ゖ" or hiragana == "ー":
            return {hiragana: (0, 0)}
        key = (character, first)
        if key not in self._forms:
            forms = {}
            for base, kind in self._readings.get(character, {}).items():
                for form, changes in piece_forms(base, first).items():
                    cost = (changes, KIND_COST[kind])
                    if form not in forms or cost < forms[form]:
                        forms[form] = cost
            self._forms[key] = forms
        return self._forms[key]

    def align(self, spelling, reading):
        """The pieces of reading, one per character of spelling, or None."""
        @functools.lru_cache(maxsize=None)
        def best(index, position):
            if index == len(spelling):
                return ((0, 0), ()) if position == len(reading) else None
            previous = spelling[index - 1] if index > 0 else None
            if previous == "々" and index > 1:
                previous = spelling[index - 2]
            found = None
            forms = self._candidates(spelling[index], previous, index == 0)
            for length in range(1, len(reading) - position + 1):
                piece = reading[position:position + length]
                cost = forms.get(piece)
                if cost is None:
                    continue
                rest = best(index + 1, position + length)
                if rest is None:
                    continue
                total = ((cost[0] + rest[0][0], cost[1] + rest[0][1]), (piece,) + rest[1])
                if found is None or total[0] < found[0]:
                    found = total
            return found

        result = best(0, 0)
        return list(result[1]) if result else None


def count_pairs(names, aligner, wanted_kanji):
    """Counts (kanji, piece) pairs over the given names.

    names: (reading, spelling) pairs, each a distinct real given name.
    Returns (Counter of (piece, kanji) -> names, number aligned, Counter of
    unaligned names by reason, a few unaligned examples)."""
    pairs = collections.Counter()
    aligned = 0
    unaligned = collections.Counter()
    examples = []
    for reading, spelling in names:
        pieces = aligner.align(spelling, reading)
        if pieces is None:
            unknown = [c for c in spelling if not aligner.knows(c)]
            reason = ("a kanji KANJIDIC2 does not know" if unknown
                      else "no cut into the characters' readings")
            unaligned[reason] += 1
            if len(examples) < 12 and not unknown:
                examples.append("%s %s" % (spelling, reading))
            continue
        aligned += 1
        for character, piece in zip(spelling, pieces):
            if character in wanted_kanji:
                pairs[piece, character] += 1
    return pairs, aligned, unaligned, examples
